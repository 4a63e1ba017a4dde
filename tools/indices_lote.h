#pragma once
// The response indices in the batch tool: a table of steps as text, or one JSON object per step; and comparar,
// the PID and fuzzy runs side by side on one reference schedule.

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "core/comparacion.h"
#include "core/observacion/indices.h"
#include "tools/opciones_lote.h"

/// The header of the table of steps; with `controlador`, a first column names the run of each row.
std::string CabeceraIndices(bool controlador);

/// One row of the table: step `numero` (from 1), its indices in fixed columns, "—" where a value is absent.
std::string FilaIndices(const IndicesEscalon& e, std::size_t numero, const char* controlador = nullptr);

/// Step `numero` (from 1) as one line of JSON: every index by its name, null where absent.
std::string JsonIndices(const IndicesEscalon& e, std::size_t numero);

/// The reference schedule of comparar: the slider's position of --Track_Referencia=P from sample 0, then the
/// changes of --Track_Referencia@N=P.
std::vector<CambioReferencia> CalendarioDe(const OpcionesLote& o);

/// comparar: both runs (CompararControladores) on the texts of the options, the table of their indices on the
/// descriptor `salida` (text, or one JSON object with --json), what ended a run early on `errores`. Returns 0, or
/// 1 when a run failed for another reason than the overflow stop, or the output could not be written.
int CorrerComparar(const OpcionesLote& o, int salida, std::FILE* errores);
