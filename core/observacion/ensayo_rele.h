#pragma once
// The record of the last relay experiment: the level each tick of the relay run read and the action it decided
// there, with the controller's period, from its start to its stop. The window analyses it when the run stops
// (sintonia/rele.h); nothing here changes what the run does or records.

#include <cstddef>
#include <vector>

#include "core/observacion/observador.h"

/// The most samples kept: the last ones (a relay analysis reads ten cycles at most).
inline constexpr std::size_t kMaximoEnsayoRele = 200000;

class EnsayoRele : public ObservadorCorrida {
public:
    const std::vector<double>& Acciones() const { return accion_; }
    const std::vector<double>& Niveles() const { return nivel_; }
    /// s: the controller's period of the last sample (T_Sample, read at every tick)
    double T() const { return T_; }
    /// The working level the last sample read (the slider).
    double Nivel() const { return referencia_; }

    void Empezo(const InicioCorrida& inicio) override;
    void Muestra(const MuestraTick& m) override;

private:
    std::vector<double> accion_, nivel_;
    double T_ = 0, referencia_ = 0;
};
