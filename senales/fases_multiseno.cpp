#include "senales/fases_multiseno.h"

#include <algorithm>
#include <cmath>
#include <deque>

#include "base/aritmetica.h"
#include "senales/elementales.h"
#include "senales/fourier_exacto.h"

namespace {

constexpr double kDosPi = 6.283185307179586476925286766559;

bool Uniformes(const std::vector<std::int64_t>& bins) {
    for (std::size_t k = 2; k < bins.size(); ++k)
        if (bins[k] - bins[k - 1] != bins[1] - bins[0]) return false;
    return true;
}

double Producto(const std::vector<double>& a, const std::vector<double>& b) {
    double s = 0;
    for (std::size_t k = 0; k < a.size(); ++k) s += a[k] * b[k];
    return s;
}

// J(v) = ln(sum over n of y(n)^p) / p, y = x / sqrt(K/2) the period of the sines of phases v (turns) over its
// root mean square, and its gradient.
class NormaPeriodo {
public:
    NormaPeriodo(const std::vector<std::int64_t>& bins, std::int64_t longitud)
        : bins_(bins), sumas_(longitud), re_(static_cast<std::size_t>(longitud)),
          im_(static_cast<std::size_t>(longitud)), potencia_(re_.size()), coseno_(bins.size()), seno_(bins.size()),
          inversaRms_(aDouble(Dividir(1.0L, std::sqrt(0.5L * static_cast<long double>(bins.size()))))) {}

    // J at v; keeps y^(p-1) for the gradient, and the peak of |y|
    double Valor(const std::vector<double>& v, int p) {
        std::fill(re_.begin(), re_.end(), 0.0);
        std::fill(im_.begin(), im_.end(), 0.0);
        for (std::size_t k = 0; k < bins_.size(); ++k) {
            coseno_[k] = aDouble(CosenoVueltas(v[k]));
            seno_[k] = aDouble(SenoVueltas(v[k]));
            re_[static_cast<std::size_t>(bins_[k])] = coseno_[k];
            im_[static_cast<std::size_t>(bins_[k])] = seno_[k];
        }
        // x(n) = Re sum over k of e^(2 pi i (f_k n / L + v_k))
        sumas_.Sumar(re_, im_);
        suma_ = 0;
        pico_ = 0;
        for (std::size_t n = 0; n < re_.size(); ++n) {
            const double y = re_[n] * inversaRms_;
            pico_ = std::max(pico_, std::fabs(y));
            // y^(p-1) = y y^2 y^4 ... y^(p/2), p a power of two
            double cuadrado = y, impar = y;
            for (int e = 2; e < p; e *= 2) {
                cuadrado *= cuadrado;
                impar *= cuadrado;
            }
            potencia_[n] = impar;
            suma_ += static_cast<long double>(impar) * y;
        }
        return aDouble(Dividir(Logaritmo(suma_), p));
    }

    // dJ/dv_k = -(2 pi / (S r)) Im(e^(2 pi i v_k) G_k), G_k = sum over n of y(n)^(p-1) e^(2 pi i f_k n / L),
    // at the v of the last Valor
    std::vector<double> Gradiente() {
        std::copy(potencia_.begin(), potencia_.end(), re_.begin());
        std::fill(im_.begin(), im_.end(), 0.0);
        sumas_.Sumar(re_, im_);
        const double factor = aDouble(Dividir(-kDosPi * inversaRms_, suma_));
        std::vector<double> g(bins_.size());
        for (std::size_t k = 0; k < bins_.size(); ++k) {
            const std::size_t f = static_cast<std::size_t>(bins_[k]);
            g[k] = factor * (coseno_[k] * im_[f] + seno_[k] * re_[f]);
        }
        return g;
    }

