#include "fuzzy/fis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/aritmetica.h"
#include "base/errores.h"
#include "fuzzy/reglas.h"

namespace {

constexpr std::size_t kN = FIS::kConjuntos;

// The numerator of the weighted sum over all 25 rules, none skipped, from the strengths already in Fuerzas.
double Numerador_Sin_Saltos(const FIS& f) {
    double numerador = 0.0;
    for (std::size_t i = 0; i < kN; ++i)
        for (std::size_t j = 0; j < kN; ++j) {
            const FDP& salida = f.Conjuntos_U[static_cast<std::size_t>(f.Tabla_Reglas[i][j])];
            numerador = aDouble(f.Fuerzas[i][j] * static_cast<long double>(salida.Centro) + numerador);
        }
    return numerador;
}

}  // namespace

std::int32_t FIS::Dimensionar(std::int32_t n_e, std::int32_t n_de, std::int32_t n_u) {
    if (n_e < 0 || n_de < 0 || n_u < 0)
        throw ErrorTanque("No se puede dimensionar el sistema de inferencia con " + std::to_string(n_e) + ", " +
                          std::to_string(n_de) + " y " + std::to_string(n_u) +
                          " conjuntos: ninguna cantidad puede ser negativa");
    Num_E = n_e;
    Num_DE = n_de;
    Num_U = n_u;
    // A fresh set, all fields 0, in every slot, also where an earlier call had put one.
    Conjuntos_E.assign(static_cast<std::size_t>(n_e), FDP());
    Conjuntos_DE.assign(static_cast<std::size_t>(n_de), FDP());
    Conjuntos_U.assign(static_cast<std::size_t>(n_u), FDP());
    Tabla_Reglas.Redimensionar(n_e, n_de);
    Fuerzas.Redimensionar(n_e, n_de);
    for (std::int32_t i = 0; i < n_e; ++i)
        for (std::int32_t j = 0; j < n_de; ++j) Fuerzas[i][j] = 0.0;
    return 1;
}

// Refuses, before anything is changed, a system that Inferir would read past the end of. Returns the number
// of output sets that a rule may name.
std::size_t FIS::Comprobar_Inferencia() const {
    const auto basta = [](std::size_t n) { return n >= kN; };
    if (Num_E < kConjuntos || Num_DE < kConjuntos || Num_U < kConjuntos || !basta(Conjuntos_E.size()) ||
        !basta(Conjuntos_DE.size()) || !basta(Conjuntos_U.size()) || Fuerzas.Filas() < kConjuntos ||
        Fuerzas.Columnas() < kConjuntos || Tabla_Reglas.Filas() < kConjuntos || Tabla_Reglas.Columnas() < kConjuntos)
        throw ErrorTanque(kSistemaSinDimensionar);
    const std::size_t limite = std::min(static_cast<std::size_t>(Num_U), Conjuntos_U.size());
    // One pass without branches for the usual case; a negative entry converts to a huge unsigned one.
    bool validas = true;
    for (std::size_t i = 0; i < kN; ++i)
        for (std::size_t j = 0; j < kN; ++j)
            validas &= static_cast<std::size_t>(static_cast<std::uint32_t>(Tabla_Reglas[i][j])) < limite;
    if (validas) return limite;
    for (std::size_t i = 0; i < kN; ++i)
        for (std::size_t j = 0; j < kN; ++j) ComprobarRegla(i, j, Tabla_Reglas[i][j], limite);
    return limite;
}

// Strengths, rows outer and columns inner. Evaluar depends only on the set and its input, so evaluating error
// set i once per row and derivative set j once, in row 0, leaves the same degrees, strengths and first error
// as evaluating both sets of every pair: a set that fails, fails at its first evaluation.
void FIS::Calcular_Fuerzas(double e, double de, Grados& grado_e, Grados& grado_de) {
    Conjuntos_E[0].Evaluar(e);
    grado_e[0] = Conjuntos_E[0].Leer_Grado();
    for (std::size_t j = 0; j < kN; ++j) {
        Conjuntos_DE[j].Evaluar(de);
        grado_de[j] = Conjuntos_DE[j].Leer_Grado();
        Fuerzas[0][j] = std::min(grado_e[0], grado_de[j]);
    }
    for (std::size_t i = 1; i < kN; ++i) {
        Conjuntos_E[i].Evaluar(e);
        grado_e[i] = Conjuntos_E[i].Leer_Grado();
        double* fila = Fuerzas[i];
        for (std::size_t j = 0; j < kN; ++j) fila[j] = std::min(grado_e[i], grado_de[j]);
    }
}

double FIS::Inferir(double e, double de) {
    const std::size_t limite = Comprobar_Inferencia();
    Grados grado_e;
    Grados grado_de;
    Calcular_Fuerzas(e, de, grado_e, grado_de);

    // Weighted sum: numerator := strength x centre + numerator, denominator := denominator + strength, each
    // formed at extended precision and held as a Double between steps.
    // A rule of strength 0 adds 0 x centre and 0, which leaves both sums as they are, if the centre is finite,
    // unless the numerator is -0. So, with every centre finite, such rules are skipped, and so is a row whose
    // error degree is 0 while no derivative degree is negative (its strengths are all 0). The numerator can
    // only become -0 through a tiny step that rounds to a zero; then it is summed again without skipping.
    bool centros_finitos = true;
    for (std::size_t k = 0; k < limite; ++k) centros_finitos &= std::isfinite(Conjuntos_U[k].Centro);
    bool de_no_negativos = true;
    for (const double g : grado_de) de_no_negativos &= g >= 0.0;
    double numerador = 0.0;
    double denominador = 0.0;
    bool redondeo_a_cero = false;
    for (std::size_t i = 0; i < kN; ++i) {
        if (centros_finitos && de_no_negativos && grado_e[i] == 0.0) continue;
        const double* fila = Fuerzas[i];
        const std::int32_t* reglas = Tabla_Reglas[i];
        for (std::size_t j = 0; j < kN; ++j) {
            const double fuerza = fila[j];
            if (centros_finitos && fuerza == 0.0) continue;
            const FDP& salida = Conjuntos_U[static_cast<std::size_t>(reglas[j])];
            const long double paso = fuerza * static_cast<long double>(salida.Centro) + numerador;
            numerador = aDouble(paso);
            redondeo_a_cero |= paso != 0.0L && numerador == 0.0;
            denominador = aDouble(static_cast<long double>(denominador) + fuerza);
        }
    }
    if (redondeo_a_cero) numerador = Numerador_Sin_Saltos(*this);
    // All 25 strengths 0 make this 0 / 0, an invalid operation.
    return aDouble(Dividir(numerador, denominador));
}
