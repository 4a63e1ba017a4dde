// The runs at speed "Máxima" in the window program: samples per second with the main window shown and its chart
// drawn (at most 60 times a second), and how long an event queued among the ticks waits for its turn, as a
// click or a turn of the wheel would. Each run goes on for SECONDS of wall time; the step run, the PID run and
// the fuzzy run in turn.
//   bench_velocidad [SECONDS]

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QToolButton>

#include <qcustomplot.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "ui/PPal_reaccion.h"
#include "ui/arranque.h"
#include "ui/grafico.h"
#include "ui/velocidad.h"

namespace {

class DialogosMudos : public Dialogos {
public:
    void Mensaje(QWidget*, const QString&) override {}
    std::optional<QString> ArchivoParaGuardar(QWidget*) override { return std::nullopt; }
};

// An event posted every 20 ms, as the window system posts input: the time from its posting to its delivery.
class Sonda : public QObject {
public:
    struct Evento : QEvent {
        explicit Evento(qint64 ns) : QEvent(QEvent::User), enviado(ns) {}
        qint64 enviado;
    };
    explicit Sonda(const QElapsedTimer& reloj) : reloj_(reloj) {}
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User) return QObject::event(e);
        esperas.push_back((reloj_.nsecsElapsed() - static_cast<Evento*>(e)->enviado) / 1e6);
        return true;
    }
    std::vector<double> esperas;  // milliseconds

private:
    const QElapsedTimer& reloj_;
};

double Percentil(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    const double segundos = argc > 1 ? std::atof(argv[1]) : 5.0;
    PrepararAplicacion();
    CrearVentanas(std::make_unique<DialogosMudos>());
    Frm_Ppal->show();
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    Frm_Ppal->Velocidad1->Poner(Velocidad::Maxima);
    Frm_Ppal->ToolButton11->click();  // the fuzzy controller from the default texts

    std::printf("platform %s, Máxima, %.1f s per run\n", qPrintable(QGuiApplication::platformName()), segundos);
    std::printf("%-8s %12s %12s %14s %14s %14s\n", "run", "samples/s", "redraws/s", "wait_med_ms", "wait_p99_ms",
                "wait_max_ms");
    struct Corrida_ {
        const char* nombre;
        Corrida corrida;
        QToolButton* boton;
    };
    for (const Corrida_& c : {Corrida_{"step", Corrida::Escalon, Frm_Ppal->ToolButton4},
                              Corrida_{"pid", Corrida::PID, Frm_Ppal->ToolButton13},
                              Corrida_{"fuzzy", Corrida::Fuzzy, Frm_Ppal->ToolButton10}}) {
        Frm_Ppal->LimpiarClick();
        int redibujos = 0;
        const auto enlace =
            QObject::connect(Frm_Ppal->Chart1, &QCustomPlot::afterReplot, [&redibujos] { ++redibujos; });
        QElapsedTimer reloj;
        Sonda sonda(reloj);
        QTimer envios;
        envios.setTimerType(Qt::PreciseTimer);
        QObject::connect(&envios, &QTimer::timeout,
                         [&] { QCoreApplication::postEvent(&sonda, new Sonda::Evento(reloj.nsecsElapsed())); });
        QEventLoop bucle;
        QTimer::singleShot(static_cast<int>(segundos * 1000), &bucle, &QEventLoop::quit);
        reloj.start();
        envios.start(20);
        c.boton->click();
        bucle.exec();
        const std::int32_t muestras = Frm_Ppal->Nucleo().Timer(c.corrida).Tag;
        const double s = reloj.nsecsElapsed() / 1e9;
        envios.stop();
        c.boton->click();  // stops it
        QObject::disconnect(enlace);
        std::printf("%-8s %12.0f %12.1f %14.3f %14.3f %14.3f\n", c.nombre, muestras / s, redibujos / s,
                    Percentil(sonda.esperas, 0.5), Percentil(sonda.esperas, 0.99), Percentil(sonda.esperas, 1.0));
    }
    DestruirVentanas();
    return 0;
}
