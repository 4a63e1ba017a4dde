#pragma once
// The linear discrete model of any order, in the polynomial form of ARX and OE:
//   F(q) y(k) = B(q) u(k - retardo),  F(q) = 1 + f1 q^-1 + ... + fn q^-n,  B(q) = b1 + b2 q^-1 + ... + bm q^-(m-1)
// (q^-1 the delay of one sample). For ARX, F is A and the equation holds up to a white error; for OE it is the
// simulated output. The first-order model y(k) = a y(k-1) + b u(k - retardo) is F = (1, -a), B = (b).

#include <Eigen/Dense>
#include <complex>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "identificacion/modelo.h"
#include "identificacion/oe.h"
#include "identificacion/registro.h"

struct ModeloLineal {
    std::string estructura;  ///< "ARX" (residuals are one-step prediction errors) or "OE" (output errors)
    std::vector<double> F{1.0};  ///< 1, f1 .. fn
    std::vector<double> B;       ///< b1 .. bm
    int retardo = 0;             ///< nk, samples
    double T = 0;                ///< the record's sample period, seconds
    double tiempoMuestra = 0;    ///< the plant time a sample (0: T)
    int retardoCorrida = 0;      ///< the alignment of the record it came from: its dead time is retardo - this
    /// Where an OE simulation starts, when its method estimated that: the sample `desdeSimulacion` and the
    /// outputs before it, yhat(desde - 1) .. yhat(desde - n). Empty: from Inicio(), the record's levels before.
    std::size_t desdeSimulacion = 0;
    std::vector<double> salidaInicial;
    Eigen::MatrixXd covarianza;  ///< of (f1 .. fn, b1 .. bm); empty when the method gives none
    double perdida = 0;          ///< mean of the squared residuals over its equations
    std::size_t ecuaciones = 0;

    int Orden() const { return static_cast<int>(F.size()) - 1; }
    int Parametros() const { return Orden() + static_cast<int>(B.size()); }
    double TiempoMuestra() const { return tiempoMuestra > 0 ? tiempoMuestra : T; }
    /// The first sample that the model computes: desdeSimulacion when it has its initial outputs, else
    /// max(n, retardo + m - 1, 1); the ones before are initial values.
    std::size_t Inicio() const;
};

/// An identified first-order model as a linear one: F = (1, -a), B = (b), OE's output errors but for ARX, the
/// run's delay its own (no dead time). Identificacion keeps no covariance: the linear one has none.
ModeloLineal Lineal(const Identificacion& id);
/// ... and OE's, simulated from its estimated first level.
ModeloLineal Lineal(const IdentificacionOe& id);

/// The model's output under the actions `u`: yhat(k) = inicio[k] for the first Inicio() samples (but its own
/// initial outputs when it has them), then yhat(k) = -f1 yhat(k-1) - ... + b1 u(k - nk) + ... The first-order
/// case is Simular of modelo.h.
std::vector<double> Simular(const ModeloLineal& m, std::span<const double> u, std::span<const double> inicio);

/// The residuals of the model on the record from sample Inicio() on: for ARX the equation errors
/// F(q) y(k) - B(q) u(k - nk), for OE the output errors y(k) - yhat(k), yhat simulated from the record's first
/// levels.
std::vector<double> Residuos(const ModeloLineal& m, const Registro& r);

/// The fit in percent of the simulated output, as Ajuste of modelo.h: 100 (1 - ||y - yhat|| / ||y - mean y||).
/// Throws ErrorIdentificacion for a level that does not change.
double Ajuste(const ModeloLineal& m, const Registro& r);

/// The model at the plant time of another record's samples and with that record's alignment: through its
/// continuous-time transfer function (continuo.h), discretised again with the input held. The same model when
/// the plant times agree. Throws ErrorIdentificacion (a model with no continuous form).
ModeloLineal ParaRegistro(const ModeloLineal& m, const Registro& otro);

/// The fit of a model on another record, resampled by ParaRegistro. Throws ErrorIdentificacion.
double Validar(const ModeloLineal& m, const Registro& otro);

/// The companion matrix of the monic polynomial 1, p1 .. pn (first row -p, ones below the diagonal): the
/// controllable form, whose input enters the first state; its eigenvalues are the roots of z^n + p1 z^(n-1) + ...
Eigen::MatrixXd Companera(const std::vector<double>& p);

/// The value of F(z^-1) or B(z^-1) at z = e^(i w) for a polynomial in q^-1: sum of c_k e^(-i w k).
std::complex<double> EnCirculo(std::span<const double> coeficientes, double w);
