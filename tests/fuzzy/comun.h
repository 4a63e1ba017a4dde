#pragma once
// Helpers shared by the tests of the fuzzy library.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzzy/fis.h"
#include "tests/ayudas.h"

struct Definicion_Conjunto {
    std::int32_t tipo;
    double ancho;
    double centro;
};

using Definicion_Grupo = std::array<Definicion_Conjunto, 5>;

// The fuzzy dialog's default sets, MN, Ne, Ze, Po, MP in that order.
inline constexpr Definicion_Grupo kError = {
    {{1, 2.5, -3.75}, {0, 1.25, -1.25}, {0, 1.25, 0.0}, {0, 1.25, 1.25}, {2, 2.5, 3.75}}};
inline constexpr Definicion_Grupo kDerivada = {
    {{1, 0.5, -0.75}, {0, 0.25, -0.25}, {0, 0.25, 0.0}, {0, 0.25, 0.25}, {2, 0.5, 0.75}}};
inline constexpr Definicion_Grupo kControl = {
    {{3, 0.0, -0.75}, {3, 0.0, -0.375}, {3, 0.0, 0.0}, {3, 0.0, 0.375}, {3, 0.0, 0.75}}};

using Tabla = std::array<std::array<std::int32_t, 5>, 5>;

// The dialog's default rule grid; rows are error sets, columns derivative sets.
inline constexpr Tabla kReglas = {
    {{0, 0, 0, 0, 0}, {0, 1, 1, 2, 2}, {1, 1, 2, 2, 3}, {2, 2, 3, 3, 4}, {4, 4, 4, 4, 4}}};

// Dimensions f for 5, 5 and n_u sets and defines the first five of each group and the 25 rules.
inline void Definir(FIS& f, const Definicion_Grupo& e, const Definicion_Grupo& de, const Definicion_Grupo& u,
                    const Tabla& reglas, std::int32_t n_u = 5) {
    f.Dimensionar(5, 5, n_u);
    for (std::size_t k = 0; k < 5; ++k) {
        f.Conjuntos_E[k].Asignar(e[k].tipo, e[k].ancho, e[k].centro);
        f.Conjuntos_DE[k].Asignar(de[k].tipo, de[k].ancho, de[k].centro);
        f.Conjuntos_U[k].Asignar(u[k].tipo, u[k].ancho, u[k].centro);
        for (std::size_t j = 0; j < 5; ++j) f.Tabla_Reglas[k][j] = reglas[k][j];
    }
}

// The controller as "Inicializar Control Fuzzy" builds it from the dialog's default texts.
inline FIS Sistema_Por_Defecto() {
    FIS f;
    Definir(f, kError, kDerivada, kControl, kReglas);
    return f;
}

// True when a is b or one of its two neighbouring Doubles.
inline bool A_Un_Ulp(double a, double b) {
    return a == b || a == std::nextafter(b, INFINITY) || a == std::nextafter(b, -INFINITY);
}
