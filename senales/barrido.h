#pragma once
// The chirp: a sine whose frequency moves linearly from the band's low edge to its high edge over one sweep
// of `longitud` samples, then starts again.

#include <cstdint>

#include "senales/parametros.h"
#include "senales/senal.h"

/// With t = n mod L and the edges f0, f1 as fractions of Nyquist (half a cycle per sample), the frequency at t
/// is f0 + (f1 - f0) t / L, whose phase is pi (f0 t + (f1 - f0) t^2 / (2 L)), and the value
/// (maximo + minimo)/2 + (maximo - minimo)/2 sin(phase): it starts each sweep at the middle level, rising.
class SenalBarrido : public Senal {
public:
    explicit SenalBarrido(const ParametrosSenal& p);
    double Valor(std::int64_t n) override;

private:
    std::int64_t longitud_;
    double minimo_, maximo_;
    long double f0_, pendiente_;  // f0 / 2 and (f1 - f0) / (4 L): the phase in turns is t (f0_ + pendiente_ t)
    long double media_, amplitud_;
};
