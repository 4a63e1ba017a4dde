#include "tools/identificar_lote.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <vector>

#include "base/aritmetica.h"
#include "base/numeros.h"
#include "core/descripcion.h"
#include "core/planta/verdad.h"
#include "export/causa_archivo.h"
#include "export/error_archivo.h"
#include "export/escritor.h"
#include "export/lectura.h"
#include "identificacion/arx.h"
#include "identificacion/escalon.h"
#include "identificacion/oe.h"
#include "identificacion/rechazos.h"
#include "tools/analisis_identificar.h"

using Json = nlohmann::ordered_json;

namespace {

constexpr std::int32_t kTSamplePorOmision = 500;  // ms, the edit's default

struct Metodo {
    MetodoLote cual;
    bool pedido;  // by --metodo: its failure fails the tool
    bool sinError = false;  // its ± does not measure its error (ARX biased by the noise): not shown
    std::optional<Identificacion> estimacion;
    std::string motivo;
    std::optional<double> validacion;  // the fit on --validar's record
};

const char* Nombre(MetodoLote m) {
    switch (m) {
        case MetodoLote::Arx: return "ARX";
        case MetodoLote::Oe: return "OE";
        case MetodoLote::Escalon: return "escalón";
    }
    return "";
}

// A step record: an action constant throughout or changing once, what the step reading takes.
bool EsEscalon(const Registro& r) {
    int cambios = 0;
    for (std::size_t k = 1; k < r.accion.size(); ++k) cambios += r.accion[k] != r.accion[k - 1];
    return cambios <= 1;
}

Identificacion Estimar(MetodoLote m, const Registro& r, int retardo) {
    switch (m) {
        case MetodoLote::Arx: return IdentificarArx(r, retardo);
        case MetodoLote::Oe: return IdentificarOe(r, retardo);
        case MetodoLote::Escalon: return LeerEscalon(r, retardo);
    }
    return {};
}

Registro RegistroDe(RegistroLeido&& leido, double T) {
    return {std::move(leido.acciones), std::move(leido.niveles), T, std::move(leido.muestras)};
}

bool Finito(std::optional<double> v) { return v && std::isfinite(*v); }
Json Valor(std::optional<double> v) { return Finito(v) ? Json(*v) : Json(nullptr); }

// "v", "v ± e": 6 significant digits, the error with 2; "—" for what is absent or not finite.
std::string Numero(std::optional<double> v, std::optional<double> error = std::nullopt) {
    if (!Finito(v)) return "—";
    char b[80];
    if (Finito(error))
        std::snprintf(b, sizeof b, "%#.6g ± %.2g", *v, *error);
    else
        std::snprintf(b, sizeof b, "%#.6g", *v);
    return b;
}

std::string Corto(double v) {
    char b[40];
    std::snprintf(b, sizeof b, "%g", v);
    return b;
}

Json Objeto(const Metodo& m) {
    Json j = {{"metodo", Nombre(m.cual)}};
    if (!m.estimacion) {
        j["error"] = m.motivo;
        return j;
    }
    const Identificacion& e = *m.estimacion;
    j["K"] = Valor(e.K);
    j["Tau"] = Valor(e.Tau);
    j["a"] = Valor(e.a);
    j["b"] = Valor(e.b);
    j["retardo"] = e.retardo;
    j["ajuste"] = Valor(e.ajuste);
    j["muestras"] = e.muestras;
    j["K_err"] = Valor(e.error_K);
    j["Tau_err"] = Valor(e.error_Tau);
    if (m.sinError) j["error_tipico_con_sentido"] = false;
    if (m.validacion) j["ajuste_validacion"] = Valor(m.validacion);
    return j;
}

std::string Texto(const Metodo& m, const std::optional<std::string>& validar) {
    std::string s = std::string("\n") + Nombre(m.cual) + "\n";
    if (!m.estimacion) return s + "  sin estimación: " + m.motivo + "\n";
    const Identificacion& e = *m.estimacion;
    const auto error = [&](std::optional<double> v) { return m.sinError ? std::nullopt : v; };
    s += "  K        = " + Numero(e.K, error(e.error_K)) + "\n";
    s += "  Tau      = " + Numero(e.Tau, error(e.error_Tau)) + " s\n";
    s += "  a        = " + Numero(e.a, error(e.error_a)) + "\n";
    s += "  b        = " + Numero(e.b, error(e.error_b)) + "\n";
    s += "  retardo  = " + std::to_string(e.retardo) + "\n";
    s += "  ajuste   = " + Numero(e.ajuste) + " %\n";
    s += "  muestras = " + std::to_string(e.muestras) + "\n";
    if (m.validacion) s += "  ajuste en " + *validar + " = " + Numero(m.validacion) + " %\n";
    if (m.sinError) s += "  (sin ±: el ruido del nivel sesga ARX, y su error típico no mide su error; vea Avisos)\n";
    return s;
}

// The method shown first, whose keys head the JSON object: OE, else ARX, else the step reading.
const Metodo* Elegido(const std::vector<Metodo>& metodos) {
    for (MetodoLote preferido : {MetodoLote::Oe, MetodoLote::Arx, MetodoLote::Escalon})
        for (const Metodo& m : metodos)
            if (m.cual == preferido && m.estimacion) return &m;
    return nullptr;
}

// The runtime's text at the end of `mensaje` and its Spanish cause; a read that the device itself failed (EIO,
// which says nothing of the name) says so.
std::string ConCausaDeLectura(const std::string& nombre, const std::string& mensaje) {
    const std::string m = ConCausaAlFinal(nombre, mensaje);
    const std::string eio = TextoErrorArchivo(EIO);
    if (m != mensaje || mensaje.size() < eio.size() ||
        mensaje.compare(mensaje.size() - eio.size(), eio.size(), eio) != 0)
        return m;
    return m + " (el dispositivo no pudo leerlo)";
}

struct Lectura {
    Registro registro;
    std::optional<DescripcionLeida> descripcion;
};

// The record and its description; the period is `T` when `forzado`, else the description's, else `T`. A
// description that describes another record is refused, unless `ajena` (the period and the delay both given):
// then it is only named, in `avisos`, and not used.
Lectura Leer(const std::string& archivo, double T, bool forzado, bool ajena, std::vector<std::string>& avisos) {
    Lectura l;
    {
        // what is not a regular file (a device, a pipe) could hold no end: refused as the set-ups refuse it
        struct stat st {};
        if (::stat(archivo.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
            throw ErrorLectura(archivo + ": no es un archivo común");
    }
    RegistroLeido leido = [&] {
        try {
            return LeerExportacion(archivo, true);
        } catch (const ErrorLectorAusente&) {
            throw;
        } catch (const ErrorArchivo& e) {
            throw ErrorArchivo(ConCausaDeLectura(archivo, e.what()));  // why, in Spanish, beside the runtime's text
        }
    }();
    l.descripcion = LeerDescripcion(archivo);
    if (l.descripcion) {
        for (const std::string& a : l.descripcion->avisos) avisos.push_back(l.descripcion->nombre + ": " + a);
        if (const std::optional<std::string> motivo = Discordancia(*l.descripcion, archivo, leido)) {
            const std::string texto =
                "la descripción " + l.descripcion->nombre + " no describe el registro " + archivo + ": " + *motivo;
            if (!ajena) throw ErrorLectura(texto + "; quítela, o dé --T_Sample y --retardo para no usarla");
            avisos.push_back(texto + "; no se usa");
            l.descripcion.reset();
        } else if (l.descripcion->archivo &&
                   *l.descripcion->archivo != std::filesystem::path(archivo).filename().string()) {
            avisos.push_back("la descripción " + l.descripcion->nombre + " nombra el registro «" +
                             *l.descripcion->archivo + "», pero su huella es la de " + archivo + ": se usa");
        }
    }
    if (!forzado && l.descripcion && l.descripcion->T) T = *l.descripcion->T;
    const double primera = leido.primeraMuestra;
    l.registro = RegistroDe(std::move(leido), T);
    l.registro.primeraMuestra = primera;
    // the plant time a sample holds is the description's, for the period it gives
    if (!forzado && l.descripcion && l.descripcion->T) l.registro.tiempoMuestra = l.descripcion->tiempoMuestra;
    if (l.descripcion) l.registro.retardoCorrida = l.descripcion->retardo;
    return l;
}

// The whole of a file no larger than `maximo` bytes, read with read(2): its failures are ErrorArchivo.
std::string LeerAcotado(const std::string& nombre, std::int64_t maximo) {
    const int fd = ::open(nombre.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) throw ErrorArchivo(nombre + ": " + ConCausa(nombre, TextoErrorArchivo(errno)));
    std::string texto;
    char bloque[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, bloque, sizeof bloque);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int codigo = errno;
            ::close(fd);
            throw ErrorArchivo(ConCausaDeLectura(nombre, nombre + ": " + TextoErrorArchivo(codigo)));
        }
        if (n == 0) break;
        texto.append(bloque, static_cast<std::size_t>(n));
        if (static_cast<std::int64_t>(texto.size()) > maximo) {
            ::close(fd);
            throw ErrorLectura(nombre + ": tiene más de " + std::to_string(maximo / (1024 * 1024)) +
                               " MiB: no es una descripción de registro de tanque");
        }
    }
    ::close(fd);
    return texto;
}

// The model's file (the caller names it in its failures); a failed write leaves no part of it.
void EscribirModelo(const std::string& nombre, const std::string& contenido) {
    const int fd = ::open(nombre.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd < 0) throw ErrorArchivo(TextoErrorArchivo(errno));
    const int codigo = EscribirTodo(fd, contenido);
    if (::close(fd) != 0 || codigo != 0) {
        const int error = codigo != 0 ? codigo : errno;
        ::unlink(nombre.c_str());
        throw ErrorArchivo(TextoErrorArchivo(error));
    }
}

std::optional<std::int64_t> Entero(const Json& j, const char* clave) {
    const auto v = j.find(clave);
    if (v == j.end() || !v->is_number_integer()) return std::nullopt;
    return v->get<std::int64_t>();
}

std::optional<std::string> Cadena(const Json& j, const char* clave) {
    const auto v = j.find(clave);
    if (v == j.end() || !v->is_string()) return std::nullopt;
    return v->get<std::string>();
}

}  // namespace

