#pragma once
// The lowest and highest points of any stretch of a series in logarithmic time: a pyramid of per-block
// extremes kept up to date as points arrive, so that the chart can draw millions of points through a few
// per pixel column at the same cost as a hundred.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

#include "core/punto.h"

class ResumenExtremos {
public:
    /// The series' points; position p counted from the first point ever kept (absolute) is p - Base().
    using Puntos = std::deque<Punto>;

    /// A point was appended at the end; `total` is the series' count after it.
    void Agregado(std::size_t total, const Puntos& y);
    /// A point was inserted at index `indice` (not at the end): what lies after it is summarised again when
    /// next asked.
    void Insertado(std::size_t indice);
    /// The first point was deleted.
    void BorradoPrimero();
    void Limpiar();

    /// Absolute position of the series' point 0.
    std::uint64_t Base() const { return base_; }
    /// Indices (from 0) of the lowest and of the highest y among the points [desde, hasta), desde < hasta.
    /// Ties go to the earlier point.
    std::pair<std::size_t, std::size_t> Extremos(std::size_t desde, std::size_t hasta, std::size_t total,
                                                 const Puntos& y) const;

private:
    // A block's extremes with their values, so that a query never has to look them up among the points.
    struct Bloque {
        double yMenor;
        double yMayor;
        std::uint64_t menor;  // absolute positions of the extremes
        std::uint64_t mayor;
    };
    void Reconstruir(std::size_t total, const Puntos& y) const;
    /// Block `bloque` of level `n` (n >= 1) from its children.
    Bloque Combinar(std::size_t n, std::uint64_t bloque) const;

    // Level 0 sums up blocks of kBase points; each higher level, blocks of kAbanico blocks of the one below.
    static constexpr unsigned kBitsBase = 4;
    static constexpr unsigned kBitsAbanico = 3;
    static constexpr std::uint64_t kBase = std::uint64_t{1} << kBitsBase;
    static constexpr std::uint64_t kAbanico = std::uint64_t{1} << kBitsAbanico;
    mutable std::vector<std::vector<Bloque>> niveles_;
    std::uint64_t base_ = 0;
    // Summaries hold for the absolute positions below this one; beyond it they are rebuilt on demand.
    mutable std::uint64_t valido_ = 0;
};
