#pragma once
// The set-up files of tanque-lote: --config and reproducir.

#include <cstdio>
#include <string>

#include "core/configuracion.h"

/// Reads the set-up file `nombre` with the names of the texts that the tool has; the keys it holds that the tool
/// does not know are reported on `errores` in one line ("tanque-lote: ...") and left out. Throws ErrorConfiguracion.
Configuracion LeerConfiguracionLote(const std::string& nombre, std::FILE* errores);
