// The relay experiment on a linear tank with a delay, simulated here in closed form, against the ultimate gain
// and period of the analytic loop.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "sintonia/rechazos.h"
#include "sintonia/rele.h"
#include "tests/ayudas.h"

namespace {

struct Tanque {
    double K = 2, tau = 20;   // the default tank: R = 2, A R = 20 s
    double T = 0.5, h = 0.5;  // the controller's period and the plant's time per sample
    int d = 4;                // samples of dead time
};

// y(k+1) = a y(k) + b u(k - d), a = e^(-h / tau), b = K (1 - a): the tank held over each sample; the relay
// decides u(k) from y(k), as the run does.
CorridaRele Relevar(const Tanque& t, const Rele& r, std::size_t n, double ruido = 0) {
    const double a = std::exp(-t.h / t.tau), b = t.K * (1 - a);
    CorridaRele c;
    double x = 0, u = 0;
    std::vector<double> u_(n, 0.0);
    for (std::size_t k = 0; k < n; ++k) {
        // a deterministic disturbance of the reading, when asked for
        const double y =
            x + ruido * std::sin(2.3 * static_cast<double>(k)) * std::cos(0.7 * static_cast<double>(k * k));
        const double e = r.nivel - y;
        u = e > r.histeresis ? r.alto : e < -r.histeresis ? r.bajo : u;
        c.nivel.push_back(y);
        c.accion.push_back(u);
        u_[k] = u;
        x = a * x + b * (k >= static_cast<std::size_t>(t.d) ? u_[k - t.d] : 0.0);
    }
    return c;
}

// The analytic loop: K e^(-theta s) / (tau s + 1) in the controller's seconds, its delay d T and the hold's
// T / 2; the ultimate point where atan(w tau) + w theta = pi.
std::pair<double, double> Ultimos(const Tanque& t) {
    const double tau = t.tau * t.T / t.h, theta = t.d * t.T + t.T / 2;
    double a = 1e-9, b = std::numbers::pi / theta;
    for (int i = 0; i < 100; ++i) {
        const double m = (a + b) / 2;
        (std::atan(m * tau) + m * theta < std::numbers::pi ? a : b) = m;
    }
    return {std::sqrt(1 + a * a * tau * tau) / t.K, 2 * std::numbers::pi / a};
}

struct Fila {
    Tanque tanque;
    Rele rele;
    const char* porque;
};

TEST(Rele, DaLaGananciaYElPeriodoUltimos) {
    for (const Fila& f : {Fila{{}, {2, 2, 0, 0.01}, "the default tank, 2 s of delay, an on/off pump"},
                          Fila{{2, 20, 0.5, 0.5, 10}, {2, 1.5, 0.5, 0.005}, "5 s of delay, a relay about 1"},
                          Fila{{2, 20, 0.1, 0.11, 20}, {2.5, 2, 0, 0.01}, "100 ms: 11 sub-steps per sample"},
                          Fila{{2, 20, 0.5, 0.5, 1}, {2, 2, 0, 0.002}, "half a second of delay: six samples a cycle"},
                          Fila{{}, {2, 2, 0, 0.1}, "a hysteresis of half the amplitude"}}) {
        SCOPED_TRACE(f.porque);
        const CorridaRele c = Relevar(f.tanque, f.rele, 6000);
        const AnalisisRele a = AnalizarRele(c.accion, c.nivel, f.tanque.T, f.rele);
        const auto [Ku, Pu] = Ultimos(f.tanque);
        EXPECT_TRUE(a.modelo) << a.aviso;
        EXPECT_NEAR(a.Ku / Ku, 1, 0.02);
        EXPECT_NEAR(a.Pu / Pu, 1, 0.02);
        EXPECT_NEAR(a.K, f.tanque.K, 1e-6);
        EXPECT_EQ(a.ciclos, kMaximoCiclos);
    }
}

// The library's own relay loop is the one simulated here.
TEST(Rele, SuSimulacionEsLaDelTanque) {
    const Tanque t{2, 20, 0.1, 0.11, 7};
    const Rele r{2, 2, 0, 0.01};
    const CorridaRele aqui = Relevar(t, r, 3000);
    const CorridaRele suya = SimularRele({t.K, t.tau, 0, t.d * t.h}, {t.T, t.h}, r, 3000);
    ASSERT_EQ(suya.nivel.size(), aqui.nivel.size());
    for (std::size_t k = 0; k < aqui.nivel.size(); ++k) {
        ASSERT_NEAR(suya.nivel[k], aqui.nivel[k], 1e-9) << k;
        ASSERT_EQ(suya.accion[k], aqui.accion[k]) << k;
    }
}

TEST(Rele, DiceConClaridadPorQueNoSirve) {
    const Tanque t;
    auto mensaje = [&](const Rele& r, std::size_t n, double ruido, OpcionesRele o = {}) {
        const CorridaRele c = Relevar(t, r, n, ruido);
        return TextoDelError<ErrorSintonia>([&] { AnalizarRele(c.accion, c.nivel, t.T, r, o); });
    };
    // a pump of 0.9 fills the tank to 1.8 only, below the working level of 2
    EXPECT_EQ(mensaje({2, 0.9, 0, 0.01}, 3000, 0),
              "No se encontró una oscilación sostenida: tras el primer ciclo hay 0 ciclos completos del relé y hacen "
              "falta al menos 4. Alargue la corrida, o compruebe que el caudal alto lleva el nivel por encima del "
              "nivel de trabajo y el bajo por debajo.");
    EXPECT_TRUE(mensaje({2, 2, 0, 0.01}, 3000, 0, {std::nullopt, 2.05})
                    .starts_with("La oscilación sale del tanque: el nivel llega a 2.2"));
    // noise far above the hysteresis makes the relay chatter at every crossing
    EXPECT_TRUE(mensaje({2, 2, 0, 0.001}, 3000, 0.05).starts_with("La oscilación no se sostiene: su amplitud va de"));
    EXPECT_EQ(TextoDelError<ErrorSintonia>([] {
                  AccionRele({2, 1, 1, 0}, 0, 0), ComprobarRele({2, 1, 1, 0});
              }),
              "El relé necesita un caudal alto mayor que el bajo y una histéresis no negativa (alto 1, bajo 1, "
              "histéresis 0).");
}

}  // namespace
