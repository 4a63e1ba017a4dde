// The first-order model with delay through one point of the discrete plant's response and its static gain.
#include <algorithm>
#include <cmath>
#include <numbers>

#include <Eigen/Dense>

#include "sintonia/discreto.h"
#include "sintonia/rechazos.h"
#include "sintonia/rele.h"

namespace {

using Complejo = std::complex<double>;

// The residual P(e^(j w T)) / punto - 1 of the model with ln tau and theta (controller's seconds).
Eigen::Vector2d Residuo(const Eigen::Vector2d& v, Complejo punto, double w, double K, double T) {
    const PlantaDiscreta p = Discretizar({K, std::exp(v(0)), 0, v(1)}, {T, T});
    const Complejo r = Respuesta(p, w) / punto - 1.0;
    return {r.real(), r.imag()};
}

}  // namespace

std::optional<ModeloConRetardo> AjustarPrimerOrden(Complejo punto, double w, double K, double T) {
    // the continuous reading: the hold's lag w T / 2 and its gain sinc(w T / 2) undone,
    // |G| = K / sqrt(1 + (w tau)^2), arg G = -atan(w tau) - w theta
    const double x = w * T / 2;
    const Complejo G = punto * std::polar(1.0, x) * (x / std::sin(x));
    if (!(std::abs(G) < K) || !std::isfinite(std::abs(G))) return std::nullopt;
    const double tau = std::sqrt(K * K / std::norm(G) - 1) / w;
    double fase = std::arg(G);
    if (fase > 0) fase -= 2 * std::numbers::pi;
    Eigen::Vector2d v(std::log(tau), std::max(0.0, (-fase - std::atan(w * tau)) / w));
    const double maximo = kMaximoRetardo * T;

    // Newton on the exact discretisation, the Jacobian by differences, the step halved until it helps
    Eigen::Vector2d r = Residuo(v, punto, w, K, T);
    for (int i = 0; i < 60 && r.norm() > 1e-13; ++i) {
        Eigen::Matrix2d J;
        const Eigen::Vector2d h(1e-7, 1e-7 * std::max(v(1), T));
        for (int j = 0; j < 2; ++j) {
            Eigen::Vector2d vh = v;
            vh(j) += h(j);
            J.col(j) = (Residuo(vh, punto, w, K, T) - r) / h(j);
        }
        const Eigen::Vector2d paso = J.partialPivLu().solve(-r);
        if (!paso.allFinite()) return std::nullopt;
        double f = 1;
        for (int k = 0; k < 30; ++k, f /= 2) {
            Eigen::Vector2d nuevo = v + f * paso;
            // tau within 1e-6 T .. 1e9 T, theta within 0 .. the longest delay the discretisation takes
            nuevo(0) = std::clamp(nuevo(0), std::log(1e-6 * T), std::log(1e9 * T));
            nuevo(1) = std::clamp(nuevo(1), 0.0, maximo);
            const Eigen::Vector2d rn = Residuo(nuevo, punto, w, K, T);
            if (rn.norm() < r.norm()) {
                v = nuevo;
                r = rn;
                break;
            }
        }
        if (f < 1e-8) break;
    }
    // a record of the simulator holds its levels in Singles: its point is good to about 1e-7, and a plant
    // without delay is met at the bound theta = 0 with that much left over
    if (r.norm() > 1e-5) return std::nullopt;
    return ModeloConRetardo{K, std::exp(v(0)), 0, v(1)};
}
