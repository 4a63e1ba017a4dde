#pragma once
// One fuzzy set as the fuzzy dialog's texts give it, read as "Inicializar Control Fuzzy" reads it: for the
// initialisation itself and for the plots of the sets that follow the texts as they are typed.

#include <cstddef>

#include "core/textos.h"
#include "fuzzy/fdp.h"

/// Set `k` (0 MN to 4 MP) of group `grupo` (0 error, 1 derivative, 2 control): kind, width and centre read in
/// this order, assigned to a fresh set. Throws ErrorConversion at a text that does not convert,
/// ErrorPuntoFlotante for a number beyond the Double range, and ErrorTanque ("El conjunto Ze de Error tiene
/// ancho 0") for an input set with a sloped side of width 0.
FDP LeerConjuntoFuzzy(const Textos& textos, std::size_t grupo, std::size_t k);
