// The seeded randomness: the engine against its published value, the steps from words to numbers exactly,
// the normal values statistically, the stream's layout against an engine seeded by hand.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "senales/aleatorio.h"

TEST(Aleatorio, MotorDaSuValorPublicado) {
    // the standard's own check of mt19937_64: the 10000th output of a default-constructed engine
    std::mt19937_64 motor;
    motor.discard(9999);
    EXPECT_EQ(motor(), 9981545732273789042u);
}

TEST(Aleatorio, MezclaEsLaDeSplitMix64) {
    // SplitMix64 seeded with 0 gives these as its first two outputs
    EXPECT_EQ(Mezcla(0), 0xE220A8397B1DCDAFu);
    EXPECT_EQ(Mezcla(0x9E3779B97F4A7C15u), 0x6E789E6AA1B965F4u);
}

TEST(Aleatorio, UniformeTomaLos53BitsAltos) {
    constexpr std::uint64_t kTodos = std::numeric_limits<std::uint64_t>::max();
    for (auto [w, u] : {std::pair{std::uint64_t{0}, 0.0},
                        {std::uint64_t{2047}, 0.0},  // the 11 low bits are dropped
                        {std::uint64_t{2048}, 0x1.0p-53},
                        {std::uint64_t{1} << 63, 0.5},
                        {std::uint64_t{3} << 62, 0.75},
                        {kTodos, 1.0 - 0x1.0p-53}}) {
        EXPECT_EQ(Uniforme(w), u) << w;
    }
}

TEST(Aleatorio, EnIntervaloEsLinealYNoSale) {
    struct Caso {
        double a, b, u, v;
    };
    for (const Caso& c : {Caso{2.0, 6.0, 0.0, 2.0},
                          {2.0, 6.0, 0.25, 3.0},
                          {2.0, 6.0, 0.5, 4.0},
                          {-1.0, 1.0, 0.75, 0.5},
                          {5.0, 5.0, 0.5, 5.0},
                          {0.1, 0.3, 1.0 - 0x1.0p-53, 0.3},  // the nearest Double is b itself
                          {-1e308, 1e308, 0.5, 0.0}}) {      // b - a beyond the Doubles, not at extended precision
        EXPECT_EQ(EnIntervalo(c.a, c.b, c.u), c.v) << c.a << " " << c.b << " " << c.u;
    }
}

TEST(Aleatorio, EnteroHastaRechazaLasPalabrasDelSobrante) {
    struct Caso {
        std::uint64_t k;
        std::vector<std::uint64_t> palabras;
        std::uint64_t resultado;
        std::size_t tomadas;
    };
    const std::uint64_t medio = std::uint64_t{1} << 63;
    for (const Caso& c : {// 2^64 mod 3 = 1: the word 0 is refused
                          Caso{3, {0, 5}, 2, 2},
                          {3, {1, 5}, 1, 1},
                          {1, {0}, 0, 1},
                          {2, {0, 7}, 0, 1},
                          // k = 2^63 + 1: 2^64 mod k = 2^63 - 1, every word below it refused
                          {medio + 1, {5, medio - 2, medio - 1}, medio - 1, 3},
                          {medio + 1, {medio + 1}, 0, 1}}) {
        std::size_t i = 0;
        const std::uint64_t r = EnteroHasta(c.k, [&] { return c.palabras.at(i++); });
        EXPECT_EQ(r, c.resultado) << "k " << c.k;
        EXPECT_EQ(i, c.tomadas) << "k " << c.k;
    }
}

TEST(Aleatorio, EnteroHastaEsUniforme) {
    // chi-square over 7 values with 6 degrees of freedom: 22.5 is its 0.999 quantile
    FlujoAleatorio f(3, kDominioSenal);
    std::int64_t i = 0;
    std::vector<double> cuenta(7, 0.0);
    const int n = 70000;
    for (int j = 0; j < n; ++j) ++cuenta[EnteroHasta(7, [&] { return f.Palabra(i++); })];
    double chi2 = 0;
    for (const double c : cuenta) chi2 += (c - n / 7.0) * (c - n / 7.0) / (n / 7.0);
    EXPECT_LT(chi2, 22.5);
}

