// Number texts from arbitrary bytes. A conversion either returns or throws ErrorConversion with exactly its
// message (up to a NUL in the text, where what() ends, as a message box would end it); it accepts what a grammar
// written here independently accepts; a returned value is finite, lies near the magnitude that its digits and exponent
// announce, and numbers printed exactly come back unchanged.
//
// Input: byte 0 picks the decimal separator (bit 0) and the mode (bits 1-2); the rest is the text, or the
// bytes of a value to print and read back.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "base/aritmetica.h"
#include "base/errores.h"
#include "base/numeros.h"
#include "fuzz/comprobar.h"

namespace {

bool Blanco(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool Digito(char c) { return c >= '0' && c <= '9'; }

std::string_view Recortar(std::string_view t) {
    while (!t.empty() && Blanco(t.front())) t.remove_prefix(1);
    while (!t.empty() && Blanco(t.back())) t.remove_suffix(1);
    return t;
}

// The integer grammar: blanks, a sign, ASCII digits, blanks; the value within 32 bits.
bool EnteroEsperado(std::string_view texto, std::int64_t& valor) {
    std::string_view t = Recortar(texto);
    bool negativo = false;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        negativo = t[0] == '-';
        t.remove_prefix(1);
    }
    if (t.empty()) return false;
    for (char c : t)
        if (!Digito(c)) return false;
    while (t.size() > 1 && t[0] == '0') t.remove_prefix(1);
    if (t.size() > 10) return false;
    std::int64_t v = 0;
    for (char c : t) v = v * 10 + (c - '0');
    valor = negativo ? -v : v;
    return valor >= INT32_MIN && valor <= INT32_MAX;
}

// What the floating-point grammar says of a text: not a number, or a number whose first significant digit
// stands at decimal position `posicion` (10^posicion <= |value| < 10^(posicion+1)), or zero.
struct Flotante {
    bool valido = false;
    bool cero = false;
    bool negativo = false;
    long long posicion = 0;
};

Flotante FlotanteEsperado(std::string_view texto, char decimal) {
    Flotante f;
    std::string_view t = Recortar(texto);
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) f.negativo = t[i++] == '-';
    long long enteras = 0;   // digits before the separator
    long long primera = -1;  // index among all mantissa digits of the first non-zero one
    long long digitos = 0;
    bool separador = false;
    for (; i < t.size(); ++i) {
        if (Digito(t[i])) {
            if (primera < 0 && t[i] != '0') primera = digitos;
            ++digitos;
            if (!separador) ++enteras;
        } else if (t[i] == decimal && !separador) {
            separador = true;
        } else {
            break;
        }
    }
    if (digitos == 0) return f;
    long long exponente = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool menos = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) menos = t[i++] == '-';
        const std::size_t inicio = i;
        for (; i < t.size() && Digito(t[i]); ++i)
            if (exponente < 1000000000LL) exponente = exponente * 10 + (t[i] - '0');
        if (i == inicio) return f;
        if (menos) exponente = -exponente;
    }
    if (i != t.size()) return f;
    f.valido = true;
    f.cero = primera < 0;
    f.posicion = enteras - 1 - primera + exponente;
    return f;
}

void ComprobarEntero(std::string_view texto) {
    std::int64_t esperado = 0;
    const bool valido = EnteroEsperado(texto, esperado);
    try {
        const std::int32_t v = TextoAEntero(texto);
        Exigir(valido, "an integer text outside the grammar converted");
        Exigir(v == esperado, "an integer text converted to another value");
    } catch (const ErrorConversion& e) {
        Exigir(!valido, "a valid integer text was refused");
        Exigir(e.what() == HastaNul("'" + std::string(texto) + "' is not a valid integer value"),
               "wrong integer message");
    }
}

