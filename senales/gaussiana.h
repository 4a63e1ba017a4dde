#pragma once
// The Gaussian signal: normal values of mean (minimo + maximo)/2 and deviation (maximo - minimo)/4, clipped to
// [minimo, maximo] (about 4.6 % of them reach a limit), each held for periodo samples.

#include <cstdint>

#include "senales/aleatorio.h"
#include "senales/parametros.h"
#include "senales/senal.h"

/// Clock c = n / periodo takes value c of the seed's NormalPorPosicion.
class SenalGaussiana : public Senal {
public:
    explicit SenalGaussiana(const ParametrosSenal& p);
    double Valor(std::int64_t n) override;

private:
    NormalPorPosicion normal_;
    std::int64_t periodo_;
    double minimo_, maximo_;
    long double media_, desviacion_;
};
