// The load disturbance and the sensor against the analytic responses of the linear tank and of a discrete lag.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/planta/perturbacion.h"
#include "core/planta/sensor.h"
#include "core/planta/tanque.h"
#include "tests/core/banco.h"

namespace {

// The levels (as measured) of `muestras` samples of the step run with the texts of `b`.
std::vector<float> Escalon(Banco& b, int muestras) {
    std::vector<float> y;
    b.sim.ToolButton4Click();
    for (int k = 0; k < muestras; ++k) {
        b.sim.Timer1Timer();
        y.push_back(b.sim.UltimaMuestra().nivel);
    }
    return y;
}

constexpr double kT = 0.5, kTau = 20, kR = 2;  // the default tank and sample period

// The time that the program's clock integrates a sample (its sub-steps of T / 10 need not add up to T).
double Te() { return TanqueLineal().Reloj(static_cast<float>(kT)).tiempoMuestra; }

}  // namespace

TEST(Perturbacion, LeeSusTextosConElPrefijoYSuSemilla) {
    TextosMapa t = TextosIniciales('.');
    EXPECT_FALSE(LeerPerturbacion(t));  // "Ninguna" by default
    t.Poner("Perturbacion_Tipo", "PRBS");
    t.Poner("Perturbacion_Semilla", "7");
    t.Poner("Senal_Semilla", "99");  // the excitation's seed is not the disturbance's
    const std::optional<ParametrosPerturbacion> p = LeerPerturbacion(t);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->senal.tipo, TipoSenal::PRBS);
    EXPECT_EQ(p->senal.semilla, 7u);
    EXPECT_EQ(p->senal.minimo, 0.0);
    EXPECT_EQ(p->senal.maximo, 0.5);
    t.Poner("Perturbacion_Minimo", "1");
    t.Poner("Perturbacion_Maximo", "0");
    try {
        LeerPerturbacion(t);
        ADD_FAILURE() << "levels upside down are read";
    } catch (const ErrorTanque& e) {
        EXPECT_STREQ(e.what(), kMensajeNiveles);
    }
    t.Poner("Perturbacion_Maximo", "x");
    try {
        LeerPerturbacion(t);
        ADD_FAILURE();
    } catch (const ErrorConversion& e) {
        EXPECT_EQ(e.Campo(), "Perturbacion_Maximo");  // named as its own text, not as the signal's
    }
    t.Poner("Perturbacion_Maximo", "2");
    t.Poner("Perturbacion_Inicio", "-1");
    EXPECT_THROW(LeerPerturbacion(t), ErrorTanque);
}

TEST(Perturbacion, SuEscalonEnElTanqueLinealEsLaRespuestaAnalitica) {
    // an outlet that demands q from sample n0: the level falls by R q (1 - exp(-k T / Tau)) after k periods
    const double q = 0.5;
    const int n0 = 40, muestras = 160;
    Banco libre, perturbado;
    perturbado.textos.Poner("Perturbacion_Tipo", "Escalón");
    perturbado.textos.Poner("Perturbacion_Maximo", "0.5");
    perturbado.textos.Poner("Perturbacion_Inicio", "40");
    const std::vector<float> y0 = Escalon(libre, muestras);
    const std::vector<float> y1 = Escalon(perturbado, muestras);
    for (int n = 0; n < muestras; ++n) {
        const double k = n - n0 + 1;  // the demand of sample n flows during the period that ends at it
        const double esperado = n < n0 ? 0.0 : -kR * q * (1 - std::exp(-k * Te() / kTau));
        ASSERT_NEAR(y1[n] - y0[n], esperado, 2e-5) << "muestra " << n;
    }
    EXPECT_EQ(perturbado.sim.UltimaPerturbacion(), q);
}

