#pragma once
// The set-up files of tanque-lote: --config and reproducir.

#include <cstdio>
#include <string>

#include "core/configuracion.h"

/// Reads the set-up file `nombre` with the names of the texts that the tool has; the keys it holds that the tool
/// does not know are reported on `errores` in one line ("tanque-lote: ...") and left out. Throws ErrorConfiguracion.
/// The numbers of its texts come with `decimal`, the tool's separator, whatever the file's (AdaptarDecimal). A
/// slider position outside 0 to 10, which the window would not take, is refused.
Configuracion LeerConfiguracionLote(const std::string& nombre, std::FILE* errores, char decimal);
