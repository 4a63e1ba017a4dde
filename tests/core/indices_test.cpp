#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <random>

#include "core/observacion/indices.h"

namespace {

// Feeds a reference step: samples n = primera ... primera + cuantas - 1 at r, level y(t) with t = (n - primera) T.
void Referencia(IndicesRespuesta& ind, std::int32_t primera, int cuantas, double T, double r,
                const std::function<double(double)>& y, double u = 0) {
    for (int k = 0; k < cuantas; ++k) ind.Agregar({primera + k, T, r, y(k * T), u});
}

AjustesIndices ConGanancia(double R, double nivelInicial = 0) {
    AjustesIndices a;
    a.ganancia = R;
    a.nivelInicial = nivelInicial;
    return a;
}

// Every value present is finite: nothing that is not a number reaches a caller.
void ComprobarFinitos(const IndicesEscalon& v) {
    EXPECT_TRUE(std::isfinite(v.duracion));
    EXPECT_TRUE(std::isfinite(v.inicial));
    for (const std::optional<double>* o : {&v.objetivo, &v.IAE, &v.ISE, &v.ITAE, &v.esfuerzo, &v.sobreimpulso,
                                           &v.tiempoSubida, &v.tiempoEstablecimiento, &v.errorEstacionario})
        if (*o) {
            EXPECT_TRUE(std::isfinite(**o));
        }
}

}  // namespace

TEST(Indices, PrimerOrdenContraLaSolucionAnalitica) {
    // y = 1 - exp(-t / Tau): no overshoot, rise ln(9) Tau, settling into 2 % at ln(50) Tau, IAE Tau, ISE Tau / 2,
    // ITAE Tau^2. A left sum of a falling |e| lies between the integral and the integral plus T |e(0)|.
    for (const auto& [Tau, T] : {std::pair{2.0, 0.01}, {20.0, 0.5}, {1.0, 0.1}, {0.5, 0.001}}) {
        SCOPED_TRACE(testing::Message() << "Tau " << Tau << " T " << T);
        IndicesRespuesta ind;
        const int n = static_cast<int>(std::lround(30 * Tau / T));
        Referencia(ind, 0, n, T, 1.0, [Tau](double t) { return 1 - std::exp(-t / Tau); });
        const IndicesEscalon v = *ind.Actual();
        EXPECT_FALSE(v.terminado);
        EXPECT_EQ(v.inicial, 0.0);
        EXPECT_EQ(v.objetivo, 1.0);
        EXPECT_EQ(v.sobreimpulso, 0.0);
        EXPECT_NEAR(*v.tiempoSubida, std::log(9.0) * Tau, T);
        EXPECT_NEAR(*v.tiempoEstablecimiento, std::log(50.0) * Tau, T);
        EXPECT_TRUE(v.establecida);
        EXPECT_GE(*v.IAE, Tau * (1 - std::exp(-30.0)));
        EXPECT_LE(*v.IAE, Tau + T);
        EXPECT_GE(*v.ISE, Tau / 2 * (1 - std::exp(-60.0)));
        EXPECT_LE(*v.ISE, Tau / 2 + T);
        // t e^(-t/Tau) is not monotone: its left sum is within T times its largest value, Tau / e
        EXPECT_NEAR(*v.ITAE, Tau * Tau, T * Tau / std::numbers::e + 1e-9 * Tau * Tau);
        EXPECT_NEAR(*v.errorEstacionario, 0.0, 1e-12);
        EXPECT_EQ(v.muestras, n);
        EXPECT_DOUBLE_EQ(v.duracion, (n - 1) * T);
    }
}

