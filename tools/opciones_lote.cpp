#include "tools/opciones_lote.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>

#include "base/errores.h"
#include "base/numeros.h"
#include "core/corridas/corrida.h"
#include "core/lecturas_tick.h"
#include "core/textos_mapa.h"
#include "core/textos_por_defecto.h"
#include "tools/analisis_identificar.h"
#include "tools/barrido.h"

namespace {

[[noreturn]] void Mal(const std::string& razon) { throw std::invalid_argument(razon); }

// A whole number from 0 to 2^31 - 1, the range of the runs' sample counter (or of what `limite` names).
std::int32_t Natural(const std::string& texto, const std::string& que,
                     const char* limite = "el contador de muestras llega a 2147483647") {
    if (texto.empty() || texto.find_first_not_of("0123456789") != std::string::npos)
        Mal(que + " debe ser un número entero >= 0: '" + texto + "'");
    const std::size_t primera = texto.find_first_not_of('0');
    const std::string cifras = primera == std::string::npos ? "0" : texto.substr(primera);
    if (cifras.size() > 10 || std::stoll(cifras) > INT32_MAX)
        Mal(que + " es demasiado grande: '" + texto + "' (" + limite + ")");
    return static_cast<std::int32_t>(std::stoll(cifras));
}

// A scheduled text must be one that the run reads at every tick, before a sample that comes.
void ComprobarProgramados(const OpcionesLote& o) {
    for (const auto& [n, textos] : o.programados) {
        for (const auto& [nombre, texto] : textos) {
            const std::string opcion = "--" + nombre + "@" + std::to_string(n) + "=" + texto;
            if (n >= o.muestras)
                Mal(opcion + ": la muestra " + std::to_string(n) + " no llega; la corrida hace " +
                    (o.muestras == 0 ? std::string("ninguna muestra")
                                     : "las muestras 0 a " + std::to_string(o.muestras - 1)));
            if (!SeLeeEnCadaTick(o.corrida, nombre)) {
                std::string leidos;
                for (const char* l : LeidosEnCadaTick(o.corrida)) leidos += std::string(leidos.empty() ? "" : ", ") + l;
                Mal(opcion + ": la corrida " + Definicion(o.corrida).clave + " no lee " + nombre +
                    " en cada muestra (lo lee al empezar o al inicializar el control fuzzy), así que el cambio "
                    "no actuaría; en cada muestra lee " +
                    leidos + ". Para cambiarlo desde el principio: --" + nombre + "=" + texto);
            }
        }
    }
}

// reproducir ARCHIVO: the texts and the run come from the file; only the outputs and the separator are options.
OpcionesLote Reproducir(OpcionesLote o, const std::vector<std::string>& posicionales) {
    if (posicionales.size() != 2) Mal("reproducir espera un archivo de configuración, y solo uno");
    if (!o.textos.empty() || !o.programados.empty() || o.configuracion)
        Mal("reproducir toma los textos del archivo: no admite --NOMBRE=TEXTO, --NOMBRE@N=TEXTO ni --config");
    if (o.indices || o.json) Mal("reproducir escribe el registro y la traza: no admite --indices ni --json");
    if (o.grafico) Mal("reproducir no dibuja gráficos: quite --grafico");
    if (o.formato) Mal("reproducir elige el formato por la extensión de --salida (.txt, .red, .csv, .mat, .h5): quite --formato");
    o.reproducir = posicionales[1];
    return o;
}

// txt (or texto), csv, mat, h5: the words of --formato.
FormatoRegistro FormatoDeOpcion(const std::string& palabra) {
    if (palabra == "txt") return FormatoRegistro::Texto;
    if (const std::optional<FormatoRegistro> f = FormatoRegistroPorNombre(palabra)) return *f;
    Mal("--formato debe ser txt, csv, mat o h5: '" + palabra + "'");
}

bool EsAyuda(const std::string& a) { return a == "--help" || a == "-h" || a == "--ayuda"; }

// comparar runs both controllers on the same texts: only the slider may change during the run, and no file or
// trace is written.
void ComprobarComparar(const OpcionesLote& o) {
    if (o.salida) Mal("comparar no escribe registros: quite --salida");
    if (o.grafico) Mal("comparar no dibuja gráficos: quite --grafico");
    if (o.traza) Mal("comparar no escribe trazas: quite --traza");
    if (o.indices) Mal("comparar ya escribe los índices: quite --indices");
    for (const auto& [n, textos] : o.programados)
        for (const auto& [nombre, texto] : textos) {
            const std::string opcion = "--" + nombre + "@" + std::to_string(n) + "=" + texto;
            if (nombre != kTrackReferencia)
                Mal(opcion + ": comparar solo programa cambios de Track_Referencia (la referencia)");
            if (n >= o.muestras) Mal(opcion + ": la muestra " + std::to_string(n) + " no llega");
        }
}

std::optional<std::string> Valor(const std::string& a, const char* prefijo) {
    const std::string p = prefijo;
    if (a.rfind(p, 0) != 0) return std::nullopt;
    return a.substr(p.size());
}

MetodoLote Metodo(const std::string& nombre) {
    if (nombre == "arx") return MetodoLote::Arx;
    if (nombre == "oe") return MetodoLote::Oe;
    if (nombre == "escalon") return MetodoLote::Escalon;
    Mal("--metodo debe ser arx, oe o escalon (o varios separados por comas): '" + nombre + "'");
}

// identificar ARCHIVO [--retardo=0|1] [--T_Sample=MS] [--metodo=M[,M]...] [--json] [--validar=B]
OpcionesLote LeerIdentificar(const std::vector<std::string>& argumentos) {
    OpcionesLote o;
    o.orden = OrdenLote::Identificar;
    OpcionesIdentificar& i = o.identificar;
    std::vector<std::string> posicionales;
    for (const std::string& a : argumentos) {
        if (EsAyuda(a)) {
            o.ayuda = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (const auto r = Valor(a, "--retardo=")) {
            if (*r != "0" && *r != "1") Mal("--retardo debe ser 0 (lazo abierto) o 1 (lazo cerrado): '" + *r + "'");
            i.retardo = *r == "1" ? 1 : 0;
        } else if (const auto t = Valor(a, "--T_Sample=")) {
            i.tSample = Natural(*t, "--T_Sample", "el periodo de muestreo llega a 2147483647 ms");
            if (*i.tSample == 0) Mal("--T_Sample debe ser mayor que cero (milisegundos)");
        } else if (const auto m = Valor(a, "--metodo=")) {
            std::size_t desde = 0;
            for (;;) {
                const std::size_t coma = m->find(',', desde);
                const MetodoLote metodo = Metodo(m->substr(desde, coma - desde));
                if (std::find(i.metodos.begin(), i.metodos.end(), metodo) == i.metodos.end())
                    i.metodos.push_back(metodo);
                if (coma == std::string::npos) break;
                desde = coma + 1;
            }
        } else if (const auto v = Valor(a, "--validar=")) {
            if (v->empty()) Mal("--validar necesita el nombre de un registro");
            i.validar = *v;
        } else if (a == "--ordenes") {
            i.ordenes = true;
        } else if (a == "--frecuencia") {
            i.frecuencia = true;
        } else if (const auto p = Valor(a, "--frecuencia=")) {
            const std::int32_t n = Natural(*p, "--frecuencia", "el periodo llega a 2147483647 muestras");
            if (n < 2) Mal("--frecuencia=P necesita un periodo de al menos 2 muestras: '" + *p + "'");
            i.frecuencia = true;
            i.periodo = static_cast<std::size_t>(n);
        } else if (const auto m = Valor(a, "--modelo=")) {
            if (!ExtensionModelo(*m)) Mal("--modelo necesita un archivo .json, .m o .py: '" + *m + "'");
            i.modelo = *m;
        } else if (a.rfind("-", 0) == 0) {
            Mal("opción desconocida para identificar: " + a);
        } else {
            posicionales.push_back(a);
        }
    }
    if (o.ayuda) return o;
    if (posicionales.size() != 2) Mal("identificar espera un archivo de registro: tanque-lote identificar ARCHIVO");
    i.archivo = posicionales[1];
    return o;
}

}  // namespace

bool NombreValido(const std::string& nombre) {
    if (nombre == kTrackReferencia) return true;
    for (int fila = 1; fila <= 5; ++fila)
        for (int columna = 1; columna <= 5; ++columna)
            if (nombre == NombreCelda(columna, fila)) return true;
    for (const TextoPorDefecto& t : TextosPorDefecto())
        if (nombre == t.nombre) return true;  // some default to an empty text (Caudal_Max: no limit)
    return false;
}

OpcionesLote LeerOpciones(const std::vector<std::string>& argumentos) {
    for (const std::string& a : argumentos)
        if (a.rfind("-", 0) != 0) {
            if (a == "identificar") return LeerIdentificar(argumentos);
            if (a == "sintonizar") return LeerSintonizar(argumentos);
            if (a == "rele") return LeerRele(argumentos);
            if (a == "barrido") return LeerBarrido(argumentos);
            break;
        }
    OpcionesLote o;
    std::vector<std::string> posicionales;
    for (const std::string& a : argumentos) {
        if (EsAyuda(a)) {
            o.ayuda = true;
        } else if (a == "--traza") {
            o.traza = true;
        } else if (a == "--indices") {
            o.indices = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a.rfind("--decimal=", 0) == 0) {
            const std::string d = a.substr(10);
            if (d != "." && d != ",") Mal("--decimal debe ser '.' o ','");
            o.decimal = d[0];
        } else if (a.rfind("--salida=", 0) == 0) {
            if (a.size() == 9) Mal("--salida necesita el nombre de un archivo");
            o.salida = a.substr(9);
        } else if (a.rfind("--grafico=", 0) == 0) {
            o.grafico = a.substr(10);
            if (o.grafico->size() < 5 || o.grafico->compare(o.grafico->size() - 4, 4, ".svg") != 0)
                Mal("--grafico escribe SVG: su archivo debe terminar en .svg");
        } else if (a.rfind("--formato=", 0) == 0) {
            o.formato = FormatoDeOpcion(a.substr(10));
        } else if (a.rfind("--config=", 0) == 0) {
            if (a.size() == 9) Mal("--config necesita el nombre de un archivo");
            o.configuracion = a.substr(9);
        } else if (a.rfind("--otro:", 0) == 0) {
            // a second PID set-up for comparar: the texts that differ from the first
            const auto igual = a.find('=');
            if (igual == std::string::npos) Mal("opción desconocida: " + a);
            const std::string nombre = a.substr(7, igual - 7);
            if (!NombreValido(nombre) || nombre == kTrackReferencia) Mal("nombre desconocido: --otro:" + nombre);
            o.otro.emplace_back(nombre, a.substr(igual + 1));
        } else if (a.rfind("--", 0) == 0) {
            const auto igual = a.find('=');
            if (igual == std::string::npos) Mal("opción desconocida: " + a);
            std::string nombre = a.substr(2, igual - 2);
            const std::string texto = a.substr(igual + 1);
            std::optional<std::int32_t> en;
            if (const auto arroba = nombre.find('@'); arroba != std::string::npos) {
                en = Natural(nombre.substr(arroba + 1), "El número de muestra tras @ en " + a);
                nombre.resize(arroba);
            }
            if (!NombreValido(nombre)) Mal("nombre desconocido: --" + nombre);
            if (nombre == kTrackReferencia) {
                try {
                    TextoAEntero(texto);
                } catch (const ErrorConversion& e) {
                    Mal(std::string(kTrackReferencia) + ": " + e.what());
                }
            }
            if (en)
                o.programados[*en].emplace_back(nombre, texto);
            else
                o.textos.emplace_back(nombre, texto);
        } else {
            posicionales.push_back(a);
        }
    }
    if (o.ayuda) return o;
    if (o.formato && !o.salida) Mal("--formato elige el formato del registro de --salida: falta --salida");
    if (o.grafico && o.salida && *o.grafico == *o.salida) Mal("--grafico y --salida nombran el mismo archivo");
    if (!posicionales.empty() && posicionales[0] == "reproducir") return Reproducir(std::move(o), posicionales);
    if (posicionales.size() != 2) Mal("se esperan una corrida y un número de muestras");
    if (const std::optional<Corrida> c = CorridaDeClave(posicionales[0]))
        o.corrida = *c;
    else if (posicionales[0] == "comparar")
        o.orden = OrdenLote::Comparar;
    else
        Mal("la corrida debe ser " + ClavesCorridas(", ", ", ") + " o comparar (o la orden identificar): '" +
            posicionales[0] + "'");
    o.muestras = Natural(posicionales[1], "MUESTRAS");
    if (!o.otro.empty() && o.orden != OrdenLote::Comparar) Mal("--otro: vale solo para comparar");
    if (o.orden == OrdenLote::Comparar)
        ComprobarComparar(o);
    else
        ComprobarProgramados(o);
    if (o.indices && o.traza)
        Mal("--indices y --traza escriben los dos en la salida estándar: pida uno de los dos en cada corrida");
    if (o.json && !o.indices && o.orden != OrdenLote::Comparar)
        Mal("--json vale para --indices, comparar e identificar");
    return o;
}

const char* TextoDeUso() {
    static const std::string uso =
        "uso: tanque-lote " + ClavesCorridas("|", "|") +
        " MUESTRAS [--config=ARCHIVO] [--NOMBRE=TEXTO]... [--NOMBRE@N=TEXTO]...\n"
        "                [--decimal=,] [--salida=ARCHIVO [--formato=txt|csv|mat|h5]] [--grafico=ARCHIVO.svg]\n"
        "                [--traza | --indices [--json]]\n"
        "     tanque-lote comparar MUESTRAS [--config=ARCHIVO] [--NOMBRE=TEXTO]... [--Track_Referencia@N=P]... "
        "[--otro:NOMBRE=TEXTO]... [--json]\n"
        "     tanque-lote identificar ARCHIVO [--retardo=0|1] [--T_Sample=MS] [--metodo=arx,oe,escalon]\n"
        "                [--validar=OTRO] [--ordenes] [--frecuencia[=P]] [--modelo=ARCHIVO] [--json]\n"
        "     tanque-lote sintonizar ARCHIVO|--verdad [--regla=simc|imc|amigo|zn] [--tc=S|--lambda=S] [--pid] [--json]\n"
        "     tanque-lote rele MUESTRAS [--nivel=N] [--amplitud=Q] [--histeresis=H] [--NOMBRE=TEXTO]... [--json]\n"
        "     tanque-lote reproducir ARCHIVO [--decimal=,] [--salida=ARCHIVO] [--traza]\n"
        "     tanque-lote barrido MANIFIESTO [--parte=I/N] [--hilos=N] [--salida=DIRECTORIO]\n"
        "Pruebe 'tanque-lote --help' para más información.\n";
    return uso.c_str();
}
