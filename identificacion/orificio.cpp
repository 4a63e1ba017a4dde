#include "identificacion/orificio.h"

#include <algorithm>
#include <cmath>

#include "identificacion/minimos_cuadrados.h"
#include "identificacion/rechazos.h"

namespace {

constexpr int kSubpasos = 10;

// The level and its sensitivities to ln A and ln c, (h, dh/dlnA, dh/dlnc), and their rates of change:
//   f = (u - c sqrt(h)) / A,  df/dh = -c / (2 A sqrt(h)),  df/dlnA = -f,  df/dlnc = -c sqrt(h) / A,
//   d/dt (dh/dlnA) = df/dh dh/dlnA + df/dlnA, the same for c.
struct Estado {
    double h, sA, sc;
};

Estado Ritmo(double A, double c, double u, const Estado& x) {
    const double raiz = std::sqrt(std::max(x.h, 0.0));
    const double f = (u - c * raiz) / A;
    // at an empty tank the slope of sqrt is infinite: a level of 1e-12 stands for it
    const double dfdh = -c / (2 * A * std::max(raiz, 1e-6));
    return {f, dfdh * x.sA - f, dfdh * x.sc - c * raiz / A};
}

Estado Paso(double A, double c, Estado x, double u, double t, int subpasos) {
    const double h = t / subpasos;
    const auto mas = [](const Estado& a, const Estado& b, double s) {
        return Estado{a.h + s * b.h, a.sA + s * b.sA, a.sc + s * b.sc};
    };
    for (int i = 0; i < subpasos; ++i) {
        const Estado k1 = Ritmo(A, c, u, x);
        const Estado k2 = Ritmo(A, c, u, mas(x, k1, h / 2));
        const Estado k3 = Ritmo(A, c, u, mas(x, k2, h / 2));
        const Estado k4 = Ritmo(A, c, u, mas(x, k3, h));
        // x + h (k1 + 2 k2 + 2 k3 + k4) / 6
        x.h += h * (k1.h + 2 * k2.h + 2 * k3.h + k4.h) / 6;
        x.sA += h * (k1.sA + 2 * k2.sA + 2 * k3.sA + k4.sA) / 6;
        x.sc += h * (k1.sc + 2 * k2.sc + 2 * k3.sc + k4.sc) / 6;
        if (x.h < 0) x = {0, 0, 0};
    }
    return x;
}

struct Pasada {
    long double perdida = 0;
    Triangulo t;
};

// The simulation from the record's first level and the Gauss-Newton rows (dh/dlnA, dh/dlnc; y - yhat).
Pasada Pasar(const Registro& r, std::size_t nk, double lnA, double lnc) {
    const double A = std::exp(lnA), c = std::exp(lnc), t = r.TiempoMuestra();
    MinimosCuadrados mc(2);
    Pasada p;
    Estado x{r.nivel.front(), 0, 0};
    for (std::size_t k = 1; k < r.nivel.size(); ++k) {
        x = Paso(A, c, x, r.accion[k - nk], t, kSubpasos);
        const double e = r.nivel[k] - x.h;
        p.perdida += static_cast<long double>(e) * e;
        mc.Agregar(x.sA, x.sc, e);
    }
    p.t = mc.Triangular();
    return p;
}

}  // namespace

double PasoOrificio(double A, double c, double h, double u, double t, int subpasos) {
    return Paso(A, c, {h, 0, 0}, u, t, subpasos).h;
}

std::vector<double> SimularOrificio(const ModeloOrificio& m, std::span<const double> u, double y0) {
    std::vector<double> y(u.size());
    if (u.empty()) return y;
    y[0] = y0;
    const std::size_t nk = static_cast<std::size_t>(m.retardo);
    for (std::size_t k = 1; k < u.size(); ++k)
        y[k] = PasoOrificio(m.A, m.c, y[k - 1], u[k - nk], m.TiempoMuestra(), kSubpasos);
    return y;
}

ModeloOrificio IdentificarOrificio(const Registro& r, const Identificacion& inicio) {
    return SinDesbordar([&] {
        ComprobarRegistro(r);
        ComprobarExcitacion(r);
        const int retardo = r.retardoCorrida.value_or(inicio.retardo);
        ComprobarRetardo(retardo);
        const std::size_t nk = static_cast<std::size_t>(retardo);
        long double suma = 0;
        for (double y : r.nivel) suma += y;
        const double h = std::max(static_cast<double>(suma / static_cast<long double>(r.nivel.size())), 1e-9);
        // the linear model at the mean level: K = 2 sqrt(h) / c, Tau = A K
        Eigen::Vector2d theta(std::log(inicio.TauContinuo() / inicio.K), std::log(2 * std::sqrt(h) / inicio.K));
        if (!theta.allFinite()) throw ErrorIdentificacion(TextoNoEstable(inicio.a));
        Pasada p = Pasar(r, nk, theta(0), theta(1));
        ComprobarRango(p.t);
        ModeloOrificio m;
        double lambda = 1e-6;
        for (int intento = 0; intento < 100 && p.perdida > 0 && lambda < 1e12; ++intento) {
            if (p.t.Qty.squaredNorm() <= 1e-12 * static_cast<double>(p.perdida)) break;
            // Levenberg-Marquardt: [R; sqrt(lambda) diag(norms)] d = [Q'e; 0]
            Eigen::Matrix<double, 4, 2> M;
            M.topRows<2>() = p.t.R;
            M.bottomRows<2>() = (std::sqrt(lambda) * p.t.R.colwise().norm()).asDiagonal();
            Eigen::Vector4d v(p.t.Qty(0), p.t.Qty(1), 0, 0);
            const Eigen::Vector2d candidato = theta + M.householderQr().solve(v);
            Pasada q = candidato.allFinite() ? Pasar(r, nk, candidato(0), candidato(1)) : Pasada{};
            if (!candidato.allFinite() || !std::isfinite(q.perdida) || !(q.perdida < p.perdida)) {
                lambda *= 10;
                continue;
            }
            const long double mejora = p.perdida - q.perdida, antes = p.perdida;
            theta = candidato;
            p = std::move(q);
            ++m.iteraciones;
            lambda = std::max(lambda / 10, 1e-12);
            if (mejora <= 1e-12L * antes) break;
        }
        ComprobarRango(p.t);
        const std::size_t n = r.nivel.size();
        m.A = std::exp(theta(0));
        m.c = std::exp(theta(1));
        // s^2 (J'J)^-1 in (ln A, ln c); the error of A is A times that of ln A
        const Eigen::Matrix2d P =
            static_cast<double>(p.perdida / static_cast<long double>(n - 3)) * InversaInformacion(p.t.R);
        m.error_A = m.A * std::sqrt(std::max(P(0, 0), 0.0));
        m.error_c = m.c * std::sqrt(std::max(P(1, 1), 0.0));
        m.retardo = retardo;
        m.T = r.T;
        m.tiempoMuestra = r.tiempoMuestra;
        m.error_rms = static_cast<double>(std::sqrt(p.perdida / static_cast<long double>(n)));
        m.ajuste = AjusteSimulado(r.nivel, SimularOrificio(m, r.accion, r.nivel.front()));
        if (!std::isfinite(m.A) || !std::isfinite(m.c)) throw ErrorIdentificacion(TextoDesbordamiento());
        return m;
    });
}
