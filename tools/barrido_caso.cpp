// One case of a sweep: the run through CorrerLote with the case's texts and seeds, its record kept in memory and
// identified, its steps' indices, all in one line of JSON whose bytes depend only on the manifest and the index.

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "core/corridas/corrida.h"
#include "core/simulador.h"
#include "identificacion/arx.h"
#include "identificacion/escalon.h"
#include "identificacion/oe.h"
#include "tools/barrido.h"
#include "tools/indices_lote.h"
#include "tools/lote.h"

using Json = nlohmann::ordered_json;

namespace {

// The record as it is made, and the indices of each step as --indices --json writes them.
class OyenteCaso : public OyenteLote {
public:
    void AlEmpezar(const Simulador& sim) override {
        registro.T = static_cast<double>(sim.Estado().T_Muestreo);
        registro.tiempoMuestra = sim.PlantaActual().Reloj(sim.Estado().T_Muestreo).tiempoMuestra;
        empezada = true;
    }
    void AlMuestrear(const Simulador&, const MuestraGraficada& m) override {
        registro.accion.push_back(static_cast<double>(m.accion));
        registro.nivel.push_back(static_cast<double>(m.nivel));
        registro.muestras.push_back(static_cast<double>(m.n));
    }
    void AlCerrarEscalon(const IndicesEscalon& e, std::size_t numero) override {
        std::string linea = JsonIndices(e, numero);
        if (!linea.empty() && linea.back() == '\n') linea.pop_back();
        indices.push_back(std::move(linea));
    }

    Registro registro;
    std::vector<std::string> indices;
    bool empezada = false;
};

Json Numero(double v) { return std::isfinite(v) ? Json(v) : Json(nullptr); }
Json Numero(const std::optional<double>& v) { return v ? Numero(*v) : Json(nullptr); }

const char* NombreMetodo(MetodoBarrido m) {
    switch (m) {
        case MetodoBarrido::Arx: return "ARX";
        case MetodoBarrido::Oe: return "OE";
        case MetodoBarrido::Escalon: return "escalón";
        case MetodoBarrido::Ninguno: break;
    }
    return "";
}

// The identification of the record with the run's delay; the reason in Spanish when it cannot be made.
Json Identificar(MetodoBarrido metodo, Registro r, int retardo) {
    Json j = {{"metodo", NombreMetodo(metodo)}};
    r.retardoCorrida = retardo;
    try {
        const Identificacion e = metodo == MetodoBarrido::Arx ? IdentificarArx(r, retardo)
                                 : metodo == MetodoBarrido::Oe ? static_cast<Identificacion>(IdentificarOe(r, retardo))
                                                               : static_cast<Identificacion>(LeerEscalon(r, retardo));
        j["K"] = Numero(e.K);
        j["Tau"] = Numero(e.Tau);
        j["ajuste"] = Numero(e.ajuste);
        j["K_err"] = Numero(e.error_K);
        j["Tau_err"] = Numero(e.error_Tau);
        j["retardo"] = e.retardo;
        j["muestras"] = e.muestras;
    } catch (const std::exception& e) {
        j["error"] = e.what();
    }
    return j;
}

// The messages of the run, line by line, as tanque-lote would show them.
Json LineasDe(const std::string& texto) {
    Json lineas = Json::array();
    std::size_t desde = 0;
    while (desde < texto.size()) {
        const std::size_t fin = texto.find('\n', desde);
        lineas.push_back(texto.substr(desde, fin == std::string::npos ? std::string::npos : fin - desde));
        if (fin == std::string::npos) break;
        desde = fin + 1;
    }
    return lineas;
}

}  // namespace

std::string NombreDelCaso(std::size_t i) {
    char b[32];
    std::snprintf(b, sizeof b, "caso-%06zu.txt", i);
    return b;
}

std::string LineaDelCaso(const Manifiesto& m, std::size_t i, const std::optional<std::string>& directorio) {
    OpcionesLote o;
    o.corrida = m.corrida;
    o.muestras = m.muestras;
    o.indices = true;
    o.json = true;
    o.textos = TextosDelCaso(m, i);
    Json textos = Json::object(), semillas = Json::object();
    for (const auto& [nombre, texto] : o.textos) textos[nombre] = texto;
    for (const auto& [nombre, semilla] : SemillasDelCaso(m, i)) {
        semillas[nombre] = semilla;
        o.textos.emplace_back(nombre, std::to_string(semilla));
    }
    if (directorio) o.salida = *directorio + "/" + NombreDelCaso(i);

    // the run's messages in memory: each case its own, whatever thread runs it
    char* bufer = nullptr;
    std::size_t largo = 0;
    std::FILE* errores = ::open_memstream(&bufer, &largo);
    if (!errores) throw std::runtime_error("sin memoria para los mensajes del caso " + std::to_string(i));
    OyenteCaso oyente;
    int estado = 0;
    try {
        estado = CorrerLote(o, -1, errores, &oyente);
    } catch (...) {
        std::fclose(errores);
        std::free(bufer);
        throw;
    }
    std::fclose(errores);
    const std::string mensajes(bufer, largo);
    std::free(bufer);

    Json linea = {{"caso", i}, {"textos", textos}, {"semillas", semillas}, {"estado", estado},
                  {"mensajes", LineasDe(mensajes)}};
    if (directorio) linea["registro"] = NombreDelCaso(i);
    linea["muestras"] = oyente.registro.nivel.size();
    if (m.metodo == MetodoBarrido::Ninguno)
        linea["identificacion"] = nullptr;
    else if (!oyente.empezada)
        linea["identificacion"] = {{"metodo", NombreMetodo(m.metodo)}, {"error", "la corrida no empezó"}};
    else
        linea["identificacion"] = Identificar(m.metodo, oyente.registro, Definicion(m.corrida).retardo);
    // the indices as --indices --json writes each step, byte for byte
    std::string texto = linea.dump(-1, ' ', false, Json::error_handler_t::replace);
    texto.pop_back();
    texto += ",\"indices\":[";
    for (std::size_t k = 0; k < oyente.indices.size(); ++k) texto += (k ? "," : "") + oyente.indices[k];
    texto += "]}";
    return texto;
}
