#include <gtest/gtest.h>

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

    // a different failure is shown in a box again
    b.textos.Poner("Alto_Escalon", "tres");
    b.sim.AtenderTick(Corrida::Escalon);
    EXPECT_EQ(b.mensajes.mostrados.size(), 2u);
    EXPECT_EQ(b.mensajes.fines, 1);  // the notice of the old failure goes

    // a tick that succeeds ends the repetition; the next failure is a box again
    b.textos.Poner("Alto_Escalon", "2");
    b.sim.AtenderTick(Corrida::Escalon);
    b.textos.Poner("Alto_Escalon", "tres");
    b.sim.AtenderTick(Corrida::Escalon);
    EXPECT_EQ(b.mensajes.mostrados.size(), 3u);

    // so does a press of the run's button
    b.sim.AtenderTick(Corrida::Escalon);
    EXPECT_EQ(b.mensajes.repetidos.size(), 3u);
    b.sim.AtenderToggle(Corrida::Escalon);
    b.sim.AtenderToggle(Corrida::Escalon);
    b.sim.AtenderTick(Corrida::Escalon);
    EXPECT_EQ(b.mensajes.mostrados.back(), "'tres' is not a valid floating point value");
    EXPECT_EQ(b.mensajes.fines, 2);
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
