#pragma once
// The files that --salida names, checked before anything runs: the record and its description (NAME.json,
// whose name the user never typed) may replace no input of this run and no file that a standard stream goes to.

#include <optional>
#include <string>

#include "tools/opciones_lote.h"

/// Why --salida may not be written in this run, in Spanish, or nothing: the record is the set-up of --config or
/// the replayed file; its description (when the record gets one: a regular or a new file) is one of those, the
/// file of standard output (`salida`) or of the messages (`errores`), or a symbolic link, which is never followed.
std::optional<std::string> ChoqueDeSalidas(const OpcionesLote& o, int salida, int errores);
