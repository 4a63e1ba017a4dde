#pragma once
// The identified model: y(k) = a y(k-1) + b u(k - retardo). Its physical parameters, their standard errors,
// its simulated output and its fit to a record.

#include <Eigen/Dense>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "identificacion/registro.h"

/// The discrete first-order model and the sample period it holds for.
struct ModeloDiscreto {
    double a = 0;
    double b = 0;
    int retardo = 0;
    double T = 0;  ///< seconds
};

/// What every method reports. The standard errors are absent where the method has none (the step reading).
struct Identificacion {
    std::string metodo;  ///< "ARX", "OE" or "escalón"
    double a = 0, b = 0;
    std::optional<double> error_a, error_b;
    double K = 0;    ///< gain b / (1 - a): level per unit of inflow (the resistance R)
    double Tau = 0;  ///< time constant -T / ln(a) in seconds (the product A R)
    std::optional<double> error_K, error_Tau;
    int retardo = 0;
    double T = 0;       ///< the record's sample period, seconds
    double tiempoMuestra = 0;  ///< the record's plant time a sample (Registro::tiempoMuestra; 0: unknown, T)
    double ajuste = 0;  ///< percent: 100 (1 - ||y - yhat|| / ||y - mean(y)||), yhat simulated
    std::size_t muestras = 0;

    ModeloDiscreto Modelo() const { return {a, b, retardo, T}; }
    /// The plant time of one sample: tiempoMuestra, or T when it is unknown.
    double TiempoMuestra() const { return tiempoMuestra > 0 ? tiempoMuestra : T; }
    /// The time constant in plant time, -TiempoMuestra() / ln(a): Tau itself when the plant time is T.
    double TauContinuo() const { return tiempoMuestra > 0 && tiempoMuestra != T ? Tau * (tiempoMuestra / T) : Tau; }
};

/// K = b / (1 - a), Tau = -T / ln(a). Throws ErrorIdentificacion when a is not in (0, 1), ErrorPuntoFlotante
/// when a value overflows.
struct ParametrosFisicos {
    double K;
    double Tau;
};
ParametrosFisicos Fisicos(const ModeloDiscreto& m);

/// An Identificacion from an estimate of (a, b) and its 2 x 2 covariance (absent: no standard errors): K and
/// Tau, their standard errors by the delta method, and the fit on `r`. Throws as Fisicos.
Identificacion Completar(const std::string& metodo, const ModeloDiscreto& m,
                         const std::optional<Eigen::Matrix2d>& covarianza, const Registro& r);

/// The model's output under the actions `u`, from the level y0 at sample 0: yhat(0) = y0,
/// yhat(k) = a yhat(k-1) + b u(k - retardo) for k >= 1.
std::vector<double> Simular(const ModeloDiscreto& m, std::span<const double> u, double y0);

/// The fit in percent of the model's simulated output to the record's levels, simulated from the record's
/// first level (the record's own initial state, the same for every method). Can be negative, never above 100.
/// Throws ErrorIdentificacion for a record without a changing level, ErrorPuntoFlotante on overflow.
double Ajuste(const ModeloDiscreto& m, const Registro& r);

/// The fit in percent of a simulated output yhat to the levels y: 100 (1 - ||y - yhat|| / ||y - mean(y)||), sums
/// at extended precision. Throws ErrorIdentificacion for levels that do not change, ErrorPuntoFlotante on overflow.
double AjusteSimulado(std::span<const double> y, std::span<const double> yhat);

/// The fit of an identified model on another record `otro`. The model is resampled to the plant time of otro's
/// samples (exact for a first-order plant under a held input: a' = e^(-t' / Tauc), b' = K (1 - a'), Tauc the
/// time constant in plant time, t' otro's plant time a sample; the two records' periods when their plant times
/// are unknown), and read with otro's delay (by default the model's own: the delay belongs to the run that made a
/// record, not to the plant). Throws ErrorIdentificacion.
double Validar(const Identificacion& modelo, const Registro& otro, std::optional<int> retardo = std::nullopt);
