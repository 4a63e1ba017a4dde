#pragma once
// The phases of the multisine's sines, chosen for a low crest factor (peak over root mean square).
//
// Schroeder's phases -pi k (k + 1) / K make the sum of K evenly spaced sines a chirp that sweeps the band once
// every L / d samples (d the spacing in bins), with a crest factor near 1.8. Bins spread from edge to edge of a
// band seldom are evenly spaced (spacings d and d + 1 when d does not divide the band), and then the sweeps of
// the period drift apart and Schroeder's phases give 2.1 to 2.8. On such bins Schroeder's phases are the start
// of a search that lowers the peak: the p-norm (sum over the period of x(n)^p)^(1/p), p = 8 and then 32, which
// tends to the peak as p grows, minimised over the phases by a limited-memory BFGS with a fixed number of steps.
// Its sums of sines go through SumasFourier and elementales, so the phases have the same bits on every machine.

#include <cstdint>
#include <vector>

/// The phases in turns of sines at the bins `bins` (increasing, 0 < f < L/2) of a period of L samples:
/// Schroeder's, -(k (k + 1) mod 2 K) / (2 K), when the bins are evenly spaced (or fewer than 3); else, reduced to [-1/2, 1/2], the phases of the lowest peak that the search meets,
/// Schroeder's included.
std::vector<long double> FasesMultiseno(const std::vector<std::int64_t>& bins, std::int64_t longitud);

/// The steps of the search at each of its two norms, for a period of L samples: 10 up to 2^17 samples (well
/// under a second), then half as many each time the period doubles, so that the search never takes much longer
/// than the sum of the period itself: 2 steps for 10^6 samples.
int PasosBusquedaFases(std::int64_t longitud);
