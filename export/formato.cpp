#include "export/formato.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "base/errores.h"

namespace {

using u128 = unsigned __int128;

constexpr std::uint64_t kPotenciasDe10[kMaxDecimales + 1] = {
    1ULL,
    10ULL,
    100ULL,
    1000ULL,
    10000ULL,
    100000ULL,
    1000000ULL,
    10000000ULL,
    100000000ULL,
    1000000000ULL,
    10000000000ULL,
    100000000000ULL,
    1000000000000ULL,
    10000000000000ULL,
    100000000000000ULL,
    1000000000000000ULL,
    10000000000000000ULL,
    100000000000000000ULL,
    1000000000000000000ULL,
};

constexpr std::uint64_t k10a19 = 10000000000000000000ULL;
constexpr std::uint32_t k10a9 = 1000000000U;

// Above this binary exponent m * 2^e no longer fits in 128 bits (m < 2^53).
constexpr int kMaxExponenteCorto = 75;

// Room for the longest text of the 128-bit path: sign, 39 digits, point, 18 decimals.
constexpr std::size_t kCapacidad = 64;

// |v| = m * 2^e exactly, m < 2^53.
struct Binario {
    std::uint64_t m;
    int e;
};

Binario Descomponer(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    const int exponente = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraccion = bits & ((1ULL << 52) - 1);
    if (exponente == 0) return {fraccion, -1074};  // subnormal or zero
    return {fraccion | (1ULL << 52), exponente - 1075};
}

// Exactly `cifras` digits of x (x < 10^cifras), written backwards so that they end just before `fin`.
char* CifrasHaciaAtras(char* fin, std::uint64_t x, int cifras) {
    for (int i = 0; i < cifras; ++i) {
        *--fin = static_cast<char>('0' + x % 10);
        x /= 10;
    }
    return fin;
}

// The decimal digits of x, without leading zeros ("0" for 0), ending just before `fin`.
char* EnteroHaciaAtras(char* fin, u128 x) {
    while (x > UINT64_MAX) {
        const u128 cociente = x / k10a19;
        fin = CifrasHaciaAtras(fin, static_cast<std::uint64_t>(x - cociente * k10a19), 19);
        x = cociente;
    }
    auto y = static_cast<std::uint64_t>(x);
    do {
        *--fin = static_cast<char>('0' + y % 10);
        y /= 10;
    } while (y != 0);
    return fin;
}

// The decimal digits of the integer m * 2^e for e beyond the 128-bit path, in base 10^9 limbs (least first).
void AnadirEnteroGrande(std::string& destino, std::uint64_t m, int e) {
    std::vector<std::uint32_t> miembros{static_cast<std::uint32_t>(m % k10a9),
                                        static_cast<std::uint32_t>(m / k10a9 % k10a9),
                                        static_cast<std::uint32_t>(m / k10a9 / k10a9)};
    while (e > 0) {
        // limb * 2^29 + carry stays below 2^64
        const int s = std::min(e, 29);
        e -= s;
        std::uint64_t acarreo = 0;
        for (auto& miembro : miembros) {
            const std::uint64_t t = (static_cast<std::uint64_t>(miembro) << s) + acarreo;
            miembro = static_cast<std::uint32_t>(t % k10a9);
            acarreo = t / k10a9;
        }
        for (; acarreo != 0; acarreo /= k10a9) miembros.push_back(static_cast<std::uint32_t>(acarreo % k10a9));
    }
    while (miembros.size() > 1 && miembros.back() == 0) miembros.pop_back();

    char bloque[kCapacidad];
    char* const fin = bloque + kCapacidad;
    destino.append(EnteroHaciaAtras(fin, miembros.back()), fin);
    for (auto i = miembros.size() - 1; i-- > 0;) destino.append(CifrasHaciaAtras(fin, miembros[i], 9), fin);
}

// The text of `valor` without padding: in `corto` on the common path, in `largo` from 2^128 up.
std::string_view Texto(double valor, int decimales, char (&corto)[kCapacidad], std::string& largo) {
    if (std::isnan(valor)) throw ErrorPuntoFlotante(kOperacionInvalida);
    if (std::isinf(valor)) throw ErrorPuntoFlotante(kDesbordamiento);
    if (decimales < 0 || decimales > kMaxDecimales) throw std::invalid_argument("decimals out of range");

    // The sign comes from the value before rounding; -0.0 is not below 0.
    const bool negativo = valor < 0;
    const auto [m, e] = Descomponer(valor);
    const std::uint64_t p = kPotenciasDe10[decimales];

    if (e > kMaxExponenteCorto) {
        // an integer: its digits, then zero decimals
        largo.assign(negativo ? "-" : "");
        AnadirEnteroGrande(largo, m, e);
        if (decimales > 0) largo.append(1, '.').append(static_cast<std::size_t>(decimales), '0');
        return largo;
    }

    u128 entero = 0;
    std::uint64_t fraccion = 0;
    if (e >= 0) {
        entero = static_cast<u128>(m) << e;
    } else {
        // q = |v| * 10^d = m * 10^d / 2^k rounded, up when the remainder is at least half of 2^k, that is when
        // bit k-1 of m * 10^d is set. m * 10^d < 2^113, so for k > 113 the value rounds to 0.
        const int k = -e;
        const u128 producto = static_cast<u128>(m) * p;
        u128 q = 0;
        if (k <= 113) q = (producto >> k) + ((producto >> (k - 1)) & 1);
        if (q <= UINT64_MAX) {
            const auto q64 = static_cast<std::uint64_t>(q);
            entero = q64 / p;
            fraccion = q64 % p;
        } else {
            entero = q / p;
            fraccion = static_cast<std::uint64_t>(q % p);
        }
    }

    char* const fin = corto + kCapacidad;
    char* inicio = fin;
    if (decimales > 0) {
        inicio = CifrasHaciaAtras(inicio, fraccion, decimales);
        *--inicio = '.';
    }
    inicio = EnteroHaciaAtras(inicio, entero);
    if (negativo) *--inicio = '-';
    return {inicio, static_cast<std::size_t>(fin - inicio)};
}

void AnadirAlineado(std::string& destino, std::string_view texto, std::size_t ancho) {
    if (texto.size() < ancho) destino.append(ancho - texto.size(), ' ');
    destino.append(texto);
}

// A field that follows another number: one blank at least, so that the two never read as one.
void AnadirSeparado(std::string& destino, std::string_view texto, std::size_t ancho) {
    AnadirAlineado(destino, texto, std::max(ancho, texto.size() + 1));
}

}  // namespace

