#pragma once
// Linear least squares over many rows, without keeping them: Householder QR on blocks of rows.
//
// Why not the normal equations: on a slow plant the regressors y(k-1) and u(k) are nearly parallel once the
// level has settled (y = K u), and forming X'X squares that condition. A QR of the rows keeps it, and done a
// block at a time it needs only a (p+1) x (p+1) triangle between blocks: each block is stacked under the
// triangle of the blocks before and factored again, which leaves the triangle of all the rows so far. The
// target is carried as one more column, so the triangle's last diagonal entry is the residual norm.

#include <Eigen/Dense>
#include <cstddef>
#include <span>

/// A power of two near the largest magnitude of a column, by which the column is multiplied on its way into the
/// factorisation: exact, and it keeps the squares away from overflow and underflow whatever the record's units.
struct Escala {
    int exponente = 0;   ///< the column is divided by 2^exponente, within [-1000, 1000]
    double inversa = 1;  ///< 2^-exponente
};
Escala EscalaDe(std::span<const double> columna);

/// The triangle of the rows [X y]: X = Q R with R upper triangular (p x p), Q'y, and ||y - X theta|| at the
/// least-squares theta.
struct Triangulo {
    Eigen::MatrixXd R;
    Eigen::VectorXd Qty;
    double residuo = 0;
    std::size_t filas = 0;
};

class MinimosCuadrados {
public:
    /// An empty problem in `parametros` unknowns.
    explicit MinimosCuadrados(int parametros);

    /// Adds the row x = (x0, x1[, x2]) with target y.
    void Agregar(double x0, double x1, double y) { Fila(x0, x1, 0, y); }
    void Agregar(double x0, double x1, double x2, double y) { Fila(x0, x1, x2, y); }
    /// Adds the row x (as many values as unknowns) with target y.
    void Agregar(std::span<const double> x, double y) {
        double* fila = bloque_.row(arriba_ + enBloque_).data();
        for (int i = 0; i < p_; ++i) fila[i] = x[static_cast<std::size_t>(i)];
        fila[p_] = y;
        if (++enBloque_ == kBloque) Plegar();
    }

    /// The triangle of every row added so far.
    Triangulo Triangular();

private:
    void Fila(double x0, double x1, double x2, double y) {
        double* fila = bloque_.row(arriba_ + enBloque_).data();
        fila[0] = x0;
        fila[1] = x1;
        if (p_ == 3) fila[2] = x2;
        fila[p_] = y;
        if (++enBloque_ == kBloque) Plegar();
    }
    // Factors the triangle with the rows of the block beneath it and keeps the new triangle on top.
    void Plegar();

    static constexpr int kBloque = 512;  // rows a block: large enough to pay for a factorisation, small for cache
    int p_;
    int arriba_;  // the rows of the triangle above the block: p + 1
    int enBloque_ = 0;
    std::size_t filas_ = 0;
    // row-major, so that a row is written in one place
    Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor> bloque_;
    Eigen::HouseholderQR<Eigen::MatrixXd> qr_;
};

/// Throws ErrorIdentificacion: singular when a column of X is zero or the columns, each scaled to unit norm,
/// have a condition number above 1e10; too large when the factorisation overflowed.
void ComprobarRango(const Triangulo& t);

/// The theta of min ||X theta - y|| from its triangle. Throws as ComprobarRango.
Eigen::VectorXd Resolver(const Triangulo& t);

/// (X'X)^-1 = R^-1 R^-T from the triangle, for the covariance s^2 (X'X)^-1 of an estimate.
Eigen::MatrixXd InversaInformacion(const Eigen::MatrixXd& R);
