// The plants beyond the linear tank against oracles of their own: the orifice's steady state (u / k)^2, the
// balance of volumes, RK4's order against Boost.Odeint's Dormand-Prince, the linear cascade's analytic step
// response, and the moment the upper tank starts to spill.

#include <gtest/gtest.h>

#include <boost/numeric/odeint.hpp>
#include <nlohmann/json.hpp>
#include <unsupported/Eigen/MatrixFunctions>

#include <array>
#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/errores.h"
#include "core/planta/tanque.h"
#include "core/planta/tanques.h"
#include "core/planta/verdad.h"
#include "core/textos_por_defecto.h"

namespace {

TextosMapa Con(std::initializer_list<std::pair<const char*, const char*>> cambios) {
    TextosMapa t = TextosIniciales('.');
    for (const auto& [n, v] : cambios) t.Poner(n, v);
    return t;
}

// A run of the plant alone, as the tick steps it: read at the press, emptied, then stepped and stored.
struct Corrida {
    explicit Corrida(const TextosMapa& t) : planta(PlantaDe(t)) {
        planta.LeerParametros(s, t);
        planta.Vaciar(s);
    }
    void Paso(float u) {
        s.Accion_Control = u;
        planta.Guardar(planta.Paso(s), s);
    }
    const Planta& planta;
    Simulacion s;
};

}  // namespace

TEST(Tanques, LosTextosPorDefectoEligenElTanqueDelPrograma) {
    EXPECT_EQ(&PlantaDe(TextosIniciales('.')), &TanqueLineal());
    // texts made before the models existed, and the choices in another case or with blanks
    TextosMapa viejos;
    EXPECT_EQ(&PlantaDe(viejos), &TanqueLineal());
    EXPECT_EQ(&PlantaDe(Con({{"Modelo_Planta", " orificio "}})), &TanqueOrificio(false));
    EXPECT_EQ(&PlantaDe(Con({{"Modelo_Planta", "DOS TANQUES"}, {"Integrador", "exacto"}})), &DosTanques(false, true));
    EXPECT_EQ(&PlantaDe(Con({{"Modelo_Planta", "Dos Tanques"}, {"Salida_Tanques", "Orificio"}})),
              &DosTanques(true, false));
    EXPECT_EQ(&PlantaDe(Con({{"Integrador", "Exacto"}})), &TanqueLinealExacto());
    try {
        PlantaDe(Con({{"Modelo_Planta", "Tres"}}));
        FAIL() << "an unknown model was taken";
    } catch (const ErrorTanque& e) {
        EXPECT_EQ(e.Campo(), "Modelo_Planta");
        EXPECT_NE(std::string(e.what()).find("Dos Tanques"), std::string::npos) << e.what();
    }
}

// The original tank after two tanks: none of their constants or state is left behind.
TEST(Tanques, ElTanqueDelProgramaOlvidaLosDosTanques) {
    Corrida dos(Con({{"Modelo_Planta", "Dos Tanques"}}));
    for (int n = 0; n < 10; ++n) dos.Paso(2.0f);
    ASSERT_GT(dos.s.Nivel_2, 0);
    TanqueLineal().LeerParametros(dos.s, TextosIniciales('.'));
    TanqueLineal().Vaciar(dos.s);
    EXPECT_EQ(dos.s.tanques.tanques, 0);
    EXPECT_EQ(dos.s.Nivel_2, 0.0);
    EXPECT_EQ(dos.s.Derramado, 0.0);
}

TEST(Tanques, ElRelojExactoCubreElPeriodoSinResto) {
    for (const char* ms : {"100", "300", "500", "750", "4000", "5000"}) {
        Corrida c(Con({{"T_Sample", ms}, {"Integrador", "Exacto"}}));
        const Subpasos p = SubpasosDe(true, c.s.T_Muestreo);
        double t = 0;
        for (int i = 0; i < p.n; ++i) t += p.h;
        EXPECT_EQ(t, static_cast<double>(c.s.T_Muestreo)) << ms;
        EXPECT_EQ(c.planta.Reloj(c.s.T_Muestreo).tiempoMuestra, static_cast<double>(c.s.T_Muestreo)) << ms;
        // the program's clock on the same plants: 10 or 11 sub-steps of S(T / 10), as the linear tank's
        EXPECT_EQ(SubpasosDe(false, c.s.T_Muestreo).n, SubpasosRK(c.s.T_Muestreo)) << ms;
    }
}

