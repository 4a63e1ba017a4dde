#pragma once
// The maximum-length pseudo-random binary sequence: a linear feedback shift register whose feedback is a
// primitive polynomial, so that it passes through every non-zero state once per period of 2^n - 1 clocks.

#include <array>
#include <cstdint>
#include <vector>

#include "senales/parametros.h"
#include "senales/senal.h"

/// The exponents of a primitive polynomial over GF(2), the constant term left out: {9, 5} is x^9 + x^5 + 1.
struct Polinomio {
    int exponentes[4];
    int cuantos;
};

/// The feedback polynomial of each order 2 to 20 (index = order). Orders 9, 11, 15 and 20 use the polynomials
/// of ITU-T O.150 (x^9 + x^5 + 1, x^11 + x^9 + 1, x^15 + x^14 + 1, x^20 + x^3 + 1), order 7 the usual PRBS7
/// x^7 + x^6 + 1; the other orders a primitive trinomial, or a pentanomial where there is none (8, 12, 13, 14,
/// 16, 19).
const Polinomio& PolinomioPRBS(int orden);

/// One period of the sequence of order `orden`: bit b(k) for k = 0 .. 2^orden - 2. The first `orden` bits
/// are the starting state, the rest follow b(k) = XOR of b(k - e) over the polynomial's exponents e (the
/// recurrence of O.150, whose patterns start from the state of all ones).
class SecuenciaPRBS {
public:
    /// `estado`: the first orden bits, b(0) the most significant; not 0, below 2^orden.
    SecuenciaPRBS(int orden, std::uint32_t estado);

    std::int64_t Periodo() const { return periodo_; }
    /// Bit k of the infinite sequence (k >= 0).
    bool Bit(std::int64_t k) const {
        const std::int64_t i = k % periodo_;
        return (bits_[static_cast<std::size_t>(i >> 6)] >> (i & 63)) & 1u;
    }

private:
    std::int64_t periodo_;
    std::vector<std::uint64_t> bits_;  // bit i of the period at word i / 64, bit i mod 64
};

/// The PRBS signal: clock c = n / periodo; bit 1 gives maximo, 0 minimo. The seed picks the starting state
/// 2^orden - 1 - (semilla mod (2^orden - 1)): seed 0 starts from all ones, as the O.150 patterns do, and each
/// other seed below 2^orden - 1 starts from another state, that is, at another place of the same period.
class SenalPRBS : public Senal {
public:
    explicit SenalPRBS(const ParametrosSenal& p);
    double Valor(std::int64_t n) override { return secuencia_.Bit(n / periodo_) ? maximo_ : minimo_; }

private:
    SecuenciaPRBS secuencia_;
    std::int64_t periodo_;
    double minimo_, maximo_;
};
