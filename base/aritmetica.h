#pragma once
// Checked arithmetic. Intermediates are long double (the 80-bit extended format); every store into a
// Single or a Double goes through aSingle or aDouble, every division through Dividir, so that no value
// that is not finite is ever stored. Underflow passes silently.

#include <cmath>
#include <cstdint>
#include <limits>

#include "base/errores.h"

static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the x87 extended format with a 64-bit significand");
static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559);

/// Rejects a computed intermediate that is not finite. Throws ErrorPuntoFlotante.
inline long double Comprobar(long double v) {
    // With finite operands and checked divisions, an infinity can only come from an overflow;
    // a NaN only from an operation on such an infinity or on an invalid operand.
    if (std::isnan(v)) throw ErrorPuntoFlotante(kOperacionInvalida);
    if (std::isinf(v)) throw ErrorPuntoFlotante(kDesbordamiento);
    return v;
}

/// a / b at extended precision. Throws ErrorPuntoFlotante: division by zero, invalid for 0 / 0, overflow.
inline long double Dividir(long double a, long double b) {
    if (std::isnan(a) || std::isnan(b)) throw ErrorPuntoFlotante(kOperacionInvalida);
    if (b == 0) throw ErrorPuntoFlotante(a == 0 ? kOperacionInvalida : kDivisionPorCero);
    return Comprobar(a / b);
}

// A stored value that is not finite was an infinity, a NaN or out of the destination's range.
[[noreturn]] inline void NoCabe(long double v) {
    throw ErrorPuntoFlotante(std::isnan(v) ? kOperacionInvalida : kDesbordamiento);
}

/// Rounds once to Single, to nearest with ties to even. Throws ErrorPuntoFlotante on overflow or NaN.
inline float aSingle(long double v) {
    // the check is made on the rounded value: cheaper than classifying the extended one, and the same verdict
    const float f = static_cast<float>(v);
    if (!std::isfinite(f)) [[unlikely]]
        NoCabe(v);
    return f;
}

/// Rounds once to Double, to nearest with ties to even. Throws ErrorPuntoFlotante on overflow or NaN.
inline double aDouble(long double v) {
    const double d = static_cast<double>(v);
    if (!std::isfinite(d)) [[unlikely]]
        NoCabe(v);
    return d;
}

/// Rounds to the nearest 32-bit integer, ties to even. Throws ErrorPuntoFlotante (invalid) out of range.
inline std::int32_t Redondear(long double v) {
    const long double r = std::nearbyint(Comprobar(v));
    if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max())
        throw ErrorPuntoFlotante(kOperacionInvalida);
    return static_cast<std::int32_t>(r);
}
