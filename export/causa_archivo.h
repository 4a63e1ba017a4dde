#pragma once
// The cause, in Spanish, beside the runtime's English text of a file error: the text stays as the runtime
// names it ("Invalid filename"), the cause says what is wrong with this name ("la carpeta «nodir» no existe").

#include <string>

/// The cause of the failure `texto` (a text of TextoErrorArchivo) on the file `nombre`, found by looking at the
/// name's folders and the file as they are now; empty when none is found.
std::string CausaArchivo(const std::string& nombre, const std::string& texto);

/// `texto`, then the cause between brackets when there is one.
std::string ConCausa(const std::string& nombre, const std::string& texto);

/// `mensaje`, which ends with a text of TextoErrorArchivo (alone or after ": ", as "x.txt: Invalid filename"),
/// then the cause of that text on the file `nombre` between brackets when there is one.
std::string ConCausaAlFinal(const std::string& nombre, const std::string& mensaje);