TEST(Indices, EscalonHaciaAbajoYCierreDelAnterior) {
    // a step from 1 down to 0.25 after a step up: the same shape, mirrored and scaled
    const double Tau = 2, T = 0.01;
    IndicesRespuesta ind;
    Referencia(
        ind, 0, 3000, T, 1.0, [&](double t) { return 1 - std::exp(-t / Tau); }, 0.5);
    const IndicesEscalon antes = *ind.Actual();
    Referencia(
        ind, 3000, 3000, T, 0.25, [&](double t) { return 0.25 + 0.75 * std::exp(-t / Tau); }, 0.125);
    ASSERT_TRUE(ind.Anterior().has_value());
    const IndicesEscalon& a = *ind.Anterior();
    EXPECT_TRUE(a.terminado);
    EXPECT_EQ(ind.Terminados(), 1u);
    // closing changes nothing but the flag
    EXPECT_EQ(a.IAE, antes.IAE);
    EXPECT_EQ(a.tiempoSubida, antes.tiempoSubida);
    EXPECT_EQ(a.ultima, 2999);
    const IndicesEscalon v = *ind.Actual();
    EXPECT_EQ(v.primera, 3000);
    EXPECT_EQ(v.inicial, 1.0) << "a later step starts from the reference before";
    EXPECT_EQ(v.objetivo, 0.25);
    EXPECT_EQ(v.sobreimpulso, 0.0);
    EXPECT_NEAR(*v.tiempoSubida, std::log(9.0) * Tau, T);
    EXPECT_NEAR(*v.tiempoEstablecimiento, std::log(50.0) * Tau, T);
    EXPECT_GE(*v.IAE, 0.75 * Tau * (1 - std::exp(-15.0)));
    EXPECT_LE(*v.IAE, 0.75 * (Tau + T));
    // the action moved once, at the change: 0.5 at the first sample of the run, then 0.375
    EXPECT_EQ(a.esfuerzo, 0.5);
    EXPECT_EQ(v.esfuerzo, 0.375);
}

TEST(Indices, SegundoOrdenSubamortiguadoSobrepasaLoConocido) {
    // y = 1 - exp(-zeta w t) sin(wd t + acos zeta) / sqrt(1 - zeta^2): peak exp(-zeta pi / sqrt(1 - zeta^2))
    // at pi / wd; the sampled peak lies within (1/2) |y''| (T/2)^2 of it
    struct Caso {
        double zeta, inicial, objetivo;
    };
    for (const Caso c : {Caso{0.1, 0.0, 1.0}, {0.3, 0.0, 1.0}, {0.5, 2.0, 5.0}, {0.7, 3.0, 1.0}, {0.3, -1.0, -4.0}}) {
        SCOPED_TRACE(testing::Message() << "zeta " << c.zeta << " " << c.inicial << " -> " << c.objetivo);
        const double w = 1.5, T = 0.001;
        const double wd = w * std::sqrt(1 - c.zeta * c.zeta);
        const auto forma = [&](double t) {
            return 1 -
                   std::exp(-c.zeta * w * t) * std::sin(wd * t + std::acos(c.zeta)) / std::sqrt(1 - c.zeta * c.zeta);
        };
        IndicesRespuesta ind;
        // a step before, so that this one starts from its own initial reference
        ind.Agregar({0, T, c.inicial, c.inicial, 0});
        const double S = c.objetivo - c.inicial;
        Referencia(ind, 1, static_cast<int>(40 / (c.zeta * w) / T), T, c.objetivo,
                   [&](double t) { return c.inicial + S * forma(t); });
        const IndicesEscalon v = *ind.Actual();
        const double Mp = 100 * std::exp(-c.zeta * std::numbers::pi / std::sqrt(1 - c.zeta * c.zeta));
        EXPECT_NEAR(*v.sobreimpulso, Mp, 100 * w * w * T * T);
        EXPECT_LE(*v.sobreimpulso, Mp + 1e-9);
        EXPECT_TRUE(v.establecida);
        // the last entry into the 2 % band lies where the envelope allows it: before 4 / (zeta w) (the
        // envelope at 1.8 %) plus one period of oscillation, after ln(50 / sqrt(1 - zeta^2)) / (zeta w) minus one
        const double envolvente = std::log(50 / std::sqrt(1 - c.zeta * c.zeta)) / (c.zeta * w);
        EXPECT_LE(*v.tiempoEstablecimiento, envolvente + T);
        EXPECT_GE(*v.tiempoEstablecimiento, envolvente - 2 * std::numbers::pi / wd);
    }
}

