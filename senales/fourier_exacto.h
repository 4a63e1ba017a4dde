#pragma once
// The discrete Fourier sums of one length, with the same bits on every machine: a library's FFT takes its
// twiddles from the C library's cosine and its code path from the processor, so its last bits differ between
// machines, and a signal built by iterating on them would differ in more than its last bits.

#include <cstdint>
#include <vector>

/// A_n = sum over m = 0 .. L-1 of z_m e^(2 pi i m n / L), n = 0 .. L-1, in O(L log L): Bluestein's chirp,
/// m n = (m^2 + n^2 - (n - m)^2) / 2, turns the sum into a convolution, which a radix-2 FFT of a power of two
/// P >= 2 L - 1 computes. The chirp's turns are reduced exactly in whole numbers, every cosine and sine comes
/// from elementales.h, and the sums are made in Doubles in a fixed order. Memory: about 7 P Doubles.
class SumasFourier {
public:
    /// For sums of `longitud` terms, 1 <= L <= 10^6.
    explicit SumasFourier(std::int64_t longitud);

    /// z = re + i im (L values each) replaced by its sums A.
    void Sumar(std::vector<double>& re, std::vector<double>& im);

    std::int64_t Longitud() const { return longitud_; }

private:
    // The FFT of the P points in place, e^(-2 pi i j k / P), by decimation in frequency: its output in
    // bit-reversed order, which the product with the filter (transformed the same way) does not mind.
    void Directa(std::vector<double>& re, std::vector<double>& im) const;
    // The inverse sums e^(+2 pi i j k / P) of points in bit-reversed order, by decimation in time, to the
    // natural order: so no pass ever reorders the points.
    void Inversa(std::vector<double>& re, std::vector<double>& im) const;
    // One stage, butterflies of half-span `mitad`, on the points desde .. desde + puntos - 1.
    void Etapa(std::vector<double>& re, std::vector<double>& im, std::size_t desde, std::size_t puntos,
               std::size_t mitad, bool directa) const;

    std::int64_t longitud_;
    std::size_t puntos_;
    std::vector<double> giroRe_, giroIm_;      // e^(i pi j / m), j < m, for m = 1, 2, 4 .. P/2 in turn
    std::vector<double> chirpRe_, chirpIm_;    // b_n = e^(i pi n^2 / L), n < L
    std::vector<double> filtroRe_, filtroIm_;  // the FFT of conj(b_j), j = -(L-1) .. L-1 laid round P, over P
    std::vector<double> re_, im_;              // the working P points
};
