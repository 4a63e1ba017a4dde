#pragma once
// A set-up taken from the texts that a program holds now: what "Guardar Configuración..." writes.

#include <cstdint>
#include <string>
#include <vector>

#include "core/configuracion.h"
#include "core/textos.h"

/// The names of every text that a set-up may hold, in the file's order: the edits of the table of default
/// texts, then the rule cells row by row (Reglas_F_C).
const std::vector<std::string>& NombresConfiguracion();

/// Every text of `textos` that exists there (Textos::Existe), every rule cell, and `posicion` as the slider's;
/// no schedule.
Configuracion ConfiguracionDeTextos(const Textos& textos, std::int32_t posicion);
