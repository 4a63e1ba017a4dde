#pragma once
// Two-dimensional dynamic arrays, indexed row first: m[i][j]. The entries live in one contiguous block,
// row after row, so that a pass over the whole array runs through memory in order.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/errores.h"

/// A rows x columns array of T, every entry 0 until written.
template <typename T>
class Arreglo_2_Din {
public:
    /// Sets the size to filas x columnas. Entries within both the old and the new size keep their place;
    /// new entries are 0. Throws ErrorTanque for a negative count.
    void Redimensionar(std::int32_t filas, std::int32_t columnas) {
        if (filas < 0 || columnas < 0)
            throw ErrorTanque("No se puede dimensionar una matriz de " + std::to_string(filas) + " x " +
                              std::to_string(columnas) + ": las dimensiones no pueden ser negativas");
        if (filas == filas_ && columnas == columnas_) return;
        std::vector<T> nuevos(static_cast<std::size_t>(filas) * static_cast<std::size_t>(columnas), T{});
        const std::int32_t filas_comunes = std::min(filas, filas_);
        const std::int32_t columnas_comunes = std::min(columnas, columnas_);
        for (std::int32_t i = 0; i < filas_comunes; ++i) {
            const auto origen = datos_.begin() + Posicion(i, columnas_);
            std::copy(origen, origen + columnas_comunes, nuevos.begin() + Posicion(i, columnas));
        }
        datos_ = std::move(nuevos);
        filas_ = filas;
        columnas_ = columnas;
    }

    /// Number of rows.
    std::int32_t Filas() const { return filas_; }
    /// Number of columns.
    std::int32_t Columnas() const { return columnas_; }

    /// Row i, to be indexed by column: m[i][j]. Not checked: i must lie in 0 to Filas() - 1.
    T* operator[](std::size_t i) { return datos_.data() + i * static_cast<std::size_t>(columnas_); }
    /// Row i, read only. Not checked: i must lie in 0 to Filas() - 1.
    const T* operator[](std::size_t i) const { return datos_.data() + i * static_cast<std::size_t>(columnas_); }

private:
    // Offset of the first entry of row i in a block of the given row length.
    static std::ptrdiff_t Posicion(std::int32_t i, std::int32_t columnas) {
        return static_cast<std::ptrdiff_t>(i) * columnas;
    }

    std::int32_t filas_ = 0;
    std::int32_t columnas_ = 0;
    std::vector<T> datos_;
};

using Vector_2_Din = Arreglo_2_Din<double>;
using Vector_2_Din_Int = Arreglo_2_Din<std::int32_t>;
