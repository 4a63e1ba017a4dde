#pragma once
// The pump: the inflow it can give lies between Caudal_Min and Caudal_Max. Empty texts (the default) are no
// limit, and the inflow is the controller's, bit for bit.

#include "core/simulacion.h"
#include "core/textos.h"

inline constexpr const char* kCaudalMin = "Caudal_Min";
inline constexpr const char* kCaudalMax = "Caudal_Max";
inline constexpr const char* kLimitesInvertidos = "Caudal_Min no puede ser mayor que Caudal_Max";

/// Reads Caudal_Min and Caudal_Max (a text the texts lack, or one of blanks only, is no limit). Throws
/// ErrorConversion naming the text, or ErrorTanque when the minimum is above the maximum.
LimitesBomba LeerLimitesBomba(const Textos& textos);

/// The inflow that the pump gives when `comandada` is asked of it.
float Limitar(const LimitesBomba& l, float comandada);
/// The same in Doubles, for the PID's anti-windup.
double Limitar(const LimitesBomba& l, double comandada);

/// Whether the pump sits at one of its limits for that command (asked beyond it, or exactly at it).
bool EnLimite(const LimitesBomba& l, float comandada);
