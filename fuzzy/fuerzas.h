#pragma once
// What the last inference left behind, as tables for display: the strength of each of the 25 rules and the
// degree of each input set. Read from the system as it stands; nothing is inferred again.

#include <array>

#include "fuzzy/fis.h"

/// Row i is error set i, column j derivative set j (MN, Ne, Ze, Po, MP).
using TablaFuerzas = std::array<std::array<double, FIS::kConjuntos>, FIS::kConjuntos>;

/// The degrees of the five error sets and of the five derivative sets.
struct GradosEntradas {
    std::array<double, FIS::kConjuntos> E{};
    std::array<double, FIS::kConjuntos> DE{};
};

/// The strengths that the last Inferir left in FIS::Fuerzas: 0 before the first; after an inference that
/// threw, what it had computed when it threw. Throws ErrorTanque (kSistemaSinDimensionar) when Fuerzas is
/// smaller than 5 x 5.
TablaFuerzas FuerzasUltimaInferencia(const FIS& fis);

/// The degrees that the last Inferir left in the input sets' Grado. Throws ErrorTanque
/// (kSistemaSinDimensionar) when a group has fewer than five sets.
GradosEntradas GradosUltimaInferencia(const FIS& fis);
