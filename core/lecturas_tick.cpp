#include "core/lecturas_tick.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

#include "core/textos_senal.h"

namespace {

// In the order of the ticks' reads (core/corridas.cpp): the step run its amplitude and the excitation signal's
// texts, the PID and fuzzy runs the sample time, their gains and the slider; every run the noise's texts last.
// tests/core/lecturas_test.cpp checks the table against the reads a tick really makes.
std::vector<const char*> Construir(std::initializer_list<const char*> propios, bool conSenal) {
    std::vector<const char*> v(propios);
    if (conSenal) v.insert(v.end(), TextosSenalEnCadaTick().begin(), TextosSenalEnCadaTick().end());
    v.insert(v.end(), TextosRuidoEnCadaTick().begin(), TextosRuidoEnCadaTick().end());
    return v;
}

const std::array<std::vector<const char*>, kNumCorridas>& Tabla() {
    static const std::array<std::vector<const char*>, kNumCorridas> t{
        Construir({"Alto_Escalon"}, true),
        Construir({"T_Sample", "Kp", "Ti", "Td", kTrackReferencia}, false),
        Construir({"T_Sample", "KE", "KDE", "KU", kTrackReferencia}, false),
    };
    return t;
}

}  // namespace

std::span<const char* const> LeidosEnCadaTick(Corrida corrida) { return Tabla()[static_cast<std::size_t>(corrida)]; }

bool SeLeeEnCadaTick(Corrida corrida, std::string_view nombre) {
    const auto leidos = LeidosEnCadaTick(corrida);
    return std::any_of(leidos.begin(), leidos.end(), [&](const char* n) { return nombre == n; });
}
