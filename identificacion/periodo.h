#pragma once
// The period of a record's input, when it repeats: what the ETFE averages over (frecuencia.h EtfePeriodica).

#include <cstddef>
#include <optional>

#include "identificacion/registro.h"

/// The most comparisons PeriodoEntrada makes before it gives up: a long record whose input changes rarely
/// (a step) would otherwise cost N^2 / 2.
inline constexpr std::size_t kComparacionesPeriodo = 50'000'000;

/// The smallest P from 2 such that u(k + P) = u(k) for every k of the record, within a thousandth of the input's
/// range (a multisine's samples are sines of other arguments, and a record file rounds them), with at least `periodos`
/// whole periods in it and an input that is not constant; nothing when there is none or the search would exceed
/// kComparacionesPeriodo.
std::optional<std::size_t> PeriodoEntrada(const Registro& r, std::size_t periodos = 3);
