// The cost of one tick on the chart as the points pile up: one point appended to each of the three series,
// then the main window's chart brought up to date and painted. Run shown under Xvfb (xcb) and offscreen.

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/serie.h"
#include "ui/PPal_reaccion.h"
#include "ui/arranque.h"
#include "ui/grafico.h"

namespace {

class DialogosMudos : public Dialogos {
public:
    void Mensaje(QWidget*, const QString&) override {}
    std::optional<QString> ArchivoParaGuardar(QWidget*) override { return std::nullopt; }
};

// A level, an action and a reference that move like those of a long identification run: a reference that
// steps ten times over the record, an action that jumps with it and then settles, a level that follows with
// a small ripple. The shape scales with the record, so that the picture, and the cost of painting it, is
// the same at every length. With `ruido` the action and the level also jump from sample to sample, the
// worst case for the painting: every pixel column then spans the whole band.
bool ruido = false;
double periodo = 1000;
void Agregar(Serie* s, long long n) {
    const double t = static_cast<double>(n);
    const double r = std::floor(std::fmod(t / periodo, 10)) * 0.5;
    const double fase = std::fmod(t, periodo) / (periodo / 8);
    const double a = ruido ? 0.5 * std::sin(t * 1.3) : 0.0;
    s[0].Agregar(t, r - 0.8 * std::exp(-fase) + 0.002 * std::sin(t * 0.37) + 0.6 * a);
    s[1].Agregar(t, r / 2 + 1.5 * std::exp(-fase) + a);
    s[2].Agregar(t, r);
}

void Asentar() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const long long maximo = argc > 1 ? std::atoll(argv[1]) : 10000000LL;
    const int ticks = argc > 2 ? std::atoi(argv[2]) : 200;
    const long long minimo = argc > 3 ? std::atoll(argv[3]) : 1000;
    ruido = argc > 4 && std::string(argv[4]) == "ruido";
    CrearVentanas(std::make_unique<DialogosMudos>());
    Frm_Ppal->show();
    Frm_Ppal->Chart1->setPlottingHint(QCP::phImmediateRefresh, true);  // paint within the tick
    Asentar();

    std::printf("%-10s %12s %12s %12s\n", "points", "median_ms", "p90_ms", "max_ms");
    for (long long puntos = minimo; puntos <= maximo; puntos *= 10) {
        std::vector<Serie> series(3);
        periodo = static_cast<double>(puntos) / 10;
        for (long long n = 0; n < puntos; ++n) Agregar(series.data(), n);
        Frm_Ppal->Chart1->Series(&series[0], &series[1], &series[2]);
        Asentar();
        std::vector<double> ms;
        long long n = puntos;
        for (int k = 0; k < ticks + 10; ++k) {
            QElapsedTimer reloj;
            reloj.start();
            Agregar(series.data(), n++);
            Frm_Ppal->Chart1->Actualizar();
            Asentar();
            if (k >= 10) ms.push_back(reloj.nsecsElapsed() / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%-10lld %12.3f %12.3f %12.3f\n", puntos, ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.back());
        std::fflush(stdout);
        Frm_Ppal->Chart1->Series(nullptr, nullptr, nullptr);
    }
    DestruirVentanas();
    return 0;
}
