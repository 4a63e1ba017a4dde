#include "fuzzy/fdp.h"

#include <algorithm>
#include <cmath>

#include "base/aritmetica.h"

namespace {

// clip(1 - |x - c| / w): a sloped side, 1 at the centre, 0 at one width from it and beyond. The distance is
// formed at extended precision on the side where x lies; at x == c it is 0, which gives 1 - 0 / w.
// There is no clip at 1, so a negative width gives degrees above 1.
inline double Pendiente(double x, double c, double w) {
    // Past one positive width the quotient is at least 1 and the clipped degree +0, so the division is spared
    // there with the same result. The Double distance decides that safely: rounding is monotonic, so a rounded
    // distance above w means an exact one above w.
    const double aproximada = x < c ? c - x : x - c;
    if (w > 0.0 && aproximada > w && std::isfinite(aproximada)) return 0.0;
    const long double distancia = x < c ? static_cast<long double>(c) - x : static_cast<long double>(x) - c;
    const long double grado = 1.0L - Dividir(distancia, w);
    return aDouble(std::max(grado, 0.0L));
}

}  // namespace

std::int32_t FDP::Asignar(std::int32_t tipo, double ancho, double centro) {
    Tipo = tipo;
    Ancho = ancho;
    Centro = centro;
    return 1;  // the original interface's status: nothing can fail here
}

void FDP::Evaluar(double x) {
    switch (Tipo) {
        case 0:  // triangle: sloped on both sides
            Grado = Pendiente(x, Centro, Ancho);
            break;
        case 1:  // left shoulder: 1 everywhere below the centre, falls to 0 at Centro + Ancho
            Grado = x < Centro ? 1.0 : Pendiente(x, Centro, Ancho);
            break;
        case 2:  // right shoulder: rises from 0 at Centro - Ancho, 1 from the centre up
            Grado = x < Centro ? Pendiente(x, Centro, Ancho) : 1.0;
            break;
        case 3:  // constant one, never divides
            Grado = 1.0;
            break;
        default:  // unknown shape: the degree stays as it was
            break;
    }
}
