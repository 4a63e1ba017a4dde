// The pictures of docs/ for the views of the controllers, taken from the windows themselves (run under Xvfb by
// scripts/capturas_controladores): the fuzzy dialog with its plots (default sets, and sets with gaps), the surface with its
// marker and the rule grid firing during a fuzzy run, the indices window and the comparison window.
//   capturas_controladores CARPETA

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include <cstdio>

#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/Parametros_PID.h"
#include "ui/arranque.h"
#include "ui/comparacion_controladores.h"
#include "ui/indices_desempeno.h"
#include "ui/superficie_control.h"
#include "ui/vistas_controladores.h"

namespace {

// A run started or stopped by its button; its QTimer is held, so that only the ticks driven here happen and
// every picture is the same from one take to the next.
void Alternar(QToolButton* boton) {
    boton->click();
    for (QTimer* t : {Frm_Ppal->Timer1, Frm_Ppal->Timer4, Frm_Ppal->Timer5}) t->stop();
}

void Asentar() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents(QEventLoop::AllEvents);
}

void Guardar(QWidget* w, const QDir& carpeta, const char* nombre) {
    Asentar();
    w->grab().save(carpeta.filePath(QString::fromLatin1(nombre)));
}

void Poner(const char* nombre, const char* texto) { Frm_Parametros_Fuzzy->Edits().at(nombre)->setText(texto); }

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const QDir carpeta(argc > 1 ? argv[1] : "docs");
    auto propios = std::make_unique<DialogosPrueba>();
    const DialogosPrueba& dialogos = *propios;
    CrearVentanas(std::move(propios));
    Frm_Ppal->show();

    // the dialog with the default sets, then with gaps in the error's sets
    Frm_Parametros_Fuzzy->show();
    Guardar(Frm_Parametros_Fuzzy, carpeta, "dialogo-fuzzy-graficos.png");
    Poner("E_Ne_Ancho", "0,5");
    Poner("E_Ze_Ancho", "0,2");
    Poner("E_Po_Ancho", "0,5");
    Guardar(Frm_Parametros_Fuzzy, carpeta, "dialogo-fuzzy-huecos.png");
    Poner("E_Ne_Ancho", "1,25");
    Poner("E_Ze_Ancho", "1,25");
    Poner("E_Po_Ancho", "1,25");
    Frm_Parametros_Fuzzy->hide();

    // a fuzzy run: the reference from 1 to 2 at sample 30
    Frm_Ppal->ToolButton11->click();
    Frm_Ppal->Vistas->SuperficieControl1->trigger();
    Frm_Ppal->Vistas->IndicesDesempeno1->trigger();
    Alternar(Frm_Ppal->ToolButton10);
    Simulador& s = Frm_Ppal->Nucleo();
    for (int k = 0; k < 44; ++k) {
        Frm_Ppal->Track_Referencia->setValue(k < 30 ? 2 : 4);
        s.AtenderTick(Corrida::Fuzzy);
    }
    Guardar(Frm_Ppal->Vistas->Superficie(), carpeta, "superficie-control.png");
    for (int k = 44; k < 140; ++k) s.AtenderTick(Corrida::Fuzzy);
    Frm_Ppal->Track_Referencia->setValue(6);
    for (int k = 140; k < 175; ++k) s.AtenderTick(Corrida::Fuzzy);
    Alternar(Frm_Ppal->ToolButton10);
    // and a PID run after it: each run keeps its own indices
    Alternar(Frm_Ppal->ToolButton13);
    for (int k = 0; k < 190; ++k) {
        Frm_Ppal->Track_Referencia->setValue(k < 60 ? 2 : 6);
        s.AtenderTick(Corrida::PID);
    }
    Guardar(Frm_Indices, carpeta, "indices-desempeno.png");
    Alternar(Frm_Ppal->ToolButton13);

    // the rule grid of the dialog firing, at a tick of a run where two sets of each input act
    Alternar(Frm_Ppal->ToolButton10);
    Frm_Ppal->Track_Referencia->setValue(2);
    for (int k = 0; k < 34; ++k) {
        Frm_Ppal->Track_Referencia->setValue(k < 30 ? 2 : 6);
        s.AtenderTick(Corrida::Fuzzy);
    }
    Frm_Parametros_Fuzzy->show();
    Guardar(Frm_Parametros_Fuzzy, carpeta, "reglas-disparadas.png");
    Frm_Parametros_Fuzzy->hide();
    Alternar(Frm_Ppal->ToolButton10);

    // the comparison of the controllers, an aggressive PID on the schedule the run above read
    Frm_Ppal->Limpiar->click();
    Alternar(Frm_Ppal->ToolButton10);
    for (int k = 0; k < 200; ++k) {
        Frm_Ppal->Track_Referencia->setValue(k < 20 ? 2 : k < 120 ? 6 : 4);
        s.AtenderTick(Corrida::Fuzzy);
    }
    Alternar(Frm_Ppal->ToolButton10);
    Frm_Parametros_PID->Edits().at("Kp")->setText("5");
    Frm_Parametros_PID->Edits().at("Ti")->setText("2");
    Frm_Parametros_PID->Edits().at("Td")->setText("0,3");
    Frm_Ppal->Vistas->CompararControladores1->trigger();
    Guardar(Frm_Ppal->Vistas->Comparacion(), carpeta, "comparacion-controladores.png");

    // a message here means a picture that shows something else than it should
    for (const QString& m : dialogos.mensajes) std::fprintf(stderr, "%s\n", qPrintable(m));
    DestruirVentanas();
    return 0;
}
