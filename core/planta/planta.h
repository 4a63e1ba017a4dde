#pragma once
// The plant as a type: what a run reads of it at its press, how it steps one sample, what it measures, and its
// truth, the model that the identification, the indices and the signal dialog compare with. The linear tank is
// the first (core/planta/tanque.h); PlantaDe is the one place that chooses a plant.

#include <optional>
#include <span>

#include "core/simulacion.h"
#include "core/textos.h"

/// The first-order model Tau dy/dt = -y + K u of a plant: the one it is, or the one it is read as.
struct ModeloPrimerOrden {
    double K = 0;    ///< the steady level per unit of inflow
    double Tau = 0;  ///< s
};

/// How the plant's integrator covers one sample period T.
struct RelojPlanta {
    int subpasos = 0;          ///< sub-steps a sample
    double tiempoMuestra = 0;  ///< s, the time integrated a sample: a record read with the period T shows the time
                               ///< constant Tau T / tiempoMuestra
};

/// One sample of the plant computed and not yet stored: the tick stores it after the overflow's message, so that
/// a tick run inside that message steps from the state as it was.
struct AvancePlanta {
    Simulacion estado;  ///< the state of the start, the plant's own part advanced
    float nivel = 0;    ///< the level at the sample's end, before the measurement's noise
};

class Planta {
public:
    virtual ~Planta() = default;
    /// The texts that LeerParametros reads, in its order.
    virtual std::span<const char* const> NombresTextos() const = 0;
    /// Reads the plant's texts into `s` at a run's press (T_Muestreo first), each stored as soon as its own text
    /// converts. Throws ErrorConversion or ErrorPuntoFlotante at the failing text.
    virtual void LeerParametros(Simulacion& s, const Textos& textos) const = 0;
    /// Empties the plant, as every press of a run's button does.
    virtual void Vaciar(Simulacion& s) const = 0;
    /// One sample period T_Muestreo under the inflow Accion_Control, from the state of `s`. Throws
    /// ErrorPuntoFlotante.
    virtual AvancePlanta Paso(const Simulacion& s) const = 0;
    /// Stores the plant's own part of `a.estado` into `s`, and nothing else.
    virtual void Guardar(const AvancePlanta& a, Simulacion& s) const = 0;
    /// Its integrator's clock at the period T.
    virtual RelojPlanta Reloj(float T) const = 0;
    /// The first-order model that identification, indices and comparisons take as its truth, with the constants
    /// of `s`; none for a plant that has no such reading.
    virtual std::optional<ModeloPrimerOrden> Verdad(const Simulacion& s) const = 0;
    /// The level that a constant inflow `caudal` settles at, from the plant's texts (only those it needs, an edit
    /// the texts lack taking its default). Throws ErrorConversion or ErrorPuntoFlotante.
    virtual double Estacionario(const Textos& textos, double caudal) const = 0;
};

/// The plant that the texts choose. There is one so far, the linear tank; a plant of another kind is chosen here,
/// at each press of a run's button, from a text of the plant dialog.
const Planta& PlantaDe(const Textos& textos);
