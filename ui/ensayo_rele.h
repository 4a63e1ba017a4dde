#pragma once
// The analysis of the relay run that has just stopped: the record kept by the core (core/observacion/
// ensayo_rele.h), the relay of the texts, Astrom and Hagglund's reading (sintonia/rele.h), and the words for
// the user.

#include <optional>
#include <string>

#include "sintonia/rele.h"

class Simulador;
class Textos;

struct ResultadoEnsayoRele {
    Rele rele;
    double T = 0;                         ///< s, the controller's period
    std::optional<AnalisisRele> analisis;  ///< absent when the record does not give Ku and Pu
    std::string mensaje;                  ///< the result, or why there is none, in Spanish
};

/// Reads the last relay run of `simulador`, its relay from the texts as they are now.
ResultadoEnsayoRele AnalizarEnsayo(const Simulador& simulador, const Textos& textos);
