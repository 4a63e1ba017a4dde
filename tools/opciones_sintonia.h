#pragma once
// The command lines of tanque-lote sintonizar and tanque-lote rele.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sintonia/reglas.h"

struct OpcionesLote;

/// `sintonizar ARCHIVO|--verdad`: the model to tune on and the rule.
struct OpcionesSintonizar {
    std::string archivo;                  ///< the record to identify; empty with --verdad
    bool verdad = false;                  ///< the true plant of the texts instead of a record
    Regla regla = Regla::Simc;
    Accion accion = Accion::PI;           ///< --pid: a PID
    std::optional<double> perilla;        ///< --tc (SIMC) or --lambda (IMC), seconds
    std::optional<int> retardo;           ///< 0 or 1, the record's run: as identificar's --retardo
    std::optional<std::int32_t> tSample;  ///< ms, the record's period, as identificar's --T_Sample
};

/// `rele MUESTRAS`: the relay around a working level.
struct OpcionesReleLote {
    double nivel = 2;                 ///< the working level
    std::optional<double> amplitud;   ///< half the inflow's swing; absent: the inflow of the working level
                                      ///< (an on/off pump, 0 and twice that inflow)
    double histeresis = 0.1;          ///< level units: above a sample's rise, so that a cycle lasts several samples
};

/// The most samples of `rele`, whose record stays in memory until it is read.
inline constexpr long kMaximoMuestrasRele = 10000000;

/// Read by LeerOpciones when the first word is `sintonizar` or `rele`. Throw std::invalid_argument.
OpcionesLote LeerSintonizar(const std::vector<std::string>& argumentos);
OpcionesLote LeerRele(const std::vector<std::string>& argumentos);
