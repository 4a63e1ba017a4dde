// The pictures of docs/ventana/ for the about box, a second run drawn without "Limpiar", the fuzzy dialog's
// headings, the signal dialog's hint and the file dialog's columns; under Xvfb with IceWM, the windows grab
// themselves (scripts/capturas_cierre runs it twice, under es_ES and under C):
//   capturas_cierre CARPETA [archivos]

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/Senal_Excitacion.h"
#include "ui/arranque.h"
#include "ui/dialogos.h"

namespace {

void Esperar(int ms) {
    QElapsedTimer reloj;
    reloj.start();
    while (reloj.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void Guardar(QWidget* w, const QDir& carpeta, const char* nombre) {
    Esperar(300);
    w->grab().save(carpeta.filePath(QString::fromLatin1(nombre)));
}

// The open dialog of set-ups over a folder with a text, a set-up and a folder, as the user's locale shows it.
void DialogoDeArchivos(const QDir& carpeta) {
    QTemporaryDir datos;
    for (const char* nombre : {"registro.txt", "ensayo.tanque"}) {
        QFile f(datos.filePath(QString::fromLatin1(nombre)));
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(2610, 'a') + "\n");
    }
    QDir(datos.path()).mkdir(QStringLiteral("registros"));
    QDir::setCurrent(datos.path());
    QTimer::singleShot(1500, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        d->selectNameFilter(kFiltrosConfiguracion[1]);
        Esperar(800);
        Guardar(d, carpeta, "archivos-lang-c.png");
        d->reject();
    });
    DialogosQt().ConfiguracionParaAbrir(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepararAplicacion();
    const QDir carpeta(argc > 1 ? argv[1] : "docs/ventana");
    if (argc > 2 && QByteArray(argv[2]) == "archivos") {
        DialogoDeArchivos(carpeta);
        return 0;
    }
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    CrearVentanas(std::make_unique<DialogosPrueba>());
    Frm_Ppal->show();
    Frm_Ppal->activateWindow();
    Esperar(500);

    // Ayuda > Acerca De
    Frm_Ppal->AcercaDe1->trigger();
    Esperar(300);
    if (auto* caja = Frm_Ppal->findChild<QMessageBox*>(QStringLiteral("AcercaDe"))) {
        Guardar(caja, carpeta, "acerca-de.png");
        caja->close();
    }

    // a fuzzy run of 150 samples, then a step run of 120 without "Limpiar": each run its own line
    for (QTimer* t : {Frm_Ppal->Timer1, Frm_Ppal->Timer4, Frm_Ppal->Timer5}) t->stop();
    Frm_Ppal->Track_Referencia->setValue(4);
    Frm_Ppal->ToolButton11->click();
    Frm_Ppal->ToolButton10->click();
    for (QTimer* t : {Frm_Ppal->Timer1, Frm_Ppal->Timer4, Frm_Ppal->Timer5}) t->stop();
    for (int k = 0; k < 150; ++k) Frm_Ppal->Nucleo().AtenderTick(Corrida::Fuzzy);
    Frm_Ppal->ToolButton10->click();
    Frm_Ppal->ToolButton4->click();
    for (QTimer* t : {Frm_Ppal->Timer1, Frm_Ppal->Timer4, Frm_Ppal->Timer5}) t->stop();
    for (int k = 0; k < 120; ++k) Frm_Ppal->Nucleo().AtenderTick(Corrida::Escalon);
    Frm_Ppal->ToolButton4->click();
    Guardar(Frm_Ppal, carpeta, "segunda-corrida-sin-limpiar.png");

    // the fuzzy dialog's headings, apart
    Frm_Parametros_Fuzzy->show();
    Guardar(Frm_Parametros_Fuzzy, carpeta, "fuzzy-encabezados.png");
    Frm_Parametros_Fuzzy->hide();

    // "2.5" under the comma: the red message says which separator to use
    Frm_Senal_Excitacion->show();
    Frm_Senal_Excitacion->Senal_Tipo->setCurrentText(QStringLiteral("PRBS"));
    Frm_Senal_Excitacion->findChild<QLineEdit*>(QStringLiteral("Senal_Maximo"))->setText(QStringLiteral("2.5"));
    Guardar(Frm_Senal_Excitacion, carpeta, "senal-pista-decimal.png");
    Frm_Senal_Excitacion->hide();
    DestruirVentanas();
    return 0;
}
