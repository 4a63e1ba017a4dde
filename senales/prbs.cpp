#include "senales/prbs.h"

#include <bit>

namespace {

// clang-format off
constexpr std::array<Polinomio, 21> kPolinomios{{
    {{0}, 0}, {{0}, 0},            // no orders 0 and 1
    {{2, 1}, 2},                   // x^2 + x + 1
    {{3, 2}, 2},
    {{4, 3}, 2},
    {{5, 3}, 2},
    {{6, 5}, 2},
    {{7, 6}, 2},                   // PRBS7
    {{8, 6, 5, 4}, 4},
    {{9, 5}, 2},                   // PRBS9, O.150
    {{10, 7}, 2},
    {{11, 9}, 2},                  // PRBS11, O.150
    {{12, 6, 4, 1}, 4},
    {{13, 4, 3, 1}, 4},
    {{14, 5, 3, 1}, 4},
    {{15, 14}, 2},                 // PRBS15, O.150
    {{16, 15, 13, 4}, 4},
    {{17, 14}, 2},
    {{18, 11}, 2},
    {{19, 6, 2, 1}, 4},
    {{20, 3}, 2},                  // PRBS20, O.150
}};
// clang-format on

}  // namespace

const Polinomio& PolinomioPRBS(int orden) { return kPolinomios.at(static_cast<std::size_t>(orden)); }

SecuenciaPRBS::SecuenciaPRBS(int orden, std::uint32_t estado) : periodo_((std::int64_t{1} << orden) - 1) {
    // The register holds b(k) .. b(k + n - 1), b(k) in bit n - 1. b(k + n - e) lies in bit e - 1, so the
    // feedback b(k + n) is the parity of the register under the mask of bits e - 1.
    const Polinomio& pol = PolinomioPRBS(orden);
    std::uint32_t mascara = 0;
    for (int i = 0; i < pol.cuantos; ++i) mascara |= std::uint32_t{1} << (pol.exponentes[i] - 1);
    const std::uint32_t lleno = static_cast<std::uint32_t>(periodo_);
    std::uint32_t r = estado & lleno;
    bits_.assign(static_cast<std::size_t>((periodo_ + 63) / 64), 0);
    for (std::int64_t k = 0; k < periodo_; ++k) {
        const std::uint64_t b = (r >> (orden - 1)) & 1u;
        bits_[static_cast<std::size_t>(k >> 6)] |= b << (k & 63);
        const std::uint32_t nuevo = static_cast<std::uint32_t>(std::popcount(r & mascara) & 1);
        r = ((r << 1) | nuevo) & lleno;
    }
}

namespace {

std::uint32_t EstadoInicial(const ParametrosSenal& p) {
    const std::uint64_t periodo = (std::uint64_t{1} << p.orden) - 1;
    return static_cast<std::uint32_t>(periodo - p.semilla % periodo);
}

}  // namespace

SenalPRBS::SenalPRBS(const ParametrosSenal& p)
    : secuencia_(p.orden, EstadoInicial(p)), periodo_(p.periodo), minimo_(p.minimo), maximo_(p.maximo) {}