TEST(Aleatorio, BoxMullerEnSusPuntosExactos) {
    const std::uint64_t medio = std::uint64_t{1} << 63;
    // u1 = 1: radius 0
    ParNormal z = BoxMuller(0, 12345);
    EXPECT_EQ(z.z0, 0.0L);
    EXPECT_EQ(z.z1, 0.0L);
    // u1 = 1/2, angle 0: (sqrt(2 ln 2), 0)
    const long double r = std::sqrt(2.0L * std::log(2.0L));
    z = BoxMuller(medio, 0);
    EXPECT_NEAR(static_cast<double>(z.z0), static_cast<double>(r), 1e-15);
    EXPECT_EQ(z.z1, 0.0L);
    // a quarter turn: (0, r) exactly in the angle
    z = BoxMuller(medio, std::uint64_t{1} << 62);
    EXPECT_EQ(z.z0, 0.0L);
    EXPECT_NEAR(static_cast<double>(z.z1), static_cast<double>(r), 1e-15);
    // half a turn
    z = BoxMuller(medio, medio);
    EXPECT_NEAR(static_cast<double>(z.z0), -static_cast<double>(r), 1e-15);
    EXPECT_EQ(z.z1, 0.0L);
}

TEST(Aleatorio, NormalTieneLosMomentosDeLaNormal) {
    // a million values: mean 0, deviation 1, skewness 0, kurtosis 3, 68.27 % within one deviation; each bound is
    // about five standard errors of its estimate
    NormalPorPosicion normal(20240601, kDominioSenal);
    const int n = 1000000;
    long double s1 = 0, s2 = 0, s3 = 0, s4 = 0;
    int dentro = 0;
    for (int i = 0; i < n; ++i) {
        const long double z = normal.Valor(i);
        s1 += z;
        s2 += z * z;
        s3 += z * z * z;
        s4 += z * z * z * z;
        if (std::fabs(z) < 1) ++dentro;
    }
    const double media = static_cast<double>(s1 / n);
    const double desviacion = static_cast<double>(std::sqrt(s2 / n - (s1 / n) * (s1 / n)));
    EXPECT_NEAR(media, 0.0, 0.005);
    EXPECT_NEAR(desviacion, 1.0, 0.0035);
    EXPECT_NEAR(static_cast<double>(s3 / n), 0.0, 0.0125);
    EXPECT_NEAR(static_cast<double>(s4 / n), 3.0, 0.05);
    EXPECT_NEAR(static_cast<double>(dentro) / n, 0.682689, 0.0024);
}

TEST(Aleatorio, FlujoEsElMotorSembradoPorBloques) {
    // word i is output i mod 4096 of an engine seeded with Mezcla(Mezcla(Mezcla(semilla) ^ dominio) + i / 4096)
    const std::uint64_t semilla = 77;
    for (const std::uint64_t dominio : {kDominioSenal, kDominioRuido}) {
        FlujoAleatorio f(semilla, dominio);
        for (const std::int64_t bloque : {0, 1, 5, 1000000}) {
            std::mt19937_64 motor(Mezcla(Mezcla(Mezcla(semilla) ^ dominio) + static_cast<std::uint64_t>(bloque)));
            for (std::int64_t j = 0; j < 4096; ++j) {
                const std::uint64_t esperada = motor();
                if (j % 511 == 0 || j == 4095) {
                    EXPECT_EQ(f.Palabra(bloque * 4096 + j), esperada) << bloque << " " << j;
                }
            }
        }
    }
}

TEST(Aleatorio, FlujoDaLoMismoEnCualquierOrden) {
    const int n = 10000;  // across two block boundaries
    FlujoAleatorio adelante(5, kDominioSenal);
    std::vector<std::uint64_t> w(n);
    for (int i = 0; i < n; ++i) w[i] = adelante.Palabra(i);
    FlujoAleatorio atras(5, kDominioSenal);
    for (int i = n - 1; i >= 0; --i) ASSERT_EQ(atras.Palabra(i), w[i]) << i;
    FlujoAleatorio saltos(5, kDominioSenal);
    std::mt19937_64 orden(1);
    for (int j = 0; j < n; ++j) {
        const int i = static_cast<int>(orden() % n);
        ASSERT_EQ(saltos.Palabra(i), w[i]) << i;
    }
}

TEST(Aleatorio, DominiosYSemillasDanFlujosDistintos) {
    FlujoAleatorio senal(1, kDominioSenal), ruido(1, kDominioRuido), otra(2, kDominioSenal);
    int iguales = 0;
    for (int i = 0; i < 1000; ++i) {
        const std::uint64_t w = senal.Palabra(i);
        iguales += (w == ruido.Palabra(i)) + (w == otra.Palabra(i));
    }
    EXPECT_EQ(iguales, 0);
}
