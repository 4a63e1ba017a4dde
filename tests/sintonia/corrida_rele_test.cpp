// The relay experiment as a run of the simulator: the linear tank with a pipe of d samples before it, driven by
// the run's on/off inflow, read by the relay's analysis, against the ultimate gain and period of the analytic
// loop K e^(-theta s) / (tau s + 1), theta = d T + T / 2 (the pipe and the hold), solved here by Newton on the
// phase condition atan(w tau) + w theta = pi.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "core/corridas/corrida.h"
#include "core/mensajes_corridas.h"
#include "core/planta/planta.h"
#include "sintonia/rele.h"
#include "tests/core/banco.h"

namespace {

constexpr double kPi = std::numbers::pi;

struct Ultimos {
    double Ku, Pu;
};

Ultimos Analiticos(double K, double tau, double theta) {
    double w = kPi / (2 * theta);  // below the crossover, where the phase is convex in w
    for (int i = 0; i < 50; ++i) {
        const double f = std::atan(w * tau) + w * theta - kPi;
        const double df = tau / (1 + w * w * tau * tau) + theta;
        w -= f / df;
    }
    return {std::sqrt(1 + w * w * tau * tau) / K, 2 * kPi / w};
}

struct Ensayo {
    const char* porque;
    int retardo;           // Rele_Retardo, samples
    const char* T;         // T_Sample, ms
    std::int32_t posicion; // the slider: the working level is half of it
    const char *alto, *bajo, *histeresis;
};

// Runs the relay for n ticks on a simulator of the default texts with these changes.
struct Corrida_ {
    Banco b{'.', Series::Descartar};
    explicit Corrida_(const Ensayo& e, int n) {
        b.textos.Poner("Rele_Retardo", std::to_string(e.retardo));
        b.textos.Poner("T_Sample", e.T);
        b.textos.Poner("Rele_Alto", e.alto);
        b.textos.Poner("Rele_Bajo", e.bajo);
        b.textos.Poner("Rele_Histeresis", e.histeresis);
        b.posicion.valor = e.posicion;
        b.sim.Alternar(Corrida::Rele);
        for (int k = 0; k < n && b.sim.Timer(Corrida::Rele).Enabled; ++k) b.sim.Tick(Corrida::Rele);
    }
    const EnsayoRele& Registro() const { return b.sim.Observacion().ensayoRele; }
};

TEST(CorridaRele, DaLaGananciaYElPeriodoDelLazoAnalitico) {
    for (const Ensayo& e : {Ensayo{"4 samples of pipe, an on/off pump", 4, "500", 4, "2", "0", "0.01"},
                            Ensayo{"10 samples, a relay about 1.5", 10, "500", 3, "2.5", "0.5", "0.005"},
                            Ensayo{"20 samples of 100 ms, a wider band", 20, "100", 5, "4", "1", "0.02"}}) {
        SCOPED_TRACE(e.porque);
        Corrida_ c(e, 6000);
        const EnsayoRele& r = c.Registro();
        ASSERT_TRUE(c.b.sim.Timer(Corrida::Rele).Enabled) << "no overflow";
        const Rele rele{e.posicion * 0.5, std::stod(e.alto), std::stod(e.bajo), std::stod(e.histeresis)};
        EXPECT_DOUBLE_EQ(r.Nivel(), rele.nivel);
        const AnalisisRele a = AnalizarRele(r.Acciones(), r.Niveles(), r.T(), rele, {std::nullopt, 5.0});
        // the default tank: K = R = 2, tau = A R = 20 s in the plant's seconds, which its clock maps onto the
        // controller's samples
        const double T = std::stod(e.T) / 1000;
        const Planta& planta = PlantaDe(c.b.textos);
        const double h = planta.Reloj(static_cast<float>(T)).tiempoMuestra;
        const Ultimos u = Analiticos(2, 20 * T / h, e.retardo * T + T / 2);
        EXPECT_TRUE(a.modelo) << a.aviso;
        EXPECT_NEAR(a.Ku / u.Ku, 1, 0.02) << a.Ku << " " << u.Ku;
        EXPECT_NEAR(a.Pu / u.Pu, 1, 0.02) << a.Pu << " " << u.Pu;
        EXPECT_GE(a.ciclos, kMinimoCiclos);
        EXPECT_LT(a.nivelMaximo, 5.0);
    }
}

// The pipe holds the inflow back d samples: the level first rises d ticks later than without it, the same rise.
TEST(CorridaRele, LaTuberiaRetrasaElCaudal) {
    Corrida_ sin(Ensayo{"", 0, "500", 4, "2", "0", "0.01"}, 10);
    Corrida_ con(Ensayo{"", 3, "500", 4, "2", "0", "0.01"}, 10);
    const auto& y0 = sin.Registro().Niveles();
    const auto& y3 = con.Registro().Niveles();
    ASSERT_EQ(y0.size(), 10u);
    // the first tick's plant step flows the action of the press, 0; the pump's first 2 flows at the second
    EXPECT_EQ(y0[0], 0);
    EXPECT_GT(y0[1], 0);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(y3[k], 0) << k;
    for (int k = 4; k < 10; ++k) EXPECT_EQ(y3[k], y0[k - 3]) << k;
    // the action recorded is the one decided, on at once in both
    EXPECT_EQ(con.Registro().Acciones()[0], 2);
}

TEST(CorridaRele, SusTextosMalosLoParanConSuMensaje) {
    struct Caso {
        const char *nombre, *texto, *mensaje;
    };
    for (const Caso& c : {Caso{"Rele_Alto", "0", kReleCaudales}, Caso{"Rele_Histeresis", "-0.1", kReleCaudales},
                          Caso{"Rele_Retardo", "201", kReleRetardo}, Caso{"Rele_Retardo", "-1", kReleRetardo}}) {
        SCOPED_TRACE(c.nombre);
        Banco b;
        b.textos.Poner(c.nombre, c.texto);
        b.sim.Alternar(Corrida::Rele);
        b.mensajes.mostrados.clear();
        b.sim.AtenderTick(Corrida::Rele);
        ASSERT_EQ(b.mensajes.mostrados.size(), 1u);
        EXPECT_EQ(b.mensajes.mostrados[0], c.mensaje);
        EXPECT_TRUE(b.sim.Observacion().ensayoRele.Niveles().empty());
    }
}

// The relay is the fourth run: it keeps the others' buttons away while it goes, and starts only alone; the
// lists of runs in messages stay those of the batch tool, its key reads back.
TEST(CorridaRele, EsUnaCorridaMasQueVaSola) {
    Banco b;
    b.sim.Alternar(Corrida::Rele);
    ASSERT_TRUE(b.sim.Timer(Corrida::Rele).Enabled);
    for (Control c : {Control::ToolButton4, Control::ToolButton13, Control::ToolButton10, Control::ToolButton8,
                      Control::Limpiar, Control::Archivo})
        EXPECT_FALSE(b.sim.Habilitado(c)) << static_cast<int>(c);
    EXPECT_TRUE(b.sim.Habilitado(Control::Track_Referencia));
    b.sim.Alternar(Corrida::Rele);
    for (Control c : {Control::ToolButton4, Control::ToolButton13, Control::ToolButton10, Control::Archivo})
        EXPECT_TRUE(b.sim.Habilitado(c)) << static_cast<int>(c);
    for (Corrida otra : {Corrida::Escalon, Corrida::PID, Corrida::Fuzzy}) {
        Banco o;
        o.sim.ToolButton11Click();
        o.sim.Alternar(otra);
        o.mensajes.mostrados.clear();
        o.sim.AtenderToggle(Corrida::Rele);
        EXPECT_FALSE(o.sim.Timer(Corrida::Rele).Enabled) << static_cast<int>(otra);
        EXPECT_TRUE(o.sim.Timer(otra).Enabled);
        ASSERT_EQ(o.mensajes.mostrados.size(), 1u);
        EXPECT_EQ(o.mensajes.mostrados[0], kReleConOtraCorrida);
    }
    EXPECT_EQ(ClavesCorridas(", ", " y "), "escalon, pid y fuzzy");
    EXPECT_EQ(CorridaDeClave("rele"), Corrida::Rele);
    EXPECT_EQ(Definicion(Corrida::Rele).retardo, 1);
}

}  // namespace
