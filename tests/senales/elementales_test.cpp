// The elementary functions written for bit-for-bit signals: exact where the reduction makes them exact,
// and against the C library's extended-precision functions (the outside reference) elsewhere.

#include <gtest/gtest.h>

#include <cmath>

#include "base/aritmetica.h"
#include "senales/elementales.h"
#include "tests/senales/comun.h"

namespace {

constexpr long double kDosPi = 6.283185307179586476925286766559005768L;

}  // namespace

TEST(Elementales, CuartosDeVueltaSonExactos) {
    struct Caso {
        long double v, coseno, seno;
    };
    for (const Caso& c : {Caso{0, 1, 0},
                          {0.25L, 0, 1},
                          {0.5L, -1, 0},
                          {0.75L, 0, -1},
                          {1, 1, 0},
                          {-0.25L, 0, -1},
                          {-0.5L, -1, 0},
                          {1e6L + 0.5L, -1, 0},  // whole turns are removed exactly
                          {-123456789.75L, 0, 1}}) {
        EXPECT_EQ(CosenoVueltas(c.v), c.coseno) << static_cast<double>(c.v);
        EXPECT_EQ(SenoVueltas(c.v), c.seno) << static_cast<double>(c.v);
    }
}

TEST(Elementales, CosenoYSenoComoLosDeLaBiblioteca) {
    // 2 pi v rounded to extended precision, with |v| <= 2, is within 2^-61 of the true angle; the functions
    // differ from cosl and sinl by less than that plus a few units of the last place
    int casos = 0;
    for (long double v = -2.0L; v <= 2.0L; v += 0.0009765625L / 3) {
        const long double x = kDosPi * v;
        ASSERT_NEAR(static_cast<double>(CosenoVueltas(v) - std::cos(x)), 0.0, 1e-17) << static_cast<double>(v);
        ASSERT_NEAR(static_cast<double>(SenoVueltas(v) - std::sin(x)), 0.0, 1e-17) << static_cast<double>(v);
        const long double c = CosenoVueltas(v), s = SenoVueltas(v);
        ASSERT_NEAR(static_cast<double>(c * c + s * s - 1.0L), 0.0, 1e-18) << static_cast<double>(v);
        ++casos;
    }
    EXPECT_GT(casos, 12000);
}

TEST(Elementales, LogaritmoComoElDeLaBiblioteca) {
    // within four units of the last place of logl's result: the series lands within 2.6 of the exact logarithm
    // (at 0.885, the worst of the grid), and logl, which runs the processor's own x87 instruction, within one
    const auto ulps = [](long double a, long double b) {
        return static_cast<double>(std::fabs(a - b) / (std::nextafter(std::fabs(b), INFINITY) - std::fabs(b)));
    };
    for (const long double x : {1e-300L, 0x1.0p-53L, 1e-10L, 0.1L, 0.5L, 0.70710678L, 0.9999999999L, 1.0000000001L,
                                1.5L, 3.0L, 10.0L, 12345.678L, 1e300L, 1e4000L}) {
        EXPECT_LE(ulps(Logaritmo(x), std::log(x)), 4.0) << static_cast<double>(x);
    }
    // over (0, 1], where Box-Muller takes it
    for (long double x = 0.001L; x <= 1.0L; x += 0.001L)
        ASSERT_LE(ulps(Logaritmo(x), std::log(x)), 4.0) << static_cast<double>(x);
}

TEST(Elementales, LogaritmoExacto) {
    EXPECT_EQ(Logaritmo(1.0L), 0.0L);
    EXPECT_EQ(Logaritmo(2.0L), 0.693147180559945309417232121458176568L);
    EXPECT_EQ(Logaritmo(0.5L), -0.693147180559945309417232121458176568L);
}

TEST(Elementales, LogaritmoRechazaLoQueNoEsPositivo) {
    for (const long double x : {0.0L, -0.0L, -1.0L, static_cast<long double>(INFINITY), static_cast<long double>(NAN)})
        EXPECT_EQ(TextoDelError<ErrorPuntoFlotante>([&] { Logaritmo(x); }), kOperacionInvalida)
            << static_cast<double>(x);
}
