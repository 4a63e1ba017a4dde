// The pump's limits and the PID that knows them: each against a model written here, not the law's own code.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/corridas/pid.h"
#include "core/planta/bomba.h"
#include "core/planta/tanque.h"
#include "tests/core/banco.h"

namespace {

// A PID as the textbooks write it (Åström and Hägglund, Feedback Systems §10.5): its state is the integral term
// itself, P = Kp (b r - y), D by backward Euler with the filter Tf = Td / N, the integral term by the trapezoid
// before the output, then clamped (undone) or tracked (back-calculation) once the output is saturated.
struct PIDLibro {
    double Kp, Ti, Td, T;
    std::optional<double> N = std::nullopt;
    bool medicion = false;
    double b = 1;
    Antisaturacion modo = Antisaturacion::Ninguna;
    double Tt = 1;
    std::optional<double> umin = std::nullopt, umax = std::nullopt;

    double integral = 0, derivada = 0, eAnt = 0, xAnt = 0;

    double Sat(double v) const {
        if (umax && v > *umax) return *umax;
        if (umin && v < *umin) return *umin;
        return v;
    }
    // returns the computed action v; the pump gives Sat(v)
    double Paso(double r, double y) {
        const double e = r - y;
        const double x = medicion ? -y : e;
        const double previa = integral;
        integral += Kp * T / Ti * (e + eAnt) / 2;
        const double Tf = N ? Td / *N : 0;
        derivada = Tf / (Tf + T) * derivada + Kp * Td / (Tf + T) * (x - xAnt);
        const double P = Kp * (b * r - y);
        double v = P + integral + derivada;
        const double u = Sat(v);
        if (modo == Antisaturacion::Condicional && u != v && (v - u) * e > 0) {
            integral = previa;
            v = P + integral + derivada;
        } else if (modo == Antisaturacion::Retrocalculo) {
            integral += T / Tt * (u - v);
        }
        eAnt = e;
        xAnt = x;
        return v;
    }
};

// The tank of the default texts as the exact discrete first order: Tau = A R = 20 s, K = R = 2, over the time
// `T` that a sample integrates.
double Tanque(double y, double u, double T) {
    const double a = std::exp(-T / 20);
    return a * y + 2 * (1 - a) * u;
}

LimitesBomba Limites(std::optional<float> min, std::optional<float> max) {
    LimitesBomba l;
    l.conMinimo = min.has_value();
    l.conMaximo = max.has_value();
    l.minimo = min.value_or(0);
    l.maximo = max.value_or(0);
    return l;
}

}  // namespace

TEST(Bomba, LeeSusLimitesYLimita) {
    TextosMapa t = TextosIniciales('.');
    EXPECT_FALSE(LeerLimitesBomba(t).Activos());  // the default: no limit
    t.Poner(kCaudalMax, " 1.5 ");
    const LimitesBomba solo = LeerLimitesBomba(t);
    EXPECT_TRUE(solo.conMaximo);
    EXPECT_FALSE(solo.conMinimo);
    EXPECT_EQ(Limitar(solo, 2.0f), 1.5f);
    EXPECT_EQ(Limitar(solo, -7.0f), -7.0f);
    t.Poner(kCaudalMin, "0");
    const LimitesBomba ambos = LeerLimitesBomba(t);
    EXPECT_EQ(Limitar(ambos, -5.8f), 0.0f);
    EXPECT_EQ(Bits(Limitar(ambos, 0.3f)), Bits(0.3f));
    EXPECT_TRUE(EnLimite(ambos, 1.5f));
    EXPECT_TRUE(EnLimite(ambos, -1.0f));
    EXPECT_FALSE(EnLimite(ambos, 1.0f));
    t.Poner(kCaudalMin, "2");
    try {
        LeerLimitesBomba(t);
        ADD_FAILURE() << "a minimum above the maximum is read";
    } catch (const ErrorTanque& e) {
        EXPECT_STREQ(e.what(), kLimitesInvertidos);
        EXPECT_EQ(e.Campo(), kCaudalMin);
    }
    t.Poner(kCaudalMin, "x");
    EXPECT_THROW(LeerLimitesBomba(t), ErrorConversion);
}

