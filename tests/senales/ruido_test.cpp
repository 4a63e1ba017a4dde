// The measurement noise: its deviation over a million samples, exactly nothing at deviation 0, the same
// value for the same sample, and apart from a signal drawn with the same seed.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "base/aritmetica.h"
#include "senales/ruido.h"
#include "tests/senales/comun.h"

TEST(Ruido, DesviacionDentroDel1PorCiento) {
    // the sample deviation of 10^6 normal values has a standard error of 0.07 %; 1 % is far outside it
    struct Caso {
        double s;
        std::uint64_t semilla;
    };
    for (const Caso& c : {Caso{1.0, 1}, {0.001, 2}, {0.05, 12345}, {3.7, 0}, {1e5, 99}}) {
        Ruido r({c.s, c.semilla});
        const int n = 1000000;
        long double s1 = 0, s2 = 0;
        for (int i = 0; i < n; ++i) {
            const long double x = r.Valor(i);
            s1 += x;
            s2 += x * x;
        }
        const long double media = s1 / n;
        const double desviacion = static_cast<double>(std::sqrt(s2 / n - media * media));
        EXPECT_NEAR(desviacion / c.s, 1.0, 0.01) << "s " << c.s;
        EXPECT_NEAR(static_cast<double>(media) / c.s, 0.0, 0.005) << "s " << c.s;
    }
}

TEST(Ruido, DesviacionCeroEsExactamenteCero) {
    for (const double s : {0.0, -0.0}) {
        Ruido r({s, 7});
        EXPECT_TRUE(r.Nulo());
        for (std::int64_t n = 0; n < 10000; ++n) {
            const double x = r.Valor(n);
            ASSERT_EQ(x, 0.0) << n;
            ASSERT_FALSE(std::signbit(x)) << n;
        }
    }
    EXPECT_FALSE(Ruido({1e-300, 7}).Nulo());
}

TEST(Ruido, DesviacionNegativaSeRechaza) {
    for (const double s : {-1.0, -1e-300, -std::numeric_limits<double>::infinity(), std::nan("")}) {
        EXPECT_EQ(TextoDelError<ErrorTanque>([&] { Ruido r({s, 1}); }), kMensajeRuidoNegativo) << s;
        EXPECT_EQ(TextoDelError<ErrorTanque>([&] { ComprobarRuido({s, 1}); }), kMensajeRuidoNegativo) << s;
    }
    EXPECT_EQ(TextoDelError<ErrorTanque>([&] { ComprobarRuido({0.0, 1}); }), "(sin error)");
}

TEST(Ruido, MismoValorParaLaMismaMuestra) {
    const int n = 10000;
    Ruido adelante({0.25, 3});
    std::vector<double> v(n);
    for (int i = 0; i < n; ++i) v[i] = adelante.Valor(i);
    Ruido atras({0.25, 3});
    for (int i = n - 1; i >= 0; --i) ASSERT_EQ(atras.Valor(i), v[i]) << i;
    std::mt19937_64 azar(2);
    for (int j = 0; j < n; ++j) {
        const int i = static_cast<int>(azar() % n);
        ASSERT_EQ(atras.Valor(i), v[i]) << i;
    }
    EXPECT_EQ(atras.Valor(-3), v[0]);
    // value n is s z_n of the noise's own domain
    NormalPorPosicion z(3, kDominioRuido);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(v[i], aDouble(0.25 * z.Valor(i))) << i;
}

TEST(Ruido, ApartadoDeUnaSenalConLaMismaSemilla) {
    // the correlation of the noise with a Gaussian signal of the same seed is that of independent values:
    // within 5 / sqrt(n)
    const int n = 100000;
    Ruido r({1.0, 1});
    ParametrosSenal p = De(TipoSenal::Gaussiana);
    p.periodo = 1;
    p.minimo = -100;
    p.maximo = 100;  // deviation 50, so that clipping never happens
    p.semilla = 1;
    GeneradorSenal g(p);
    long double sxy = 0, sxx = 0, syy = 0;
    for (int i = 0; i < n; ++i) {
        const long double x = r.Valor(i), y = g.Valor(i);
        sxy += x * y;
        sxx += x * x;
        syy += y * y;
    }
    EXPECT_LT(std::fabs(static_cast<double>(sxy / std::sqrt(sxx * syy))), 5 / std::sqrt(double(n)));
    Ruido otra({1.0, 2});
    int iguales = 0;
    for (int i = 0; i < 1000; ++i) iguales += Ruido({1.0, 1}).Valor(i) == otra.Valor(i);
    EXPECT_EQ(iguales, 0);
}

TEST(Ruido, DesviacionEnormeDesbordaComoElRestoDeLaAritmetica) {
    Ruido r({1e308, 1});
    std::string error = "(sin error)";
    for (int i = 0; i < 100 && error == "(sin error)"; ++i)
        error = TextoDelError<ErrorPuntoFlotante>([&] { r.Valor(i); });
    EXPECT_EQ(error, kDesbordamiento);
}
