#include "tools/indices_lote.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <optional>

#include "base/errores.h"
#include "base/numeros.h"
#include "core/corridas/corrida.h"
#include "core/grabacion.h"
#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "export/error_archivo.h"
#include "export/escritor.h"
#include "tools/configuracion_lote.h"

using Json = nlohmann::ordered_json;

namespace {

constexpr int kAncho = 11;

// A value in its column: 6 significant digits, "—" when absent (never nan or inf).
std::string Columna(std::optional<double> v) {
    char b[64];
    if (v && std::isfinite(*v))
        std::snprintf(b, sizeof b, " %*.6g", kAncho, *v);
    else
        std::snprintf(b, sizeof b, " %*s", kAncho + 2, "—");  // the dash is 3 bytes, 1 column
    return b;
}

Json Valor(std::optional<double> v) { return v && std::isfinite(*v) ? Json(*v) : Json(nullptr); }

std::string Estado(const IndicesEscalon& e) {
    std::string s = e.terminado ? "terminado" : "en curso";
    if (e.establecida) s += ", establecido";
    if (e.tiempoSaturado) {
        // with the pump's limits on: how long its command sat at one of them
        char b[64];
        std::snprintf(b, sizeof b, ", saturado %.6g s", *e.tiempoSaturado);
        s += b;
    }
    return s;
}

Json ObjetoIndices(const IndicesEscalon& e, std::size_t numero) {
    Json j = {{"escalon", numero},
            {"con_referencia", e.conReferencia},
            {"terminado", e.terminado},
            {"primera", e.primera},
            {"ultima", e.ultima},
            {"muestras", e.muestras},
            {"duracion", Valor(e.duracion)},
            {"inicial", Valor(e.inicial)},
            {"objetivo", Valor(e.objetivo)},
            {"IAE", Valor(e.IAE)},
            {"ISE", Valor(e.ISE)},
            {"ITAE", Valor(e.ITAE)},
            {"esfuerzo", Valor(e.esfuerzo)},
            {"sobreimpulso", Valor(e.sobreimpulso)},
            {"tiempo_subida", Valor(e.tiempoSubida)},
            {"tiempo_establecimiento", Valor(e.tiempoEstablecimiento)},
            {"error_estacionario", Valor(e.errorEstacionario)},
            {"establecida", e.establecida},
            {"unidos", e.unidos}};
    if (e.tiempoSaturado) j["tiempo_saturado"] = Valor(e.tiempoSaturado);
    return j;
}

Json ObjetoCorrida(const ResultadoCorrida& r) {
    Json escalones = Json::array();
    for (std::size_t i = 0; i < r.escalones.size(); ++i) escalones.push_back(ObjetoIndices(r.escalones[i], i + 1));
    return {{"muestras", r.muestras.size()}, {"escalones", escalones}, {"fallo", r.fallo ? Json(*r.fallo) : Json()}};
}

}  // namespace

std::string CabeceraIndices(bool controlador) {
    std::string s = controlador ? "control " : "";
    char b[400];
    std::snprintf(b, sizeof b, "escalón %9s %9s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s  estado\n", "primera", "ultima",
                  kAncho, "inicial", kAncho, "objetivo", kAncho, "IAE", kAncho, "ISE", kAncho, "ITAE", kAncho,
                  "esfuerzo", kAncho, "sobreimp_%", kAncho, "subida_s", kAncho, "establec_s", kAncho, "error_final");
    return s + b;
}

std::string FilaIndices(const IndicesEscalon& e, std::size_t numero, const char* controlador) {
    char b[64];
    std::string s;
    if (controlador) {
        std::snprintf(b, sizeof b, "%-7s ", controlador);
        s += b;
    }
    std::snprintf(b, sizeof b, "%7zu %9d %9d", numero, e.primera, e.ultima);
    s += b;
    for (const std::optional<double>& v :
         {std::optional<double>(e.inicial), e.objetivo, e.IAE, e.ISE, e.ITAE, e.esfuerzo, e.sobreimpulso,
          e.tiempoSubida, e.tiempoEstablecimiento, e.errorEstacionario})
        s += Columna(v);
    return s + "  " + Estado(e) + "\n";
}

std::string JsonIndices(const IndicesEscalon& e, std::size_t numero) { return ObjetoIndices(e, numero).dump() + "\n"; }

