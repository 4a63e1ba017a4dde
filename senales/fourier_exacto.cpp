#include "senales/fourier_exacto.h"

#include <algorithm>

#include "base/aritmetica.h"
#include "senales/elementales.h"

namespace {

// (a + i b)(c + i d), written out: the same operations whatever the library's complex product does
inline void Producto(double a, double b, double c, double d, double& re, double& im) {
    re = a * c - b * d;
    im = a * d + b * c;
}

}  // namespace

SumasFourier::SumasFourier(std::int64_t longitud) : longitud_(longitud), puntos_(1) {
    const std::size_t L = static_cast<std::size_t>(longitud);
    while (puntos_ < 2 * L - 1) puntos_ *= 2;
    const std::size_t P = puntos_;
    // the twiddles of a quarter turn computed, the next quarter by e^(i (x + pi/2)) = i e^(i x)
    std::vector<double> cr(P / 2 + 1, 1.0), ci(P / 2 + 1, 0.0);
    for (std::size_t j = 0; j < P / 4; ++j) {
        const long double v = Dividir(static_cast<long double>(j), static_cast<long double>(P));
        cr[j] = aDouble(CosenoVueltas(v));
        ci[j] = aDouble(SenoVueltas(v));
        cr[j + P / 4] = -ci[j];
        ci[j + P / 4] = cr[j];
    }
    // laid out stage after stage, each stage's in the order its butterflies take them: the stage of span 2 m
    // takes e^(i pi j / m), j < m, from place m - 1 on
    giroRe_.resize(P > 1 ? P - 1 : 0);
    giroIm_.resize(giroRe_.size());
    for (std::size_t m = 1; m < P; m *= 2)
        for (std::size_t j = 0; j < m; ++j) {
            giroRe_[m - 1 + j] = cr[j * (P / (2 * m))];
            giroIm_[m - 1 + j] = ci[j * (P / (2 * m))];
        }
    // b_n = e^(i pi n^2 / L): n^2 / (2 L) turns, reduced exactly (n < 10^6, n^2 < 10^12)
    chirpRe_.resize(L);
    chirpIm_.resize(L);
    for (std::size_t n = 0; n < L; ++n) {
        const std::int64_t c = static_cast<std::int64_t>(n * n) % (2 * longitud);
        const long double v = Dividir(static_cast<long double>(c), 2.0L * longitud);
        chirpRe_[n] = aDouble(CosenoVueltas(v));
        chirpIm_[n] = aDouble(SenoVueltas(v));
    }
    // conj(b_j) at j and at P - j (b_-j = b_j), transformed once; 1 / P, a power of two, scaled in exactly
    filtroRe_.assign(P, 0.0);
    filtroIm_.assign(P, 0.0);
    for (std::size_t j = 0; j < L; ++j) {
        filtroRe_[j] = chirpRe_[j];
        filtroIm_[j] = -chirpIm_[j];
        if (j > 0) {
            filtroRe_[P - j] = chirpRe_[j];
            filtroIm_[P - j] = -chirpIm_[j];
        }
    }
    Directa(filtroRe_, filtroIm_);
    const double escala = aDouble(Dividir(1.0L, static_cast<long double>(P)));
    for (std::size_t k = 0; k < P; ++k) {
        filtroRe_[k] *= escala;
        filtroIm_[k] *= escala;
    }
    re_.resize(P);
    im_.resize(P);
}

// The stages of the FFT run block by block while a block of kBloque points is in the cache, the others over
// the whole: the same butterflies on the same values, in another order.
constexpr std::size_t kBloque = 4096;

void SumasFourier::Directa(std::vector<double>& re, std::vector<double>& im) const {
    const std::size_t P = puntos_, bloque = std::min(P, kBloque);
    for (std::size_t mitad = P / 2; mitad >= bloque; mitad /= 2) Etapa(re, im, 0, P, mitad, true);
    for (std::size_t desde = 0; desde < P; desde += bloque)
        for (std::size_t mitad = std::min(P, bloque) / 2; mitad >= 1; mitad /= 2) Etapa(re, im, desde, bloque, mitad, true);
}

void SumasFourier::Inversa(std::vector<double>& re, std::vector<double>& im) const {
    const std::size_t P = puntos_, bloque = std::min(P, kBloque);
    for (std::size_t desde = 0; desde < P; desde += bloque)
        for (std::size_t mitad = 1; mitad < bloque; mitad *= 2) Etapa(re, im, desde, bloque, mitad, false);
    for (std::size_t mitad = bloque; mitad < P; mitad *= 2) Etapa(re, im, 0, P, mitad, false);
}

void SumasFourier::Etapa(std::vector<double>& re, std::vector<double>& im, std::size_t desde, std::size_t puntos,
                         std::size_t mitad, bool directa) const {
    double* __restrict r = re.data() + desde;
    double* __restrict i = im.data() + desde;
    if (mitad == 1) {  // w = 1 both ways
        for (std::size_t a = 0; a < puntos; a += 2) {
            const double br = r[a + 1], bi = i[a + 1];
            r[a + 1] = r[a] - br;
            i[a + 1] = i[a] - bi;
            r[a] += br;
            i[a] += bi;
        }
        return;
    }
    const double* __restrict wr = giroRe_.data() + (mitad - 1);
    const double* __restrict wi = giroIm_.data() + (mitad - 1);
    for (std::size_t inicio = 0; inicio < puntos; inicio += 2 * mitad) {
        double* __restrict ra = r + inicio;
        double* __restrict ia = i + inicio;
        double* __restrict rb = ra + mitad;
        double* __restrict ib = ia + mitad;
        if (directa) {
            // decimation in frequency, w = e^(-i pi j / mitad): a = a + b, b = (a - b) w
            for (std::size_t j = 0; j < mitad; ++j) {
                const double dr = ra[j] - rb[j], di = ia[j] - ib[j];
                ra[j] += rb[j];
                ia[j] += ib[j];
                rb[j] = dr * wr[j] + di * wi[j];
                ib[j] = di * wr[j] - dr * wi[j];
            }
        } else {
            // decimation in time, w = e^(+i pi j / mitad): t = b w, b = a - t, a = a + t
            for (std::size_t j = 0; j < mitad; ++j) {
                const double tr = rb[j] * wr[j] - ib[j] * wi[j];
                const double ti = rb[j] * wi[j] + ib[j] * wr[j];
                rb[j] = ra[j] - tr;
                ib[j] = ia[j] - ti;
                ra[j] += tr;
                ia[j] += ti;
            }
        }
    }
}

void SumasFourier::Sumar(std::vector<double>& re, std::vector<double>& im) {
    const std::size_t L = static_cast<std::size_t>(longitud_), P = puntos_;
    // A_n = b_n sum over m of (z_m b_m) conj(b_(n-m))
    for (std::size_t m = 0; m < L; ++m) Producto(re[m], im[m], chirpRe_[m], chirpIm_[m], re_[m], im_[m]);
    for (std::size_t m = L; m < P; ++m) re_[m] = im_[m] = 0.0;
    Directa(re_, im_);
    for (std::size_t k = 0; k < P; ++k) {
        const double a = re_[k], b = im_[k];
        Producto(a, b, filtroRe_[k], filtroIm_[k], re_[k], im_[k]);
    }
    Inversa(re_, im_);
    for (std::size_t n = 0; n < L; ++n) Producto(re_[n], im_[n], chirpRe_[n], chirpIm_[n], re[n], im[n]);
}
