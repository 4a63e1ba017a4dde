// The identification on long records: ARX on a million samples, OE on a hundred thousand, the step reading on
// a million, and the reading of a record file of a million lines.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "export/archivo.h"
#include "export/lectura.h"
#include "identificacion/arx.h"
#include "identificacion/escalon.h"
#include "identificacion/frecuencia.h"
#include "identificacion/oe.h"
#include "identificacion/ordenes.h"
#include "identificacion/periodo.h"

namespace {

// The default tank (K 2, Tau 20 s, T 0.5 s) under a random binary action held 10 samples, with measurement
// noise of deviation 0.02, or under one step at sample 0 without noise.
Registro Registro(std::size_t n, bool escalon) {
    const double a = std::exp(-0.5 / 20), b = 2 * (1 - a);
    ::Registro r;
    r.T = 0.5;
    r.accion.resize(n);
    r.nivel.resize(n);
    std::mt19937_64 azar(7);
    std::normal_distribution<double> ruido(0, 0.02);
    double y = 0, u = 0;
    for (std::size_t k = 0; k < n; ++k) {
        if (escalon)
            u = 2;
        else if (k % 10 == 0)
            u = (azar() & 1) ? 2.5 : 0.5;
        y = a * y + b * u;
        r.accion[k] = u;
        r.nivel[k] = escalon ? y : y + ruido(azar);
    }
    return r;
}

void BM_Arx(benchmark::State& estado) {
    const ::Registro r = Registro(static_cast<std::size_t>(estado.range(0)), false);
    const bool automatico = estado.range(1) != 0;
    for (auto _ : estado) benchmark::DoNotOptimize(automatico ? IdentificarArx(r) : IdentificarArx(r, 0));
    estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}
BENCHMARK(BM_Arx)
    ->ArgNames({"muestras", "retardo_automatico"})
    ->Args({1000000, 0})
    ->Args({1000000, 1})
    ->Unit(benchmark::kMillisecond);

void BM_Oe(benchmark::State& estado) {
    const ::Registro r = Registro(static_cast<std::size_t>(estado.range(0)), false);
    const bool automatico = estado.range(1) != 0;
    for (auto _ : estado) benchmark::DoNotOptimize(automatico ? IdentificarOe(r) : IdentificarOe(r, 0));
    estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}
BENCHMARK(BM_Oe)
    ->ArgNames({"muestras", "retardo_automatico"})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

void BM_Escalon(benchmark::State& estado) {
    const ::Registro r = Registro(static_cast<std::size_t>(estado.range(0)), true);
    for (auto _ : estado) benchmark::DoNotOptimize(LeerEscalon(r));
    estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}
BENCHMARK(BM_Escalon)->ArgNames({"muestras"})->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_LeerArchivo(benchmark::State& estado) {
    const ::Registro r = Registro(static_cast<std::size_t>(estado.range(0)), false);
    const std::string nombre = (std::filesystem::temp_directory_path() / "identificacion_bench.txt").string();
    EscribirExportacion(nombre, estado.range(0) - 1, [&](std::int64_t i) {
        const auto k = static_cast<std::size_t>(i);
        return MuestraExportada{static_cast<double>(i), r.accion[k], r.nivel[k]};
    });
    for (auto _ : estado) benchmark::DoNotOptimize(LeerExportacion(nombre));
    std::filesystem::remove(nombre);
    estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}
BENCHMARK(BM_LeerArchivo)->ArgNames({"lineas"})->Arg(1000000)->Unit(benchmark::kMillisecond);

// The scan of orders and delays (ARX na <= 4, nb <= na, nk 0 .. 10 and OE nf <= 4, with the residual test of
// the choice) on 10^5 samples of the noisy PRBS record.
void BM_Barrido(benchmark::State& estado) {
    const ::Registro r = Registro(static_cast<std::size_t>(estado.range(0)), false);
    for (auto _ : estado) benchmark::DoNotOptimize(BarrerOrdenes(r));
    estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}
BENCHMARK(BM_Barrido)->ArgNames({"muestras"})->Arg(100000)->Unit(benchmark::kMillisecond);

// The ETFE of 10^6 samples of a periodic input (1000 periods of 1000 samples) with its bands.
void BM_Etfe(benchmark::State& estado) {
    const std::size_t n = static_cast<std::size_t>(estado.range(0)), L = 1000;
    ::Registro r = Registro(n, false);
    for (std::size_t k = 0; k < n; ++k) r.accion[k] = r.accion[k % L];
    for (auto _ : estado) benchmark::DoNotOptimize(EtfePeriodica(r, L));
    estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}
BENCHMARK(BM_Etfe)->ArgNames({"muestras"})->Arg(1000000)->Unit(benchmark::kMillisecond);

// The period of the input found on 10^6 samples (what identificar --frecuencia and the dialog do before the
// ETFE): of the periodic input above (1000 samples), and of a step, which has none and costs the most.
void BM_PeriodoEntrada(benchmark::State& estado) {
    const std::size_t n = static_cast<std::size_t>(estado.range(0)), L = 1000;
    ::Registro r = Registro(n, false);
    if (estado.range(1) == 1)
        for (std::size_t k = 0; k < n; ++k) r.accion[k] = r.accion[k % L];
    else
        for (std::size_t k = 0; k < n; ++k) r.accion[k] = k < 100 ? 0.5 : 2.0;
    for (auto _ : estado) benchmark::DoNotOptimize(PeriodoEntrada(r));
    estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}
BENCHMARK(BM_PeriodoEntrada)
    ->ArgNames({"muestras", "periodica"})
    ->Args({1000000, 1})
    ->Args({1000000, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
