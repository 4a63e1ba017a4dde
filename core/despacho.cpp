// One place per event where errors are caught and shown; the recurring failure of a run's ticks.

#include "core/simulador.h"

void Simulador::Atender(const std::function<void()>& manejador) {
    try {
        manejador();
    } catch (const ErrorDeManejador& e) {
        Avisar(0);  // the window shows the state as it is behind the message
        mensajes_.MostrarError(e);
    }
    Avisar(0);
}

void Simulador::AtenderToggle(Corrida corrida) {
    Atender([this, corrida] { Alternar(corrida); });
}

void Simulador::AtenderTick(Corrida corrida) {
    // a tick that was already queued when its timer stopped does nothing
    if (!Timer(corrida).Enabled) return;
    try {
        Tick(corrida);
    } catch (const ErrorDeManejador& e) {
        Fallo(corrida, e);
    }
    Avisar(0);
}

void Simulador::OlvidarFallo(Corrida corrida) {
    FallosCorrida& f = fallos_[static_cast<std::size_t>(corrida)];
    const bool habiaAviso = f.aviso;
    f = FallosCorrida{};
    if (habiaAviso) mensajes_.FinRepetido(corrida);
}

void Simulador::Fallo(Corrida corrida, const ErrorDeManejador& e) {
    const std::string texto = e.what();
    FallosCorrida& f = fallos_[static_cast<std::size_t>(corrida)];
    // counted before the box opens: the ticks that fail while it is open are repeats already
    const int veces = ++f.veces[texto];
    if (veces == 1) {
        Avisar(0);
        mensajes_.MostrarError(e);
        return;
    }
    // A box at every failure would bury the window (a run ticks on, failing at some ticks and not at others):
    // a notice that does not wait keeps the run's button within reach, and counts.
    Avisar(0);
    f.aviso = true;
    mensajes_.Repetido(corrida, texto, veces);
}
