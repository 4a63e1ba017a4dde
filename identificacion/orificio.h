#pragma once
// A grey-box model of the orifice tank beside the linear one: OE on the nonlinear equation of the tank that
// drains through an orifice (Torricelli),
//   dV/dt = u - c sqrt(V / A),  level h = V / A,  that is  A dh/dt = u - c sqrt(h),
// two parameters, the area A and the orifice's coefficient c. Linearised at a level h0 it is a first order of
// K = 2 sqrt(h0) / c and Tau = 2 A sqrt(h0) / c: the linear model's K and Tau change with the level, and a
// record that swings the level shows it.

#include <optional>
#include <span>
#include <vector>

#include "identificacion/modelo.h"
#include "identificacion/registro.h"

struct ModeloOrificio {
    double A = 0, c = 0;
    std::optional<double> error_A, error_c;  ///< standard errors from the sensitivities at the estimate
    int retardo = 0;
    double T = 0, tiempoMuestra = 0;  ///< the record's period and plant time a sample (0: T)
    double ajuste = 0;                ///< percent, simulated from the record's first level
    double error_rms = 0;             ///< of the output error, level units
    int iteraciones = 0;

    double TiempoMuestra() const { return tiempoMuestra > 0 ? tiempoMuestra : T; }
};

/// The level at the end of a sample of plant time t under the held inflow u, from the level h: RK4 in
/// `subpasos` equal steps, the level never below 0.
double PasoOrificio(double A, double c, double h, double u, double t, int subpasos = 10);

/// The model's output: yhat(0) = y0, yhat(k) = PasoOrificio(yhat(k-1), u(k - retardo)), as Simular of modelo.h.
std::vector<double> SimularOrificio(const ModeloOrificio& m, std::span<const double> u, double y0);

/// OE on the orifice equation by Levenberg-Marquardt in ln A and ln c (so that both stay positive), started
/// from the linear model `inicio` read at the record's mean level (c = 2 sqrt(h) / K, A = Tau / K). The delay
/// is the record's alignment when known, else inicio's. Throws ErrorIdentificacion.
ModeloOrificio IdentificarOrificio(const Registro& r, const Identificacion& inicio);
