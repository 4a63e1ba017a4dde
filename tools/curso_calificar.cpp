#include "tools/curso_calificar.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "base/errores.h"
#include "base/numeros.h"
#include "core/interfaces.h"
#include "core/lecturas_tick.h"
#include "export/error_archivo.h"
#include "tools/lote.h"

using Json = nlohmann::ordered_json;

namespace {

// A finite number of the answer, or absent when `opcional` and not there.
std::optional<double> Numero(const Json& j, const char* nombre, bool opcional = false) {
    if (!j.contains(nombre)) {
        if (opcional) return std::nullopt;
        throw ErrorTanque(std::string("falta el campo \"") + nombre + "\" en la respuesta");
    }
    const Json& v = j.at(nombre);
    if (!v.is_number()) throw ErrorTanque(std::string("el campo \"") + nombre + "\" debe ser un número, no " +
                                          (v.is_string() ? "un texto" : v.is_boolean() ? "un booleano"
                                                                          : v.is_null()  ? "null"
                                                                                         : "un objeto o una lista"));
    const double x = v.get<double>();
    if (!std::isfinite(x)) throw ErrorTanque(std::string("el campo \"") + nombre + "\" no es un número finito");
    return x;
}

void Positivo(const std::optional<double>& x, const char* nombre) {
    if (x && !(*x > 0)) throw ErrorTanque(std::string("el campo \"") + nombre + "\" debe ser mayor que 0");
}

// A Double as a text that reads back as itself.
std::string Texto(double x) {
    char t[40];
    std::snprintf(t, sizeof t, "%.17g", x);
    return t;
}

std::string ConComa(double x, const char* formato = "%.1f") {
    char t[40];
    std::snprintf(t, sizeof t, formato, x);
    std::string s = t;
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

std::FILE* Temporal() {
    std::FILE* f = std::tmpfile();
    if (!f) throw ErrorTanque("no se pudo crear un archivo temporal: " + TextoErrorArchivo(errno));
    return f;
}

std::string Leer(std::FILE* f) {
    std::rewind(f);
    std::string s;
    char b[4096];
    for (std::size_t n; (n = std::fread(b, 1, sizeof b, f)) > 0;) s.append(b, n);
    std::fclose(f);
    return s;
}

ItemCalificado Relativo(const char* nombre, double respuesta, double referencia, double tolerancia) {
    ItemCalificado i;
    i.nombre = nombre;
    i.respuesta = respuesta;
    i.referencia = referencia;
    i.tolerancia = tolerancia;
    i.errorRelativo = std::fabs(respuesta - referencia) / std::fabs(referencia);
    i.aprobado = i.errorRelativo <= tolerancia;
    if (!i.aprobado)
        i.motivo = std::string(nombre) + " se aparta un " + ConComa(100 * i.errorRelativo) + " % (tolerancia " +
                   ConComa(100 * tolerancia) + " %)";
    return i;
}

// The PID run of tanque-lote on the true plant with --indices --json: the step's overshoot and settling time.
ItemCalificado Lazo(const VarianteAlumno& v, double Kp, double Ti, double Td) {
    ItemCalificado i;
    i.nombre = "PID";
    i.Kp = Kp;
    i.Ti = Ti;
    i.Td = Td;
    OpcionesLote o;
    o.corrida = Corrida::PID;
    o.muestras = v.objetivo.muestras;
    o.indices = o.json = true;
    o.textos = {{"Resistencia", v.resistencia}, {"Area", v.area}, {"T_Sample", "500"}, {"Kp", Texto(Kp)},
                {"Ti", Texto(Ti)}, {"Td", Texto(Td)}, {kTrackReferencia, std::to_string(v.objetivo.posicion)}};
    std::FILE* salida = Temporal();
    std::FILE* errores = Temporal();
    const int estado = CorrerLote(o, fileno(salida), errores);
    const std::string lineas = Leer(salida), mensajes = Leer(errores);
    if (estado != 0 || !mensajes.empty() || lineas.empty()) {
        // an overflow, or a value out of range: the run stopped with the program's message
        std::string m = mensajes.substr(0, mensajes.find('\n'));
        if (const std::size_t dos = m.find(": "); dos != std::string::npos) m = m.substr(dos + 2);
        i.motivo = "la corrida PID se detuvo: " + (m.empty() ? std::string("sin mensaje") : m);
        return i;
    }
    // one line a step: the reference steps once, so the last line is the step's indices at the run's end
    const std::size_t fin = lineas.find_last_not_of('\n');
    const std::size_t inicio = lineas.rfind('\n', fin);
    const Json j = Json::parse(lineas.substr(inicio == std::string::npos ? 0 : inicio + 1));
    if (j["sobreimpulso"].is_number()) i.sobreimpulso = j["sobreimpulso"].get<double>();
    if (j["tiempo_establecimiento"].is_number() && j["establecida"].get<bool>())
        i.establecimiento = j["tiempo_establecimiento"].get<double>();
    const ObjetivoLazo& t = v.objetivo;
    if (!i.establecimiento)
        i.motivo = "el nivel no queda en la banda del 2 % en " + ConComa(2 * t.establecimientoMaximo, "%g") + " s";
    else if (*i.establecimiento > t.establecimientoMaximo)
        i.motivo = "tarda " + ConComa(*i.establecimiento) + " s en establecerse (máximo " +
                   ConComa(t.establecimientoMaximo, "%g") + " s)";
    else if (i.sobreimpulso.value_or(0) > t.sobreimpulsoMaximo)
        i.motivo = "sobreimpulso del " + ConComa(*i.sobreimpulso) + " % (máximo " +
                   ConComa(t.sobreimpulsoMaximo, "%g") + " %)";
    i.aprobado = i.motivo.empty();
    return i;
}

}  // namespace

RespuestaAlumno LeerRespuesta(std::string_view bytes, TipoEjercicio tipo) {
    if (bytes.size() > kTamanoMaximoRespuesta) throw ErrorTanque("la respuesta pasa de 1 MiB");
    const Json j = Json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (j.is_discarded()) throw ErrorTanque("la respuesta no es un JSON válido");
    if (!j.is_object()) throw ErrorTanque("la respuesta debe ser un objeto JSON, {\"K\": ..., ...}");
    RespuestaAlumno r;
    if (tipo != TipoEjercicio::Sintonia) {
        r.K = Numero(j, "K");
        r.Tau = Numero(j, "Tau");
        Positivo(r.K, "K");
        Positivo(r.Tau, "Tau");
    }
    if (tipo != TipoEjercicio::Identificacion) {
        r.Kp = Numero(j, "Kp");
        r.Ti = Numero(j, "Ti");
        r.Td = Numero(j, "Td", true).value_or(0);
        Positivo(r.Ti, "Ti");
        if (*r.Td < 0) throw ErrorTanque("el campo \"Td\" no puede ser negativo");
    }
    return r;
}

RespuestaAlumno LeerArchivoRespuesta(const std::string& nombre, TipoEjercicio tipo) {
    std::ifstream f(nombre, std::ios::binary);
    if (!f) {
        if (errno == ENOENT) throw ErrorTanque("falta la respuesta: no existe " + nombre);
        throw ErrorTanque("no se pudo leer la respuesta " + nombre + ": " + TextoErrorArchivo(errno));
    }
    std::string bytes;
    char b[4096];
    while (f.read(b, sizeof b) || f.gcount() > 0) {
        bytes.append(b, static_cast<std::size_t>(f.gcount()));
        if (bytes.size() > kTamanoMaximoRespuesta) throw ErrorTanque("la respuesta " + nombre + " pasa de 1 MiB");
    }
    if (f.bad()) throw ErrorTanque("no se pudo leer la respuesta " + nombre);
    try {
        return LeerRespuesta(bytes, tipo);
    } catch (const ErrorTanque& e) {
        throw ErrorTanque(nombre + ": " + e.what());
    }
}

Calificacion Calificar(const VarianteAlumno& v, TipoEjercicio tipo, const RespuestaAlumno& r) {
    Calificacion c;
    if (tipo != TipoEjercicio::Sintonia) {
        // the linear tank's truth from its texts: K = R, Tau = A R
        const double R = static_cast<double>(TextoAFlotante(v.resistencia, '.'));
        const double A = static_cast<double>(TextoAFlotante(v.area, '.'));
        c.items.push_back(Relativo("K", r.K.value_or(0), R, kToleranciaK));
        c.items.push_back(Relativo("Tau", r.Tau.value_or(0), A * R, kToleranciaTau));
    }
    if (tipo != TipoEjercicio::Identificacion)
        c.items.push_back(Lazo(v, r.Kp.value_or(0), r.Ti.value_or(1), r.Td.value_or(0)));
    for (const ItemCalificado& i : c.items) c.aprobados += i.aprobado ? 1 : 0;
    c.nota = c.items.empty() ? 0 : 10.0 * c.aprobados / static_cast<double>(c.items.size());
    return c;
}

std::string InformeCalificacion(std::string_view alumno, TipoEjercicio tipo, const VarianteAlumno& v,
                                const Calificacion& c) {
    Json items = Json::array();
    for (const ItemCalificado& i : c.items) {
        Json j = {{"nombre", i.nombre}};
        if (i.nombre == "PID") {
            j["respuesta"] = {{"Kp", i.Kp}, {"Ti", i.Ti}, {"Td", i.Td}};
            j["objetivo"] = {{"referencia_m", ReferenciaDe(v.objetivo.posicion)},
                             {"sobreimpulso_maximo_pct", v.objetivo.sobreimpulsoMaximo},
                             {"establecimiento_maximo_s", v.objetivo.establecimientoMaximo},
                             {"banda_pct", 2}};
            j["obtenido"] = {{"sobreimpulso_pct", i.sobreimpulso ? Json(*i.sobreimpulso) : Json(nullptr)},
                             {"establecimiento_s", i.establecimiento ? Json(*i.establecimiento) : Json(nullptr)}};
        } else {
            j["respuesta"] = i.respuesta;
            j["referencia"] = i.referencia;
            j["error_relativo"] = i.errorRelativo;
            j["tolerancia"] = i.tolerancia;
        }
        j["aprobado"] = i.aprobado;
        if (!i.motivo.empty()) j["motivo"] = i.motivo;
        items.push_back(j);
    }
    Json j = {{"formato", "tanque-calificacion"},
              {"version", 1},
              {"alumno", std::string(alumno)},
              {"ejercicio", NombreEjercicio(tipo)},
              {"items", items},
              {"aprobados", c.aprobados},
              {"total", c.items.size()},
              {"nota", c.nota}};
    return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}
