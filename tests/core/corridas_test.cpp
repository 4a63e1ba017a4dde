#include <gtest/gtest.h>

#include <cmath>

#include "core/corridas/pid.h"
#include "tests/core/banco.h"

TEST(Escalon, PrimerosTicksConLosValoresPorDefecto) {
    Banco b;
    b.sim.ToolButton4Click();
    b.sim.Timer1Timer();
    ASSERT_EQ(b.sim.Series2().Cuenta(), 1u);
    EXPECT_EQ(b.sim.Series2().X(0), 0.0);
    EXPECT_EQ(b.sim.Series2().Y(0), 2.0);
    EXPECT_EQ(Bits(static_cast<float>(b.sim.Series1().Y(0))), Bits(0.0987603515f));
    EXPECT_EQ(b.sim.Nivel().Top, 273);
    EXPECT_EQ(b.sim.Nivel().Height, 3);
    EXPECT_EQ(b.sim.Timer(Corrida::Escalon).Tag, 1);
    EXPECT_EQ(b.sim.Series3().Cuenta(), 0u);
    for (float esperado : {0.195082292f, 0.289026082f, 0.380650342f}) {
        b.sim.Timer1Timer();
        EXPECT_EQ(Bits(b.sim.UltimaMuestra().nivel), Bits(esperado));
    }
    // no window: the points accumulate
    for (int i = 0; i < 400; ++i) b.sim.Timer1Timer();
    EXPECT_EQ(b.sim.Series1().Cuenta(), 404u);
    EXPECT_TRUE(b.sim.Timer(Corrida::Escalon).Enabled);
    EXPECT_LT(b.sim.UltimaMuestra().nivel, 4.0f);
}

TEST(Escalon, AmplitudTresDesbordaEnLaMuestra71) {
    Banco b;
    b.textos.Poner("Alto_Escalon", "3");
    b.sim.ToolButton4Click();
    std::size_t nivelesAlMensaje = 0, accionesAlMensaje = 0;
    b.mensajes.alMostrar = [&] {
        nivelesAlMensaje = b.sim.Series1().Cuenta();
        accionesAlMensaje = b.sim.Series2().Cuenta();
    };
    for (int i = 0; i < 100 && b.sim.Timer(Corrida::Escalon).Enabled; ++i) b.sim.AtenderTick(Corrida::Escalon);
    EXPECT_EQ(b.mensajes.mostrados, std::vector<std::string>{kNivelSuperado});
    // at the message the action point of sample 71 is plotted and its level point is not yet
    EXPECT_EQ(nivelesAlMensaje, 71u);
    EXPECT_EQ(accionesAlMensaje, 72u);
    EXPECT_EQ(b.sim.Series1().Cuenta(), 72u);
    EXPECT_EQ(b.sim.Series1().X(71), 71.0);
    EXPECT_EQ(Bits(static_cast<float>(b.sim.Series1().Y(71))), Bits(5.00820637f));
    EXPECT_EQ(b.sim.Nivel().Height, kBarraAltoMaximo);
    EXPECT_EQ(b.sim.Timer(Corrida::Escalon).Tag, 72);
}

TEST(Escalon, AmplitudCeroONegativaDejaElTanqueVacio) {
    for (const char* a : {"0", "-2"}) {
        Banco b;
        b.textos.Poner("Alto_Escalon", a);
        b.sim.ToolButton4Click();
        for (int i = 0; i < 10; ++i) b.sim.Timer1Timer();
        EXPECT_EQ(b.sim.Estado().Volumen, 0.0f) << a;
        EXPECT_EQ(b.sim.Nivel().Height, 0);
        EXPECT_EQ(b.sim.Series2().Y(9), std::stod(a));
    }
}

TEST(Escalon, FallosTerminanElTickDondeSurgen) {
    // an amplitude that does not convert changes nothing
    Banco b;
    b.sim.ToolButton4Click();
    b.textos.Poner("Alto_Escalon", "");
    EXPECT_THROW(b.sim.Timer1Timer(), ErrorConversion);
    EXPECT_EQ(b.sim.Series2().Cuenta(), 0u);
    EXPECT_EQ(b.sim.Estado().Accion_Control, 0.0f);

    // an area of 0: each failing tick adds its action point again with the same counter
    Banco c;
    c.textos.Poner("Area", "0");
    c.sim.ToolButton4Click();
    for (int i = 0; i < 3; ++i) c.sim.AtenderTick(Corrida::Escalon);
    EXPECT_EQ(c.sim.Series2().Cuenta(), 3u);
    EXPECT_EQ(c.sim.Series2().X(2), 0.0);
    EXPECT_EQ(c.sim.Series1().Cuenta(), 0u);
    EXPECT_EQ(c.sim.Estado().Volumen, 0.0f);
    EXPECT_TRUE(c.sim.Timer(Corrida::Escalon).Enabled);
}

