// The writer of the set-up file. The layout is fixed here rather than left to nlohmann's dump, so that the
// file reads and diffs well: one text per line, one event per line with its fields in a set order. nlohmann
// only escapes the strings.

#include <nlohmann/json.hpp>

#include <set>
#include <string>

#include "core/configuracion.h"
#include "core/configuracion_claves.h"
#include "core/utf8.h"

namespace {

[[noreturn]] void Fallar(const std::string& motivo) {
    throw ErrorConfiguracion("No se puede guardar la configuración: " + motivo + ".", motivo);
}

// A JSON string: UTF-8 kept as it is, the control characters, '"' and '\' escaped.
void Cadena(std::string& s, std::string_view texto) {
    s += nlohmann::json(std::string(texto)).dump(-1, ' ', false, nlohmann::json::error_handler_t::strict);
}

void Clave(std::string& s, std::string_view clave) {
    Cadena(s, clave);
    s += ": ";
}

// `, "clave": ` then the value
void Campo(std::string& s, std::string_view clave) {
    s += ", ";
    Clave(s, clave);
}

struct Evento {
    std::string& s;
    void operator()(const EventoTexto& e) const {
        Campo(s, claves::kNombre);
        Cadena(s, e.nombre);
        Campo(s, claves::kTexto);
        Cadena(s, e.texto);
    }
    void operator()(const EventoPosicion& e) const {
        Campo(s, claves::kPosicionEvento);
        s += std::to_string(e.posicion);
    }
    void operator()(const EventoAlternar& e) const {
        Campo(s, claves::kCorrida);
        Cadena(s, NombreCorrida(e.corrida));
    }
    void operator()(const EventoLimpiar&) const {}
    void operator()(const EventoInicializarFuzzy&) const {}
    void operator()(const EventoTicks& e) const {
        Campo(s, claves::kCorrida);
        Cadena(s, NombreCorrida(e.corrida));
        Campo(s, claves::kCuenta);
        s += std::to_string(e.cuenta);
    }
};

void Validar(const Configuracion& c) {
    const auto texto = [](const std::string& nombre, const std::string& t) {
        if (!EsUtf8(nombre)) Fallar("el nombre de un texto no es UTF-8 válido");
        if (!EsUtf8(t)) Fallar("el texto de " + claves::Citar(nombre) + " no es UTF-8 válido");
        // the reader refuses a NUL, raw or escaped: a file that could not be opened again is not written
        if (nombre.find('\0') != std::string::npos) Fallar("el nombre de un texto contiene un carácter nulo");
        if (t.find('\0') != std::string::npos)
            Fallar("el texto de " + claves::Citar(nombre) + " contiene un carácter nulo");
    };
    for (const auto& [nombre, t] : c.textos) texto(nombre, t);
    if (c.programa)
        for (const EventoPrograma& e : *c.programa)
            if (const auto* t = std::get_if<EventoTexto>(&e.accion)) texto(t->nombre, t->texto);
}

}  // namespace

std::string EscribirConfiguracion(const Configuracion& c, std::span<const std::string> orden) {
    Validar(c);
    std::string s = "{\n  ";
    Clave(s, claves::kFormato);
    Cadena(s, kFormatoConfiguracion);
    s += ",\n  ";
    Clave(s, claves::kVersion);
    s += std::to_string(kVersionConfiguracion);
    s += ",\n  ";
    // only when it is not '.': a set-up of the default locale stays as it always was
    if (c.decimal != '.') {
        Clave(s, claves::kSeparador);
        Cadena(s, std::string(1, c.decimal));
        s += ",\n  ";
    }

    Clave(s, claves::kTextos);
    s += '{';
    std::set<std::string_view> escritos;
    const auto texto = [&](const std::string& nombre, const std::string& t) {
        if (!escritos.insert(nombre).second) return;
        s += escritos.size() == 1 ? "\n    " : ",\n    ";
        Clave(s, nombre);
        Cadena(s, t);
    };
    for (const std::string& nombre : orden)
        if (const auto i = c.textos.find(nombre); i != c.textos.end()) texto(i->first, i->second);
    for (const auto& [nombre, t] : c.textos) texto(nombre, t);
    s += escritos.empty() ? "}" : "\n  }";

    if (c.posicion) {
        s += ",\n  ";
        Clave(s, claves::kPosicion);
        s += std::to_string(*c.posicion);
    }

    if (c.programa) {
        s += ",\n  ";
        Clave(s, claves::kPrograma);
        s += '[';
        bool primero = true;
        for (const EventoPrograma& e : *c.programa) {
            s += primero ? "\n    {" : ",\n    {";
            primero = false;
            Clave(s, claves::kEvento);
            Cadena(s, claves::kTipos[e.accion.index()]);
            if (e.muestra) {
                Campo(s, claves::kMuestra);
                s += std::to_string(*e.muestra);
            }
            std::visit(Evento{s}, e.accion);
            s += '}';
        }
        s += primero ? "]" : "\n  ]";
    }
    s += "\n}\n";
    return s;
}
