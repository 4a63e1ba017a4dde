#include "fuzzy/reglas.h"

#include <string>

#include "base/errores.h"

void ComprobarRegla(std::size_t fila, std::size_t columna, std::int32_t salida, std::size_t numSalidas) {
    if (salida >= 0 && static_cast<std::size_t>(salida) < numSalidas) return;
    // rows and columns beyond the five labelled sets are named by their number
    auto nombre = [](std::size_t k) { return k < kEtiquetas.size() ? std::string(kEtiquetas[k]) : std::to_string(k); };
    throw ErrorTanque("La regla de la fila " + nombre(fila) + " y la columna " + nombre(columna) +
                      " nombra el conjunto " + std::to_string(salida) + "; debe estar entre 0 y " +
                      std::to_string(static_cast<std::int64_t>(numSalidas) - 1));
}
