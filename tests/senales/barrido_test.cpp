// The chirp: its frequency at each sample, read back from the samples themselves, moves from the band's low
// edge to its high edge over one sweep; the sweep repeats and spans the levels.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "tests/senales/comun.h"

namespace {

ParametrosSenal Barrido(double fmin, double fmax, std::int32_t L, double minimo, double maximo) {
    ParametrosSenal p = De(TipoSenal::Barrido);
    p.frecuenciaMin = fmin;
    p.frecuenciaMax = fmax;
    p.longitud = L;
    p.minimo = minimo;
    p.maximo = maximo;
    return p;
}

}  // namespace

TEST(Barrido, FrecuenciaInstantaneaVaDelBordeBajoAlAlto) {
    // A sampled sine y = sin(w t + c) about its middle obeys y(t - 1) + y(t + 1) = 2 cos(w) y(t): w, in
    // fractions of pi, is the frequency at t. The sweep bends the phase by pi (f1 - f0) / L per sample squared,
    // which moves the reading by less than 10^-3 where |y| > 1/2.
    for (const ParametrosSenal& p :
         {Barrido(0.05, 0.6, 20000, -1, 1), Barrido(0.1, 0.9, 50000, 3, 5), Barrido(0.3, 0.3, 2000, -2, 2)}) {
        const std::vector<double> v = Valores(p, p.longitud);
        const double media = (p.minimo + p.maximo) / 2, amplitud = (p.maximo - p.minimo) / 2;
        int leidas = 0;
        double primera = -1, ultima = -1;
        for (std::int64_t t = 1; t + 1 < p.longitud; ++t) {
            const double y = (v[t] - media) / amplitud;
            if (std::fabs(y) < 0.5) continue;
            const double coseno = ((v[t - 1] - media) / amplitud + (v[t + 1] - media) / amplitud) / (2 * y);
            const double f = std::acos(std::clamp(coseno, -1.0, 1.0)) / std::numbers::pi;
            const double esperada = p.frecuenciaMin + (p.frecuenciaMax - p.frecuenciaMin) * t / p.longitud;
            ASSERT_NEAR(f, esperada, 1e-3) << Nombre(p) << " t " << t;
            if (primera < 0) primera = f;
            ultima = f;
            ++leidas;
        }
        EXPECT_GT(leidas, p.longitud / 3) << Nombre(p);
        EXPECT_NEAR(primera, p.frecuenciaMin, 2e-3) << Nombre(p);
        EXPECT_NEAR(ultima, p.frecuenciaMax, 2e-3) << Nombre(p);
    }
}

TEST(Barrido, EmpiezaEnElMedioYSeRepite) {
    const ParametrosSenal p = Barrido(0.01, 0.2, 400, 0.5, 2);
    const std::vector<double> v = Valores(p, 1200);
    EXPECT_EQ(v[0], 1.25);
    EXPECT_GT(v[1], 1.25);  // rising
    for (std::int64_t n = 0; n < 800; ++n) ASSERT_EQ(v[n + 400], v[n]) << n;
}

TEST(Barrido, CubreLosNiveles) {
    // the samples come within 1 % of the range of both levels over a sweep, and never beyond them
    for (const ParametrosSenal& p : {Barrido(0.01, 0.2, 400, 0.5, 2), Barrido(0.001, 0.05, 10000, -4, -1)}) {
        const std::vector<double> v = Valores(p, p.longitud);
        const auto [menor, mayor] = std::minmax_element(v.begin(), v.end());
        const double rango = p.maximo - p.minimo;
        EXPECT_LT(*menor, p.minimo + 0.01 * rango) << Nombre(p);
        EXPECT_GT(*mayor, p.maximo - 0.01 * rango) << Nombre(p);
        EXPECT_GE(*menor, p.minimo) << Nombre(p);
        EXPECT_LE(*mayor, p.maximo) << Nombre(p);
    }
}
