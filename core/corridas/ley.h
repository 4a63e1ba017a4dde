#pragma once
// A run's law and what one of its ticks may touch. Each law (core/corridas/escalon.cpp, pid.cpp, fuzzy.cpp) is
// the body of its run's tick, in the order of its reads; the simulator frames it (the tick's end: the watchers'
// sample, the counter, the window told) and implements PasoDeCorrida for it.

#include <cstdint>
#include <memory>

#include "core/simulacion.h"
#include "core/textos.h"

class FIS;

/// What a run's tick may do to the simulator, and nothing more: no series, bar or log in sight. `n` is the
/// sample of the tick, as the law read the run's counter.
class PasoDeCorrida {
public:
    virtual ~PasoDeCorrida() = default;
    /// The dialogs' texts, read at the moment of use.
    virtual const Textos& TextosDelTick() const = 0;
    /// The run's counter: the sample of this tick.
    virtual std::int32_t Muestra() const = 0;
    /// The Simulation state.
    virtual Simulacion& Estado() = 0;
    /// The slider's position, read now; the comparison's schedule notes it for sample n.
    virtual std::int32_t LeerPosicion(std::int32_t n) = 0;
    /// The open loop's inflow of sample n: the run's texts of every tick are seen by its log, the signal's texts
    /// are read and give its value at n (Alto_Escalon for the step), then the noise's texts are read.
    virtual float EntradaAbierta(std::int32_t n) = 0;
    /// The run's texts of every tick are seen by its log, then the noise's texts are read.
    virtual void LeerRuido(std::int32_t n) = 0;
    /// The plant's step under Accion_Control (the integrator, the level, the overflow stop) and the level as
    /// measured, with the noise of sample n.
    virtual float PasoPlanta(std::int32_t n) = 0;
    /// The inflow that the pump gives for the action `comandada` (itself unless Caudal_Min or Caudal_Max limit
    /// it), noted as the command of this tick.
    virtual float Aplicar(float comandada) = 0;
    /// The level bar at level y.
    virtual void MoverBarra(float y) = 0;
    /// The open loop's chart: the action of sample n plotted before its plant step, then the level beside it.
    virtual void GraficarAccion(std::int32_t n, float u) = 0;
    virtual void GraficarNivel(std::int32_t n, float y, float u) = 0;
    /// The closed loops' chart: level, action and reference of sample n together, the oldest sample deleted
    /// once kMuestrasVentana are shown.
    virtual void Graficar(std::int32_t n, float y, float u, double r) = 0;
    /// Controlador_Fuzzy, and whether it holds a complete initialisation.
    virtual FIS& Controlador_Fuzzy() = 0;
    virtual bool FuzzyInicializado() const = 0;
    /// The inputs of sample n's inference, noted before it is tried (the views show one that fails too).
    virtual void EntradasDeInferencia(std::int32_t n, double error, double derivada) = 0;
    /// Whether a run other than this tick's is going (the relay starts alone).
    virtual bool OtraCorridaActiva() const = 0;
};

/// One run's law.
class LeyCorrida {
public:
    virtual ~LeyCorrida() = default;
    /// Its share of the state that a press of its button sets to 0 (the press itself empties the tank and sets
    /// the action to 0).
    virtual void Reiniciar(Simulacion& s) const = 0;
    /// Reads at the press, after Reiniciar, what its law keeps for the whole run (the PID's options). Throws
    /// ErrorTanque naming the text.
    virtual void Preparar(Simulacion& s, const Textos& textos) const {
        static_cast<void>(s);
        static_cast<void>(textos);
    }
    /// The message that refuses its start now, or nullptr.
    virtual const char* Impedimento(const PasoDeCorrida& paso) const {
        static_cast<void>(paso);
        return nullptr;
    }
    /// One sample, up to its plot. Throws ErrorTanque where it fails; what it did before stays done.
    virtual void Tick(PasoDeCorrida& paso) = 0;
};

/// Makes a run's law: one per simulator (DefinicionCorrida::ley).
using FabricaLey = std::unique_ptr<LeyCorrida> (*)();
