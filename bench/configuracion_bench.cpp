// The set-up file: reading and writing the default set-up, and a recorded schedule as large as the reader
// takes (two runs whose ticks interleave one by one, as a long session with two active runs records them).
// A file of tiny objects as large as the reader takes checks that reading stays linear.
// The counter pico_MiB is the process's peak resident memory so far (it only grows along the run).

#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/configuracion.h"
#include "core/textos_mapa.h"
#include "core/textos_por_defecto.h"

namespace {

const std::vector<std::string>& Nombres() {
    static const std::vector<std::string> nombres = [] {
        std::vector<std::string> n;
        for (const TextoPorDefecto& t : TextosPorDefecto()) n.emplace_back(t.nombre);
        for (int fila = 1; fila <= 5; ++fila)
            for (int columna = 1; columna <= 5; ++columna) n.push_back(NombreCelda(columna, fila));
        return n;
    }();
    return nombres;
}

Configuracion PorDefecto() {
    Configuracion c;
    const TextosMapa t = TextosIniciales(',');
    for (const std::string& n : Nombres()) c.textos[n] = t.Texto(n);
    c.posicion = 2;
    return c;
}

// The defaults and as many interleaved ticks as fit under the size limit.
Configuracion ProgramaMaximo() {
    Configuracion c = PorDefecto();
    std::vector<EventoPrograma>& p = c.programa.emplace();
    p.push_back({EventoInicializarFuzzy{}, std::nullopt});
    p.push_back({EventoAlternar{Corrida::PID}, 0});
    p.push_back({EventoAlternar{Corrida::Fuzzy}, 0});
    // each tick line is at most about 80 bytes; stop a little short of the limit
    const std::size_t eventos = (kTamanoMaximoConfiguracion - 4096) / 80;
    for (std::int32_t i = 0; p.size() < eventos; ++i) {
        p.push_back({EventoTicks{Corrida::PID, 1}, i});
        p.push_back({EventoTicks{Corrida::Fuzzy, 1}, i});
    }
    return c;
}

double PicoMiB() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return static_cast<double>(uso.ru_maxrss) / 1024.0;
}

void BM_LeerPorDefecto(benchmark::State& estado) {
    const std::string s = EscribirConfiguracion(PorDefecto(), Nombres());
    for (auto _ : estado) benchmark::DoNotOptimize(LeerConfiguracion(s, Nombres()));
    estado.SetBytesProcessed(estado.iterations() * static_cast<std::int64_t>(s.size()));
    estado.counters["bytes"] = static_cast<double>(s.size());
}
BENCHMARK(BM_LeerPorDefecto)->Unit(benchmark::kMicrosecond);

void BM_EscribirPorDefecto(benchmark::State& estado) {
    const Configuracion c = PorDefecto();
    for (auto _ : estado) benchmark::DoNotOptimize(EscribirConfiguracion(c, Nombres()));
}
BENCHMARK(BM_EscribirPorDefecto)->Unit(benchmark::kMicrosecond);

void BM_LeerProgramaMaximo(benchmark::State& estado) {
    const Configuracion c = ProgramaMaximo();
    const std::string s = EscribirConfiguracion(c, Nombres());
    if (s.size() > kTamanoMaximoConfiguracion) estado.SkipWithError("the file is over the limit");
    for (auto _ : estado) benchmark::DoNotOptimize(LeerConfiguracion(s, Nombres()));
    estado.SetBytesProcessed(estado.iterations() * static_cast<std::int64_t>(s.size()));
    estado.counters["bytes"] = static_cast<double>(s.size());
    estado.counters["eventos"] = static_cast<double>(c.programa->size());
    estado.counters["pico_MiB"] = PicoMiB();
}
BENCHMARK(BM_LeerProgramaMaximo)->Unit(benchmark::kMillisecond);

// A file of the largest size made of as many tiny objects as fit, under a key that the reader ignores: the
// worst case for a tree builder that would look back over a container at each of its elements.
void BM_LeerObjetosDiminutos(benchmark::State& estado) {
    std::string s = R"({"formato": "tanque-configuracion", "version": 1, "x": [{})";
    while (s.size() + 8 < kTamanoMaximoConfiguracion) s += ",{}";
    s += "]}";
    for (auto _ : estado) benchmark::DoNotOptimize(LeerConfiguracion(s, Nombres()));
    estado.SetBytesProcessed(estado.iterations() * static_cast<std::int64_t>(s.size()));
    estado.counters["objetos"] = static_cast<double>(s.size() / 3);
    estado.counters["pico_MiB"] = PicoMiB();
}
BENCHMARK(BM_LeerObjetosDiminutos)->Unit(benchmark::kMillisecond);

// The same size made of short unknown text names: each is kept, to be reported.
void BM_LeerTextosDesconocidos(benchmark::State& estado) {
    std::string s = R"({"formato": "tanque-configuracion", "version": 1, "textos": {"0": "")";
    std::size_t n = 1;
    for (; s.size() + 32 < kTamanoMaximoConfiguracion; ++n) s += ",\"" + std::to_string(n) + "\":\"\"";
    s += "}}";
    for (auto _ : estado) benchmark::DoNotOptimize(LeerConfiguracion(s, Nombres()));
    estado.SetBytesProcessed(estado.iterations() * static_cast<std::int64_t>(s.size()));
    estado.counters["nombres"] = static_cast<double>(n);
    estado.counters["pico_MiB"] = PicoMiB();
}
BENCHMARK(BM_LeerTextosDesconocidos)->Unit(benchmark::kMillisecond);

void BM_EscribirProgramaMaximo(benchmark::State& estado) {
    const Configuracion c = ProgramaMaximo();
    for (auto _ : estado) benchmark::DoNotOptimize(EscribirConfiguracion(c, Nombres()));
}
BENCHMARK(BM_EscribirProgramaMaximo)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
