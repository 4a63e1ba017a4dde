// How long "Identificar" takes to open its dialog on a long chart: a step run of N samples (10^5 by default)
// on the main window's chart, then the menu entry triggered and the dialog painted: the record read from the
// chart, ARX, OE and the step reading, the table, the simulated model and its residuals drawn. The first
// opening builds the dialog; the next ones fill it again.
//
//   bench_identificar [N] [VECES]           times, in milliseconds
//   bench_identificar capturas CARPETA      the screenshots of the docs: the dialog after a 100 ms step run,
//                                           and the main chart with the model superposed

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "ui/Identificacion_Planta.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Planta.h"
#include "ui/arranque.h"
#include "ui/grafico.h"

namespace {

class DialogosMudos : public Dialogos {
public:
    void Mensaje(QWidget*, const QString& texto) override { mensajes.push_back(texto.toStdString()); }
    std::optional<QString> ArchivoParaGuardar(QWidget*) override { return std::nullopt; }
    std::vector<std::string> mensajes;
};

// CPU time of this process in milliseconds: on a shared machine the wall clock also counts the others' work.
double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void Asentar() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents(QEventLoop::AllEvents);
}

// A step run of n samples from the window's button, its ticks through the dispatcher as the timer's would be.
void Escalon(long long n) {
    Frm_Ppal->ToolButton4->click();
    Simulador& s = Frm_Ppal->Nucleo();
    for (long long i = 0; i < n; ++i) s.AtenderTick(Corrida::Escalon);
    Frm_Ppal->ToolButton4->click();
    Asentar();
}

int Capturas(const QString& carpeta) {
    Frm_Parametros_Planta->Edits().find("T_Sample")->second->setText(QStringLiteral("100"));
    Escalon(1500);
    Frm_Ppal->Identificar1->trigger();
    TFrm_Identificacion* d = Frm_Ppal->Frm_Identificacion;
    if (!d) return 1;
    d->resize(800, 700);
    Asentar();
    d->grab().save(carpeta + QStringLiteral("/identificacion-dialogo.png"));
    d->Superponer->click();
    d->close();
    // the start of the run, where the model and the record can be told apart
    Frm_Ppal->Chart1->xAxis->setRange(0, 150);
    Frm_Ppal->Chart1->replot();
    Asentar();
    Frm_Ppal->grab().save(carpeta + QStringLiteral("/identificacion-superpuesta.png"));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    auto d = std::make_unique<DialogosMudos>();
    DialogosMudos* dialogos = d.get();
    CrearVentanas(std::move(d));
    Frm_Ppal->show();
    Asentar();
    if (argc > 2 && std::string(argv[1]) == "capturas") {
        const int r = Capturas(QString::fromLocal8Bit(argv[2]));
        DestruirVentanas();
        return r;
    }
    const long long n = argc > 1 ? std::atoll(argv[1]) : 100000;
    const int veces = argc > 2 ? std::atoi(argv[2]) : 10;
    Escalon(n);
    dialogos->mensajes.clear();  // the stop's

    std::vector<double> ms, cpu;
    for (int k = 0; k < veces; ++k) {
        QElapsedTimer reloj;
        reloj.start();
        const double cpu0 = CpuMs();
        Frm_Ppal->Identificar1->trigger();
        Frm_Ppal->Frm_Identificacion->repaint();  // painted now, not at the next turn of the event loop
        Asentar();
        ms.push_back(reloj.nsecsElapsed() / 1e6);
        cpu.push_back(CpuMs() - cpu0);
        if (!Frm_Ppal->Frm_Identificacion->isVisible() || !dialogos->mensajes.empty()) {
            std::fprintf(stderr, "the dialog did not open: %s\n",
                         dialogos->mensajes.empty() ? "" : dialogos->mensajes.back().c_str());
            return 1;
        }
        Frm_Ppal->Frm_Identificacion->close();
        Asentar();
    }
    const double primera = ms.front(), primeraCpu = cpu.front();
    std::sort(ms.begin(), ms.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-10s %12s %12s %12s %14s %14s\n", "samples", "first_ms", "median_ms", "max_ms", "first_cpu_ms",
                "median_cpu_ms");
    std::printf("%-10lld %12.1f %12.1f %12.1f %14.1f %14.1f\n", n, primera, ms[ms.size() / 2], ms.back(), primeraCpu,
                cpu[cpu.size() / 2]);
    DestruirVentanas();
    return 0;
}
