#pragma once
// The response indices of each run as the simulator keeps them, and the settings that a run's start gives them.

#include <optional>
#include <string>

#include "core/controles.h"
#include "core/indices.h"
#include "core/planta/planta.h"
#include "core/simulacion.h"

/// The response indices of a run since its start or the last Limpiar. When the band's text did not read at
/// the run's start, `fallo` holds its message and the indices stay empty; the run goes on as ever.
struct IndicesCorrida {
    IndicesRespuesta indices;
    std::optional<std::string> fallo;
};

/// The indices' settings of a run that has just started on the plant `planta` with the constants of `s` (the
/// start has emptied the tank and set the action to 0, as AjustesIndices assumes): the band, and for a run
/// without a reference the plant's gain, at which a step of its inflow settles.
AjustesIndices AjustesIndicesDe(Corrida corrida, double banda, const Simulacion& s, const Planta& planta);
