#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/core/banco.h"

TEST(Despacho, FalloRepetidoSeMuestraUnaVezYLuegoSeCuenta) {
    Banco b;
    b.sim.ToolButton4Click();
    b.sim.AtenderTick(Corrida::Escalon);
    b.textos.Poner("Alto_Escalon", "dos");
    const std::string m = "'dos' is not a valid floating point value";
    for (int i = 0; i < 3; ++i) b.sim.AtenderTick(Corrida::Escalon);
    EXPECT_EQ(b.mensajes.mostrados, std::vector<std::string>{m});
    EXPECT_EQ(b.mensajes.repetidos, (std::vector<std::string>{m + " x2", m + " x3"}));
    EXPECT_TRUE(b.sim.Timer(Corrida::Escalon).Enabled);

    // a different failure is shown in a box; the notice keeps the count of the run so far
    b.textos.Poner("Alto_Escalon", "tres");
    b.sim.AtenderTick(Corrida::Escalon);
    EXPECT_EQ(b.mensajes.mostrados.size(), 2u);
    EXPECT_EQ(b.mensajes.fines, 0);

    // a tick that succeeds does not forget: the same failure later in the run is counted, not boxed
    b.textos.Poner("Alto_Escalon", "2");
    b.sim.AtenderTick(Corrida::Escalon);
    b.textos.Poner("Alto_Escalon", "tres");
    b.sim.AtenderTick(Corrida::Escalon);
    EXPECT_EQ(b.mensajes.mostrados.size(), 2u);
    EXPECT_EQ(b.mensajes.repetidos.back(), "'tres' is not a valid floating point value x2");
    b.textos.Poner("Alto_Escalon", "dos");
    b.sim.AtenderTick(Corrida::Escalon);
    EXPECT_EQ(b.mensajes.repetidos.back(), m + " x4");

    // a press of the run's button starts afresh: the notice goes and the next failure is a box again
    b.sim.AtenderToggle(Corrida::Escalon);
    EXPECT_EQ(b.mensajes.fines, 1);
    b.sim.AtenderToggle(Corrida::Escalon);
    b.sim.AtenderTick(Corrida::Escalon);
    EXPECT_EQ(b.mensajes.mostrados.back(), m);
    EXPECT_EQ(b.mensajes.fines, 1);  // nothing was on show
}

TEST(Despacho, ElMismoFalloDentroDeSuPropioMensajeNoAbreOtraCaja) {
    Banco b;
    b.textos.Poner("Area", "0");
    b.sim.ToolButton13Click();
    // while the first box is open the run keeps ticking: those failures go to the notice
    b.mensajes.alMostrar = [&] {
        b.sim.AtenderTick(Corrida::PID);
        b.sim.AtenderTick(Corrida::PID);
    };
    b.sim.AtenderTick(Corrida::PID);
    EXPECT_EQ(b.mensajes.mostrados, std::vector<std::string>{"Floating point division by zero"});
    EXPECT_EQ(b.mensajes.repetidos.size(), 2u);
    // and the run can still be stopped through its button
    b.sim.AtenderToggle(Corrida::PID);
    EXPECT_FALSE(b.sim.Timer(Corrida::PID).Enabled);
    EXPECT_EQ(b.mensajes.mostrados.back(), kCicloParado);
}

TEST(Despacho, UnTickDeUnaCorridaParadaNoHaceNada) {
    Banco b;
    b.sim.AtenderTick(Corrida::Escalon);
    EXPECT_EQ(b.sim.Series2().Cuenta(), 0u);
    EXPECT_EQ(b.sim.Timer(Corrida::Escalon).Tag, 0);
}

TEST(Despacho, AvisaALaVentanaAntesDeCadaMensaje) {
    Banco b;
    std::vector<unsigned> avisos;
    b.sim.AlCambiar([&](unsigned c) { avisos.push_back(c); });
    b.sim.AtenderToggle(Corrida::Escalon);
    ASSERT_FALSE(avisos.empty());
    EXPECT_TRUE(avisos.back() & CambioTemporizadores);
    avisos.clear();
    // the stop disables the timer and enables the buttons before its message is shown
    bool temporizadorParadoAlMostrar = false;
    b.mensajes.alMostrar = [&] {
        temporizadorParadoAlMostrar = !avisos.empty() && (avisos.back() & CambioTemporizadores);
    };
    b.sim.AtenderToggle(Corrida::Escalon);
    EXPECT_TRUE(temporizadorParadoAlMostrar);
}

// A fuzzy run whose error sets leave gaps (no rule fires there) fails at some ticks and not at others: within the
// run each failure is shown in a box once, then counted in the notice, good ticks between or not.
TEST(Despacho, UnFalloIntermitenteSeMuestraUnaVezPorCorrida) {
    Banco b;
    b.textos.Poner("E_Ze_Ancho", "0.2");
    b.textos.Poner("E_Ne_Ancho", "1");
    b.textos.Poner("E_Po_Ancho", "1");
    b.sim.Atender([&] { b.sim.ToolButton11Click(); });
    b.sim.AtenderToggle(Corrida::Fuzzy);
    for (int i = 0; i < 700; ++i) b.sim.AtenderTick(Corrida::Fuzzy);
    ASSERT_FALSE(b.mensajes.mostrados.empty());
    const std::set<std::string> distintos(b.mensajes.mostrados.begin(), b.mensajes.mostrados.end());
    EXPECT_EQ(distintos.size(), b.mensajes.mostrados.size()) << b.mensajes.mostrados.size() << " boxes";
    // the notice counts every failure of its text in the run: x2, x3, ... with no gap
    const std::string texto = b.mensajes.mostrados.front();
    int cuenta = 1;
    std::vector<std::string> fueraDeCuenta;
    for (const std::string& r : b.mensajes.repetidos) {
        if (r.rfind(texto + " x", 0) != 0) continue;
        if (r != texto + " x" + std::to_string(++cuenta)) fueraDeCuenta.push_back(r);
    }
    EXPECT_GT(cuenta, 2);
    EXPECT_TRUE(fueraDeCuenta.empty()) << fueraDeCuenta.size() << " counts out of order, first " << fueraDeCuenta[0];

    // a press of the button (two: a stop and a start) forgets what was shown: the box comes once more
    b.sim.AtenderToggle(Corrida::Fuzzy);
    b.sim.AtenderToggle(Corrida::Fuzzy);
    b.mensajes.mostrados.clear();
    for (int i = 0; i < 700; ++i) b.sim.AtenderTick(Corrida::Fuzzy);
    EXPECT_EQ(std::count(b.mensajes.mostrados.begin(), b.mensajes.mostrados.end(), texto), 1);
}
