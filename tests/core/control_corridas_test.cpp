#include <gtest/gtest.h>

#include <set>

#include "tests/core/banco.h"

namespace {

using C = Control;

// The controls that are disabled, as a set, for comparing with the tables of the runs.
std::set<C> Deshabilitados(const Simulador& s) {
    std::set<C> d;
    for (std::size_t i = 0; i < kNumControles; ++i)
        if (!s.Habilitado(static_cast<C>(i))) d.insert(static_cast<C>(i));
    return d;
}

const std::set<C> kTodos{C::ToolButton1,  C::ToolButton5,  C::ToolButton2, C::ToolButton12,
                         C::ToolButton4,  C::ToolButton13, C::ToolButton8, C::ToolButton11,
                         C::ToolButton10, C::Limpiar,      C::Archivo,     C::Track_Referencia};

std::set<C> Menos(std::set<C> a, const std::set<C>& b) {
    for (C c : b) a.erase(c);
    return a;
}

}  // namespace

TEST(Toggles, ConjuntosDeInicioParadaYDesborde) {
    struct Caso {
        Corrida corrida;
        std::set<C> inicio;
        std::set<C> desborde;  // what stays disabled after the overflow stop
    };
    const std::set<C> paraTodos{C::ToolButton1,  C::ToolButton5, C::ToolButton2,
                                C::ToolButton12, C::Limpiar,     C::Archivo};
    const Caso casos[] = {
        {Corrida::Escalon, Menos(kTodos, {C::ToolButton4, C::ToolButton8, C::ToolButton11, C::ToolButton10}), {}},
        {Corrida::PID,
         Menos(kTodos, {C::ToolButton13, C::Track_Referencia}),
         {C::ToolButton8, C::ToolButton11, C::ToolButton10}},
        {Corrida::Fuzzy,
         Menos(kTodos, {C::ToolButton10, C::Track_Referencia}),
         {C::ToolButton13, C::ToolButton8, C::ToolButton11}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(static_cast<int>(c.corrida));
        for (C x : paraTodos) ASSERT_TRUE(c.inicio.count(x));
        Banco b;
        b.textos.Poner("Alto_Escalon", "100");  // the step run overflows at once
        b.textos.Poner("Kp", "1000");
        b.textos.Poner("KU", "1000");
        b.posicion.valor = 10;
        b.sim.ToolButton11Click();
        EXPECT_TRUE(Deshabilitados(b.sim).empty());

        b.sim.AtenderToggle(c.corrida);
        EXPECT_TRUE(b.sim.Timer(c.corrida).Enabled);
        EXPECT_EQ(Deshabilitados(b.sim), c.inicio);
        b.sim.AtenderToggle(c.corrida);
        EXPECT_FALSE(b.sim.Timer(c.corrida).Enabled);
        EXPECT_TRUE(Deshabilitados(b.sim).empty());
        EXPECT_EQ(b.mensajes.mostrados, std::vector<std::string>{kCicloParado});

        // run until the overflow stop: only the overflow set comes back
        b.sim.AtenderToggle(c.corrida);
        for (int i = 0; i < 200 && b.sim.Timer(c.corrida).Enabled; ++i) b.sim.AtenderTick(c.corrida);
        ASSERT_FALSE(b.sim.Timer(c.corrida).Enabled);
        EXPECT_EQ(b.mensajes.mostrados.back(), kNivelSuperado);
        EXPECT_EQ(Deshabilitados(b.sim), c.desborde);

        // the next press starts again with the counter going on; the one after stops and frees everything
        const std::int32_t n = b.sim.Timer(c.corrida).Tag;
        EXPECT_GT(n, 0);
        b.sim.AtenderToggle(c.corrida);
        EXPECT_TRUE(b.sim.Timer(c.corrida).Enabled);
        EXPECT_EQ(b.sim.Timer(c.corrida).Tag, n);
        b.sim.AtenderToggle(c.corrida);
        EXPECT_EQ(b.sim.Timer(c.corrida).Tag, 0);
        EXPECT_TRUE(Deshabilitados(b.sim).empty());
    }
}

TEST(Toggles, ArrancarYPararAntesDelPrimerTick) {
    Banco b;
    b.sim.ToolButton4Click();
    EXPECT_EQ(b.sim.Timer(Corrida::Escalon).Interval, kIntervaloTick);
    b.sim.ToolButton4Click();
    EXPECT_EQ(b.mensajes.mostrados, std::vector<std::string>{kCicloParado});
    EXPECT_EQ(b.sim.Series1().Cuenta() + b.sim.Series2().Cuenta(), 0u);
    EXPECT_EQ(b.sim.Timer(Corrida::Escalon).Tag, 0);
}

TEST(Toggles, TextoDePlantaMaloNoArrancaNiPara) {
    Banco b;
    b.sim.ToolButton4Click();
    b.sim.Timer1Timer();
    const float volumen = b.sim.Estado().Volumen;
    ASSERT_GT(volumen, 0);
    b.textos.Poner("T_Sample", "250");
    b.textos.Poner("Area", "diez");
    b.sim.AtenderToggle(Corrida::Escalon);
    EXPECT_EQ(b.mensajes.mostrados, std::vector<std::string>{"'diez' is not a valid floating point value"});
    EXPECT_TRUE(b.sim.Timer(Corrida::Escalon).Enabled);      // neither stopped
    EXPECT_EQ(b.sim.Estado().T_Muestreo, 0.25f);             // fields before the bad one are read
    EXPECT_EQ(b.sim.Estado().Tau, 20.0f);                    // the bad one and those after are not
    EXPECT_EQ(Bits(b.sim.Estado().Volumen), Bits(volumen));  // nothing set to 0
    b.textos.Poner("Area", "10");
    b.sim.AtenderToggle(Corrida::Escalon);
    EXPECT_FALSE(b.sim.Timer(Corrida::Escalon).Enabled);
    EXPECT_EQ(b.sim.Estado().Volumen, 0.0f);
}

TEST(Toggles, MuestreoNoPositivoNoArrancaPeroSiempreSePuedeParar) {
    for (const char* t : {"0", "-500"}) {
        Banco b;
        b.textos.Poner("T_Sample", t);
        for (Corrida c : {Corrida::Escalon, Corrida::PID, Corrida::Fuzzy}) {
            b.sim.AtenderToggle(c);
            EXPECT_FALSE(b.sim.Timer(c).Enabled);
        }
        EXPECT_EQ(b.mensajes.mostrados, std::vector<std::string>(3, kMuestreoNoPositivo));
        // an active run whose sample time became 0 stops as usual
        b.textos.Poner("T_Sample", "500");
        b.sim.AtenderToggle(Corrida::PID);
        b.textos.Poner("T_Sample", t);
        b.sim.AtenderToggle(Corrida::PID);
        EXPECT_FALSE(b.sim.Timer(Corrida::PID).Enabled);
        EXPECT_EQ(b.mensajes.mostrados.back(), kCicloParado);
    }
}

TEST(Toggles, FuzzySinInicializarNoArranca) {
    Banco b;
    b.sim.AtenderToggle(Corrida::Fuzzy);
    EXPECT_FALSE(b.sim.Timer(Corrida::Fuzzy).Enabled);
    EXPECT_EQ(b.mensajes.mostrados.back(), kFuzzySinInicializar);
    EXPECT_TRUE(b.sim.Habilitado(Control::ToolButton8));

    // an initialisation that ended at an error does not count either
    b.textos.Poner("E_Po_Ancho", "x");
    b.sim.Atender([&] { b.sim.ToolButton11Click(); });
    b.sim.AtenderToggle(Corrida::Fuzzy);
    EXPECT_FALSE(b.sim.Timer(Corrida::Fuzzy).Enabled);
    b.textos.Poner("E_Po_Ancho", "1.25");
    b.sim.Atender([&] { b.sim.ToolButton11Click(); });
    b.sim.AtenderToggle(Corrida::Fuzzy);
    EXPECT_TRUE(b.sim.Timer(Corrida::Fuzzy).Enabled);
}

TEST(Toggles, EscalonYFuzzyJuntosYDespuesPIDJuntoAlEscalon) {
    Banco b;
    b.sim.ToolButton11Click();
    b.sim.ToolButton4Click();
    for (int i = 0; i < 5; ++i) b.sim.Timer1Timer();
    ASSERT_GT(b.sim.Estado().Volumen, 0);
    ASSERT_TRUE(b.sim.Habilitado(Control::ToolButton10));

    b.sim.ToolButton10Click();  // beside the step run: empties the shared tank
    EXPECT_TRUE(b.sim.Timer(Corrida::Fuzzy).Enabled);
    EXPECT_EQ(b.sim.Estado().Volumen, 0.0f);
    EXPECT_FALSE(b.sim.Habilitado(Control::ToolButton4));
    b.sim.Timer1Timer();
    b.sim.Timer5Timer();

    b.sim.ToolButton10Click();
    EXPECT_FALSE(b.sim.Timer(Corrida::Fuzzy).Enabled);
    EXPECT_TRUE(b.sim.Timer(Corrida::Escalon).Enabled);
    EXPECT_TRUE(b.sim.Habilitado(Control::ToolButton4));
    EXPECT_TRUE(b.sim.Habilitado(Control::ToolButton13));
    EXPECT_FALSE(b.sim.Habilitado(Control::Track_Referencia));

    b.sim.ToolButton13Click();  // now the PID run beside the step run
    EXPECT_TRUE(b.sim.Timer(Corrida::PID).Enabled);
    EXPECT_TRUE(b.sim.Timer(Corrida::Escalon).Enabled);
    // each tick steps the one shared tank: two sample periods per pair of ticks
    const float antes = b.sim.Estado().Volumen;
    b.sim.Timer1Timer();
    b.sim.Timer4Timer();
    EXPECT_NE(b.sim.Estado().Volumen, antes);
    // never all three: the fuzzy button is disabled by the PID run
    EXPECT_FALSE(b.sim.Habilitado(Control::ToolButton10));
}

TEST(Toggles, DesbordeDelEscalonJuntoAFuzzyAbreElPID) {
    Banco b;
    b.EscalonQueDesbordaYFuzzy();
    ASSERT_FALSE(b.sim.Habilitado(Control::ToolButton13));
    b.sim.AtenderTick(Corrida::Escalon);
    ASSERT_FALSE(b.sim.Timer(Corrida::Escalon).Enabled);
    EXPECT_TRUE(b.sim.Habilitado(Control::ToolButton13));
    b.sim.ToolButton13Click();
    EXPECT_TRUE(b.sim.Timer(Corrida::PID).Enabled);
    EXPECT_TRUE(b.sim.Timer(Corrida::Fuzzy).Enabled);
}

TEST(Toggles, UnMensajeDentroDeUnTickDejaCorrerLosTicksDeLaOtraCorrida) {
    Banco b;
    b.EscalonQueDesbordaYFuzzy();
    b.sim.Timer5Timer();
    // while the step run's overflow message is open, a fuzzy tick comes; it steps the same tank with
    // the inflow that the step tick has just set, and overflows too
    std::int32_t contadorFuzzy = -1;
    b.mensajes.alMostrar = [&] {
        b.sim.AtenderTick(Corrida::Fuzzy);
        contadorFuzzy = b.sim.Timer(Corrida::Fuzzy).Tag;
    };
    b.sim.AtenderTick(Corrida::Escalon);
    EXPECT_EQ(b.mensajes.mostrados, std::vector<std::string>(2, kNivelSuperado));
    EXPECT_EQ(contadorFuzzy, 2);
    // then the step tick completes: its level point lands after the fuzzy point of equal x
    EXPECT_EQ(b.sim.Timer(Corrida::Escalon).Tag, 1);
    ASSERT_EQ(b.sim.Series1().Cuenta(), 3u);
    EXPECT_EQ(b.sim.Series1().X(1), 0.0);
    EXPECT_EQ(b.sim.Series1().X(2), 1.0);
    EXPECT_EQ(b.sim.Series1().Y(1), static_cast<double>(b.sim.UltimaMuestra().nivel));
    EXPECT_EQ(b.sim.Series2().Y(1), 200.0);
    EXPECT_EQ(b.sim.UltimaMuestra().accion, 200.0f);
    EXPECT_FALSE(b.sim.Timer(Corrida::Escalon).Enabled);
    EXPECT_FALSE(b.sim.Timer(Corrida::Fuzzy).Enabled);
}

TEST(Limpiar, VaciaGraficoContadoresYBarraPeroNoElTanque) {
    Banco b;
    b.sim.ToolButton4Click();
    for (int i = 0; i < 3; ++i) b.sim.Timer1Timer();
    b.sim.ToolButton4Click();
    b.sim.ToolButton13Click();
    b.sim.Timer4Timer();
    b.sim.Timer4Timer();
    const float volumen = b.sim.Estado().Volumen;
    b.sim.LimpiarClick();
    for (Corrida c : {Corrida::Escalon, Corrida::PID, Corrida::Fuzzy}) EXPECT_EQ(b.sim.Timer(c).Tag, 0);
    EXPECT_EQ(b.sim.Series1().Cuenta() + b.sim.Series2().Cuenta() + b.sim.Series3().Cuenta(), 0u);
    EXPECT_EQ(b.sim.Nivel().Top, kBarraFondo);
    EXPECT_EQ(b.sim.Nivel().Height, 0);
    EXPECT_EQ(Bits(b.sim.Estado().Volumen), Bits(volumen));
    EXPECT_TRUE(b.sim.Timer(Corrida::PID).Enabled);  // a run goes on and plots from 0 again
    b.sim.Timer4Timer();
    EXPECT_EQ(b.sim.Series1().X(0), 0.0);
}

TEST(Barra, CrecheDesdeAbajoY167PixelesAlMaximo) {
    Banco b;
    // a maximum equal to the first level: no stop, and the bar is exactly at its full height
    b.textos.Poner("HMax", "0.0987603515");
    b.sim.ToolButton4Click();
    b.sim.AtenderTick(Corrida::Escalon);
    EXPECT_TRUE(b.sim.Timer(Corrida::Escalon).Enabled);
    EXPECT_TRUE(b.mensajes.mostrados.empty());
    EXPECT_EQ(b.sim.Nivel().Height, kBarraAltoMaximo);
    EXPECT_EQ(b.sim.Nivel().Top, kBarraFondo - kBarraAltoMaximo);

    // a maximum of 0: the overflow stop, then the bar divides by 0 and the tick ends there
    Banco c;
    c.textos.Poner("HMax", "0");
    c.sim.ToolButton4Click();
    c.sim.AtenderTick(Corrida::Escalon);
    EXPECT_EQ(c.mensajes.mostrados, (std::vector<std::string>{kNivelSuperado, "Floating point division by zero"}));
    EXPECT_EQ(c.sim.Series1().Cuenta(), 1u);
    EXPECT_EQ(c.sim.Nivel().Height, 0);
    EXPECT_EQ(c.sim.Timer(Corrida::Escalon).Tag, 0);
}
