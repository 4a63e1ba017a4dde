#include "identificacion/arx_orden.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "identificacion/rechazos.h"

std::size_t PrimeraEcuacion(int ordenMaximo, int retardoMaximo) {
    return static_cast<std::size_t>(std::max({ordenMaximo, retardoMaximo + ordenMaximo - 1, 1}));
}

TrianguloArx::TrianguloArx(const Registro& r, int ordenMaximo, int retardoMaximo, std::size_t desde)
    : T_(r.T),
      tiempoMuestra_(r.tiempoMuestra),
      retardoCorrida_(r.retardoCorrida.value_or(kRetardoLazoAbierto)),
      ordenMaximo_(ordenMaximo),
      desde_(std::max(desde, PrimeraEcuacion(ordenMaximo, retardoMaximo))),
      eu_(EscalaDe(r.accion)),
      ey_(EscalaDe(r.nivel)) {
    const std::size_t N = r.nivel.size();
    const int retrasosU = retardoMaximo + ordenMaximo;  // u(k) .. u(k - nkmax - nbmax + 1)
    const int p = ordenMaximo + retrasosU;
    if (N < desde_ + static_cast<std::size_t>(p) + 2)
        throw ErrorIdentificacion(TextoRegistroCorto(N, desde_ + static_cast<std::size_t>(p) + 2));
    MinimosCuadrados mc(p);
    std::vector<double> x(static_cast<std::size_t>(p));
    for (std::size_t k = desde_; k < N; ++k) {
        // the levels y(k-1) .. y(k-namax), then the actions u(k) .. u(k-nkmax-nbmax+1), each column scaled
        for (int i = 0; i < ordenMaximo; ++i) x[static_cast<std::size_t>(i)] = r.nivel[k - 1 - i] * ey_.inversa;
        for (int j = 0; j < retrasosU; ++j)
            x[static_cast<std::size_t>(ordenMaximo + j)] = r.accion[k - static_cast<std::size_t>(j)] * eu_.inversa;
        mc.Agregar(x, r.nivel[k] * ey_.inversa);
    }
    const Triangulo t = mc.Triangular();
    if (!t.R.allFinite() || !t.Qty.allFinite()) throw ErrorIdentificacion(TextoDesbordamiento());
    R_ = Eigen::MatrixXd::Zero(p + 1, p + 1);
    R_.topLeftCorner(p, p) = t.R;
    R_.col(p).head(p) = t.Qty;
    R_(p, p) = t.residuo;
    ecuaciones_ = t.filas;
}

ModeloLineal TrianguloArx::Estimar(int na, int nb, int nk) const {
    const int p = na + nb, todas = static_cast<int>(R_.cols()) - 1;
    // the columns of the model and the target, taken from the triangle of all of them
    Eigen::MatrixXd S(R_.rows(), p + 1);
    for (int i = 0; i < na; ++i) S.col(i) = R_.col(i);
    for (int j = 0; j < nb; ++j) S.col(na + j) = R_.col(ordenMaximo_ + nk + j);
    S.col(p) = R_.col(todas);
    const Eigen::HouseholderQR<Eigen::MatrixXd> qr(S);
    const Eigen::MatrixXd todo = qr.matrixQR().topRows(p + 1).triangularView<Eigen::Upper>();
    Triangulo t;
    t.R = todo.topLeftCorner(p, p);
    t.Qty = todo.col(p).head(p);
    t.residuo = std::abs(todo(p, p));
    t.filas = ecuaciones_;
    const Eigen::VectorXd theta = Resolver(t);

    // back to the record's units: the levels' coefficients as they are, the actions' times 2^(ey - eu)
    Eigen::VectorXd D = Eigen::VectorXd::Ones(p);
    D.tail(nb).setConstant(std::ldexp(1.0, ey_.exponente - eu_.exponente));
    ModeloLineal m;
    m.estructura = "ARX";
    m.F.assign(static_cast<std::size_t>(na) + 1, 1.0);
    // y(k) = c1 y(k-1) + ... : f_i = -c_i
    for (int i = 0; i < na; ++i) m.F[static_cast<std::size_t>(i) + 1] = -theta(i);
    for (int j = 0; j < nb; ++j) m.B.push_back(theta(na + j) * D(na + j));
    m.retardo = nk;
    m.T = T_;
    m.tiempoMuestra = tiempoMuestra_;
    m.retardoCorrida = retardoCorrida_;
    m.ecuaciones = ecuaciones_;
    const double perdida = std::ldexp(t.residuo * t.residuo, 2 * ey_.exponente);
    m.perdida = perdida / static_cast<double>(ecuaciones_);
    // s^2 (X'X)^-1 in the record's units, D P D; the sign of f flips that of its rows and columns
    const double s2 = t.residuo * t.residuo / static_cast<double>(ecuaciones_ - static_cast<std::size_t>(p));
    Eigen::VectorXd signo = D;
    signo.head(na) *= -1;
    m.covarianza = signo.asDiagonal() * (s2 * InversaInformacion(t.R)) * signo.asDiagonal();
    if (!std::all_of(m.B.begin(), m.B.end(), [](double b) { return std::isfinite(b); }) || !m.covarianza.allFinite())
        throw ErrorIdentificacion(TextoDesbordamiento());
    return m;
}

ModeloLineal EstimarArxOrden(const Registro& r, int na, int nb, int nk) {
    return SinDesbordar([&] {
        ComprobarRegistro(r);
        ComprobarExcitacion(r);
        ModeloLineal prueba;
        prueba.F.assign(static_cast<std::size_t>(na) + 1, 0.0);
        prueba.B.assign(static_cast<std::size_t>(nb), 0.0);
        prueba.retardo = nk;
        const TrianguloArx t(r, std::max(na, nb), nk, prueba.Inicio());
        return t.Estimar(na, nb, nk);
    });
}

int RetardoDeMenorPerdida(const Registro& r, int na, int nb, int desde, int hasta) {
    return SinDesbordar([&] {
        const TrianguloArx t(r, std::max(na, nb), hasta, 0);
        std::optional<int> mejor;
        double perdida = 0;
        for (int nk = desde; nk <= hasta; ++nk) {
            try {
                const double v = t.Estimar(na, nb, nk).perdida;
                if (!mejor || v < perdida) {
                    mejor = nk;
                    perdida = v;
                }
            } catch (const ErrorIdentificacion&) {
                continue;  // singular at this delay: the others decide
            }
        }
        if (!mejor) throw ErrorIdentificacion(TextoSingular());
        return *mejor;
    });
}
