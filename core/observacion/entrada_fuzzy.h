#pragma once
// The inputs of the fuzzy run's last inference, kept before Inferir so that one that failed shows too (the rule
// grid's shading and the surface's marker follow them).

#include <cstdint>

#include "core/observacion/observador.h"

/// The inputs of the fuzzy run's last inference.
struct EntradaFuzzy {
    std::uint64_t cuenta = 0;  ///< inferences tried so far
    std::int32_t n = 0;        ///< their sample
    double error = 0;          ///< scaled error
    double derivada = 0;       ///< scaled derivative of the error (D_Error)
};

class EntradasFuzzy : public ObservadorCorrida {
public:
    const EntradaFuzzy& Ultima() const { return ultima_; }
    void Inferencia(std::int32_t n, double error, double derivada) override {
        ultima_ = {ultima_.cuenta + 1, n, error, derivada};
    }

private:
    EntradaFuzzy ultima_;
};
