#pragma once
// What every excitation signal offers.

#include <cstdint>

/// A signal whose value at sample n depends on n and its parameters alone, never on what was asked before.
/// Each type's constructor takes parameters that passed ComprobarSenal, as GeneradorSenal makes sure.
class Senal {
public:
    virtual ~Senal() = default;
    /// The value at sample n >= 0, within the signal's [minimo, maximo]. Asking n, n + 1, ... in order costs
    /// O(1) each.
    virtual double Valor(std::int64_t n) = 0;
};
