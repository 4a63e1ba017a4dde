#pragma once
// The power spectrum of a stretch of a signal, for a plot.

#include <span>
#include <vector>

struct Espectro {
    std::vector<double> frecuencia;  // 2 k / N: fractions of the Nyquist frequency, 0 to 1
    std::vector<double> potencia;    // power of bin k in the signal's units squared
};

/// The one-sided periodogram of x (N samples) with its mean removed: bins k = 0 .. N/2 (whole division),
/// power |X_k|^2 / N^2, doubled for the bins that have a mirror image (0 < k < N/2), so that the powers add up
/// to the mean square of x about its mean. Empty for N < 2. The transform is Eigen's FFT; a length with a
/// prime factor above 61 goes through Bluestein's chirp-z form on a power of two, so every length costs
/// O(N log N). Throws ErrorPuntoFlotante (overflow) for samples beyond about 10^154.
Espectro EspectroPotencia(std::span<const double> x);
