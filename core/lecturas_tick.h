#pragma once
// Which texts each run reads at every one of its ticks. Every other text is read only when something starts: the
// plant's texts when a run's button is pressed, the fuzzy sets and rules by "Inicializar Control Fuzzy". A change
// of those during a run acts at the next start. The lists come from the runs' definitions (core/corridas/corrida.h):
// a run that comes to read more texts at every tick adds them there.

#include <span>
#include <string_view>

#include "core/controles.h"

/// The name of the slider's position among the texts, as the batch tool knows it.
inline constexpr const char* kTrackReferencia = "Track_Referencia";

/// The texts that the run reads at every tick, kTrackReferencia standing for the slider. A tick may skip some of
/// them (the signal's texts that its type does not use, the noise's seed while there is no noise, any text while
/// the texts report no change), but it reads no other.
std::span<const char* const> LeidosEnCadaTick(Corrida corrida);

/// True when the run reads the text `nombre` (or the slider, as kTrackReferencia) at every tick.
bool SeLeeEnCadaTick(Corrida corrida, std::string_view nombre);