// A A dh/dt = u - k sqrt(h) settles where k sqrt(h) = u.
TEST(Tanques, ElOrificioSeAsientaEnUSobreKAlCuadrado) {
    struct Caso {
        const char *k, *area;
        float u;
    };
    for (const Caso& c : {Caso{"1.58113883", "10", 2.0f}, Caso{"0.5", "2", 1.0f}, Caso{"2", "5", 3.0f}}) {
        for (const char* integrador : {"Programa", "Exacto"}) {
            Corrida r(Con({{"Modelo_Planta", "Orificio"},
                           {"Coef_Descarga", c.k},
                           {"Area", c.area},
                           {"HMax", "100"},
                           {"Integrador", integrador}}));
            for (int n = 0; n < 4000; ++n) r.Paso(c.u);
            const double esperado = std::pow(c.u / std::stod(c.k), 2);
            EXPECT_NEAR(r.s.Nivel_1, esperado, 1e-9 * esperado) << c.k << " " << integrador;
        }
    }
}

// What went in, less what went out and what spilled, is what the two tanks hold: A1 h1 + A2 h2.
TEST(Tanques, ElBalanceDeVolumenesCierraEnUnaCorridaLarga) {
    for (const char* salida : {"Lineal", "Orificio"}) {
        for (const char* integrador : {"Programa", "Exacto"}) {
            Corrida r(Con({{"Modelo_Planta", "Dos Tanques"},
                           {"Salida_Tanques", salida},
                           {"Integrador", integrador},
                           {"T_Sample", "4000"},
                           {"Area", "10"},
                           {"Area_2", "7"},
                           {"HMax", "1000"},
                           {"HMax_2", "3"}}));
            const double tiempo = r.planta.Reloj(r.s.T_Muestreo).tiempoMuestra;
            std::mt19937 azar(7);
            std::uniform_real_distribution<float> nivel(0.0f, 4.0f);
            double entrado = 0;
            float u = 0;
            for (int n = 0; n < 20000; ++n) {
                if (n % 25 == 0) u = nivel(azar);  // a random level held for 25 samples
                r.Paso(u);
                entrado += static_cast<double>(u) * tiempo;
            }
            const double dentro = 10 * r.s.Nivel_1 + 7 * r.s.Nivel_2;
            EXPECT_GT(r.s.Derramado, 0.01 * entrado) << salida << " " << integrador << ": it never spilled";
            EXPECT_NEAR(entrado - r.s.Salido - r.s.Derramado, dentro, 1e-11 * entrado) << salida << " " << integrador;
        }
    }
}

// RK4 is of order 4: each halving of h divides the error at a fixed time by about 2^4, as Boost.Odeint's tests of
// its steppers check. The reference is Odeint's adaptive Dormand-Prince at a tolerance far below RK4's errors.
TEST(Tanques, RK4EsDeOrdenCuatroEnLaPlantaNoLineal) {
    ConstantesTanques c;
    c.tanques = 2;
    c.orificio = true;
    c.exacto = true;
    c.Area_1 = 10, c.K_1 = 1.58113883, c.Area_2 = 4, c.K_2 = 1.2, c.HMax_2 = 1e9;
    const double u = 2.5, t = 40;
    using Estado = std::array<double, 2>;
    Estado x{2.0, 3.0};
    auto f = [&](const Estado& h, Estado& d, double) {
        const double q2 = c.K_2 * std::sqrt(h[1]), q1 = c.K_1 * std::sqrt(h[0]);
        d = {(q2 - q1) / c.Area_1, (u - q2) / c.Area_2};
    };
    namespace ode = boost::numeric::odeint;
    ode::integrate_adaptive(ode::make_controlled(1e-14, 1e-14, ode::runge_kutta_dopri5<Estado>()), f, x, 0.0, t, 1e-3);
    std::vector<double> errores;
    for (int n = 20; n <= 320; n *= 2) {
        const EstadoTanques e = AvanzarTanques(c, {2.0, 3.0, 0, 0}, u, t / n, n);
        errores.push_back(std::hypot(e.h1 - x[0], e.h2 - x[1]));
    }
    for (std::size_t i = 1; i < errores.size(); ++i) {
        const double razon = errores[i - 1] / errores[i];
        EXPECT_GT(razon, 13) << "h = " << t / (20 << i);
        EXPECT_LT(razon, 19) << "h = " << t / (20 << i);
    }
    EXPECT_GT(errores.back(), 1e-12) << "the reference is not far enough below RK4's error";
}

