#pragma once
// Where the sets of one input variable reach: the inputs at which each set has a degree above 0, the gaps
// where none has (an input there gives every rule a strength of 0, and the inference fails with an invalid
// operation), and an axis range that shows every set.

#include <optional>
#include <span>
#include <vector>

#include "fuzzy/fdp.h"

/// An interval of inputs: every double from `desde` to `hasta`, both included, desde <= hasta.
struct Rango {
    double desde = 0;
    double hasta = 0;
    bool operator==(const Rango&) const = default;
};

/// A gap: every double from `desde` to `hasta` (both included) gives every set a degree of 0 or none
/// (FDP::Evaluar throws), and the doubles just outside it give some set a degree above 0, unless the range
/// that was asked about ends there.
using Hueco = Rango;

/// The doubles at which the set has a degree above 0, exactly as FDP::Evaluar decides at each of them; a point
/// where Evaluar throws (a sloped side of width 0, a degree that overflows) has no degree. The result is
/// always one interval; a side without end reaches the largest finite double. Nothing when no input has a
/// degree above 0. A shape other than 0 to 3 keeps the degree it holds, so it covers all or nothing.
std::optional<Rango> Soporte(const FDP& conjunto);

/// The gaps of the sets within `rango`, in increasing order. The range's ends are taken in order; infinite
/// ends stand for the largest finite doubles. Never throws.
std::vector<Hueco> Huecos(std::span<const FDP> conjuntos, Rango rango);

/// An axis range that shows every set: the union of Centro - |Ancho| to Centro + |Ancho| over the sets
/// (a shoulder's flat side is shown over one width, like its sloped side), widened by a tenth of its length
/// on each side (by 1 when its length is 0). A constant set (shape 3) or one of an unknown shape has no
/// support of its own: it adds only its centre. Sets with a width or centre that is not finite are left out;
/// with none left, -1 to 1. The ends are finite.
Rango RangoEje(std::span<const FDP> conjuntos);
