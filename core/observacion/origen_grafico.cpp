#include "core/observacion/origen_grafico.h"

void OrigenGrafico::Anotar(Corrida c, const Simulacion& s, const Planta& planta) {
    corridas_ |= 1u << static_cast<unsigned>(c);
    ultima_ = c;
    if (tramoAnotado_ == tramo_) return;
    // the first point of a stretch: within it the plant is the one read at the press that began it
    tramoAnotado_ = tramo_;
    ++tramos_;
    T_ = s.T_Muestreo;
    verdad_ = planta.Verdad(s);
    reloj_ = planta.Reloj(s.T_Muestreo);
    tanques_ = s.tanques;
}

void OrigenGrafico::Limpiar() {
    const std::uint64_t tramo = tramo_;
    *this = OrigenGrafico{};
    // a run that goes on after the chart is cleared plots in the same stretch: its next point counts once
    tramo_ = tramo;
}
