#pragma once
// Measurement noise: normal values of deviation s from a seed of their own, one per sample.

#include <cstdint>

#include "senales/aleatorio.h"

struct ParametrosRuido {
    double desviacion = 0.0;  // s >= 0; 0 is no noise
    std::uint64_t semilla = 1;

    bool operator==(const ParametrosRuido&) const = default;
};

inline constexpr const char* kMensajeRuidoNegativo = "La desviación del ruido no puede ser negativa";

/// Throws ErrorTanque when the deviation is negative (or not a number).
void ComprobarRuido(const ParametrosRuido& p);

/// The noise at sample n is s z_n, z_n value n of NormalPorPosicion(semilla, kDominioRuido): the same for the
/// same n whatever was asked before, and apart from a signal drawn with the same seed.
class Ruido {
public:
    /// Checks p. Throws ErrorTanque.
    explicit Ruido(const ParametrosRuido& p);

    /// True for deviation 0: the caller may leave the noise out altogether, which keeps its numbers
    /// bit for bit.
    bool Nulo() const { return desviacion_ == 0.0; }

    /// The noise at sample n (a negative n counts as 0); exactly +0.0 when Nulo(). Throws ErrorPuntoFlotante
    /// (overflow) for a deviation so large that s z_n is beyond the Doubles.
    double Valor(std::int64_t n);

private:
    double desviacion_;
    NormalPorPosicion normal_;
};