TEST(Indices, IndicesIntegralesDeUnaTablaHechaAMano) {
    // T = 0.5, reference 2 from the start; levels 0, 1, 2.5, 2; actions 0, 3, 1, 1.5; the first level is the
    // step's start, so S = 2
    //   e    = 2, 1, -0.5, 0            t = 0, 0.5, 1, 1.5
    //   IAE  = (2 + 1 + 0.5 + 0) 0.5 = 1.75        ISE = (4 + 1 + 0.25) 0.5 = 2.625
    //   ITAE = (0 + 0.5 + 0.5 + 0) 0.5 = 0.5       effort = 0 + 3 + 2 + 0.5 = 5.5
    //   progress 0, 0.5, 1.25, 1: overshoot 25 %; 10 % at 0.1, 90 % at 0.5 + (0.4 / 0.75) 0.5, rise 2/3
    IndicesRespuesta ind;
    const double y[] = {0, 1, 2.5, 2}, u[] = {0, 3, 1, 1.5};
    for (int n = 0; n < 4; ++n) ind.Agregar({n, 0.5, 2.0, y[n], u[n]});
    const IndicesEscalon v = *ind.Actual();
    EXPECT_EQ(v.IAE, 1.75);
    EXPECT_EQ(v.ISE, 2.625);
    EXPECT_EQ(v.ITAE, 0.5);
    EXPECT_EQ(v.esfuerzo, 5.5);
    EXPECT_EQ(v.sobreimpulso, 25.0);
    EXPECT_NEAR(*v.tiempoSubida, 2.0 / 3.0, 1e-15);
    EXPECT_EQ(v.errorEstacionario, 0.0);
    EXPECT_EQ(v.duracion, 1.5);
    // deviations -100, -50, +25, 0 %: the last entry into the band crosses its upper edge between t = 1 and 1.5
    struct Banda {
        double banda, entrada;
    };
    //   band 2: from +25 at t = 1 to 0 at 1.5, the edge +2;  band 25: from -50 at 0.5 to +25 at 1, the edge -25
    //   band 60: from -100 at 0 to -50 at 0.5, the edge -60
    for (const Banda b : {Banda{2, 1 + (2 - 25.0) / (0 - 25.0) * 0.5},
                          {24, 1 + (24 - 25.0) / (0 - 25.0) * 0.5},
                          {25, 0.5 + 25.0 / 75.0 * 0.5},
                          {30, 0.5 + 20.0 / 75.0 * 0.5},
                          {60, 40.0 / 50.0 * 0.5},
                          {99, 1.0 / 50.0 * 0.5}}) {
        AjustesIndices a;
        a.banda = b.banda;
        IndicesRespuesta con_banda(a);
        for (int n = 0; n < 4; ++n) con_banda.Agregar({n, 0.5, 2.0, y[n], u[n]});
        EXPECT_NEAR(*con_banda.Actual()->tiempoEstablecimiento, b.entrada, 1e-15) << "banda " << b.banda;
    }
}

TEST(Indices, ValoresProvisionalesMientrasSigueElEscalon) {
    IndicesRespuesta ind;
    EXPECT_FALSE(ind.Actual().has_value());
    EXPECT_FALSE(ind.Anterior().has_value());
    // levels 0, 0.5, 1.0 towards 1: no rise time before 90 %, no settling time outside the band
    ind.Agregar({0, 1.0, 1.0, 0.0, 0});
    ind.Agregar({1, 1.0, 1.0, 0.5, 0});
    IndicesEscalon v = *ind.Actual();
    EXPECT_FALSE(v.tiempoSubida.has_value());
    EXPECT_FALSE(v.tiempoEstablecimiento.has_value());
    EXPECT_FALSE(v.establecida);
    EXPECT_EQ(v.errorEstacionario, 0.5) << "the error at the last sample, provisional";
    ind.Agregar({2, 1.0, 1.0, 1.0, 0});
    v = *ind.Actual();
    EXPECT_DOUBLE_EQ(*v.tiempoSubida, 1.6);
    // into the band between -50 % at t = 1 and 0 at t = 2, at its edge -2 %
    EXPECT_DOUBLE_EQ(*v.tiempoEstablecimiento, 1.96);
    // out of the band again: no settling time until it comes back
    ind.Agregar({3, 1.0, 1.0, 1.1, 0});
    v = *ind.Actual();
    EXPECT_FALSE(v.tiempoEstablecimiento.has_value());
    EXPECT_NEAR(*v.sobreimpulso, 10.0, 1e-13);
    ind.Agregar({4, 1.0, 1.0, 1.0, 0});
    EXPECT_DOUBLE_EQ(*ind.Actual()->tiempoEstablecimiento, 3.0 + 0.08 / 0.1);
    EXPECT_DOUBLE_EQ(*ind.Actual()->tiempoSubida, 1.6) << "the first crossings stay";
}

