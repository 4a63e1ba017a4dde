#pragma once
// Random levels (the amplitude-modulated PRBS of the identification books): a level drawn uniformly in
// [minimo, maximo], held for a whole number of samples drawn uniformly in 1 .. periodo, then another.

#include <cstdint>

#include "senales/aleatorio.h"
#include "senales/parametros.h"
#include "senales/senal.h"

/// Each hold takes the stream's words in order: one for its level (EnIntervalo of Uniforme), then those that
/// EnteroHasta(periodo) takes for its length minus 1. Where a hold starts depends on every hold before it, so
/// a sample before the present hold is found again from sample 0.
class SenalNivelesAleatorios : public Senal {
public:
    explicit SenalNivelesAleatorios(const ParametrosSenal& p);
    double Valor(std::int64_t n) override;

private:
    void Siguiente();  // draws the hold after the present one

    FlujoAleatorio flujo_;
    std::uint64_t periodo_;
    double minimo_, maximo_;
    std::int64_t palabra_ = 0;  // the next word to take
    std::int64_t inicio_ = 0;   // first sample of the present hold
    std::int64_t largo_ = 0;    // its samples
    double nivel_ = 0;
};
