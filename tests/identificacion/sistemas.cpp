#include "tests/identificacion/sistemas.h"

#include <cmath>

std::vector<double> PlantaExacta::F() const {
    const double p1 = std::exp(-t / t1);
    if (t2 == 0) return {1, -p1};
    const double p2 = std::exp(-t / t2);
    return {1, -(p1 + p2), p1 * p2};
}

std::vector<double> PlantaExacta::B() const {
    const double p1 = std::exp(-t / t1);
    if (t2 == 0) return {K * (1 - p1)};
    const double p2 = std::exp(-t / t2);
    // K / (t1 - t2) [t1 (1 - p1) z^-1 / (1 - p1 z^-1) - t2 (1 - p2) z^-1 / (1 - p2 z^-1)] over one denominator
    const double c1 = K * t1 * (1 - p1) / (t1 - t2), c2 = K * t2 * (1 - p2) / (t1 - t2);
    return {c1 - c2, c2 * p1 - c1 * p2};
}

namespace {

// The noise's own stream: the seed of an input and of its noise may be the same number, and the two streams
// must not be the same sequence.
std::mt19937_64 Ruido(std::uint64_t semilla) { return std::mt19937_64(semilla ^ 0x9E3779B97F4A7C15u); }

}  // namespace

Registro RegistroDe(const PlantaExacta& p, const std::vector<double>& u, double ruido, std::uint64_t semilla, int muerto) {
    std::mt19937_64 azar = Ruido(semilla);
    std::normal_distribution<double> normal(0, 1);
    const double p1 = std::exp(-p.t / p.t1), p2 = p.t2 > 0 ? std::exp(-p.t / p.t2) : 0;
    double m1 = 0, m2 = 0;
    Registro r;
    r.T = p.t;
    for (std::size_t k = 0; k < u.size(); ++k) {
        const double entra = k >= static_cast<std::size_t>(muerto) ? u[k - static_cast<std::size_t>(muerto)] : 0;
        m1 = p1 * m1 + (1 - p1) * entra;
        m2 = p2 * m2 + (1 - p2) * entra;
        const double y = p.t2 > 0 ? p.K * (p.t1 * m1 - p.t2 * m2) / (p.t1 - p.t2) : p.K * m1;
        r.accion.push_back(u[k]);
        r.nivel.push_back(y + ruido * normal(azar));
    }
    return r;
}

Registro SimularArx(const std::vector<double>& F, const std::vector<double>& B, int nk, const std::vector<double>& u,
                    double ruido, std::uint64_t semilla, double T) {
    std::mt19937_64 azar = Ruido(semilla);
    std::normal_distribution<double> normal(0, 1);
    Registro r;
    r.T = T;
    r.accion = u;
    r.nivel.assign(u.size(), 0.0);
    for (std::size_t k = 0; k < u.size(); ++k) {
        double y = ruido * normal(azar);
        for (std::size_t i = 1; i < F.size() && i <= k; ++i) y -= F[i] * r.nivel[k - i];
        for (std::size_t j = 0; j < B.size(); ++j)
            if (k >= static_cast<std::size_t>(nk) + j) y += B[j] * u[k - static_cast<std::size_t>(nk) - j];
        r.nivel[k] = y;
    }
    return r;
}

std::vector<double> Binaria(std::size_t n, int retencion, double bajo, double alto, std::uint64_t semilla) {
    std::mt19937_64 azar(semilla);
    std::vector<double> u(n);
    double v = bajo;
    for (std::size_t k = 0; k < n; ++k) {
        if (k % static_cast<std::size_t>(retencion) == 0) v = (azar() & 1) ? alto : bajo;
        u[k] = v;
    }
    return u;
}
