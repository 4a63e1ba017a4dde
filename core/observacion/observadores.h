#pragma once
// The watchers of each sample, and the order in which they hear of each event: today's order of calls. A new
// watcher is a file of its own, a member here and its place in the list.

#include <array>

#include "core/observacion/bitacora.h"
#include "core/observacion/calendario.h"
#include "core/observacion/ensayo_rele.h"
#include "core/observacion/entrada_fuzzy.h"
#include "core/observacion/indices_corrida.h"
#include "core/observacion/observador.h"
#include "core/observacion/origen_grafico.h"
#include "core/observacion/parejas.h"
#include "core/serie.h"

/// Every watcher, told of each event in turn.
class Observadores : public ObservadorCorrida {
public:
    Observadores(const Serie& niveles, const Serie& acciones) : parejas(niveles, acciones) {}
    Observadores(const Observadores&) = delete;
    Observadores& operator=(const Observadores&) = delete;

    Parejas parejas;               ///< which level goes with which action, for the export
    Bitacoras bitacoras;           ///< what each run read, for the record's description
    OrigenGrafico origen;          ///< the runs and the plant behind the chart's points
    IndicesCorridas indices;       ///< each run's response indices
    CalendarioGrabado calendario;  ///< the slider's positions that the closed loops read
    EntradasFuzzy entradasFuzzy;   ///< the fuzzy inference's last inputs
    EnsayoRele ensayoRele;         ///< the relay run's record, for its analysis

    void Pulsado(Corrida c) override {
        Cada([&](ObservadorCorrida& o) { o.Pulsado(c); });
    }
    void Empezo(const InicioCorrida& i) override {
        Cada([&](ObservadorCorrida& o) { o.Empezo(i); });
    }
    void AntesDelTick(Corrida c, std::int32_t n, const Textos& t, const Posicion& p) override {
        Cada([&](ObservadorCorrida& o) { o.AntesDelTick(c, n, t, p); });
    }
    void PosicionLeida(std::int32_t n, std::int32_t p) override {
        Cada([&](ObservadorCorrida& o) { o.PosicionLeida(n, p); });
    }
    void PlantaAvanzo(Corrida c, const Simulacion& s, const Planta& p) override {
        Cada([&](ObservadorCorrida& o) { o.PlantaAvanzo(c, s, p); });
    }
    void Desbordo(Corrida c) override {
        Cada([&](ObservadorCorrida& o) { o.Desbordo(c); });
    }
    void Inferencia(std::int32_t n, double e, double d) override {
        Cada([&](ObservadorCorrida& o) { o.Inferencia(n, e, d); });
    }
    void Muestra(const MuestraTick& m) override {
        Cada([&](ObservadorCorrida& o) { o.Muestra(m); });
    }
    void AccionGraficada(std::size_t i) override {
        Cada([&](ObservadorCorrida& o) { o.AccionGraficada(i); });
    }
    void NivelPerdido() override {
        Cada([&](ObservadorCorrida& o) { o.NivelPerdido(); });
    }
    void NivelGraficado(Corrida c, std::size_t j, std::optional<std::size_t> a) override {
        Cada([&](ObservadorCorrida& o) { o.NivelGraficado(c, j, a); });
    }
    void PrimerosABorrar() override {
        Cada([&](ObservadorCorrida& o) { o.PrimerosABorrar(); });
    }
    void Limpiado() override {
        Cada([&](ObservadorCorrida& o) { o.Limpiado(); });
    }

private:
    template <class Evento>
    void Cada(Evento evento) {
        for (ObservadorCorrida* o : orden_) evento(*o);
    }
    // today's order of calls: the pairs before the logs (both follow the chart), the origin, the indices, the
    // schedule, the fuzzy inputs; the relay's record last
    const std::array<ObservadorCorrida*, 7> orden_{&parejas,    &bitacoras,     &origen,     &indices,
                                                   &calendario, &entradasFuzzy, &ensayoRele};
};
