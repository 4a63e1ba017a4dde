#include "tests/export/referencia.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// A non-negative integer in base 10^9, least significant limb first.
using Grande = std::vector<std::uint64_t>;
constexpr std::uint64_t kBase = 1000000000;

void Multiplicar(Grande& n, std::uint64_t factor) {  // factor < 2^31, so limb * factor + carry < 2^63
    std::uint64_t acarreo = 0;
    for (auto& limb : n) {
        const std::uint64_t t = limb * factor + acarreo;
        limb = t % kBase;
        acarreo = t / kBase;
    }
    for (; acarreo != 0; acarreo /= kBase) n.push_back(acarreo % kBase);
}

std::uint64_t Potencia5(int n) {
    std::uint64_t p = 1;
    for (int i = 0; i < n; ++i) p *= 5;
    return p;
}

std::string Decimal(const Grande& n) {
    std::string s;
    for (auto i = n.size(); i-- > 0;) {
        char bloque[16];
        std::snprintf(bloque, sizeof bloque, "%09llu", static_cast<unsigned long long>(n[i]));
        s += bloque;
    }
    const auto primera = s.find_first_not_of('0');
    return primera == std::string::npos ? "0" : s.substr(primera);
}

}  // namespace

std::string ExpansionExacta(double v) {
    // |v| = mantisa * 2^exponente with an integer mantisa of 53 bits
    int exponente = 0;
    const double fraccion = std::frexp(std::fabs(v), &exponente);
    const auto mantisa = static_cast<std::uint64_t>(std::ldexp(fraccion, 53));
    exponente -= 53;

    Grande n{mantisa % kBase, mantisa / kBase};
    if (exponente >= 0) {
        for (int i = 0; i < exponente; i += 30) Multiplicar(n, std::uint64_t{1} << std::min(30, exponente - i));
        return Decimal(n) + ".";
    }
    // m / 2^k = m * 5^k / 10^k: the digits of m * 5^k with the point k places from the right
    const int k = -exponente;
    for (int i = 0; i < k; i += 13) Multiplicar(n, Potencia5(std::min(13, k - i)));
    std::string digitos = Decimal(n);
    if (static_cast<int>(digitos.size()) <= k) digitos.insert(0, static_cast<std::size_t>(k + 1) - digitos.size(), '0');
    const std::size_t punto = digitos.size() - static_cast<std::size_t>(k);
    std::string cola = digitos.substr(punto);
    cola.erase(cola.find_last_not_of('0') + 1);  // npos + 1 == 0 when all are zeros
    return digitos.substr(0, punto) + "." + cola;
}

std::string CampoReferencia(double v, int decimales, int ancho) {
    std::string s = ExpansionExacta(v);
    const std::size_t punto = s.find('.');
    std::string fraccion = s.substr(punto + 1);
    fraccion.resize(static_cast<std::size_t>(decimales) + 1, '0');
    // The first dropped digit decides: 5 or more is at least half a unit, and halves go away from zero.
    const bool arriba = fraccion.back() >= '5';
    fraccion.pop_back();
    std::string digitos = s.substr(0, punto) + fraccion;
    if (arriba) {
        std::size_t i = digitos.size();
        while (i > 0 && digitos[i - 1] == '9') digitos[--i] = '0';
        if (i == 0) {
            digitos.insert(0, "1");
        } else {
            ++digitos[i - 1];
        }
    }
    std::string texto = digitos.substr(0, digitos.size() - static_cast<std::size_t>(decimales));
    if (decimales > 0) texto += "." + digitos.substr(digitos.size() - static_cast<std::size_t>(decimales));
    if (v < 0) texto.insert(0, "-");
    if (static_cast<int>(texto.size()) < ancho) texto.insert(0, static_cast<std::size_t>(ancho) - texto.size(), ' ');
    return texto;
}
