#pragma once
// The texts of the response indices: their default values, kept apart until they join the one table of
// default texts, and their reading.

#include <span>

#include "core/textos.h"
#include "core/textos_por_defecto.h"

/// The edit of the settling band, percent of the step.
inline constexpr const char* kBandaEstablecimiento = "Banda_Establecimiento";

/// The message for a band outside (0, 100).
inline constexpr const char* kBandaFueraDeRango = "La Banda de Establecimiento debe ser mayor que 0 y menor que 100";

/// The indices' edits with their default texts ("." as decimal point).
std::span<const TextoPorDefecto> TextosPorDefectoIndices();

/// The settling band from the Banda_Establecimiento text, read like every other number of the dialogs (with
/// the texts' decimal separator), stored as a Double. Throws ErrorConversion for a text that does not convert,
/// ErrorTanque (kBandaFueraDeRango) outside (0, 100).
double LeerBandaEstablecimiento(const Textos& textos);

/// Puts into `textos` every default text of the indices that it lacks, written with its decimal separator.
void CompletarTextosIndices(TextosMapa& textos);
