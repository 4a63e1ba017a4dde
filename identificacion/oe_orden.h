#pragma once
// OE of any order: the simulated output yhat(k) = -f1 yhat(k-1) - ... - fnf yhat(k-nf) + b1 u(k-nk) + ... +
// bnb u(k-nk-nb+1) that best matches the level over the equations k = desde .. N-1, by Levenberg-Marquardt from
// the ARX estimate of the same orders. The nf simulated levels before `desde` are estimated with F and B (a
// noisy first level would bias them), and F is kept stable. OE(1, 1) is the model of oe.h.

#include <cstddef>

#include "identificacion/lineal.h"
#include "identificacion/registro.h"

/// The steps that an OE fit tries at the most: an order above the plant's has a flat valley (a pole and a zero
/// that nearly cancel) where the steps alternate between accepted and refused for ever with small gains, and
/// keeps the loss it has reached.
constexpr int kIntentosOe = 30;

/// OE(nb, nf, nk) on the equations from `desde` (at least the model's own first one), started from `inicio`
/// (F and B of that order; an unstable F is pulled inside the unit circle), with at most `intentos` steps. Its
/// covariance is that of (f, b) from the sensitivities at the estimate, its loss the mean squared output error.
/// Throws ErrorIdentificacion (singular, overflow).
ModeloLineal EstimarOeOrden(const Registro& r, int nb, int nf, int nk, std::size_t desde, const ModeloLineal& inicio,
                            int intentos = kIntentosOe);

/// OE(nb, nf, nk) alone, from ARX(nf, nb, nk), on the equations from its own first one. Throws
/// ErrorIdentificacion.
ModeloLineal EstimarOeOrden(const Registro& r, int nb, int nf, int nk);

/// Whether every root of F(z^-1) = 1 + f1 z^-1 + ... lies inside the unit circle.
bool Estable(const std::vector<double>& F);
