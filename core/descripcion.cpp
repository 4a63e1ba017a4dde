// The record's description. Keys and layout are fixed here; nlohmann-json writes and escapes.

#include "core/descripcion.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/corridas/corrida.h"
#include "core/interfaces.h"
#include "core/lectura_senal.h"
#include "core/planta/verdad.h"
#include "core/textos_mapa.h"
#include "core/textos_senal.h"
#include "fuzzy/reglas.h"
#include "identificacion/registro.h"

#ifndef TANQUE_VERSION
#define TANQUE_VERSION "?"
#endif

using Json = nlohmann::ordered_json;

namespace {

constexpr const char* kColumnas[] = {"muestra", "accion", "nivel"};
constexpr const char* kMezcla =
    "El registro junta corridas de retardos distintos: cada corrida da el suyo; separe sus líneas antes de "
    "identificar.";

// The start's texts of the names, as an object in their order.
template <class Nombres>
Json Textos(const BitacoraCorrida& b, const Nombres& nombres) {
    Json j = Json::object();
    for (const char* n : nombres) j[n] = b.AlEmpezar(n);
    return j;
}

// The start's texts as a map, for the readers of the signal and noise.
TextosMapa MapaInicial(const BitacoraCorrida& b) {
    TextosMapa m(b.decimal);
    for (const auto& [n, t] : b.inicio) m.Poner(n, t);
    return m;
}

// The plant's texts (the linear tank's, in this layout) and its truth as its start kept it.
Json Planta(const BitacoraCorrida& b) {
    Json j = Textos(b, std::initializer_list<const char*>{"Area", "Resistencia", "HMax"});
    // the truth of every plant, at the mean level of the run's samples (core/planta/verdad.h)
    const std::optional<double> medio =
        b.niveles > 0 ? std::optional<double>(b.sumaNiveles / static_cast<double>(b.niveles)) : std::nullopt;
    try {
        j["verdad"] = Json::parse(VerdadEnJson(b.constantes, b.reloj, medio));
    } catch (const ErrorTanque& e) {
        j["verdad"] = {{"error", e.what()}};
    }
    if (!b.verdad) return j;
    j["modelo"] = {
        {"ecuacion", "Tau dy/dt = -y + K u (y: nivel, u: caudal de entrada)"},
        {"K", b.verdad->K},
        {"Tau", b.verdad->Tau},
        {"subpasos_por_muestra", b.reloj.subpasos},
        {"tiempo_por_muestra_s", b.reloj.tiempoMuestra},
        {"nota",
         "El integrador avanza subpasos de T/10 mientras su reloj, sumado en precisión simple, no pase de T: "
         "cada muestra abarca tiempo_por_muestra_s segundos de la planta, que pueden diferir de muestreo_s."},
    };
    return j;
}

Json Senal(const BitacoraCorrida& b) {
    Json textos = Json::object();
    for (const char* n : TextosSenalEnCadaTick()) textos[n] = b.AlEmpezar(n);
    Json j = {{"textos", textos}};
    try {
        const ParametrosSenal p = LeerSenal(MapaInicial(b));
        j["tipo"] = NombreTipo(p.tipo);
        if (p.tipo == TipoSenal::Escalon) {
            j["Alto_Escalon"] = b.AlEmpezar("Alto_Escalon");
        } else {
            Json usa = Json::array();
            for (int c = 0; c < kCampos; ++c)
                if (Usa(p.tipo, static_cast<Campo>(c))) usa.push_back(NombreCampo(static_cast<Campo>(c)));
            j["usa"] = usa;
            if (Usa(p.tipo, Campo::Semilla)) j["semilla"] = p.semilla;
        }
    } catch (const ErrorTanque& e) {
        j["error"] = e.what();
    }
    return j;
}

Json Ruido(const BitacoraCorrida& b) {
    Json textos = Json::object();
    for (const char* n : TextosRuidoEnCadaTick()) textos[n] = b.AlEmpezar(n);
    Json j = {{"textos", textos}};
    try {
        const ParametrosRuido r = LeerRuido(MapaInicial(b));
        j["desviacion"] = r.desviacion;
        // the seed is read only when there is noise
        j["semilla"] = r.desviacion > 0 ? Json(r.semilla) : Json(nullptr);
    } catch (const ErrorTanque& e) {
        j["error"] = e.what();
    }
    return j;
}

Json Controlador(const BitacoraCorrida& b) {
    Json j = Textos(b, Definicion(b.corrida).ganancias);
    const std::string posicion = b.AlEmpezar(kTrackReferencia);
    j[kTrackReferencia] = std::stoi(posicion);
    j["referencia"] = ReferenciaDe(std::stoi(posicion));
    if (b.corrida == Corrida::Fuzzy) {
        Json conjuntos = Json::object();
        for (std::size_t g = 0; g < kPrefijosFuzzy.size(); ++g) {
            Json grupo = Json::object();
            for (std::size_t k = 0; k < kEtiquetas.size(); ++k) {
                const std::size_t i = g * kEtiquetas.size() + k;
                if (i >= b.conjuntos.size()) break;
                const ConjuntoLeido& c = b.conjuntos[i];
                grupo[kEtiquetas[k]] = {{"tipo", c.tipo}, {"ancho", c.ancho}, {"centro", c.centro}};
            }
            conjuntos[kPrefijosFuzzy[g]] = grupo;
        }
        j["conjuntos"] = conjuntos;
        j["reglas"] = b.reglas;
        j["reglas_nota"] =
            "Fila: conjunto del error; columna: conjunto de su derivada; valor: conjunto de la acción "
            "(0 MN, 1 Ne, 2 Ze, 3 Po, 4 MP).";
    }
    return j;
}

void Muestreo(const BitacoraCorrida& b, Json& j) {
    j["T_Sample"] = b.AlEmpezar("T_Sample");
    // the plant's period as the start stored it, in seconds
    j["muestreo_s"] = static_cast<double>(b.T_Muestreo);
}

Json Corrida_(const BitacoraCorrida* b) {
    if (b == nullptr) return {{"desconocida", true}};
    const DefinicionCorrida& d = Definicion(b->corrida);
    Json j = {{"numero", b->numero}, {"tipo", d.clave}, {"nombre", d.nombreLargo}, {"retardo", d.retardo}};
    Muestreo(*b, j);
    j["planta"] = Planta(*b);
    if (d.conSenal) {
        j["senal"] = Senal(*b);
    } else {
        j["controlador"] = Controlador(*b);
    }
    j["ruido"] = Ruido(*b);
    if (!b->lazo.empty()) {
        // only when the pump, the PID's options, the disturbance or the sensor differ from their defaults
        Json lazo = Json::object();
        for (const auto& [nombre, texto] : b->lazo) lazo[nombre] = texto;
        j["lazo"] = lazo;
    }
    Json inicio = Json::object();
    for (const auto& [n, t] : b->inicio) inicio[n] = t;
    j["textos_al_empezar"] = inicio;
    j["separador_decimal"] = std::string(1, b->decimal);
    Json cambios = Json::array();
    for (const CambioTexto& c : b->cambios)
        cambios.push_back({{"muestra", c.muestra}, {"nombre", c.nombre}, {"texto", c.texto}});
    j["cambios"] = cambios;
    j["cambios_omitidos"] = b->cambiosOmitidos;
    return j;
}

bool TerminaEn(std::string_view nombre, std::string_view extension) {
    if (nombre.size() < extension.size()) return false;
    const std::string_view cola = nombre.substr(nombre.size() - extension.size());
    return std::equal(cola.begin(), cola.end(), extension.begin(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

}  // namespace

void ContenidoRegistro::Anadir(double muestra, const BitacoraCorrida* corrida) {
    if (lineas_ == 0) primera_ = muestra;
    ultima_ = muestra;
    ++lineas_;
    if (lineas_ > 1 && corrida == deLaUltima_) return;
    deLaUltima_ = corrida;
    if (std::find(corridas_.begin(), corridas_.end(), corrida) == corridas_.end()) corridas_.push_back(corrida);
}

const char* ExplicacionRetardo(int retardo) {
    if (retardo == kRetardoLazoAbierto)
        return "El caudal de la línea n entra durante la muestra n y el nivel de la línea n se mide al final de esa "
               "muestra: y(n) depende de u(n), retardo nk = 0 (no use el retardo 1 por defecto de las herramientas "
               "de identificación).";
    return "El nivel de la línea n se mide antes de calcular la acción de la línea n, que entra durante la muestra "
           "siguiente: y(n) depende de u(n-1), retardo nk = 1.";
}

std::string DescribirRegistro(const ContenidoRegistro& c, std::string_view archivo, const ResumenArchivo* huella) {
    Json j;
    j["formato"] = kFormatoDescripcion;
    j["version_formato"] = kVersionDescripcion;
    j["programa"] = {{"nombre", "tanque"}, {"version", TANQUE_VERSION}};
    Json registro = {{"archivo", std::filesystem::path(std::string(archivo)).filename().string()},
                     {"columnas", kColumnas},
                     {"lineas", c.Lineas()}};
    // the sample numbers are whole counters, kept in the chart as Doubles
    registro["primera_muestra"] = c.Lineas() > 0 ? Json(static_cast<std::int64_t>(c.Primera())) : Json(nullptr);
    registro["ultima_muestra"] = c.Lineas() > 0 ? Json(static_cast<std::int64_t>(c.Ultima())) : Json(nullptr);
    if (huella) {
        registro["bytes"] = huella->bytes;
        registro["sha256"] = huella->sha256;
    }
    j["registro"] = registro;

    const BitacoraCorrida* principal = c.DeLaUltima();
    if (principal) {
        Muestreo(*principal, j);
    } else {
        j["T_Sample"] = nullptr;
        j["muestreo_s"] = nullptr;
    }
    // one retardo when every run agrees
    Json alineacion = {{"retardo", nullptr}, {"explicacion", nullptr}};
    bool iguales = !c.Corridas().empty();
    for (const BitacoraCorrida* b : c.Corridas())
        iguales = iguales && b && Definicion(b->corrida).retardo == Definicion(c.Corridas().front()->corrida).retardo;
    if (iguales) {
        const int r = Definicion(c.Corridas().front()->corrida).retardo;
        alineacion = {{"retardo", r}, {"explicacion", ExplicacionRetardo(r)}};
    } else if (c.Corridas().size() > 1) {
        alineacion["explicacion"] = kMezcla;
    }
    alineacion["convencion"] = "y(n) depende de u(n - retardo), con u la columna accion e y la columna nivel";
    j["alineacion"] = alineacion;

    j["corrida"] = principal ? Corrida_(principal) : Json(nullptr);
    if (c.Corridas().size() > 1) {
        Json todas = Json::array();
        for (const BitacoraCorrida* b : c.Corridas()) todas.push_back(Corrida_(b));
        j["corridas"] = todas;
    }
    return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string NombreDescripcion(const std::string& registro) {
    if (TerminaEn(registro, ".txt") || TerminaEn(registro, ".red"))
        return registro.substr(0, registro.size() - 4) + ".json";
    return registro + ".json";
}
