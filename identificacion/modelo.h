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
    double ajuste = 0;  ///< percent: 100 (1 - ||y - yhat|| / ||y - mean(y)||), yhat simulated
    std::size_t muestras = 0;

    ModeloDiscreto Modelo() const { return {a, b, retardo, T}; }
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

/// The fit of an identified model on another record `otro`. The model is resampled to otro's period (exact
/// for a first-order plant under a held input: a' = a^(T'/T), b' = K (1 - a')), and read with otro's delay
/// (by default the model's own: the delay belongs to the run that made a record, not to the plant).
/// Throws ErrorIdentificacion.
double Validar(const Identificacion& modelo, const Registro& otro, std::optional<int> retardo = std::nullopt);
