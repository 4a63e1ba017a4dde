// The set-up files in the window: what is saved comes back into every edit, cell and the slider; a file that is
// not a set-up changes nothing and says why; unknown keys are named once; the recent files keep their order,
// their limit and lose a file that is gone. The settings are Qt's test ones, never the user's.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <fstream>
#include <map>
#include <optional>
#include <string>

#include "core/configuracion.h"
#include "core/configuracion_textos.h"
#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/Parametros_PID.h"
#include "ui/Parametros_Planta.h"
#include "ui/Senal_Excitacion.h"
#include "ui/arranque.h"
#include "ui/configuraciones.h"
#include "ui/recientes.h"
#include "ui/textos_ventanas.h"

namespace {

DialogosPrueba* dialogos = nullptr;

std::string Texto(const std::string& nombre) { return TextosVentanas().Texto(nombre); }

void Escribir(const QString& ruta, const std::string& bytes) {
    std::ofstream f(ruta.toStdString(), std::ios::binary);
    f << bytes;
}

// The widgets' texts by name, every one that a set-up holds.
std::map<std::string, std::string> TextosDeAhora() {
    std::map<std::string, std::string> t;
    TextosVentanas textos;
    for (const std::string& n : NombresConfiguracion()) {
        if (n.rfind("Reglas_", 0) == 0)
            t[n] = textos.Celda(n[9] - '0', n[7] - '0');
        else
            t[n] = textos.Texto(n);
    }
    return t;
}

}  // namespace

