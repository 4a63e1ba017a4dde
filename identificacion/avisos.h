#pragma once
// Warnings for a record that breaks what the linear model assumes, and for an ARX estimate that noise has
// biased. They never refuse: the estimate is made and shown, with what the user should know beside it.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "identificacion/modelo.h"
#include "identificacion/registro.h"

enum class TipoAviso {
    NivelCero,         ///< samples at level 0 after the level had risen: the tank emptied, RK clamped its volume
    LimiteBomba,       ///< samples with the action at a pump limit
    EntradaConstante,  ///< one action throughout
    BandaBaja,         ///< the input's variance lies below the plant's corner frequency 1 / Tau
    RegistroCorto,     ///< the record lasts fewer than kTausMinimos time constants
    ArxSesgado,        ///< ARX's Tau is further from OE's than their standard errors allow
};

struct Aviso {
    TipoAviso tipo;
    std::string texto;         ///< in Spanish, for the user
    std::size_t muestras = 0;  ///< the samples concerned (NivelCero, LimiteBomba)
};

struct OpcionesAvisos {
    std::optional<double> accionMinima, accionMaxima;  ///< the pump's limits, when the plant has them
};

/// The duration of a record, in time constants, below which it is too short to show the plant settle.
inline constexpr double kTausMinimos = 5;
/// The share of the input's variance above 1 / Tau below which the input is too slow for the plant.
inline constexpr double kFraccionBandaMinima = 0.01;

/// The warnings of a record, with the time constant Tau (seconds of plant time) of a model of it when there is
/// one (for the band and the duration). Throws ErrorIdentificacion for a record that ComprobarRegistro refuses.
std::vector<Aviso> AvisosRegistro(const Registro& r, const OpcionesAvisos& o = {},
                                  std::optional<double> Tau = std::nullopt);

/// How many of OE's standard errors ARX's Tau may stand from OE's before it is called biased.
inline constexpr double kErroresSesgo = 3;

/// The least relative difference |Tau_ARX - Tau_OE| / Tau_OE called a bias: on a record without noise the
/// integrator's own error leaves the two a few parts in 10^6 apart, many of their tiny standard errors.
inline constexpr double kSesgoRelativoMinimo = 1e-3;

/// The warning that ARX is biased by the noise on the level: |Tau_ARX - Tau_OE| above kErroresSesgo of OE's
/// standard error and above kSesgoRelativoMinimo of OE's Tau (OE is unbiased under that noise, in open loop and, the
/// noise white, in closed loop too; ARX's own standard error is then wider than its spread and would hide the bias).
/// Then ARX's "±" does not measure its error, and the text says so.
std::optional<Aviso> AvisoSesgoArx(const Identificacion& arx, const Identificacion& oe);

/// All of them: the record's, with OE's Tau (else ARX's), and ARX's bias when both models are given.
std::vector<Aviso> Avisos(const Registro& r, const OpcionesAvisos& o, const Identificacion* arx,
                          const Identificacion* oe);
