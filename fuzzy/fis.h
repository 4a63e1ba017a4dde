#pragma once
// The fuzzy inference system: two inputs (scaled error and its derivative), one output, a 5 x 5 rule table.
// A rule's strength is the minimum of its two input degrees; the output is the strength-weighted average of
// the centres of the output sets that the rules name.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzzy/fdp.h"
#include "fuzzy/vector_2_din.h"

/// Row i of the rule table is error set i, column j derivative set j; an entry is an index into Conjuntos_U.
class FIS {
public:
    /// Sets per group used by Inferir, and rows and columns of the rule table that it reads.
    static constexpr std::int32_t kConjuntos = 5;

    std::vector<FDP> Conjuntos_E;
    std::vector<FDP> Conjuntos_DE;
    std::vector<FDP> Conjuntos_U;
    Vector_2_Din Fuerzas;           // strength of rule (i, j) at the last inference
    Vector_2_Din_Int Tabla_Reglas;  // output set of rule (i, j)
    std::int32_t Num_E = 0;
    std::int32_t Num_DE = 0;
    std::int32_t Num_U = 0;

    FIS() = default;
    FIS(const FIS&) = default;
    FIS(FIS&&) = default;
    FIS& operator=(const FIS&) = default;
    FIS& operator=(FIS&&) = default;
    virtual ~FIS() = default;

    /// Sizes the system: fresh sets in every slot, rule table resized keeping its entries, strengths 0.0.
    /// Always returns 1: the original interface gives a status that no caller has ever read, and its shape is kept
    /// for those written against it. Throws ErrorTanque, before changing anything, for a negative count.
    std::int32_t Dimensionar(std::int32_t n_e, std::int32_t n_de, std::int32_t n_u);

    /// Crisp output for scaled error e and scaled derivative de; leaves the strengths in Fuerzas and each
    /// input set's degree in its Grado. Throws ErrorTanque, before changing anything, when the system lacks
    /// 5 x 5 x 5 sets or a rule names a set outside 0 to Num_U - 1; throws ErrorPuntoFlotante when every
    /// strength is 0 (invalid operation) or an input set of width 0 is evaluated on a sloped branch.
    double Inferir(double e, double de);

private:
    using Grados = std::array<double, kConjuntos>;

    std::size_t Comprobar_Inferencia() const;
    void Calcular_Fuerzas(double e, double de, Grados& grado_e, Grados& grado_de);
};

/// Text of the error of Inferir on a system without its 5 x 5 x 5 sets.
inline constexpr const char* kSistemaSinDimensionar =
    "El sistema de inferencia no tiene los 5 x 5 x 5 conjuntos que necesita; inicialice el control fuzzy";
