#pragma once
// A set's membership as a line to draw: its degree at evenly spaced inputs and at its corners, each as
// FDP::Evaluar gives it, so that the picture is the law that the controller applies.

#include <vector>

#include "fuzzy/cobertura.h"
#include "fuzzy/fdp.h"

struct PuntoCurva {
    double x = 0;
    double grado = 0;
};

/// The degrees of the set at `puntos` evenly spaced inputs from rango.desde to rango.hasta (both included, at
/// least 2 points) and at its corners that lie within the range (Centro - Ancho, Centro, Centro + Ancho for
/// shapes 0 to 2), in increasing x without repeats, each evaluated on a copy of the set. A point where Evaluar
/// throws has no degree and is left out. Nothing for a range with an end that is not finite or a desde above
/// hasta.
std::vector<PuntoCurva> CurvaConjunto(const FDP& conjunto, Rango rango, int puntos);
