// Frequency response against the exact discrete plant and the analytic first order, and the orifice tank's
// grey box against the closed-form solution of its equation.

#include "identificacion/frecuencia.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "identificacion/oe.h"
#include "identificacion/orificio.h"
#include "identificacion/rechazos.h"
#include "senales/multiseno.h"
#include "tests/identificacion/sistemas.h"

namespace {

// H(e^(i w)) of the hold equivalent, summed here from its polynomials
std::complex<double> Exacta(const PlantaExacta& p, double w) {
    std::complex<double> F = 0, B = 0;
    for (std::size_t i = 0; i < p.F().size(); ++i) F += p.F()[i] * std::exp(std::complex<double>(0, -w * i));
    for (std::size_t j = 0; j < p.B().size(); ++j) B += p.B()[j] * std::exp(std::complex<double>(0, -w * j));
    return B / F;
}

Registro ConMultiseno(const PlantaExacta& p, std::int32_t L, int periodos, double ruido) {
    ParametrosSenal s;
    s.tipo = TipoSenal::Multiseno;
    s.frecuenciaMin = 0.01;
    s.frecuenciaMax = 0.5;
    s.componentes = 40;
    s.longitud = L;
    s.minimo = 0.5;
    s.maximo = 2.5;
    SenalMultiseno senal(s);
    std::vector<double> u;
    for (std::int64_t n = 0; n < static_cast<std::int64_t>(L) * periodos; ++n) u.push_back(senal.Valor(n));
    return RegistroDe(p, u, ruido, 4);
}

}  // namespace

// The ETFE of a noise-free multisine through the two tanks equals the hold equivalent at every excited line, to
// 1e-3 in magnitude (the first period, the transient, left out), at the lines of the multisine only.
TEST(Frecuencia, EtfeDeMultisenoEsLaPlanta) {
    const PlantaExacta p{2, 20, 8, 2};
    const Registro r = ConMultiseno(p, 1000, 4, 0);
    const RespuestaFrecuencia f = EtfePeriodica(r, 1000);
    ASSERT_EQ(f.G.size(), 40u);
    EXPECT_EQ(f.promedios, 3u);
    for (std::size_t i = 0; i < f.G.size(); ++i) {
        const std::complex<double> H = Exacta(p, f.w[i] * p.t);
        EXPECT_NEAR(f.magnitud[i] / std::abs(H), 1, 1e-3) << f.w[i];
        EXPECT_NEAR(std::arg(f.G[i] / H), 0, 1e-3) << f.w[i];
        EXPECT_LT(f.magnitudAlta[i] - f.magnitudBaja[i], 1e-9);  // no noise, no band
    }
    EXPECT_THROW(EtfePeriodica(r, 1000, 3), ErrorIdentificacion);  // one period left
}

// With noise the 99 % band holds the truth at nearly every line (the variance is estimated from 9 periods, so
// a little less than 99 %), and Welch's estimate on a random binary input is near the truth where it is coherent.
TEST(Frecuencia, BandasConRuido) {
    const PlantaExacta p{2, 20, 8, 2};
    const RespuestaFrecuencia f = EtfePeriodica(ConMultiseno(p, 1000, 10, 0.02), 1000);
    int dentro = 0;
    for (std::size_t i = 0; i < f.G.size(); ++i)
        dentro += std::abs(f.G[i] - Exacta(p, f.w[i] * p.t)) <= f.magnitudAlta[i] - f.magnitud[i];
    EXPECT_GE(dentro, 36);
    const RespuestaFrecuencia w = Welch(RegistroDe(p, Binaria(20000, 3, 0.5, 2.5, 5), 0.02, 5), 256);
    int cerca = 0, coherentes = 0;
    for (std::size_t i = 0; i < w.G.size(); ++i) {
        if (w.coherencia[i] < 0.9) continue;
        ++coherentes;
        const double verdad = std::abs(Exacta(p, w.w[i] * p.t));
        cerca += w.magnitudBaja[i] <= verdad && verdad <= w.magnitudAlta[i];
    }
    EXPECT_GT(coherentes, 20);
    EXPECT_GE(cerca, 0.95 * coherentes);
}

// A model's and a plant's response: the first order K / (Tau s + 1), |G| = K / sqrt(1 + (w Tau)^2), phase
// -atan(w Tau); its hold equivalent approaches it where w t is small.
TEST(Frecuencia, ModeloYPlanta) {
    const std::vector<double> w = FrecuenciasLog(1e-3, 1, 31);
    EXPECT_NEAR(w.front(), 1e-3, 1e-15);
    EXPECT_NEAR(w.back(), 1, 1e-12);
    const RespuestaFrecuencia g = RespuestaContinua({{2}, {20, 1}, 0}, w);
    ModeloLineal m;
    const PlantaExacta p{2, 20, 0, 0.5};
    m.F = p.F();
    m.B = p.B();
    m.T = 0.5;
    const RespuestaFrecuencia d = RespuestaModelo(m, w);
    for (std::size_t i = 0; i < w.size(); ++i) {
        EXPECT_NEAR(g.magnitud[i], 2 / std::hypot(1, 20 * w[i]), 1e-12);
        EXPECT_NEAR(g.fase[i], -std::atan(20 * w[i]) * 180 / std::numbers::pi, 1e-9);
        EXPECT_NEAR(d.magnitud[i], std::abs(Exacta(p, w[i] * 0.5)), 1e-12);
        if (w[i] * 0.5 < 0.05) {
            EXPECT_NEAR(d.magnitud[i] / g.magnitud[i], 1, 1e-3);
        }
    }
}

// The orifice tank: records from the closed-form solution of A dh/dt = u - c sqrt(h) under a held inflow (t in
// terms of x = sqrt(h), solved for x by Newton), noise 0.005. OE on the equation finds A and c within 3 of its
// standard errors, and fits better than the linear OE, whose K and Tau hold at one level only.
TEST(Orificio, CajaGrisDelTanqueConOrificio) {
    const double A = 10, c = 1, t = 0.5;
    // t = (2 A / c) [(x0 - x) + (u / c) ln((u - c x0) / (u - c x))]
    const auto paso = [&](double h, double u) {
        const double x0 = std::sqrt(h);
        double x = x0;
        for (int i = 0; i < 60; ++i) {
            const double g = 2 * A / c * ((x0 - x) + u / c * std::log((u - c * x0) / (u - c * x))) - t;
            const double dg = 2 * A / c * (-1 + u / (u - c * x));
            x -= g / dg;
        }
        return x * x;
    };
    std::mt19937_64 azar(3);
    std::normal_distribution<double> ruido(0, 0.005);
    Registro r;
    r.T = t;
    const std::vector<double> u = Binaria(4000, 80, 0.6, 2.0, 11);
    double h = 1.0;  // the level settled under 1.0
    for (double uk : u) {
        h = paso(h, uk);
        r.accion.push_back(uk);
        r.nivel.push_back(h + ruido(azar));
    }
    const IdentificacionOe lineal = IdentificarOe(r, 0);
    const ModeloOrificio m = IdentificarOrificio(r, lineal);
    EXPECT_NEAR(m.A, A, 3 * *m.error_A);
    EXPECT_NEAR(m.c, c, 3 * *m.error_c);
    EXPECT_LT(*m.error_A, 0.05 * A);
    EXPECT_GT(m.ajuste, lineal.ajuste + 1);
    EXPECT_NEAR(PasoOrificio(A, c, 1.0, 1.5, t), paso(1.0, 1.5), 1e-9);
}
