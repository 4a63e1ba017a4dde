// The open-loop run's ticks with each excitation signal against the step run: 10^6 samples of Simulador ticks
// without windows, as the batch tool makes them (the chart's series kept, as the simulator keeps them). Also the
// step run on texts that keep no count of their changes, which read the signal's and noise's texts at every tick,
// and the measurement noise.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "tests/core/mudos.h"

namespace {

constexpr std::int64_t kMuestras = 1000000;

// The texts of a map, with no count of their changes: every tick reads the signal's and noise's texts again.
class SinVersion : public Textos {
public:
    explicit SinVersion(const Textos& t) : t_(t) {}
    std::string Texto(std::string_view n) const override { return t_.Texto(n); }
    std::string Celda(int c, int f) const override { return t_.Celda(c, f); }
    char Decimal() const override { return t_.Decimal(); }
    bool Existe(std::string_view n) const override { return t_.Existe(n); }

private:
    const Textos& t_;
};

// seconds per sample (printed as "ns")
benchmark::Counter PorMuestra() {
    return benchmark::Counter(static_cast<double>(kMuestras),
                              benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_LazoAbierto(benchmark::State& estado, const char* tipo, const char* ruido, bool conVersion) {
    TextosMapa mapa = TextosIniciales('.');
    mapa.Poner("Senal_Tipo", tipo);
    mapa.Poner("Ruido_Desviacion", ruido);
    const SinVersion sinVersion(mapa);
    const Textos& textos = conVersion ? static_cast<const Textos&>(mapa) : sinVersion;
    PosicionFija posicion;
    MensajesMudos mensajes;
    for (auto _ : estado) {
        estado.PauseTiming();
        auto sim = std::make_unique<Simulador>(textos, posicion, mensajes);
        sim->ToolButton4Click();
        estado.ResumeTiming();
        for (std::int64_t n = 0; n < kMuestras; ++n) sim->Timer1Timer();
        benchmark::DoNotOptimize(sim->UltimaMuestra().nivel);
        estado.PauseTiming();
        if (!sim->Timer(Corrida::Escalon).Enabled) estado.SkipWithError("the run stopped");
        sim.reset();  // the million points are freed outside the timing
        estado.ResumeTiming();
    }
    estado.counters["por_muestra"] = PorMuestra();
}
BENCHMARK_CAPTURE(BM_LazoAbierto, escalon, "Escalón", "0", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LazoAbierto, prbs, "PRBS", "0", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LazoAbierto, binaria_aleatoria, "Binaria aleatoria", "0", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LazoAbierto, niveles_aleatorios, "Niveles aleatorios", "0", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LazoAbierto, multiseno, "Multiseno", "0", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LazoAbierto, barrido, "Barrido", "0", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LazoAbierto, gaussiana, "Gaussiana", "0", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LazoAbierto, escalon_con_ruido, "Escalón", "0.01", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LazoAbierto, prbs_con_ruido, "PRBS", "0.01", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LazoAbierto, escalon_sin_cuenta, "Escalón", "0", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LazoAbierto, prbs_sin_cuenta, "PRBS", "0", false)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