TEST(PID, PrimerTickConLosValoresPorDefecto) {
    Banco b;
    b.sim.ToolButton13Click();
    b.sim.Timer4Timer();
    const Simulacion& s = b.sim.Estado();
    EXPECT_EQ(Bits(s.Accion_Control), Bits(2.1f));
    EXPECT_EQ(s.Error_Ant, 1.0f);
    EXPECT_EQ(s.Integral, 0.25f);
    EXPECT_EQ(b.sim.Series1().Y(0), 0.0);
    EXPECT_EQ(b.sim.Series2().Y(0), static_cast<double>(2.1f));
    EXPECT_EQ(b.sim.Series3().Y(0), 1.0);
    EXPECT_EQ(b.sim.Timer(Corrida::PID).Tag, 1);
}

TEST(PID, LaLeyUsaLosTextosDeCadaTick) {
    // a derivative kick Kp Td 0.5 / T when the slider moves from 2 to 3 between two ticks
    auto accion = [](const char* td, int posicion2) {
        Banco b;
        b.textos.Poner("Td", td);
        b.sim.ToolButton13Click();
        b.sim.Timer4Timer();
        b.posicion.valor = posicion2;
        b.sim.Timer4Timer();
        return static_cast<double>(b.sim.Estado().Accion_Control);
    };
    const double sinMover = accion("1", 2), moviendo = accion("1", 3);
    const double sinMoverPI = accion("0", 2), moviendoPI = accion("0", 3);
    // Kp = 2, Td = 1, T = 0.5: the kick is 2 x 1 x 0.5 / 0.5 = 2 besides the proportional step 2 x 0.5
    EXPECT_NEAR((moviendo - sinMover) - (moviendoPI - sinMoverPI), 2.0, 1e-5);

    // Ti 5 -> 10 halves the integral term, the accumulated part included
    Banco b;
    b.sim.ToolButton13Click();
    for (int i = 0; i < 20; ++i) b.sim.Timer4Timer();
    const float integral = b.sim.Estado().Integral;
    const double errorAnterior = b.sim.Estado().Error_Ant;
    b.textos.Poner("Ti", "10");
    b.textos.Poner("Kp", "1");
    b.textos.Poner("Td", "0");
    b.sim.Timer4Timer();
    const Simulacion& s = b.sim.Estado();
    const double e = s.Error_Ant;
    const double I = (e + errorAnterior) * 0.25 + integral;  // trapezoid with the previous error
    EXPECT_NEAR(s.Accion_Control, I / 10 + e, 1e-6);
    EXPECT_GT(std::abs(I / 5 - I / 10), 1e-2);  // and 5 would have made a visible difference
}

// The PID law alone, without a simulator, against a PID written here in Doubles from its textbook form
// u = Kp (e + (1 / Ti) sum (e_k + e_k-1) T / 2 + Td (e - e_prev) / T), on levels of a first-order tank solved
// exactly between samples; the law keeps its memory in Singles, so the two agree to Single rounding.
TEST(PID, LaLeySinSimuladorEsElPIDDelLibro) {
    struct Caso {
        ParametrosPID p;
        double r;
    };
    const Caso casos[] = {
        {{0.5, 2, 5, 0}, 1},      // the default PI
        {{0.5, 2, 5, 1}, 1.5},    // with a derivative
        {{0.1, 0.8, 2, 0.3}, 3},  // a faster sample
        {{1, 5, 0.5, 0}, 0.5},    // an aggressive integral
    };
    for (const Caso& c : casos) {
        Simulacion memoria;
        const double a = std::exp(-c.p.T / 20), K = 2;  // the default tank, Tau = 20 s
        double y = 0, suma = 0, ePrevio = 0;
        for (int k = 0; k < 40; ++k) {
            const SalidaPID salida = CalcularPID(c.p, c.r, static_cast<float>(y), memoria);
            const double e = c.r - static_cast<float>(y);
            suma += (e + ePrevio) * c.p.T / 2;
            const double u = c.p.Kp * (e + suma / c.p.Ti + c.p.Td * (e - ePrevio) / c.p.T);
            ASSERT_NEAR(salida.accion, u, 1e-5 * std::max(1.0, std::abs(u))) << "Kp " << c.p.Kp << ", sample " << k;
            EXPECT_EQ(salida.error, e);
            memoria.Error_Ant = static_cast<float>(salida.error);
            memoria.Integral = static_cast<float>(salida.integral);
            ePrevio = memoria.Error_Ant;
            suma = memoria.Integral;
            y = a * y + K * (1 - a) * salida.accion;
        }
    }
    // the first sample by hand: e = 1, I = 0.25, D = 2, u = 2 ((0.25 / 5 + 1) + 2 x 0) = 2.1
    const SalidaPID primera = CalcularPID({0.5, 2, 5, 0}, 1, 0, Simulacion{});
    EXPECT_EQ(Bits(primera.accion), Bits(2.1f));
    EXPECT_EQ(primera.integral, 0.25);
    EXPECT_THROW(CalcularPID({0.5, 2, 0, 0}, 1, 0, Simulacion{}), ErrorPuntoFlotante);  // Ti = 0 divides by zero
}

