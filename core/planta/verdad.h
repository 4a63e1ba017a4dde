#pragma once
// The truth of a plant as the description of a record tells it: the linear tank's exact discrete model of one
// sample and the Tau that its samples show; for the nonlinear plants the linearisation at the record's operating
// point and the steady-state curve; for two tanks the second-order transfer function (gain and two time constants).

#include <optional>
#include <string>
#include <string_view>

#include "core/planta/planta.h"
#include "core/simulacion.h"

/// The first-order linear model y(n) = a y(n-1) + b u(n) of one sample of the integrator: a = P(-h / Tau)^m, P
/// the RK4 step's polynomial 1 + z + z^2/2 + z^3/6 + z^4/24, m sub-steps of h; b = K (1 - a).
struct DiscretoPrimerOrden {
    double a = 0, b = 0;
    double aContinuo = 0;    ///< e^(-m h / Tau), what the continuous tank does over the same time
    double tauEfectivo = 0;  ///< -T / ln(a): the time constant a record read with the period T shows
};
DiscretoPrimerOrden DiscretoDe(double K, double Tau, const RelojPlanta& reloj, double T);

/// The truth of the plant whose constants `s` holds (as a run's start read them, with its clock), at the operating
/// point of the mean measured level `nivelMedio` (none: the half of HMax), as the text of a JSON object for the
/// description (no public header of core includes nlohmann). Throws ErrorPuntoFlotante.
std::string VerdadEnJson(const Simulacion& s, const RelojPlanta& reloj, std::optional<double> nivelMedio);

/// The same truth in one or two lines of text, for tanque-lote identificar beside its estimates.
/// "" for a text that is not such an object.
std::string VerdadEnTexto(std::string_view verdad);
