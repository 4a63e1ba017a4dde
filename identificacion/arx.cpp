#include "identificacion/arx.h"

#include <cmath>
#include <exception>

#include "base/errores.h"

#include "identificacion/minimos_cuadrados.h"
#include "identificacion/rechazos.h"

EstimacionArx EstimarArx(const Registro& r, int retardo) {
    const std::vector<double>& u = r.accion;
    const std::vector<double>& y = r.nivel;
    const std::size_t n = y.size(), nk = static_cast<std::size_t>(retardo);
    const Escala eu = EscalaDe(u), ey = EscalaDe(y);
    MinimosCuadrados mc(2);
    // one equation a sample from the second on: y(k) = a y(k-1) + b u(k - nk), each column scaled
    for (std::size_t k = 1; k < n; ++k) mc.Agregar(y[k - 1] * ey.inversa, u[k - nk] * eu.inversa, y[k] * ey.inversa);
    const Triangulo t = mc.Triangular();
    const Eigen::VectorXd theta = Resolver(t);

    // back to the record's units: a relates levels to levels; b = b~ 2^(ey - eu)
    const Eigen::Vector2d unidades(1.0, std::ldexp(1.0, ey.exponente - eu.exponente));
    EstimacionArx e;
    e.modelo = {theta(0), theta(1) * unidades(1), retardo, r.T};
    e.ecuaciones = t.filas;
    const long double perdida = static_cast<long double>(t.residuo) * t.residuo;
    e.perdida = std::ldexp(perdida, 2 * ey.exponente);
    // the noise variance, s^2 = loss / (equations - parameters), times the inverse information; in the record's
    // units P = D P~ D, D = diag(1, 2^(ey - eu))
    const double s2 = static_cast<double>(perdida / static_cast<long double>(t.filas - 2));
    e.covarianza = unidades.asDiagonal() * (s2 * InversaInformacion(t.R)) * unidades.asDiagonal();
    if (!std::isfinite(e.modelo.b) || !e.covarianza.allFinite()) throw ErrorIdentificacion(TextoDesbordamiento());
    return e;
}

namespace {

Identificacion Identificar(const Registro& r, std::optional<int> retardo) {
    ComprobarRegistro(r);
    ComprobarExcitacion(r);
    if (retardo) {
        ComprobarRetardo(*retardo);
        const EstimacionArx e = EstimarArx(r, *retardo);
        return Completar("ARX", e.modelo, e.covarianza, r);
    }
    // Both delays; a record that one of them cannot be solved for is the other's.
    std::optional<EstimacionArx> mejor;
    std::exception_ptr fallo;
    for (int nk : {kRetardoLazoAbierto, kRetardoLazoCerrado}) {
        try {
            EstimacionArx e = EstimarArx(r, nk);
            if (!mejor || e.perdida < mejor->perdida) mejor = e;
        } catch (const ErrorTanque&) {
            if (!fallo) fallo = std::current_exception();
        }
    }
    if (!mejor) std::rethrow_exception(fallo);
    return Completar("ARX", mejor->modelo, mejor->covarianza, r);
}

}  // namespace

Identificacion IdentificarArx(const Registro& r, std::optional<int> retardo) {
    return SinDesbordar([&] { return Identificar(r, retardo); });
}
