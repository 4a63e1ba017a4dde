#include "core/configuracion.h"
#include "core/corridas/corrida.h"
#include "core/simulador.h"

const char* NombreCorrida(Corrida c) { return Definicion(c).clave; }

std::optional<std::int32_t> MuestraDelEvento(const Simulador& s, const AccionPrograma& accion) {
    if (const auto* a = std::get_if<EventoAlternar>(&accion)) return s.Timer(a->corrida).Tag;
    if (const auto* t = std::get_if<EventoTicks>(&accion)) return s.Timer(t->corrida).Tag;
    for (std::size_t r = 0; r < kNumCorridas; ++r) {
        const Temporizador& timer = s.Timer(static_cast<Corrida>(r));
        if (timer.Enabled) return timer.Tag;
    }
    return std::nullopt;
}
