#pragma once
// A whole text written to a file in one go: the description beside a record.

#include <string>
#include <string_view>

/// Creates the file `nombre`, replacing one that exists, and writes `texto` to it. Throws ErrorArchivo with the
/// runtime's text of the first failing creation, write or close (TextoErrorArchivo); the file is closed on every
/// path.
void EscribirTexto(const std::string& nombre, std::string_view texto);