double PeriodoDeMs(std::int32_t ms) { return aSingle(static_cast<long double>(ms) * 0.001L); }

std::optional<DescripcionLeida> LeerDescripcion(const std::string& registro) {
    const std::string nombre = NombreDescripcion(registro);
    struct stat st {};
    if (::stat(nombre.c_str(), &st) != 0) {
        if (errno == ENOENT) return std::nullopt;
        throw ErrorArchivo(nombre + ": " + ConCausa(nombre, TextoErrorArchivo(errno)));
    }
    if (!S_ISREG(st.st_mode))
        throw ErrorLectura(nombre + ": no es un archivo común: no es una descripción de registro de tanque");
    const std::string texto = LeerAcotado(nombre, kMaximoDescripcion);
    const Json j = Json::parse(texto, nullptr, false);
    if (j.is_discarded() || !j.is_object() || Cadena(j, "formato") != std::optional<std::string>(kFormatoDescripcion))
        throw ErrorLectura(nombre + ": no es una descripción de registro de tanque (formato \"" + kFormatoDescripcion +
                           "\")");
    DescripcionLeida d;
    d.nombre = nombre;
    if (const auto t = j.find("muestreo_s"); t != j.end() && t->is_number()) {
        const double v = t->get<double>();
        // a period that no run could have had (the plant's T_Sample is at most 2^31 - 1 ms)
        if (v > 0 && v <= 2147483.647)
            d.T = v;
        else
            d.avisos.push_back("muestreo_s " + t->dump() + " no es un periodo de muestreo: no se usa");
    }
    // the run's T_Sample text beside the period: when the two disagree, the description cannot say which is the
    // record's, and neither is used
    if (const auto t = j.find("T_Sample"); d.T && t != j.end() && t->is_string()) {
        const std::string texto = t->get<std::string>();
        std::optional<std::int32_t> ms;
        try {
            ms = TextoAEntero(texto);
        } catch (const ErrorTanque&) {
        }
        if (!ms || *ms <= 0 || static_cast<double>(PeriodoDeMs(*ms)) != *d.T) {
            d.avisos.push_back("T_Sample «" + texto + "» no concuerda con muestreo_s " + j["muestreo_s"].dump() +
                               ": no se usa ninguno de los dos");
            d.T.reset();
        }
    }
    if (const auto a = j.find("alineacion"); a != j.end() && a->is_object())
        if (const std::optional<std::int64_t> r = Entero(*a, "retardo")) {
            if (*r == 0 || *r == 1)
                d.retardo = static_cast<int>(*r);
            else
                d.avisos.push_back("alineacion.retardo " + std::to_string(*r) + " no es 0 ni 1: no se usa");
        }
    if (const auto r = j.find("registro"); r != j.end() && r->is_object()) {
        d.archivo = Cadena(*r, "archivo");
        d.lineas = Entero(*r, "lineas");
        d.ultima = Entero(*r, "ultima_muestra");
        d.bytes = Entero(*r, "bytes");
        d.sha256 = Cadena(*r, "sha256");
    }
    // the truth of the plant that made the record, to print beside the estimates
    if (const auto c = j.find("corrida"); c != j.end() && c->is_object())
        if (const auto p = c->find("planta"); p != c->end() && p->is_object())
            if (const auto v = p->find("verdad"); v != p->end() && v->is_object()) {
                d.verdad = v->dump();
                if (const auto t = v->find("tiempo_por_muestra_s"); t != v->end() && t->is_number()) {
                    const double s = t->get<double>();
                    if (s > 0 && std::isfinite(s)) d.tiempoMuestra = s;
                }
            }
    // the pump's limits, texts of the run written with its own decimal separator
    if (const auto c = j.find("corrida"); c != j.end() && c->is_object())
        if (const auto lazo = c->find("lazo"); lazo != c->end() && lazo->is_object()) {
            const std::string sep = Cadena(*c, "separador_decimal").value_or(".");
            const char decimal = sep == "," ? ',' : '.';
            const auto limite = [&](const char* nombre, std::optional<double>& destino) {
                const auto t = lazo->find(nombre);
                if (t == lazo->end() || !t->is_string() || t->get<std::string>().empty()) return;
                try {
                    const double v = static_cast<double>(TextoAFlotante(t->get<std::string>(), decimal));
                    if (std::isfinite(v)) return void(destino = v);
                } catch (const ErrorTanque&) {
                }
                d.avisos.push_back(std::string("corrida.lazo.") + nombre + " " + t->dump() +
                                   " no es un caudal: no se usa");
            };
            limite("Caudal_Min", d.caudalMinimo);
            limite("Caudal_Max", d.caudalMaximo);
        }
    return d;
}

