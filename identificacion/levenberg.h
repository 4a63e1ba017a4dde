#pragma once
// The Levenberg-Marquardt loop of the output-error fits, of first order (oe.cpp) and of any order
// (oe_orden.cpp): each brings its own pass over the record, its own step and its own test of a usable model.

#include <algorithm>
#include <cmath>
#include <utility>

#include "identificacion/minimos_cuadrados.h"

/// The output error at some theta: its sum of squares (in scaled units), and the triangle of the rows of its
/// sensitivities with the errors as target.
struct PasadaLm {
    long double perdida = 0;
    Triangulo t;
};

/// When the loop stops, besides a lambda past 10^12 (no step short enough lowers the loss).
struct ReglasLm {
    int intentos;          ///< steps tried at the most, accepted or refused
    double estacionario;   ///< ||Q'e||^2 at most this part of the loss: no step can gain more
    long double mejora;    ///< an accepted step that gained at most this part of the loss
};

/// Lowers the loss from (theta, pasada), the pass at theta: each try solves paso(triangle, lambda) for a step,
/// refuses a candidate that is not finite, not admisible or not lower (lambda times 10), and accepts a lower
/// one (lambda over 10, down to 10^-12). Returns the steps accepted; theta and pasada are those of the last.
template <class Theta, class Pasar, class Paso, class Admisible>
int LevenbergMarquardt(Theta& theta, PasadaLm& pasada, const ReglasLm& reglas, Pasar pasar, Paso paso,
                       Admisible admisible) {
    constexpr double kLambdaMaximo = 1e12;
    double lambda = 1e-6;
    int aceptados = 0;
    for (int intento = 0; intento < reglas.intentos && pasada.perdida > 0 && lambda < kLambdaMaximo; ++intento) {
        // Stationary: no step can lower the loss by more than the Gauss-Newton step's ||Q'e||^2, and that is
        // below the least improvement an accepted step must make. Without this test a converged long record
        // would try ever shorter steps, each a pass over it, whose losses differ only in their rounding, until
        // lambda runs out: 29 passes instead of 4 on the 10^5 samples of a step run.
        if (pasada.t.Qty.squaredNorm() <= reglas.estacionario * static_cast<double>(pasada.perdida)) break;
        const Theta candidato = theta + paso(pasada.t, lambda);
        if (!candidato.allFinite() || !admisible(candidato)) {
            lambda *= 10;
            continue;
        }
        PasadaLm p = pasar(candidato);
        if (!std::isfinite(p.perdida) || !(p.perdida < pasada.perdida)) {
            lambda *= 10;
            continue;
        }
        const long double mejora = pasada.perdida - p.perdida;
        const long double antes = pasada.perdida;
        theta = candidato;
        pasada = std::move(p);
        ++aceptados;
        lambda = std::max(lambda / 10, 1e-12);
        if (mejora <= reglas.mejora * antes) break;  // converged: the loss no longer moves
    }
    return aceptados;
}
