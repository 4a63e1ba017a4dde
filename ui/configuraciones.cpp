#include "ui/configuraciones.h"

#include <sys/stat.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSlider>

#include <string>

#include "base/errores.h"
#include "core/configuracion.h"
#include "core/configuracion_claves.h"
#include "core/configuracion_textos.h"
#include "export/causa_archivo.h"
#include "export/texto.h"
#include "ui/dialogos.h"
#include "ui/grabador.h"
#include "ui/textos_ventanas.h"

namespace {

constexpr int kPosicionMinima = 0;
constexpr int kPosicionMaxima = 10;
// a file full of strange keys is named in part: the box must stay readable
constexpr int kClavesNombradas = 10;

QString Citado(const std::string& texto) { return QString::fromStdString(claves::Citar(texto)); }

std::string Local(const QString& nombre) { return QFile::encodeName(nombre).toStdString(); }

// "Reglas_F_C" -> column C, row F; the reader only lets through the names of the program, so both are digits
bool EsCelda(const std::string& nombre, int& columna, int& fila) {
    if (nombre.rfind("Reglas_", 0) != 0 || nombre.size() != 10) return false;
    fila = nombre[7] - '0';
    columna = nombre[9] - '0';
    return true;
}

QString ListaCitada(const std::vector<std::string>& nombres) {
    QStringList partes;
    for (std::size_t i = 0; i < nombres.size() && i < kClavesNombradas; ++i) partes << Citado(nombres[i]);
    QString t = partes.join(QStringLiteral(", "));
    if (nombres.size() > kClavesNombradas)
        t += QStringLiteral(" y %1 más").arg(nombres.size() - static_cast<std::size_t>(kClavesNombradas));
    return t;
}

}  // namespace

QString NombreConfiguracion(const QString& nombre) {
    const QString archivo = QFileInfo(nombre).fileName();
    // a leading dot names a hidden file, not an extension
    if (archivo.isEmpty() || archivo.indexOf(QLatin1Char('.'), 1) >= 0) return nombre;
    return nombre + QStringLiteral(".tanque");
}

ConfiguracionesVentana::ConfiguracionesVentana(QWidget* ventana, Dialogos& dialogos, TextosVentanas& textos,
                                               QSlider& slider, GrabadorVentana& grabador)
    : QObject(ventana), ventana_(ventana), dialogos_(dialogos), textos_(textos), slider_(slider), grabador_(grabador) {}

void ConfiguracionesVentana::AgregarEntradas(QMenu* archivo) {
    archivo->addSeparator();
    AbrirConfiguracion1 = archivo->addAction(QStringLiteral("Abrir Configuración..."), this,
                                             &ConfiguracionesVentana::AbrirConfiguracion1Click);
    AbrirConfiguracion1->setObjectName(QStringLiteral("AbrirConfiguracion1"));
    AbrirConfiguracion1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    GuardarConfiguracion1 = archivo->addAction(QStringLiteral("Guardar Configuración..."), this,
                                               &ConfiguracionesVentana::GuardarConfiguracion1Click);
    GuardarConfiguracion1->setObjectName(QStringLiteral("GuardarConfiguracion1"));
    GuardarConfiguracion1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Recientes1 = archivo->addMenu(QStringLiteral("Configuraciones recientes"));
    Recientes1->setObjectName(QStringLiteral("Recientes1"));
    Recientes1->setToolTipsVisible(true);
    VaciarRecientes1 = new QAction(QStringLiteral("Vaciar la lista"), this);
    VaciarRecientes1->setObjectName(QStringLiteral("VaciarRecientes1"));
    connect(VaciarRecientes1, &QAction::triggered, this, [this] { recientes_.Vaciar(); });
    // read when it opens: another window of the program may have changed the list
    connect(Recientes1, &QMenu::aboutToShow, this, &ConfiguracionesVentana::LlenarRecientes);
    archivo->addSeparator();
}

void ConfiguracionesVentana::LlenarRecientes() {
    Recientes1->clear();
    const QStringList lista = recientes_.Leer();
    const QString casa = QDir::homePath();
    for (int i = 0; i < lista.size(); ++i) {
        const QFileInfo archivo(lista[i]);
        QString carpeta = QDir::toNativeSeparators(archivo.absolutePath());
        if (carpeta == casa || carpeta.startsWith(casa + QLatin1Char('/')))
            carpeta = QStringLiteral("~") + carpeta.mid(casa.size());
        QString nombre = archivo.fileName();
        nombre.replace(QLatin1Char('&'), QStringLiteral("&&"));
        carpeta.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = Recientes1->addAction(QStringLiteral("&%1  %2  —  %3").arg(i + 1).arg(nombre, carpeta));
        a->setToolTip(lista[i]);
        a->setData(lista[i]);
        connect(a, &QAction::triggered, this, [this, ruta = lista[i]] { AbrirReciente(ruta); });
    }
    if (lista.isEmpty()) Recientes1->addAction(QStringLiteral("(vacía)"))->setEnabled(false);
    Recientes1->addSeparator();
    Recientes1->addAction(VaciarRecientes1);
    VaciarRecientes1->setEnabled(!lista.isEmpty());
}

void ConfiguracionesVentana::AbrirArgumentos(const QStringList& archivos) {
    if (archivos.isEmpty()) return;
    if (archivos.size() > 1) {
        QStringList otros;
        for (const QString& a : archivos.mid(1)) otros << Citado(a.toStdString());
        dialogos_.Mensaje(ventana_, QStringLiteral("Se abre una sola configuración, %1; no se abrieron: %2.")
                                     .arg(Citado(archivos.first().toStdString()), otros.join(QStringLiteral(", "))));
    }
    Abrir(archivos.first());
}

