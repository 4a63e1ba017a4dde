#include "identificacion/minimos_cuadrados.h"

#include <algorithm>
#include <cmath>

#include "identificacion/rechazos.h"

Escala EscalaDe(std::span<const double> columna) {
    double mayor = 0;
    for (double v : columna) mayor = std::max(mayor, std::abs(v));
    if (mayor == 0) return {};
    // within [-1000, 1000] the inverse is a normal Double, and the column's largest value lands within 2^24 of 1
    const int e = std::clamp(std::ilogb(mayor), -1000, 1000);
    return {e, std::ldexp(1.0, -e)};
}

MinimosCuadrados::MinimosCuadrados(int parametros)
    : p_(parametros),
      arriba_(parametros + 1),
      bloque_(Eigen::MatrixXd::Zero(kBloque + parametros + 1, parametros + 1)) {}

void MinimosCuadrados::Plegar() {
    const int filas = arriba_ + enBloque_;
    qr_.compute(bloque_.topRows(filas));
    // R of [triangle; block] is the triangle of all the rows: Q is orthogonal and drops out of the normal equations
    bloque_.topRows(arriba_) = qr_.matrixQR().topRows(arriba_).triangularView<Eigen::Upper>();
    filas_ += static_cast<std::size_t>(enBloque_);
    enBloque_ = 0;
}

Triangulo MinimosCuadrados::Triangular() {
    if (enBloque_ > 0) Plegar();
    Triangulo t;
    const Eigen::MatrixXd todo = bloque_.topRows(arriba_);
    t.R = todo.topLeftCorner(p_, p_);
    t.Qty = todo.col(p_).head(p_);
    t.residuo = std::abs(todo(p_, p_));
    t.filas = filas_;
    return t;
}

void ComprobarRango(const Triangulo& t) {
    if (!t.R.allFinite() || !t.Qty.allFinite() || !std::isfinite(t.residuo))
        throw ErrorIdentificacion(TextoDesbordamiento());
    // the columns of R have the norms of the columns of X (Q keeps lengths): scaled, units do not matter
    const Eigen::VectorXd normas = t.R.colwise().norm();
    if ((normas.array() == 0).any()) throw ErrorIdentificacion(TextoSingular());
    const Eigen::MatrixXd escalada = t.R * normas.cwiseInverse().asDiagonal();
    const Eigen::VectorXd s = Eigen::JacobiSVD<Eigen::MatrixXd>(escalada).singularValues();
    if (!(s(s.size() - 1) > 1e-10 * s(0))) throw ErrorIdentificacion(TextoSingular());
}

Eigen::VectorXd Resolver(const Triangulo& t) {
    ComprobarRango(t);
    const Eigen::VectorXd theta = t.R.triangularView<Eigen::Upper>().solve(t.Qty);
    if (!theta.allFinite()) throw ErrorIdentificacion(TextoDesbordamiento());
    return theta;
}

Eigen::MatrixXd InversaInformacion(const Eigen::MatrixXd& R) {
    const Eigen::MatrixXd Rinv = R.triangularView<Eigen::Upper>().solve(Eigen::MatrixXd::Identity(R.rows(), R.cols()));
    return Rinv * Rinv.transpose();
}
