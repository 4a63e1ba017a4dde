// The reader of the set-up file. A file comes from anywhere (a mail, a shared folder, a hand edit), so every
// byte is checked before it reaches the program, and the reader says in Spanish why it refuses one:
//
//  1. the size, the NUL bytes (raw or as the escape \u0000) and the UTF-8, over the raw bytes;
//  2. the JSON syntax, through nlohmann's SAX parser (it keeps its own stack: no recursion), with a tree
//     builder of its own that bounds the nesting and refuses keys that come twice in one object;
//  3. the meaning: the format marker and version, then each known key with its type and range.
//
// Memory stays near the size of what is kept: the values of unknown top-level keys are not built, and each
// event of the schedule is read as soon as its object ends, then dropped from the tree. A refusal of an event
// waits until the end of the parse, so that a file of another kind is named as such first.

#include <algorithm>
#include <functional>
#include <limits>

#include "core/configuracion.h"
#include "core/configuracion_claves.h"
#include "core/configuracion_json.h"
#include "core/utf8.h"

namespace lectura {

void Rechazar(const std::string& motivo) {
    throw ErrorConfiguracion("El archivo no es una configuración válida: " + motivo + ".", motivo);
}

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

namespace {

std::string Entre(std::string_view texto) { return claves::Citar(texto); }

bool ClavePrincipal(std::string_view clave) {
    return clave == claves::kFormato || clave == claves::kVersion || clave == claves::kTextos ||
           clave == claves::kPosicion || clave == claves::kPrograma || clave == claves::kSeparador;
}

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

// The tree built from nlohmann's SAX events. (nlohmann's parser with a callback would check keys too, but it
// scans the parent container at each object's end: quadratic on a long list of objects.)
class Constructor : public nlohmann::json_sax<json> {
public:
    // `alEvento` receives each element of the top-level "programa" list once it is complete
    Constructor(std::string_view bytes, std::function<void(json&&)> alEvento)
        : bytes_(bytes), alEvento_(std::move(alEvento)) {}

    bool null() override { return Poner(nullptr); }
    bool boolean(bool v) override { return Poner(v); }
    bool number_integer(number_integer_t v) override { return Poner(v); }
    bool number_unsigned(number_unsigned_t v) override { return Poner(v); }
    bool number_float(number_float_t v, const string_t&) override { return Poner(v); }
    bool string(string_t& v) override { return Poner(std::move(v)); }
    bool binary(binary_t& v) override { return Poner(std::move(v)); }  // JSON text has none

    bool start_object(std::size_t) override { return Abrir(true); }
    bool start_array(std::size_t) override { return Abrir(false); }
    bool end_object() override { return Cerrar(); }
    bool end_array() override { return Cerrar(); }

    bool key(string_t& clave) override {
        Marco& m = marcos_.back();
        // an object kept whole finds a repeated key in itself; the top-level one (whose unknown keys are not
        // kept) and those not kept, in a set of their own
        const bool entero = m.valor && m.objeto && marcos_.size() > 1;
        const bool repetida = entero ? m.valor->contains(clave) : !m.claves.insert(clave).second;
        if (repetida)
            Rechazar("la clave " + Entre(clave) + " está repetida" +
                     (marcos_.size() == 1 ? std::string(" en el objeto principal") : " en " + Entre(m.nombre)));
        if (marcos_.size() == 1) principales.push_back(clave);
        m.clave = std::move(clave);  // the lexer clears its buffer before the next token
        return true;
    }

    bool parse_error(std::size_t posicion, const std::string&, const nlohmann::detail::exception& e) override {
        if (e.id == 406) Rechazar("contiene un número fuera de rango");  // beyond a double
        // `posicion` counts the bytes read, the faulty one included
        Rechazar("no es JSON: error de sintaxis en la " + Lugar(bytes_, posicion == 0 ? 0 : posicion - 1));
    }

