// The views of the controllers, timed in the window program (run shown under Xvfb, or offscreen):
//  1. the control surface of 101 x 101 points recomputed in its window: inference, colour map, and painted;
//  2. a fuzzy tick with the main window's chart at 10^6 points, without the views, then with the surface
//     window (marker, trail and the rule grid's shading) and with the fuzzy dialog's shaded grid shown too;
//  3. a keystroke in the fuzzy dialog to its plots of the sets redrawn and painted.
// Medians, 90th percentiles and maxima of the wall time in milliseconds, and the median of the CPU time.
//   bench_controladores [TICKS]

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <vector>

#include "core/serie.h"
#include "fuzzy/fuerzas.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/arranque.h"
#include "ui/grafico.h"
#include "ui/graficos_conjuntos.h"
#include "ui/superficie_control.h"
#include "ui/vistas_controladores.h"

namespace {

class DialogosMudos : public Dialogos {
public:
    void Mensaje(QWidget*, const QString&) override {}
    std::optional<QString> ArchivoParaGuardar(QWidget*) override { return std::nullopt; }
};

void Asentar() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents(QEventLoop::AllEvents);
}

// Wall time, and the process's CPU time: on a machine shared with other work the wall time of a tick takes in
// the waits for a core, the CPU time does not (but it leaves out the X server's share of the painting).
struct Tiempo {
    double pared, cpu;
};

class Reloj {
public:
    Reloj() { pared_.start(), clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu_); }
    Tiempo Medido() const {
        timespec ahora{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ahora);
        return {pared_.nsecsElapsed() / 1e6, (ahora.tv_sec - cpu_.tv_sec) * 1e3 + (ahora.tv_nsec - cpu_.tv_nsec) / 1e6};
    }

private:
    QElapsedTimer pared_;
    timespec cpu_{};
};

struct Cifras {
    double mediana, p90, maximo, cpu;
};

Cifras Resumir(const std::vector<Tiempo>& t) {
    std::vector<double> ms, cpu;
    for (const Tiempo& x : t) {
        ms.push_back(x.pared);
        cpu.push_back(x.cpu);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpu.begin(), cpu.end());
    return {ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.back(), cpu[cpu.size() / 2]};
}

Cifras Medir(int veces, const std::function<void(int)>& paso) {
    std::vector<Tiempo> t;
    for (int k = 0; k < veces + 10; ++k) {
        const Reloj reloj;
        paso(k);
        if (k >= 10) t.push_back(reloj.Medido());
    }
    return Resumir(t);
}

void Imprimir(const char* que, const Cifras& c) {
    std::printf("%-58s %10.3f %10.3f %10.3f %10.3f\n", que, c.mediana, c.p90, c.maximo, c.cpu);
    std::fflush(stdout);
}

// The long record's shape of bench_grafico: a reference stepping ten times, a level following it.
void Agregar(Serie* s, long long n, double periodo) {
    const double t = static_cast<double>(n);
    const double r = std::floor(std::fmod(t / periodo, 10)) * 0.5;
    const double fase = std::fmod(t, periodo) / (periodo / 8);
    s[0].Agregar(t, r - 0.8 * std::exp(-fase) + 0.002 * std::sin(t * 0.37));
    s[1].Agregar(t, r / 2 + 1.5 * std::exp(-fase));
    s[2].Agregar(t, r);
}

