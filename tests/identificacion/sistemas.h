#pragma once
// Records of plants simulated exactly in the tests, beside the program's own tank (registros.h): a first order
// and two tanks in series under a held input, in closed form, with white noise on the level or in the equation.

#include <cstdint>
#include <random>
#include <vector>

#include "identificacion/registro.h"

/// Two tanks in series, K / ((t1 s + 1)(t2 s + 1)), or a first order (t2 = 0), sampled every t seconds with the
/// input held: the hold equivalent in closed form, y = K (t1 m1 - t2 m2) / (t1 - t2), m_i(k+1) = p_i m_i(k) +
/// (1 - p_i) u(k), p_i = e^(-t / t_i).
struct PlantaExacta {
    double K, t1, t2, t;
    /// The polynomials of its hold equivalent, F = (1, -(p1 + p2), p1 p2), B = (b1, b2) (a first order: (1, -p),
    /// (K (1 - p))), derived by hand from the partial fractions.
    std::vector<double> F() const;
    std::vector<double> B() const;
};

/// The open-loop record of the plant from rest (alignment 0: line k holds u(k) and the level at the end of
/// sample k), T = t, noise of deviation `ruido` on the level, the input delayed by `muerto` samples.
Registro RegistroDe(const PlantaExacta& p, const std::vector<double>& u, double ruido, std::uint64_t semilla,
                 int muerto = 0);

/// A record of the ARX system F y(k) = B u(k - nk) + e(k), e white of deviation `ruido`.
Registro SimularArx(const std::vector<double>& F, const std::vector<double>& B, int nk, const std::vector<double>& u,
                    double ruido, std::uint64_t semilla, double T);

/// A random binary input between `bajo` and `alto`, each value held `retencion` samples.
std::vector<double> Binaria(std::size_t n, int retencion, double bajo, double alto, std::uint64_t semilla);