    json raiz;
    std::vector<std::string> principales;    // top-level keys, in file order
    std::vector<const std::string*> textos;  // keys of "textos" as the tree holds them, in file order

private:
    // An open object or array.
    struct Marco {
        json* valor;  // null while the value is not kept (under an unknown top-level key)
        bool objeto;
        bool programa;                           // the top-level "programa" list
        bool textos;                             // the top-level "textos" object
        std::string nombre;                      // its key, or that of the nearest parent that has one
        std::string clave;                       // an object's key for the value to come
        std::unordered_set<std::string> claves;  // the keys so far of an object not kept whole
    };

    // Where the next value goes: kept, handed over as an event, or dropped.
    enum class Destino { Guardar, Evento, Descartar };
    Destino DestinoSiguiente() const {
        if (marcos_.empty()) return Destino::Guardar;
        const Marco& m = marcos_.back();
        if (!m.valor || (marcos_.size() == 1 && m.objeto && !ClavePrincipal(m.clave))) return Destino::Descartar;
        return m.programa ? Destino::Evento : Destino::Guardar;
    }

    // Places `v` in the open container; a pointer to it stays valid while it is open, since its parent gets
    // nothing new meanwhile.
    json* Colocar(json v) {
        if (marcos_.empty()) {
            raiz = std::move(v);
            return &raiz;
        }
        Marco& m = marcos_.back();
        if (m.objeto) {
            const auto i = m.valor->get_ref<json::object_t&>().emplace(std::move(m.clave), std::move(v)).first;
            if (m.textos) textos.push_back(&i->first);  // a map's keys stay where they are
            return &i->second;
        }
        m.valor->push_back(std::move(v));
        return &m.valor->back();
    }

    bool Poner(json v) {
        switch (DestinoSiguiente()) {
            case Destino::Guardar: Colocar(std::move(v)); break;
            case Destino::Evento: alEvento_(std::move(v)); break;
            case Destino::Descartar: break;
        }
        return true;
    }

    bool Abrir(bool objeto) {
        if (marcos_.size() >= static_cast<std::size_t>(kAnidamientoMaximoConfiguracion))
            Rechazar("anida listas u objetos a más de " + std::to_string(kAnidamientoMaximoConfiguracion) + " niveles");
        Marco nuevo{nullptr, objeto, false, false, {}, {}, {}};
        if (!marcos_.empty()) {
            const Marco& padre = marcos_.back();
            nuevo.nombre = padre.objeto ? padre.clave : padre.nombre;
            const bool principal = marcos_.size() == 1 && padre.objeto;
            nuevo.programa = principal && !objeto && padre.clave == claves::kPrograma;
            nuevo.textos = principal && objeto && padre.clave == claves::kTextos;
        }
        // an event is built in the list, handed over at its end
        if (DestinoSiguiente() != Destino::Descartar) nuevo.valor = Colocar(objeto ? json::object() : json::array());
        marcos_.push_back(std::move(nuevo));
        return true;
    }

    bool Cerrar() {
        marcos_.pop_back();
        if (!marcos_.empty() && marcos_.back().programa) {
            json& lista = *marcos_.back().valor;
            alEvento_(std::move(lista.back()));
            lista.erase(lista.size() - 1);
        }
        return true;
    }

