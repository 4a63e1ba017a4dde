#include "identificacion/modelo.h"

#include <algorithm>
#include <cmath>

#include "base/aritmetica.h"
#include "identificacion/rechazos.h"

ParametrosFisicos Fisicos(const ModeloDiscreto& m) {
    if (!(m.a > 0 && m.a < 1)) throw ErrorIdentificacion(TextoNoEstable(m.a));
    const long double a = m.a;
    // K = b / (1 - a), the settled level per unit of inflow
    const double K = aDouble(Dividir(m.b, 1.0L - a));
    // Tau = -T / ln(a), from a = e^(-T / Tau)
    const double Tau = aDouble(Dividir(-static_cast<long double>(m.T), std::log(a)));
    return {K, Tau};
}

Identificacion Completar(const std::string& metodo, const ModeloDiscreto& m,
                         const std::optional<Eigen::Matrix2d>& covarianza, const Registro& r) {
    Identificacion id;
    id.metodo = metodo;
    id.a = m.a;
    id.b = m.b;
    id.retardo = m.retardo;
    id.T = m.T;
    id.tiempoMuestra = r.tiempoMuestra;
    id.muestras = r.nivel.size();
    const ParametrosFisicos f = Fisicos(m);
    id.K = f.K;
    id.Tau = f.Tau;
    if (covarianza) {
        const Eigen::Matrix2d& P = *covarianza;
        const long double a = m.a, uno_a = 1.0L - a, ln_a = std::log(a);
        // delta method: var(g(a, b)) = grad g P grad g'
        // grad K = (b / (1 - a)^2, 1 / (1 - a))
        const Eigen::RowVector2d gK(aDouble(Dividir(m.b, uno_a * uno_a)), aDouble(Dividir(1, uno_a)));
        // grad Tau = (T / (a ln(a)^2), 0)
        const Eigen::RowVector2d gTau(aDouble(Dividir(m.T, a * ln_a * ln_a)), 0.0);
        // a variance that rounds below 0 is 0: the estimate is exact to rounding
        auto desviacion = [](double varianza) { return aDouble(std::sqrt(std::max(varianza, 0.0))); };
        id.error_a = desviacion(P(0, 0));
        id.error_b = desviacion(P(1, 1));
        id.error_K = desviacion((gK * P * gK.transpose())(0, 0));
        id.error_Tau = desviacion((gTau * P * gTau.transpose())(0, 0));
    }
    id.ajuste = Ajuste(m, r);
    return id;
}

std::vector<double> Simular(const ModeloDiscreto& m, std::span<const double> u, double y0) {
    std::vector<double> y(u.size());
    if (u.empty()) return y;
    y[0] = y0;
    const std::size_t nk = static_cast<std::size_t>(m.retardo);
    // yhat(k) = a yhat(k-1) + b u(k - nk)
    for (std::size_t k = 1; k < u.size(); ++k) y[k] = m.a * y[k - 1] + m.b * u[k - nk];
    return y;
}

double AjusteSimulado(std::span<const double> y, std::span<const double> yhat) {
    const std::size_t n = y.size();
    long double suma = 0;
    for (double v : y) suma += v;
    const long double media = suma / static_cast<long double>(n);
    long double error = 0, dispersion = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const long double e = static_cast<long double>(y[k]) - yhat[k];
        const long double d = static_cast<long double>(y[k]) - media;
        error += e * e;
        dispersion += d * d;
    }
    if (dispersion == 0) throw ErrorIdentificacion(TextoSalidaConstante());
    // 100 (1 - ||y - yhat|| / ||y - mean(y)||)
    return aDouble(100.0L * (1.0L - std::sqrt(Dividir(Comprobar(error), Comprobar(dispersion)))));
}

double Ajuste(const ModeloDiscreto& m, const Registro& r) {
    return AjusteSimulado(r.nivel, Simular(m, r.accion, r.nivel.front()));
}

double Validar(const Identificacion& modelo, const Registro& otro, std::optional<int> retardo) {
    return SinDesbordar([&] {
        ComprobarRegistro(otro);
        ModeloDiscreto m = modelo.Modelo();
        m.retardo = retardo.value_or(modelo.retardo);
        ComprobarRetardo(m.retardo);
        // The plant times a sample, not the periods, decide: at 100 ms the program integrates 110 ms a sample.
        if (otro.TiempoMuestra() != modelo.TiempoMuestra()) {
            // the exact discretisation at the other plant time: a' = e^(-t' / Tauc), b' = K (1 - a')
            const long double a = std::exp(-Dividir(otro.TiempoMuestra(), modelo.TauContinuo()));
            m.a = aDouble(a);
            m.b = aDouble(modelo.K * (1.0L - a));
            m.T = otro.T;
        }
        return Ajuste(m, otro);
    });
}
