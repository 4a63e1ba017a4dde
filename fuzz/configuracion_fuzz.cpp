// The set-up file's reader on arbitrary bytes. For every input:
//
//  - it returns, or throws ErrorConfiguracion; nothing else escapes, nothing crashes, however deep or large;
//  - a refusal's message is whole (no NUL cuts what() short) and valid UTF-8, as the windows show it;
//  - what it accepts holds only known text names and events in range;
//  - what it accepts, written and read again, gives the same set-up with no unknown key, and written again,
//    the same bytes.
//
// The known names are the default edits and rule cells, and two that another dialog brings, as a caller
// would pass them.

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/configuracion.h"
#include "core/textos_mapa.h"
#include "core/textos_por_defecto.h"
#include "core/utf8.h"
#include "fuzz/comprobar.h"

namespace {

const std::vector<std::string>& Nombres() {
    static const std::vector<std::string> nombres = [] {
        std::vector<std::string> n;
        for (const TextoPorDefecto& t : TextosPorDefecto()) n.emplace_back(t.nombre);
        for (int fila = 1; fila <= 5; ++fila)
            for (int columna = 1; columna <= 5; ++columna) n.push_back(NombreCelda(columna, fila));
        n.emplace_back("Senal_Tipo");
        n.emplace_back("Ruido_Semilla");
        return n;
    }();
    return nombres;
}

bool Conocido(const std::string& nombre) {
    static const std::set<std::string, std::less<>> conocidos(Nombres().begin(), Nombres().end());
    return conocidos.count(nombre) != 0;
}

void ComprobarAceptada(const ConfiguracionLeida& l) {
    for (const auto& [nombre, texto] : l.configuracion.textos) {
        Exigir(Conocido(nombre), "an unknown text kept", nombre);
        Exigir(EsUtf8(texto), "a text that is not UTF-8 accepted");
    }
    if (l.configuracion.programa)
        for (const EventoPrograma& e : *l.configuracion.programa) {
            if (const auto* t = std::get_if<EventoTexto>(&e.accion))
                Exigir(Conocido(t->nombre), "a change of an unknown text kept", t->nombre);
            if (const auto* t = std::get_if<EventoTicks>(&e.accion)) Exigir(t->cuenta >= 1, "a count below 1");
        }
    const std::set<std::string> distintas(l.desconocidas.begin(), l.desconocidas.end());
    Exigir(distintas.size() == l.desconocidas.size(), "an unknown key reported twice");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    const std::string_view bytes(reinterpret_cast<const char*>(datos), n);
    ConfiguracionLeida leida;
    try {
        leida = LeerConfiguracion(bytes, Nombres());
    } catch (const ErrorConfiguracion& e) {
        const std::string texto = e.what();
        // what() ends at a NUL: the reason must be all there
        Exigir(!e.Motivo().empty() && e.Motivo().find('\0') == std::string::npos, "a reason empty or cut short");
        Exigir(texto.find(e.Motivo()) != std::string::npos, "a message without its reason", texto);
        Exigir(EsUtf8(texto), "a message that is not UTF-8");
        return 0;
    }
    ComprobarAceptada(leida);

    const std::string escrito = EscribirConfiguracion(leida.configuracion, Nombres());
    ConfiguracionLeida otra;
    try {
        otra = LeerConfiguracion(escrito, Nombres());
    } catch (const ErrorConfiguracion& e) {
        Exigir(false, "the writer's output refused", e.what());
    }
    Exigir(otra.configuracion == leida.configuracion, "written and read again, another set-up", escrito);
    Exigir(otra.desconocidas.empty(), "written and read again, unknown keys", escrito);
    Exigir(EscribirConfiguracion(otra.configuracion, Nombres()) == escrito, "written twice, other bytes", escrito);
    return 0;
}
