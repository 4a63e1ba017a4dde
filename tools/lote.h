#pragma once
// The batch generator: one run of the simulator, ticked in a loop, without windows.

#include <cstdio>

#include "tools/opciones_lote.h"

/// Runs what the options ask; the trace goes to `traza`, messages to `errores` as "N: text".
/// Returns the exit status: 0, or 1 when a handler failed or the run did not start.
int CorrerLote(const OpcionesLote& opciones, std::FILE* traza, std::FILE* errores);
