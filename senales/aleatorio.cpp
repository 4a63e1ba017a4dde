#include "senales/aleatorio.h"

#include <algorithm>
#include <cmath>

#include "base/aritmetica.h"
#include "senales/elementales.h"

std::uint64_t Mezcla(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15u;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
    return x ^ (x >> 31);
}

double Uniforme(std::uint64_t palabra) { return static_cast<double>(palabra >> 11) * 0x1.0p-53; }

double EnIntervalo(double a, double b, double u) {
    // a + (b - a) u at extended precision, rounded once; the clamp only guards the last rounding
    const double v = aDouble(a + (static_cast<long double>(b) - a) * u);
    return std::clamp(v, a, b);
}

ParNormal BoxMuller(std::uint64_t w1, std::uint64_t w2) {
    const long double u1 = 1.0L - Uniforme(w1);  // (0, 1]: the logarithm never sees 0
    const long double u2 = Uniforme(w2);
    const long double r = std::sqrt(-2.0L * Logaritmo(u1));
    return {r * CosenoVueltas(u2), r * SenoVueltas(u2)};
}

FlujoAleatorio::FlujoAleatorio(std::uint64_t semilla, std::uint64_t dominio)
    : clave_(Mezcla(Mezcla(semilla) ^ dominio)) {}

std::uint64_t FlujoAleatorio::Palabra(std::int64_t i) {
    if (i == siguiente_ - 1 && bloque_ >= 0) return ultima_;
    const std::int64_t bloque = i >> kBitsBloque;
    if (bloque != bloque_ || i < siguiente_) {
        motor_.seed(Mezcla(clave_ + static_cast<std::uint64_t>(bloque)));
        bloque_ = bloque;
        siguiente_ = bloque << kBitsBloque;
    }
    motor_.discard(static_cast<unsigned long long>(i - siguiente_));
    siguiente_ = i + 1;
    ultima_ = motor_();
    return ultima_;
}

long double NormalPorPosicion::Valor(std::int64_t i) {
    const std::int64_t par = i / 2;
    if (par != par_) {
        // one statement each: the order of a call's arguments is unspecified, and going back costs a block
        const std::uint64_t w1 = flujo_.Palabra(2 * par);
        const std::uint64_t w2 = flujo_.Palabra(2 * par + 1);
        z_ = BoxMuller(w1, w2);
        par_ = par;
    }
    return i % 2 == 0 ? z_.z0 : z_.z1;
}
