#pragma once
// Which points of the level series and the action series belong to the same tick, for the export: one line per
// tick that plotted both, its action beside its level.
//
// The two series receive their points together, in the same order of x, except where a tick plotted one point
// and not the other: a step tick that fails after plotting its action (in the plant step) leaves an action with
// no level; the closed-loop runs delete the first point of each series as they go, and when one of those first
// points has no partner, the deletion leaves the partner of the other one alone. Such points are marked, and the
// k-th unmarked action is the partner of the k-th unmarked level. The marks of a series are kept only from its
// first marked point on, one byte per point, so that a chart without failed ticks costs nothing.

#include <cstddef>
#include <deque>
#include <vector>

#include "core/observacion/observador.h"
#include "core/serie.h"

/// One mark per point of a series, kept only while some point is marked.
class Marcas {
public:
    bool Marcada(std::size_t i) const { return !marcas_.empty() && marcas_[i]; }
    /// Marks point i of a series of `cuenta` points.
    void Marcar(std::size_t i, std::size_t cuenta);
    /// A point was inserted at i, unmarked.
    void Insertada(std::size_t i);
    void BorradaPrimera();
    void Limpiar();
    std::size_t Cuantas() const { return marcadas_; }
    /// Bytes kept for the marks beyond the object itself.
    std::size_t Bytes() const { return marcas_.size(); }

private:
    std::deque<bool> marcas_;  // empty while no point is marked
    std::size_t marcadas_ = 0;
};

class Parejas : public ObservadorCorrida {
public:
    Parejas(const Serie& niveles, const Serie& acciones) : niveles_(niveles), acciones_(acciones) {}

    // Each call follows the change of the series that it names, except PrimerosABorrar, which comes before.
    /// A tick plotted its action at index i and will plot its level later (the step run).
    void AccionAntesDelNivel(std::size_t i);
    /// The tick whose action came last plotted its level at index j.
    void NivelTrasLaAccion(std::size_t j);
    /// The tick whose action came last failed before plotting its level.
    void NivelQueNoLlego();
    /// A tick plotted its level at j and its action at i (the closed-loop runs).
    void Par(std::size_t j, std::size_t i);
    /// The first point of each series (of each that has points) is about to be deleted.
    void PrimerosABorrar() override;
    /// Both series were emptied.
    void Limpiar();

    // As a watcher of the chart.
    void AccionGraficada(std::size_t i) override { AccionAntesDelNivel(i); }
    void NivelPerdido() override { NivelQueNoLlego(); }
    void NivelGraficado(Corrida, std::size_t j, std::optional<std::size_t> accion) override {
        accion ? Par(j, *accion) : NivelTrasLaAccion(j);
    }
    void Limpiado() override { Limpiar(); }

    /// True when the action at index i has no level to go with (yet).
    bool AccionSinNivel(std::size_t i) const;
    /// True when the level at index j lost its action.
    bool NivelSinAccion(std::size_t j) const { return sinAccion_.Marcada(j); }
    /// Bytes kept for the marks (0 while every point has its partner).
    std::size_t Bytes() const { return sinNivel_.Bytes() + sinAccion_.Bytes(); }

private:
    void AccionInsertada(std::size_t i);
    void MarcarPrimeraAccionLibre();
    void MarcarPrimerNivelLibre();

    const Serie& niveles_;
    const Serie& acciones_;
    Marcas sinNivel_;   // beside the action series
    Marcas sinAccion_;  // beside the level series
    // The actions plotted by ticks that have not plotted their level yet, the latest last: one, or two when a
    // tick runs inside the overflow message of another. An action that was deleted meanwhile is `perdida`.
    struct Espera {
        std::size_t indice;
        bool perdida;
    };
    std::vector<Espera> esperas_;
};
