// The recorder of the user's actions and the replay of a recorded schedule.

#include "core/grabacion.h"

#include <limits>
#include <string>

#include "core/simulador.h"

namespace {

std::string Muestra(const std::optional<std::int32_t>& m) {
    return m ? "en la muestra " + std::to_string(*m) : "sin corrida activa";
}

[[noreturn]] void Desacuerdo(std::size_t numero, const EventoPrograma& e, const std::optional<std::int32_t>& ahora) {
    const std::string motivo = "el evento " + std::to_string(numero) + " (" + DescribirAccion(e.accion) +
                               ") se grabó " + Muestra(e.muestra) + " y al reproducirlo llega " + Muestra(ahora);
    throw ErrorConfiguracion("El programa no se puede reproducir: " + motivo + ".", motivo);
}

}  // namespace

void Grabacion::Anotar(const Simulador& s, const AccionPrograma& accion) {
    if (const auto* t = std::get_if<EventoTicks>(&accion); t && !programa_.empty()) {
        // the run's ticks in a row are one event: the replay checks the sample of the first
        if (auto* previo = std::get_if<EventoTicks>(&programa_.back().accion);
            previo && previo->corrida == t->corrida && previo->cuenta < std::numeric_limits<std::int32_t>::max()) {
            ++previo->cuenta;
            return;
        }
    }
    EventoPrograma e{accion, MuestraDelEvento(s, accion)};
    // one tick each time: a count given by the caller is not the window's
    if (auto* t = std::get_if<EventoTicks>(&e.accion)) t->cuenta = 1;
    programa_.push_back(std::move(e));
}

void AplicarConfiguracion(const Configuracion& c, TextosMapa& textos, PosicionValor& posicion) {
    for (const auto& [nombre, texto] : c.textos) textos.Poner(nombre, texto);
    if (c.posicion) posicion.valor = *c.posicion;
}

std::string DescribirAccion(const AccionPrograma& accion) {
    if (const auto* t = std::get_if<EventoTexto>(&accion)) return "texto de " + t->nombre;
    if (const auto* p = std::get_if<EventoPosicion>(&accion))
        return "posición " + std::to_string(p->posicion) + " de Track_Referencia";
    if (const auto* a = std::get_if<EventoAlternar>(&accion))
        return std::string("botón de ") + NombreCorrida(a->corrida);
    if (std::holds_alternative<EventoLimpiar>(accion)) return "Limpiar";
    if (std::holds_alternative<EventoInicializarFuzzy>(accion)) return "Inicializar Control Fuzzy";
    const auto& t = std::get<EventoTicks>(accion);
    return std::to_string(t.cuenta) + (t.cuenta == 1 ? " tick de " : " ticks de ") + NombreCorrida(t.corrida);
}

void Reproducir(Simulador& s, TextosMapa& textos, PosicionValor& posicion, std::span<const EventoPrograma> programa,
                const SeguimientoReproduccion& seguimiento) {
    std::size_t numero = 0;
    for (const EventoPrograma& e : programa) {
        ++numero;
        const std::optional<std::int32_t> ahora = MuestraDelEvento(s, e.accion);
        if (ahora != e.muestra) Desacuerdo(numero, e, ahora);
        if (const auto* t = std::get_if<EventoTicks>(&e.accion)) {
            for (std::int32_t k = 0; k < t->cuenta; ++k) {
                if (seguimiento.antes) seguimiento.antes(numero, e.accion);
                const std::int32_t n = s.Timer(t->corrida).Tag;
                const bool activa = s.Timer(t->corrida).Enabled;
                s.AtenderTick(t->corrida);
                // a tick that made its sample moved the counter on; one that failed left it as it was
                if (activa && s.Timer(t->corrida).Tag != n && seguimiento.trasMuestra)
                    seguimiento.trasMuestra(t->corrida);
            }
            continue;
        }
        if (seguimiento.antes) seguimiento.antes(numero, e.accion);
        if (const auto* t = std::get_if<EventoTexto>(&e.accion)) {
            textos.Poner(t->nombre, t->texto);
        } else if (const auto* p = std::get_if<EventoPosicion>(&e.accion)) {
            posicion.valor = p->posicion;
        } else if (const auto* a = std::get_if<EventoAlternar>(&e.accion)) {
            s.AtenderToggle(a->corrida);
        } else if (std::holds_alternative<EventoLimpiar>(e.accion)) {
            s.Atender([&s] { s.LimpiarClick(); });
        } else {
            s.Atender([&s] { s.ToolButton11Click(); });
        }
    }
}