void Tecla(QWidget* w, int tecla, const QString& texto) {
    QKeyEvent pulsar(QEvent::KeyPress, tecla, Qt::NoModifier, texto);
    QApplication::sendEvent(w, &pulsar);
    QKeyEvent soltar(QEvent::KeyRelease, tecla, Qt::NoModifier, texto);
    QApplication::sendEvent(w, &soltar);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 300;
    CrearVentanas(std::make_unique<DialogosMudos>());
    Frm_Ppal->show();
    Frm_Ppal->Chart1->setPlottingHint(QCP::phImmediateRefresh, true);
    Asentar();
    Simulador& s = Frm_Ppal->Nucleo();
    std::printf("%-58s %10s %10s %10s %10s\n", "what", "median_ms", "p90_ms", "max_ms", "cpu_med_ms");

    // 1. the surface, recomputed: default sets, and error sets with gaps (every failed point an exception)
    Frm_Ppal->ToolButton11->click();
    Frm_Ppal->Vistas->SuperficieControl1->trigger();
    TFrm_Superficie* sup = Frm_Ppal->Vistas->Superficie();
    sup->Mapa->setPlottingHint(QCP::phImmediateRefresh, true);
    Asentar();
    Imprimir("surface 101x101: inference and colour map",
             Medir(ticks, [&](int) { sup->Calcular(s.Controlador_Fuzzy(), true); }));
    Imprimir("surface 101x101: inference, colour map, painted", Medir(ticks, [&](int) {
                 sup->Calcular(s.Controlador_Fuzzy(), true);
                 sup->Mapa->replot(QCustomPlot::rpImmediateRefresh);
             }));
    for (auto [nombre, texto] : {std::pair{"E_Ne_Ancho", "0.5"}, {"E_Ze_Ancho", "0.2"}, {"E_Po_Ancho", "0.5"}})
        Frm_Parametros_Fuzzy->Edits().at(nombre)->setText(texto);
    Frm_Ppal->ToolButton11->click();
    Imprimir("surface 101x101 with gaps, painted", Medir(ticks, [&](int) {
                 sup->Calcular(s.Controlador_Fuzzy(), true);
                 sup->Mapa->replot(QCustomPlot::rpImmediateRefresh);
             }));
    for (auto [nombre, texto] : {std::pair{"E_Ne_Ancho", "1.25"}, {"E_Ze_Ancho", "1.25"}, {"E_Po_Ancho", "1.25"}})
        Frm_Parametros_Fuzzy->Edits().at(nombre)->setText(texto);
    Frm_Ppal->ToolButton11->click();
    sup->hide();
    Asentar();

    // 2. fuzzy ticks on a chart of 10^6 points; the run's QTimer stopped, the ticks driven here
    std::vector<Serie> series(3);
    const long long puntos = 1000000;
    for (long long n = 0; n < puntos; ++n) Agregar(series.data(), n, puntos / 10.0);
    Frm_Ppal->Chart1->Series(&series[0], &series[1], &series[2]);
    Frm_Parametros_Fuzzy->Edits().at("KDE")->setText("4");
    Frm_Ppal->ToolButton10->click();
    Frm_Ppal->Timer5->stop();
    long long n = puntos;
    int tick = 0;
    auto unTick = [&](int) {
        // the slider steps now and then, so that the marker moves and the rules change
        Frm_Ppal->Track_Referencia->setValue(2 + (tick++ / 40) % 4);
        Agregar(series.data(), n++, puntos / 10.0);
        s.AtenderTick(Corrida::Fuzzy);
        Asentar();
    };
    // blocks of ticks without and with the views in turn, so that a machine shared with other work weighs
    // on both alike; the first ticks after a window is shown or hidden are left out
    std::vector<Tiempo> sinVistas, conSuperficie, conDialogo;
    auto bloque = [&](std::vector<Tiempo>& v) {
        Asentar();
        for (int k = 0; k < 5; ++k) unTick(k);
        for (int k = 0; k < 50; ++k) {
            const Reloj reloj;
            unTick(k);
            v.push_back(reloj.Medido());
        }
    };
    for (int vuelta = 0; vuelta < std::max(1, ticks / 50); ++vuelta) {
        bloque(sinVistas);
        Frm_Ppal->Vistas->SuperficieControl1->trigger();
        bloque(conSuperficie);
        Frm_Parametros_Fuzzy->show();  // as it stands while the dialog is open during a run
        bloque(conDialogo);
        Frm_Parametros_Fuzzy->hide();
        sup->hide();
    }
    const Cifras sin = Resumir(sinVistas), con = Resumir(conSuperficie), dialogo = Resumir(conDialogo);
    Imprimir("fuzzy tick, chart of 10^6 points, no views", sin);
    Imprimir("fuzzy tick, surface window: marker, trail, shading", con);
    Imprimir("fuzzy tick, surface window and the fuzzy dialog's grid", dialogo);
    std::printf("%-58s %10.3f %32.3f\n", "added by the surface window (medians)", con.mediana - sin.mediana,
                con.cpu - sin.cpu);
    std::printf("%-58s %10.3f %32.3f\n", "added by the surface window and the dialog (medians)",
                dialogo.mediana - sin.mediana, dialogo.cpu - sin.cpu);
    Frm_Ppal->ToolButton10->click();
    Frm_Ppal->Chart1->Series(nullptr, nullptr, nullptr);

    // the parts of the surface window's work at a tick, each with its painting
    Frm_Ppal->Vistas->SuperficieControl1->trigger();
    Asentar();
    int k = 0;
    Imprimir("part: marker moved one step, painted", Medir(ticks, [&](int) {
                 ++k;
                 sup->Marcar(0.3 * std::sin(k * 0.3), 0.2 * std::cos(k * 0.2));
                 Asentar();
             }));
    TablaFuerzas a{}, b{};
    a[2][2] = 1;
    a[2][3] = 0.25;
    b[2][3] = 0.5;
    b[3][3] = 0.75;
    Imprimir("part: shading of three cells changed, painted", Medir(ticks, [&](int) {
                 ++k;
                 sup->PonerFuerzas(k % 2 ? a : b);
                 Asentar();
             }));
    sup->hide();

    // 3. a keystroke in the fuzzy dialog: "0" and "01" in turn in the centre of Ze of the error
    Frm_Parametros_Fuzzy->show();
    QLineEdit* centro = Frm_Parametros_Fuzzy->Edits().at("E_Ze_Centro");
    centro->setFocus();
    centro->end(false);
    // as in the program: the plot asks for a queued replot, which the event loop runs and then paints
    QCustomPlot* error = Frm_Parametros_Fuzzy->Graficos->Variable(0)->Grafico;
    int pintados = 0;
    QObject::connect(error, &QCustomPlot::afterReplot, [&] { ++pintados; });
    Asentar();
    Imprimir("keystroke to the error's plot redrawn and painted", Medir(ticks, [&](int k) {
                 if (k % 2 == 0)
                     Tecla(centro, Qt::Key_1, QStringLiteral("1"));
                 else
                     Tecla(centro, Qt::Key_Backspace, QString());
                 Asentar();
             }));
    std::printf("%-58s %10d of %d\n", "replots of the error's plot", pintados, ticks + 10);
    DestruirVentanas();
    return 0;
}
