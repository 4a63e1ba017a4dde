// The robustness that the rules promise, and the discrete loop's margins against scans written here.
#include <gtest/gtest.h>

#include "sintonia/lazo.h"
#include "sintonia/reglas.h"
#include "tests/sintonia/barrido.h"

namespace {

constexpr double kPi = std::numbers::pi;

// SIMC with tc = theta on a plant with tau1 <= 8 theta: Skogestad (2003) gives GM 3.14, PM 61.4 deg, Ms 1.59
// (the loop is e^(-theta s) / (2 theta s) whatever the plant: GM = pi exactly). The scan here reads the
// continuous loop of the rule's gains on the model it read; the library's discrete loop at a period of a
// hundredth of the delay must agree with it. The second-order rows check the series-to-ideal conversion: the
// converted PID must still cancel both lags.
struct FilaSimc {
    double tau1, tau2, theta;
    const char* porque;
};

TEST(Margenes, SimcDaLaRobustezPublicada) {
    for (const FilaSimc f : {FilaSimc{1, 0, 1, "tau = theta"},
                             {4, 0, 1, "tau = 4 theta"},
                             {8, 0, 1, "tau = 8 theta, the edge of tauI = tau"},
                             {20, 0, 2.5, "the tank's tau"},
                             {8, 2, 1, "second order: the PID's derivative takes tau2"},
                             {5, 5, 2, "two equal lags"}}) {
        SCOPED_TRACE(f.porque);
        const double T = f.theta / 100;
        const ModeloConRetardo p{2, f.tau1, f.tau2, f.theta};
        const Muestreo m{T, T};
        const Accion accion = f.tau2 > 0 ? Accion::PID : Accion::PI;
        const Ganancias g = Calcular(Regla::Simc, accion, ModeloParaReglas(p, m));
        const ModeloReglas& r = g.modelo;
        const Figuras c = Escanear(
            [&](double w) {
                return PidContinuo(g.pid.Kp, g.pid.Ti, g.pid.Td, w) * PlantaContinua(r.K, r.tau1, r.tau2, r.theta, w);
            },
            1e-5, 1e3);
        EXPECT_NEAR(c.GM, kPi, 2e-3);
        EXPECT_NEAR(c.PM, 61.35, 0.05);
        EXPECT_NEAR(c.Ms, 1.59, 0.01);

        const AnalisisLazo a = Analizar(p, m, g.pid);
        ASSERT_TRUE(a.estable);
        ASSERT_TRUE(a.margenes.ganancia && a.margenes.fase);
        EXPECT_NEAR(*a.margenes.ganancia / c.GM, 1, 0.01);
        EXPECT_NEAR(*a.margenes.fase, c.PM, 0.6);
        EXPECT_NEAR(a.margenes.Ms / c.Ms, 1, 0.01);
    }
}

// The IMC PID is designed so that the controller times the plant, the delay's Pade approximation in the
// plant, is the loop (1 + theta s / 2) e^(-theta s) / ((lambda + theta / 2) s). Checked at a few frequencies.
TEST(Margenes, ImcDaElLazoDeSuDiseno) {
    const ModeloReglas m{2, 20, 0, 2.25};
    for (double lambda : {1.0, 2.25, 10.0}) {
        const Pid pid = Calcular(Regla::Imc, Accion::PID, m, lambda).pid;
        for (double w : {0.01, 0.1, 0.5, 2.0}) {
            const std::complex<double> s(0, w);
            const std::complex<double> lazo =
                PidContinuo(pid.Kp, pid.Ti, pid.Td, w) * PlantaContinua(m.K, m.tau1, 0, m.theta, w);
            const std::complex<double> diseno =
                (1.0 + m.theta * s / 2.0) * std::exp(-m.theta * s) / ((lambda + m.theta / 2) * s);
            EXPECT_NEAR(std::abs(lazo / diseno - 1.0), 0, 1e-12) << "lambda " << lambda << " w " << w;
        }
    }
}

// AMIGO was designed for Ms = 1.4 (Astrom and Hagglund 2004); its PID keeps close to it on first-order plants
// with delay from lag- to delay-dominated.
TEST(Margenes, AmigoQuedaCercaDeSuMs) {
    for (double tau : {0.1, 1.0, 4.0, 30.0}) {
        const ModeloReglas m{1, tau, 0, 1};
        const Pid pid = Calcular(Regla::Amigo, Accion::PID, m).pid;
        const Figuras c =
            Escanear([&](double w) { return PidContinuo(pid.Kp, pid.Ti, pid.Td, w) * PlantaContinua(1, tau, 0, 1, w); },
                     1e-4, 1e3, 50000);
        EXPECT_NEAR(c.Ms, 1.4, 0.05) << "tau " << tau;
    }
}

// The discrete loop at the program's period, where the hold is far from a small delay: the library against
// the closed-form zero-order-hold transfer (the modified z-transform) and this program's law, scanned here.
struct FilaDiscreta {
    double theta;  // s, at T = 0.5: whole and fractional numbers of samples
    Pid pid;
};

TEST(Margenes, LazoDiscretoComoSuFormaCerrada) {
    const double K = 2, tau = 20, T = 0.5;
    for (const FilaDiscreta f :
         {FilaDiscreta{0, {20, 2, 0}}, {2, {4, 9, 0}}, {2.2, {3.5, 9, 0.5}}, {0.3, {8, 3, 0.2}}}) {
        SCOPED_TRACE(f.theta);
        const int d = static_cast<int>(std::floor(f.theta / T + 1e-9));
        const double fr = f.theta / T - d < 1e-9 ? 0 : f.theta / T - d;
        const Figuras c = Escanear(
            [&](double w) {
                return PidDiscreto(f.pid.Kp, f.pid.Ti, f.pid.Td, T, w) * PrimerOrdenRetenido(K, tau, d, fr, T, w);
            },
            1e-5, kPi / T * (1 - 1e-12));
        const Margenes m = CalcularMargenes(Discretizar({K, tau, 0, f.theta}, {T, T}), f.pid);
        if (std::isfinite(c.GM)) {
            ASSERT_TRUE(m.ganancia);
            EXPECT_NEAR(*m.ganancia / c.GM, 1, 1e-4);
        }
        ASSERT_TRUE(m.fase);
        EXPECT_NEAR(*m.fase, c.PM, 1e-3);
        EXPECT_NEAR(m.Ms / c.Ms, 1, 1e-4);
    }
}

// Stability from the closed loop's poles: a nearly proportional controller (Ti huge) just below and just above
// the gain at which the discrete loop's phase crosses -180 deg, found by the scan here.
TEST(Margenes, EstabilidadCambiaEnLaGananciaUltima) {
    const double K = 2, tau = 20, T = 0.5;
    for (int d : {0, 4, 11}) {
        SCOPED_TRACE(d);
        const Figuras c =
            Escanear([&](double w) { return PrimerOrdenRetenido(K, tau, d, 0, T, w); }, 1e-5, kPi / T * (1 - 1e-12));
        // without delay the phase reaches -180 deg only at pi / T, where the scan stops short of it
        const double Ku = d == 0 ? 1 / std::abs(PrimerOrdenRetenido(K, tau, 0, 0, T, kPi / T)) : c.GM;
        const ModeloConRetardo p{K, tau, 0, d * T};
        EXPECT_TRUE(Analizar(p, {T, T}, {0.98 * Ku, 1e9, 0}).estable);
        EXPECT_FALSE(Analizar(p, {T, T}, {1.02 * Ku, 1e9, 0}).estable);
    }
}

}  // namespace
