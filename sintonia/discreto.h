#pragma once
// The plant as the program's loop sees it, sample by sample: the exact zero-order-hold discretisation of
// K e^(-theta s) / ((tau1 s + 1)(tau2 s + 1)) at the controller's period (every time in the controller's
// seconds, sintonia/modelo.h). With theta = (d + f) T, 0 <= f < 1, the action u(j) held over sample j reaches
// the plant f T late within sample j + d, so that
//   x(k+1) = Phi x(k) + G0 u(k - d) + G1 u(k - d - 1),   y(k) = C x(k),
//   Phi = e^(A T),  G0 = int_0^((1-f) T) e^(A s) ds B,  G1 = e^(A (1-f) T) int_0^(f T) e^(A s) ds B,
// from the matrix exponential of [[A, B], [0, 0]] (Eigen's MatrixFunctions). y(k) answers u(k-1) at the
// earliest: the level that the PID reads at tick k is the one that the action of tick k-1 has moved.

#include <complex>
#include <cstddef>
#include <vector>

#include <Eigen/Dense>

#include "sintonia/modelo.h"

/// The most samples of dead time that the discrete loop takes: the prediction and the count of the poles
/// grow with it (a few milliseconds per thousand samples).
inline constexpr long kMaximoRetardo = 10000;

struct PlantaDiscreta {
    Eigen::MatrixXd Phi;  ///< n x n, n = 1 (first order) or 2
    Eigen::VectorXd G0, G1;
    Eigen::RowVectorXd C;
    int d = 0;  ///< whole samples of dead time
    double T = 0;
};

/// The discretisation at the controller's period of the plant given in the plant's seconds. Throws
/// ErrorSintonia (a bad model or period, a dead time of more than kMaximoRetardo samples).
PlantaDiscreta Discretizar(const ModeloConRetardo& p, const Muestreo& m);

/// P(z) = z^-d C (z I - Phi)^-1 (G0 + G1 z^-1) at z = e^(j w T), w in rad/s of the controller's clock.
std::complex<double> Respuesta(const PlantaDiscreta& p, double w);
/// C (z I - Phi)^-1 (G0 a + G1 b) at a complex z: the plant's resolvent on the input (a, b) of its two actions.
std::complex<double> Resolvente(const PlantaDiscreta& p, std::complex<double> z, std::complex<double> a,
                                std::complex<double> b);
/// The same without z^-d (its phase is smooth; the delay's, -w d T, is added by the caller).
std::complex<double> RespuestaSinRetardo(const PlantaDiscreta& p, double w);

/// The plant from rest (every state and past action 0), one sample at a time.
class PlantaEnMarcha {
public:
    explicit PlantaEnMarcha(const PlantaDiscreta& p);
    /// y(k) = C x(k).
    double Nivel() const;
    /// x(k+1) from the action u(k) of this sample and those before it.
    void Avanzar(double u);

private:
    PlantaDiscreta p_;
    Eigen::VectorXd x_;
    std::vector<double> pasadas_;  // u(k-1) ... u(k-d-1), a ring
    std::size_t cabeza_ = 0;       // where u(k-1) is
};
