#pragma once
// A chart series: points (x, y) of Doubles kept in ascending order of x.

#include <cstddef>
#include <cstdint>
#include <deque>

#include "core/punto.h"

/// The ordered point list of one chart series. The chart draws from it; it is the one store of the points.
class Serie {
public:
    /// Appends (x, y); a point whose x is below the last one's goes after the last point whose x is not
    /// greater. Returns the index at which the point now stands.
    std::size_t Agregar(double x, double y);
    /// Deletes the first point; nothing on an empty series.
    void BorrarPrimero();
    void Limpiar();
    /// A new run begins: the points appended from now on belong to a stretch of their own, which the chart
    /// draws as its own line (a run without "Limpiar" starts again at a smaller x). Nothing on an empty
    /// series, whose points all belong to the run about to begin.
    void NuevoTramo();
    /// How many stretches the series holds points of (1 until a run begins on a non-empty series).
    std::uint32_t Tramos() const { return tramo_ + 1; }
    /// The stretch of point i: 0 to Tramos() - 1, in the order the runs began.
    std::uint32_t Tramo(std::size_t i) const { return tramos_.empty() ? 0 : tramos_[i]; }
    std::size_t Cuenta() const { return puntos_.size(); }
    bool Vacia() const { return puntos_.empty(); }
    double X(std::size_t i) const { return puntos_[i].x; }
    double Y(std::size_t i) const { return puntos_[i].y; }
    const Punto& operator[](std::size_t i) const { return puntos_[i]; }

    /// Index of the last point drawn for the shown horizontal range [xmin, xmax]: the last point when the
    /// chart shows its whole range; otherwise the first point at or beyond xmax (the last point if none
    /// is), or -1 when no point lies at or beyond xmin.
    std::int64_t UltimoDibujado(bool rangoCompleto, double xmin, double xmax) const;

    /// Index of the first point whose x is at least `x` (Cuenta() when none is).
    std::size_t PrimeroDesde(double x) const;
    /// Index of the first point whose x is greater than `x` (Cuenta() when none is).
    std::size_t PrimeroTras(double x) const;
    /// How many points have been deleted from the front since the positions were last counted afresh:
    /// index i is the point at position Base() + i, a position that names the same point for as long as
    /// Version() stays the same.
    std::uint64_t Base() const { return base_; }
    /// Changes whenever a point is placed before others or positions are counted afresh; appending at
    /// the end and deleting the first point leave it as it is.
    std::uint64_t Version() const { return version_; }

private:
    // A deque: deleting the first point costs the same at any length, and growth never copies the points.
    std::deque<Punto> puntos_;
    std::uint64_t base_ = 0;
    std::uint64_t version_ = 0;
    // each point's stretch, kept only once a second stretch began: one run costs nothing
    std::deque<std::uint32_t> tramos_;
    std::uint32_t tramo_ = 0;
};
