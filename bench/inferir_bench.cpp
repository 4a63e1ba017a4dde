// Inferir per call, against fuzzylite's engine set up as the same law, on the same inputs.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "bench/sistema_por_defecto.h"
#include "tests/fuzzy/motor_fuzzylite.h"

namespace {

// Inputs spread over the sets' whole range, as a run meets them; the same for both engines.
const std::vector<std::pair<double, double>>& Entradas() {
    static const std::vector<std::pair<double, double>> v = [] {
        std::mt19937_64 azar(7);
        std::uniform_real_distribution<double> e(-6, 6), de(-1.2, 1.2);
        std::vector<std::pair<double, double>> x(4096);
        for (auto& p : x) p = {e(azar), de(azar)};
        return x;
    }();
    return v;
}

void BM_Inferir(benchmark::State& estado) {
    FIS fis = ControladorPorDefecto();
    std::size_t i = 0;
    for (auto _ : estado) {
        const auto& [e, de] = Entradas()[i++ & 4095];
        benchmark::DoNotOptimize(fis.Inferir(e, de));
    }
}
BENCHMARK(BM_Inferir);

void BM_Fuzzylite(benchmark::State& estado) {
    FIS fis = ControladorPorDefecto();
    Motor_Fuzzylite motor(fis);
    // identical results first: the comparison is worth nothing otherwise
    double peor = 0;
    for (const auto& [e, de] : Entradas()) peor = std::max(peor, std::abs(fis.Inferir(e, de) - motor.Procesar(e, de)));
    if (peor > 1e-12) estado.SkipWithError("fuzzylite and Inferir disagree");
    estado.counters["diferencia_maxima"] = peor;
    std::size_t i = 0;
    for (auto _ : estado) {
        const auto& [e, de] = Entradas()[i++ & 4095];
        benchmark::DoNotOptimize(motor.Procesar(e, de));
    }
}
BENCHMARK(BM_Fuzzylite);

}  // namespace
BENCHMARK_MAIN();