void ConfiguracionesVentana::AbrirConfiguracion1Click() {
    if (const std::optional<QString> nombre = dialogos_.ConfiguracionParaAbrir(ventana_)) Abrir(*nombre);
}

void ConfiguracionesVentana::GuardarConfiguracion1Click() {
    if (const std::optional<QString> nombre = dialogos_.ConfiguracionParaGuardar(ventana_)) Guardar(*nombre);
}

void ConfiguracionesVentana::AbrirReciente(const QString& nombre) {
    if (!QFileInfo::exists(nombre)) {
        recientes_.Quitar(nombre);
        dialogos_.Mensaje(ventana_,
                          QStringLiteral("El archivo %1 ya no existe; se quitó de las configuraciones recientes.")
                              .arg(Citado(nombre.toStdString())));
        return;
    }
    Abrir(nombre);
}

std::optional<QString> ConfiguracionesVentana::Guardar(const QString& nombre) {
    const QString archivo = NombreConfiguracion(nombre);
    try {
        std::optional<Configuracion> c = grabador_.Grabado();
        if (!c) c = ConfiguracionDeTextos(textos_, slider_.value());
        c->decimal = textos_.Decimal();  // the texts were typed with it
        EscribirTexto(Local(archivo), EscribirConfiguracion(*c, NombresConfiguracion()));
    } catch (const ErrorArchivo& e) {
        // the runtime's text alone ("Disk full") does not say which file nor why: both, in Spanish
        dialogos_.Mensaje(ventana_, QStringLiteral("No se puede guardar la configuración en %1: %2.")
                                        .arg(QString::fromStdString(claves::Citar(Local(archivo), 4096)),
                                             QString::fromStdString(ConCausa(Local(archivo), e.what()))));
        return std::nullopt;
    } catch (const ErrorTanque& e) {
        dialogos_.Mensaje(ventana_, QString::fromStdString(e.what()));
        return std::nullopt;
    }
    recientes_.Agregar(archivo);
    return archivo;
}

bool ConfiguracionesVentana::Abrir(const QString& nombre) {
    // A FIFO whose writer stays silent would freeze the window in read(): the window opens regular files only
    // (the batch tool still reads a pipe, as a shell's <(...)).
    struct stat datos {};
    if (::stat(Local(nombre).c_str(), &datos) == 0 && !S_ISREG(datos.st_mode) && !S_ISDIR(datos.st_mode)) {
        dialogos_.Mensaje(ventana_, QStringLiteral("El archivo %1 no es un archivo común (una tubería o un dispositivo): "
                                                   "la ventana solo abre configuraciones guardadas en archivos.")
                                        .arg(Citado(nombre.toStdString())));
        return false;
    }
    ConfiguracionLeida leida;
    try {
        leida = LeerArchivoConfiguracion(Local(nombre), NombresConfiguracion());
    } catch (const ErrorTanque& e) {
        // nothing has been touched yet
        dialogos_.Mensaje(ventana_, QString::fromStdString(e.what()));
        return false;
    }
    Configuracion& c = leida.configuracion;
    AdaptarDecimal(c, textos_.Decimal());  // "2,5" of a Spanish desktop is 2.5 here
    std::vector<std::string> noPuestos;
    for (const std::string& n : NombresConfiguracion()) {
        const auto t = c.textos.find(n);
        if (t == c.textos.end()) continue;  // a missing text leaves its edit as it is
        int columna = 0, fila = 0;
        const bool puesto =
            EsCelda(n, columna, fila) ? textos_.PonerCelda(columna, fila, t->second) : textos_.Poner(n, t->second);
        if (!puesto) noPuestos.push_back(n + " " + claves::Citar(t->second));
    }
    QStringList avisos;
    if (c.posicion) {
        QSlider* slider = &slider_;
        if (*c.posicion < kPosicionMinima || *c.posicion > kPosicionMaxima)
            avisos << QStringLiteral("La posición de Track_Referencia (%1) no está entre %2 y %3: queda en %4.")
                          .arg(*c.posicion)
                          .arg(kPosicionMinima)
                          .arg(kPosicionMaxima)
                          .arg(slider->value());
        else if (!slider->isEnabled())
            avisos << QStringLiteral("Track_Referencia no se movió: no se puede mover mientras corre el escalón.");
        else
            slider->setValue(*c.posicion);
    }
    if (!noPuestos.empty())
        avisos.prepend(
            QStringLiteral("Estos textos no se pusieron y quedan como estaban: %1.").arg(QString::fromStdString([&] {
                std::string s;
                for (const std::string& p : noPuestos) s += (s.empty() ? "" : ", ") + p;
                return s;
            }())));
    if (!leida.desconocidas.empty())
        avisos.prepend(
            QStringLiteral("El archivo tiene claves que este programa no conoce; no se tuvieron en cuenta: %1.")
                .arg(ListaCitada(leida.desconocidas)));
    recientes_.Agregar(nombre);
    if (!avisos.isEmpty())
        dialogos_.Mensaje(ventana_, QStringLiteral("Configuración %1:\n\n").arg(Citado(nombre.toStdString())) +
                                     avisos.join(QStringLiteral("\n\n")));
    return true;
}
