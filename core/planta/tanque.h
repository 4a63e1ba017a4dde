#pragma once
// The linear tank, the plant of the original program: A dV/dt = u - V / R, its level y = V / A read as
// (R / Tau) V. Its parameter read, the integrator RK and the level formula, and the tank as a Planta.

#include "core/planta/planta.h"
#include "core/simulacion.h"
#include "core/textos.h"

/// The linear tank as a plant: these functions, and its truth K = R, Tau = A R.
const Planta& TanqueLineal();

/// Sets T_Muestreo, R_Hidraulica, Tau and Nivel_Max from the plant texts, in that order, each stored as
/// soon as its own text converts. Throws ErrorConversion or ErrorPuntoFlotante at the failing field.
void LeerParametrosPlanta(Simulacion& s, const Textos& textos);

/// Volume at the end of one sample period T_Muestreo, from the volume x at its start, under the inflow
/// Accion_Control: classical RK4 in sub-steps of T_Muestreo / 10. Never negative. A period of 0
/// advances nothing. Throws ErrorPuntoFlotante (Tau = 0 divides by zero).
float RK(const Simulacion& s, float x);

/// How many sub-steps RK takes for one sample of period T: it steps h = T / 10 (a Single) while T >= t, its
/// clock t summed in Singles, so that a sum of ten h that falls short of T, or equals it, takes an eleventh
/// (10 at 500 ms, 11 at 100 ms and 300 ms). 0 for T = 0, which advances nothing.
int SubpasosRK(float T);

/// The time in seconds that RK integrates in one sample of period T: SubpasosRK(T) sub-steps of h. A record
/// read with the period T shows the time constant Tau T / TiempoPorMuestra(T).
double TiempoPorMuestra(float T);

/// The level of volume v: (R_Hidraulica / Tau) x v, rounded once to Single. Throws ErrorPuntoFlotante.
float CalcularNivel(const Simulacion& s, float v);
