#pragma once
// The discrete Fourier transform of real sequences, by FFTW (its planner is not thread-safe: one thread).

#include <complex>
#include <cstddef>
#include <span>
#include <vector>

/// The transform of sequences of one length L: X(f) = sum over n of x(n) e^(-2 pi i f n / L), f = 0 .. L/2.
class Transformada {
public:
    explicit Transformada(std::size_t longitud);
    ~Transformada();
    Transformada(const Transformada&) = delete;
    Transformada& operator=(const Transformada&) = delete;

    /// X(0) .. X(L/2) of x (L values).
    const std::vector<std::complex<double>>& operator()(std::span<const double> x);

private:
    std::size_t n_;
    double* entrada_;
    void* salida_;  // fftw_complex[n/2 + 1]
    void* plan_;
    std::vector<std::complex<double>> resultado_;
};
