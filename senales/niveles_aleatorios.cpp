#include "senales/niveles_aleatorios.h"

SenalNivelesAleatorios::SenalNivelesAleatorios(const ParametrosSenal& p)
    : flujo_(p.semilla, kDominioSenal),
      periodo_(static_cast<std::uint64_t>(p.periodo)),
      minimo_(p.minimo),
      maximo_(p.maximo) {
    Siguiente();
}

void SenalNivelesAleatorios::Siguiente() {
    inicio_ += largo_;
    nivel_ = EnIntervalo(minimo_, maximo_, Uniforme(flujo_.Palabra(palabra_++)));
    largo_ = 1 + static_cast<std::int64_t>(EnteroHasta(periodo_, [&] { return flujo_.Palabra(palabra_++); }));
}

double SenalNivelesAleatorios::Valor(std::int64_t n) {
    if (n < inicio_) {
        palabra_ = inicio_ = largo_ = 0;
        Siguiente();
    }
    while (n >= inicio_ + largo_) Siguiente();
    return nivel_;
}
