// The memory of the chart at speed "Máxima": the open-loop run ticked as the window ticks it for 10 minutes
// (the window made some 50 million samples in 10 minutes: about 83,000 a second), with the chart kept, and the
// resident memory read from /proc/self/statm every 2 million ticks. The run stops once the chart holds
// kMaximoPuntosGrafico levels (core/limite_grafico.h): the memory stays there whatever the length of the run.
//
//   bench_maxima [TICKS]     (default 50,000,000: 10 minutes at "Máxima")

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/limite_grafico.h"
#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "tests/core/mudos.h"

namespace {

class MensajesAnotados : public MensajesMudos {
public:
    void Mostrar(const std::string& t) override { mostrados.push_back(t); }
    std::vector<std::string> mostrados;
};

long RssKb() {
    std::ifstream f("/proc/self/statm");
    long paginas = 0, residentes = 0;
    f >> paginas >> residentes;
    return residentes * (::sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

int main(int argc, char** argv) {
    const long long ticks = argc > 1 ? std::atoll(argv[1]) : 50000000LL;
    PosicionFija posicion;
    MensajesAnotados mensajes;
    const TextosMapa textos = TextosIniciales('.');
    Simulador sim(textos, posicion, mensajes);
    sim.ToolButton4Click();
    const long inicio = RssKb();
    std::printf("%12s %12s %10s %10s\n", "ticks", "puntos", "RSS kB", "segundos");
    std::printf("%12d %12zu %10ld %10.1f\n", 0, sim.Series1().Cuenta(), inicio, 0.0);
    const auto t0 = std::chrono::steady_clock::now();
    long long parado = -1;
    for (long long k = 1; k <= ticks; ++k) {
        // a tick that finds its timer stopped does nothing, as in the window
        if (sim.Timer(Corrida::Escalon).Enabled) {
            sim.AtenderTick(Corrida::Escalon);
            if (!sim.Timer(Corrida::Escalon).Enabled && parado < 0) parado = k;
        }
        if (k % 2000000 == 0 || k == ticks || k == parado) {
            const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            std::printf("%12lld %12zu %10ld %10.1f%s\n", k, sim.Series1().Cuenta(), RssKb(), s,
                        k == parado ? "   (la corrida se para: gráfico lleno)" : "");
        }
    }
    std::printf("mensajes: %zu; último: %s\n", mensajes.mostrados.size(),
                mensajes.mostrados.empty() ? "-" : mensajes.mostrados.back().c_str());
    std::printf("límite: %zu puntos; memoria del gráfico lleno: %ld kB (%.1f bytes por muestra)\n",
                kMaximoPuntosGrafico, RssKb() - inicio,
                (RssKb() - inicio) * 1024.0 / static_cast<double>(sim.Series1().Cuenta()));
    return 0;
}
