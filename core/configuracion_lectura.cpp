// The reader of the set-up file. A file comes from anywhere (a mail, a shared folder, a hand edit), so every
// byte is checked before it reaches the program, and the reader says in Spanish why it refuses one:
//
//  1. the size, the NUL bytes and the UTF-8, over the raw bytes;
//  2. the JSON syntax, through nlohmann's parser, which keeps its own stack (no recursion) and calls back at
//     every key and container: there the nesting is bounded and keys that come twice in one object are
//     refused (nlohmann would silently keep the last one);
//  3. the meaning: the format marker and version, then each known key with its type and range.

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <unordered_set>

#include "core/configuracion.h"
#include "core/configuracion_claves.h"
#include "core/utf8.h"

namespace {

using nlohmann::json;

[[noreturn]] void Rechazar(const std::string& motivo) {
    throw ErrorConfiguracion("El archivo no es una configuración válida: " + motivo + ".", motivo);
}

std::string Entre(std::string_view texto) { return claves::Citar(texto); }

// "línea L, columna C" of the byte at `posicion`, columns counted in characters from 1
std::string Lugar(std::string_view bytes, std::size_t posicion) {
    posicion = std::min(posicion, bytes.size());
    std::size_t linea = 1, columna = 1;
    for (std::size_t i = 0; i < posicion; ++i) {
        if (bytes[i] == '\n') {
            ++linea;
            columna = 1;
        } else if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) {
            ++columna;  // a continuation byte adds nothing to its character
        }
    }
    return "línea " + std::to_string(linea) + ", columna " + std::to_string(columna);
}

// What the parser's callback keeps of each open object or array.
struct Marco {
    std::string nombre;                      // the key it is the value of, or that of the nearest such parent
    std::unordered_set<std::string> claves;  // an object's keys so far
    bool objeto = false;
};

// Follows the parse: bounds the nesting, refuses repeated keys, and notes the order in which the top-level
// keys and the texts come (the tree keeps keys sorted).
class Vigia {
public:
    bool operator()(int profundidad, json::parse_event_t evento, json& valor) {
        switch (evento) {
            case json::parse_event_t::object_start:
            case json::parse_event_t::array_start:
                Abrir(profundidad, evento == json::parse_event_t::object_start);
                break;
            case json::parse_event_t::object_end:
            case json::parse_event_t::array_end: marcos_.pop_back(); break;
            case json::parse_event_t::key: Clave(valor.get_ref<const std::string&>()); break;
            case json::parse_event_t::value: break;
        }
        return true;
    }

    std::vector<std::string> principales;  // top-level keys, in file order
    std::vector<std::string> textos;       // keys of "textos", in file order

private:
    void Abrir(int profundidad, bool objeto) {
        // `profundidad` counts the containers already open around this one
        if (profundidad >= kAnidamientoMaximoConfiguracion)
            Rechazar("anida listas u objetos a más de " + std::to_string(kAnidamientoMaximoConfiguracion) + " niveles");
        Marco m;
        m.objeto = objeto;
        if (!marcos_.empty()) m.nombre = marcos_.back().objeto ? ultima_ : marcos_.back().nombre;
        marcos_.push_back(std::move(m));
    }

    void Clave(const std::string& clave) {
        Marco& m = marcos_.back();
        if (!m.claves.insert(clave).second)
            Rechazar("la clave " + Entre(clave) + " está repetida" +
                     (marcos_.size() == 1 ? std::string(" en el objeto principal") : " en " + Entre(m.nombre)));
        if (marcos_.size() == 1) principales.push_back(clave);
        if (marcos_.size() == 2 && m.objeto && m.nombre == claves::kTextos) textos.push_back(clave);
        ultima_ = clave;
    }

    std::vector<Marco> marcos_;
    std::string ultima_;
};

const char* Tipo(const json& v) {
    switch (v.type()) {
        case json::value_t::object: return "un objeto";
        case json::value_t::array: return "una lista";
        case json::value_t::string: return "un texto";
        case json::value_t::boolean: return "un valor lógico";
        case json::value_t::null: return "null";
        default: return "un número";
    }
}

// The value when it is an integer in [minimo, maximo]
std::optional<std::int64_t> Entero(const json& v, std::int64_t minimo, std::int64_t maximo) {
    std::int64_t n = 0;
    if (v.is_number_unsigned()) {
        const auto u = v.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(maximo)) return std::nullopt;
        n = static_cast<std::int64_t>(u);
    } else if (v.is_number_integer()) {
        n = v.get<std::int64_t>();
    } else {
        return std::nullopt;
    }
    if (n < minimo || n > maximo) return std::nullopt;
    return n;
}