void ComprobarFlotante(std::string_view texto, char decimal) {
    const Flotante f = FlotanteEsperado(texto, decimal);
    // The extended format reaches from about 3.6e-4951 (subnormal) to 1.19e+4932.
    try {
        const long double v = TextoAFlotante(texto, decimal);
        Exigir(f.valido, "a floating-point text outside the grammar converted");
        Exigir(std::isfinite(v), "a conversion returned a value that is not finite");
        Exigir(f.posicion <= 4932 || f.cero, "a value beyond the extended range converted");
        if (f.cero || f.posicion < -4952) {
            Exigir(v == 0, "a zero or a value below the extended range did not give 0");
        } else if (f.posicion > -4930) {
            // a normal value: its magnitude within one decade of what its digits announce
            const long double l = std::log10(std::fabs(v));
            Exigir(l >= f.posicion - 1 && l <= f.posicion + 2, "a value far from its decimal magnitude");
            Exigir(std::signbit(v) == f.negativo, "a value with the wrong sign");
        }
    } catch (const ErrorConversion& e) {
        Exigir(!f.valido || (!f.cero && f.posicion >= 4932), "a valid floating-point text was refused");
        Exigir(e.what() == HastaNul("'" + std::string(texto) + "' is not a valid floating point value"),
               "wrong floating-point message");
    }
}

std::string ConSeparador(std::string t, char decimal) {
    for (char& c : t)
        if (c == '.') c = decimal;
    return t;
}

// Values printed with enough digits come back to the same bits, through the stores the program uses.
void IdaYVuelta(const std::uint8_t* d, std::size_t n, char decimal) {
    if (n < 10) return;
    std::uint64_t significando = 0;
    std::uint16_t signoExponente = 0;
    std::memcpy(&significando, d, 8);
    std::memcpy(&signoExponente, d + 8, 2);
    const std::string blancos(n > 10 ? d[10] % 3 : 0, ' ');

    // an x87 value, when its encoding is a canonical one: 21 significant digits identify it
    const unsigned exponente = signoExponente & 0x7FFF;
    const bool bitEntero = significando >> 63;
    if (exponente != 0x7FFF && bitEntero == (exponente != 0)) {
        long double x = 0;
        unsigned char bytes[sizeof(long double)] = {};
        std::memcpy(bytes, &significando, 8);
        std::memcpy(bytes + 8, &signoExponente, 2);
        std::memcpy(&x, bytes, sizeof x);
        char texto[64];
        std::snprintf(texto, sizeof texto, "%.20Le", x);
        const long double v = TextoAFlotante(blancos + ConSeparador(texto, decimal) + blancos, decimal);
        Exigir(v == x && std::signbit(v) == std::signbit(x), "an extended value did not come back");
    }
    // a Double (17 digits) and a Single (9 digits) through the program's checked stores
    double doble = 0;
    std::memcpy(&doble, d, 8);
    if (std::isfinite(doble)) {
        char texto[64];
        std::snprintf(texto, sizeof texto, "%.17g", doble);
        const double v = aDouble(TextoAFlotante(ConSeparador(texto, decimal), decimal));
        Exigir(v == doble && std::signbit(v) == std::signbit(doble), "a Double did not come back");
    }
    float simple = 0;
    std::memcpy(&simple, d, 4);
    if (std::isfinite(simple)) {
        char texto[64];
        std::snprintf(texto, sizeof texto, "%.9g", static_cast<double>(simple));
        const float v = aSingle(TextoAFlotante(ConSeparador(texto, decimal), decimal));
        Exigir(v == simple && std::signbit(v) == std::signbit(simple), "a Single did not come back");
    }
    std::int32_t entero = 0;
    std::memcpy(&entero, d, 4);
    const std::string signo = entero >= 0 && (d[4] & 1) ? "+" : "";
    Exigir(TextoAEntero(blancos + signo + std::to_string(entero) + blancos) == entero, "an integer did not come back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    if (n == 0) return 0;
    const char decimal = (datos[0] & 1) ? ',' : '.';
    const unsigned modo = (datos[0] >> 1) & 3;
    const std::string_view texto(reinterpret_cast<const char*>(datos + 1), n - 1);
    if (modo == 3) {
        IdaYVuelta(datos + 1, n - 1, decimal);
    } else {
        ComprobarEntero(texto);
        ComprobarFlotante(texto, decimal);
    }
    return 0;
}