TEST(Bomba, ElEscalonRegistraElCaudalAplicadoYSuTiempoSaturado) {
    // the step of 2 through a pump of at most 1.5 is the step of 1.5, bit for bit
    Banco limitado, libre;
    limitado.textos.Poner(kCaudalMax, "1.5");
    libre.textos.Poner("Alto_Escalon", "1.5");
    limitado.sim.ToolButton4Click();
    libre.sim.ToolButton4Click();
    for (int k = 0; k < 30; ++k) {
        limitado.sim.Timer1Timer();
        libre.sim.Timer1Timer();
        ASSERT_EQ(limitado.sim.UltimaMuestra().accion, 1.5f);
        ASSERT_EQ(Bits(limitado.sim.UltimaMuestra().nivel), Bits(libre.sim.UltimaMuestra().nivel)) << k;
        ASSERT_EQ(limitado.sim.Estado().Accion_Comandada, 2.0f);
    }
    // each of the 30 samples of 0.5 s sat at the limit; without limits the indices have no such value
    const IndicesEscalon i = *limitado.sim.Indices(Corrida::Escalon).indices.Actual();
    ASSERT_TRUE(i.tiempoSaturado);
    EXPECT_DOUBLE_EQ(*i.tiempoSaturado, 15.0);
    EXPECT_FALSE(libre.sim.Indices(Corrida::Escalon).indices.Actual()->tiempoSaturado);
}

TEST(Bomba, UnMinimoMayorQueElMaximoNoEmpiezaLaCorrida) {
    Banco b;
    b.textos.Poner(kCaudalMin, "3");
    b.textos.Poner(kCaudalMax, "1");
    EXPECT_THROW(b.sim.ToolButton13Click(), ErrorTanque);
    EXPECT_FALSE(b.sim.Timer(Corrida::PID).Enabled);
}

TEST(PIDAmpliado, CadaOpcionEnSuPrimeraMuestraCalculadaAMano) {
    // T = 0.5, Kp = 2, Ti = 5, Td = 1, r = 1, y = 0 from an empty memory: e = 1, I = 0.25, I / Ti = 0.05
    struct Caso {
        const char* nombre;
        ParametrosPID p;
        float accion;
        double integral;
    };
    ParametrosPID base{0.5, 2, 5, 1};
    auto con = [&](auto cambiar) {
        ParametrosPID p = base;
        cambiar(p);
        return p;
    };
    const Caso casos[] = {
        // D = 1 / 0.5 = 2: u = 2 (1.05 + 2)
        {"la ley de siempre", base, 6.1f, 0.25},
        // D = (1 x 0 + 10 x 1) / (1 + 10 x 0.5) = 5 / 3: u = 2 (1.05 + 5 / 3)
        {"filtro N = 10", con([](ParametrosPID& p) { p.N = 10; }), static_cast<float>(2 * (1.05 + 5.0 / 3)), 0.25},
        // the level has not moved: no derivative, u = 2 x 1.05
        {"derivada de la medición", con([](ParametrosPID& p) { p.derivadaMedicion = true; }), 2.1f, 0.25},
        // P = 0.5 x 1 - 0: u = 2 (0.05 + 0.5 + 2)
        {"peso b = 0.5", con([](ParametrosPID& p) { p.b = 0.5; }), 5.1f, 0.25},
        // no limits: anti-windup changes nothing
        {"retrocálculo sin límites", con([](ParametrosPID& p) { p.antisaturacion = Antisaturacion::Retrocalculo; }),
         6.1f, 0.25},
        // 6.1 beyond 3 with e > 0: the integral holds at 0, u = 2 (1 + 2)
        {"condicional, máximo 3", con([](ParametrosPID& p) {
             p.antisaturacion = Antisaturacion::Condicional;
             p.limites = Limites(std::nullopt, 3.0f);
         }),
         6.0f, 0.0},
        // beyond the minimum 7 too, but e > 0 lifts it towards it: it integrates
        {"condicional, mínimo 7", con([](ParametrosPID& p) {
             p.antisaturacion = Antisaturacion::Condicional;
             p.limites = Limites(7.0f, std::nullopt);
         }),
         6.1f, 0.25},
        // I = 0.25 + 0.5 x 5 / (2 x 2) x (3 - 6.1) = 0.25 - 1.9375
        {"retrocálculo, máximo 3, Tt = 2", con([](ParametrosPID& p) {
             p.antisaturacion = Antisaturacion::Retrocalculo;
             p.Tt = 2;
             p.limites = Limites(std::nullopt, 3.0f);
         }),
         6.1f, -1.6875},
    };
    for (const Caso& c : casos) {
        const SalidaPID s = CalcularPID(c.p, 1, 0, Simulacion{});
        EXPECT_FLOAT_EQ(s.accion, c.accion) << c.nombre;
        EXPECT_NEAR(s.integral, c.integral, 1e-6) << c.nombre;
    }
}

