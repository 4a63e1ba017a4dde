#include "fuzzy/formatos/decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr std::int64_t kExponenteMaximo = 100000;

bool EsBlanco(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool EsDigito(char c) { return c >= '0' && c <= '9'; }

// Moves the zeros at the end of the digits into the exponent and drops those at the start.
Decimal Normalizado(bool negativo, std::string cifras, std::int64_t exponente) {
    const auto primera = cifras.find_first_not_of('0');
    if (primera == std::string::npos) return {};
    const auto ultima = cifras.find_last_not_of('0');
    exponente += static_cast<std::int64_t>(cifras.size() - 1 - ultima);
    return {negativo, cifras.substr(primera, ultima - primera + 1), exponente};
}

// The digits of |d| followed by zeros down to 10^exponente (exponente <= d.exponente).
std::string Alineadas(const Decimal& d, std::int64_t exponente) {
    return d.cifras + std::string(static_cast<std::size_t>(d.exponente - exponente), '0');
}

// a >= b for digit strings of the same length.
bool NoMenor(const std::string& a, const std::string& b) { return a >= b; }

// Sum and difference of two magnitudes, digit by digit, padded to the same length.
std::string SumaCifras(const std::string& a, const std::string& b) {
    std::string r(a.size() + 1, '0');
    int acarreo = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        const int s = (a[i] - '0') + (b[i] - '0') + acarreo;
        r[i + 1] = static_cast<char>('0' + s % 10);
        acarreo = s / 10;
    }
    r[0] = static_cast<char>('0' + acarreo);
    return r;
}

std::string RestaCifras(const std::string& a, const std::string& b) {  // a >= b
    std::string r(a.size(), '0');
    int prestado = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        int s = (a[i] - '0') - (b[i] - '0') - prestado;
        prestado = s < 0;
        if (s < 0) s += 10;
        r[i] = static_cast<char>('0' + s);
    }
    return r;
}

}  // namespace

bool Decimal::operator==(const Decimal& otro) const {
    if (EsCero() || otro.EsCero()) return EsCero() && otro.EsCero();
    return negativo == otro.negativo && cifras == otro.cifras && exponente == otro.exponente;
}

std::optional<Decimal> LeerDecimal(std::string_view texto, char separador) {
    while (!texto.empty() && EsBlanco(texto.front())) texto.remove_prefix(1);
    while (!texto.empty() && EsBlanco(texto.back())) texto.remove_suffix(1);
    std::size_t i = 0;
    bool negativo = false;
    if (i < texto.size() && (texto[i] == '+' || texto[i] == '-')) negativo = texto[i++] == '-';
    std::string cifras;
    std::int64_t exponente = 0;
    bool punto = false;
    for (; i < texto.size(); ++i) {
        if (EsDigito(texto[i])) {
            cifras.push_back(texto[i]);
            if (punto) --exponente;
        } else if (texto[i] == separador && !punto) {
            punto = true;
        } else {
            break;
        }
    }
    if (cifras.empty()) return std::nullopt;
    if (i < texto.size() && (texto[i] == 'e' || texto[i] == 'E')) {
        ++i;
        bool menos = false;
        if (i < texto.size() && (texto[i] == '+' || texto[i] == '-')) menos = texto[i++] == '-';
        std::int64_t valor = 0;
        std::size_t digitos = 0;
        for (; i < texto.size() && EsDigito(texto[i]); ++i, ++digitos) {
            valor = valor * 10 + (texto[i] - '0');
            if (valor > kExponenteMaximo) return std::nullopt;
        }
        if (digitos == 0) return std::nullopt;
        exponente += menos ? -valor : valor;
    }
    if (i != texto.size()) return std::nullopt;
    return Normalizado(negativo, std::move(cifras), exponente);
}

std::string TextoDecimal(const Decimal& d, char separador) {
    if (d.EsCero()) return "0";
    std::string t = d.negativo ? "-" : "";
    const auto n = static_cast<std::int64_t>(d.cifras.size());
    const std::int64_t punto = n + d.exponente;  // digits before the point
    if (punto > 21 || punto < -5) {
        t += d.cifras[0];
        if (n > 1) t += separador + d.cifras.substr(1);
        const std::int64_t e = punto - 1;
        t += e < 0 ? "e-" : "e+";
        t += std::to_string(e < 0 ? -e : e);
    } else if (d.exponente >= 0) {
        t += d.cifras + std::string(static_cast<std::size_t>(d.exponente), '0');
    } else if (punto > 0) {
        t += d.cifras.substr(0, static_cast<std::size_t>(punto)) + separador +
             d.cifras.substr(static_cast<std::size_t>(punto));
    } else {
        t += std::string("0") + separador + std::string(static_cast<std::size_t>(-punto), '0') + d.cifras;
    }
    return t;
}

Decimal Sumar(const Decimal& a, const Decimal& b) {
    if (a.EsCero()) return b;
    if (b.EsCero()) return a;
    const std::int64_t e = std::min(a.exponente, b.exponente);
    std::string x = Alineadas(a, e), y = Alineadas(b, e);
    const std::size_t largo = std::max(x.size(), y.size());
    x.insert(0, largo - x.size(), '0');
    y.insert(0, largo - y.size(), '0');
    if (a.negativo == b.negativo) return Normalizado(a.negativo, SumaCifras(x, y), e);
    // opposite signs: the larger magnitude gives the sign
    if (NoMenor(x, y)) return Normalizado(a.negativo, RestaCifras(x, y), e);
    return Normalizado(b.negativo, RestaCifras(y, x), e);
}

Decimal Restar(const Decimal& a, const Decimal& b) {
    Decimal menos_b = b;
    menos_b.negativo = !b.negativo;
    return Sumar(a, menos_b);
}

double ADoble(const Decimal& d) {
    if (d.EsCero()) return d.negativo ? -0.0 : 0.0;
    const std::string t = TextoDecimal(d);
    double v = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // the position of the first digit tells an overflow from an underflow
        const bool grande = static_cast<std::int64_t>(d.cifras.size()) + d.exponente > 0;
        v = grande ? std::numeric_limits<double>::infinity() : 0.0;
        if (d.negativo) v = -v;
    }
    return v;
}
