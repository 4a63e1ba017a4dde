#include "tools/opciones_curso.h"

#include <stdexcept>

#include "core/utf8.h"
#include "tools/opciones_lote.h"

namespace {

[[noreturn]] void Mal(const std::string& razon) { throw std::invalid_argument(razon); }

std::optional<std::string> Valor(const std::string& a, const char* prefijo) {
    const std::string p = prefijo;
    if (a.rfind(p, 0) != 0) return std::nullopt;
    return a.substr(p.size());
}

std::string NoVacio(const std::string& texto, const char* opcion) {
    if (texto.empty()) Mal(std::string(opcion) + " necesita un valor");
    return texto;
}

// The options that both share; false for one that is not among them.
bool Comun(const std::string& a, OpcionesLote& o) {
    OpcionesCurso& c = o.curso;
    if (a == "--help" || a == "-h" || a == "--ayuda") {
        o.ayuda = true;
    } else if (const auto s = Valor(a, "--curso=")) {
        c.curso = NoVacio(*s, "--curso");
        if (!EsUtf8(c.curso)) Mal("--curso debe ser un texto UTF-8 válido");
    } else if (const auto id = Valor(a, "--alumno=")) {
        if (const std::optional<std::string> razon = AlumnoInvalido(*id)) Mal("--alumno: " + *razon);
        c.alumno = *id;
    } else if (const auto k = Valor(a, "--clase=")) {
        c.clase = NoVacio(*k, "--clase");
    } else if (const auto e = Valor(a, "--ejercicio=")) {
        const std::optional<TipoEjercicio> t = EjercicioDeNombre(*e);
        if (!t) Mal("--ejercicio debe ser identificacion, pid o completo: '" + *e + "'");
        c.tipo = *t;
    } else {
        return false;
    }
    return true;
}

void Curso(const OpcionesLote& o, const char* orden) {
    if (o.curso.curso.empty()) Mal(std::string(orden) + " necesita --curso=SEMILLA, la semilla del curso");
    if (o.curso.alumno.has_value() == o.curso.clase.has_value())
        Mal(std::string(orden) + " necesita --alumno=ID o --clase=ids.csv, y solo uno de los dos");
}

}  // namespace

OpcionesLote LeerVariante(const std::vector<std::string>& argumentos) {
    OpcionesLote o;
    o.orden = OrdenLote::Variante;
    bool primera = true;
    for (const std::string& a : argumentos) {
        if (Comun(a, o)) continue;
        if (const auto d = Valor(a, "--dir=")) {
            o.curso.carpeta = NoVacio(*d, "--dir");
        } else if (a.rfind("-", 0) == 0) {
            Mal("opción desconocida para variante: " + a);
        } else if (primera && a == "variante") {
            primera = false;
        } else {
            Mal("variante no toma más argumentos que sus opciones: '" + a + "'");
        }
    }
    if (!o.ayuda) Curso(o, "variante");
    return o;
}

OpcionesLote LeerCalificar(const std::vector<std::string>& argumentos) {
    OpcionesLote o;
    o.orden = OrdenLote::Calificar;
    std::vector<std::string> posicionales;
    for (const std::string& a : argumentos) {
        if (Comun(a, o)) continue;
        if (const auto r = Valor(a, "--respuestas=")) {
            o.curso.respuestas = NoVacio(*r, "--respuestas");
        } else if (const auto s = Valor(a, "--salida=")) {
            o.curso.salida = NoVacio(*s, "--salida");
        } else if (a.rfind("-", 0) == 0) {
            Mal("opción desconocida para calificar: " + a);
        } else {
            posicionales.push_back(a);
        }
    }
    if (o.ayuda) return o;
    Curso(o, "calificar");
    if (o.curso.alumno) {
        if (o.curso.respuestas) Mal("--respuestas=DIR va con --clase; con --alumno, dé el archivo de la respuesta");
        if (posicionales.size() != 2) Mal("calificar --alumno=ID espera un archivo de respuesta: RESPUESTA.json");
        o.curso.respuesta = posicionales[1];
    } else {
        if (!o.curso.respuestas) Mal("calificar --clase necesita --respuestas=DIR, la carpeta de las respuestas");
        if (posicionales.size() != 1) Mal("calificar --clase toma las respuestas de --respuestas: quite '" +
                                          posicionales.back() + "'");
    }
    return o;
}
