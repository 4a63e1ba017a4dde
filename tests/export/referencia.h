#pragma once
// A slow, plainly exact fixed-notation formatter, the outside reference for CampoFijo.

#include <string>

/// The full decimal expansion of |v| (finite): integer digits, a point, every fractional digit (none for an
/// integer), from big-integer arithmetic on the binary value.
std::string ExpansionExacta(double v);

/// `v` with `decimales` decimals, halves away from zero on its exact value, "-" for v < 0, blanks up to `ancho`.
std::string CampoReferencia(double v, int decimales, int ancho);
