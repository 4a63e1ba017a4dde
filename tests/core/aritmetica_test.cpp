#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "base/aritmetica.h"
#include "tests/ayudas.h"

namespace {

template <typename F>
std::string MensajeDe(F&& f) {
    return TextoDelError<ErrorPuntoFlotante>(f);
}

}  // namespace

TEST(Aritmetica, DivisionComprobadaDaLosTextosDelUsuario) {
    EXPECT_EQ(MensajeDe([] { Dividir(1.0L, 0.0L); }), "Floating point division by zero");
    EXPECT_EQ(MensajeDe([] { Dividir(-1.0L, -0.0L); }), "Floating point division by zero");
    EXPECT_EQ(MensajeDe([] { Dividir(0.0L, 0.0L); }), "Invalid floating point operation");
    // a quotient beyond the extended range is an overflow, not an infinity
    EXPECT_EQ(MensajeDe([] { Dividir(LDBL_MAX, 0.5L); }), "Floating point overflow");
    EXPECT_EQ(Dividir(-1.0L, 20.0L), -1.0L / 20.0L);
    // underflow passes silently
    EXPECT_EQ(Dividir(LDBL_MIN, 1e30L) >= 0, true);
}

TEST(Aritmetica, GuardarFueraDeRangoEsDesbordamiento) {
    EXPECT_EQ(MensajeDe([] { aSingle(1e39L); }), "Floating point overflow");
    EXPECT_EQ(MensajeDe([] { aSingle(-1e39L); }), "Floating point overflow");
    EXPECT_EQ(MensajeDe([] { aDouble(1e309L); }), "Floating point overflow");
    EXPECT_EQ(MensajeDe([] { aDouble(std::numeric_limits<long double>::infinity()); }), "Floating point overflow");
    EXPECT_EQ(MensajeDe([] { aSingle(std::numeric_limits<long double>::quiet_NaN()); }),
              "Invalid floating point operation");
    // just above FLT_MAX but rounding to it is no overflow
    EXPECT_EQ(aSingle(static_cast<long double>(FLT_MAX) * (1 + 1e-9L)), FLT_MAX);
    // the first value that rounds past FLT_MAX is
    const long double mitad = std::ldexp(1.0L, 127) * (2 - std::ldexp(1.0L, -24));
    EXPECT_EQ(MensajeDe([&] { aSingle(mitad); }), "Floating point overflow");
    // underflow is silent
    EXPECT_EQ(aSingle(1e-60L), 0.0f);
    EXPECT_EQ(aDouble(1e-400L), 0.0);
    EXPECT_GT(aSingle(1e-40L), 0.0f);  // a subnormal Single
}

TEST(Aritmetica, GuardarRedondeaUnaVezAlParMasCercano) {
    // 1 + 2^-24 lies halfway between two Singles: ties go to the even one, 1
    EXPECT_EQ(aSingle(1.0L + std::ldexp(1.0L, -24)), 1.0f);
    EXPECT_EQ(aSingle(1.0L + 3 * std::ldexp(1.0L, -24)), 1.0f + 2 * std::ldexp(1.0f, -23));
    EXPECT_EQ(aDouble(1.0L + std::ldexp(1.0L, -53)), 1.0);
}

TEST(Aritmetica, RedondearAEnteroEsAlPar) {
    for (auto [v, n] : {std::pair{2.5L, 2},
                        {3.5L, 4},
                        {-2.5L, -2},
                        {3.29859567L, 3},
                        {167.0L, 167},
                        {-0.5L, 0},
                        {2147483647.0L, 2147483647}}) {
        EXPECT_EQ(Redondear(v), n) << static_cast<double>(v);
    }
    EXPECT_EQ(MensajeDe([] { Redondear(2147483648.0L); }), "Invalid floating point operation");
    EXPECT_EQ(MensajeDe([] { Redondear(-3e9L); }), "Invalid floating point operation");
}
