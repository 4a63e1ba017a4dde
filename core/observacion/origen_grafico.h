#pragma once
// Where the chart's points came from: which runs plotted them, with which plant, and whether the tank was
// emptied among them. The identification needs one stretch of one run, and that run's plant for the truth.

#include <cstdint>
#include <optional>
#include <vector>

#include "core/controles.h"
#include "core/observacion/observador.h"
#include "core/planta/planta.h"
#include "core/simulacion.h"

/// The samples that the chart shows and Archivo writes, one entry per line of the file, in its order.
struct MuestrasGrafico {
    std::vector<double> muestras;  ///< sample numbers (the x of the points)
    std::vector<double> acciones;  ///< control action, the plant's input
    std::vector<double> niveles;   ///< level, its output
};

/// The runs behind the chart's points since it was last cleared. A stretch is the plant's evolution between
/// two presses of a run's button: every press empties the tank (and reads the plant again), so the points of
/// two stretches do not belong to one record, even those of the same run.
class OrigenGrafico : public ObservadorCorrida {
public:
    /// A run's button was pressed: the tank was emptied and the plant read again.
    void NuevoTramo() { ++tramo_; }
    /// The plant `planta` stepped one sample of run `c` with the constants of `s`, for a point of the chart.
    void Anotar(Corrida c, const Simulacion& s, const Planta& planta);
    /// Run `c` was stopped by the overflow of the level.
    void Desborde(Corrida c) {
        desbordo_ = true;
        corridaDesbordada_ = c;
    }
    /// The chart was cleared.
    void Limpiar();

    // As a watcher of the runs.
    void Pulsado(Corrida) override { NuevoTramo(); }
    void PlantaAvanzo(Corrida c, const Simulacion& s, const Planta& p) override { Anotar(c, s, p); }
    void Desbordo(Corrida c) override { Desborde(c); }
    void Limpiado() override { Limpiar(); }

    /// Stretches that plotted (0 on an empty chart).
    int Tramos() const { return tramos_; }
    /// The runs that plotted, one bit per Corrida.
    unsigned Corridas() const { return corridas_; }
    /// The run that plotted last.
    Corrida Ultima() const { return ultima_; }
    /// The plant of the last stretch that plotted, as its press read it: the period, the plant's truth (none for a
    /// plant without a first-order reading) and its integrator's clock.
    float T_Muestreo() const { return T_; }
    const std::optional<ModeloPrimerOrden>& Verdad() const { return verdad_; }
    const RelojPlanta& Reloj() const { return reloj_; }
    /// The constants of the tanks beyond the linear one (tanques 0 for the original tank), for the truth of a
    /// plant that has no first-order reading: its linearisation at the record's level.
    const ConstantesTanques& Tanques() const { return tanques_; }
    /// Whether a run on the chart was stopped by an overflow, and which one.
    bool Desbordo() const { return desbordo_; }
    Corrida CorridaDesbordada() const { return corridaDesbordada_; }

private:
    std::uint64_t tramo_ = 1;         // the stretch the plant is in now
    std::uint64_t tramoAnotado_ = 0;  // the last stretch that plotted (0: none since the chart was cleared)
    int tramos_ = 0;
    unsigned corridas_ = 0;
    Corrida ultima_ = Corrida::Escalon;
    float T_ = 0;
    std::optional<ModeloPrimerOrden> verdad_;
    RelojPlanta reloj_;
    ConstantesTanques tanques_;
    bool desbordo_ = false;
    Corrida corridaDesbordada_ = Corrida::Escalon;
};
