#pragma once
// The PID law, a function of its texts, the reference, the level and its own memory: testable without a simulator.

#include <optional>

#include "core/simulacion.h"
#include "core/textos.h"

/// The texts of one PID tick.
struct ParametrosPID {
    double T;  ///< s, the controller's sample time
    double Kp, Ti, Td;
    // Beyond the original law; these defaults give it bit for bit.
    Antisaturacion antisaturacion = Antisaturacion::Ninguna;
    double Tt = 0;              ///< s, back-calculation's tracking time
    std::optional<double> N = std::nullopt;  ///< the derivative's filter, Td / N s; none: the plain backward difference
    bool derivadaMedicion = false;  ///< the derivative of -y instead of the error's
    double b = 1;               ///< the set-point's weight in the proportional term: Kp (b r - y)
    LimitesBomba limites = {};  ///< the pump's, for the anti-windup
};

/// One sample's outcome: the action asked of the pump, and the memory that the next sample remembers.
struct SalidaPID {
    float accion;
    double error;
    double integral;
    double derivada = 0;  ///< the derivative's estimate, the filter's state
};

/// u = Kp ((I / Ti + P) + D Td) with e = r - y, P = e (b r - y when b is not 1), I the trapezoid of the error
/// (I = (e + Error_Ant) T / 2 + Integral) and D the backward difference (x - x_ant) / T of x = e (or -y), or with
/// the filter N the backward-Euler D = (Td D_ant + N (x - x_ant)) / (Td + N T). With the pump's limits on,
/// Condicional keeps I = Integral while sat(u) differs from u and e has the sign of u - sat(u); Retrocalculo adds
/// T Ti (sat(u) - u) / (Kp Tt) to the I it remembers. Memory from Error_Ant, Integral, Derivada_Ant and
/// Medida_Ant of `s`. Each intermediate stored as a Double, the action as a Single. Throws ErrorPuntoFlotante
/// (T = 0 or Ti = 0 divides by zero; a value out of range).
SalidaPID CalcularPID(const ParametrosPID& p, double r, float y, const Simulacion& s);

inline constexpr const char* kAntisaturacion = "Antisaturacion";
inline constexpr const char* kTt = "Tt";
inline constexpr const char* kFiltroN = "N";
inline constexpr const char* kDerivada = "Derivada";
inline constexpr const char* kPesoB = "b";
inline constexpr const char* kAntisaturaciones[] = {"Ninguna", "Condicional", "Retrocalculo"};
inline constexpr const char* kDerivadas[] = {"Error", "Medicion"};
inline constexpr const char* kNNoPositivo = "N debe ser mayor que 0";
inline constexpr const char* kTtNoPositivo = "Tt debe ser mayor que 0";

/// Reads the texts beyond the gains (a text the texts lack takes its default): Antisaturacion, Tt (empty: none),
/// N (empty: no filter), Derivada and b. Throws ErrorTanque naming the text.
OpcionesPID LeerOpcionesPID(const Textos& textos);

/// The parameters of a tick: its texts T, Kp, Ti, Td, the options of the press and the pump's limits (Tt, when
/// none was given, sqrt(Ti Td), or Ti when Td = 0).
ParametrosPID ParametrosDelTick(double T, double Kp, double Ti, double Td, const Simulacion& s);