    std::string_view bytes_;
    std::function<void(json&&)> alEvento_;
    std::vector<Marco> marcos_;
};

// Where the first escape \u0000 begins (its backslash not itself escaped), or npos. It would put a NUL in a
// text, which cuts every message that shows it: refused as the raw byte is.
std::size_t PrimerNulEscapado(std::string_view bytes) {
    for (std::size_t i = bytes.find("\\u0000"); i != std::string_view::npos; i = bytes.find("\\u0000", i + 1)) {
        std::size_t barras = 0;
        while (barras < i && bytes[i - 1 - barras] == '\\') ++barras;
        if (barras % 2 == 0) return i;
    }
    return std::string_view::npos;
}

void ComprobarBytes(std::string_view bytes) {
    if (bytes.size() > kTamanoMaximoConfiguracion)
        Rechazar("ocupa " + std::to_string(bytes.size()) + " bytes, más que el máximo de " +
                 std::to_string(kTamanoMaximoConfiguracion) + " bytes");
    if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos)
        Rechazar("contiene un byte nulo en la " + Lugar(bytes, nul) + " (no es un archivo de texto)");
    if (const std::size_t nul = PrimerNulEscapado(bytes); nul != std::string_view::npos)
        Rechazar("contiene un carácter nulo (\\u0000) en la " + Lugar(bytes, nul) + " (no es un archivo de texto)");
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

void LeerTextos(const json& textos, const std::vector<const std::string*>& orden, const Nombres& conocidos,
                Desconocidas& desconocidas, Configuracion& c) {
    if (!textos.is_object()) Rechazar(Entre(claves::kTextos) + " es " + Tipo(textos) + ", no un objeto");
    for (const std::string* n : orden) {
        const std::string& nombre = *n;
        const json& t = textos.at(nombre);
        if (!t.is_string()) Rechazar("el texto " + Entre(nombre) + " es " + Tipo(t) + ", no un texto entre comillas");
        if (conocidos.count(nombre) != 0)
            c.textos.emplace(nombre, t.get_ref<const std::string&>());
        else
            desconocidas.Anotar(nombre);
    }
}

// The schedule as it comes, event by event; the first refusal is kept for later.
struct Programa {
    const Nombres& conocidos;
    std::vector<EventoPrograma> eventos;
    Desconocidas desconocidas;
    std::optional<ErrorConfiguracion> error;
    std::size_t numero = 0;

    void Anadir(json&& e) {
        ++numero;
        if (error) return;
        try {
            if (auto evento = LeerEvento(e, numero, conocidos, desconocidas)) eventos.push_back(std::move(*evento));
        } catch (const ErrorConfiguracion& x) {
            error = x;
        }
    }
};

}  // namespace

}  // namespace lectura

ConfiguracionLeida LeerConfiguracion(std::string_view bytes, std::span<const std::string> conocidos) {
    using namespace lectura;
    ComprobarBytes(bytes);
    const Nombres nombres(conocidos.begin(), conocidos.end());
    Programa programa{nombres, {}, {}, {}};
    Constructor constructor(bytes, [&](json&& e) { programa.Anadir(std::move(e)); });
    // strict: nothing may follow the top-level value; comments are not JSON
    if (!json::sax_parse(bytes.begin(), bytes.end(), &constructor, json::input_format_t::json, true, false))
        Rechazar("no es JSON");  // the builder refuses by throwing: nlohmann stopped for a reason of its own
    const json& raiz = constructor.raiz;
    ComprobarMarca(raiz);

    // unknown names: top-level keys, then texts, then those of the schedule
    Desconocidas desconocidas;
    for (const std::string& clave : constructor.principales)
        if (!ClavePrincipal(clave)) desconocidas.Anotar(clave);

    ConfiguracionLeida leida;
    Configuracion& c = leida.configuracion;
    if (const auto textos = raiz.find(claves::kTextos); textos != raiz.end())
        LeerTextos(*textos, constructor.textos, nombres, desconocidas, c);
    if (const auto separador = raiz.find(claves::kSeparador); separador != raiz.end()) {
        if (!separador->is_string() || (*separador != "." && *separador != ","))
            Rechazar(Entre(claves::kSeparador) + " debe ser \".\" o \",\"");
        c.decimal = separador->get_ref<const std::string&>()[0];
    }
    if (const auto posicion = raiz.find(claves::kPosicion); posicion != raiz.end()) {
        const auto n =
            Entero(*posicion, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
        if (!n) Rechazar(Entre(claves::kPosicion) + " no es un entero de 32 bits");
        c.posicion = static_cast<std::int32_t>(*n);
    }
    if (const auto lista = raiz.find(claves::kPrograma); lista != raiz.end()) {
        if (!lista->is_array()) Rechazar(Entre(claves::kPrograma) + " es " + Tipo(*lista) + ", no una lista");
        if (programa.error) throw *programa.error;
        c.programa = std::move(programa.eventos);
        for (const std::string& nombre : programa.desconocidas.lista) desconocidas.Anotar(nombre);
    }
    leida.desconocidas = std::move(desconocidas.lista);
    return leida;
}
