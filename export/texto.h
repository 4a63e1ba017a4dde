#pragma once
// A whole text written to a file in one go: the description beside a record.

#include <string>
#include <string_view>

/// Writes `texto` to the file `nombre` as a record is written (ArchivoRegistro): a regular file is replaced whole
/// once the text is on the disk, anything else is written through. Throws ErrorArchivo with the runtime's text;
/// the target then keeps what it held.
void EscribirTexto(const std::string& nombre, std::string_view texto);
