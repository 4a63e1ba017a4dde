// The pictures of docs/ventana/ for the relay run and the comparison with the tuning's prediction, taken
// under Xvfb with IceWM:   capturas_rele CARPETA

#include <cstdio>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Rele.h"
#include "ui/Sintonizar_PID.h"
#include "ui/arranque.h"
#include "ui/indices_desempeno.h"

namespace {

void Esperar(int ms) {
    QElapsedTimer reloj;
    reloj.start();
    while (reloj.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void Pantalla(const QDir& carpeta, const char* nombre) {
    Esperar(600);
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                  carpeta.filePath(QString::fromLatin1(nombre))});
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepararAplicacion();
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const QDir carpeta(argc > 1 ? argv[1] : "docs/ventana");
    auto grabados = std::make_unique<DialogosPrueba>();
    DialogosPrueba* mensajes = grabados.get();
    CrearVentanas(std::move(grabados));
    Frm_Ppal->move(0, 0);
    Frm_Ppal->show();
    Esperar(500);

    // the relay run with 4 samples of pipe, started from the tuning dialog, stopped after 300 ticks
    Frm_Parametros_Rele->Edits().find("Rele_Retardo")->second->setText(QStringLiteral("4"));
    Frm_Parametros_Rele->Edits().find("Rele_Alto")->second->setText(QStringLiteral("2"));
    Frm_Ppal->Track_Referencia->setValue(4);
    Frm_Ppal->Sintonizar1->trigger();
    TFrm_Sintonizar* d = Frm_Ppal->Frm_Sintonizar;
    d->resize(1000, 520);
    d->move(0, 450);
    d->EnsayoRele->click();
    for (int i = 0; i < 300; ++i) Frm_Ppal->Nucleo().AtenderTick(Corrida::Rele);
    d->EnsayoRele->click();
    Esperar(300);
    Pantalla(carpeta, "ensayo-rele.png");
    // the box's words, for the documentation
    if (!mensajes->mensajes.isEmpty()) std::printf("%s\n", mensajes->mensajes.back().toUtf8().constData());

    // "Aplicar" SIMC PI of the true plant (the pipe is the relay run's alone), then a PID run beside the
    // indices window
    d->Modelo->setCurrentIndex(TFrm_Sintonizar::FuenteVerdad);
    d->ReglaCombo->setCurrentIndex(0);
    d->Aplicar->click();
    d->hide();
    Frm_Indices->show();
    Frm_Indices->move(0, 450);
    Frm_Ppal->Nucleo().LimpiarClick();
    Frm_Ppal->ToolButton13->click();
    for (int i = 0; i < 30; ++i) Frm_Ppal->Nucleo().AtenderTick(Corrida::PID);
    Frm_Indices->Mostrar(Frm_Ppal->Nucleo());
    Pantalla(carpeta, "indices-prediccion.png");
    Frm_Ppal->ToolButton13->click();
    DestruirVentanas();
    return 0;
}
