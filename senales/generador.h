#pragma once
// The excitation signal of a set of parameters: what the run asks at each sample.

#include <cstdint>
#include <memory>

#include "senales/parametros.h"
#include "senales/senal.h"

class GeneradorSenal {
public:
    /// Checks p (ComprobarSenal) and prepares the signal: a PRBS computes its period (up to 2^20 bits), a
    /// multisine its period (longitud x componentes sines). Throws ErrorTanque with the check's message.
    explicit GeneradorSenal(const ParametrosSenal& p);

    /// The value at sample n, within [minimo, maximo]: a function of p and n alone, the same on every machine.
    /// A negative n counts as 0. Escalon, which the core makes by its own path, gives maximo at every sample.
    /// Throws ErrorPuntoFlotante only where a level's arithmetic overflows (it cannot with finite levels).
    double Valor(std::int64_t n) { return senal_->Valor(n < 0 ? 0 : n); }

    const ParametrosSenal& Parametros() const { return parametros_; }

private:
    ParametrosSenal parametros_;
    std::unique_ptr<Senal> senal_;
};
