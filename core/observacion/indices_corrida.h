#pragma once
// The response indices of each run as the simulator keeps them, and the settings that a run's start gives them.

#include <array>
#include <optional>
#include <string>

#include "core/controles.h"
#include "core/observacion/indices.h"
#include "core/observacion/observador.h"
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

/// Each run's indices, fed by its ticks: begun at its start with the band of Banda_Establecimiento, fed with
/// each sample that a tick plotted, emptied by "Limpiar".
class IndicesCorridas : public ObservadorCorrida {
public:
    const IndicesCorrida& De(Corrida c) const { return indices_[static_cast<std::size_t>(c)]; }
    /// Whether the run's indices take its samples (its band read at its start).
    bool Alimentadas(Corrida c) const { return !De(c).fallo; }

    void Empezo(const InicioCorrida& inicio) override;
    void Muestra(const MuestraTick& m) override;
    void Limpiado() override;

private:
    std::array<IndicesCorrida, kNumCorridas> indices_;
};
