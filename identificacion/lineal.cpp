#include "identificacion/lineal.h"

#include <algorithm>

#include "identificacion/continuo.h"
#include "identificacion/rechazos.h"

std::size_t ModeloLineal::Inicio() const {
    if (!salidaInicial.empty()) return desdeSimulacion;
    const std::size_t n = F.size() - 1, m = B.size();
    return std::max({n, static_cast<std::size_t>(retardo) + (m > 0 ? m - 1 : 0), std::size_t{1}});
}

ModeloLineal Lineal(const Identificacion& id) {
    ModeloLineal m;
    m.estructura = id.metodo == "ARX" ? "ARX" : "OE";
    m.F = {1.0, -id.a};
    m.B = {id.b};
    m.retardo = id.retardo;
    m.T = id.T;
    m.tiempoMuestra = id.tiempoMuestra;
    // the first-order models are read with the delay of their run: no dead time
    m.retardoCorrida = id.retardo;
    m.ecuaciones = id.muestras > 0 ? id.muestras - 1 : 0;
    return m;
}

std::vector<double> Simular(const ModeloLineal& m, std::span<const double> u, std::span<const double> inicio) {
    const std::size_t N = u.size(), desde = std::min(m.Inicio(), N);
    const std::size_t n = m.F.size() - 1, nk = static_cast<std::size_t>(m.retardo);
    std::vector<double> y(N);
    for (std::size_t k = 0; k < desde; ++k) y[k] = inicio[std::min(k, inicio.size() - 1)];
    // the model's own outputs before its start, yhat(desde - i) = salidaInicial[i - 1]
    for (std::size_t i = 1; i <= m.salidaInicial.size() && i <= desde; ++i) y[desde - i] = m.salidaInicial[i - 1];
    // yhat(k) = -f1 yhat(k-1) - ... - fn yhat(k-n) + b1 u(k-nk) + ... + bm u(k-nk-m+1)
    for (std::size_t k = desde; k < N; ++k) {
        double v = 0;
        for (std::size_t i = 1; i <= n; ++i) v -= m.F[i] * y[k - i];
        for (std::size_t j = 0; j < m.B.size(); ++j) v += m.B[j] * u[k - nk - j];
        y[k] = v;
    }
    return y;
}

std::vector<double> Residuos(const ModeloLineal& m, const Registro& r) {
    const std::size_t N = r.nivel.size(), desde = std::min(m.Inicio(), N);
    std::vector<double> e(N - desde);
    if (m.estructura == "ARX") {
        const std::size_t n = m.F.size() - 1, nk = static_cast<std::size_t>(m.retardo);
        // e(k) = F(q) y(k) - B(q) u(k - nk)
        for (std::size_t k = desde; k < N; ++k) {
            double v = r.nivel[k];
            for (std::size_t i = 1; i <= n; ++i) v += m.F[i] * r.nivel[k - i];
            for (std::size_t j = 0; j < m.B.size(); ++j) v -= m.B[j] * r.accion[k - nk - j];
            e[k - desde] = v;
        }
        return e;
    }
    const std::vector<double> yhat = Simular(m, r.accion, r.nivel);
    for (std::size_t k = desde; k < N; ++k) e[k - desde] = r.nivel[k] - yhat[k];
    return e;
}

ModeloLineal Lineal(const IdentificacionOe& id) {
    ModeloLineal m = Lineal(static_cast<const Identificacion&>(id));
    m.desdeSimulacion = 1;
    m.salidaInicial = {id.nivel_inicial};
    return m;
}

double Ajuste(const ModeloLineal& m, const Registro& r) {
    return SinDesbordar([&] { return AjusteSimulado(r.nivel, Simular(m, r.accion, r.nivel)); });
}

ModeloLineal ParaRegistro(const ModeloLineal& m, const Registro& otro) {
    const int alineacion = otro.retardoCorrida.value_or(m.retardoCorrida);
    if (otro.TiempoMuestra() != m.TiempoMuestra()) return Discreta(Continua(m), otro, alineacion, m.estructura);
    ModeloLineal d = m;
    // another record: its own levels start the simulation
    d.salidaInicial.clear();
    // the same plant time: the same polynomials, the delay moved by the other alignment
    d.retardo = m.retardo - m.retardoCorrida + alineacion;
    if (d.retardo < 0) throw ErrorIdentificacion(TextoRetardoNegativo(m.retardo, m.retardoCorrida));
    d.retardoCorrida = alineacion;
    d.T = otro.T;
    d.tiempoMuestra = otro.tiempoMuestra;
    return d;
}

double Validar(const ModeloLineal& m, const Registro& otro) {
    ComprobarRegistro(otro);
    return Ajuste(ParaRegistro(m, otro), otro);
}

std::complex<double> EnCirculo(std::span<const double> coeficientes, double w) {
    std::complex<double> suma = 0;
    for (std::size_t k = 0; k < coeficientes.size(); ++k)
        suma += coeficientes[k] * std::polar(1.0, -w * static_cast<double>(k));
    return suma;
}

Eigen::MatrixXd Companera(const std::vector<double>& p) {
    const Eigen::Index n = static_cast<Eigen::Index>(p.size()) - 1;
    Eigen::MatrixXd M = Eigen::MatrixXd::Zero(n, n);
    for (Eigen::Index i = 0; i < n; ++i) M(0, i) = -p[static_cast<std::size_t>(i + 1)];
    for (Eigen::Index i = 1; i < n; ++i) M(i, i - 1) = 1;
    return M;
}
