#include "core/lecturas_tick.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/corridas/corrida.h"
#include "core/textos_senal.h"

namespace {

// From each run's definition, in the order of its reads: its own texts and its gains, the slider when it reads
// it, the excitation signal's texts when they drive it; every run the noise's texts last.
// tests/core/lecturas_test.cpp checks the lists against the reads a tick really makes.
std::vector<const char*> Construir(const DefinicionCorrida& d) {
    std::vector<const char*> v(d.propios.begin(), d.propios.end());
    v.insert(v.end(), d.ganancias.begin(), d.ganancias.end());
    if (d.leePosicion) v.push_back(kTrackReferencia);
    if (d.conSenal) v.insert(v.end(), TextosSenalEnCadaTick().begin(), TextosSenalEnCadaTick().end());
    v.insert(v.end(), TextosRuidoEnCadaTick().begin(), TextosRuidoEnCadaTick().end());
    return v;
}

const std::array<std::vector<const char*>, kNumCorridas>& Tabla() {
    static const std::array<std::vector<const char*>, kNumCorridas> t = [] {
        std::array<std::vector<const char*>, kNumCorridas> a;
        for (const DefinicionCorrida& d : Corridas()) a[static_cast<std::size_t>(d.id)] = Construir(d);
        return a;
    }();
    return t;
}

}  // namespace

std::span<const char* const> LeidosEnCadaTick(Corrida corrida) { return Tabla()[static_cast<std::size_t>(corrida)]; }

bool SeLeeEnCadaTick(Corrida corrida, std::string_view nombre) {
    const auto leidos = LeidosEnCadaTick(corrida);
    return std::any_of(leidos.begin(), leidos.end(), [&](const char* n) { return nombre == n; });
}
