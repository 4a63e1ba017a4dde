#pragma once
// The PID law, a function of its texts, the reference, the level and its own memory: testable without a simulator.

#include "core/simulacion.h"

/// The texts of one PID tick.
struct ParametrosPID {
    double T;  ///< s, the controller's sample time
    double Kp, Ti, Td;
};

/// One sample's outcome: the action, and the error and integral that the next sample remembers.
struct SalidaPID {
    float accion;
    double error;
    double integral;
};

/// u = Kp ((I / Ti + e) + D Td) with e = r - y, I the trapezoid of the error (I = (e + Error_Ant) T / 2 +
/// Integral) and D its backward difference (e - Error_Ant) / T, from the memory Error_Ant and Integral of `s`.
/// Each intermediate stored as a Double, the action as a Single. Throws ErrorPuntoFlotante (T = 0 or Ti = 0
/// divides by zero; a value out of range).
SalidaPID CalcularPID(const ParametrosPID& p, double r, float y, const Simulacion& s);
