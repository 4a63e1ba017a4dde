// The pictures of docs/ventana/ for the keyboard, the followed zoom, Comparar's legend and the fuzzy dialog's
// tips, taken from the windows themselves under Xvfb with IceWM (scripts/capturas_teclado runs it):
//   capturas_ventana CARPETA

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>

#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/arranque.h"
#include "ui/comparacion_controladores.h"
#include "ui/grafico.h"
#include "ui/velocidad.h"
#include "ui/vistas_controladores.h"

namespace {

void Esperar(int ms) {
    QElapsedTimer reloj;
    reloj.start();
    while (reloj.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void Guardar(QWidget* w, const QDir& carpeta, const char* nombre) {
    Esperar(200);
    w->grab().save(carpeta.filePath(QString::fromLatin1(nombre)));
}

// the whole screen, for what lies in windows of its own (a tip)
void Pantalla(const QDir& carpeta, const char* nombre) {
    Esperar(400);
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                  carpeta.filePath(QString::fromLatin1(nombre))});
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepararAplicacion();
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const QDir carpeta(argc > 1 ? argv[1] : "docs/ventana");
    CrearVentanas(std::make_unique<DialogosPrueba>());
    Frm_Ppal->show();
    Frm_Ppal->activateWindow();
    Esperar(500);

    // the keyboard: Tab from the first tool button reaches "Aplicar Controlador PID"
    Frm_Ppal->ToolButton1->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 5; ++i) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &tab);
    }
    Guardar(Frm_Ppal, carpeta, "teclado-barra.png");

    // a PID run at Máxima, zoomed with the wheel: the range follows the newest samples
    Frm_Ppal->Velocidad1->Poner(Velocidad::Maxima);
    Frm_Ppal->Track_Referencia->setValue(6);
    Frm_Ppal->ToolButton13->click();
    Esperar(800);
    Grafico* g = Frm_Ppal->Chart1;
    const QPoint centro = g->axisRect()->rect().center();
    QWheelEvent rueda(centro, g->mapToGlobal(centro), QPoint(), QPoint(0, 360), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(g, &rueda);
    Esperar(1500);
    Guardar(Frm_Ppal, carpeta, "zoom-seguido-maxima.png");
    // scrolled back with the right button: the view holds, and says so
    QMouseEvent pulsar(QEvent::MouseButtonPress, centro, g->mapToGlobal(centro), Qt::RightButton, Qt::RightButton,
                       Qt::NoModifier);
    QApplication::sendEvent(g, &pulsar);
    const QPoint mas = centro + QPoint(60, 0);
    QMouseEvent mover(QEvent::MouseMove, mas, g->mapToGlobal(mas), Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(g, &mover);
    QMouseEvent soltar(QEvent::MouseButtonRelease, mas, g->mapToGlobal(mas), Qt::RightButton, Qt::NoButton,
                       Qt::NoModifier);
    QApplication::sendEvent(g, &soltar);
    Frm_Ppal->ToolButton13->click();
    Guardar(Frm_Ppal, carpeta, "vista-fija.png");
    Frm_Ppal->Velocidad1->Poner(Velocidad::x1);

    // Comparar over a schedule with two keystrokes in a row: reference 1, 2 at 40, 1.5 at 200 alone, then 1
    Frm_Ppal->Limpiar->click();
    Frm_Ppal->ToolButton13->click();
    for (QTimer* t : {Frm_Ppal->Timer1, Frm_Ppal->Timer4, Frm_Ppal->Timer5}) t->stop();
    for (int k = 0; k < 300; ++k) {
        Frm_Ppal->Track_Referencia->setValue(k < 40 ? 2 : k < 200 ? 4 : k == 200 ? 3 : 2);
        Frm_Ppal->Nucleo().AtenderTick(Corrida::PID);
    }
    Frm_Ppal->ToolButton13->click();
    Frm_Ppal->Vistas->CompararControladores1->trigger();
    Guardar(Frm_Ppal->Vistas->Comparacion(), carpeta, "comparar-leyenda.png");
    Frm_Ppal->Vistas->Comparacion()->hide();

    // the fuzzy dialog: its legend, and the tip of a rule cell
    Frm_Parametros_Fuzzy->show();
    Frm_Parametros_Fuzzy->move(10, 10);
    Esperar(300);
    QTableWidget* reglas = Frm_Parametros_Fuzzy->Reglas;
    const QRect celda = reglas->visualItemRect(reglas->item(0, 4));
    const QPoint sobreCelda = reglas->viewport()->mapToGlobal(celda.center());
    QCursor::setPos(sobreCelda);
    Esperar(200);
    QToolTip::showText(sobreCelda, reglas->item(0, 4)->toolTip(), reglas, QRect(), 20000);
    Pantalla(carpeta, "fuzzy-pistas-reglas.png");
    QLabel* tipo = nullptr;
    for (QLabel* l : Frm_Parametros_Fuzzy->Panel1->findChildren<QLabel*>())
        if (l->text() == QStringLiteral("Tipo")) tipo = l;
    if (tipo) {
        QCursor::setPos(tipo->mapToGlobal(tipo->rect().center()));
        Esperar(200);
        QToolTip::showText(tipo->mapToGlobal(tipo->rect().center()), tipo->toolTip(), tipo, QRect(), 20000);
        Pantalla(carpeta, "fuzzy-pistas-tipo.png");
    }
    Frm_Parametros_Fuzzy->hide();
    DestruirVentanas();
    return 0;
}
