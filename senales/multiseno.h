#pragma once
// The multisine: K sines of equal amplitude with phases of a low crest factor, on the frequency grid of its
// period, spread from edge to edge of its band.
//
// The period is `longitud` samples (L) and every sine makes a whole number of cycles in it: its frequency
// is a bin f of the grid, f / L cycles per sample, 2 f / L of the Nyquist frequency. So the signal repeats
// exactly every L samples and its lowest and highest values over one period are those of the whole signal;
// they are made exactly minimo and maximo. The bins usable are those of the band, 0 < f < L/2: neither the
// mean nor the Nyquist frequency, where cos(pi n + phi) = (-1)^n cos phi and the phase would only scale the
// sine. When the band holds fewer bins than K the parameters are refused with a message that says how many
// it holds (no fewer sines are made quietly).

#include <cstdint>
#include <vector>

#include "senales/parametros.h"
#include "senales/senal.h"

/// The bins of the band: `cuenta` consecutive ones from `primera`.
struct Rejilla {
    std::int64_t primera;
    std::int64_t cuenta;
};

/// The bins f with frecuenciaMin <= 2 f / L <= frecuenciaMax and 1 <= f < L/2. A bin that an edge misses by
/// less than 10^-9 of a bin counts as inside, since the edges' decimal texts are seldom exact binary fractions
/// (0.01 x 200 is 2.0000000000000000416 in the binary).
Rejilla RejillaMultiseno(double frecuenciaMin, double frecuenciaMax, std::int64_t longitud);

/// The bins of the K sines over the M bins of the band, the first on its first bin and the last on its last:
/// f_k = primera + k (M - 1) / (K - 1) rounded to the nearest bin (halves up), so that two neighbours are
/// d or d + 1 bins apart, d = (M - 1) / (K - 1) in whole division (K = 1: the middle bin). Needs M >= K.
std::vector<std::int64_t> BinsMultiseno(const Rejilla& r, std::int64_t componentes);

/// x(n) = sum over k = 0 .. K-1 of cos(2 pi (f_k n / L + v_k)), the phases v_k in turns of fases_multiseno.h
/// (Schroeder's on evenly spaced bins), scaled as a + b x(n) so that its lowest value over the period is
/// minimo and its highest maximo, exactly. The whole period is computed once and kept (L Doubles); Valor(n)
/// is then a look-up at n mod L.
class SenalMultiseno : public Senal {
public:
    explicit SenalMultiseno(const ParametrosSenal& p);
    double Valor(std::int64_t n) override { return periodo_[static_cast<std::size_t>(n % longitud_)]; }

    const std::vector<std::int64_t>& Bins() const { return bins_; }
    /// v_k, turns
    const std::vector<long double>& Fases() const { return fases_; }

private:
    std::int64_t longitud_;
    std::vector<std::int64_t> bins_;
    std::vector<long double> fases_;
    std::vector<double> periodo_;
};
