// The headless side: tanque-lote's samples per second for each run, and the export of a million points.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "tests/core/mudos.h"
#include "tools/lote.h"

namespace {

// Whole runs of tanque-lote as the tool makes them, trace and file off: samples per second.
void BM_Lote(benchmark::State& estado, const char* corrida) {
    const std::int64_t muestras = estado.range(0);
    const OpcionesLote opciones = LeerOpciones({corrida, std::to_string(muestras)});
    std::FILE* nulo = std::fopen("/dev/null", "w");
    for (auto _ : estado) {
        if (CorrerLote(opciones, -1, nulo) != 0) estado.SkipWithError("the run failed");
    }
    std::fclose(nulo);
    estado.SetItemsProcessed(estado.iterations() * muestras);
}
BENCHMARK_CAPTURE(BM_Lote, escalon, "escalon")->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Lote, pid, "pid")->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Lote, fuzzy, "fuzzy")->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Archivo" on a chart of a million points of a step run.
void BM_Exportar(benchmark::State& estado) {
    const TextosMapa textos = TextosIniciales('.');
    PosicionFija posicion;
    MensajesMudos mensajes;
    Simulador sim(textos, posicion, mensajes);
    sim.ToolButton4Click();
    for (std::int64_t n = 0; n < estado.range(0); ++n) sim.Timer1Timer();
    const std::string archivo = (std::filesystem::temp_directory_path() / "tanque_bench_exportar.txt").string();
    for (auto _ : estado) sim.ArchivoClick(archivo, true, 0, 0);
    estado.counters["bytes"] = static_cast<double>(std::filesystem::file_size(archivo));
    std::filesystem::remove(archivo);
    estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}
BENCHMARK(BM_Exportar)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