    double Pico() const { return pico_; }

private:
    const std::vector<std::int64_t>& bins_;
    SumasFourier sumas_;
    std::vector<double> re_, im_, potencia_, coseno_, seno_;
    double inversaRms_;
    long double suma_ = 0;
    double pico_ = 0;
};

struct Mejor {
    std::vector<double> v;
    double pico;
};

// Limited-memory BFGS on J with the last 5 steps, each step's length cut by halves until J falls by a part of
// what its slope promises (Armijo); `pasos` steps, fewer when no step lowers J. The first step moves no phase
// more than 0.02 turns. Updates `mejor` with every point of a lower peak.
void Buscar(NormaPeriodo& norma, std::vector<double>& v, int p, int pasos, Mejor& mejor) {
    struct Par {
        std::vector<double> s, y;
        double rho;
    };
    std::deque<Par> memoria;
    double J = norma.Valor(v, p);
    std::vector<double> g = norma.Gradiente();
    const std::size_t K = v.size();
    for (int paso = 0; paso < pasos; ++paso) {
        // the two loops: d = -H g
        std::vector<double> q = g;
        std::vector<double> alfa(memoria.size());
        for (std::size_t i = memoria.size(); i-- > 0;) {
            alfa[i] = memoria[i].rho * Producto(memoria[i].s, q);
            for (std::size_t k = 0; k < K; ++k) q[k] -= alfa[i] * memoria[i].y[k];
        }
        double gMax = 0;
        for (const double x : g) gMax = std::max(gMax, std::fabs(x));
        if (!(gMax > 0)) return;
        const double gamma = memoria.empty() ? 0.02 / gMax
                                             : Producto(memoria.back().s, memoria.back().y) /
                                                   Producto(memoria.back().y, memoria.back().y);
        for (double& x : q) x *= gamma;
        for (std::size_t i = 0; i < memoria.size(); ++i) {
            const double beta = memoria[i].rho * Producto(memoria[i].y, q);
            for (std::size_t k = 0; k < K; ++k) q[k] += (alfa[i] - beta) * memoria[i].s[k];
        }
        double pendiente = -Producto(g, q);
        if (!(pendiente < 0)) {  // not a descent: forget the curvature, go down the gradient
            memoria.clear();
            for (std::size_t k = 0; k < K; ++k) q[k] = g[k] * (0.02 / gMax);
            pendiente = -Producto(g, q);
        }
        std::vector<double> nuevo(K);
        double t = 1, Jn = 0;
        bool baja = false;
        for (int corte = 0; corte < 8; ++corte) {
            for (std::size_t k = 0; k < K; ++k) nuevo[k] = v[k] - t * q[k];
            Jn = norma.Valor(nuevo, p);
            baja = Jn <= J + 1e-4 * t * pendiente;
            if (baja) break;
            t *= 0.5;
        }
        if (!baja) return;
        if (norma.Pico() < mejor.pico) mejor = {nuevo, norma.Pico()};
        std::vector<double> gn = norma.Gradiente();
        Par par{std::vector<double>(K), std::vector<double>(K), 0};
        for (std::size_t k = 0; k < K; ++k) {
            par.s[k] = nuevo[k] - v[k];
            par.y[k] = gn[k] - g[k];
        }
        const double sy = Producto(par.s, par.y);
        if (sy > 0) {
            par.rho = 1 / sy;
            memoria.push_back(std::move(par));
            if (memoria.size() > 5) memoria.pop_front();
        }
        g = std::move(gn);
        v = nuevo;
        J = Jn;
    }
}

}  // namespace

int PasosBusquedaFases(std::int64_t longitud) {
    // a step costs about two sums of SumasFourier, O(P log P) with P >= 2 L - 1 a power of two
    std::int64_t P = 1;
    while (P < 2 * longitud - 1) P *= 2;
    return static_cast<int>(std::min<std::int64_t>(10, (std::int64_t{1} << 22) / P));
}

std::vector<long double> FasesMultiseno(const std::vector<std::int64_t>& bins, std::int64_t longitud) {
    const std::int64_t K = static_cast<std::int64_t>(bins.size());
    std::vector<long double> fases(bins.size());
    // -k (k + 1) / (2 K) turns, the numerator reduced exactly (k < 1000)
    for (std::int64_t k = 0; k < K; ++k)
        fases[static_cast<std::size_t>(k)] = -Dividir((k * (k + 1)) % (2 * K), 2 * K);
    const int pasos = PasosBusquedaFases(longitud);
    if (bins.size() < 3 || Uniformes(bins)) return fases;
    NormaPeriodo norma(bins, longitud);
    std::vector<double> v(fases.size());
    for (std::size_t k = 0; k < v.size(); ++k) v[k] = aDouble(fases[k]);
    norma.Valor(v, 8);
    Mejor mejor{v, norma.Pico()};
    for (const int p : {8, 32}) Buscar(norma, v, p, pasos, mejor);
    for (std::size_t k = 0; k < fases.size(); ++k) fases[k] = mejor.v[k] - std::rint(mejor.v[k]);
    return fases;
}