void AnadirCampoFijo(std::string& destino, double valor, int decimales, int ancho) {
    char corto[kCapacidad];
    std::string largo;
    AnadirAlineado(destino, Texto(valor, decimales, corto, largo), static_cast<std::size_t>(std::max(ancho, 0)));
}

std::string CampoFijo(double valor, int decimales, int ancho) {
    std::string campo;
    AnadirCampoFijo(campo, valor, decimales, ancho);
    return campo;
}

void AnadirLineaExportacion(std::string& destino, double muestra, double accion, double nivel) {
    // All three texts first: a value that cannot be written leaves `destino` as it was, with no half line.
    char cortoMuestra[kCapacidad];
    char cortoAccion[kCapacidad];
    char cortoNivel[kCapacidad];
    std::string largoMuestra;
    std::string largoAccion;
    std::string largoNivel;
    const std::string_view textoMuestra = Texto(muestra, 0, cortoMuestra, largoMuestra);
    const std::string_view textoAccion = Texto(accion, 4, cortoAccion, largoAccion);
    const std::string_view textoNivel = Texto(nivel, 4, cortoNivel, largoNivel);
    AnadirAlineado(destino, textoMuestra, 5);
    AnadirSeparado(destino, textoAccion, 9);
    AnadirSeparado(destino, textoNivel, 9);
    destino.append("\r\n");
}

std::string LineaExportacion(double muestra, double accion, double nivel) {
    std::string linea;
    AnadirLineaExportacion(linea, muestra, accion, nivel);
    return linea;
}
