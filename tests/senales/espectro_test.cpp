// The power spectrum against a direct discrete Fourier transform, for lengths that go through Eigen's FFT
// directly and lengths with a large prime factor, which go through Bluestein's form.

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

#include "senales/espectro.h"

namespace {

// The one-sided periodogram by its definition: the mean removed, each bin summed directly at extended
// precision with the C library's cosine and sine.
std::vector<long double> Directo(const std::vector<double>& x) {
    const std::int64_t N = static_cast<std::int64_t>(x.size());
    long double media = 0;
    for (const double v : x) media += v;
    media /= N;
    std::vector<long double> p;
    for (std::int64_t k = 0; k <= N / 2; ++k) {
        std::complex<long double> s = 0;
        for (std::int64_t n = 0; n < N; ++n) {
            const long double a = -2.0L * std::numbers::pi_v<long double> * static_cast<long double>((k * n) % N) / N;
            s += (x[n] - media) * std::complex<long double>(std::cos(a), std::sin(a));
        }
        p.push_back(std::norm(s) / (static_cast<long double>(N) * N) * (k > 0 && 2 * k < N ? 2 : 1));
    }
    return p;
}

}  // namespace

TEST(Espectro, ComoLaTransformadaDirecta) {
    std::mt19937_64 azar(11);
    std::normal_distribution<double> normal(3.0, 2.0);  // any numbers: the oracle uses the same ones
    for (const std::size_t N : {2u, 3u, 16u, 60u, 64u, 97u, 127u, 250u, 1000u, 1009u, 2310u}) {
        std::vector<double> x(N);
        for (double& v : x) v = normal(azar);
        const Espectro e = EspectroPotencia(x);
        const std::vector<long double> d = Directo(x);
        ASSERT_EQ(e.potencia.size(), N / 2 + 1);
        ASSERT_EQ(e.frecuencia.size(), N / 2 + 1);
        long double total = 0;
        for (const long double p : d) total += p;
        for (std::size_t k = 0; k < d.size(); ++k) {
            EXPECT_NEAR(e.potencia[k], static_cast<double>(d[k]), 1e-12 * static_cast<double>(total))
                << "N " << N << " k " << k;
            EXPECT_DOUBLE_EQ(e.frecuencia[k], 2.0 * k / N) << "N " << N << " k " << k;
        }
        EXPECT_EQ(e.frecuencia.back(), N % 2 == 0 ? 1.0 : 2.0 * (N / 2) / N);
    }
}

TEST(Espectro, ParsevalYUnaSinusoide) {
    // 3 + 2 cos(2 pi 5 n / 64): all its power, 2^2 / 2, at bin 5, frequency 10 / 64 of Nyquist
    std::vector<double> x(64);
    for (int n = 0; n < 64; ++n) x[n] = 3 + 2 * std::cos(2 * std::numbers::pi * 5 * n / 64);
    const Espectro e = EspectroPotencia(x);
    for (std::size_t k = 0; k < e.potencia.size(); ++k) EXPECT_NEAR(e.potencia[k], k == 5 ? 2.0 : 0.0, 1e-13) << k;
    EXPECT_EQ(e.frecuencia[5], 10.0 / 64);

    // the powers add up to the mean square about the mean
    std::mt19937_64 azar(5);
    std::uniform_real_distribution<double> u(-4, 9);
    for (const std::size_t N : {1024u, 4099u}) {
        std::vector<double> y(N);
        long double s = 0, s2 = 0;
        for (double& v : y) {
            v = u(azar);
            s += v;
            s2 += static_cast<long double>(v) * v;
        }
        const double varianza = static_cast<double>(s2 / N - (s / N) * (s / N));
        long double suma = 0;
        for (const double p : EspectroPotencia(y).potencia) suma += p;
        EXPECT_NEAR(static_cast<double>(suma), varianza, 1e-12 * varianza) << N;
    }
}

TEST(Espectro, MenosDeDosMuestrasNoTienenEspectro) {
    EXPECT_TRUE(EspectroPotencia(std::vector<double>{}).potencia.empty());
    EXPECT_TRUE(EspectroPotencia(std::vector<double>{4.0}).frecuencia.empty());
}
