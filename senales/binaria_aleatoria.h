#pragma once
// The random binary signal: at each clock the minimum or the maximum, with probability 1/2 each.

#include "senales/aleatorio.h"
#include "senales/parametros.h"
#include "senales/senal.h"

/// Clock c = n / periodo takes maximo when the top bit of word c of the seed's stream is 1, minimo otherwise.
class SenalBinariaAleatoria : public Senal {
public:
    explicit SenalBinariaAleatoria(const ParametrosSenal& p)
        : flujo_(p.semilla, kDominioSenal), periodo_(p.periodo), minimo_(p.minimo), maximo_(p.maximo) {}

    double Valor(std::int64_t n) override { return flujo_.Palabra(n / periodo_) >> 63 ? maximo_ : minimo_; }

private:
    FlujoAleatorio flujo_;
    std::int64_t periodo_;
    double minimo_, maximo_;
};
