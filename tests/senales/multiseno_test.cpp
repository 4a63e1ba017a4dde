// The multisine: its grid and bins, its exact extremes, its period, its crest factor with Schroeder's phases,
// and its spectrum against a direct discrete Fourier transform.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "senales/multiseno.h"
#include "tests/senales/comun.h"

namespace {

ParametrosSenal Multiseno(double fmin, double fmax, std::int32_t K, std::int32_t L, double minimo = -1,
                          double maximo = 1) {
    ParametrosSenal p = De(TipoSenal::Multiseno);
    p.frecuenciaMin = fmin;
    p.frecuenciaMax = fmax;
    p.componentes = K;
    p.longitud = L;
    p.minimo = minimo;
    p.maximo = maximo;
    return p;
}

// The cases of the tests below: bands, sizes and levels of several kinds.
std::vector<ParametrosSenal> Casos() {
    return {Multiseno(0.01, 0.2, 10, 400, 0.5, 2), Multiseno(0.01, 0.2, 39, 400),
            Multiseno(0.05, 1, 10, 1000),          Multiseno(0.1, 0.3, 20, 1001, -7, -3),
            Multiseno(0.001, 0.5, 50, 4096),       Multiseno(0.3, 0.9, 100, 2000, 0, 1e300),
            Multiseno(0.002, 1, 1000, 20000, 0, 5)};
}

// DFT bin f of one period, directly, at extended precision, with the C library's cosine and sine.
std::complex<long double> Bin(const std::vector<double>& x, std::int64_t f) {
    const std::int64_t L = static_cast<std::int64_t>(x.size());
    std::complex<long double> s = 0;
    for (std::int64_t n = 0; n < L; ++n) {
        const long double a = -2.0L * std::numbers::pi_v<long double> * static_cast<long double>((f * n) % L) / L;
        s += static_cast<long double>(x[n]) * std::complex<long double>(std::cos(a), std::sin(a));
    }
    return s;
}

}  // namespace

TEST(Multiseno, RejillaDeLaBanda) {
    struct Caso {
        double fmin, fmax;
        std::int64_t L, primera, cuenta;
    };
    for (const Caso& c : {Caso{0.01, 0.2, 400, 2, 39},  // 0.01 x 200 is 2 within the slack
                          {0.5, 0.5, 400, 100, 1},      // one bin
                          {1, 1, 400, 200, 0},          // Nyquist is no bin of its own
                          {0.99, 1, 400, 198, 2},
                          {0.3, 0.7, 10, 2, 2},          // bins 1.5 .. 3.5
                          {0.1, 1, 11, 1, 5},            // odd length: up to (L - 1)/2
                          {0.001, 1, 2, 1, 0},           // two samples hold no bin
                          {0.001, 0.004, 400, 1, 0}}) {  // the band falls between 0 and bin 1
        const Rejilla r = RejillaMultiseno(c.fmin, c.fmax, c.L);
        EXPECT_EQ(r.cuenta, c.cuenta) << c.fmin << ".." << c.fmax << " L " << c.L;
        if (c.cuenta > 0) {
            EXPECT_EQ(r.primera, c.primera) << c.fmin << ".." << c.fmax << " L " << c.L;
        }
    }
}

TEST(Multiseno, BinsRepartidosPorLaBanda) {
    struct Caso {
        Rejilla r;
        std::int64_t K;
        std::vector<std::int64_t> bins;
    };
    for (const Caso& c : {Caso{{2, 39}, 10, {3, 7, 11, 15, 19, 23, 27, 31, 35, 39}},  // d = 38 / 9 = 4, centred
                          {{2, 39}, 2, {2, 40}},
                          {{2, 39}, 1, {21}},  // the middle bin
                          {{5, 3}, 3, {5, 6, 7}},
                          {{1, 10}, 4, {1, 4, 7, 10}}}) {
        EXPECT_EQ(BinsMultiseno(c.r, c.K), c.bins) << c.r.primera << " " << c.r.cuenta << " K " << c.K;
    }
    EXPECT_EQ(SenalMultiseno(Multiseno(0.01, 0.2, 39, 400)).Bins().size(), 39u);
}

