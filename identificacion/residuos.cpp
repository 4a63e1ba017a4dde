#include "identificacion/residuos.h"

#include <Eigen/Dense>
#include <cmath>

#include "identificacion/arx_orden.h"
#include "identificacion/estadistica.h"
#include "identificacion/oe_orden.h"
#include "identificacion/rechazos.h"

namespace {

constexpr int kRetardoMaximoSugerido = 10;
// below this ratio of the residuals' norm to the level's spread they are the record's rounding (its file keeps
// four decimals): fit above 99.99 %
constexpr double kRedondeo = 1e-4;

// (1/N) sum of a(k) b(k - tau) over the k of both, a and b read from sample `desde` of the record
double Covarianza(const std::vector<double>& a, const std::vector<double>& b, int tau) {
    const std::ptrdiff_t N = static_cast<std::ptrdiff_t>(a.size());
    long double s = 0;
    for (std::ptrdiff_t k = std::max<std::ptrdiff_t>(0, tau); k < N && k - tau < N; ++k)
        s += static_cast<long double>(a[static_cast<std::size_t>(k)]) * b[static_cast<std::size_t>(k - tau)];
    return static_cast<double>(s / static_cast<long double>(N));
}

std::vector<double> SinMedia(std::vector<double> v) {
    long double s = 0;
    for (double x : v) s += x;
    const double media = static_cast<double>(s / static_cast<long double>(v.size()));
    for (double& x : v) x -= media;
    return v;
}

// The independence test: S = N r' P^+ r over the lags tau0 .. tau0 + M - 1, with the pseudo-inverse of P (an
// input of few spectral lines, a step, leaves fewer directions than lags: the degrees of freedom are the rank).
void ProbarIndependencia(AnalisisResiduos& a, const std::vector<double>& re, const std::vector<double>& ru,
                         const std::vector<double>& rc, int M, double riesgo) {
    const double N = static_cast<double>(a.residuos.size());
    Eigen::VectorXd r(M);
    for (int i = 0; i < M; ++i) r(i) = rc[static_cast<std::size_t>(M + a.primerRetrasoProbado + i)];
    Eigen::MatrixXd P = Eigen::MatrixXd::Zero(M, M);
    for (int l = -M; l <= M; ++l) {
        const double w = 1.0 - std::abs(l) / static_cast<double>(M + 1);  // Bartlett: P stays semi-definite
        const double e = w * re[static_cast<std::size_t>(std::abs(l))];
        for (int i = 0; i < M; ++i)
            for (int j = 0; j < M; ++j) P(i, j) += e * ru[static_cast<std::size_t>(std::abs(l + i - j))];
    }
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> eig(P);
    const Eigen::VectorXd& valores = eig.eigenvalues();
    const double mayor = valores.maxCoeff();
    const Eigen::VectorXd proyeccion = eig.eigenvectors().transpose() * r;
    double S = 0;
    int grados = 0;
    for (int i = 0; i < M; ++i)
        if (valores(i) > 1e-10 * mayor) {
            S += proyeccion(i) * proyeccion(i) / valores(i);
            ++grados;
        }
    a.independencia = N * S;
    a.gradosIndependencia = grados;
    a.umbralIndependencia = grados > 0 ? CuantilChiCuadrado(1 - riesgo, grados) : 0;
    a.independiente = grados == 0 || a.independencia <= a.umbralIndependencia;
}

double Norma(const std::vector<double>& v) {
    long double s = 0;
    for (double x : v) s += static_cast<long double>(x) * x;
    return static_cast<double>(std::sqrt(s));
}

// The delay of least ARX loss with the model's orders, when it differs from the model's and the model of the
// same structure with it leaves residuals independent of the input.
std::optional<int> OtroRetardo(const ModeloLineal& m, const Registro& r, int desde, const OpcionesResiduos& o) {
    const int n = std::max(m.Orden(), 1), nb = static_cast<int>(m.B.size());
    const int nk = RetardoDeMenorPerdida(r, n, nb, desde, kRetardoMaximoSugerido);
    if (nk == m.retardo) return std::nullopt;
    OpcionesResiduos sin = o;
    sin.sugerirRetardo = false;
    try {
        const ModeloLineal otro = m.estructura == "ARX" ? EstimarArxOrden(r, n, nb, nk) : EstimarOeOrden(r, nb, n, nk);
        if (AnalizarResiduos(otro, r, sin).independiente) return nk;
    } catch (const ErrorIdentificacion&) {
        return std::nullopt;  // that delay cannot be estimated: no delay to suggest
    }
    return std::nullopt;
}

}  // namespace

