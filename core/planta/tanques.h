#pragma once
// The plants beyond the linear tank of the original program, in Doubles: one tank or two in cascade, each
// draining by h / R (Lineal) or by k sqrt(h) (Orificio); the upper one spills above HMax_2, and what it spills
// is lost. Chosen by the texts Modelo_Planta ("Lineal", "Orificio", "Dos Tanques"), Salida_Tanques (the law of
// both tanks of "Dos Tanques") and Integrador ("Programa": the original sub-steps, "Exacto": n sub-steps of T / n).

#include <array>
#include <span>
#include <string_view>

#include "core/planta/planta.h"
#include "core/simulacion.h"

inline constexpr const char* kModeloPlanta = "Modelo_Planta";
inline constexpr const char* kIntegrador = "Integrador";
inline constexpr const char* kSalidaTanques = "Salida_Tanques";
inline constexpr std::array<const char*, 3> kModelosPlanta{"Lineal", "Orificio", "Dos Tanques"};
inline constexpr std::array<const char*, 2> kIntegradores{"Programa", "Exacto"};
inline constexpr std::array<const char*, 2> kSalidas{"Lineal", "Orificio"};
/// Sub-steps a sample of the Exacto clock: a power of two, so that T / 8 and every sum of its sub-steps are exact
/// in binary, and the eight of them cover T exactly.
inline constexpr int kSubpasosExacto = 8;

/// The index of `texto` among `nombres` (case and blanks at the ends ignored). Throws ErrorTanque naming
/// `campo` and the valid texts.
int OpcionDeTexto(std::string_view campo, std::string_view texto, std::span<const char* const> nombres);

/// The state that the tanks integrate: the two levels and the volumes gone out and spilled.
struct EstadoTanques {
    double h1 = 0, h2 = 0;
    double salido = 0, derramado = 0;
};

/// The outflow of tank 1 or 2 at level h: h / R, or k sqrt(h) (0 below an empty tank).
double Caudal(const ConstantesTanques& c, int tanque, double h);

/// `n` RK4 sub-steps of `h` seconds under the inflow u from `x`. At its rim the upper tank spills what its outlet
/// does not pass, and a sub-step that passes the rim spills the excess (all counted in `derramado`); a sub-step
/// that passes below empty is brought back to empty, the volume that never was taken off the outflow, so that
/// inflow - salido - derramado is always the volume held.
EstadoTanques AvanzarTanques(const ConstantesTanques& c, EstadoTanques x, double u, double h, int n);

/// The level of tank 1 or 2 whose outflow is q: q R, or (q / k)^2 (0 for q <= 0). Throws ErrorPuntoFlotante.
double NivelDeCaudal(const ConstantesTanques& c, int tanque, double q);
/// The measured level that a constant inflow settles at; above the rim's level the upper tank passes only its
/// outflow at HMax_2.
double NivelEstacionario(const ConstantesTanques& c, double caudal);

/// The sub-steps and their length for one sample of period T: the original program's (SubpasosRK, S(T / 10))
/// or the Exacto clock's (kSubpasosExacto of T / kSubpasosExacto, whose sum is T exactly).
struct Subpasos {
    int n = 0;
    double h = 0;
};
Subpasos SubpasosDe(bool exacto, float T);

/// The linear tank stepped by the Exacto clock, the tank through an orifice, and the two tanks, by the three
/// choices of their texts.
const Planta& TanqueLinealExacto();
const Planta& TanqueOrificio(bool exacto);
const Planta& DosTanques(bool orificio, bool exacto);
