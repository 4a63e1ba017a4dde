#include "senales/espectro.h"

#include <complex>
#include <cstdint>
#include <unsupported/Eigen/FFT>

#include "base/aritmetica.h"
#include "senales/elementales.h"

namespace {

using Complejo = std::complex<double>;

// The largest prime factor of n >= 1 (1 for n = 1), by trial division.
std::int64_t FactorPrimoMayor(std::int64_t n) {
    std::int64_t mayor = 1;
    for (std::int64_t p = 2; p * p <= n; ++p)
        while (n % p == 0) {
            n /= p;
            mayor = p;
        }
    return n > 1 ? n : mayor;
}

// X_k = sum x_n e^(-2 pi i k n / N) by Bluestein: k n = (k^2 + n^2 - (k - n)^2) / 2 turns the transform into
// a convolution with the chirp c_m = e^(pi i m^2 / N), done by FFTs of a power of two M >= 2N - 1:
// X_k = conj(c_k) sum_n (x_n conj(c_n)) c_(k-n).
std::vector<Complejo> Bluestein(const std::vector<Complejo>& x, Eigen::FFT<double>& fft) {
    const std::int64_t N = static_cast<std::int64_t>(x.size());
    std::int64_t M = 1;
    while (M < 2 * N - 1) M *= 2;
    std::vector<Complejo> c(static_cast<std::size_t>(N));
    for (std::int64_t n = 0; n < N; ++n) {
        // n^2 / (2N) turns, reduced exactly in whole numbers
        const long double v = Dividir((n * n) % (2 * N), 2 * N);
        c[n] = Complejo(aDouble(CosenoVueltas(v)), aDouble(SenoVueltas(v)));
    }
    std::vector<Complejo> a(static_cast<std::size_t>(M)), b(static_cast<std::size_t>(M));
    for (std::int64_t n = 0; n < N; ++n) a[n] = x[n] * std::conj(c[n]);
    b[0] = c[0];
    for (std::int64_t m = 1; m < N; ++m) b[m] = b[M - m] = c[m];
    std::vector<Complejo> A, B, convolucion;
    fft.fwd(A, a);
    fft.fwd(B, b);
    for (std::int64_t k = 0; k < M; ++k) A[k] *= B[k];
    fft.inv(convolucion, A);  // Eigen scales the inverse by 1 / M
    std::vector<Complejo> X(static_cast<std::size_t>(N));
    for (std::int64_t k = 0; k < N; ++k) X[k] = std::conj(c[k]) * convolucion[k];
    return X;
}

}  // namespace

Espectro EspectroPotencia(std::span<const double> x) {
    const std::int64_t N = static_cast<std::int64_t>(x.size());
    Espectro e;
    if (N < 2) return e;
    long double suma = 0.0L;
    for (const double v : x) suma += v;
    const long double media = Dividir(suma, N);
    std::vector<Complejo> centrada(x.size());
    for (std::size_t n = 0; n < x.size(); ++n) centrada[n] = aDouble(x[n] - media);

    Eigen::FFT<double> fft;
    std::vector<Complejo> X;
    if (FactorPrimoMayor(N) > 61)
        X = Bluestein(centrada, fft);
    else
        fft.fwd(X, centrada);

    const std::int64_t bins = N / 2 + 1;
    e.frecuencia.resize(static_cast<std::size_t>(bins));
    e.potencia.resize(static_cast<std::size_t>(bins));
    const long double N2 = static_cast<long double>(N) * N;
    for (std::int64_t k = 0; k < bins; ++k) {
        const long double re = X[k].real(), im = X[k].imag();
        const bool espejo = k > 0 && 2 * k < N;  // X_(N-k) is the conjugate of X_k
        e.frecuencia[k] = aDouble(Dividir(2 * k, N));
        e.potencia[k] = aDouble(Dividir((re * re + im * im) * (espejo ? 2 : 1), N2));
    }
    return e;
}
