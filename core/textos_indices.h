#pragma once
// The text of the response indices and its reading; its default lives in the one table of default texts.

#include "core/textos.h"

/// The edit of the settling band, percent of the step.
inline constexpr const char* kBandaEstablecimiento = "Banda_Establecimiento";

/// The message for a band outside (0, 100).
inline constexpr const char* kBandaFueraDeRango = "La Banda de Establecimiento debe ser mayor que 0 y menor que 100";

/// The settling band from the Banda_Establecimiento text, read like every other number of the dialogs (with
/// the texts' decimal separator), stored as a Double. Throws ErrorConversion for a text that does not convert,
/// ErrorTanque (kBandaFueraDeRango) outside (0, 100).
double LeerBandaEstablecimiento(const Textos& textos);