TEST(PID, VentanaDe101MuestrasYPrimerBorradoEn101) {
    Banco b;
    b.sim.ToolButton13Click();
    for (int n = 0; n <= 100; ++n) b.sim.Timer4Timer();
    EXPECT_EQ(b.sim.Series1().Cuenta(), 101u);
    EXPECT_EQ(b.sim.Series3().X(0), 0.0);
    b.sim.Timer4Timer();
    EXPECT_EQ(b.sim.Series1().Cuenta(), 101u);
    EXPECT_EQ(b.sim.Series2().X(0), 1.0);
    for (int n = 102; n < 150; ++n) b.sim.Timer4Timer();
    for (const Serie* s : {&b.sim.Series1(), &b.sim.Series2(), &b.sim.Series3()}) {
        EXPECT_EQ(s->Cuenta(), 101u);
        EXPECT_EQ(s->X(0), 49.0);
        EXPECT_EQ(s->X(100), 149.0);
    }
}

TEST(PID, FallosDejanElEstadoDondeTerminan) {
    // a gain that does not convert: nothing moves, not even the plant
    Banco b;
    b.sim.ToolButton13Click();
    b.sim.Timer4Timer();
    const Simulacion antes = b.sim.Estado();
    b.textos.Poner("Kp", "2a");
    EXPECT_THROW(b.sim.Timer4Timer(), ErrorConversion);
    EXPECT_EQ(Bits(b.sim.Estado().Volumen), Bits(antes.Volumen));
    EXPECT_EQ(b.sim.Timer(Corrida::PID).Tag, 1);

    // Ti = 0: the plant step is done, the law divides by 0 and nothing after it happens
    b.textos.Poner("Kp", "2");
    b.textos.Poner("Ti", "0");
    try {
        b.sim.Timer4Timer();
        FAIL();
    } catch (const ErrorPuntoFlotante& e) {
        EXPECT_STREQ(e.what(), "Floating point division by zero");
    }
    EXPECT_NE(Bits(b.sim.Estado().Volumen), Bits(antes.Volumen));
    EXPECT_EQ(Bits(b.sim.Estado().Accion_Control), Bits(antes.Accion_Control));
    EXPECT_EQ(Bits(b.sim.Estado().Integral), Bits(antes.Integral));
    EXPECT_EQ(b.sim.Series1().Cuenta(), 1u);

    // T = 0 during the run: the derivative's 1 / T
    b.textos.Poner("Ti", "5");
    b.textos.Poner("T_Sample", "0");
    EXPECT_THROW(b.sim.Timer4Timer(), ErrorPuntoFlotante);
    EXPECT_EQ(b.sim.Timer(Corrida::PID).Tag, 1);
    EXPECT_TRUE(b.sim.Timer(Corrida::PID).Enabled);
}

TEST(Fuzzy, PrimerTickConLosValoresPorDefecto) {
    Banco b;
    b.sim.ToolButton11Click();
    b.sim.ToolButton10Click();
    b.sim.Timer5Timer();
    const Simulacion& s = b.sim.Estado();
    EXPECT_EQ(s.D_Error, 2.0f);
    EXPECT_NEAR(s.Salida_Fuzzy_Ant, 0.675, 1e-15);
    EXPECT_EQ(Bits(s.Accion_Control), Bits(0.50625f));
    EXPECT_EQ(Bits(s.Integral), Bits(0.16875f));
    EXPECT_EQ(s.Error_Ant, 1.0f);
    EXPECT_EQ(b.sim.Series1().Y(0), 0.0);
    EXPECT_EQ(b.sim.Series2().Y(0), static_cast<double>(s.Accion_Control));
    EXPECT_EQ(b.sim.Series3().Y(0), 1.0);
    EXPECT_EQ(b.sim.Timer(Corrida::Fuzzy).Tag, 1);
}

