#pragma once
// The tests' own frequency scan, written apart from the library's: a loop given as a function of w, a fine
// grid, the phase unwrapped point to point, crossings interpolated linearly in log w. No refinement: the grid
// is fine enough that its error is far below the tolerances.

#include <cmath>
#include <complex>
#include <functional>
#include <numbers>

struct Figuras {
    double GM = INFINITY;  ///< at the first crossing of -180 deg
    double PM = INFINITY;  ///< degrees, at the first crossing of |L| = 1
    double Ms = 0;
    double wFase = 0;  ///< rad/s where the phase crosses -180 deg
};

inline Figuras Escanear(const std::function<std::complex<double>(double)>& L, double wMin, double wMax,
                        int puntos = 100000) {
    constexpr double pi = std::numbers::pi;
    Figuras f;
    const double paso = std::log(wMax / wMin) / puntos;
    std::complex<double> antes = L(wMin);
    double faseAntes = std::arg(antes), wAntes = wMin;
    bool hayPM = false, hayGM = false;
    for (int i = 1; i <= puntos; ++i) {
        const double w = wMin * std::exp(paso * i);
        const std::complex<double> l = L(w);
        const double fase = faseAntes + std::arg(l / antes);
        f.Ms = std::max(f.Ms, 1 / std::abs(1.0 + l));
        const double mA = std::abs(antes), m = std::abs(l);
        if (!hayPM && mA >= 1 && m < 1) {
            const double t = std::log(mA) / (std::log(mA) - std::log(m));
            f.PM = 180 + (faseAntes + t * (fase - faseAntes)) * 180 / pi;
            hayPM = true;
        }
        if (!hayGM && faseAntes > -pi && fase <= -pi) {
            const double t = (faseAntes + pi) / (faseAntes - fase);
            f.GM = 1 / std::exp(std::log(mA) + t * (std::log(m) - std::log(mA)));
            f.wFase = std::exp(std::log(wAntes) + t * (std::log(w) - std::log(wAntes)));
            hayGM = true;
        }
        antes = l;
        faseAntes = fase;
        wAntes = w;
    }
    return f;
}

/// The ideal PID Kp (1 + 1 / (Ti s) + Td s) at s = jw.
inline std::complex<double> PidContinuo(double Kp, double Ti, double Td, double w) {
    const std::complex<double> s(0, w);
    return Kp * (1.0 + 1.0 / (Ti * s) + Td * s);
}

/// K e^(-theta s) / ((tau1 s + 1)(tau2 s + 1)) at s = jw.
inline std::complex<double> PlantaContinua(double K, double tau1, double tau2, double theta, double w) {
    const std::complex<double> s(0, w);
    return K * std::exp(-theta * s) / ((tau1 * s + 1.0) * (tau2 * s + 1.0));
}

/// This program's PID at z = e^(jwT): trapezoid integral, backward difference.
inline std::complex<double> PidDiscreto(double Kp, double Ti, double Td, double T, double w) {
    const std::complex<double> q = std::exp(std::complex<double>(0, -w * T));  // z^-1
    return Kp * (1.0 + T / (2 * Ti) * (1.0 + q) / (1.0 - q) + Td / T * (1.0 - q));
}

/// The zero-order-hold transfer of K e^(-theta s) / (tau s + 1) at period T, theta = (d + f) T, in closed form
/// (the modified z-transform): z^-d (g0 z^-1 + g1 z^-2) / (1 - a z^-1), a = e^(-T / tau),
/// g0 = K (1 - e^(-(1-f) T / tau)), g1 = K (e^(-(1-f) T / tau) - a).
inline std::complex<double> PrimerOrdenRetenido(double K, double tau, int d, double f, double T, double w) {
    const std::complex<double> q = std::exp(std::complex<double>(0, -w * T));
    const double a = std::exp(-T / tau), c = std::exp(-(1 - f) * T / tau);
    return std::pow(q, d) * (K * (1 - c) * q + K * (c - a) * q * q) / (1.0 - a * q);
}