constexpr std::int64_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();

json Analizar(std::string_view bytes, Vigia& vigia) {
    try {
        return json::parse(bytes.begin(), bytes.end(), std::ref(vigia));
    } catch (const json::parse_error& e) {
        // e.byte is the 1-based index of the last byte read, where the fault showed
        Rechazar("no es JSON: error de sintaxis en la " + Lugar(bytes, e.byte == 0 ? 0 : e.byte - 1));
    } catch (const json::out_of_range&) {
        Rechazar("contiene un número fuera de rango");
    } catch (const json::exception&) {
        Rechazar("no es JSON");
    }
}

void ComprobarBytes(std::string_view bytes) {
    if (bytes.size() > kTamanoMaximoConfiguracion)
        Rechazar("ocupa " + std::to_string(bytes.size()) + " bytes, más que el máximo de " +
                 std::to_string(kTamanoMaximoConfiguracion) + " bytes");
    if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos)
        Rechazar("contiene un byte nulo en la " + Lugar(bytes, nul) + " (no es un archivo de texto)");
    if (const std::size_t malo = PrimerErrorUtf8(bytes); malo != bytes.size())
        Rechazar("no es texto UTF-8 (" + Lugar(bytes, malo) + ")");
    if (bytes.find_first_not_of(" \t\r\n") == std::string_view::npos) Rechazar("está vacío");
}

void ComprobarMarca(const json& raiz) {
    if (!raiz.is_object()) Rechazar(std::string("su contenido es ") + Tipo(raiz) + ", no un objeto JSON");
    const auto formato = raiz.find(claves::kFormato);
    if (formato == raiz.end())
        Rechazar("le falta la clave " + Entre(claves::kFormato) + " (no es una configuración del tanque)");
    if (!formato->is_string() || formato->get_ref<const std::string&>() != kFormatoConfiguracion)
        Rechazar("su formato es " +
                 (formato->is_string() ? Entre(formato->get_ref<const std::string&>()) : std::string(Tipo(*formato))) +
                 ", no " + Entre(kFormatoConfiguracion));
    const auto version = raiz.find(claves::kVersion);
    if (version == raiz.end()) Rechazar("le falta la clave " + Entre(claves::kVersion));
    const auto v = Entero(*version, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max());
    if (!v) Rechazar(Entre(claves::kVersion) + " no es un número entero");
    if (*v != kVersionConfiguracion)
        Rechazar("es de la versión " + std::to_string(*v) + " del formato, y este programa lee la versión " +
                 std::to_string(kVersionConfiguracion));
}

// The unknown names, each once.
class Desconocidas {
public:
    void Anotar(const std::string& nombre) {
        if (vistas_.insert(nombre).second) lista.push_back(nombre);
    }
    std::vector<std::string> lista;

private:
    std::set<std::string> vistas_;
};

struct Lector {
    const std::unordered_set<std::string_view>& conocidos;
    Desconocidas& desconocidas;

    bool Conocido(const std::string& nombre) const { return conocidos.count(nombre) != 0; }

    void Textos(const json& textos, const std::vector<std::string>& orden, Configuracion& c) {
        if (!textos.is_object()) Rechazar(Entre(claves::kTextos) + " es " + Tipo(textos) + ", no un objeto");
        for (const std::string& nombre : orden) {
            const json& t = textos.at(nombre);
            if (!t.is_string())
                Rechazar("el texto " + Entre(nombre) + " es " + Tipo(t) + ", no un texto entre comillas");
            if (Conocido(nombre))
                c.textos.emplace(nombre, t.get_ref<const std::string&>());
            else
                desconocidas.Anotar(nombre);
        }
    }

    void Programa(const json& programa, Configuracion& c) {
        if (!programa.is_array()) Rechazar(Entre(claves::kPrograma) + " es " + Tipo(programa) + ", no una lista");
        std::vector<EventoPrograma>& eventos = c.programa.emplace();
        eventos.reserve(programa.size());
        std::size_t numero = 0;
        for (const json& e : programa) {
            ++numero;
            std::optional<EventoPrograma> evento = Evento(e, "evento " + std::to_string(numero) + " del programa");
            if (evento) eventos.push_back(std::move(*evento));
        }
    }