TEST(Indices, EscalonDeTamanoCeroNoTieneIndicesDeTiempo) {
    IndicesRespuesta ind;
    for (int n = 0; n < 5; ++n) ind.Agregar({n, 0.5, 0.0, n * 0.1, 0});
    const IndicesEscalon v = *ind.Actual();
    EXPECT_EQ(v.inicial, 0.0);
    EXPECT_FALSE(v.sobreimpulso || v.tiempoSubida || v.tiempoEstablecimiento);
    EXPECT_FALSE(v.establecida);
    EXPECT_DOUBLE_EQ(*v.IAE, (0.1 + 0.2 + 0.3 + 0.4) * 0.5);
    EXPECT_DOUBLE_EQ(*v.errorEstacionario, -0.4);
}

TEST(Indices, ReinicioYVueltaAtrasDelContador) {
    IndicesRespuesta ind;
    for (int n = 0; n < 3; ++n) ind.Agregar({n, 0.5, 1.0, 0.2 * n, 1});
    ind.Agregar({3, 0.5, 2.0, 0.6, 2});
    EXPECT_EQ(ind.Terminados(), 1u);
    // the counter goes back: a new run, from nothing
    ind.Agregar({0, 0.5, 2.0, 0.0, 0});
    EXPECT_EQ(ind.Terminados(), 0u);
    EXPECT_FALSE(ind.Anterior().has_value());
    EXPECT_EQ(ind.Actual()->muestras, 1);
    EXPECT_EQ(ind.Actual()->esfuerzo, 0.0) << "from the initial action 0";
    // a run without reference after one with it starts afresh too
    ind.Agregar({1, 0.5, std::nullopt, 0.1, 2});
    EXPECT_FALSE(ind.Actual()->conReferencia);
    EXPECT_EQ(ind.Actual()->primera, 1);
    ind.Reiniciar();
    EXPECT_FALSE(ind.Actual().has_value());
    // samples with a value that is not finite are left out
    const double inf = std::numeric_limits<double>::infinity();
    ind.Agregar({0, 0.5, 1.0, std::nan(""), 0});
    ind.Agregar({0, inf, 1.0, 0, 0});
    ind.Agregar({0, -0.5, 1.0, 0, 0});
    ind.Agregar({0, 0.5, inf, 0, 0});
    EXPECT_FALSE(ind.Actual().has_value());
}

TEST(Indices, NadaQueNoSeaFinitoLlegaAlQueLlama) {
    std::mt19937_64 azar(3);
    std::uniform_real_distribution<double> exponente(-300, 300), uno(-1, 1);
    const auto grande = [&] { return uno(azar) * std::pow(10.0, exponente(azar)); };
    IndicesRespuesta ind;
    double r = 0;
    for (int n = 0; n < 20000; ++n) {
        if (n % 50 == 0) r = grande();
        ind.Agregar({n, std::fabs(grande()), r, grande(), grande()});
        ComprobarFinitos(*ind.Actual());
        if (ind.Anterior()) ComprobarFinitos(*ind.Anterior());
    }
    // and the largest doubles
    const double m = std::numeric_limits<double>::max();
    IndicesRespuesta extremo;
    for (int n = 0; n < 10; ++n) extremo.Agregar({n, m, m, -m, n % 2 ? m : -m});
    ComprobarFinitos(*extremo.Actual());
    EXPECT_FALSE(extremo.Actual()->ISE.has_value());
}

