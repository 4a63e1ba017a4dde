#pragma once
// What only watches the runs' samples (the pairs of the chart, the runs' logs, the chart's origin, the slider's
// schedule, the indices, the fuzzy inference's inputs): each is told of every event of the simulator, in the
// order of registration (core/observacion/observadores.h), and nothing it does changes what a run does or
// records. Every event has an empty default: a watcher overrides those it needs.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/controles.h"
#include "core/interfaces.h"
#include "core/planta/planta.h"
#include "core/simulacion.h"
#include "core/textos.h"

class FIS;

/// What a run started with.
struct InicioCorrida {
    Corrida corrida;
    const Textos& textos;
    const Posicion& posicion;
    const Simulacion& estado;  ///< the plant's constants as its press read them, the tank empty
    const Planta& planta;
    const FIS& fuzzy;
};

/// The sample that a tick plotted, as it ends.
struct MuestraTick {
    Corrida corrida;
    std::int32_t n;
    float accion;
    float nivel;
    std::optional<double> referencia;  ///< the closed loops'
    float T;                           ///< s, the plant's period that ends at this sample
    std::optional<bool> saturada = {};  ///< with the pump's limits on: its command at or beyond one of them
};

class ObservadorCorrida {
public:
    virtual ~ObservadorCorrida() = default;

    /// A run's button was pressed: the tank is about to be emptied and the plant read again.
    virtual void Pulsado(Corrida) {}
    /// A run has started.
    virtual void Empezo(const InicioCorrida&) {}
    /// A tick of sample n is about to read its excitation: the run's texts of every tick as they are now.
    virtual void AntesDelTick(Corrida, std::int32_t /*n*/, const Textos&, const Posicion&) {}
    /// A closed loop's tick of sample n read the slider at `posicion`.
    virtual void PosicionLeida(std::int32_t /*n*/, std::int32_t /*posicion*/) {}
    /// The plant stepped one sample of the run with the constants of `s`.
    virtual void PlantaAvanzo(Corrida, const Simulacion&, const Planta&) {}
    /// The level passed the maximum: the run is stopped.
    virtual void Desbordo(Corrida) {}
    /// The fuzzy tick of sample n is about to infer from these inputs.
    virtual void Inferencia(std::int32_t /*n*/, double /*error*/, double /*derivada*/) {}
    /// The tick's sample, plotted; the tick ends here.
    virtual void Muestra(const MuestraTick&) {}

    // The chart's points, while the simulator keeps its series.
    /// An action was plotted at index i of the action series before its level (the open loop).
    virtual void AccionGraficada(std::size_t /*i*/) {}
    /// The tick whose action came last failed before plotting its level.
    virtual void NivelPerdido() {}
    /// A level was plotted at index j of the level series: beside the action at `accion` (the closed loops), or
    /// after the action that came last.
    virtual void NivelGraficado(Corrida, std::size_t /*j*/, std::optional<std::size_t> /*accion*/) {}
    /// The first point of each series is about to be deleted.
    virtual void PrimerosABorrar() {}

    /// "Limpiar": the chart, the counters and the bar were cleared.
    virtual void Limpiado() {}
};
