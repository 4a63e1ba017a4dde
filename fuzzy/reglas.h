#pragma once
// The names of the fuzzy sets and the one rule about a rule's entry: it names an output set that exists.

#include <array>
#include <cstddef>
#include <cstdint>

/// The labels of the five sets of each fuzzy variable, in set order; also the rule grid's headers.
inline constexpr std::array<const char*, 5> kEtiquetas{"MN", "Ne", "Ze", "Po", "MP"};

/// Throws ErrorTanque when the rule of error set `fila` and derivative set `columna` (both from 0) names an
/// output set outside 0 .. numSalidas - 1: such a rule would name a set that does not exist.
void ComprobarRegla(std::size_t fila, std::size_t columna, std::int32_t salida, std::size_t numSalidas);
