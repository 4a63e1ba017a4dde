// The pictures of docs/ for the pump's limits: a PID run whose step of the reference saturates the pump, without
// anti-windup (the integral winds up and the level overshoots) and with back-calculation, each after the same
// samples, and the two dialogs with the loop's controls. Run under Xvfb:
//   capturas_lazo CARPETA

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include "core/corridas/pid.h"
#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_PID.h"
#include "ui/Parametros_Planta.h"
#include "ui/arranque.h"
#include "ui/indices_desempeno.h"
#include "ui/vistas_controladores.h"

namespace {

void Asentar() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents(QEventLoop::AllEvents);
}

void Guardar(QWidget* w, const QDir& carpeta, const char* nombre) {
    Asentar();
    w->grab().save(carpeta.filePath(QString::fromLatin1(nombre)));
}

// From an empty chart, a PID run of `muestras` samples towards the reference 3, its timer held.
void CorridaPID(const char* antisaturacion, int muestras) {
    Frm_Ppal->Limpiar->click();
    Frm_Parametros_PID->Combos().at(kAntisaturacion)->setCurrentText(QString::fromLatin1(antisaturacion));
    Frm_Ppal->Track_Referencia->setValue(6);
    Frm_Ppal->ToolButton13->click();
    for (QTimer* t : {Frm_Ppal->Timer1, Frm_Ppal->Timer4, Frm_Ppal->Timer5}) t->stop();
    Simulador& s = Frm_Ppal->Nucleo();
    for (int k = 0; k < muestras; ++k) s.AtenderTick(Corrida::PID);
    Frm_Ppal->ToolButton13->click();  // stopped, the chart kept
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const QDir carpeta(argc > 1 ? argv[1] : "docs");
    CrearVentanas(std::make_unique<DialogosPrueba>());
    Frm_Ppal->show();

    // a pump of 0 to 1,75: the level of 3 needs 1,5, and the empty tank's step asks for far more
    Frm_Parametros_Planta->Edits().at("Caudal_Min")->setText(QStringLiteral("0"));
    Frm_Parametros_Planta->Edits().at("Caudal_Max")->setText(QStringLiteral("1,75"));
    Frm_Parametros_Planta->show();
    Guardar(Frm_Parametros_Planta, carpeta, "dialogo-planta-lazo.png");
    Frm_Parametros_Planta->hide();
    Frm_Parametros_PID->Combos().at(kAntisaturacion)->setCurrentText(QStringLiteral("Retrocalculo"));
    Frm_Parametros_PID->show();
    Guardar(Frm_Parametros_PID, carpeta, "dialogo-pid-opciones.png");
    Frm_Parametros_PID->hide();

    // the samples 180 to 280: the overshoot of the wound-up integral peaks at sample 256
    CorridaPID("Ninguna", 281);
    Guardar(Frm_Ppal, carpeta, "windup-sin-antisaturacion.png");
    CorridaPID("Retrocalculo", 281);
    Guardar(Frm_Ppal, carpeta, "windup-retrocalculo.png");

    // the same run without anti-windup, and the indices window with its time at the pump's limits
    CorridaPID("Ninguna", 281);
    Frm_Ppal->Vistas->IndicesDesempeno1->trigger();
    Guardar(Frm_Indices, carpeta, "indices-tiempo-saturado.png");
    Frm_Indices->hide();

    // a demand of 0,4 from sample 150 on the PI holding 3 (the pump without limits): the dashed line and the dip
    Frm_Parametros_Planta->Edits().at("Caudal_Min")->setText(QString());
    Frm_Parametros_Planta->Edits().at("Caudal_Max")->setText(QString());
    Frm_Parametros_Planta->Perturbacion_Tipo->setCurrentText(QString::fromUtf8("Escalón"));
    Frm_Parametros_Planta->Edits().at("Perturbacion_Inicio")->setText(QStringLiteral("150"));
    Frm_Parametros_Planta->Edits().at("Perturbacion_Maximo")->setText(QStringLiteral("0,4"));
    CorridaPID("Ninguna", 220);
    Guardar(Frm_Ppal, carpeta, "perturbacion-en-el-grafico.png");
    return 0;
}