TEST(Indices, EscalonDeCaudalConGananciaDada) {
    // a first-order tank: level R u (1 - q^k) after k periods, q = exp(-T / Tau); the step's origin lies one
    // period before its first sample, from the initial level 0
    const double R = 2, u = 2, Tau = 20, T = 0.5;
    IndicesRespuesta ind(ConGanancia(R));
    for (int n = 0; n < 2000; ++n) ind.Agregar({n, T, std::nullopt, R * u * (1 - std::exp(-(n + 1) * T / Tau)), u});
    const IndicesEscalon v = *ind.Actual();
    EXPECT_FALSE(v.conReferencia);
    EXPECT_EQ(v.inicial, 0.0);
    EXPECT_EQ(v.objetivo, 4.0);
    EXPECT_EQ(v.sobreimpulso, 0.0);
    EXPECT_NEAR(*v.tiempoSubida, std::log(9.0) * Tau, T);
    EXPECT_NEAR(*v.tiempoEstablecimiento, std::log(50.0) * Tau, T);
    // a right sum of a falling |e|: between the integral less T |e(0)| and the integral
    EXPECT_LE(*v.IAE, R * u * Tau);
    EXPECT_GE(*v.IAE, R * u * (Tau - T));
    EXPECT_EQ(v.esfuerzo, 2.0);
    EXPECT_EQ(v.duracion, 2000 * T);
}

TEST(Indices, ValorFinalEstimadoSinGanancia) {
    const double Tau = 20, T = 0.5, q = std::exp(-T / Tau);
    IndicesRespuesta ind;
    IndicesRespuesta con_ganancia(ConGanancia(2.0));
    int tomado = -1;
    for (int n = 0; n < 2000; ++n) {
        const MuestraRespuesta m{n, T, std::nullopt, 4 - 4 * std::pow(q, n + 1), 2};
        ind.Agregar(m);
        con_ganancia.Agregar(m);
        if (tomado < 0 && ind.Actual()->objetivo) tomado = n;
        if (tomado < 0) {
            EXPECT_FALSE(ind.Actual()->IAE.has_value()) << "nothing that needs the final value";
        }
    }
    // K = n + 1 levels; the rest, 4 q^K, falls to 0.1 % of the change 4 (1 - q^K) at K = ln(1001) Tau / T, 276.4
    EXPECT_EQ(tomado, 277);
    const IndicesEscalon v = *ind.Actual(), g = *con_ganancia.Actual();
    EXPECT_NEAR(*v.objetivo, 4.0, 1e-12);
    // the kept levels were run through once the final value came: the same indices as with the gain
    EXPECT_NEAR(*v.tiempoSubida, *g.tiempoSubida, 1e-9);
    EXPECT_NEAR(*v.tiempoEstablecimiento, *g.tiempoEstablecimiento, 1e-9);
    EXPECT_NEAR(*v.IAE, *g.IAE, 1e-9);
    EXPECT_NEAR(*v.ITAE, *g.ITAE, 1e-6);

    // a level that stops is its own final value
    IndicesRespuesta parado;
    for (int n = 0; n < 10; ++n) parado.Agregar({n, T, std::nullopt, n < 3 ? n + 1.0 : 3.0, 1});
    EXPECT_EQ(parado.Actual()->objetivo, 3.0);
    // into 2 % of 3 between -33.3 % at t = 1 and 0 at t = 1.5
    EXPECT_NEAR(*parado.Actual()->tiempoEstablecimiento, 1.0 + 0.5 * 0.94, 1e-15);
}

TEST(Indices, CambioDeCaudalEmpiezaOtroEscalonDesdeElUltimoNivel) {
    IndicesRespuesta ind(ConGanancia(2.0, 0.5));
    ind.Agregar({0, 0.5, std::nullopt, 1.0, 2});
    ind.Agregar({1, 0.5, std::nullopt, 1.5, 2});
    EXPECT_EQ(ind.Actual()->inicial, 0.5);
    ind.Agregar({2, 0.5, std::nullopt, 1.25, 1});
    ASSERT_TRUE(ind.Anterior().has_value());
    EXPECT_EQ(ind.Anterior()->objetivo, 4.0);
    const IndicesEscalon v = *ind.Actual();
    EXPECT_EQ(v.inicial, 1.5);
    EXPECT_EQ(v.objetivo, 2.0);
    EXPECT_EQ(v.esfuerzo, 1.0);
    EXPECT_EQ(v.duracion, 0.5);
}

