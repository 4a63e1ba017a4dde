// Every signal: a function of its parameters and n alone, within its levels; and what each random signal
// promises about its clocks, holds and values.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "senales/generador.h"
#include "tests/senales/comun.h"

namespace {

ParametrosSenal Con(TipoSenal t, double minimo, double maximo, std::int32_t periodo = 10) {
    ParametrosSenal p = De(t);
    p.minimo = minimo;
    p.maximo = maximo;
    p.periodo = periodo;
    return p;
}

// One row per type, with the clocks short enough to cross the random streams' blocks of 4096 words.
std::vector<ParametrosSenal> UnoDeCada() {
    std::vector<ParametrosSenal> v;
    for (int t = 0; t < kTiposSenal; ++t) v.push_back(Con(static_cast<TipoSenal>(t), -1.5, 2.25, 1));
    v[static_cast<int>(TipoSenal::NivelesAleatorios)].periodo = 3;
    ParametrosSenal prbs = Con(TipoSenal::PRBS, 0, 1, 3);
    prbs.orden = 13;
    v.push_back(prbs);
    ParametrosSenal multi = Con(TipoSenal::Multiseno, 0, 1);
    multi.longitud = 999;
    multi.componentes = 37;
    v.push_back(multi);
    ParametrosSenal barrido = Con(TipoSenal::Barrido, 0, 1);
    barrido.longitud = 3000;
    v.push_back(barrido);
    return v;
}

}  // namespace

TEST(Generadores, ValorNoDependeDeLoPreguntadoAntes) {
    const std::int64_t n = 10000;
    for (const ParametrosSenal& p : UnoDeCada()) {
        const std::vector<double> adelante = Valores(p, n);
        GeneradorSenal g(p);
        for (std::int64_t i = n - 1; i >= 0; --i) ASSERT_EQ(g.Valor(i), adelante[i]) << Nombre(p) << " atrás " << i;
        std::mt19937_64 azar(4);
        for (int j = 0; j < 3000; ++j) {
            const std::int64_t i = static_cast<std::int64_t>(azar() % n);
            ASSERT_EQ(g.Valor(i), adelante[i]) << Nombre(p) << " al azar " << i;
        }
        // a run restarted from 0 replays the same signal on the same generator
        for (std::int64_t i = 0; i < n; ++i) ASSERT_EQ(g.Valor(i), adelante[i]) << Nombre(p) << " otra vez " << i;
        EXPECT_EQ(g.Valor(-5), adelante[0]) << Nombre(p) << ": a negative sample counts as 0";
    }
}

TEST(Generadores, TodoValorQuedaEntreMinimoYMaximo) {
    struct Niveles {
        double minimo, maximo;
    };
    for (const Niveles& l : {Niveles{0.5, 2},
                             {-3, -1},
                             {0, 0},
                             {7.25, 7.25},
                             {1e-300, 2e-300},
                             {-1e308, 1e308},
                             {-1.7976931348623157e308, 1.7976931348623157e308}}) {
        for (int t = 1; t < kTiposSenal; ++t) {
            const ParametrosSenal p = Con(static_cast<TipoSenal>(t), l.minimo, l.maximo, 2);
            const std::vector<double> v = Valores(p, 20000);
            const auto [menor, mayor] = std::minmax_element(v.begin(), v.end());
            EXPECT_GE(*menor, l.minimo) << Nombre(p);
            EXPECT_LE(*mayor, l.maximo) << Nombre(p);
        }
    }
}

TEST(Generadores, EscalonEsElMaximoConstante) {
    const ParametrosSenal p = Con(TipoSenal::Escalon, 0.5, 2);
    for (const double v : Valores(p, 100)) ASSERT_EQ(v, 2.0);
}

TEST(Generadores, BinariaAleatoriaEsUnaMonedaPorReloj) {
    const ParametrosSenal p = Con(TipoSenal::BinariaAleatoria, -1, 3, 4);
    const std::int64_t relojes = 100000;
    const std::vector<double> v = Valores(p, 4 * relojes);
    std::int64_t altos = 0, cambios = 0;
    for (std::int64_t c = 0; c < relojes; ++c) {
        const double x = v[4 * c];
        ASSERT_TRUE(x == -1 || x == 3) << c;
        for (int j = 1; j < 4; ++j) ASSERT_EQ(v[4 * c + j], x) << "held for the clock " << c;
        altos += x == 3;
        if (c > 0) cambios += x != v[4 * (c - 1)];
    }
    // each half of the time, and a change at half the clocks; 5 standard errors each
    EXPECT_NEAR(static_cast<double>(altos) / relojes, 0.5, 0.008);
    EXPECT_NEAR(static_cast<double>(cambios) / (relojes - 1), 0.5, 0.008);
}

