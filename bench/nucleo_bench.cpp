// The headless side: tanque-lote's samples per second for each run, and the export of a million points.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

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

// The open-loop run on each plant and clock (core/planta/): samples per second, beside the linear tank's.
void BM_LotePlanta(benchmark::State& estado, std::vector<std::string> textos) {
    const std::int64_t muestras = estado.range(0);
    std::vector<std::string> argumentos{"escalon", std::to_string(muestras)};
    argumentos.insert(argumentos.end(), textos.begin(), textos.end());
    const OpcionesLote opciones = LeerOpciones(argumentos);
    std::FILE* nulo = std::fopen("/dev/null", "w");
    for (auto _ : estado) {
        if (CorrerLote(opciones, -1, nulo) != 0) estado.SkipWithError("the run failed");
    }
    std::fclose(nulo);
    estado.SetItemsProcessed(estado.iterations() * muestras);
}
#define TANQUE_PLANTA(nombre, ...)                                                          \
    BENCHMARK_CAPTURE(BM_LotePlanta, nombre, std::vector<std::string>{__VA_ARGS__})         \
        ->Arg(1000000)                                                                      \
        ->Unit(benchmark::kMillisecond)                                                     \
        ->UseRealTime()
TANQUE_PLANTA(lineal);
TANQUE_PLANTA(lineal_exacto, "--Integrador=Exacto");
TANQUE_PLANTA(orificio, "--Modelo_Planta=Orificio");
TANQUE_PLANTA(orificio_exacto, "--Modelo_Planta=Orificio", "--Integrador=Exacto");
TANQUE_PLANTA(dos_tanques, "--Modelo_Planta=Dos Tanques");
TANQUE_PLANTA(dos_tanques_orificio, "--Modelo_Planta=Dos Tanques", "--Salida_Tanques=Orificio");
TANQUE_PLANTA(dos_tanques_orificio_exacto, "--Modelo_Planta=Dos Tanques", "--Salida_Tanques=Orificio",
              "--Integrador=Exacto");

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
