#pragma once
// tanque-lote rele: the relay experiment on the plant of the texts. The core's plant is stepped sample by sample
// as the PID run steps it (the plant first, under the action of the tick before; then the level is read and the
// relay decides), the oscillation is read (sintonia/rele.h), and the closed-loop rules give their gains.

#include <cstdio>

#include "tools/opciones_lote.h"

/// rele: writes the relay, the oscillation's reading, Ku and Pu, and the gains of Ziegler-Nichols and
/// Tyreus-Luyben to `salida` (text, or one JSON object with --json). Returns 0; 1 when a text does not convert,
/// the relay is refused, the level overflows, the oscillation cannot be read (the reason in Spanish), or the
/// output cannot be written.
int CorrerRele(const OpcionesLote& o, int salida, std::FILE* errores);