TEST(Generadores, NivelesAleatoriosSostienenDe1APeriodoMuestras) {
    for (const std::int32_t periodo : {1, 2, 7, 25}) {
        const ParametrosSenal p = Con(TipoSenal::NivelesAleatorios, 10, 20, periodo);
        const std::vector<double> v = Valores(p, 400000);
        // the holds, read back from the changes of level (two equal levels in a row have probability 0)
        std::vector<std::int64_t> cuenta(periodo + 1, 0);
        std::vector<double> niveles;
        std::int64_t inicio = 0;
        for (std::int64_t n = 1; n <= static_cast<std::int64_t>(v.size()); ++n) {
            if (n < static_cast<std::int64_t>(v.size()) && v[n] == v[n - 1]) continue;
            if (n < static_cast<std::int64_t>(v.size())) {  // the last hold may be cut short
                const std::int64_t largo = n - inicio;
                ASSERT_GE(largo, 1);
                ASSERT_LE(largo, periodo) << "periodo " << periodo;
                ++cuenta[largo];
                niveles.push_back(v[inicio]);
            }
            inicio = n;
        }
        const double holds = static_cast<double>(niveles.size());
        for (std::int32_t l = 1; l <= periodo; ++l)
            EXPECT_NEAR(cuenta[l] / holds, 1.0 / periodo, 5 * std::sqrt(1.0 / periodo / holds) + 1e-12)
                << "periodo " << periodo << " largo " << l;
        // levels uniform in [10, 20]: mean 15, deviation 10 / sqrt(12)
        double s = 0, s2 = 0;
        for (const double x : niveles) {
            s += x;
            s2 += x * x;
        }
        const double media = s / holds;
        EXPECT_NEAR(media, 15.0, 5 * 2.8868 / std::sqrt(holds)) << "periodo " << periodo;
        EXPECT_NEAR(std::sqrt(s2 / holds - media * media), 10 / std::sqrt(12.0), 0.04) << "periodo " << periodo;
    }
}

TEST(Generadores, GaussianaTieneSuMediaSuDesviacionYSuRecorte) {
    // mean (min + max)/2 = 1, deviation (max - min)/4 = 0.5, clipped at two deviations: P(|z| > 2) = 4.55 %
    const ParametrosSenal p = Con(TipoSenal::Gaussiana, 0, 2, 3);
    const std::int64_t relojes = 200000;
    const std::vector<double> v = Valores(p, 3 * relojes);
    double s = 0;
    std::int64_t recortados = 0, dentro = 0;
    for (std::int64_t c = 0; c < relojes; ++c) {
        const double x = v[3 * c];
        ASSERT_EQ(v[3 * c + 1], x);
        ASSERT_EQ(v[3 * c + 2], x);
        s += x;
        recortados += x == 0 || x == 2;
        dentro += std::fabs(x - 1) < 0.5;
    }
    EXPECT_NEAR(s / relojes, 1.0, 0.0055);
    EXPECT_NEAR(static_cast<double>(recortados) / relojes, 0.0455, 0.0024);
    EXPECT_NEAR(static_cast<double>(dentro) / relojes, 0.6827, 0.0053);
}

TEST(Generadores, LaSemillaCambiaLaSenalAleatoria) {
    for (const TipoSenal t : {TipoSenal::BinariaAleatoria, TipoSenal::NivelesAleatorios, TipoSenal::Gaussiana}) {
        ParametrosSenal a = Con(t, 0, 1, 1), b = a;
        b.semilla = 2;
        EXPECT_NE(Valores(a, 200), Valores(b, 200)) << NombreTipo(t);
        EXPECT_EQ(Valores(a, 200), Valores(a, 200)) << NombreTipo(t);
    }
}

TEST(Generadores, ParametrosMalosNoHacenGenerador) {
    ParametrosSenal p = De(TipoSenal::PRBS);
    p.orden = 21;
    EXPECT_EQ(TextoDelError<ErrorTanque>([&] { GeneradorSenal g(p); }), kMensajeOrden);
}
