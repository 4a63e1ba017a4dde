#include "fuzzy/cobertura.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <utility>

namespace {

constexpr double kMaximo = std::numeric_limits<double>::max();

// The finite doubles in increasing order as consecutive integers; -0 and +0 share the key 0.
std::int64_t Clave(double x) {
    const auto b = std::bit_cast<std::int64_t>(x);
    return b >= 0 ? b : -(b & std::numeric_limits<std::int64_t>::max());
}

double Valor(std::int64_t k) {
    if (k >= 0) return std::bit_cast<double>(k);
    return std::bit_cast<double>(static_cast<std::uint64_t>(-k) | (std::uint64_t{1} << 63));
}

const std::int64_t kClaveMinima = Clave(-kMaximo);
const std::int64_t kClaveMaxima = Clave(kMaximo);

// A sloped side has a degree above 0 at x, by FDP::Evaluar's arithmetic: clip(1 - d / w) with the distance d
// formed at extended precision. Where Evaluar throws there is no degree: Dividir refuses a width of 0 or NaN
// and a NaN or infinite distance, aDouble a degree beyond the Double range (a tiny negative width far away).
bool PendientePositiva(double x, double c, double w) {
    if (!(w != 0)) return false;
    const long double d = x < c ? static_cast<long double>(c) - x : static_cast<long double>(x) - c;
    if (!std::isfinite(d)) return false;
    // d is at most 2^1025 and |w| at least 2^-1074: the quotient stays within the extended range
    const long double grado = 1.0L - d / w;
    return grado > 0 && std::isfinite(static_cast<double>(grado));
}

// The set has a degree above 0 at x: the branches of FDP::Evaluar.
bool Positivo(const FDP& f, double x) {
    switch (f.Tipo) {
        case 0: return PendientePositiva(x, f.Centro, f.Ancho);
        case 1: return x < f.Centro || PendientePositiva(x, f.Centro, f.Ancho);
        case 2: return !(x < f.Centro) || PendientePositiva(x, f.Centro, f.Ancho);
        case 3: return true;
        default: return f.Grado > 0;  // Evaluar leaves the degree as it is
    }
}

// b - a without overflow: the keys span more than the int64 range.
bool Vecinos(std::int64_t a, std::int64_t b) {
    return static_cast<std::uint64_t>(b) - static_cast<std::uint64_t>(a) <= 1;
}

// The first key of [a, b] that is positive, when b is and the positive keys of [a, b] are those from some key on.
template <typename P>
std::int64_t PrimeroPositivo(const P& positivo, std::int64_t a, std::int64_t b) {
    if (positivo(a)) return a;
    // a is not positive, b is; halve until they are neighbours
    while (!Vecinos(a, b)) {
        const std::int64_t m = std::midpoint(a, b);
        (positivo(m) ? b : a) = m;
    }
    return b;
}

// The last key of [a, b] that is positive, when a is and the positive keys of [a, b] are those up to some key.
template <typename P>
std::int64_t UltimoPositivo(const P& positivo, std::int64_t a, std::int64_t b) {
    if (positivo(b)) return b;
    while (!Vecinos(a, b)) {
        const std::int64_t m = std::midpoint(a, b);
        (positivo(m) ? a : b) = m;
    }
    return a;
}

struct Tramo {
    std::int64_t desde, hasta;
};

std::optional<Tramo> TramoPositivo(const FDP& f) {
    const auto positivo = [&f](std::int64_t k) { return Positivo(f, Valor(k)); };
    const double c = f.Centro;
    // Off the sloped shapes, or with a centre that is not finite, the degree is the same at every finite input.
    if (f.Tipo < 0 || f.Tipo > 2 || !std::isfinite(c))
        return positivo(0) ? std::optional<Tramo>(Tramo{kClaveMinima, kClaveMaxima}) : std::nullopt;
    // On each side of the centre the distance grows away from it, and the degree falls with the distance (or
    // the side is flat): what is positive on the left ends just below the centre, on the right starts at it.
    const std::int64_t kc = Clave(c);
    std::optional<std::int64_t> desde, hasta;
    if (kc > kClaveMinima && positivo(kc - 1)) {
        desde = PrimeroPositivo(positivo, kClaveMinima, kc - 1);
        hasta = kc - 1;
    }
    if (positivo(kc)) {
        if (!desde) desde = kc;
        hasta = UltimoPositivo(positivo, kc, kClaveMaxima);
    }
    if (!desde) return std::nullopt;
    return Tramo{*desde, *hasta};
}

double Finito(long double v) { return static_cast<double>(std::clamp<long double>(v, -kMaximo, kMaximo)); }

}  // namespace

std::optional<Rango> Soporte(const FDP& conjunto) {
    const std::optional<Tramo> t = TramoPositivo(conjunto);
    if (!t) return std::nullopt;
    return Rango{Valor(t->desde), Valor(t->hasta)};
}

std::vector<Hueco> Huecos(std::span<const FDP> conjuntos, Rango rango) {
    const double a = std::isnan(rango.desde) ? -kMaximo : std::clamp(rango.desde, -kMaximo, kMaximo);
    const double b = std::isnan(rango.hasta) ? kMaximo : std::clamp(rango.hasta, -kMaximo, kMaximo);
    const std::int64_t desde = Clave(std::min(a, b));
    const std::int64_t hasta = Clave(std::max(a, b));

    std::vector<Tramo> cubiertos;
    for (const FDP& f : conjuntos) {
        const std::optional<Tramo> t = TramoPositivo(f);
        if (t && t->hasta >= desde && t->desde <= hasta)
            cubiertos.push_back({std::max(t->desde, desde), std::min(t->hasta, hasta)});
    }
    std::sort(cubiertos.begin(), cubiertos.end(), [](const Tramo& x, const Tramo& y) { return x.desde < y.desde; });

    // Walk the covered stretches in order; what lies between them (and at both ends of the range) is a gap.
    std::vector<Hueco> huecos;
    std::int64_t siguiente = desde;  // first key not yet known to be covered or in a gap
    for (const Tramo& t : cubiertos) {
        if (t.desde > siguiente) huecos.push_back({Valor(siguiente), Valor(t.desde - 1)});
        siguiente = std::max(siguiente, t.hasta + 1);
    }
    if (siguiente <= hasta) huecos.push_back({Valor(siguiente), Valor(hasta)});
    return huecos;
}

Rango RangoEje(std::span<const FDP> conjuntos) {
    long double menor = std::numeric_limits<long double>::infinity();
    long double mayor = -menor;
    for (const FDP& f : conjuntos) {
        if (!std::isfinite(f.Centro) || !std::isfinite(f.Ancho)) continue;
        const bool inclinado = f.Tipo >= 0 && f.Tipo <= 2;
        const long double radio = inclinado ? std::fabs(static_cast<long double>(f.Ancho)) : 0.0L;
        menor = std::min(menor, f.Centro - radio);
        mayor = std::max(mayor, f.Centro + radio);
    }
    if (menor > mayor) return {-1.0, 1.0};
    const long double margen = mayor > menor ? (mayor - menor) / 10 : 1.0L;
    return {Finito(menor - margen), Finito(mayor + margen)};
}