    // nullopt for a change of a text that does not exist here
    std::optional<EventoPrograma> Evento(const json& e, const std::string& cual) {
        if (!e.is_object()) Rechazar("el " + cual + " es " + Tipo(e) + ", no un objeto");
        const auto campo = [&](std::string_view clave) -> const json& {
            const auto i = e.find(clave);
            if (i == e.end()) Rechazar("al " + cual + " le falta " + Entre(clave));
            return *i;
        };
        const auto texto = [&](std::string_view clave) -> const std::string& {
            const json& v = campo(clave);
            if (!v.is_string())
                Rechazar("en el " + cual + ", " + Entre(clave) + " es " + Tipo(v) + ", no un texto entre comillas");
            return v.get_ref<const std::string&>();
        };
        const auto entero = [&](std::string_view clave, std::int64_t minimo, const char* rango) {
            const auto n = Entero(campo(clave), minimo, kMax32);
            if (!n) Rechazar("en el " + cual + ", " + Entre(clave) + " no es un entero " + rango);
            return static_cast<std::int32_t>(*n);
        };
        const auto corrida = [&] {
            const std::string& nombre = texto(claves::kCorrida);
            const auto i = std::find(claves::kCorridas.begin(), claves::kCorridas.end(), nombre);
            if (i == claves::kCorridas.end())
                Rechazar("el " + cual + " nombra una corrida desconocida, " + Entre(nombre) +
                         " (son escalon, pid y fuzzy)");
            return static_cast<Corrida>(i - claves::kCorridas.begin());
        };

        const std::string& tipo = texto(claves::kEvento);
        const auto t = std::find(claves::kTipos.begin(), claves::kTipos.end(), tipo);
        if (t == claves::kTipos.end()) Rechazar("el " + cual + " es de un tipo desconocido, " + Entre(tipo));
        const std::size_t indice = static_cast<std::size_t>(t - claves::kTipos.begin());

        // the fields of each kind, besides "evento" and "muestra"
        static const std::array<std::vector<std::string_view>, 6> kCampos{{
            {claves::kNombre, claves::kTexto},
            {claves::kPosicionEvento},
            {claves::kCorrida},
            {},
            {},
            {claves::kCorrida, claves::kCuenta},
        }};
        for (const auto& [clave, valor] : e.items()) {
            const auto& propios = kCampos[indice];
            if (clave != claves::kEvento && clave != claves::kMuestra &&
                std::find(propios.begin(), propios.end(), clave) == propios.end())
                Rechazar("el " + cual + " (" + tipo + ") tiene un campo desconocido, " + Entre(clave));
        }

        EventoPrograma evento;
        if (e.contains(claves::kMuestra)) evento.muestra = entero(claves::kMuestra, kMin32, "de 32 bits");
        switch (indice) {
            case 0: {
                const std::string& nombre = texto(claves::kNombre);
                const std::string& valor = texto(claves::kTexto);
                if (!Conocido(nombre)) {
                    desconocidas.Anotar(nombre);
                    return std::nullopt;
                }
                evento.accion = EventoTexto{nombre, valor};
                break;
            }
            case 1: evento.accion = EventoPosicion{entero(claves::kPosicionEvento, kMin32, "de 32 bits")}; break;
            case 2: evento.accion = EventoAlternar{corrida()}; break;
            case 3: evento.accion = EventoLimpiar{}; break;
            case 4: evento.accion = EventoInicializarFuzzy{}; break;
            default: {
                const Corrida r = corrida();
                evento.accion = EventoTicks{r, entero(claves::kCuenta, 1, "entre 1 y 2147483647")};
                break;
            }
        }
        return evento;
    }
};

}  // namespace

ConfiguracionLeida LeerConfiguracion(std::string_view bytes, std::span<const std::string> conocidos) {
    ComprobarBytes(bytes);
    Vigia vigia;
    const json raiz = Analizar(bytes, vigia);
    ComprobarMarca(raiz);

    const std::unordered_set<std::string_view> nombres(conocidos.begin(), conocidos.end());
    Desconocidas desconocidas;
    for (const std::string& clave : vigia.principales)
        if (clave != claves::kFormato && clave != claves::kVersion && clave != claves::kTextos &&
            clave != claves::kPosicion && clave != claves::kPrograma)
            desconocidas.Anotar(clave);

    ConfiguracionLeida leida;
    Configuracion& c = leida.configuracion;
    Lector lector{nombres, desconocidas};
    if (const auto textos = raiz.find(claves::kTextos); textos != raiz.end()) lector.Textos(*textos, vigia.textos, c);
    if (const auto posicion = raiz.find(claves::kPosicion); posicion != raiz.end()) {
        const auto n = Entero(*posicion, kMin32, kMax32);
        if (!n) Rechazar(Entre(claves::kPosicion) + " no es un entero de 32 bits");
        c.posicion = static_cast<std::int32_t>(*n);
    }
    if (const auto programa = raiz.find(claves::kPrograma); programa != raiz.end()) lector.Programa(*programa, c);
    leida.desconocidas = std::move(desconocidas.lista);
    return leida;
}