TEST(Multiseno, ExtremosSonMinimoYMaximoExactos) {
    for (const ParametrosSenal& p : Casos()) {
        const std::vector<double> v = Valores(p, p.longitud);
        const auto [menor, mayor] = std::minmax_element(v.begin(), v.end());
        EXPECT_EQ(*menor, p.minimo) << Nombre(p);
        EXPECT_EQ(*mayor, p.maximo) << Nombre(p);
    }
    // one sine: a cosine from its crest
    const ParametrosSenal uno = Multiseno(0.5, 0.5, 1, 400, 2, 3);
    EXPECT_EQ(Valores(uno, 1)[0], 3.0);
}

TEST(Multiseno, SeRepiteCadaLongitud) {
    for (const ParametrosSenal& p : Casos()) {
        const std::vector<double> v = Valores(p, 3 * p.longitud);
        for (std::int64_t n = 0; n < 2 * p.longitud; ++n) ASSERT_EQ(v[n + p.longitud], v[n]) << Nombre(p) << " " << n;
    }
}

TEST(Multiseno, FactorDeCrestaSchroederDebajoDe2) {
    // peak over rms about the mean; sines in phase would give sqrt(2K), 4.5 for K = 10
    for (const ParametrosSenal& p : Casos()) {
        if (p.componentes < 10) continue;
        const std::vector<double> v = Valores(p, p.longitud);
        long double media = 0;
        for (const double x : v) media += x;
        media /= p.longitud;
        long double pico = 0, cuadrados = 0;
        for (const double x : v) {
            pico = std::max(pico, std::fabs(x - media));
            cuadrados += (x - media) * (x - media);
        }
        const double cresta = static_cast<double>(pico / std::sqrt(cuadrados / p.longitud));
        EXPECT_LT(cresta, 2.0) << Nombre(p);
        EXPECT_GT(cresta, 1.0) << Nombre(p);
    }
}

TEST(Multiseno, EspectroSoloEnSusBinsConFasesDeSchroeder) {
    // X_f = (L / 2) b e^(i phi_k) at the bin f_k of sine k, 0 at every other bin but the mean
    for (const ParametrosSenal& p : {Multiseno(0.01, 0.2, 10, 400, 0.5, 2), Multiseno(0.1, 0.3, 20, 1001, -7, -3)}) {
        const std::vector<double> v = Valores(p, p.longitud);
        const std::vector<std::int64_t> bins = SenalMultiseno(p).Bins();
        const long double linea = std::abs(Bin(v, bins[0]));
        ASSERT_GT(linea, 0) << Nombre(p);
        const std::int64_t K = p.componentes;
        for (std::int64_t f = 1; f <= p.longitud / 2; ++f) {
            const std::complex<long double> X = Bin(v, f);
            const auto k = std::find(bins.begin(), bins.end(), f) - bins.begin();
            if (k == K) {
                EXPECT_LT(std::abs(X) / linea, 1e-12) << Nombre(p) << " bin " << f;
                continue;
            }
            EXPECT_NEAR(static_cast<double>(std::abs(X) / linea), 1.0, 1e-12) << Nombre(p) << " bin " << f;
            // -pi k (k + 1) / K, compared on the circle
            const long double fase = -std::numbers::pi_v<long double> * static_cast<long double>(k * (k + 1)) / K;
            const long double diferencia = std::arg(X * std::polar(1.0L, -fase));
            EXPECT_NEAR(static_cast<double>(diferencia), 0.0, 1e-12) << Nombre(p) << " sine " << k;
            const double frecuencia = 2.0 * static_cast<double>(f) / p.longitud;
            EXPECT_GE(frecuencia, p.frecuenciaMin - 1e-9);
            EXPECT_LE(frecuencia, p.frecuenciaMax + 1e-9);
        }
    }
}
