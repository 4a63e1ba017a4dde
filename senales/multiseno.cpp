#include "senales/multiseno.h"

#include <algorithm>
#include <cmath>

#include "base/aritmetica.h"
#include "senales/elementales.h"
#include "senales/fases_multiseno.h"

Rejilla RejillaMultiseno(double frecuenciaMin, double frecuenciaMax, std::int64_t longitud) {
    constexpr long double kHolgura = 1e-9L;
    // frequency 2 f / L of Nyquist is bin f = frecuencia x L / 2
    const long double medio = static_cast<long double>(longitud) * 0.5L;
    const long double desde = std::ceil(frecuenciaMin * medio - kHolgura);
    const long double hasta = std::floor(frecuenciaMax * medio + kHolgura);
    const std::int64_t primera = std::max<std::int64_t>(1, static_cast<std::int64_t>(desde));
    const std::int64_t ultima = std::min<std::int64_t>((longitud - 1) / 2, static_cast<std::int64_t>(hasta));
    return {primera, std::max<std::int64_t>(0, ultima - primera + 1)};
}

std::vector<std::int64_t> BinsMultiseno(const Rejilla& r, std::int64_t componentes) {
    if (componentes == 1) return {r.primera + (r.cuenta - 1) / 2};
    std::vector<std::int64_t> bins(static_cast<std::size_t>(componentes));
    // k (M - 1) / (K - 1) + 1/2, in whole division: (2 k (M - 1) + K - 1) / (2 (K - 1))
    for (std::int64_t k = 0; k < componentes; ++k)
        bins[static_cast<std::size_t>(k)] =
            r.primera + (2 * k * (r.cuenta - 1) + componentes - 1) / (2 * (componentes - 1));
    return bins;
}

namespace {

// The phase of sine k at sample n in turns, f n / L + v, f n reduced exactly in whole numbers.
long double Vueltas(std::int64_t f, std::int64_t n, std::int64_t L, long double v) {
    const std::int64_t a = (f * n) % L;  // f < L/2 and n < L: below 5 x 10^11
    return Dividir(a, L) + v;
}

// The sum x(n) of the K sines over one period. Each sine turns by the rotation w = e^(2 pi i f / L) from one
// sample to the next, in Doubles; every 1024 samples its value is computed afresh, which keeps the rounding
// it gathers below 10^-12. The sines go in groups of four, each place of a group with a running sum of its
// own (the last group filled with silent sines: value 0, rotation 1), so that the compiler can do a group's
// four in one go; the four sums are added in a fixed order.
std::vector<long double> Suma(const std::vector<std::int64_t>& bins, const std::vector<long double>& fases,
                             std::int64_t L) {
    constexpr std::int64_t kTramo = 1024;
    const std::size_t K = bins.size();
    const std::size_t lugares = (bins.size() + 3) / 4 * 4;
    std::vector<long double> x(static_cast<std::size_t>(L), 0.0L);
    std::vector<double> re(lugares, 0.0), im(lugares, 0.0), wr(lugares, 1.0), wi(lugares, 0.0);
    for (std::size_t k = 0; k < K; ++k) {
        const long double giro = Dividir(bins[k], L);
        wr[k] = aDouble(CosenoVueltas(giro));
        wi[k] = aDouble(SenoVueltas(giro));
    }
    double* __restrict r = re.data();
    double* __restrict i = im.data();
    const double* __restrict cr = wr.data();
    const double* __restrict ci = wi.data();
    for (std::int64_t n0 = 0; n0 < L; n0 += kTramo) {
        for (std::size_t k = 0; k < K; ++k) {
            const long double v = Vueltas(bins[k], n0, L, fases[k]);
            re[k] = aDouble(CosenoVueltas(v));
            im[k] = aDouble(SenoVueltas(v));
        }
        const std::int64_t fin = std::min(L, n0 + kTramo);
        for (std::int64_t n = n0; n < fin; ++n) {
            double suma[4] = {0.0, 0.0, 0.0, 0.0};
            for (std::size_t g = 0; g < lugares; g += 4) {
                for (std::size_t j = 0; j < 4; ++j) {
                    const std::size_t k = g + j;
                    suma[j] += r[k];
                    // (re + i im)(wr + i wi)
                    const double a = r[k] * cr[k] - i[k] * ci[k];
                    i[k] = r[k] * ci[k] + i[k] * cr[k];
                    r[k] = a;
                }
            }
            x[static_cast<std::size_t>(n)] =
                (static_cast<long double>(suma[0]) + suma[1]) + (suma[2] + static_cast<long double>(suma[3]));
        }
    }
    return x;
}

}  // namespace

SenalMultiseno::SenalMultiseno(const ParametrosSenal& p)
    : longitud_(p.longitud),
      bins_(BinsMultiseno(RejillaMultiseno(p.frecuenciaMin, p.frecuenciaMax, p.longitud), p.componentes)),
      fases_(FasesMultiseno(bins_, longitud_)) {
    const std::vector<long double> x = Suma(bins_, fases_, longitud_);
    const auto [menor, mayor] = std::minmax_element(x.begin(), x.end());
    const long double xMin = *menor;
    const long double xMax = *mayor;
    // v = minimo + (x - xMin) (maximo - minimo) / (xMax - xMin); K >= 1 sines off the mean never sum to a
    // constant, so xMax > xMin
    const long double escala = Dividir(static_cast<long double>(p.maximo) - p.minimo, xMax - xMin);
    periodo_.resize(x.size());
    for (std::size_t n = 0; n < x.size(); ++n)
        periodo_[n] = std::clamp(aDouble(p.minimo + (x[n] - xMin) * escala), p.minimo, p.maximo);
    // the extremes exactly, whatever the last rounding did
    periodo_[static_cast<std::size_t>(menor - x.begin())] = p.minimo;
    periodo_[static_cast<std::size_t>(mayor - x.begin())] = p.maximo;
}