std::optional<std::string> Discordancia(const DescripcionLeida& d, const std::string& archivo,
                                        const RegistroLeido& r) {
    if (d.sha256 && *d.sha256 != r.huella.sha256) return std::string("su huella SHA-256 no es la del registro");
    if (d.bytes && *d.bytes != r.huella.bytes)
        return "dice " + std::to_string(*d.bytes) + " bytes y el registro tiene " + std::to_string(r.huella.bytes);
    if (d.lineas && *d.lineas != r.lineas)
        return "dice " + std::to_string(*d.lineas) + " líneas y el registro tiene " + std::to_string(r.lineas);
    if (d.ultima && static_cast<double>(*d.ultima) != r.ultimaMuestra)
        return "dice que la última muestra es la " + std::to_string(*d.ultima) + " y la del registro es la " +
               std::to_string(static_cast<std::int64_t>(r.ultimaMuestra));
    const std::string propio = std::filesystem::path(archivo).filename().string();
    if (!d.sha256 && d.archivo && *d.archivo != propio)
        return "nombra el registro «" + *d.archivo + "», no «" + propio + "»";
    return std::nullopt;
}

int CorrerIdentificar(const OpcionesLote& o, int salida, std::FILE* errores) {
    const OpcionesIdentificar& op = o.identificar;
    const auto fallo = [&](const std::string& mensaje) {
        std::fprintf(errores, "tanque-lote: %s\n", mensaje.c_str());
        return 1;
    };
    // a description that is not this record's is only a warning when nothing of it would be used
    const bool sinDescripcion = op.tSample.has_value() && op.retardo.has_value();
    std::vector<std::string> avisos;
    const auto avisar = [&] {
        for (const std::string& a : avisos) std::fprintf(errores, "tanque-lote: aviso: %s\n", a.c_str());
        avisos.clear();
    };
    Lectura a;
    try {
        a = Leer(op.archivo, PeriodoDeMs(op.tSample.value_or(kTSamplePorOmision)), op.tSample.has_value(),
                 sinDescripcion, avisos);
    } catch (const ErrorTanque& e) {
        avisar();
        return fallo(e.what());
    }
    avisar();
    Registro& r = a.registro;
    std::optional<int> retardo = op.retardo;
    std::string deRetardo = "de --retardo";
    if (!retardo && a.descripcion && a.descripcion->retardo) {
        retardo = a.descripcion->retardo;
        deRetardo = "de la descripción";
    }
    const std::string deT = op.tSample                          ? "de --T_Sample"
                            : a.descripcion && a.descripcion->T ? "de la descripción"
                                                                : "por omisión, 500 ms";

    // ARX first and always: its refusal is the record's, and without a delay it chooses the one of smaller loss
    std::vector<Metodo> metodos;
    std::optional<IdentificacionOe> oe;  // OE's own results too: its first level starts its residuals
    try {
        const Identificacion arx = IdentificarArx(r, retardo);
        if (!retardo) deRetardo = "el de menor pérdida de ARX";
        retardo = arx.retardo;
        // the delay of a first-order model is its run's alignment: the residual tests and the scans start there
        r.retardoCorrida = *retardo;
        const bool pedido = !op.metodos.empty();
        std::vector<MetodoLote> cuales = op.metodos;
        if (cuales.empty()) {
            cuales = {MetodoLote::Arx, MetodoLote::Oe};
            if (EsEscalon(r)) cuales.push_back(MetodoLote::Escalon);
        }
        for (MetodoLote m : cuales) {
            Metodo res{m, pedido, false, std::nullopt, {}, std::nullopt};
            try {
                if (m == MetodoLote::Oe) {
                    oe = IdentificarOe(r, *retardo);
                    res.estimacion = *oe;
                } else {
                    res.estimacion = m == MetodoLote::Arx ? arx : Estimar(m, r, *retardo);
                }
            } catch (const ErrorTanque& e) {
                res.motivo = e.what();
            }
            metodos.push_back(std::move(res));
        }
    } catch (const ErrorTanque& e) {
        return fallo(op.archivo + ": " + e.what());
    }

    int estado = 0;
    for (const Metodo& m : metodos)
        if (!m.estimacion && m.pedido) {
            fallo(op.archivo + ": " + Nombre(m.cual) + ": " + m.motivo);
            estado = 1;
        }

    std::optional<Lectura> b;
    if (op.validar) {
        try {
            // without a description of its own, B is read with A's period and each model's delay
            b = Leer(*op.validar, r.T, false, op.retardo.has_value(), avisos);
            avisar();
            // through the continuous-time model, at B's plant time a sample and with B's alignment (without a
            // description, each model's own)
            for (Metodo& m : metodos)
                if (m.estimacion) m.validacion = Validar(Lineal(*m.estimacion), b->registro);
        } catch (const ErrorTanque& e) {
            avisar();
            // a message that begins with the file's name already says which file it is
            const std::string m = e.what();
            return fallo(m.rfind(*op.validar + ": ", 0) == 0 ? m : *op.validar + ": " + m);
        }
    }

    const auto buscar = [&](MetodoLote cual) -> const Identificacion* {
        for (const Metodo& m : metodos)
            if (m.cual == cual && m.estimacion) return &*m.estimacion;
        return nullptr;
    };
    const Identificacion* arx = buscar(MetodoLote::Arx);
    const IdentificacionOe* conOe = buscar(MetodoLote::Oe) ? &*oe : nullptr;
    const AnalisisIdentificar analisis = AnalizarIdentificacion(
        r, arx, conOe, op, a.descripcion ? a.descripcion->verdad : std::string(), b ? &b->registro : nullptr,
        a.descripcion ? OpcionesAvisos{a.descripcion->caudalMinimo, a.descripcion->caudalMaximo} : OpcionesAvisos{});
    if (analisis.arxSesgado)
        for (Metodo& m : metodos) m.sinError |= m.cual == MetodoLote::Arx;
    if (op.modelo) {
        const std::string& nombre = *op.modelo;
        try {
            if (!analisis.modelo) throw ErrorIdentificacion(analisis.sinModelo);
            EscribirModelo(nombre, ArchivoModelo(*analisis.modelo, *ExtensionModelo(nombre)));
        } catch (const ErrorTanque& e) {
            return fallo(nombre + ": " + e.what());
        }
    }

    std::string texto;
    if (o.json) {
        Json j = {
            {"archivo", op.archivo}, {"muestreo_s", r.T}, {"origen_muestreo", deT}, {"origen_retardo", deRetardo}};
        if (op.validar) j["validar"] = *op.validar;
        if (a.descripcion && !a.descripcion->verdad.empty()) j["verdad"] = Json::parse(a.descripcion->verdad);
        if (const Metodo* elegido = Elegido(metodos)) j.update(Objeto(*elegido));
        Json todos = Json::array();
        for (const Metodo& m : metodos) todos.push_back(Objeto(m));
        j["metodos"] = todos;
        j.update(Json::parse(JsonAnalisis(analisis)));
        if (op.modelo) j["modelo_escrito"] = *op.modelo;
        texto = j.dump(2) + "\n";
    } else {
        texto = "Registro " + op.archivo + ": " + std::to_string(r.nivel.size()) + " muestras, T = " + Corto(r.T) +
                " s (" + deT + "), retardo " + std::to_string(*retardo) + " (" + deRetardo + ")\n";
        if (a.descripcion) texto += VerdadEnTexto(a.descripcion->verdad);
        for (const Metodo& m : metodos) texto += Texto(m, op.validar);
        texto += TextoAnalisis(analisis);
        if (op.modelo) texto += "\nModelo escrito en " + *op.modelo + "\n";
    }
    if (const int codigo = EscribirTodo(salida, texto); codigo != 0 && codigo != EPIPE)
        return fallo("no se pudo escribir la identificación en la salida estándar: " + TextoErrorArchivo(codigo));
    return estado;
}
