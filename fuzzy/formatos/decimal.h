#pragma once
// Exact decimal numbers: the texts of the fuzzy dialog as the user typed them, and the numbers of a controller
// file. A triangle of centre c and width w goes to another program as the corners c - w, c and c + w, and comes
// back from them; done in decimal, the sums are exact and the texts come back as they went.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// Exactly (-1)^negativo x cifras x 10^exponente. `cifras` has no zero at either end; it is empty for 0.
struct Decimal {
    bool negativo = false;
    std::string cifras;
    std::int64_t exponente = 0;

    bool EsCero() const { return cifras.empty(); }
    /// Below zero (never for 0).
    bool Negativo() const { return negativo && !cifras.empty(); }
    bool operator==(const Decimal& otro) const;
};

/// The number of a text in the grammar of the edits (base/numeros.h): blanks around, a sign, digits with at
/// most one `separador`, an optional exponent. Exponents beyond 100000 in size are refused. Nothing when the
/// text is not such a number.
std::optional<Decimal> LeerDecimal(std::string_view texto, char separador);

/// The one text of a number: its digits in plain notation while the point stays within 6 zeros before and
/// 21 digits after the first digit ("0.000001", "-3.75", "1000"), scientific otherwise ("1e-7", "2.5e+21");
/// `separador` as the point. "0" for zero, with no sign.
std::string TextoDecimal(const Decimal& d, char separador = '.');

Decimal Sumar(const Decimal& a, const Decimal& b);
Decimal Restar(const Decimal& a, const Decimal& b);

/// The Double nearest to the number; an infinity beyond the Double range, a signed zero below it.
double ADoble(const Decimal& d);