TEST(Indices, SinValorFinalDentroDelLimiteNoHayIndicesQueLoNecesiten) {
    // no inflow, an empty tank: the level never moves, so no final value is ever taken
    IndicesRespuesta ind;
    const auto n = static_cast<std::int32_t>(IndicesRespuesta::kMaxPendientes + 10);
    for (std::int32_t k = 0; k < n; ++k) ind.Agregar({k, 0.5, std::nullopt, 0.0, 0});
    const IndicesEscalon v = *ind.Actual();
    EXPECT_EQ(v.muestras, n);
    EXPECT_FALSE(v.objetivo || v.IAE || v.tiempoSubida);
    EXPECT_EQ(v.esfuerzo, 0.0);
}

// Each step measured from the level where the tank stands when its reference is read, as a teacher reads the
// plot; a reference that stood for one sample (a slider keystroke on its way) joins the step after it. The
// expected overshoots are worked by hand: overshoot = (farthest level past the target) / |target - start
// level| x 100 %.
TEST(Indices, CadaEscalonDesdeElNivelDeSuComienzo) {
    struct Caso {
        const char* nombre;
        std::vector<double> r, y;  // from sample 0, T = 1 s
        std::int32_t primera;      // of the last step
        double inicial, objetivo, sobreimpulso;
        int unidos;
        std::uint64_t terminados;
    };
    const std::vector<double> dos(5, 2.0);
    auto mas = [](std::vector<double> a, std::initializer_list<double> b) {
        a.insert(a.end(), b);
        return a;
    };
    const Caso casos[] = {
        // 2 -> 1.5 for one sample -> 1: one step from level 2 to 1; down to 0.9 is 0.1 past 1 over 1: 10 %
        // (from the reference 1.5 it would read 0.6 / 0.5 - 1 = 20 %)
        {"2 a 1,5 (una muestra) a 1", mas(dos, {1.5, 1, 1, 1, 1, 1, 1}), mas(dos, {2, 2, 1.6, 1.2, 0.9, 0.95, 1}), 5,
         2.0, 1.0, 10.0, 1, 1},
        // 1.5 for two samples is a step of its own: the last one starts at sample 7, level 2 still: 10 %
        {"2 a 1,5 (dos muestras) a 1", mas(dos, {1.5, 1.5, 1, 1, 1, 1, 1}), mas(dos, {2, 2, 2, 1.6, 0.9, 1, 1}), 7,
         2.0, 1.0, 10.0, 0, 2},
        // up from a level that lags behind its reference: 1 -> 2 read at level 1.2; peak 2.16 is 0.16 / 0.8 = 20 %
        {"1 a 2 con el nivel en 1,2", mas(std::vector<double>(5, 1.0), {2, 2, 2, 2, 2}),
         mas({0.2, 0.5, 0.8, 1.0, 1.1}, {1.2, 1.7, 2.16, 2.0, 2.0}), 5, 1.2, 2.0, 20.0, 0, 1},
        // two keystrokes on the way: 2 -> 1.5 -> 1 -> 0.5, one sample each but the last; 0.4 is 0.1 / 1.5
        {"dos pulsaciones", mas(dos, {1.5, 1, 0.5, 0.5, 0.5, 0.5}), mas(dos, {2, 2, 2, 1.0, 0.4, 0.5}), 5, 2.0, 0.5,
         100.0 * 0.1 / 1.5, 2, 1},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        ASSERT_EQ(c.r.size(), c.y.size());
        IndicesRespuesta ind;
        for (std::size_t k = 0; k < c.r.size(); ++k) ind.Agregar({static_cast<std::int32_t>(k), 1.0, c.r[k], c.y[k], 0});
        const IndicesEscalon v = *ind.Actual();
        EXPECT_EQ(v.primera, c.primera);
        EXPECT_EQ(v.inicial, c.inicial);
        EXPECT_EQ(v.objetivo, c.objetivo);
        ASSERT_TRUE(v.sobreimpulso.has_value());
        EXPECT_NEAR(*v.sobreimpulso, c.sobreimpulso, 1e-9);
        EXPECT_EQ(v.unidos, c.unidos);
        EXPECT_EQ(ind.Terminados(), c.terminados);
        EXPECT_EQ(v.muestras, static_cast<std::int64_t>(c.r.size()) - c.primera);
    }
}