TEST(PIDAmpliado, LazoCerradoComoElPIDDelLibro) {
    // 80 samples of a reference step of 3 on the tank, through the law and through the textbook's PID
    struct Caso {
        const char* nombre;
        ParametrosPID p;
    };
    const LimitesBomba bomba = Limites(0.0f, 1.75f);
    auto caso = [&](Antisaturacion a, std::optional<double> N, bool medicion, double b, double Td, bool limites) {
        ParametrosPID p{0.5, 2, 5, Td};
        p.antisaturacion = a;
        p.Tt = Td > 0 ? std::sqrt(5 * Td) : 5;
        p.N = N;
        p.derivadaMedicion = medicion;
        p.b = b;
        if (limites) p.limites = bomba;
        return p;
    };
    const Caso casos[] = {
        {"PID, filtro 8", caso(Antisaturacion::Ninguna, 8, false, 1, 2, false)},
        {"PID, derivada de la medición, filtro 5", caso(Antisaturacion::Ninguna, 5, true, 1, 2, false)},
        {"PI, peso 0.6", caso(Antisaturacion::Ninguna, std::nullopt, false, 0.6, 0, false)},
        {"PI limitado sin antisaturación", caso(Antisaturacion::Ninguna, std::nullopt, false, 1, 0, true)},
        {"PI limitado, condicional", caso(Antisaturacion::Condicional, std::nullopt, false, 1, 0, true)},
        {"PI limitado, retrocálculo", caso(Antisaturacion::Retrocalculo, std::nullopt, false, 1, 0, true)},
        {"PID limitado, retrocálculo, filtro 10", caso(Antisaturacion::Retrocalculo, 10, true, 0.8, 1, true)},
    };
    for (const Caso& c : casos) {
        PIDLibro libro{c.p.Kp, c.p.Ti, c.p.Td, c.p.T, c.p.N, c.p.derivadaMedicion, c.p.b, c.p.antisaturacion, c.p.Tt};
        if (c.p.limites.Activos()) {
            libro.umin = c.p.limites.minimo;
            libro.umax = c.p.limites.maximo;
        }
        Simulacion memoria;
        double y = 0, u = 0;
        for (int k = 0; k < 80; ++k) {
            y = static_cast<float>(Tanque(y, u, c.p.T));
            const SalidaPID s = CalcularPID(c.p, 3, static_cast<float>(y), memoria);
            const double v = libro.Paso(3, y);
            ASSERT_NEAR(s.accion, v, 1e-4 * std::max(1.0, std::abs(v))) << c.nombre << ", muestra " << k;
            memoria.Error_Ant = static_cast<float>(s.error);
            memoria.Integral = static_cast<float>(s.integral);
            memoria.Derivada_Ant = s.derivada;
            memoria.Medida_Ant = static_cast<float>(y);
            u = libro.Sat(s.accion);
        }
    }
}

namespace {

struct Respuesta {
    double sobreimpulso, IAE;
};

// The reference simulation of a step from an empty tank to r: the textbook PI through the pump [0, 1.75].
Respuesta Referencia(Antisaturacion modo, double r, int muestras) {
    PIDLibro pid{2, 5, 0, 0.5};
    pid.modo = modo;
    pid.Tt = 5;  // Ti, as Td = 0
    pid.umin = 0;
    pid.umax = 1.75;
    double y = 0, u = 0, maximo = 0, iae = 0;
    for (int k = 0; k < muestras; ++k) {
        // the program's clock integrates its own sub-steps of T / 10 a sample, not exactly T
        y = Tanque(y, u, TanqueLineal().Reloj(0.5f).tiempoMuestra);
        u = pid.Sat(pid.Paso(r, y));
        maximo = std::max(maximo, y);
        iae += std::abs(r - y) * 0.5;
    }
    return {std::max(0.0, maximo / r - 1) * 100, iae};
}

// The same step through the simulator's PID run, read from its indices.
Respuesta CorridaPID(const char* antisaturacion, int muestras) {
    Banco b;
    b.posicion.valor = 6;  // the reference 3
    b.textos.Poner(kCaudalMin, "0");
    b.textos.Poner(kCaudalMax, "1.75");
    b.textos.Poner(kAntisaturacion, antisaturacion);
    b.sim.ToolButton13Click();
    for (int k = 0; k < muestras; ++k) b.sim.Timer4Timer();
    const IndicesEscalon i = *b.sim.Indices(Corrida::PID).indices.Actual();
    return {i.sobreimpulso.value_or(-1), i.IAE.value_or(-1)};
}

}  // namespace

