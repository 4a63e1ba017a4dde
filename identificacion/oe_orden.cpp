#include "identificacion/oe_orden.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "identificacion/arx_orden.h"
#include "identificacion/levenberg.h"
#include "identificacion/minimos_cuadrados.h"
#include "identificacion/rechazos.h"

namespace {

// theta = (f1 .. fnf, b1 .. bnb, s1 .. snf) in scaled units (actions times 2^-eu, levels times 2^-ey), s_i the
// simulated level at desde - i
struct Datos {
    const Registro& r;
    Escala eu, ey;
    int nb, nf, nk;
    std::size_t desde;
    int Parametros() const { return 2 * nf + nb; }
    // from scaled theta to the record's units: f as it is, b times 2^(ey - eu), s times 2^ey
    Eigen::VectorXd Unidades() const {
        Eigen::VectorXd D(Parametros());
        D.head(nf).setOnes();
        D.segment(nf, nb).setConstant(std::ldexp(1.0, ey.exponente - eu.exponente));
        D.tail(nf).setConstant(std::ldexp(1.0, ey.exponente));
        return D;
    }
};

// Simulates the model and its sensitivities, which obey the model's own recursion 1 / F(q):
//   d yhat(k) / d f_i = -yhat(k-i) - sum_l f_l d yhat(k-l) / d f_i
//   d yhat(k) / d b_j = u(k-nk-j+1) - sum_l f_l d yhat(k-l) / d b_j
//   d yhat(k) / d s_i = - sum_l f_l d yhat(k-l) / d s_i,   1 at k = desde - i
// Each equation adds its Gauss-Newton row of sensitivities with the error y(k) - yhat(k) as its target.
constexpr double kDespreciable = 0x1p-500;

PasadaLm Pasar(const Datos& d, const Eigen::VectorXd& theta) {
    const int nf = d.nf, nb = d.nb, p = d.Parametros();
    const double iu = d.eu.inversa, iy = d.ey.inversa;
    const std::size_t N = d.r.nivel.size(), nk = static_cast<std::size_t>(d.nk);
    const double* f = theta.data();
    const double* b = theta.data() + nf;
    // h[v nf + i]: variable v (0 the output, 1 .. p its sensitivities) at sample k - 1 - i
    std::vector<double> h(static_cast<std::size_t>((p + 1) * nf), 0.0);
    const auto H = [&](int v, int i) -> double& { return h[static_cast<std::size_t>(v * nf + i)]; };
    for (int i = 0; i < nf; ++i) {
        H(0, i) = theta(nf + nb + i);
        H(1 + nf + nb + i, i) = 1;
    }
    // the normal equations J'J and J'e of the rows: a tenth of the work of a QR of them, and the sensitivities'
    // columns, scaled, are far from parallel; their Cholesky factor is the triangle the steps are solved with
    Eigen::MatrixXd JJ = Eigen::MatrixXd::Zero(p, p);
    Eigen::VectorXd Je = Eigen::VectorXd::Zero(p);
    // the rows gathered in blocks, each added to J'J in one product: a row at a time costs ten times more
    constexpr Eigen::Index kBloque = 256;
    Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor> bloque(kBloque, p);
    Eigen::VectorXd errores(kBloque);
    Eigen::Index filas = 0;
    const auto sumar = [&] {
        JJ.selfadjointView<Eigen::Lower>().rankUpdate(bloque.topRows(filas).transpose());
        Je.noalias() += bloque.topRows(filas).transpose() * errores.head(filas);
        filas = 0;
    };
    std::vector<double> nuevo(static_cast<std::size_t>(p + 1));
    PasadaLm pasada;
    for (std::size_t k = d.desde; k < N; ++k) {
        double yhat = 0;
        for (int i = 0; i < nf; ++i) yhat -= f[i] * H(0, i);
        for (int j = 0; j < nb; ++j) yhat += b[j] * (d.r.accion[k - nk - static_cast<std::size_t>(j)] * iu);
        nuevo[0] = yhat;
        for (int v = 1; v <= p; ++v) {
            double s = 0;
            if (v <= nf)
                s = -H(0, v - 1);
            else if (v <= nf + nb)
                s = d.r.accion[k - nk - static_cast<std::size_t>(v - 1 - nf)] * iu;
            for (int l = 0; l < nf; ++l) s -= f[l] * H(v, l);
            // the sensitivities to the initial levels die away as the model's own response; below 2^-500 (their
            // squares would soon be subnormal, and a product with a subnormal is a hundred times slower than
            // others: 7 times the whole pass on 10^5 samples) they are 0, a change to J'J below 2^-480 of its
            // scaled terms, which start near 1
            nuevo[static_cast<std::size_t>(v)] = std::fabs(s) < kDespreciable ? 0.0 : s;
        }
        for (int v = 0; v <= p; ++v) {
            for (int i = nf - 1; i > 0; --i) H(v, i) = H(v, i - 1);
            H(v, 0) = nuevo[static_cast<std::size_t>(v)];
        }
        const double e = d.r.nivel[k] * iy - yhat;
        pasada.perdida += static_cast<long double>(e) * e;
        for (int v = 0; v < p; ++v) bloque(filas, v) = nuevo[static_cast<std::size_t>(v + 1)];
        errores(filas) = e;
        if (++filas == kBloque) sumar();
    }
    if (filas > 0) sumar();
    // J'J = R'R, Q'e = R^-T J'e; a J'J that is not positive definite has no triangle: singular
    const Eigen::LLT<Eigen::MatrixXd> llt(JJ.selfadjointView<Eigen::Lower>());
    if (llt.info() != Eigen::Success || !JJ.allFinite()) throw ErrorIdentificacion(TextoSingular());
    pasada.t.R = llt.matrixU();
    pasada.t.Qty = llt.matrixL().solve(Je);
    pasada.t.residuo = static_cast<double>(std::sqrt(std::max(0.0L, pasada.perdida - pasada.t.Qty.squaredNorm())));
    pasada.t.filas = N - d.desde;
    return pasada;
}

// The Levenberg-Marquardt step: min ||R d - Q'e||^2 + lambda ||diag(column norms of R) d||^2.
Eigen::VectorXd Paso(const Triangulo& t, double lambda) {
    const Eigen::Index p = t.R.rows();
    Eigen::MatrixXd A(2 * p, p);
    A.topRows(p) = t.R;
    A.bottomRows(p) = (std::sqrt(lambda) * t.R.colwise().norm()).asDiagonal();
    Eigen::VectorXd c = Eigen::VectorXd::Zero(2 * p);
    c.head(p) = t.Qty;
    return A.householderQr().solve(c);
}

std::vector<double> Polinomio(const Eigen::VectorXd& theta, int nf) {
    std::vector<double> F{1.0};
    for (int i = 0; i < nf; ++i) F.push_back(theta(i));
    return F;
}

Eigen::VectorXcd Raices(const std::vector<double>& F) {
    return Eigen::EigenSolver<Eigen::MatrixXd>(Companera(F)).eigenvalues();
}

// F with each root outside radius 0.99 pulled onto it, rebuilt from its roots.
std::vector<double> Estabilizado(const std::vector<double>& F) {
    std::vector<std::complex<double>> p{1.0};
    for (std::complex<double> z : Raices(F)) {
        if (std::abs(z) > 0.99) z *= 0.99 / std::abs(z);
        // times (1 - z q^-1)
        p.push_back(0.0);
        for (std::size_t i = p.size() - 1; i > 0; --i) p[i] -= z * p[i - 1];
    }
    std::vector<double> real;
    for (const std::complex<double>& c : p) real.push_back(c.real());
    return real;
}

struct Optimo {
    Eigen::VectorXd theta;
    PasadaLm pasada;
};

Optimo Minimizar(const Datos& d, Eigen::VectorXd theta, int intentos) {
    Optimo o{std::move(theta), {}};
    o.pasada = Pasar(d, o.theta);
    ComprobarRango(o.pasada.t);
    // Stationary, or a step that gains at most 1e-9 of the loss, far finer than any comparison of the scan's.
    // An unstable F would let the simulation grow without bound: a step that far is too long.
    LevenbergMarquardt(
        o.theta, o.pasada, ReglasLm{intentos, 1e-9, 1e-9L},
        [&](const Eigen::VectorXd& theta) { return Pasar(d, theta); }, Paso,
        [&](const Eigen::VectorXd& theta) { return Estable(Polinomio(theta, d.nf)); });
    ComprobarRango(o.pasada.t);
    return o;
}

}  // namespace

