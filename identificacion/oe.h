#pragma once
// OE(1,1): the model whose SIMULATED output yhat(k) = a yhat(k-1) + b u(k - retardo) best matches the level,
// by Levenberg-Marquardt from the ARX estimate. The level's noise is left in the residual and never enters
// the model, so the estimate is unbiased under measurement noise (in open loop), where ARX's is not.

#include <optional>

#include "identificacion/modelo.h"
#include "identificacion/registro.h"

struct IdentificacionOe : Identificacion {
    double nivel_inicial = 0;  ///< yhat(0), estimated with a and b: a noisy first level would bias them
    int iteraciones = 0;       ///< steps accepted
    double error_rms = 0;      ///< root mean square of the output error y - yhat at the estimate, level units
};

/// OE with the given delay, or without one the delay of the smaller loss (0 on a tie). K and Tau with their
/// standard errors (from the sensitivities at the estimate), and the fit. Throws ErrorIdentificacion.
IdentificacionOe IdentificarOe(const Registro& r, std::optional<int> retardo = std::nullopt);
