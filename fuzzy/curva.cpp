#include "fuzzy/curva.h"

#include <algorithm>
#include <cmath>

#include "base/errores.h"

std::vector<PuntoCurva> CurvaConjunto(const FDP& conjunto, Rango rango, int puntos) {
    std::vector<PuntoCurva> curva;
    if (!std::isfinite(rango.desde) || !std::isfinite(rango.hasta) || rango.desde > rango.hasta) return curva;
    puntos = std::max(puntos, 2);
    std::vector<double> xs;
    xs.reserve(static_cast<std::size_t>(puntos) + 3);
    const long double largo = static_cast<long double>(rango.hasta) - rango.desde;
    for (int i = 0; i < puntos - 1; ++i) xs.push_back(static_cast<double>(rango.desde + largo * i / (puntos - 1)));
    xs.push_back(rango.hasta);
    // the knees and ends of the sloped sides, where the straight pieces meet
    if (conjunto.Tipo >= 0 && conjunto.Tipo <= 2) {
        for (const double x : {conjunto.Centro - conjunto.Ancho, conjunto.Centro, conjunto.Centro + conjunto.Ancho})
            if (x >= rango.desde && x <= rango.hasta) xs.push_back(x);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());

    FDP copia = conjunto;
    curva.reserve(xs.size());
    for (const double x : xs) {
        try {
            copia.Evaluar(x);
        } catch (const ErrorTanque&) {
            continue;
        }
        curva.push_back({x, copia.Leer_Grado()});
    }
    return curva;
}