bool Estable(const std::vector<double>& F) {
    if (F.size() < 2) return true;
    const Eigen::VectorXcd z = Raices(F);
    return z.allFinite() && z.cwiseAbs().maxCoeff() < 1;
}

ModeloLineal EstimarOeOrden(const Registro& r, int nb, int nf, int nk, std::size_t desde, const ModeloLineal& inicio,
                            int intentos) {
    return SinDesbordar([&] {
        ModeloLineal forma;
        forma.F.assign(static_cast<std::size_t>(nf) + 1, 0.0);
        forma.B.assign(static_cast<std::size_t>(nb), 0.0);
        forma.retardo = nk;
        const Datos d{r, EscalaDe(r.accion), EscalaDe(r.nivel), nb, nf, nk, std::max(desde, forma.Inicio())};
        const int p = d.Parametros();
        if (r.nivel.size() < d.desde + static_cast<std::size_t>(p) + 2)
            throw ErrorIdentificacion(TextoRegistroCorto(r.nivel.size(), d.desde + static_cast<std::size_t>(p) + 2));
        const std::vector<double> F = Estable(inicio.F) ? inicio.F : Estabilizado(inicio.F);
        const Eigen::VectorXd D = d.Unidades();
        Eigen::VectorXd theta(p);
        for (int i = 0; i < nf; ++i) theta(i) = F[static_cast<std::size_t>(i) + 1];
        for (int j = 0; j < nb; ++j) theta(nf + j) = inicio.B[static_cast<std::size_t>(j)] / D(nf + j);
        for (int i = 0; i < nf; ++i) theta(nf + nb + i) = r.nivel[d.desde - 1 - static_cast<std::size_t>(i)] / D(nf + nb + i);
        const Optimo o = Minimizar(d, theta, intentos);

        const Eigen::VectorXd valor = o.theta.cwiseProduct(D);
        const std::size_t ecuaciones = r.nivel.size() - d.desde;
        ModeloLineal m;
        m.estructura = "OE";
        m.F = Polinomio(valor, nf);
        for (int j = 0; j < nb; ++j) m.B.push_back(valor(nf + j));
        m.retardo = nk;
        m.T = r.T;
        m.tiempoMuestra = r.tiempoMuestra;
        m.retardoCorrida = r.retardoCorrida.value_or(kRetardoLazoAbierto);
        m.ecuaciones = ecuaciones;
        m.desdeSimulacion = d.desde;
        for (int i = 0; i < nf; ++i) m.salidaInicial.push_back(valor(nf + nb + i));
        m.perdida = static_cast<double>(std::ldexp(o.pasada.perdida, 2 * d.ey.exponente) /
                                        static_cast<long double>(ecuaciones));
        // s^2 (J'J)^-1, s^2 = loss / (equations - parameters), the corner of (f, b), in the record's units
        const double s2 = static_cast<double>(o.pasada.perdida / static_cast<long double>(ecuaciones - p));
        const Eigen::VectorXd Dfb = D.head(nf + nb);
        m.covarianza = Dfb.asDiagonal() * (s2 * InversaInformacion(o.pasada.t.R)).topLeftCorner(nf + nb, nf + nb) *
                       Dfb.asDiagonal();
        if (!valor.allFinite() || !m.covarianza.allFinite()) throw ErrorIdentificacion(TextoDesbordamiento());
        return m;
    });
}

ModeloLineal EstimarOeOrden(const Registro& r, int nb, int nf, int nk) {
    const ModeloLineal arx = EstimarArxOrden(r, nf, nb, nk);
    return EstimarOeOrden(r, nb, nf, nk, arx.Inicio(), arx);
}