std::vector<CambioReferencia> CalendarioDe(const OpcionesLote& o) {
    std::vector<CambioReferencia> c;
    for (const auto& [nombre, texto] : o.textos)
        if (nombre == kTrackReferencia) c = {{0, TextoAEntero(texto)}};  // the last one given
    for (const auto& [n, textos] : o.programados)
        for (const auto& [nombre, texto] : textos)
            if (nombre == kTrackReferencia) c.push_back({n, TextoAEntero(texto)});
    return c;
}

int CorrerComparar(const OpcionesLote& o, int salida, std::FILE* errores) {
    TextosMapa textos = TextosIniciales(o.decimal);
    // a set-up's texts first, its slider the reference at sample 0 unless an option gives one
    std::vector<CambioReferencia> calendario;
    if (o.configuracion) {
        Configuracion c;
        try {
            c = LeerConfiguracionLote(*o.configuracion, errores, o.decimal);
        } catch (const ErrorConfiguracion& e) {
            std::fprintf(errores, "tanque-lote: %s\n", e.what());
            return 1;
        }
        PosicionValor posicion;
        AplicarConfiguracion(c, textos, posicion);
        const bool posicionDada =
            std::any_of(o.textos.begin(), o.textos.end(), [](const auto& t) { return t.first == kTrackReferencia; });
        if (c.posicion && !posicionDada) calendario.push_back({0, *c.posicion});
    }
    for (const auto& [nombre, texto] : o.textos)
        if (nombre != kTrackReferencia) textos.Poner(nombre, texto);
    for (const CambioReferencia& cambio : CalendarioDe(o)) calendario.push_back(cambio);
    ResultadoComparacion r;
    // the labels of the rows and the keys of the JSON: PID against fuzzy, or two set-ups of the PID
    std::vector<std::string> rotulos, claves;
    try {
        if (o.otro.empty()) {
            r = CompararControladores(textos, calendario, o.muestras);
            for (const ResultadoCorrida& c : r.corridas) {
                rotulos.emplace_back(Definicion(c.corrida).rotulo);
                claves.emplace_back(Definicion(c.corrida).clave);
            }
        } else {
            TextosMapa otro = textos;
            for (const auto& [nombre, texto] : o.otro) otro.Poner(nombre, texto);
            r.corridas.push_back(CorrerConIndices(textos, Corrida::PID, calendario, o.muestras));
            r.corridas.push_back(CorrerConIndices(otro, Corrida::PID, calendario, o.muestras));
            rotulos = {"PID", "PID-2"};
            claves = {"pid", "pid2"};
        }
    } catch (const ErrorTanque& e) {
        std::fprintf(errores, "tanque-lote: %s\n", e.what());
        return 1;
    }
    int estado = 0;
    for (std::size_t k = 0; k < r.corridas.size(); ++k) {
        const ResultadoCorrida& corrida = r.corridas[k];
        if (!corrida.fallo) continue;
        std::fprintf(errores, "tanque-lote: %s, tras %zu muestras: %s\n", rotulos[k].c_str(),
                     corrida.muestras.size(), corrida.fallo->c_str());
        if (*corrida.fallo != kNivelSuperado) estado = 1;
    }
    std::string texto;
    if (o.json) {
        Json j = Json::object();
        for (std::size_t k = 0; k < r.corridas.size(); ++k) j[claves[k]] = ObjetoCorrida(r.corridas[k]);
        texto = j.dump(2) + "\n";
    } else {
        texto = CabeceraIndices(true);
        // the steps side by side: the same schedule makes the same steps, unless a run ended early
        std::size_t n = 0;
        for (const ResultadoCorrida& corrida : r.corridas) n = std::max(n, corrida.escalones.size());
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t k = 0; k < r.corridas.size(); ++k)
                if (i < r.corridas[k].escalones.size())
                    texto += FilaIndices(r.corridas[k].escalones[i], i + 1, rotulos[k].c_str());
    }
    if (const int codigo = EscribirTodo(salida, texto); codigo != 0 && codigo != EPIPE) {
        std::fprintf(errores, "tanque-lote: no se pudo escribir la comparación en la salida estándar: %s\n",
                     TextoErrorArchivo(codigo).c_str());
        return 1;
    }
    return estado;
}
