#include "base/numeros.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

#include "base/errores.h"

namespace {

bool EsBlanco(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool EsDigito(char c) { return c >= '0' && c <= '9'; }

std::string_view SinBlancos(std::string_view t) {
    while (!t.empty() && EsBlanco(t.front())) t.remove_prefix(1);
    while (!t.empty() && EsBlanco(t.back())) t.remove_suffix(1);
    return t;
}

[[noreturn]] void NoEsEntero(std::string_view texto) {
    throw ErrorConversion("'" + std::string(texto) + "' is not a valid integer value");
}

[[noreturn]] void NoEsFlotante(std::string_view texto) {
    throw ErrorConversion("'" + std::string(texto) + "' is not a valid floating point value");
}

// strtold reads the C notation whatever locale the program has set (a Qt program sets the user's).
locale_t LocaleC() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

}  // namespace

std::int32_t TextoAEntero(std::string_view texto) {
    std::string_view t = SinBlancos(texto);
    bool negativo = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negativo = t.front() == '-';
        t.remove_prefix(1);
    }
    if (t.empty()) NoEsEntero(texto);
    // Accumulate the magnitude; 2^31 is allowed only for a negative value.
    const std::int64_t limite = negativo ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t valor = 0;
    for (char c : t) {
        if (!EsDigito(c)) NoEsEntero(texto);
        valor = valor * 10 + (c - '0');
        if (valor > limite) NoEsEntero(texto);
    }
    return static_cast<std::int32_t>(negativo ? -valor : valor);
}

long double TextoAFlotante(std::string_view texto, char decimal) {
    const std::string_view t = SinBlancos(texto);
    // Rewrite the accepted grammar in C notation for strtold, which rounds correctly.
    std::string c;
    c.reserve(t.size() + 1);
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) c.push_back(t[i++]);
    std::size_t digitos = 0;
    bool separador = false;
    for (; i < t.size(); ++i) {
        if (EsDigito(t[i])) {
            c.push_back(t[i]);
            ++digitos;
        } else if (t[i] == decimal && !separador) {
            c.push_back('.');
            separador = true;
        } else {
            break;
        }
    }
    if (digitos == 0) NoEsFlotante(texto);
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        c.push_back('e');
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) c.push_back(t[i++]);
        std::size_t exponente = 0;
        for (; i < t.size() && EsDigito(t[i]); ++i, ++exponente) c.push_back(t[i]);
        if (exponente == 0) NoEsFlotante(texto);
    }
    if (i != t.size()) NoEsFlotante(texto);

    errno = 0;
    char* fin = nullptr;
    const long double v = strtold_l(c.c_str(), &fin, LocaleC());
    if (fin != c.c_str() + c.size() || std::isinf(v) || std::isnan(v)) NoEsFlotante(texto);
    return v;  // an underflow (ERANGE with a tiny or zero result) passes silently
}
