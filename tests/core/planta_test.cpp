#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

#include "base/errores.h"
#include "core/planta/tanque.h"
#include "core/textos_mapa.h"

namespace {

TextosMapa TextosPlanta(const std::string& t, const std::string& r, const std::string& a, const std::string& h) {
    TextosMapa textos;
    textos.Poner("T_Sample", t);
    textos.Poner("Resistencia", r);
    textos.Poner("Area", a);
    textos.Poner("HMax", h);
    return textos;
}

Simulacion PlantaPorDefecto(float u) {
    Simulacion s;
    LeerParametrosPlanta(s, TextosPlanta("500", "2", "10", "5"));
    s.Accion_Control = u;
    return s;
}

// Singles are compared by their bits
::testing::AssertionResult MismosBits(float a, float b) {
    if (std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hexfloat << a << " != " << b;
}

}  // namespace

TEST(Planta, ParametrosPorDefecto) {
    Simulacion s;
    LeerParametrosPlanta(s, TextosPlanta("500", "2", "10", "5"));
    EXPECT_TRUE(MismosBits(s.T_Muestreo, 0.5f));
    EXPECT_TRUE(MismosBits(s.R_Hidraulica, 2.0f));
    EXPECT_TRUE(MismosBits(s.Tau, 20.0f));
    EXPECT_TRUE(MismosBits(s.Nivel_Max, 5.0f));
    // the product of the extended 0.001 and the integer, rounded once
    LeerParametrosPlanta(s, TextosPlanta("100", "2", "10", "5"));
    EXPECT_TRUE(MismosBits(s.T_Muestreo, 0.100000001f));
}

TEST(Planta, LecturaSeDetieneEnElCampoQueNoConvierte) {
    Simulacion s;
    LeerParametrosPlanta(s, TextosPlanta("500", "2", "10", "5"));
    // the resistance is stored before the area fails; the area and what follows keep their old values
    const TextosMapa mala = TextosPlanta("250", "4", "x", "9");
    EXPECT_THROW(LeerParametrosPlanta(s, mala), ErrorConversion);
    EXPECT_TRUE(MismosBits(s.T_Muestreo, 0.25f));
    EXPECT_TRUE(MismosBits(s.R_Hidraulica, 4.0f));
    EXPECT_TRUE(MismosBits(s.Tau, 20.0f));
    EXPECT_TRUE(MismosBits(s.Nivel_Max, 5.0f));
    // the sample time is an integer: a decimal part is a conversion error at the first field
    try {
        LeerParametrosPlanta(s, TextosPlanta("500.0", "2", "10", "5"));
        FAIL();
    } catch (const ErrorConversion& e) {
        EXPECT_STREQ(e.what(), "'500.0' is not a valid integer value");
    }
    // a finite text beyond the Single range overflows where it is stored
    EXPECT_THROW(LeerParametrosPlanta(s, TextosPlanta("500", "1e39", "10", "5")), ErrorPuntoFlotante);
}

TEST(Planta, PrimerPeriodoConLosValoresPorDefecto) {
    const Simulacion s = PlantaPorDefecto(2);
    const float v = RK(s, 0);
    EXPECT_TRUE(MismosBits(v, 0.987603545f));
    EXPECT_TRUE(MismosBits(CalcularNivel(s, v), 0.0987603515f));
    EXPECT_TRUE(MismosBits(RK(PlantaPorDefecto(0), 0), 0.0f));
}

TEST(Planta, NuncaDevuelveUnVolumenNegativo) {
    // the sub-steps go below 0, only the result is clamped
    EXPECT_TRUE(MismosBits(RK(PlantaPorDefecto(-5), 0.1f), 0.0f));
    EXPECT_TRUE(MismosBits(RK(PlantaPorDefecto(-2), 0.0f), 0.0f));
}

// With a very long time constant and a unit inflow each sub-step adds exactly h, so the volume after one
// period counts the sub-steps.
TEST(Planta, DiezUOnceSubpasosSegunLaSumaDeSingles) {
    int diez = 0, once = 0;
    for (int ms = 1; ms <= 5000; ++ms) {
        Simulacion s;
        LeerParametrosPlanta(s, TextosPlanta(std::to_string(ms), "1", "1e30", "5"));
        s.Accion_Control = 1;
        const float h = static_cast<float>(static_cast<long double>(s.T_Muestreo) / 10);
        const long pasos = std::lround(RK(s, 0) / h);
        ASSERT_TRUE(pasos == 10 || pasos == 11) << ms;
        (pasos == 10 ? diez : once)++;
        if (ms == 300 || ms == 5000 || ms == 100 || ms == 750) {
            EXPECT_EQ(pasos, 11) << ms;
        }
        if (ms == 500 || ms == 250 || ms == 1000 || ms == 2000) {
            EXPECT_EQ(pasos, 10) << ms;
        }
    }
    EXPECT_EQ(diez, 1410);
    EXPECT_EQ(once, 3590);
}

// The sub-steps that the identification reads the samples' time from, against RK itself: with a unit inflow
// and a very long time constant one period's volume is the time RK integrated, to Single rounding.
TEST(Planta, SubpasosYTiempoPorMuestraSonLosDeRK) {
    for (int ms = -3; ms <= 5000; ++ms) {
        Simulacion s;
        LeerParametrosPlanta(s, TextosPlanta(std::to_string(ms), "1", "1e30", "5"));
        s.Accion_Control = 1;
        const float h = static_cast<float>(static_cast<long double>(s.T_Muestreo) / 10);
        const double integrado = RK(s, 0);
        if (ms <= 0) {
            // RK clamps the volume at 0; a period of 0 takes no sub-step, a negative one a single one
            EXPECT_EQ(SubpasosRK(s.T_Muestreo), ms == 0 ? 0 : 1) << ms;
            continue;
        }
        ASSERT_EQ(SubpasosRK(s.T_Muestreo), std::lround(integrado / h)) << ms;
        EXPECT_EQ(TiempoPorMuestra(s.T_Muestreo), SubpasosRK(s.T_Muestreo) * static_cast<double>(h)) << ms;
        EXPECT_NEAR(TiempoPorMuestra(s.T_Muestreo), integrado, 1e-6 * integrado) << ms;
    }
    // the two periods of the identification's tests: 100 ms integrates 0.11 s a sample, 500 ms 0.5 s
    EXPECT_NEAR(TiempoPorMuestra(0.1f), 0.11, 1e-8);
    EXPECT_EQ(TiempoPorMuestra(0.5f), 10 * static_cast<double>(0.05f));
    EXPECT_EQ(TiempoPorMuestra(0.0f), 0.0);
}

TEST(Planta, PeriodoCeroNoAvanzaYNegativoDaUnSoloSubpaso) {
    Simulacion s;
    LeerParametrosPlanta(s, TextosPlanta("0", "2", "10", "5"));
    s.Accion_Control = 2;
    EXPECT_TRUE(MismosBits(RK(s, 1.5f), 1.5f));
    // backwards by one sub-step of -0.05 s: dV/dt = -V / 20 gives about V e^(0.05/20), not e^(0.5/20)
    LeerParametrosPlanta(s, TextosPlanta("-500", "2", "10", "5"));
    s.Accion_Control = 0;
    EXPECT_NEAR(RK(s, 1.0f), std::exp(0.05 / 20), 1e-6);
}

TEST(Planta, AreaCeroDivideEntreCero) {
    Simulacion s;
    LeerParametrosPlanta(s, TextosPlanta("500", "2", "0", "5"));
    try {
        RK(s, 0);
        FAIL();
    } catch (const ErrorPuntoFlotante& e) {
        EXPECT_STREQ(e.what(), "Floating point division by zero");
    }
}

// Against the exact solution of dV/dt = u - V / Tau from an empty tank: V(t) = u Tau (1 - e^(-t/Tau)).
TEST(Planta, ConcuerdaConLaSolucionExactaConElErrorDeRK4) {
    auto error_de_un_periodo = [](const std::string& ms, double* cota) {
        Simulacion s;
        LeerParametrosPlanta(s, TextosPlanta(ms, "1", "1", "5"));  // Tau = 1 s
        s.Accion_Control = 1;
        const float v = RK(s, 0);
        const float h = static_cast<float>(static_cast<long double>(s.T_Muestreo) / 10);
        // the period integrated: the sub-steps go on while the Single clock has not passed T
        int pasos = 0;
        for (float reloj = 0; s.T_Muestreo >= reloj; ++pasos)
            reloj = static_cast<float>(reloj + static_cast<double>(h));
        const double t = pasos * static_cast<double>(h);
        // RK4's local error on this equation is about h^5 / 120 of the distance to equilibrium per
        // sub-step, carried forward with the decay: after n sub-steps about n e^(h - t) h^5 / 120
        *cota = 2 * std::pow(h, 5) / 120 + 1e-6 * std::exp(t) / pasos;  // plus Single rounding
        const double error = std::abs(v - (1 - std::exp(-t)));
        return error * std::exp(t) / pasos;  // the error per sub-step, without the decay
    };
    double cota4 = 0, cota2 = 0;
    const double e4 = error_de_un_periodo("4000", &cota4);
    const double e2 = error_de_un_periodo("2000", &cota2);
    EXPECT_LT(e4, cota4);
    EXPECT_LT(e2, cota2);
    // fifth order per sub-step: halving the step shrinks the error about 32-fold
    EXPECT_GT(e4 / e2, 20.0);
    EXPECT_LT(e4 / e2, 45.0);

    // over many periods the level approaches u R and never passes it
    Simulacion s = PlantaPorDefecto(2);
    float v = 0;
    for (int k = 0; k < 400; ++k) {
        v = RK(s, v);
        const double t = (k + 1) * 10 * static_cast<double>(0.0500000007f);
        EXPECT_NEAR(CalcularNivel(s, v), 4 * (1 - std::exp(-t / 20)), 2e-5)
            << k;  // Single rounding over 4000 sub-steps
        EXPECT_LE(CalcularNivel(s, v), 4.0f);
    }
}
