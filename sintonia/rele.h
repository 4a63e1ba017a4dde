#pragma once
// The relay experiment (Astrom and Hagglund, 1984): an on/off inflow around a working level, with hysteresis,
// drives the tank into a sustained oscillation whose period is near the ultimate period of the loop and whose
// amplitude a gives the ultimate gain by the describing function of the relay, Ku = 4 d / (pi a), d half the
// relay's swing. The hysteresis e lags the switching; Astrom and Hagglund's correction reads the describing
// function's point -pi (sqrt(a^2 - e^2) + j e) / (4 d) on the real axis: KuClasico = 4 d / (pi sqrt(a^2 - e^2)).
//
// The describing function assumes a sine. The tank's level under a relay is nearly a triangle, whose peak is
// pi^2 / 8 times its first harmonic: KuClasico comes out about 20 % short on a lag-dominant plant, and the
// sampled relay (the program switches at ticks) lengthens the period by up to a sample. So the analysis also
// reads the oscillation exactly: over whole cycles, the ratio of the first harmonics of level and action is
// the discrete plant's response at the oscillation's frequency (whatever the hysteresis and the switching
// did), the ratio of their means is its static gain, and through that point and that gain passes one
// first-order model with delay (sintonia/rele_ajuste.cpp). Ku and Pu are that model's, at the phase crossover
// of its continuous loop with the hold's T / 2 in the delay (the model the other rules read, modelo.h).
//
// A relay record has the closed-loop convention of the PID run: the level of line k is read before action k
// is decided, and answers action k-1.

#include <complex>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sintonia/modelo.h"

/// The relay: `alto` while the level is below nivel - histeresis, `bajo` above nivel + histeresis, and in
/// between the action it had.
struct Rele {
    double nivel = 0;       ///< the working level
    double alto = 0;        ///< the inflow "on"
    double bajo = 0;        ///< the inflow "off" (0: a pump that stops)
    double histeresis = 0;  ///< level units, >= 0
};

/// Throws ErrorSintonia unless alto > bajo and histeresis >= 0, all finite.
void ComprobarRele(const Rele& r);

/// The action of a tick from the level y it reads and the action of the tick before: what the relay run
/// computes at each tick (keep the action as the PID run keeps Accion_Control; 0 before the first tick). An
/// `anterior` between the two inflows (the 0 of a run's start) counts as whichever it is nearer.
double AccionRele(const Rele& r, double y, double anterior);

/// The relay loop on the discrete plant from rest (sintonia/discreto.h), `muestras` ticks: the record the
/// relay run would make without noise or limits. Throws ErrorSintonia.
struct CorridaRele {
    std::vector<double> accion;  ///< u(k), decided at tick k
    std::vector<double> nivel;   ///< y(k), read at tick k
};
CorridaRele SimularRele(const ModeloConRetardo& p, const Muestreo& m, const Rele& r, std::size_t muestras);

struct OpcionesRele {
    std::optional<double> ganancia;     ///< the plant's static gain, if known; else the ratio of the means
    std::optional<double> nivelMaximo;  ///< HMax: the oscillation must stay below it
};

/// The fewest cycles analysed, after the first one (the tank's filling is not part of the oscillation).
inline constexpr std::size_t kMinimoCiclos = 4;
/// The most cycles analysed: the last ones.
inline constexpr std::size_t kMaximoCiclos = 10;

struct AnalisisRele {
    std::size_t ciclos = 0;  ///< analysed, from sample `desde` to `hasta` (both switches on)
    std::size_t desde = 0, hasta = 0;
    double periodo = 0;   ///< s, mean over the analysed cycles (the controller's seconds)
    double amplitud = 0;  ///< half the peak-to-peak level, mean over the cycles
    double nivelMinimo = 0, nivelMaximo = 0;
    double d = 0;                  ///< (alto - bajo) / 2
    double KuClasico = 0;          ///< 4 d / (pi sqrt(a^2 - e^2)), with the period as Pu
    std::complex<double> punto;    ///< Y1 / U1: the discrete plant at w = 2 pi / periodo
    double K = 0;                  ///< the static gain used (given, or mean level / mean action)
    std::optional<ModeloConRetardo> modelo;  ///< through the point, in the record's seconds (Muestreo{T, T})
    double Ku = 0;                 ///< the model's ultimate gain (without a model: 1 / |punto|)
    double Pu = 0;                 ///< s, its ultimate period (without a model: the period)
    std::string aviso;             ///< why there is no model, or empty
};

/// Reads a relay record of period T. Throws ErrorSintonia with the reason in Spanish: records of unequal
/// length or with values that are not finite, no sustained oscillation (fewer than kMinimoCiclos cycles after
/// the first, periods or amplitudes that wander), a level that reaches 0 or the maximum, a mean action of 0 without a
/// given gain.
AnalisisRele AnalizarRele(std::span<const double> accion, std::span<const double> nivel, double T, const Rele& r,
                          const OpcionesRele& opciones = {});

/// The relay experiment predicted on a model: SimularRele long enough for the filling and 20 periods, then
/// AnalizarRele. Throws ErrorSintonia (as both).
AnalisisRele PredecirRele(const ModeloConRetardo& p, const Muestreo& m, const Rele& r, const OpcionesRele& opciones = {});

/// The first-order model with delay (controller's seconds) whose discrete plant of period T has the response
/// `punto` at w and the static gain K; nothing when no such model exists (|punto| >= K, a phase that needs a
/// negative delay). Newton's method on the exact discretisation, from the continuous reading of the point.
std::optional<ModeloConRetardo> AjustarPrimerOrden(std::complex<double> punto, double w, double K, double T);
