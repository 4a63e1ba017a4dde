// One place per event where errors are caught and shown; the recurring failure of a run's ticks.

#include <algorithm>

#include "core/simulador.h"
#include "export/archivo.h"

void Simulador::Atender(const std::function<void()>& manejador) {
    try {
        manejador();
    } catch (const std::exception& e) {
        Mostrar(e.what());
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
        Exito(corrida);
    } catch (const std::exception& e) {
        Fallo(corrida, e.what());
    }
    Avisar(0);
}

void Simulador::Exito(Corrida corrida) {
    if (fallos_[static_cast<std::size_t>(corrida)].veces > 0) OlvidarFallo(corrida);
}

void Simulador::OlvidarFallo(Corrida corrida) {
    FalloRepetido& f = fallos_[static_cast<std::size_t>(corrida)];
    const bool habiaAviso = f.veces > 1;
    f = FalloRepetido{};
    if (habiaAviso) mensajes_.FinRepetido(corrida);
}

void Simulador::Fallo(Corrida corrida, const std::string& texto) {
    FalloRepetido& f = fallos_[static_cast<std::size_t>(corrida)];
    if (f.veces > 0 && f.texto == texto) {
        // the same failure again: the run goes on ticking, so a box at every tick would bury the
        // window; a notice that does not wait keeps the run's button within reach
        ++f.veces;
        Avisar(0);
        mensajes_.Repetido(corrida, texto, f.veces);
        return;
    }
    if (f.veces > 1) mensajes_.FinRepetido(corrida);
    f.texto = texto;
    f.veces = 1;
    Mostrar(texto);
}

void Simulador::ArchivoClick(const std::string& nombre, bool rangoCompleto, double xmin, double xmax) {
    std::int64_t ultimo = series1_.UltimoDibujado(rangoCompleto, xmin, xmax);
    // the level and action series are filled together; should they ever differ, read only where both have points
    const auto comunes = static_cast<std::int64_t>(std::min(series1_.Cuenta(), series2_.Cuenta()));
    if (ultimo >= comunes) ultimo = comunes - 1;
    ContenidoRegistro contenido;
    EscribirExportacion(nombre, ultimo, [this, &contenido](std::int64_t i) {
        const auto k = static_cast<std::size_t>(i);
        contenido.Anadir(series1_.X(k), bitacoras_.De(k));
        return MuestraExportada{series1_.X(k), series2_.Y(k), series1_.Y(k)};
    });
    EscribirDescripcion(nombre, contenido);
}
