#pragma once
// The reader of export files: a record's sample numbers, actions and levels, back from its lines.
//
// What it accepts: one sample a line, three fields (sample number, action, level) separated by any blanks
// (spaces, tabs), lines ending in CR LF or LF, the last one with or without its end, blank lines only at the
// end of the file. A field is a decimal number with "." as the point and an optional exponent. Sample numbers
// are whole and strictly increasing; they may skip (a record cut from a chart is still a record), and the
// identification refuses the gaps it cannot bridge.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/errores.h"
#include "export/huella.h"

/// A record file whose contents are not a record: what() names the file and, where there is one, the line.
class ErrorLectura : public ErrorTanque {
public:
    using ErrorTanque::ErrorTanque;
};

/// The three columns of a record file, one entry a line, in the file's order.
struct RegistroLeido {
    std::vector<double> muestras;  ///< empty in a compact reading whose numbers are consecutive
    std::vector<double> acciones;
    std::vector<double> niveles;
    std::int64_t lineas = 0;  ///< the samples read
    double primeraMuestra = 0, ultimaMuestra = 0;
    ResumenArchivo huella;  ///< the file's size and SHA-256 (LeerExportacion only)
};

/// Reads the record file `nombre`. Throws ErrorArchivo "nombre: File access denied" (and the other texts of
/// TextoErrorArchivo) when it cannot be opened or read, ErrorLectura "nombre, línea 17: ..." for a line that
/// is not a sample and "nombre: el archivo está vacío" for a file without any. The file is read in blocks, never
/// whole: a regular file twice (its lines counted first, so that the columns take their size and no more); with
/// `compacto`, consecutive sample numbers are not kept (primeraMuestra and lineas say them), so that a sample
/// takes 16 bytes. A line longer than 1 MiB is refused as it is read (a file without line ends, /dev/zero).
RegistroLeido LeerExportacion(const std::string& nombre, bool compacto = false);

/// The record in `contenido`, the whole text of a file; `nombre` only names it in messages. Throws ErrorLectura.
RegistroLeido InterpretarExportacion(std::string_view contenido, const std::string& nombre);