TEST(Fuzzy, ReferenciaCeroYGananciaCero) {
    Banco b;
    b.posicion.valor = 0;
    b.sim.ToolButton11Click();
    b.sim.ToolButton10Click();
    for (int i = 0; i < 5; ++i) b.sim.Timer5Timer();
    EXPECT_EQ(b.sim.Estado().Accion_Control, 0.0f);

    Banco c;
    c.textos.Poner("KU", "0");
    c.sim.ToolButton11Click();
    c.sim.ToolButton10Click();
    for (int i = 0; i < 5; ++i) c.sim.Timer5Timer();
    EXPECT_EQ(c.sim.Estado().Accion_Control, 0.0f);
    EXPECT_GT(c.sim.Estado().Integral, 0.0f);  // the integral still accumulates
}

TEST(Fuzzy, FallosDejanElEstadoDondeTerminan) {
    // every strength 0: the inference divides 0 by 0 after D_Error has been stored
    Banco b;
    b.textos.Poner("E_MP_Tipo", "0");  // no shoulder above: errors beyond 6.25 belong to no set
    b.textos.Poner("KE", "2");
    b.posicion.valor = 10;
    b.sim.ToolButton11Click();
    b.sim.ToolButton10Click();
    try {
        b.sim.Timer5Timer();
        FAIL();
    } catch (const ErrorPuntoFlotante& e) {
        EXPECT_STREQ(e.what(), "Invalid floating point operation");
    }
    EXPECT_EQ(b.sim.Estado().D_Error, 20.0f);
    EXPECT_EQ(b.sim.Estado().Error_Ant, 0.0f);
    EXPECT_EQ(b.sim.Series1().Cuenta(), 0u);
    EXPECT_EQ(b.sim.Timer(Corrida::Fuzzy).Tag, 0);

    // Ts = 0: the reciprocal fails before D_Error changes
    Banco c;
    c.sim.ToolButton11Click();
    c.sim.ToolButton10Click();
    c.sim.Timer5Timer();
    const float d = c.sim.Estado().D_Error;
    c.textos.Poner("T_Sample", "0");
    EXPECT_THROW(c.sim.Timer5Timer(), ErrorPuntoFlotante);
    EXPECT_EQ(Bits(c.sim.Estado().D_Error), Bits(d));
    // a gain that does not convert: the plant does not move
    c.textos.Poner("T_Sample", "500");
    c.textos.Poner("KDE", "uno");
    const float v = c.sim.Estado().Volumen;
    EXPECT_THROW(c.sim.Timer5Timer(), ErrorConversion);
    EXPECT_EQ(Bits(c.sim.Estado().Volumen), Bits(v));
}

TEST(Fuzzy, UnaInicializacionFallidaDuranteLaCorridaDetieneSusTicks) {
    // step and fuzzy runs; the step run's overflow, then a PID start and stop, enable the initialisation
    Banco b;
    b.EscalonQueDesbordaYFuzzy();
    b.sim.AtenderTick(Corrida::Escalon);
    b.sim.ToolButton13Click();
    b.sim.ToolButton13Click();
    ASSERT_TRUE(b.sim.Habilitado(Control::ToolButton11));
    ASSERT_TRUE(b.sim.Timer(Corrida::Fuzzy).Enabled);
    b.sim.Timer5Timer();
    const Simulacion antes = b.sim.Estado();
    const std::size_t puntos = b.sim.Series1().Cuenta();

    // the rule table is half read when a cell fails: no tick runs on such a controller
    b.textos.PonerCelda(2, 4, "dos");
    b.sim.Atender([&] { b.sim.ToolButton11Click(); });
    try {
        b.sim.Timer5Timer();
        FAIL();
    } catch (const ErrorTanque& e) {
        EXPECT_STREQ(e.what(), kFuzzySinInicializar);
    }
    EXPECT_EQ(Bits(b.sim.Estado().Volumen), Bits(antes.Volumen));
    EXPECT_EQ(b.sim.Series1().Cuenta(), puntos);
    EXPECT_TRUE(b.sim.Timer(Corrida::Fuzzy).Enabled);

    // a complete initialisation lets it go on
    b.textos.PonerCelda(2, 4, "2");
    b.sim.ToolButton11Click();
    b.sim.Timer5Timer();
    EXPECT_EQ(b.sim.Series1().Cuenta(), puntos + 1);
}
