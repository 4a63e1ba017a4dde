// The speed of the runs: the timers' intervals at each speed, the same records at x1 and at Máxima byte for
// byte, the drawings at most 60 times a second above x1 and at every tick at x1, and a window that still takes
// the mouse while the ticks come as fast as they can.

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

#include <functional>
#include <optional>

#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Reac.h"
#include "ui/arranque.h"
#include "ui/grafico.h"
#include "ui/rectangulo.h"
#include "ui/velocidad.h"

namespace {

DialogosPrueba* dialogos = nullptr;

struct Boton {
    Corrida corrida;
    QToolButton* TFrm_Ppal::*boton;
    QTimer* TFrm_Ppal::*timer;
};
constexpr Boton kPID{Corrida::PID, &TFrm_Ppal::ToolButton13, &TFrm_Ppal::Timer4};
constexpr Boton kFuzzy{Corrida::Fuzzy, &TFrm_Ppal::ToolButton10, &TFrm_Ppal::Timer5};

// Runs `ticks` samples of a run at speed `v`, the slider moved to 6 after the tenth, stops it and exports the
// chart; the record's bytes, or nothing when the run did not end in time.
std::optional<QByteArray> Registro(const Boton& b, Velocidad v, int ticks, const QString& archivo) {
    TFrm_Ppal* p = Frm_Ppal;
    p->LimpiarClick();
    p->Track_Referencia->setValue(2);
    p->Velocidad1->Poner(v);
    QTimer* timer = p->*b.timer;
    QToolButton* boton = p->*b.boton;
    // after the window's own slot: the tick is done when this runs
    const auto enlace = QObject::connect(timer, &QTimer::timeout, [&] {
        const std::int32_t n = p->Nucleo().Timer(b.corrida).Tag;
        if (n == 10) p->Track_Referencia->setValue(6);
        if (n == ticks && timer->isActive()) boton->click();
    });
    boton->click();
    const bool termino = QTest::qWaitFor([&] { return !timer->isActive(); }, ticks * 100 + 20000);
    QObject::disconnect(enlace);
    if (!termino) return std::nullopt;
    dialogos->registro = archivo;
    p->Archivo->click();
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    return f.readAll();
}

}  // namespace

