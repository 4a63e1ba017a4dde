#include "core/lecturas_tick.h"

#include <algorithm>

namespace {

// In the order of the ticks' reads (core/corridas.cpp); tests/core/lecturas_test.cpp checks the two agree.
constexpr const char* kEscalon[] = {"Alto_Escalon"};
constexpr const char* kPID[] = {"T_Sample", "Kp", "Ti", "Td", kTrackReferencia};
constexpr const char* kFuzzy[] = {"T_Sample", "KE", "KDE", "KU", kTrackReferencia};

}  // namespace

std::span<const char* const> LeidosEnCadaTick(Corrida corrida) {
    switch (corrida) {
        case Corrida::Escalon: return kEscalon;
        case Corrida::PID: return kPID;
        case Corrida::Fuzzy: return kFuzzy;
    }
    return {};
}

bool SeLeeEnCadaTick(Corrida corrida, std::string_view nombre) {
    const auto leidos = LeidosEnCadaTick(corrida);
    return std::any_of(leidos.begin(), leidos.end(), [&](const char* n) { return nombre == n; });
}
