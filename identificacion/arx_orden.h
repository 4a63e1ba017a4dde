#pragma once
// ARX of any order, A(q) y(k) = B(q) u(k - nk) + e(k), by least squares, and a whole grid of them at once.
//
// Every model of a grid is solved over the same equations k = desde .. N-1, so that their losses compare. The
// rows [y(k-1) .. y(k-namax), u(k) .. u(k-nkmax-nbmax+1), y(k)] are factored once (X = Q R); the columns of
// one model are some of those of X, and X_S = Q R_S, so its triangle is that of the small matrix R_S: a grid
// of a hundred models costs one pass over the record.

#include <cstddef>
#include <vector>

#include "identificacion/lineal.h"
#include "identificacion/minimos_cuadrados.h"
#include "identificacion/registro.h"

class TrianguloArx {
public:
    /// The triangle of the regressors of every ARX(na <= ordenMaximo, nb <= ordenMaximo, nk <= retardoMaximo)
    /// over the equations k = desde .. N-1 (desde at least the longest lag). Throws ErrorIdentificacion: too
    /// few equations, values too large.
    TrianguloArx(const Registro& r, int ordenMaximo, int retardoMaximo, std::size_t desde);

    /// ARX(na, nb, nk) on the common equations: F = A, B, its covariance s^2 (X'X)^-1 and its loss.
    /// Throws ErrorIdentificacion when the regressors are singular.
    ModeloLineal Estimar(int na, int nb, int nk) const;

    std::size_t Ecuaciones() const { return ecuaciones_; }

private:
    double T_, tiempoMuestra_;
    int retardoCorrida_;
    int ordenMaximo_;
    std::size_t desde_, ecuaciones_ = 0;
    Escala eu_, ey_;
    Eigen::MatrixXd R_;  // the triangle of all the columns and the target, (p + 1) x (p + 1)
};

/// The longest lag of a grid: the first equation that every model of it can write.
std::size_t PrimeraEcuacion(int ordenMaximo, int retardoMaximo);

/// ARX(na, nb, nk) alone, on the equations from its own first one (ModeloLineal::Inicio). Throws
/// ErrorIdentificacion.
ModeloLineal EstimarArxOrden(const Registro& r, int na, int nb, int nk);

/// The delay nk in [desde, hasta] of smallest ARX(na, nb, nk) loss over the common equations (the first on a
/// tie), the delays that cannot be solved for left out. Throws ErrorIdentificacion when none can.
int RetardoDeMenorPerdida(const Registro& r, int na, int nb, int desde, int hasta);
