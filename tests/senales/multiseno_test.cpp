// The multisine: its grid and bins from edge to edge of the band, its exact extremes, its period, its crest
// factor, its spectrum against a direct discrete Fourier transform, and the Fourier sums its phases are
// searched with against the same direct sums.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "senales/fourier_exacto.h"
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
            Multiseno(0.002, 1, 1000, 20000, 0, 5), Multiseno(0.005, 0.1, 25, 2000)};
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
    for (const Caso& c : {Caso{{2, 39}, 10, {2, 6, 10, 15, 19, 23, 27, 32, 36, 40}},  // k 38 / 9 rounded
                          {{2, 39}, 2, {2, 40}},
                          {{2, 39}, 1, {21}},  // the middle bin
                          {{5, 3}, 3, {5, 6, 7}},
                          {{1, 10}, 4, {1, 4, 7, 10}},  // 9 / 3: evenly spaced
                          // 25 sines over bins 5 .. 100 (0.005 to 0.1 of Nyquist, L = 2000): k 95 / 24 rounded
                          {{5, 96}, 25, {5, 9, 13, 17, 21, 25, 29, 33, 37, 41, 45, 49, 53,
                                          56, 60, 64, 68, 72, 76, 80, 84, 88, 92, 96, 100}}}) {
        EXPECT_EQ(BinsMultiseno(c.r, c.K), c.bins) << c.r.primera << " " << c.r.cuenta << " K " << c.K;
    }
    // every band and count: first and last bin of the band, neighbours d or d + 1 apart, d = (M - 1) / (K - 1)
    for (std::int64_t M = 2; M <= 60; ++M)
        for (std::int64_t K = 2; K <= M; ++K) {
            const std::vector<std::int64_t> b = BinsMultiseno({7, M}, K);
            ASSERT_EQ(b.front(), 7) << M << " " << K;
            ASSERT_EQ(b.back(), 7 + M - 1) << M << " " << K;
            const std::int64_t d = (M - 1) / (K - 1);
            for (std::size_t k = 1; k < b.size(); ++k)
                ASSERT_TRUE(b[k] - b[k - 1] == d || b[k] - b[k - 1] == d + 1) << M << " " << K << " " << k;
        }
    EXPECT_EQ(SenalMultiseno(Multiseno(0.01, 0.2, 39, 400)).Bins().size(), 39u);
}

// The lines of the signal, read by a direct transform of its period, lie on the band's first and last bins:
// 25 sines asked for 0.005 to 0.1 of Nyquist span 0.005 to 0.1, not the 0.016 to 0.088 of a centred even grid.
TEST(Multiseno, CubreLaBandaDeBordeABorde) {
    for (const ParametrosSenal& p : {Multiseno(0.005, 0.1, 25, 2000), Multiseno(0.01, 0.2, 10, 400),
                                     Multiseno(0.1, 0.3, 20, 1001, -7, -3)}) {
        const std::vector<double> v = Valores(p, p.longitud);
        const long double linea = std::abs(Bin(v, SenalMultiseno(p).Bins()[0]));
        std::vector<double> excitadas;  // fractions of Nyquist
        for (std::int64_t f = 1; f <= p.longitud / 2; ++f)
            if (std::abs(Bin(v, f)) > 0.5 * linea) excitadas.push_back(2.0 * static_cast<double>(f) / p.longitud);
        ASSERT_EQ(excitadas.size(), static_cast<std::size_t>(p.componentes)) << Nombre(p);
        const double bin = 2.0 / p.longitud;
        EXPECT_GE(excitadas.front(), p.frecuenciaMin - 1e-9) << Nombre(p);
        EXPECT_LT(excitadas.front(), p.frecuenciaMin + bin) << Nombre(p);
        EXPECT_LE(excitadas.back(), p.frecuenciaMax + 1e-9) << Nombre(p);
        EXPECT_GT(excitadas.back(), p.frecuenciaMax - bin) << Nombre(p);
    }
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

TEST(Multiseno, EspectroSoloEnSusBinsConSusFases) {
    // X_f = (L / 2) b e^(2 pi i v_k) at the bin f_k of sine k, 0 at every other bin but the mean; on evenly
    // spaced bins (20 sines over 39 bins: 2 apart) v_k is Schroeder's -k (k + 1) / (2 K)
    for (const auto& [p, schroeder] : {std::pair{Multiseno(0.01, 0.2, 20, 400, 0.5, 2), true},
                                       {Multiseno(0.01, 0.2, 10, 400, 0.5, 2), false},
                                       {Multiseno(0.1, 0.3, 20, 1001, -7, -3), false}}) {
        const std::vector<double> v = Valores(p, p.longitud);
        const SenalMultiseno senal(p);
        const std::vector<std::int64_t>& bins = senal.Bins();
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
            const long double vueltas = schroeder ? -static_cast<long double>(k * (k + 1)) / (2 * K) : senal.Fases()[k];
            const long double fase = 2 * std::numbers::pi_v<long double> * vueltas;
            const long double diferencia = std::arg(X * std::polar(1.0L, -fase));  // compared on the circle
            EXPECT_NEAR(static_cast<double>(diferencia), 0.0, 1e-12) << Nombre(p) << " sine " << k;
        }
    }
}

// The Fourier sums of SumasFourier against the direct sums at extended precision with the C library's cosine
// and sine, on lengths of every kind: 1, a prime, a power of two, a product of small primes.
TEST(Multiseno, SumasFourierComoLasDirectas) {
    for (const std::int64_t L : {1, 2, 7, 256, 1001}) {
        std::vector<double> re(static_cast<std::size_t>(L)), im(re.size());
        for (std::int64_t m = 0; m < L; ++m) {
            re[m] = std::cos(0.7 * m * m + 1) + (m == 3 ? 5 : 0);
            im[m] = std::sin(1.3 * m) - 0.25;
        }
        std::vector<double> reA = re, imA = im;
        SumasFourier(L).Sumar(reA, imA);
        long double escala = 0;
        std::vector<std::complex<long double>> directa(re.size());
        for (std::int64_t n = 0; n < L; ++n) {
            for (std::int64_t m = 0; m < L; ++m) {
                const long double a = 2.0L * std::numbers::pi_v<long double> * static_cast<long double>((m * n) % L) / L;
                directa[n] += std::complex<long double>(re[m], im[m]) * std::polar(1.0L, a);
            }
            escala = std::max(escala, std::abs(directa[n]));
        }
        for (std::int64_t n = 0; n < L; ++n)
            EXPECT_LT(static_cast<double>(std::abs(std::complex<long double>(reA[n], imA[n]) - directa[n]) / escala),
                      1e-13)
                << "L " << L << " n " << n;
    }
}
