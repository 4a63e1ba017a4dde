#include "senales/elementales.h"

#include <array>
#include <cmath>

#include "base/aritmetica.h"

namespace {

constexpr long double kDosPi = 6.283185307179586476925286766559005768L;
constexpr long double kLn2 = 0.693147180559945309417232121458176568L;
constexpr long double kRaizMedio = 0.707106781186547524400844362104849039L;

// 1 / k! for k = 0 .. 21, each rounded once by the compiler
constexpr std::array<long double, 22> InversasFactoriales() {
    std::array<long double, 22> t{};
    long double f = 1.0L;
    for (int k = 0; k < 22; ++k) {
        if (k > 0) f *= k;  // exact: k! up to 21! fits in 64 significant bits
        t[k] = 1.0L / f;
    }
    return t;
}
constexpr std::array<long double, 22> kInv = InversasFactoriales();

// 1 / k for k = 0 .. 27 (0 unused), for the series of the logarithm
constexpr std::array<long double, 28> Inversas() {
    std::array<long double, 28> t{};
    for (int k = 1; k < 28; ++k) t[k] = 1.0L / k;
    return t;
}
constexpr std::array<long double, 28> kInvEnteros = Inversas();

// |x| <= pi/4: sin x = x - x^3/3! + ... + x^21/21!; the first term left out, x^23/23!, is below 2^-64 x.
long double SenoCorto(long double x) {
    const long double x2 = x * x;
    long double s = kInv[21];
    for (int k = 19; k >= 1; k -= 2) s = (k % 4 == 1 ? kInv[k] : -kInv[k]) + x2 * s;
    // the signs alternate from +1/1!: s ends as 1 - x^2/3! + ...
    return x * s;
}

// |x| <= pi/4: cos x = 1 - x^2/2! + ... + x^20/20!; the first term left out, x^22/22!, is below 2^-70.
long double CosenoCorto(long double x) {
    const long double x2 = x * x;
    long double c = kInv[20];
    for (int k = 18; k >= 0; k -= 2) c = (k % 4 == 0 ? kInv[k] : -kInv[k]) + x2 * c;
    return c;
}

// v = q/4 + r turns with q a whole number of quarter turns and |r| <= 1/8; both subtractions are exact.
struct Reducido {
    int cuarto;     // q mod 4, 0 to 3
    long double x;  // 2 pi r, |x| <= pi/4
};

Reducido Reducir(long double v) {
    const long double u = v - std::rint(Comprobar(v));  // [-1/2, 1/2]
    const long double q = std::rint(4.0L * u);          // -2 .. 2
    const long double r = u - q * 0.25L;
    return {(static_cast<int>(q) + 4) % 4, kDosPi * r};
}

}  // namespace

long double CosenoVueltas(long double v) {
    const Reducido a = Reducir(v);
    // cos(q pi/2 + x)
    switch (a.cuarto) {
        case 0: return CosenoCorto(a.x);
        case 1: return -SenoCorto(a.x);
        case 2: return -CosenoCorto(a.x);
        default: return SenoCorto(a.x);
    }
}

long double SenoVueltas(long double v) {
    const Reducido a = Reducir(v);
    // sin(q pi/2 + x)
    switch (a.cuarto) {
        case 0: return SenoCorto(a.x);
        case 1: return CosenoCorto(a.x);
        case 2: return -SenoCorto(a.x);
        default: return -CosenoCorto(a.x);
    }
}

long double Logaritmo(long double x) {
    if (!(x > 0) || std::isinf(x)) throw ErrorPuntoFlotante(kOperacionInvalida);
    // x = 2^e m with m in [sqrt(1/2), sqrt(2)): both steps are exact
    int e = 0;
    long double m = std::frexp(x, &e);  // [1/2, 1)
    if (m < kRaizMedio) {
        m *= 2;
        --e;
    }
    // ln m = 2 atanh s = 2 (s + s^3/3 + s^5/5 + ...), s = (m - 1)/(m + 1), |s| < 0.1716; to s^27 the
    // first term left out is below 2^-64 s. The series in t = s^2 is split into its even and odd powers of t,
    // two chains of Horner's rule that the processor runs side by side: 1/1 + t/3 + ... = P(t^2) + t Q(t^2).
    const long double s = Dividir(m - 1.0L, m + 1.0L);
    const long double t = s * s;
    const long double t2 = t * t;
    long double par = kInvEnteros[25];    // 1/1 + t^2/5 + t^4/9 + ... + t^12/25
    long double impar = kInvEnteros[27];  // 1/3 + t^2/7 + ... + t^12/27
    for (int k = 21; k >= 1; k -= 4) {
        par = kInvEnteros[k] + t2 * par;
        impar = kInvEnteros[k + 2] + t2 * impar;
    }
    const long double serie = par + t * impar;
    return static_cast<long double>(e) * kLn2 + 2.0L * s * serie;
}
