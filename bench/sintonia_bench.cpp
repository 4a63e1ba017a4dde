// What the "Sintonizar" dialog recomputes when its rule or knob changes: one rule's gains with the discrete
// loop's margins, stability and predicted step; the table of every rule; the relay's analysis and prediction.
// The delay is the cost that grows: the count of the closed loop's poles and the prediction scale with it.

#include <benchmark/benchmark.h>

#include "sintonia/rele.h"
#include "sintonia/sintonia.h"

namespace {

// The default tank (K 2, A R 20 s) with a dead time of `retardo` samples of the period T.
ModeloConRetardo Tanque(double retardo, double T) { return {2, 20, 0, retardo * T}; }

void BM_Sintonizar(benchmark::State& estado) {
    const double T = static_cast<double>(estado.range(1)) / 1000;
    const ModeloConRetardo p = Tanque(static_cast<double>(estado.range(0)), T);
    for (auto _ : estado) benchmark::DoNotOptimize(Sintonizar(p, {T, T}, Regla::Simc, Accion::PI));
}
BENCHMARK(BM_Sintonizar)
    ->ArgNames({"retardo", "T_ms"})
    ->Args({0, 500})
    ->Args({4, 500})
    ->Args({100, 100})
    ->Args({1000, 10})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond);

void BM_TodasLasReglas(benchmark::State& estado) {
    const ModeloConRetardo p = Tanque(static_cast<double>(estado.range(0)), 0.5);
    for (auto _ : estado) benchmark::DoNotOptimize(TodasLasReglas(p, {0.5, 0.5}, Accion::PID));
}
BENCHMARK(BM_TodasLasReglas)->ArgName("retardo")->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_AnalizarRele(benchmark::State& estado) {
    const Rele r{2, 2, 0, 0.01};
    const std::size_t n = static_cast<std::size_t>(estado.range(0));
    const CorridaRele c = SimularRele(Tanque(4, 0.5), {0.5, 0.5}, r, n);
    for (auto _ : estado) benchmark::DoNotOptimize(AnalizarRele(c.accion, c.nivel, 0.5, r));
    estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}
BENCHMARK(BM_AnalizarRele)->ArgName("muestras")->Arg(6000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_PredecirRele(benchmark::State& estado) {
    for (auto _ : estado) benchmark::DoNotOptimize(PredecirRele(Tanque(4, 0.5), {0.5, 0.5}, {2, 2, 0, 0.01}));
}
BENCHMARK(BM_PredecirRele)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
