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

/// The exact zero-order-hold discretisation of K / ((T1 s + 1) (T2 s + 1)) over Ts seconds:
/// y(n) = -a1 y(n-1) - a2 y(n-2) + b1 u(n) + b2 u(n-1), u(n) the inflow held over sample n; from the step
/// response K (1 - (T1 e^(-t/T1) - T2 e^(-t/T2)) / (T1 - T2)) (K (1 - (1 + t/T) e^(-t/T)) for T1 = T2):
/// a1 = -(p1 + p2), a2 = p1 p2 with p = e^(-Ts/T), b1 = y(Ts), b2 = y(2Ts) + (a1 - 1) y(Ts).
struct DiscretoSegundoOrden {
    double a1 = 0, a2 = 0, b1 = 0, b2 = 0;
};
DiscretoSegundoOrden DiscretoSegundoOrdenDe(double K, double T1, double T2, double Ts);

/// The linear model of the tanks of `c` at the operating point where the measured level is `h1`:
/// K / ((T1 s + 1) (T2 s + 1)), T1 of the measured tank, T2 of the upper one (0 for one tank), the upper tank's
/// level held at its rim when the inflow that h1 needs would make it spill.
struct LinealizacionTanques {
    double K = 0, T1 = 0, T2 = 0;
    double caudal = 0;         ///< the inflow (and outflow) at the operating point
    double nivelSuperior = 0;  ///< the upper tank's level there (two tanks)
    bool derrama = false;      ///< whether that inflow makes the upper tank spill
};
LinealizacionTanques LinealizarTanques(const ConstantesTanques& c, double h1);

/// The truth of the plant whose constants `s` holds (as a run's start read them, with its clock), at the operating
/// point of the mean measured level `nivelMedio` (none: the half of HMax), as the text of a JSON object for the
/// description (no public header of core includes nlohmann). Throws ErrorPuntoFlotante.
std::string VerdadEnJson(const Simulacion& s, const RelojPlanta& reloj, std::optional<double> nivelMedio);

/// The same truth in one or two lines of text, for tanque-lote identificar beside its estimates.
/// "" for a text that is not such an object.
std::string VerdadEnTexto(std::string_view verdad);
