// The excitation signals as a run asks them: nanoseconds per sample over a million samples in order, for every
// type and for the noise; and what it costs to prepare them and to take a spectrum.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "senales/espectro.h"
#include "senales/generador.h"
#include "senales/ruido.h"

namespace {

constexpr std::int64_t kMuestras = 1000000;

// seconds per sample (printed as "ns"): the time of an iteration over its samples
benchmark::Counter PorMuestra(std::int64_t muestras) {
    return benchmark::Counter(static_cast<double>(muestras),
                              benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// A run of a million samples from 0; each iteration starts the run again, as a restarted run does.
void BM_Senal(benchmark::State& estado, TipoSenal tipo) {
    ParametrosSenal p;
    p.tipo = tipo;
    GeneradorSenal g(p);
    for (auto _ : estado) {
        double suma = 0;
        for (std::int64_t n = 0; n < kMuestras; ++n) suma += g.Valor(n);
        benchmark::DoNotOptimize(suma);
    }
    estado.counters["por_muestra"] = PorMuestra(kMuestras);
}
BENCHMARK_CAPTURE(BM_Senal, prbs, TipoSenal::PRBS)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Senal, binaria_aleatoria, TipoSenal::BinariaAleatoria)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Senal, niveles_aleatorios, TipoSenal::NivelesAleatorios)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Senal, multiseno, TipoSenal::Multiseno)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Senal, barrido, TipoSenal::Barrido)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Senal, gaussiana, TipoSenal::Gaussiana)->Unit(benchmark::kMillisecond);

// The clock of one sample: every sample a new value, the dearest case of the random signals.
void BM_SenalPeriodo1(benchmark::State& estado, TipoSenal tipo) {
    ParametrosSenal p;
    p.tipo = tipo;
    p.periodo = 1;
    GeneradorSenal g(p);
    for (auto _ : estado) {
        double suma = 0;
        for (std::int64_t n = 0; n < kMuestras; ++n) suma += g.Valor(n);
        benchmark::DoNotOptimize(suma);
    }
    estado.counters["por_muestra"] = PorMuestra(kMuestras);
}
BENCHMARK_CAPTURE(BM_SenalPeriodo1, binaria_aleatoria, TipoSenal::BinariaAleatoria)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SenalPeriodo1, niveles_aleatorios, TipoSenal::NivelesAleatorios)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SenalPeriodo1, gaussiana, TipoSenal::Gaussiana)->Unit(benchmark::kMillisecond);

void BM_Ruido(benchmark::State& estado) {
    Ruido r({0.01, 1});
    for (auto _ : estado) {
        double suma = 0;
        for (std::int64_t n = 0; n < kMuestras; ++n) suma += r.Valor(n);
        benchmark::DoNotOptimize(suma);
    }
    estado.counters["por_muestra"] = PorMuestra(kMuestras);
}
BENCHMARK(BM_Ruido)->Unit(benchmark::kMillisecond);

// Preparing a generator: the PRBS's period of 2^20 - 1 bits, the multisine's period.
void BM_Preparar(benchmark::State& estado, TipoSenal tipo, std::int32_t orden, std::int32_t componentes,
                 std::int32_t longitud, double fmin, double fmax) {
    ParametrosSenal p;
    p.tipo = tipo;
    p.orden = orden;
    p.componentes = componentes;
    p.longitud = longitud;
    p.frecuenciaMin = fmin;
    p.frecuenciaMax = fmax;
    for (auto _ : estado) {
        GeneradorSenal g(p);
        benchmark::DoNotOptimize(g.Valor(0));
    }
}
BENCHMARK_CAPTURE(BM_Preparar, prbs20, TipoSenal::PRBS, 20, 10, 400, 0.01, 0.2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Preparar, multiseno_10x400, TipoSenal::Multiseno, 6, 10, 400, 0.01, 0.2)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Preparar, multiseno_100x100000, TipoSenal::Multiseno, 6, 100, 100000, 0.001, 0.5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Preparar, multiseno_1000x1000000, TipoSenal::Multiseno, 6, 1000, 1000000, 0.001, 1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The spectrum of 2^20 samples, and of a prime length, which goes through Bluestein's form.
void BM_Espectro(benchmark::State& estado) {
    std::vector<double> x(static_cast<std::size_t>(estado.range(0)));
    Ruido r({1.0, 1});
    for (std::size_t n = 0; n < x.size(); ++n) x[n] = r.Valor(static_cast<std::int64_t>(n));
    for (auto _ : estado) benchmark::DoNotOptimize(EspectroPotencia(x).potencia.data());
}
BENCHMARK(BM_Espectro)->Arg(1 << 20)->Arg(1000003)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