class PruebaVelocidad : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(carpeta_.isValid());
        PrepararAplicacion();
    }
    void init() {
        dialogos = CrearVentanasDePrueba();
    }
    void cleanup() { DestruirVentanas(); }

    void intervalos_data() {
        QTest::addColumn<int>("intervalo");
        QTest::addColumn<int>("velocidad");
        QTest::addColumn<int>("esperado");
        QTest::newRow("x1 as ever") << 100 << int(Velocidad::x1) << 100;
        QTest::newRow("x10") << 100 << int(Velocidad::x10) << 10;
        QTest::newRow("x100") << 100 << int(Velocidad::x100) << 1;
        QTest::newRow("Máxima: every turn") << 100 << int(Velocidad::Maxima) << 0;
        QTest::newRow("the loops' first interval, x100") << 1000 << int(Velocidad::x100) << 10;
        QTest::newRow("half up, x10") << 5 << int(Velocidad::x10) << 1;
        QTest::newRow("never 0 but at Máxima") << 1 << int(Velocidad::x100) << 1;
        QTest::newRow("1.5 ms rounds to 2") << 150 << int(Velocidad::x100) << 2;
        QTest::newRow("1.49 ms rounds to 1") << 149 << int(Velocidad::x100) << 1;
    }
    void intervalos() {
        QFETCH(int, intervalo);
        QFETCH(int, velocidad);
        QFETCH(int, esperado);
        QCOMPARE(IntervaloConVelocidad(intervalo, static_cast<Velocidad>(velocidad)), esperado);
    }

    void elControlEstaEnLaBarraDeEstado() {
        ControlVelocidad* v = Frm_Ppal->Velocidad1;
        QCOMPARE(v->Actual(), Velocidad::x1);  // today's speed unless chosen
        QVERIFY(v->Boton(Velocidad::x1)->isChecked());
        QCOMPARE(v->parentWidget(), Frm_Ppal->StatusBar1);
        QVERIFY(v->isVisible());
        // right of the two panels, inside the bar; the window keeps its size
        QVERIFY(v->geometry().left() >= 450);
        QVERIFY(v->geometry().right() < 742);
        QCOMPARE(Frm_Ppal->centralWidget()->size(), QSize(742, 417));
        const QStringList textos{"x1", "x10", "x100", "Máxima"};
        for (Velocidad k : kVelocidades) QCOMPARE(v->Boton(k)->text(), textos[int(k)]);
        // the same four under "Opciones", before the views of the controllers
        QMenu* opciones = Frm_Ppal->menuBar()->actions()[1]->menu();
        QCOMPARE(opciones->title(), QStringLiteral("Opciones"));
        QMenu* submenu = nullptr;
        for (QAction* a : opciones->actions())
            if (a->menu() && a->menu()->title() == QStringLiteral("Velocidad")) submenu = a->menu();
        QVERIFY(submenu);
        QCOMPARE(submenu->actions().size(), 4);
        for (Velocidad k : kVelocidades) QCOMPARE(submenu->actions()[int(k)], v->Accion(k));
        // the button, the menu entry and the window agree
        v->Boton(Velocidad::x100)->click();
        QCOMPARE(v->Actual(), Velocidad::x100);
        QVERIFY(v->Accion(Velocidad::x100)->isChecked());
        QVERIFY(!v->Accion(Velocidad::x1)->isChecked());
        v->Accion(Velocidad::Maxima)->trigger();
        QCOMPARE(v->Actual(), Velocidad::Maxima);
        QVERIFY(v->Boton(Velocidad::Maxima)->isChecked());
    }

    void losTemporizadoresSiguenLaVelocidad() {
        Frm_Ppal->ToolButton13->click();
        QCOMPARE(Frm_Ppal->Timer4->interval(), 100);
        const struct {
            Velocidad v;
            int intervalo;
        } casos[] = {{Velocidad::x10, 10}, {Velocidad::x100, 1}, {Velocidad::Maxima, 0}, {Velocidad::x1, 100}};
        std::int32_t antes = 0;
        for (const auto& c : casos) {
            Frm_Ppal->Velocidad1->Poner(c.v);
            QCOMPARE(Frm_Ppal->Timer4->interval(), c.intervalo);
            QVERIFY(Frm_Ppal->Timer4->isActive());
            // the run goes on from where it was
            QTRY_VERIFY_WITH_TIMEOUT(Frm_Ppal->Nucleo().Timer(Corrida::PID).Tag > antes, 5000);
            antes = Frm_Ppal->Nucleo().Timer(Corrida::PID).Tag;
        }
        // a run started at a speed gets its interval at once
        Frm_Ppal->ToolButton13->click();
        Frm_Ppal->Velocidad1->Poner(Velocidad::x10);
        Frm_Ppal->ToolButton13->click();
        QCOMPARE(Frm_Ppal->Timer4->interval(), 10);
    }

    void maximaEscribeLoMismoQueX1() {
        QVERIFY(Registro(kPID, Velocidad::x1, 3, carpeta_.filePath("calentar.txt")));
        for (const Boton& b : {kPID, kFuzzy}) {
            if (b.corrida == Corrida::Fuzzy) Frm_Ppal->ToolButton11->click();
            const auto x1 = Registro(b, Velocidad::x1, 30, carpeta_.filePath("x1.txt"));
            const auto maxima = Registro(b, Velocidad::Maxima, 30, carpeta_.filePath("maxima.txt"));
            const auto x100 = Registro(b, Velocidad::x100, 30, carpeta_.filePath("x100.txt"));
            QVERIFY(x1 && maxima && x100);
            QCOMPARE(x1->size(), 30 * 25);  // 30 lines of 25 bytes
            QCOMPARE(*maxima, *x1);
            QCOMPARE(*x100, *x1);
        }
        // only the stops spoke
        for (const QString& m : dialogos->mensajes) QCOMPARE(m, QStringLiteral("El Ciclo de lectura se ha parado"));
    }

    void enX1CadaTickSeDibujaEnSeguida() {
        int ticks = 0, diferidos = 0;
        QObject::connect(Frm_Ppal->Timer4, &QTimer::timeout, [&] {
            ++ticks;
            if (Frm_Ppal->Refresco->isActive()) ++diferidos;
        });
        Frm_Ppal->ToolButton13->click();
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= 3, 5000);
        QCOMPARE(diferidos, 0);
    }

    void aMaximaElGraficoSeRedibujaHasta60VecesPorSegundo() {
        int redibujos = 0;
        QObject::connect(Frm_Ppal->Chart1, &QCustomPlot::afterReplot, [&] { ++redibujos; });
        Frm_Ppal->Velocidad1->Poner(Velocidad::Maxima);
        QElapsedTimer reloj;
        reloj.start();
        Frm_Ppal->ToolButton13->click();
        QTest::qWait(1000);
        const std::int32_t ticks = Frm_Ppal->Nucleo().Timer(Corrida::PID).Tag;
        const qint64 ms = reloj.elapsed();
        const int vistos = redibujos;
        QVERIFY2(vistos <= ms / 16 + 3, qPrintable(QStringLiteral("%1 redraws in %2 ms").arg(vistos).arg(ms)));
        QVERIFY2(ticks > vistos, qPrintable(QStringLiteral("%1 ticks, %2 redraws").arg(ticks).arg(vistos)));
        // the last samples reach the chart
        Frm_Ppal->Velocidad1->Poner(Velocidad::x1);
        Frm_Ppal->ToolButton13->click();
        const Serie& nivel = Frm_Ppal->Nucleo().Series1();
        QTRY_COMPARE(Frm_Ppal->Chart1->graph(0)->data()->at(Frm_Ppal->Chart1->graph(0)->dataCount() - 1)->key,
                     nivel.X(nivel.Cuenta() - 1));
    }

    void aMaximaLaRuedaDelRatonLlegaAlGrafico() {
        Frm_Ppal->Velocidad1->Poner(Velocidad::Maxima);
        Frm_Ppal->ToolButton13->click();
        QTRY_VERIFY_WITH_TIMEOUT(Frm_Ppal->Nucleo().Timer(Corrida::PID).Tag > 50, 10000);
        QVERIFY(Frm_Ppal->Chart1->RangoCompleto());
        // queued as the window system would deliver it, among the ticks
        const QPointF centro(Frm_Ppal->Chart1->width() / 2.0, Frm_Ppal->Chart1->height() / 2.0);
        QCoreApplication::postEvent(
            Frm_Ppal->Chart1, new QWheelEvent(centro, Frm_Ppal->Chart1->mapToGlobal(centro), QPoint(), QPoint(0, 120),
                                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false));
        QTRY_VERIFY_WITH_TIMEOUT(!Frm_Ppal->Chart1->RangoCompleto(), 5000);
        QVERIFY(Frm_Ppal->Timer4->isActive());
        const std::int32_t antes = Frm_Ppal->Nucleo().Timer(Corrida::PID).Tag;
        QTRY_VERIFY_WITH_TIMEOUT(Frm_Ppal->Nucleo().Timer(Corrida::PID).Tag > antes + 50, 10000);
    }

    void elMensajeMuestraLoDibujadoAlDia() {
        // a step that overflows at Máxima: when the box shows, the bar is at the level that overflowed
        static_cast<QLineEdit*>(Frm_Parametros->Edits().find("Alto_Escalon")->second)
            ->setText("12");  // over HMax after a few samples
        bool alDia = false;
        dialogos->alMostrar = [&] {
            // what the bar shows against the core's bar of now
            const Barra& b = Frm_Ppal->Nucleo().Nivel();
            alDia = Frm_Ppal->Nivel->Top() == b.Top && Frm_Ppal->Nivel->Alto() == b.Height && b.Height > 0;
            dialogos->alMostrar = nullptr;
        };
        Frm_Ppal->Velocidad1->Poner(Velocidad::Maxima);
        Frm_Ppal->ToolButton4->click();
        QTRY_VERIFY_WITH_TIMEOUT(!dialogos->mensajes.isEmpty(), 10000);
        QCOMPARE(dialogos->mensajes.first(), QStringLiteral("El Nivel del Tanque ha Superado el Máximo Permitido"));
        QVERIFY(alDia);
    }

private:
    QTemporaryDir carpeta_;
};

QTEST_MAIN(PruebaVelocidad)
#include "velocidad_test.moc"
