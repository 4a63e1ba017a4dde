// The least squares on blocks of rows against Eigen's QR of the whole matrix, an independent computation.

#include "identificacion/minimos_cuadrados.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "identificacion/rechazos.h"

namespace {

struct Problema {
    Eigen::MatrixXd X;
    Eigen::VectorXd y;
};

// Rows of three regressors of mixed sizes and a target with a little noise.
Problema Aleatorio(Eigen::Index filas, std::uint64_t semilla) {
    std::mt19937_64 azar(semilla);
    std::normal_distribution<double> normal;
    Problema p{Eigen::MatrixXd(filas, 3), Eigen::VectorXd(filas)};
    for (Eigen::Index i = 0; i < filas; ++i) {
        p.X(i, 0) = normal(azar);
        p.X(i, 1) = 1e3 * normal(azar) + 5e3;
        p.X(i, 2) = 1e-3 * normal(azar);
        p.y(i) = 2 * p.X(i, 0) - 0.003 * p.X(i, 1) + 700 * p.X(i, 2) + 0.1 * normal(azar);
    }
    return p;
}

Triangulo Triangular(const Problema& p) {
    MinimosCuadrados mc(static_cast<int>(p.X.cols()));
    for (Eigen::Index i = 0; i < p.X.rows(); ++i) {
        if (p.X.cols() == 2)
            mc.Agregar(p.X(i, 0), p.X(i, 1), p.y(i));
        else
            mc.Agregar(p.X(i, 0), p.X(i, 1), p.X(i, 2), p.y(i));
    }
    return mc.Triangular();
}

double Relativo(const Eigen::MatrixXd& a, const Eigen::MatrixXd& b) { return (a - b).norm() / b.norm(); }

}  // namespace

// Row counts around the block's 512 rows: one block short, exact, one over, several.
TEST(MinimosCuadrados, IgualQueLaQrDeTodasLasFilas) {
    for (Eigen::Index filas : {3, 4, 511, 512, 513, 1024, 1025, 5000}) {
        SCOPED_TRACE(filas);
        const Problema p = Aleatorio(filas, static_cast<std::uint64_t>(filas));
        const Triangulo t = Triangular(p);
        EXPECT_EQ(t.filas, static_cast<std::size_t>(filas));
        const Eigen::VectorXd directo = p.X.colPivHouseholderQr().solve(p.y);
        const Eigen::VectorXd theta = Resolver(t);
        EXPECT_LT(Relativo(theta, directo), 1e-12);
        EXPECT_NEAR(t.residuo, (p.y - p.X * directo).norm(), 1e-12 * p.y.norm());
        // R'R = X'X, and R^-1 R^-T = (X'X)^-1
        const Eigen::MatrixXd XtX = p.X.transpose() * p.X;
        EXPECT_LT(Relativo(t.R.transpose() * t.R, XtX), 1e-13);
        EXPECT_LT(Relativo(InversaInformacion(t.R), XtX.inverse()), 1e-9);
    }
}

// Why a QR and not the normal equations: two regressors parallel to 1e-7 (a settled level against its
// inflow). The QR's error grows with the condition number, the normal equations' with its square.
TEST(MinimosCuadrados, ConservaLaCondicionQueLasEcuacionesNormalesElevanAlCuadrado) {
    std::mt19937_64 azar(3);
    std::normal_distribution<double> normal;
    Problema p{Eigen::MatrixXd(4000, 2), Eigen::VectorXd(4000)};
    for (Eigen::Index i = 0; i < 4000; ++i) {
        p.X(i, 0) = 2 + normal(azar);
        p.X(i, 1) = p.X(i, 0) * (1 + 1e-7 * normal(azar));
    }
    const Eigen::Vector2d verdad(0.975, 0.05);
    p.y = p.X * verdad;
    const double qr = Relativo(Resolver(Triangular(p)), verdad);
    const Eigen::MatrixXd XtX = p.X.transpose() * p.X;
    const double normales = Relativo(XtX.ldlt().solve(p.X.transpose() * p.y), verdad);
    EXPECT_LT(qr, 1e-6);
    EXPECT_GT(normales, 100 * qr);
}

TEST(MinimosCuadrados, RangoDeficiente) {
    const struct {
        const char* razon;
        Eigen::Vector2d columna1;  // column 1 = columna1(0) * column 0 + columna1(1) * noise
    } casos[] = {
        {"a column twice", {1, 0}},
        {"a column zero", {0, 0}},
        {"parallel to 1e-12", {3, 1e-12}},
    };
    std::mt19937_64 azar(5);
    std::normal_distribution<double> normal;
    for (const auto& c : casos) {
        Problema p{Eigen::MatrixXd(100, 2), Eigen::VectorXd(100)};
        for (Eigen::Index i = 0; i < 100; ++i) {
            p.X(i, 0) = 1 + normal(azar);
            p.X(i, 1) = c.columna1(0) * p.X(i, 0) + c.columna1(1) * normal(azar);
            p.y(i) = normal(azar);
        }
        try {
            Resolver(Triangular(p));
            ADD_FAILURE() << c.razon;
        } catch (const ErrorIdentificacion& e) {
            EXPECT_EQ(e.what(), TextoSingular()) << c.razon;
        }
    }
    // columns of very different sizes but independent are no trouble: each is scaled to unit norm first
    Problema p{Eigen::MatrixXd(100, 2), Eigen::VectorXd(100)};
    for (Eigen::Index i = 0; i < 100; ++i) {
        p.X(i, 0) = 1e-9 * normal(azar);
        p.X(i, 1) = 1e9 * normal(azar);
        p.y(i) = p.X(i, 0) * 1e9 + p.X(i, 1) * 1e-9;
    }
    EXPECT_LT(Relativo(Resolver(Triangular(p)), Eigen::Vector2d(1e9, 1e-9)), 1e-12);
}

TEST(MinimosCuadrados, EscalaEsUnaPotenciaDeDos) {
    const struct {
        std::vector<double> columna;
        int exponente;
    } casos[] = {
        {{3, -8, 0.5}, 3},     // 8 = 2^3
        {{-9, 1}, 3},          // 2^3 <= 9 < 2^4
        {{0.1}, -4},           // 2^-4 <= 0.1 < 2^-3
        {{0, 0}, 0},           // nothing to scale
        {{1e-320}, -1000},     // a subnormal: the exponent stops at -1000
        {{1.7e308, 1}, 1000},  // and at 1000
    };
    for (const auto& c : casos) {
        const Escala e = EscalaDe(c.columna);
        EXPECT_EQ(e.exponente, c.exponente);
        EXPECT_EQ(e.inversa, std::ldexp(1.0, -c.exponente));
    }
}
