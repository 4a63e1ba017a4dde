#pragma once
// tanque-lote variante and calificar: a course's exercises written, and its answers graded.

#include <cstdio>

struct OpcionesLote;

/// The exercise of --alumno into --dir, or of each id of --clase into --dir/ID. Messages to `errores` as
/// "tanque-lote: ..."; returns 0, or 1 when a file could not be written or the class not read.
int CorrerVariante(const OpcionesLote& o, std::FILE* errores);

/// The report of --alumno's answer, or the CSV of --clase's answers (--respuestas/ID.json each; a missing or
/// malformed one is a line with its reason), on `salida` or into --salida. Returns 0, or 1 when the answer of
/// --alumno is refused or an output fails.
int CorrerCalificar(const OpcionesLote& o, int salida, std::FILE* errores);
