// The events of a recorded schedule as the reader takes them: a JSON object with its kind in "evento", the
// fields of that kind and nothing else, each of its type and in its range.

#include <algorithm>
#include <array>
#include <limits>

#include "core/configuracion_claves.h"
#include "core/configuracion_json.h"
#include "core/corridas/corrida.h"

namespace lectura {

namespace {

constexpr std::int64_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();

// the fields of each kind besides "evento" and "muestra", in the order of claves::kTipos
const std::array<std::vector<std::string_view>, 6> kCampos{{
    {claves::kNombre, claves::kTexto},
    {claves::kPosicionEvento},
    {claves::kCorrida},
    {},
    {},
    {claves::kCorrida, claves::kCuenta},
}};

// An event's fields, read with the event's name in every refusal.
class Campos {
public:
    Campos(const json& e, std::size_t numero) : e_(e), cual_("evento " + std::to_string(numero) + " del programa") {}

    const std::string& Cual() const { return cual_; }

    const json& Campo(std::string_view clave) const {
        const auto i = e_.find(clave);
        if (i == e_.end()) Rechazar("al " + cual_ + " le falta " + claves::Citar(clave));
        return *i;
    }

    const std::string& Texto(std::string_view clave) const {
        const json& v = Campo(clave);
        if (!v.is_string())
            Rechazar("en el " + cual_ + ", " + claves::Citar(clave) + " es " + Tipo(v) +
                     ", no un texto entre comillas");
        return v.get_ref<const std::string&>();
    }

    std::int32_t Entero32(std::string_view clave, std::int64_t minimo, const char* rango) const {
        const auto n = Entero(Campo(clave), minimo, kMax32);
        if (!n) Rechazar("en el " + cual_ + ", " + claves::Citar(clave) + " no es un entero " + rango);
        return static_cast<std::int32_t>(*n);
    }

    Corrida LaCorrida() const {
        const std::string& nombre = Texto(claves::kCorrida);
        const std::optional<Corrida> c = CorridaDeClave(nombre);
        if (!c)
            Rechazar("el " + cual_ + " nombra una corrida desconocida, " + claves::Citar(nombre) + " (son " +
                     ClavesCorridas(", ", " y ") + ")");
        return *c;
    }

private:
    const json& e_;
    std::string cual_;
};

}  // namespace

std::optional<EventoPrograma> LeerEvento(const json& e, std::size_t numero, const Nombres& conocidos,
                                         Desconocidas& desconocidas) {
    const Campos campos(e, numero);
    const std::string& cual = campos.Cual();
    if (!e.is_object()) Rechazar("el " + cual + " es " + Tipo(e) + ", no un objeto");

    const std::string& tipo = campos.Texto(claves::kEvento);
    const auto t = std::find(claves::kTipos.begin(), claves::kTipos.end(), tipo);
    if (t == claves::kTipos.end()) Rechazar("el " + cual + " es de un tipo desconocido, " + claves::Citar(tipo));
    const auto indice = static_cast<std::size_t>(t - claves::kTipos.begin());
    const auto& propios = kCampos[indice];
    for (const auto& [clave, valor] : e.items())
        if (clave != claves::kEvento && clave != claves::kMuestra &&
            std::find(propios.begin(), propios.end(), clave) == propios.end())
            Rechazar("el " + cual + " (" + tipo + ") tiene un campo desconocido, " + claves::Citar(clave));

    EventoPrograma evento;
    if (e.contains(claves::kMuestra)) evento.muestra = campos.Entero32(claves::kMuestra, kMin32, "de 32 bits");
    switch (indice) {
        case 0: {
            const std::string& nombre = campos.Texto(claves::kNombre);
            const std::string& texto = campos.Texto(claves::kTexto);
            // the edit does not exist here: its change is dropped, as its saved text is
            if (conocidos.count(nombre) == 0) {
                desconocidas.Anotar(nombre);
                return std::nullopt;
            }
            evento.accion = EventoTexto{nombre, texto};
            break;
        }
        case 1: evento.accion = EventoPosicion{campos.Entero32(claves::kPosicionEvento, kMin32, "de 32 bits")}; break;
        case 2: evento.accion = EventoAlternar{campos.LaCorrida()}; break;
        case 3: evento.accion = EventoLimpiar{}; break;
        case 4: evento.accion = EventoInicializarFuzzy{}; break;
        default: {
            const Corrida corrida = campos.LaCorrida();
            evento.accion = EventoTicks{corrida, campos.Entero32(claves::kCuenta, 1, "entre 1 y 2147483647")};
            break;
        }
    }
    return evento;
}

}  // namespace lectura
