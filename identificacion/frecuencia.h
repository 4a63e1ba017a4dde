#pragma once
// Frequency response, as the data of a Bode plot: estimated from a record, and of a model or a plant.
//
// - ETFE of a periodic input (multisine, PRBS): the record cut into whole periods after the first ones (the
//   transient), each period's transform, and G = mean Y / mean U at the excited lines. Noise on the level only:
//   var G = var Y / (P |U|^2) from the spread of the P periods; the band of radius r around G holds the truth
//   with probability c for circular Gaussian errors, r^2 = var G ln(1 / (1 - c)).
// - Welch's smoothed estimate for any other input: Hann windows of L samples overlapping by half, each without
//   its mean, G = Pyu / Puu and the coherence g^2 = |Pyu|^2 / (Puu Pyy) (what scipy.signal.csd, welch and
//   coherence give); the relative standard error of |G|, and of the phase in radians, sqrt((1 - g^2) /
//   (2 n g^2)) over n segments (Bendat and Piersol), the band z of them wide.
// Frequencies are in rad/s of plant time: a sample holds Registro::TiempoMuestra() seconds.

#include <complex>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "identificacion/continuo.h"
#include "identificacion/lineal.h"
#include "identificacion/registro.h"

struct RespuestaFrecuencia {
    std::string metodo;              ///< "ETFE", "Welch", "modelo", "planta"
    std::vector<double> w;           ///< rad/s
    std::vector<std::complex<double>> G;
    std::vector<double> magnitud;    ///< |G|
    std::vector<double> fase;        ///< degrees, unwrapped along w
    /// The confidence band at `confianza` (empty for a model or a plant): |G| and phase, low and high.
    std::vector<double> magnitudBaja, magnitudAlta, faseBaja, faseAlta;
    std::vector<double> coherencia;  ///< Welch only
    double confianza = 0;
    std::size_t promedios = 0;       ///< periods or segments averaged
};

/// The ETFE of a record whose input repeats every `periodo` samples, the first `descartados` periods left out.
/// Throws ErrorIdentificacion: fewer than two whole periods after them, no excited line.
RespuestaFrecuencia EtfePeriodica(const Registro& r, std::size_t periodo, std::size_t descartados = 1,
                                  double confianza = 0.99);

/// Welch's estimate with segments of `segmento` samples (0: the largest power of two up to N / 8, at least 16).
/// Throws ErrorIdentificacion: fewer than two segments.
RespuestaFrecuencia Welch(const Registro& r, std::size_t segmento = 0, double confianza = 0.99);

/// The response of a discrete model at w (rad/s): e^(-i w t nk) B(e^(-i w t)) / F(e^(-i w t)), t its plant time.
RespuestaFrecuencia RespuestaModelo(const ModeloLineal& m, std::span<const double> w);

/// The response of a continuous plant, G(i w) e^(-i w retardo).
RespuestaFrecuencia RespuestaContinua(const FuncionTransferencia& g, std::span<const double> w);

/// n frequencies from wmin to wmax, evenly spaced on a logarithmic axis.
std::vector<double> FrecuenciasLog(double wmin, double wmax, std::size_t n);

/// The fraction of the input's variance (without its mean) at frequencies above w (rad/s of plant time), from
/// the periodogram of the whole record.
double FraccionPorEncima(const Registro& r, double w);
