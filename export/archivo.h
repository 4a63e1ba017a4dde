#pragma once
// The export file writer: one line per point of a record, written in one go.

#include <cstdint>
#include <functional>
#include <string>

/// One exported point: the sample number, the control action (the plant's input) and the level (its output).
struct MuestraExportada {
    double muestra;
    double accion;
    double nivel;
};

/// Creates the file `nombre`, replacing one that exists, and writes the line of punto(i) for i = 0 .. ultimo
/// in ascending order (none when ultimo < 0). Throws ErrorArchivo at the first failing creation, write or
/// close: a file that cannot be created is left as it was, one that fails later keeps what reached the disk.
/// What `punto` throws passes through once the lines before it are written. The file is closed on every path.
void EscribirExportacion(const std::string& nombre, std::int64_t ultimo,
                         const std::function<MuestraExportada(std::int64_t)>& punto);