TEST(Perturbacion, ElPIDLaRechaza) {
    // the PI's integral brings the level back to the reference under a constant demand: no steady error
    Banco b;
    b.posicion.valor = 4;  // reference 2
    b.textos.Poner("Perturbacion_Tipo", "Escalón");
    b.textos.Poner("Perturbacion_Maximo", "0.4");
    b.textos.Poner("Perturbacion_Inicio", "200");
    b.sim.ToolButton13Click();
    for (int k = 0; k < 200; ++k) b.sim.Timer4Timer();
    const float antes = b.sim.UltimaMuestra().accion;
    for (int k = 0; k < 400; ++k) b.sim.Timer4Timer();
    EXPECT_NEAR(b.sim.UltimaMuestra().nivel, 2.0, 1e-3);
    // the pump gives the demand besides what it gave before
    EXPECT_NEAR(b.sim.UltimaMuestra().accion - antes, 0.4, 1e-3);
}

TEST(Sensor, LeeYRechazaSusTextos) {
    TextosMapa t = TextosIniciales('.');
    EXPECT_FALSE(LeerSensor(t).Activo());
    struct Caso {
        const char* nombre;
        const char* texto;
        const char* mensaje;
    };
    for (const Caso& c : {Caso{kSensorRetardo, "-1", kRetardoFuera}, Caso{kSensorRetardo, "10001", kRetardoFuera},
                          Caso{kSensorConstante, "-0.5", kConstanteNegativa},
                          Caso{kSensorResolucion, "-1e-3", kResolucionNegativa}}) {
        TextosMapa m = TextosIniciales('.');
        m.Poner(c.nombre, c.texto);
        try {
            LeerSensor(m);
            ADD_FAILURE() << c.nombre << " = " << c.texto;
        } catch (const ErrorTanque& e) {
            EXPECT_STREQ(e.what(), c.mensaje);
            EXPECT_EQ(e.Campo(), c.nombre);
        }
    }
}

TEST(Sensor, UnRetardoDeDMuestrasDesplazaLaMedidaDMuestras) {
    for (int d : {1, 3, 17}) {
        Banco perfecto, retrasado;
        retrasado.textos.Poner(kSensorRetardo, std::to_string(d));
        const std::vector<float> y = Escalon(perfecto, 80);
        const std::vector<float> m = Escalon(retrasado, 80);
        for (int n = 0; n < 80; ++n)
            ASSERT_EQ(Bits(m[n]), Bits(n < d ? 0.0f : y[n - d])) << "d " << d << ", muestra " << n;
        // the plant goes on with the true level
        EXPECT_EQ(Bits(retrasado.sim.Estado().Volumen), Bits(perfecto.sim.Estado().Volumen));
    }
}

TEST(Sensor, ElRetrasoDePrimerOrdenComoElAnalitico) {
    // the true level of the step u = 2: y_k = K u (1 - p^(k+1)), p = exp(-T / Tau); through the lag
    // z_n = (1 - a) sum a^(n-k) y_k, a = exp(-T / Tc), whose closed form is
    // K u [(1 - a^(n+1)) - (1 - a) p (a^(n+1) - p^(n+1)) / (a - p)]
    const double Tc = 3, a = std::exp(-kT / Tc), p = std::exp(-Te() / kTau), Ku = kR * 2;
    Banco b;
    b.textos.Poner(kSensorConstante, "3");
    const std::vector<float> m = Escalon(b, 120);
    for (int n = 0; n < 120; ++n) {
        const double z =
            Ku * ((1 - std::pow(a, n + 1)) - (1 - a) * p * (std::pow(a, n + 1) - std::pow(p, n + 1)) / (a - p));
        ASSERT_NEAR(m[n], z, 2e-5) << "muestra " << n;
    }
}

TEST(Sensor, LaResolucionCuantizaLaMedida) {
    Banco perfecto, cuantizado;
    cuantizado.textos.Poner(kSensorResolucion, "0.25");
    const std::vector<float> y = Escalon(perfecto, 100);
    const std::vector<float> m = Escalon(cuantizado, 100);
    for (int n = 0; n < 100; ++n) {
        EXPECT_EQ(std::fmod(m[n], 0.25f), 0.0f) << n;
        EXPECT_LE(std::abs(m[n] - y[n]), 0.125f) << n;
        EXPECT_EQ(m[n], std::round(y[n] * 4) / 4) << n;
    }
}
