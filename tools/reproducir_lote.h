#pragma once
// tanque-lote reproducir: a recorded schedule replayed without windows.

#include <cstdio>

#include "tools/opciones_lote.h"

/// Replays the schedule of the set-up file `opciones.reproducir` on a simulator that starts with the file's texts and
/// slider position, as the window's events would go (core/grabacion.h). The trace (descriptor `traza`, -1 for none)
/// has a line for each sample made, of whichever run made it; the messages go to `errores` as "N: text", N the
/// counter of the event's run (of the first active run for the others, 0 when none is). At the end, --salida gets
/// what the window's "Archivo" would write then, with the chart's whole range. Returns the exit status: 0 when the
/// schedule ran to its end and the outputs were written (messages shown or not, as in the window); 1 when the file
/// cannot be read, has no schedule or a recorded sample does not match (the record is then untouched), or an output
/// failed; 2 when --salida is the trace's output or the messages'.
int ReproducirLote(const OpcionesLote& opciones, int traza, std::FILE* errores);
