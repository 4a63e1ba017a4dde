// From the program's start to its first painted main window, and its peak memory then and with a million
// points on the chart. The parent starts a child (this same program, as the window program starts) and
// the child reports when its window has been painted, on the clock that both share.

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "ui/PPal_reaccion.h"
#include "ui/arranque.h"
#include "ui/grafico.h"

extern char** environ;

namespace {

double AhoraMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Peak resident memory of this process, in MB.
double PicoMemoriaMB() {
    std::ifstream estado("/proc/self/status");
    for (std::string linea; std::getline(estado, linea);)
        if (linea.rfind("VmHWM:", 0) == 0) return std::atof(linea.c_str() + 6) / 1024;
    return 0;
}

class PrimerPintado : public QObject {
public:
    bool pintado = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) pintado = true;
        return false;
    }
};

int Hijo(double inicio, long long puntos, int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tanque"));
    CrearVentanas();
    PrimerPintado filtro;
    Frm_Ppal->installEventFilter(&filtro);
    Frm_Ppal->show();
    while (!filtro.pintado || !Frm_Ppal->windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents();  // the painted frame goes out
    const double pintado = AhoraMs() - inicio;
    const double memoria = PicoMemoriaMB();
    double memoriaConPuntos = 0;
    if (puntos > 0) {
        // a step run of that many samples, plotted at once at its end
        Simulador& s = Frm_Ppal->Nucleo();
        s.ToolButton4Click();
        s.AlCambiar(nullptr);
        for (long long n = 0; n < puntos; ++n) s.Timer1Timer();
        s.AlCambiar([](unsigned c) { Frm_Ppal->Sincronizar(c); });
        Frm_Ppal->Sincronizar(~0u);
        Frm_Ppal->Chart1->replot(QCustomPlot::rpImmediateRefresh);
        QApplication::processEvents();
        memoriaConPuntos = PicoMemoriaMB();
    }
    std::printf("%.1f %.1f %.1f\n", pintado, memoria, memoriaConPuntos);
    DestruirVentanas();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--hijo") == 0)
        return Hijo(std::atof(argv[2]), std::atoll(argv[3]), argc, argv);
    const long long puntos = argc > 1 ? std::atoll(argv[1]) : 1000000;
    const int veces = argc > 2 ? std::atoi(argv[2]) : 10;
    std::printf("%-6s %16s %14s %22s\n", "run", "first_paint_ms", "peak_start_MB", "peak_with_points_MB");
    for (int v = 0; v < veces; ++v) {
        std::string inicio = std::to_string(AhoraMs());
        std::string cuantos = std::to_string(v == 0 ? puntos : 0);
        char* args[] = {argv[0], const_cast<char*>("--hijo"), inicio.data(), cuantos.data(), nullptr};
        int tubo[2];
        if (pipe(tubo) != 0) return 1;
        posix_spawn_file_actions_t acciones;
        posix_spawn_file_actions_init(&acciones);
        posix_spawn_file_actions_adddup2(&acciones, tubo[1], 1);
        posix_spawn_file_actions_addclose(&acciones, tubo[0]);
        pid_t pid;
        inicio = std::to_string(AhoraMs());
        args[2] = inicio.data();
        if (posix_spawn(&pid, argv[0], &acciones, nullptr, args, environ) != 0) return 1;
        close(tubo[1]);
        char linea[256] = {};
        const ssize_t leidos = read(tubo[0], linea, sizeof linea - 1);
        close(tubo[0]);
        int estado = 0;
        waitpid(pid, &estado, 0);
        if (leidos <= 0) return 1;
        double pintado, memoria, conPuntos;
        if (std::sscanf(linea, "%lf %lf %lf", &pintado, &memoria, &conPuntos) != 3) return 1;
        if (v == 0)
            std::printf("%-6d %16.1f %14.1f %22.1f\n", v, pintado, memoria, conPuntos);
        else
            std::printf("%-6d %16.1f %14.1f %22s\n", v, pintado, memoria, "-");
    }
    return 0;
}