// Two linear tanks in cascade from empty under a step u: y(t) = K u (1 - (T1 e^(-t/T1) - T2 e^(-t/T2)) / (T1 - T2)),
// K = R1, T1 = A1 R1, T2 = A2 R2; one linear tank, y(t) = R u (1 - e^(-t/Tau)).
TEST(Tanques, LaCascadaLinealSigueSuRespuestaAlEscalonAnalitica) {
    const double u = 1.5;
    Corrida dos(Con({{"Modelo_Planta", "Dos Tanques"},
                     {"Integrador", "Exacto"},
                     {"Area", "10"},
                     {"Resistencia", "2"},
                     {"Area_2", "5"},
                     {"Resistencia_2", "1"},
                     {"HMax_2", "100"}}));
    Corrida uno(Con({{"Integrador", "Exacto"}}));
    const double T = dos.s.T_Muestreo, T1 = 20, T2 = 5, K = 2;
    double peor2 = 0, peor1 = 0;
    for (int n = 1; n <= 600; ++n) {
        dos.Paso(static_cast<float>(u));
        uno.Paso(static_cast<float>(u));
        const double t = n * T;
        const double y2 = K * u * (1 - (T1 * std::exp(-t / T1) - T2 * std::exp(-t / T2)) / (T1 - T2));
        const double y1 = K * u * (1 - std::exp(-t / T1));
        peor2 = std::max(peor2, std::abs(dos.s.Nivel_1 - y2));
        peor1 = std::max(peor1, std::abs(uno.s.Nivel_1 - y1));
    }
    EXPECT_LT(peor2, 1e-9);
    EXPECT_LT(peor1, 1e-9);
    EXPECT_NEAR(dos.s.Nivel_2, u * 1, 1e-9);  // the upper tank settles at u R2
}

// Under a constant u with u R2 = 2 HMax_2 the upper tank reaches its rim at t* = T2 ln 2: no spill before the
// sample that holds t*, some at its end and at every sample after; the lower tank then settles at R1 HMax_2 / R2.
TEST(Tanques, ElDerrameEmpiezaJustoSobreHMax2) {
    const auto textos = [](const char* hmax2) {
        return Con({{"Modelo_Planta", "Dos Tanques"},
                    {"Integrador", "Exacto"},
                    {"Area_2", "5"},
                    {"Resistencia_2", "1"},
                    {"HMax_2", hmax2},
                    {"HMax", "100"}});
    };
    Corrida r(textos("1.5"));
    const double T = r.s.T_Muestreo, tEstrella = 5 * std::log(2.0);
    const int muestra = static_cast<int>(std::ceil(tEstrella / T));  // the sample whose interval holds t*
    for (int n = 1; n <= 1000; ++n) {
        r.Paso(3.0f);
        ASSERT_LE(r.s.Nivel_2, 1.5) << n;
        if (n < muestra) {
            ASSERT_EQ(r.s.Derramado, 0.0) << n;
        } else {
            ASSERT_GT(r.s.Derramado, 0.0) << n;
        }
    }
    EXPECT_NEAR(r.s.Nivel_1, 2 * 1.5 / 1, 1e-6);
    // a rim just above the level that u settles at: not a drop, ever
    Corrida justo(textos("3.003"));
    for (int n = 0; n < 4000; ++n) justo.Paso(3.0f);
    EXPECT_EQ(justo.s.Derramado, 0.0);
    EXPECT_NEAR(justo.s.Nivel_2, 3, 1e-9);
}

// The description's discrete model of the linear tank is what its integrator does: one sample of RK from
// y(n-1) lands on a y(n-1) + b u to the Singles' rounding, with 10 sub-steps (500 ms) and with 11 (300 ms); the
// Tau the samples show is Tau T / (m h), as a record read with the period T shows it.
TEST(Tanques, ElModeloDiscretoDelTanqueLinealEsElDeSuIntegrador) {
    for (const char* ms : {"500", "300"}) {
        Corrida r(Con({{"T_Sample", ms}}));
        const RelojPlanta reloj = r.planta.Reloj(r.s.T_Muestreo);
        const DiscretoPrimerOrden d = DiscretoDe(2, 20, reloj, r.s.T_Muestreo);
        float x = 5;
        r.s.Accion_Control = 1.25f;
        for (int n = 0; n < 50; ++n) {
            const float y = CalcularNivel(r.s, x);
            x = RK(r.s, x);
            const double esperado = d.a * y + d.b * 1.25;
            ASSERT_NEAR(CalcularNivel(r.s, x), esperado, 4e-7 * esperado) << ms << " " << n;
        }
        const double tauMuestras = 20.0 * r.s.T_Muestreo / reloj.tiempoMuestra;
        EXPECT_NEAR(d.tauEfectivo, tauMuestras, 1e-9 * tauMuestras) << ms;
        EXPECT_NEAR(d.a, d.aContinuo, 1e-12) << ms;
    }
    // the 11 sub-steps show a Tau a tenth shorter than the tank's
    Corrida r(Con({{"T_Sample", "300"}}));
    EXPECT_NEAR(DiscretoDe(2, 20, r.planta.Reloj(r.s.T_Muestreo), r.s.T_Muestreo).tauEfectivo, 20 / 1.1, 1e-5);
}

