#include "sintonia/discreto.h"

#include <algorithm>
#include <cmath>
#include <unsupported/Eigen/MatrixFunctions>

#include "sintonia/rechazos.h"

namespace {

struct Continuo {
    Eigen::MatrixXd A;
    Eigen::VectorXd B;
    Eigen::RowVectorXd C;
};

// x' = A x + B u: the first order as x' = (K u - x) / tau1; the second as two lags in a row, x1 the first
// tank's and x2 = y the second's.
Continuo EspacioDeEstados(const ModeloConRetardo& p) {
    if (p.tau2 == 0) {
        Continuo c{Eigen::MatrixXd(1, 1), Eigen::VectorXd(1), Eigen::RowVectorXd(1)};
        c.A << -1 / p.tau1;
        c.B << p.K / p.tau1;
        c.C << 1;
        return c;
    }
    Continuo c{Eigen::MatrixXd(2, 2), Eigen::VectorXd(2), Eigen::RowVectorXd(2)};
    c.A << -1 / p.tau1, 0, 1 / p.tau2, -1 / p.tau2;
    c.B << p.K / p.tau1, 0;
    c.C << 0, 1;
    return c;
}

// exp([[A, B], [0, 0]] t) = [[e^(A t), int_0^t e^(A s) ds B], [0, 1]]
std::pair<Eigen::MatrixXd, Eigen::VectorXd> Retenido(const Continuo& c, double t) {
    const Eigen::Index n = c.A.rows();
    Eigen::MatrixXd M = Eigen::MatrixXd::Zero(n + 1, n + 1);
    M.topLeftCorner(n, n) = c.A * t;
    M.topRightCorner(n, 1) = c.B * t;
    const Eigen::MatrixXd E = M.exp();
    return {E.topLeftCorner(n, n), E.topRightCorner(n, 1)};
}

}  // namespace

PlantaDiscreta Discretizar(const ModeloConRetardo& planta, const Muestreo& m) {
    const ModeloConRetardo p = EnSegundosDelControl(planta, m);
    const double T = m.T;
    const double muestras = p.theta / T;
    if (muestras > kMaximoRetardo) throw ErrorSintonia(TextoRetardoLargo(std::lround(muestras), kMaximoRetardo));
    // a delay that is a whole number of samples up to rounding (nk T / T) is taken as whole
    const double cercana = std::round(muestras);
    const double enteras = std::fabs(muestras - cercana) < 1e-9 ? cercana : std::floor(muestras);
    const double f = std::max(0.0, muestras - enteras);

    const Continuo c = EspacioDeEstados(p);
    PlantaDiscreta d;
    d.T = T;
    d.d = static_cast<int>(enteras);
    d.C = c.C;
    d.Phi = Retenido(c, T).first;
    const auto [PhiTarde, G0] = Retenido(c, (1 - f) * T);
    d.G0 = G0;
    d.G1 = PhiTarde * Retenido(c, f * T).second;
    return d;
}

std::complex<double> Resolvente(const PlantaDiscreta& p, std::complex<double> z, std::complex<double> a,
                                std::complex<double> b) {
    // n = 1 or 2 in closed form: no allocation in the scans, which call it some 10^4 to 10^6 times
    if (p.Phi.rows() == 1) return p.C(0) * (p.G0(0) * a + p.G1(0) * b) / (z - p.Phi(0, 0));
    const std::complex<double> v0 = p.G0(0) * a + p.G1(0) * b, v1 = p.G0(1) * a + p.G1(1) * b;
    // (zI - Phi)^-1 = adj / det, adj = [[z - Phi11, Phi01], [Phi10, z - Phi00]]
    const std::complex<double> m00 = z - p.Phi(0, 0), m11 = z - p.Phi(1, 1);
    const std::complex<double> det = m00 * m11 - p.Phi(0, 1) * p.Phi(1, 0);
    const std::complex<double> x0 = m11 * v0 + p.Phi(0, 1) * v1, x1 = p.Phi(1, 0) * v0 + m00 * v1;
    return (p.C(0) * x0 + p.C(1) * x1) / det;
}

std::complex<double> RespuestaSinRetardo(const PlantaDiscreta& p, double w) {
    const std::complex<double> z = std::polar(1.0, w * p.T);
    return Resolvente(p, z, 1.0, 1.0 / z);
}

std::complex<double> Respuesta(const PlantaDiscreta& p, double w) {
    return RespuestaSinRetardo(p, w) * std::polar(1.0, -w * p.d * p.T);
}

PlantaEnMarcha::PlantaEnMarcha(const PlantaDiscreta& p)
    : p_(p), x_(Eigen::VectorXd::Zero(p.Phi.rows())), pasadas_(static_cast<std::size_t>(p.d) + 1, 0.0) {}

double PlantaEnMarcha::Nivel() const { return p_.C.dot(x_); }

void PlantaEnMarcha::Avanzar(double u) {
    // u(k - j) is at (cabeza_ + j - 1) mod (d + 1), j = 1 .. d + 1
    const std::size_t n = pasadas_.size();
    const std::size_t masVieja = (cabeza_ + n - 1) % n;                        // u(k - d - 1)
    const double retrasada = p_.d == 0 ? u : pasadas_[(cabeza_ + n - 2) % n];  // u(k - d)
    x_ = p_.Phi * x_ + p_.G0 * retrasada + p_.G1 * pasadas_[masVieja];
    // u(k - d - 1) leaves and u(k) takes its place as the newest
    cabeza_ = masVieja;
    pasadas_[cabeza_] = u;
}
