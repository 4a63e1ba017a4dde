#pragma once
// ARX(1,1) by least squares: y(k) = a y(k-1) + b u(k - retardo) + e(k).
// Exact on a record without noise; biased by noise on the level, which enters the regressor y(k-1) too.

#include <Eigen/Dense>
#include <cstddef>
#include <optional>

#include "identificacion/modelo.h"
#include "identificacion/registro.h"

/// The bare least-squares estimate, before its physical reading.
struct EstimacionArx {
    ModeloDiscreto modelo;
    Eigen::Matrix2d covarianza;  ///< s^2 (X'X)^-1, s^2 = perdida / (ecuaciones - 2)
    long double perdida = 0;     ///< sum of the squared residuals (extended: its range holds any record's)
    std::size_t ecuaciones = 0;  ///< k = 1 .. N-1 for either delay, so that losses compare
};

/// The estimate with the given delay on a checked record. Throws ErrorIdentificacion (singular, overflow).
EstimacionArx EstimarArx(const Registro& r, int retardo);

/// ARX with the given delay, or without one the delay of the smaller loss (0 on a tie). K and Tau with their
/// standard errors, and the fit. Throws ErrorIdentificacion (an overflow too: values too large).
Identificacion IdentificarArx(const Registro& r, std::optional<int> retardo = std::nullopt);
