#include "identificacion/arx.h"

#include <exception>

#include "base/errores.h"

#include "identificacion/minimos_cuadrados.h"

EstimacionArx EstimarArx(const Registro& r, int retardo) {
    const std::vector<double>& u = r.accion;
    const std::vector<double>& y = r.nivel;
    const std::size_t n = y.size(), nk = static_cast<std::size_t>(retardo);
    MinimosCuadrados mc(2);
    // one equation a sample from the second on: y(k) = a y(k-1) + b u(k - nk)
    for (std::size_t k = 1; k < n; ++k) mc.Agregar(y[k - 1], u[k - nk], y[k]);
    const Triangulo t = mc.Triangular();
    const Eigen::VectorXd theta = Resolver(t);

    EstimacionArx e;
    e.modelo = {theta(0), theta(1), retardo, r.T};
    e.ecuaciones = t.filas;
    e.perdida = t.residuo * t.residuo;
    // the noise variance, s^2 = loss / (equations - parameters), times the inverse information
    e.covarianza = e.perdida / static_cast<double>(t.filas - 2) * InversaInformacion(t.R);
    return e;
}

Identificacion IdentificarArx(const Registro& r, std::optional<int> retardo) {
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