TEST(PIDAmpliado, ElRetrocalculoQuitaElWindupDeUnEscalonGrande) {
    const int muestras = 300;
    const Respuesta sinNada = Referencia(Antisaturacion::Ninguna, 3, muestras);
    const Respuesta retro = Referencia(Antisaturacion::Retrocalculo, 3, muestras);
    // the reference itself shows the windup it is about: a large overshoot that back-calculation takes away
    ASSERT_GT(sinNada.sobreimpulso, 10.0);
    ASSERT_LT(retro.sobreimpulso, sinNada.sobreimpulso / 4);
    ASSERT_LT(retro.IAE, 0.7 * sinNada.IAE);
    const Respuesta corridaSin = CorridaPID("Ninguna", muestras);
    const Respuesta corridaRetro = CorridaPID("Retrocalculo", muestras);
    EXPECT_NEAR(corridaSin.sobreimpulso, sinNada.sobreimpulso, 0.05);
    EXPECT_NEAR(corridaRetro.sobreimpulso, retro.sobreimpulso, 0.05);
    EXPECT_NEAR(corridaSin.IAE, sinNada.IAE, 1e-3 * sinNada.IAE);
    EXPECT_NEAR(corridaRetro.IAE, retro.IAE, 1e-3 * retro.IAE);
    EXPECT_LT(corridaRetro.sobreimpulso, sinNada.sobreimpulso / 4);
    EXPECT_LT(corridaRetro.IAE, 0.7 * sinNada.IAE);
    // clamping does as much
    const Respuesta condicional = Referencia(Antisaturacion::Condicional, 3, muestras);
    const Respuesta corridaCondicional = CorridaPID("Condicional", muestras);
    EXPECT_NEAR(corridaCondicional.sobreimpulso, condicional.sobreimpulso, 0.05);
    EXPECT_LT(corridaCondicional.IAE, 0.7 * sinNada.IAE);
}

TEST(PIDAmpliado, LosTextosPorDefectoDanLaLeyDeSiempre) {
    // texts that lack every new edit (a set-up of before) and the defaults give the same run, bit for bit
    Banco nuevo;
    TextosMapa viejos('.');
    for (const TextoPorDefecto& t : TextosPorDefecto()) {
        const std::string n = t.nombre;
        if (n != kCaudalMin && n != kCaudalMax && n != kAntisaturacion && n != kTt && n != kFiltroN &&
            n != kDerivada && n != kPesoB)
            viejos.Poner(t.nombre, t.texto);
    }
    for (int fila = 1; fila <= 5; ++fila)
        for (int columna = 1; columna <= 5; ++columna)
            viejos.PonerCelda(columna, fila, nuevo.textos.Celda(columna, fila));
    PosicionFija posicion;
    Grabadora mensajes;
    Simulador viejo(viejos, posicion, mensajes);
    nuevo.sim.ToolButton13Click();
    viejo.ToolButton13Click();
    for (int k = 0; k < 60; ++k) {
        nuevo.sim.Timer4Timer();
        viejo.Timer4Timer();
        ASSERT_EQ(Bits(nuevo.sim.UltimaMuestra().accion), Bits(viejo.UltimaMuestra().accion)) << k;
        ASSERT_EQ(Bits(nuevo.sim.Estado().Integral), Bits(viejo.Estado().Integral)) << k;
    }
    EXPECT_EQ(mensajes.mostrados, nuevo.mensajes.mostrados);
}
