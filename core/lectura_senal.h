#pragma once
// The excitation signal and the measurement noise, read from their texts.

#include <cstdint>
#include <string_view>

#include "core/textos.h"
#include "senales/parametros.h"
#include "senales/ruido.h"

/// The signal of the texts Senal_*: Senal_Tipo first (a caption, TipoDeTexto), then, in the order of Campo,
/// the texts of the parameters that the type uses (Usa): the levels and the band's edges as floating point
/// values stored in Doubles, the period, order, components and length as 32-bit integers, the seed as an
/// unsigned 64-bit integer; then ComprobarSenal. The other fields keep their defaults. Throws ErrorConversion,
/// ErrorPuntoFlotante (a level beyond the Doubles) or ErrorTanque (the type, the check).
ParametrosSenal LeerSenal(const Textos& textos);

/// The noise of Ruido_Desviacion and, when that is above 0, Ruido_Semilla; a negative deviation is refused
/// before the seed is read. Throws ErrorConversion, ErrorPuntoFlotante or ErrorTanque.
ParametrosRuido LeerRuido(const Textos& textos);

/// An unsigned 64-bit integer: blanks around, an optional '+', ASCII digits, at most 18446744073709551615.
/// Throws ErrorConversion "'%s' is not a valid integer value" for anything else, a '-' included.
std::uint64_t TextoANatural64(std::string_view texto);