class PruebaConfiguraciones : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        // the recent list must go to the test settings, never to the user's
        QVERIFY2(QSettings(QStringLiteral("tanque"), QStringLiteral("tanque")).fileName().contains(".qttest"),
                 qPrintable(QSettings(QStringLiteral("tanque"), QStringLiteral("tanque")).fileName()));
        QVERIFY(carpeta_.isValid());
        PrepararAplicacion();
    }

    void init() {
        QSettings(QStringLiteral("tanque"), QStringLiteral("tanque")).clear();
        dialogos = CrearVentanasDePrueba();
    }
    void cleanup() { DestruirVentanas(); }

    void lasEntradasVanDespuesDeSalir() {
        QMenu* archivo = Frm_Ppal->menuBar()->actions().first()->menu();
        QCOMPARE(archivo->title(), QStringLiteral("Archivo"));
        const QList<QAction*> entradas = archivo->actions();
        QVERIFY(entradas.size() >= 5);
        QCOMPARE(entradas[0], Frm_Ppal->Salir1);  // the original entry keeps its place
        QVERIFY(entradas[1]->isSeparator());
        QCOMPARE(entradas[2]->text(), QStringLiteral("Abrir Configuración..."));
        QCOMPARE(entradas[2]->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(entradas[3]->text(), QStringLiteral("Guardar Configuración..."));
        QCOMPARE(entradas[3]->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(entradas[4]->menu(), Frm_Ppal->Configuraciones->Recientes1);
        QCOMPARE(Frm_Ppal->Configuraciones->Recientes1->title(), QStringLiteral("Configuraciones recientes"));
    }

    void elNombreSinExtensionLlevaTanque_data() {
        QTest::addColumn<QString>("dado");
        QTest::addColumn<QString>("guardado");
        QTest::newRow("bare") << "/d/ensayo"
                              << "/d/ensayo.tanque";
        QTest::newRow("own extension") << "/d/ensayo.tanque"
                                       << "/d/ensayo.tanque";
        QTest::newRow("another extension stays") << "/d/ensayo.json"
                                                 << "/d/ensayo.json";
        QTest::newRow("dot in the folder only") << "/d.e/ensayo"
                                                << "/d.e/ensayo.tanque";
        QTest::newRow("hidden file") << "/d/.ensayo"
                                     << "/d/.ensayo.tanque";
        QTest::newRow("relative") << "ensayo"
                                  << "ensayo.tanque";
    }
    void elNombreSinExtensionLlevaTanque() {
        QFETCH(QString, dado);
        QFETCH(QString, guardado);
        QCOMPARE(NombreConfiguracion(dado), guardado);
    }

    void guardarYAbrirDevuelveCadaTexto() {
        // a text of its own in every edit: numbers with a comma, texts that do not convert, an empty one
        std::map<std::string, std::string> esperado;
        TextosVentanas textos;
        int i = 0;
        for (const std::string& n : NombresConfiguracion()) {
            // the combos take only their own captions: each is set below to one that is not its default
            if (n.rfind("Reglas_", 0) == 0 || n == "Senal_Tipo" || n == "Modelo_Planta" || n == "Integrador" ||
                n == "Salida_Tanques" || n == "Antisaturacion" || n == "Derivada" || n == "Perturbacion_Tipo")
                continue;
            const std::string t = i % 4 == 0   ? std::to_string(i) + ",25"
                                  : i % 4 == 1 ? "no es número " + n
                                  : i % 4 == 2 ? ""
                                               : " " + std::to_string(-i) + "e3 ";
            QVERIFY2(textos.Poner(n, t), n.c_str());
            esperado[n] = t;
            ++i;
        }
        for (int fila = 1; fila <= 5; ++fila)
            for (int columna = 1; columna <= 5; ++columna) {
                const std::string t = std::to_string((fila * 7 + columna * 3) % 5);
                Frm_Parametros_Fuzzy->Reglas->PonerCelda(columna, fila, QString::fromStdString(t));
                esperado["Reglas_" + std::to_string(fila) + "_" + std::to_string(columna)] = t;
            }
        Frm_Senal_Excitacion->Senal_Tipo->setCurrentIndex(2);
        esperado["Senal_Tipo"] = Frm_Senal_Excitacion->Senal_Tipo->currentText().toStdString();
        QVERIFY(esperado["Senal_Tipo"] != "Escalón");
        for (QComboBox* c : {Frm_Parametros_Planta->Modelo_Planta, Frm_Parametros_Planta->Integrador,
                             Frm_Parametros_Planta->Salida_Tanques, Frm_Parametros_Planta->Perturbacion_Tipo,
                             Frm_Parametros_PID->Antisaturacion, Frm_Parametros_PID->Derivada}) {
            c->setCurrentIndex(1);
            esperado[c->objectName().toStdString()] = c->currentText().toStdString();
        }
        Frm_Ppal->Track_Referencia->setValue(7);
        QCOMPARE(TextosDeAhora(), esperado);

        // through the menu, a name without extension
        dialogos->configuracionGuardar = carpeta_.filePath("completa");
        Frm_Ppal->Configuraciones->GuardarConfiguracion1->trigger();
        QVERIFY(dialogos->mensajes.isEmpty());
        const QString archivo = carpeta_.filePath("completa.tanque");
        QVERIFY(QFileInfo::exists(archivo));
        // the file holds these texts and the position, and nothing else
        const ConfiguracionLeida leida = LeerArchivoConfiguracion(archivo.toStdString(), NombresConfiguracion());
        QVERIFY(leida.desconocidas.empty());
        const std::map<std::string, std::string> escritos(leida.configuracion.textos.begin(),
                                                          leida.configuracion.textos.end());
        QCOMPARE(escritos, esperado);
        QCOMPARE(leida.configuracion.posicion, std::optional<std::int32_t>(7));
        QVERIFY(!leida.configuracion.programa);

        // a program started anew has the defaults; opening puts back every text and the slider
        DestruirVentanas();
        init();
        QVERIFY(TextosDeAhora() != esperado);
        dialogos->configuracionAbrir = archivo;
        Frm_Ppal->Configuraciones->AbrirConfiguracion1->trigger();
        QCOMPARE(dialogos->mensajes, QStringList());
        QCOMPARE(TextosDeAhora(), esperado);
        QCOMPARE(Frm_Ppal->Track_Referencia->value(), 7);
        QCOMPARE(Frm_Ppal->Ref_Label->text(), QStringLiteral("3.5"));
        // nothing starts, nothing is initialised
        for (QTimer* t : {Frm_Ppal->Timer1, Frm_Ppal->Timer4, Frm_Ppal->Timer5}) QVERIFY(!t->isActive());
        QVERIFY(!Frm_Ppal->Nucleo().FuzzyInicializado());
        QCOMPARE(Frm_Ppal->Nucleo().Series1().Cuenta(), std::size_t{0});
    }

    void unArchivoQueNoEsConfiguracionNoCambiaNada_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QByteArray>("bytes");  // empty with a name "-": no file at all
        QTest::newRow("not JSON") << "roto.tanque" << QByteArray("{\"formato\": ");
        QTest::newRow("another program's JSON") << "ajeno.tanque" << QByteArray("{\"nombre\": \"otro\"}\n");
        QTest::newRow("wrong format") << "otro.tanque" << QByteArray("{\"formato\": \"otro\", \"version\": 1}");
        QTest::newRow("newer version") << "nuevo.tanque"
                                       << QByteArray("{\"formato\": \"tanque-configuracion\", \"version\": 99}");
        QTest::newRow("a text that is a number") << "numero.tanque"
                                                 << QByteArray(
                                                        "{\"formato\": \"tanque-configuracion\", \"version\": 1, "
                                                        "\"textos\": {\"Kp\": 3}}");
        QTest::newRow("empty file") << "vacio.tanque" << QByteArray("");
        QTest::newRow("missing file") << "-" << QByteArray();
    }
    void unArchivoQueNoEsConfiguracionNoCambiaNada() {
        QFETCH(QString, nombre);
        QFETCH(QByteArray, bytes);
        const QString ruta = carpeta_.filePath(nombre == "-" ? QStringLiteral("no-existe.tanque") : nombre);
        if (nombre != "-") Escribir(ruta, bytes.toStdString());
        TextosVentanas().Poner("Kp", "9,5");
        Frm_Ppal->Track_Referencia->setValue(4);
        const auto antes = TextosDeAhora();
        // the core's own text is what the box shows
        QString motivo;
        try {
            LeerArchivoConfiguracion(ruta.toStdString(), NombresConfiguracion());
            QFAIL("the reader took it");
        } catch (const ErrorConfiguracion& e) {
            motivo = QString::fromStdString(e.what());
        }
        QVERIFY(!Frm_Ppal->Configuraciones->Abrir(ruta));
        QCOMPARE(dialogos->mensajes, QStringList{motivo});
        QVERIFY(motivo.contains(nombre == "-" ? QStringLiteral("no existe") : QStringLiteral("configuración válida")));
        QCOMPARE(TextosDeAhora(), antes);
        QCOMPARE(Frm_Ppal->Track_Referencia->value(), 4);
        QVERIFY(ListaRecientes().Leer().isEmpty());  // a failed file does not become a recent one
    }

    // A set-up saved under the other decimal separator opens with this window's: the same numbers under any
    // locale, the texts that are not numbers as they were.
    void elSeparadorDeOtroIdiomaSeAdapta() {
        const char propio = TextosVentanas().Decimal();
        const char otro = propio == ',' ? '.' : ',';
        const QString ruta = carpeta_.filePath(QStringLiteral("viaje.tanque"));
        Escribir(ruta, std::string("{\"formato\": \"tanque-configuracion\", \"version\": 1, ") +
                           (otro == ',' ? "\"separador_decimal\": \",\", " : "") + "\"textos\": {\"Kp\": \"2" + otro +
                           "5\", \"Ti\": \"hoy\"}}");
        QVERIFY(Frm_Ppal->Configuraciones->Abrir(ruta));
        QCOMPARE(TextosVentanas().Texto("Kp"), std::string("2") + propio + "5");
        QCOMPARE(TextosVentanas().Texto("Ti"), std::string("hoy"));
    }

    // A FIFO whose writer stays silent is refused at once, not read: the window would freeze in read().
    void unaTuberiaNoCongelaLaVentana() {
        const QString ruta = carpeta_.filePath(QStringLiteral("tuberia.tanque"));
        QCOMPARE(::mkfifo(ruta.toLocal8Bit().constData(), 0600), 0);
        const int escritor = ::open(ruta.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK);  // a writer, silent
        QVERIFY(escritor >= 0);
        QVERIFY(!Frm_Ppal->Configuraciones->Abrir(ruta));
        ::close(escritor);
        QCOMPARE(dialogos->mensajes.size(), 1);
        QVERIFY(dialogos->mensajes.front().contains(QStringLiteral("no es un archivo común")));
        QVERIFY(ListaRecientes().Leer().isEmpty());
    }

    void lasClavesDesconocidasSeNombranUnaVez() {
        const QString ruta = carpeta_.filePath("desconocidas.tanque");
        Escribir(ruta, R"({"formato": "tanque-configuracion", "version": 1, "autor": "x",
                          "textos": {"Kp": "3", "Kx": "1", "Reglas_9_9": "2", "Area": "7,5"},
                          "Track_Referencia": 10})");
        TextosVentanas().Poner("Ti", "hoy");
        QVERIFY(Frm_Ppal->Configuraciones->Abrir(ruta));
        QCOMPARE(dialogos->mensajes.size(), 1);
        const QString m = dialogos->mensajes.first();
        for (const char* clave : {"«autor»", "«Kx»", "«Reglas_9_9»"})
            QVERIFY2(m.contains(QString::fromUtf8(clave)), clave);
        QVERIFY(m.contains(QStringLiteral("no conoce")));
        QCOMPARE(m.count(QStringLiteral("«Kx»")), 1);
        // the known ones are in place; a missing one keeps what the edit had
        QCOMPARE(Texto("Kp"), std::string("3"));
        QCOMPARE(Texto("Area"), std::string("7,5"));
        QCOMPARE(Texto("Ti"), std::string("hoy"));
        QCOMPARE(Frm_Ppal->Track_Referencia->value(), 10);
    }

    void loQueElProgramaNoPuedePonerSeDice() {
        struct Caso {
            const char* cuerpo;
            const char* enElMensaje;
        };
        const Caso casos[] = {
            {R"("textos": {"Senal_Tipo": "Triangular", "Kp": "4"})", "Senal_Tipo «Triangular»"},
            {R"("textos": {"Kp": "4"}, "Track_Referencia": 11)", "(11) no está entre 0 y 10"},
            {R"("textos": {"Kp": "4"}, "Track_Referencia": -1)", "(-1) no está entre 0 y 10"},
        };
        for (const Caso& c : casos) {
            dialogos->mensajes.clear();
            TextosVentanas().Poner("Kp", "1");
            const QString ruta = carpeta_.filePath("parcial.tanque");
            Escribir(ruta, std::string(R"({"formato": "tanque-configuracion", "version": 1, )") + c.cuerpo + "}");
            QVERIFY(Frm_Ppal->Configuraciones->Abrir(ruta));
            QCOMPARE(dialogos->mensajes.size(), 1);
            QVERIFY2(dialogos->mensajes.first().contains(QString::fromUtf8(c.enElMensaje)),
                     qPrintable(dialogos->mensajes.first()));
            QCOMPARE(Texto("Kp"), std::string("4"));  // the rest is in place
            QCOMPARE(Texto("Senal_Tipo"), std::string("Escalón"));
            QCOMPARE(Frm_Ppal->Track_Referencia->value(), 2);
        }
    }

    void laLineaDeOrdenesAbreLaPrimera() {
        TextosVentanas().Poner("Kp", "5,5");
        dialogos->configuracionGuardar = carpeta_.filePath("orden.tanque");
        Frm_Ppal->Configuraciones->GuardarConfiguracion1->trigger();
        TextosVentanas().Poner("Kp", "1");
        Frm_Ppal->Configuraciones->AbrirArgumentos({carpeta_.filePath("orden.tanque"), QStringLiteral("otra.tanque")});
        QCOMPARE(Texto("Kp"), std::string("5,5"));
        QCOMPARE(dialogos->mensajes.size(), 1);
        QVERIFY(dialogos->mensajes.first().contains(QStringLiteral("«otra.tanque»")));
    }

    void laListaRecienteOrdenaYCorta_data() {
        QTest::addColumn<QStringList>("lista");
        QTest::addColumn<QString>("nuevo");
        QTest::addColumn<QStringList>("resultado");
        QTest::newRow("to the front") << QStringList{"a", "b"} << "c" << QStringList{"c", "a", "b"};
        QTest::newRow("already there: moved") << QStringList{"a", "b", "c"} << "c" << QStringList{"c", "a", "b"};
        QTest::newRow("first already") << QStringList{"a", "b"} << "a" << QStringList{"a", "b"};
        QTest::newRow("cut at 8") << QStringList{"1", "2", "3", "4", "5", "6", "7", "8"} << "9"
                                  << QStringList{"9", "1", "2", "3", "4", "5", "6", "7"};
        QTest::newRow("a hand-made list: doubles and blanks")
            << QStringList{"a", "", "a", "b"} << QString() << QStringList{"a", "b"};
    }
    void laListaRecienteOrdenaYCorta() {
        QFETCH(QStringList, lista);
        QFETCH(QString, nuevo);
        QFETCH(QStringList, resultado);
        QCOMPARE(ConReciente(lista, nuevo, ListaRecientes::kMaximo), resultado);
    }

    void elMenuDeRecientesSigueLoUsado() {
        ConfiguracionesVentana* c = Frm_Ppal->Configuraciones;
        QStringList guardados;
        for (int i = 1; i <= 10; ++i) {
            const auto nombre = c->Guardar(carpeta_.filePath(QStringLiteral("r%1").arg(i)));
            QVERIFY(nombre);
            guardados.prepend(*nombre);
        }
        QCOMPARE(ListaRecientes().Leer(), guardados.mid(0, 8));  // r10 .. r3
        // opening one puts it first
        QVERIFY(c->Abrir(guardados[5]));
        QCOMPARE(ListaRecientes().Leer().first(), guardados[5]);
        QCOMPARE(ListaRecientes().Leer().size(), 8);

        c->LlenarRecientes();
        QList<QAction*> entradas = c->Recientes1->actions();
        QCOMPARE(entradas.size(), 8 + 2);
        QVERIFY(entradas[0]->text().startsWith(QStringLiteral("&1  r5.tanque")));
        QCOMPARE(entradas[0]->data().toString(), guardados[5]);
        QVERIFY(entradas[8]->isSeparator());
        QCOMPARE(entradas[9], c->VaciarRecientes1);

        // a file that is gone leaves the list when chosen, with a message
        QVERIFY(QFile::remove(guardados[1]));
        TextosVentanas().Poner("Kp", "sin cambio");
        c->LlenarRecientes();
        for (QAction* a : c->Recientes1->actions())
            if (a->data().toString() == guardados[1]) a->trigger();
        QCOMPARE(dialogos->mensajes.size(), 1);
        QVERIFY(dialogos->mensajes.first().contains(QStringLiteral("ya no existe")));
        QVERIFY(!ListaRecientes().Leer().contains(guardados[1]));
        QCOMPARE(ListaRecientes().Leer().size(), 7);
        QCOMPARE(Texto("Kp"), std::string("sin cambio"));

        // a recent one that exists opens
        TextosVentanas().Poner("Kp", "otro");
        c->LlenarRecientes();
        c->Recientes1->actions()[2]->trigger();
        QCOMPARE(Texto("Kp"), std::string("2"));

        c->VaciarRecientes1->trigger();
        QVERIFY(ListaRecientes().Leer().isEmpty());
        c->LlenarRecientes();
        QCOMPARE(c->Recientes1->actions().size(), 3);  // "(vacía)", the separator, the clearing entry
        QVERIFY(!c->Recientes1->actions()[0]->isEnabled());
        QVERIFY(!c->VaciarRecientes1->isEnabled());
    }

    void unaEscrituraQueFallaSeDiceYNoEntraEnLaLista() {
        const auto nombre = Frm_Ppal->Configuraciones->Guardar(carpeta_.filePath("no/hay/carpeta.tanque"));
        QVERIFY(!nombre);
        QCOMPARE(dialogos->mensajes.size(), 1);
        // the file, the runtime's text and the cause in Spanish
        QCOMPARE(dialogos->mensajes.first(),
                 QStringLiteral("No se puede guardar la configuración en «%1»: Invalid filename (la carpeta «%2» no existe).")
                     .arg(carpeta_.filePath("no/hay/carpeta.tanque"), carpeta_.filePath("no")));
        QVERIFY(ListaRecientes().Leer().isEmpty());
    }

private:
    QTemporaryDir carpeta_;
};

QTEST_MAIN(PruebaConfiguraciones)
#include "configuraciones_test.moc"
