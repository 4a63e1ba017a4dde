#pragma once
// The lowest and highest points of any stretch of a series in logarithmic time: a pyramid of per-block
// extremes, brought up to date with the series when asked, so that the chart can draw millions of points
// through a few per pixel column at the same cost as a hundred.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class Serie;

class ResumenExtremos {
public:
    /// Indices (from 0) of the lowest and of the highest y among the points [desde, hasta) of `serie`,
    /// desde < hasta <= Cuenta(). Ties go to the earlier point. Only the points that arrived since the last
    /// call are summarised anew, unless the series renumbered its positions (Serie::Version()).
    std::pair<std::size_t, std::size_t> Extremos(const Serie& serie, std::size_t desde, std::size_t hasta);

private:
    // A block's extremes with their values, so that a query never has to look them up among the points.
    struct Bloque {
        double yMenor;
        double yMayor;
        std::uint64_t menor;  // positions of the extremes (Serie::Base() + index)
        std::uint64_t mayor;
    };
    void Seguir(const Serie& serie);
    void Reconstruir(const Serie& serie);
    /// Block `bloque` of level `n` (n >= 1) from its children.
    Bloque Combinar(std::size_t n, std::uint64_t bloque) const;

    // Level 0 sums up blocks of kBase points; each higher level, blocks of kAbanico blocks of the one below.
    static constexpr unsigned kBitsBase = 4;
    static constexpr unsigned kBitsAbanico = 3;
    static constexpr std::uint64_t kBase = std::uint64_t{1} << kBitsBase;
    static constexpr std::uint64_t kAbanico = std::uint64_t{1} << kBitsAbanico;
    std::vector<std::vector<Bloque>> niveles_;
    // the series summed up, the positions of its first point and the version they belong to
    const Serie* serie_ = nullptr;
    std::uint64_t version_ = 0;
    std::uint64_t base_ = 0;
    // Summaries hold for the positions below this one; beyond it they are rebuilt when next asked.
    std::uint64_t valido_ = 0;
};
