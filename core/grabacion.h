#pragma once
// Recording what the user does to the simulator as the schedule of a set-up file, and replaying such a schedule
// without windows.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/configuracion.h"
#include "core/interfaces.h"
#include "core/textos_mapa.h"

/// The schedule as the user makes it: each action, noted just before it happens, with the sample it happens at.
class Grabacion {
public:
    /// Called just BEFORE the action happens in the simulator: records {accion, MuestraDelEvento(s, accion)}.
    /// Consecutive ticks of one run with nothing between them merge into one EventoTicks with cuenta += 1
    /// (up to INT32_MAX; the next tick starts another event).
    void Anotar(const Simulador& s, const AccionPrograma& accion);
    const std::vector<EventoPrograma>& Programa() const { return programa_; }
    void Vaciar() { programa_.clear(); }

private:
    std::vector<EventoPrograma> programa_;
};

/// Puts the set-up's texts into `textos` (a rule cell by its name, Reglas_F_C) and its position, when it has one,
/// into `posicion`.
void AplicarConfiguracion(const Configuracion& c, TextosMapa& textos, PosicionValor& posicion);

/// What a replay tells its caller as it goes.
struct SeguimientoReproduccion {
    /// Before each event and before each tick of a EventoTicks: its number (from 1, in the schedule) and action.
    /// The messages of that action, if any, come next.
    std::function<void(std::size_t, const AccionPrograma&)> antes;
    /// After each tick that made its sample (the run's counter moved on).
    std::function<void(Corrida)> trasMuestra;
};

/// Replays `programa` on `s`, which reads `textos` and `posicion`, in order: a EventoTexto sets that text, a
/// EventoPosicion the slider, a EventoAlternar presses the run's button, EventoLimpiar is "Limpiar",
/// EventoInicializarFuzzy the fuzzy initialisation, a EventoTicks runs `cuenta` ticks of its run. Each goes through
/// the simulator's dispatch as in the window (Atender, AtenderToggle, AtenderTick): an error is shown through the
/// simulator's Mensajes and the schedule goes on. Before each event, the sample recorded with it must be
/// MuestraDelEvento's; else throws ErrorConfiguracion naming the event, and what came before stays done.
void Reproducir(Simulador& s, TextosMapa& textos, PosicionValor& posicion, std::span<const EventoPrograma> programa,
                const SeguimientoReproduccion& seguimiento = {});

/// "ticks de pid", "Limpiar", ...: the event as a message names it.
std::string DescribirAccion(const AccionPrograma& accion);
