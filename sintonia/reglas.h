#pragma once
// Tuning rules: gains from a model with delay (reaction-curve rules) or from the ultimate gain and period
// (closed-loop rules), given in this program's PID form
//   u = Kp ((I / Ti + e) + D Td),  I the trapezoid integral of e, D its backward difference,
// which is the ideal (parallel, ISA) PID Kp (1 + 1 / (Ti s) + Td s) discretised at the controller's period. A
// rule published for the series form Kc (1 + 1 / (tauI s)) (1 + tauD s) is converted (SerieAIdeal); the
// others are published for the ideal form and are taken as they are. The rules are continuous-time; the
// discrete law's trapezoid and difference approximate the integral and derivative, and the hold's half period
// is in the model's delay (sintonia/modelo.h), so that the rules see the loop that the program closes.

#include <optional>
#include <string>
#include <string_view>

#include "sintonia/modelo.h"

/// The gains of this program's PID. Ti > 0 always (the law divides by it); Td = 0 is a PI.
struct Pid {
    double Kp = 0;
    double Ti = 0;  ///< s
    double Td = 0;  ///< s
};

/// Rules from a model K, tau, theta (and a second constant):
///   Simc   Skogestad (2003). Series: Kc = tau1 / (K (tc + theta)), tauI = min(tau1, 4 (tc + theta)),
///          tauD = tau2 (the second-order rule; 0 on a first-order model). Knob tc, default theta.
///   Imc    Lambda PI: Kp = tau / (K (lambda + theta)), Ti = tau. IMC PID (Rivera, Morari, Skogestad 1986,
///          first-order Pade of the delay), ideal: Kp = (2 tau + theta) / (K (2 lambda + theta)),
///          Ti = tau + theta / 2, Td = tau theta / (2 tau + theta). Knob lambda, default theta.
///   Amigo  Astrom and Hagglund (2004), ideal, with the set-point weights at 1 (this PID has none):
///          PI  Kp = 0.15 / K + (0.35 - theta tau / (theta + tau)^2) tau / (K theta),
///              Ti = 0.35 theta + 13 theta tau^2 / (tau^2 + 12 theta tau + 7 theta^2);
///          PID Kp = (0.2 + 0.45 tau / theta) / K, Ti = (0.4 theta + 0.8 tau) theta / (theta + 0.1 tau),
///              Td = 0.5 theta tau / (0.3 theta + tau).
///   ZieglerNichols  reaction curve, a = K theta / tau, as Astrom and Hagglund tabulate it (ideal):
///          PI Kp = 0.9 / a, Ti = 3 theta; PID Kp = 1.2 / a, Ti = 2 theta, Td = theta / 2.
/// Every rule but Simc's PID reads a second-order model through the half rule (MitadAlPrimerOrden).
enum class Regla { Simc, Imc, Amigo, ZieglerNichols };

/// Rules from the ultimate gain Ku and period Pu (of a relay experiment, sintonia/rele.h):
///   ZieglerNichols  PI Kp = 0.45 Ku, Ti = Pu / 1.2; PID Kp = 0.6 Ku, Ti = Pu / 2, Td = Pu / 8.
///   TyreusLuyben    PI Kp = Ku / 3.2, Ti = 2.2 Pu; PID Kp = Ku / 2.2, Ti = 2.2 Pu, Td = Pu / 6.3 (the
///                   conservative one: about half the overshoot of Ziegler-Nichols, slower).
/// Both as usually tabulated, taken as the ideal form.
enum class ReglaUltima { ZieglerNichols, TyreusLuyben };

enum class Accion { PI, PID };

/// What a rule gave, and what it read to give it.
struct Ganancias {
    Pid pid;
    ModeloReglas modelo;            ///< the model the rule used (after the half rule where it applies)
    std::optional<double> perilla;  ///< tc or lambda (s), for the rules that have one
    bool serie = false;             ///< published in series form and converted to the ideal one
};

/// Kc (1 + 1 / (tauI s)) (1 + tauD s) = Kp (1 + 1 / (Ti s) + Td s):
/// Kp = Kc (1 + tauD / tauI), Ti = tauI + tauD, Td = tauI tauD / (tauI + tauD).
Pid SerieAIdeal(double Kc, double tauI, double tauD);

/// The gains of a rule on a model. `perilla` (s, >= 0) is tc for Simc and lambda for Imc, theta when absent;
/// the other rules have no knob and ignore it. Throws ErrorSintonia (a bad model or knob).
Ganancias Calcular(Regla regla, Accion accion, const ModeloReglas& modelo, std::optional<double> perilla = {});

/// The gains of a closed-loop rule. Throws ErrorSintonia unless Ku > 0 and Pu > 0.
Pid CalcularUltima(ReglaUltima regla, Accion accion, double Ku, double Pu);

/// Whether a rule has a knob, and its name in the messages ("tc", "lambda"); nullptr without one.
const char* NombrePerilla(Regla regla);

/// The names on the command line: "simc", "imc", "amigo", "zn"; ReglaDeNombre gives nothing for another.
const char* NombreRegla(Regla regla);
std::optional<Regla> ReglaDeNombre(std::string_view nombre);
/// "zn", "tl".
const char* NombreReglaUltima(ReglaUltima regla);
std::optional<ReglaUltima> ReglaUltimaDeNombre(std::string_view nombre);
/// The name a window shows: "SIMC (Skogestad)", "IMC / lambda", "AMIGO (Åström-Hägglund)",
/// "Ziegler-Nichols (curva de reacción)"; "Ziegler-Nichols (oscilación)", "Tyreus-Luyben".
std::string TituloRegla(Regla regla);
std::string TituloReglaUltima(ReglaUltima regla);

/// A gain as the PID dialog's text: 4 significant digits, `decimal` as the separator ("20", "2.25", "0.1235").
std::string TextoGanancia(double v, char decimal = '.');

/// The gains as the dialog's texts would give them back: each rounded to 4 significant digits, the value that
/// TextoGanancia writes; the loop is analysed with these, the ones the run will read.
Pid Redondeado(const Pid& pid);
