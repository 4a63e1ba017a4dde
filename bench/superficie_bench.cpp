// The control surface of 101 x 101 points (target: under 5 ms), and the indices' cost per tick.

#include <benchmark/benchmark.h>

#include <optional>
#include <vector>

#include "bench/sistema_por_defecto.h"
#include "core/comparacion.h"
#include "core/observacion/indices.h"
#include "fuzzy/cobertura.h"
#include "fuzzy/superficie.h"

namespace {

std::vector<FDP> Primeros5(const std::vector<FDP>& v) { return {v.begin(), v.begin() + 5}; }

// Over the axis ranges of the error and derivative sets, or over the error range given.
void Superficie101(benchmark::State& estado, FIS fis, std::optional<Rango> rango_e = std::nullopt) {
    const Rango e = rango_e ? *rango_e : RangoEje(Primeros5(fis.Conjuntos_E));
    const Rango de = RangoEje(Primeros5(fis.Conjuntos_DE));
    std::size_t fallidos = 0;
    for (auto _ : estado) {
        const Superficie s = CalcularSuperficie(fis, e, de, 101, 101);
        fallidos = s.Fallidos();
        benchmark::DoNotOptimize(s.Valor(50, 50));
    }
    estado.counters["fallidos"] = static_cast<double>(fallidos);
    estado.SetItemsProcessed(static_cast<std::int64_t>(estado.iterations()) * 101 * 101);
}

void BM_Superficie101(benchmark::State& estado) { Superficie101(estado, ControladorPorDefecto()); }
BENCHMARK(BM_Superficie101)->Unit(benchmark::kMillisecond);

// the error sets with gaps, errors from -1 to 1: six columns of failed points, each an exception
void BM_Superficie101ConHuecos(benchmark::State& estado) {
    FIS fis = ControladorPorDefecto();
    fis.Conjuntos_E[1].Ancho = 1;
    fis.Conjuntos_E[2].Ancho = 0.2;
    fis.Conjuntos_E[3].Ancho = 1;
    Superficie101(estado, fis, Rango{-1.0, 1.0});
}
BENCHMARK(BM_Superficie101ConHuecos)->Unit(benchmark::kMillisecond);

// every point fails in Evaluar (a width of 0 set by hand): the worst case, 10201 exceptions
void BM_Superficie101TodoFalla(benchmark::State& estado) {
    FIS fis = ControladorPorDefecto();
    fis.Conjuntos_E[2].Ancho = 0;
    Superficie101(estado, fis);
}
BENCHMARK(BM_Superficie101TodoFalla)->Unit(benchmark::kMillisecond);

void BM_HuecosDeCincoConjuntos(benchmark::State& estado) {
    const std::vector<FDP> e = Primeros5(ControladorPorDefecto().Conjuntos_E);
    for (auto _ : estado) benchmark::DoNotOptimize(Huecos(e, RangoEje(e)));
}
BENCHMARK(BM_HuecosDeCincoConjuntos);

// The samples of a real PID run whose reference changes every 200 samples, fed again and again.
const std::vector<MuestraRespuesta>& MuestrasPID() {
    static const std::vector<MuestraRespuesta> v = [] {
        std::vector<CambioReferencia> calendario;
        for (int k = 0; k < 50; ++k) calendario.push_back({200 * k, 2 + (k % 4) * 2});
        const ResultadoCorrida r = CorrerConIndices(TextosIniciales('.'), Corrida::PID, calendario, 10000);
        std::vector<MuestraRespuesta> m;
        for (const MuestraCorrida& x : r.muestras) m.push_back({x.n, 0.5, x.referencia, x.nivel, x.accion});
        return m;
    }();
    return v;
}

void BM_IndicesAgregar(benchmark::State& estado) {
    const std::vector<MuestraRespuesta>& m = MuestrasPID();
    IndicesRespuesta ind;
    std::size_t i = 0;
    for (auto _ : estado) {
        if (i == m.size()) {
            i = 0;
            ind.Reiniciar();
        }
        ind.Agregar(m[i++]);
    }
}
BENCHMARK(BM_IndicesAgregar);

// what the window does at every tick: feed, then read the current step's values
void BM_IndicesAgregarYLeer(benchmark::State& estado) {
    const std::vector<MuestraRespuesta>& m = MuestrasPID();
    IndicesRespuesta ind;
    std::size_t i = 0;
    for (auto _ : estado) {
        if (i == m.size()) {
            i = 0;
            ind.Reiniciar();
        }
        ind.Agregar(m[i++]);
        benchmark::DoNotOptimize(ind.Actual());
    }
}
BENCHMARK(BM_IndicesAgregarYLeer);

// the step run without a gain: levels kept until the final value is estimated, then run through
void BM_IndicesEscalonSinGanancia(benchmark::State& estado) {
    static const std::vector<MuestraRespuesta> m = [] {
        const ResultadoCorrida r = CorrerConIndices(TextosIniciales('.'), Corrida::Escalon, {}, 2000);
        std::vector<MuestraRespuesta> v;
        for (const MuestraCorrida& x : r.muestras) v.push_back({x.n, 0.5, std::nullopt, x.nivel, x.accion});
        return v;
    }();
    IndicesRespuesta ind;
    std::size_t i = 0;
    for (auto _ : estado) {
        if (i == m.size()) {
            i = 0;
            ind.Reiniciar();
        }
        ind.Agregar(m[i++]);
    }
}
BENCHMARK(BM_IndicesEscalonSinGanancia);

}  // namespace
BENCHMARK_MAIN();