AnalisisResiduos AnalizarResiduos(const ModeloLineal& m, const Registro& r, const OpcionesResiduos& o) {
    return SinDesbordar([&] {
        ComprobarRegistro(r);
        const int M = o.retrasos;
        AnalisisResiduos a;
        a.desde = std::min(m.Inicio(), r.nivel.size());
        a.residuos = Residuos(m, r);
        if (a.residuos.size() < static_cast<std::size_t>(2 * M + 2))
            throw ErrorIdentificacion(TextoRegistroCorto(r.nivel.size(), a.desde + 2 * M + 2));
        const double riesgo = (1 - o.confianza) / 2;  // each test's half of the risk
        const double z = CuantilNormal(1 - (1 - o.confianza) / 2);
        const double N = static_cast<double>(a.residuos.size());
        const std::vector<double> e = a.residuos;
        const std::vector<double> u =
            SinMedia(std::vector<double>(r.accion.begin() + static_cast<std::ptrdiff_t>(a.desde), r.accion.end()));
        const std::vector<double> y =
            SinMedia(std::vector<double>(r.nivel.begin() + static_cast<std::ptrdiff_t>(a.desde), r.nivel.end()));

        std::vector<double> re(static_cast<std::size_t>(M) + 1), ru(static_cast<std::size_t>(2 * M) + 1);
        for (int l = 0; l <= M; ++l) re[static_cast<std::size_t>(l)] = Covarianza(e, e, l);
        for (int l = 0; l <= 2 * M; ++l) ru[static_cast<std::size_t>(l)] = Covarianza(u, u, l);
        std::vector<double> rc;
        for (int tau = -M; tau <= M; ++tau) rc.push_back(Covarianza(e, u, tau));

        a.redondeo = Norma(e) <= kRedondeo * Norma(y) || re[0] == 0;
        const double se = re[0] > 0 ? re[0] : 1, su = ru[0] > 0 ? ru[0] : 1;
        for (int l = 0; l <= M; ++l) a.autocorrelacion.push_back(re[static_cast<std::size_t>(l)] / se);
        a.bandaAutocorrelacion = z / std::sqrt(N);
        // the band of one cross-correlation: var(sqrt(N) rho_eu) = sum over l of rho_e(l) rho_u(l)
        double suma = 1;
        for (int l = 1; l <= M; ++l)
            suma += 2 * a.autocorrelacion[static_cast<std::size_t>(l)] * ru[static_cast<std::size_t>(l)] / su;
        for (int tau = -M; tau <= M; ++tau) {
            a.retrasosCruzados.push_back(tau);
            a.correlacionCruzada.push_back(rc[static_cast<std::size_t>(tau + M)] / std::sqrt(se * su));
            a.bandaCruzada.push_back(z * std::sqrt(std::max(suma, 0.0) / N));
        }

        // Ljung-Box: Q = N (N + 2) sum over tau = 1 .. M of rho(tau)^2 / (N - tau)
        double Q = 0;
        for (int l = 1; l <= M; ++l) Q += a.autocorrelacion[static_cast<std::size_t>(l)] *
                                          a.autocorrelacion[static_cast<std::size_t>(l)] / (N - l);
        a.blancura = N * (N + 2) * Q;
        a.umbralBlancura = CuantilChiCuadrado(1 - riesgo, M);
        a.blanco = a.blancura <= a.umbralBlancura;
        a.primerRetrasoProbado = r.retardoCorrida.value_or(kRetardoLazoAbierto);
        ProbarIndependencia(a, re, ru, rc, M, riesgo);

        if (a.redondeo) {
            a.veredicto = Veredicto::Explica;
        } else if (!a.independiente && o.sugerirRetardo) {
            a.retardoSugerido = OtroRetardo(m, r, a.primerRetrasoProbado, o);
            a.veredicto = a.retardoSugerido ? Veredicto::Retardo : Veredicto::DinamicaSinExplicar;
        } else if (!a.independiente) {
            a.veredicto = Veredicto::DinamicaSinExplicar;
        } else {
            a.veredicto = a.blanco ? Veredicto::Explica : Veredicto::RuidoNoBlanco;
        }
        a.texto = TextoVeredicto(a.veredicto, a.retardoSugerido);
        return a;
    });
}

AnalisisResiduos AnalizarResiduos(const Identificacion& id, const Registro& r, const OpcionesResiduos& o) {
    return AnalizarResiduos(Lineal(id), r, o);
}

AnalisisResiduos AnalizarResiduos(const IdentificacionOe& id, const Registro& r, const OpcionesResiduos& o) {
    return AnalizarResiduos(Lineal(id), r, o);
}

std::string TextoVeredicto(Veredicto v, std::optional<int> retardo) {
    switch (v) {
        case Veredicto::Explica: return "el modelo explica los datos";
        case Veredicto::DinamicaSinExplicar: return "queda dinámica sin explicar";
        case Veredicto::Retardo: return "el retardo parece ser " + std::to_string(retardo.value_or(0));
        case Veredicto::RuidoNoBlanco: return "los residuos no son blancos: el ruido no es el que el modelo supone";
    }
    return "";
}
