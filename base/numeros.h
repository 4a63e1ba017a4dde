#pragma once
// Number texts: the conversions that every reader of an edit or a grid cell uses.

#include <cstdint>
#include <string_view>

/// A 32-bit integer: blanks around, a sign, ASCII digits. Throws ErrorConversion
/// "'%s' is not a valid integer value" for anything else.
std::int32_t TextoAEntero(std::string_view texto);

/// A number in the extended format: blanks around, a sign, digits with at most one `decimal`
/// separator, an optional exponent. Beyond the extended range it throws ErrorConversion
/// "'%s' is not a valid floating point value"; below it, it is 0.
long double TextoAFlotante(std::string_view texto, char decimal);
