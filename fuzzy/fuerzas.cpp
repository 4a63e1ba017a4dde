#include "fuzzy/fuerzas.h"

#include <cstddef>

#include "base/errores.h"

namespace {
constexpr std::size_t kN = FIS::kConjuntos;
}  // namespace

TablaFuerzas FuerzasUltimaInferencia(const FIS& fis) {
    if (fis.Fuerzas.Filas() < FIS::kConjuntos || fis.Fuerzas.Columnas() < FIS::kConjuntos)
        throw ErrorTanque(kSistemaSinDimensionar);
    TablaFuerzas t{};
    for (std::size_t i = 0; i < kN; ++i)
        for (std::size_t j = 0; j < kN; ++j) t[i][j] = fis.Fuerzas[i][j];
    return t;
}

GradosEntradas GradosUltimaInferencia(const FIS& fis) {
    if (fis.Conjuntos_E.size() < kN || fis.Conjuntos_DE.size() < kN) throw ErrorTanque(kSistemaSinDimensionar);
    GradosEntradas g;
    for (std::size_t k = 0; k < kN; ++k) {
        g.E[k] = fis.Conjuntos_E[k].Leer_Grado();
        g.DE[k] = fis.Conjuntos_DE[k].Leer_Grado();
    }
    return g;
}