// The truth in the description: the orifice's linearisation at the mean level h0 is K = 2 sqrt(h0) / k, Tau = A K;
// at half of the default HMax the default k gives Resistencia's default 2; the two tanks' gain and constants.
TEST(Tanques, LaVerdadLinealizaEnElPuntoDeOperacion) {
    Corrida r(Con({{"Modelo_Planta", "Orificio"}}));
    const RelojPlanta reloj = r.planta.Reloj(r.s.T_Muestreo);
    const std::string mitad = VerdadEnTexto(VerdadEnJson(r.s, reloj, std::nullopt));
    EXPECT_NE(mitad.find("K = 2, Tau = 20 s"), std::string::npos) << mitad;
    const std::string en4 = VerdadEnTexto(VerdadEnJson(r.s, reloj, 4.0));
    const double K = 2 * 2 / 1.58113883;
    char esperado[80];
    std::snprintf(esperado, sizeof esperado, "K = %.6g, Tau = %.6g s", K, 10 * K);
    EXPECT_NE(en4.find(esperado), std::string::npos) << en4;

    Corrida dos(Con({{"Modelo_Planta", "Dos Tanques"}, {"Area_2", "5"}, {"Resistencia_2", "1"}}));
    const std::string t = VerdadEnTexto(VerdadEnJson(dos.s, dos.planta.Reloj(dos.s.T_Muestreo), 1.0));
    EXPECT_NE(t.find("K = 2, T1 = 20 s, T2 = 5 s"), std::string::npos) << t;
    EXPECT_NE(t.find("derrama"), std::string::npos) << t;
}

// The two tanks' discrete model at the record's sample against the matrix exponential (Eigen's MatrixFunctions)
// of the state space z' = (K u - z) / T2, y' = (z - y) / T1, with the input held: exp([A B; 0 0] Ts) gives Ad and
// Bd, whose transfer C (zI - Ad)^-1 Bd has the denominator z^2 - tr(Ad) z + det(Ad); distinct, equal and far
// apart constants, and the one the description writes.
TEST(Tanques, ElDiscretoDeSegundoOrdenEsLaRetencionExacta) {
    auto oraculo = [](double K, double T1, double T2, double Ts) {
        Eigen::Matrix3d M = Eigen::Matrix3d::Zero();
        M(0, 0) = -1 / T1;
        M(0, 1) = 1 / T1;
        M(1, 1) = -1 / T2;
        M(1, 2) = K / T2;
        const Eigen::Matrix3d E = (M * Ts).exp();
        // a1, a2, b1, b2 of y(n) = -a1 y(n-1) - a2 y(n-2) + b1 u(n) + b2 u(n-1)
        return std::array<double, 4>{-(E(0, 0) + E(1, 1)), E(0, 0) * E(1, 1) - E(0, 1) * E(1, 0), E(0, 2),
                                     E(0, 1) * E(1, 2) - E(1, 1) * E(0, 2)};
    };
    const struct {
        double K, T1, T2, Ts;
    } casos[] = {{2, 20, 5, 0.5}, {2, 20, 20, 0.55}, {1.3, 7, 0.3, 4}, {0.8, 3, 60, 4}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.T2);
        const DiscretoSegundoOrden d = DiscretoSegundoOrdenDe(c.K, c.T1, c.T2, c.Ts);
        const std::array<double, 4> o = oraculo(c.K, c.T1, c.T2, c.Ts);
        EXPECT_NEAR(d.a1, o[0], 1e-12);
        EXPECT_NEAR(d.a2, o[1], 1e-12);
        EXPECT_NEAR(d.b1, o[2], 1e-12 * c.K);
        EXPECT_NEAR(d.b2, o[3], 1e-12 * c.K);
        // the static gain: (b1 + b2) / (1 + a1 + a2) = K
        EXPECT_NEAR((o[2] + o[3]) / (1 + o[0] + o[1]), c.K, 1e-9);
    }
    // in the description, at the time that the Programa clock simulates a sample of 100 ms (11 sub-steps)
    Corrida dos(Con({{"Modelo_Planta", "Dos Tanques"}, {"Area_2", "5"}, {"Resistencia_2", "1"}, {"T_Sample", "100"}}));
    const RelojPlanta reloj = dos.planta.Reloj(dos.s.T_Muestreo);
    const nlohmann::json v = nlohmann::json::parse(VerdadEnJson(dos.s, reloj, 1.0));
    const nlohmann::json& d = v.at("modelo").at("discreto");
    const std::array<double, 4> o = oraculo(2, 20, 5, reloj.tiempoMuestra);
    EXPECT_NEAR(d.at("a1").get<double>(), o[0], 1e-12);
    EXPECT_NEAR(d.at("a2").get<double>(), o[1], 1e-12);
    EXPECT_NEAR(d.at("b1").get<double>(), o[2], 1e-12);
    EXPECT_NEAR(d.at("b2").get<double>(), o[3], 1e-12);
    EXPECT_NE(VerdadEnTexto(v.dump()).find("discreto: y(n) = -a1 y(n-1)"), std::string::npos);
}
