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
///
/// The record of --salida is written as the replay goes (`seguida`), in memory that does not grow with it, while
/// its lines are those that the chart would hold at the end: only the open-loop run ticks, each of its runs on an
/// empty chart, below the chart's bound, without a failed tick. Otherwise the replay goes again from the start
/// with the chart, silent up to where it had come, and the record is the chart's export at the end, as without
/// `seguida` (the tests' oracle): the same bytes either way.
int ReproducirLote(const OpcionesLote& opciones, int traza, std::FILE* errores, bool seguida = true);
