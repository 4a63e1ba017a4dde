#include "identificacion/oe.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "base/errores.h"

#include "base/aritmetica.h"
#include "identificacion/arx.h"
#include "identificacion/levenberg.h"
#include "identificacion/minimos_cuadrados.h"
#include "identificacion/rechazos.h"

namespace {

// theta = (a, b, yhat(0)) in scaled units: actions times 2^-eu, levels times 2^-ey (see EscalaDe), so that the
// sums of squares of the factorisation stay in range whatever the record's units
using Vector3 = Eigen::Vector3d;

struct Escalas {
    Escala u, y;
    // from scaled theta to the record's units: a as it is, b times 2^(ey - eu), yhat(0) times 2^ey
    Vector3 Unidades() const { return {1.0, std::ldexp(1.0, y.exponente - u.exponente), std::ldexp(1.0, y.exponente)}; }
};

// Simulates the model and its sensitivities d yhat / d theta, which obey the model's own recursion:
//   yhat(k)  = a yhat(k-1) + b u(k-nk)          yhat(0)  = s
//   Sa(k)    = yhat(k-1) + a Sa(k-1)            Sa(0)    = 0
//   Sb(k)    = u(k-nk) + a Sb(k-1)              Sb(0)    = 0
//   Ss(k)    = a Ss(k-1)                        Ss(0)    = 1
// Each sample adds the Gauss-Newton row (Sa, Sb, Ss) with the error y(k) - yhat(k) as its target.
PasadaLm Pasar(const Registro& r, std::size_t nk, const Escalas& escalas, const Vector3& theta) {
    const std::vector<double>& u = r.accion;
    const std::vector<double>& y = r.nivel;
    const double iu = escalas.u.inversa, iy = escalas.y.inversa;
    const double a = theta(0), b = theta(1);
    double yhat = theta(2), Sa = 0, Sb = 0, Ss = 1;
    MinimosCuadrados mc(3);
    PasadaLm p;
    double e = y[0] * iy - yhat;
    p.perdida = static_cast<long double>(e) * e;
    mc.Agregar(Sa, Sb, Ss, e);
    for (std::size_t k = 1; k < y.size(); ++k) {
        const double antes = yhat;
        const double uk = u[k - nk] * iu;
        yhat = a * antes + b * uk;
        Sa = antes + a * Sa;
        Sb = uk + a * Sb;
        Ss = a * Ss;
        e = y[k] * iy - yhat;
        p.perdida += static_cast<long double>(e) * e;
        mc.Agregar(Sa, Sb, Ss, e);
    }
    p.t = mc.Triangular();
    return p;
}

// The Levenberg-Marquardt step: min ||J d - e||^2 + lambda ||D d||^2, D the column norms of J. With J = Q R
// it is the least-squares problem [R; sqrt(lambda) D] d = [Q'e; 0].
Vector3 Paso(const Triangulo& t, double lambda) {
    Eigen::Matrix<double, 6, 3> A;
    A.topRows<3>() = t.R;
    A.bottomRows<3>() = (std::sqrt(lambda) * t.R.colwise().norm()).asDiagonal();
    Eigen::Matrix<double, 6, 1> c;
    c << t.Qty, 0, 0, 0;
    return A.householderQr().solve(c);
}

struct Optimo {
    Vector3 theta;  // scaled
    PasadaLm pasada;  // scaled
    int iteraciones = 0;
};

Optimo Minimizar(const Registro& r, int retardo, const Escalas& escalas) {
    const std::size_t nk = static_cast<std::size_t>(retardo);
    const ModeloDiscreto inicio = EstimarArx(r, retardo).modelo;
    // a start outside (0, 1) is pulled inside, where the simulation stays bounded
    Optimo o;
    o.theta =
        Vector3(std::clamp(inicio.a, 1e-3, 1 - 1e-6), inicio.b, r.nivel.front()).cwiseQuotient(escalas.Unidades());
    o.pasada = Pasar(r, nk, escalas, o.theta);
    ComprobarRango(o.pasada.t);

    // |a| >= 1 would let the simulation grow without bound: a step that far is too long
    o.iteraciones = LevenbergMarquardt(
        o.theta, o.pasada, ReglasLm{100, 1e-12, 1e-12L},
        [&](const Vector3& theta) { return Pasar(r, nk, escalas, theta); }, Paso,
        [](const Vector3& theta) { return std::abs(theta(0)) < 1; });
    ComprobarRango(o.pasada.t);
    return o;
}

IdentificacionOe Completo(const Registro& r, int retardo, const Escalas& escalas, const Optimo& o) {
    const std::size_t n = r.nivel.size();
    const Vector3 unidades = escalas.Unidades();
    const Vector3 theta = o.theta.cwiseProduct(unidades);
    // the noise variance, s^2 = loss / (N - 3), times the inverse information of (a, b, s), whose esquina is
    // that of a and b; in the record's units P = D P~ D, D = diag(1, 2^(ey - eu))
    const double s2 = static_cast<double>(o.pasada.perdida / static_cast<long double>(n - 3));
    const Eigen::Matrix2d esquina = (s2 * InversaInformacion(o.pasada.t.R)).topLeftCorner<2, 2>();
    const Eigen::Vector2d D = unidades.head<2>();
    const Eigen::Matrix2d P = D.asDiagonal() * esquina * D.asDiagonal();
    if (!theta.allFinite() || !P.allFinite()) throw ErrorIdentificacion(TextoDesbordamiento());
    IdentificacionOe id;
    static_cast<Identificacion&>(id) = Completar("OE", {theta(0), theta(1), retardo, r.T}, P, r);
    id.nivel_inicial = theta(2);
    id.iteraciones = o.iteraciones;
    // sqrt(loss / N), scaled back by 2^ey
    id.error_rms = aDouble(std::ldexp(std::sqrt(o.pasada.perdida / static_cast<long double>(n)), escalas.y.exponente));
    return id;
}

IdentificacionOe Identificar(const Registro& r, std::optional<int> retardo) {
    ComprobarRegistro(r);
    ComprobarExcitacion(r);
    const Escalas escalas{EscalaDe(r.accion), EscalaDe(r.nivel)};
    if (retardo) {
        ComprobarRetardo(*retardo);
        return Completo(r, *retardo, escalas, Minimizar(r, *retardo, escalas));
    }
    std::optional<Optimo> mejor;
    int nk_mejor = 0;
    std::exception_ptr fallo;
    for (int nk : {kRetardoLazoAbierto, kRetardoLazoCerrado}) {
        try {
            Optimo o = Minimizar(r, nk, escalas);
            if (!mejor || o.pasada.perdida < mejor->pasada.perdida) {
                mejor = std::move(o);
                nk_mejor = nk;
            }
        } catch (const ErrorTanque&) {
            if (!fallo) fallo = std::current_exception();
        }
    }
    if (!mejor) std::rethrow_exception(fallo);
    return Completo(r, nk_mejor, escalas, *mejor);
}

}  // namespace

IdentificacionOe IdentificarOe(const Registro& r, std::optional<int> retardo) {
    return SinDesbordar([&] { return Identificar(r, retardo); });
}
