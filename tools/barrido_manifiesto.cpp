// The manifest of a sweep, JSON or CSV, and the cases it gives: a grid, a seeded Latin hypercube, or a list.

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>
#include <stdexcept>

#include "core/corridas/corrida.h"
#include "senales/aleatorio.h"
#include "tools/barrido.h"

using Json = nlohmann::ordered_json;

namespace {

[[noreturn]] void Mal(const std::string& razon) { throw std::invalid_argument(razon); }

// The hypercube's streams, one a dimension, apart from the signal's and the noise's.
constexpr std::uint64_t kDominioHipercubo = 0x100;

void NombreConocido(const std::string& nombre) {
    if (!NombreValido(nombre)) Mal("nombre de texto desconocido: '" + nombre + "'");
}

// A text as the manifest gives it: a string, or a number written as JSON writes it.
std::string TextoDe(const Json& v, const std::string& donde) {
    if (v.is_string()) return v.get<std::string>();
    if (v.is_number()) return v.dump();
    Mal(donde + " debe ser un texto o un número");
}

std::uint64_t SemillaDe(const Json& v) {
    if (v.is_number_unsigned()) return v.get<std::uint64_t>();
    if (v.is_number_integer() && v.get<std::int64_t>() >= 0) return static_cast<std::uint64_t>(v.get<std::int64_t>());
    Mal("\"semilla\" debe ser un entero de 0 a 18446744073709551615");
}

std::uint64_t SemillaDeTexto(const std::string& t) {
    std::uint64_t v = 0;
    const auto [fin, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || fin != t.data() + t.size())
        Mal("semilla debe ser un entero de 0 a 18446744073709551615: '" + t + "'");
    return v;
}

std::int32_t MuestrasDeTexto(const std::string& t) {
    long long v = 0;
    const auto [fin, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || fin != t.data() + t.size() || v < 0 || v > INT32_MAX)
        Mal("muestras debe ser un entero de 0 a 2147483647: '" + t + "'");
    return static_cast<std::int32_t>(v);
}

Corrida CorridaDeTexto(const std::string& t) {
    if (const std::optional<Corrida> c = CorridaDeClave(t)) return *c;
    Mal("la corrida debe ser " + ClavesCorridas(", ", " o ") + ": '" + t + "'");
}

MetodoBarrido MetodoDeTexto(const std::string& t) {
    if (t == "oe") return MetodoBarrido::Oe;
    if (t == "arx") return MetodoBarrido::Arx;
    if (t == "escalon") return MetodoBarrido::Escalon;
    if (t == "ninguno") return MetodoBarrido::Ninguno;
    Mal("el método debe ser oe, arx, escalon o ninguno: '" + t + "'");
}

// No text named twice across the fixed and the varied ones: which would win would be a surprise.
void SinRepetidos(const Manifiesto& m) {
    std::set<std::string> vistos;
    const auto ver = [&](const std::string& n) {
        if (!vistos.insert(n).second) Mal("el texto '" + n + "' aparece dos veces");
    };
    for (const auto& t : m.textos) ver(t.first);
    for (const auto& r : m.rejilla) ver(r.first);
    for (const auto& r : m.rangos) ver(r.nombre);
    for (const auto& c : m.columnas) ver(c);
}

// n strata a dimension, each taken by one case: the permutation by Fisher-Yates, then the place within each
// stratum, all from the manifest's seed and the dimension's number.
void Hipercubo(Manifiesto& m) {
    const std::size_t n = m.casosHipercubo;
    for (std::size_t d = 0; d < m.rangos.size(); ++d) {
        FlujoAleatorio flujo(m.semilla, kDominioHipercubo + d);
        std::int64_t palabra = 0;
        const auto siguiente = [&] { return flujo.Palabra(palabra++); };
        std::vector<std::size_t> estratos(n);
        for (std::size_t i = 0; i < n; ++i) estratos[i] = i;
        for (std::size_t k = n - 1; k > 0; --k) std::swap(estratos[k], estratos[EnteroHasta(k + 1, siguiente)]);
        std::vector<double> posiciones(n);
        for (double& u : posiciones) u = Uniforme(siguiente());
        m.estratos.push_back(std::move(estratos));
        m.posiciones.push_back(std::move(posiciones));
    }
}

void Comprobar(Manifiesto& m) {
    SinRepetidos(m);
    if (!m.rangos.empty()) Hipercubo(m);
    if (NumeroDeCasos(m) == 0) Mal("no tiene casos");
}

const std::set<std::string> kClavesJson = {"semilla", "corrida", "muestras", "ticks", "metodo",
                                           "textos",  "rejilla", "hipercubo", "casos"};

Manifiesto DeJson(const std::string& texto) {
    Json j;
    try {
        j = Json::parse(texto);
    } catch (const Json::parse_error& e) {
        Mal("no es JSON válido (error en el byte " + std::to_string(e.byte) + ")");
    }
    if (!j.is_object()) Mal("debe ser un objeto JSON");
    for (const auto& [clave, valor] : j.items())
        if (!kClavesJson.count(clave)) Mal("clave desconocida: \"" + clave + "\"");
    Manifiesto m;
    if (j.contains("semilla")) m.semilla = SemillaDe(j["semilla"]);
    if (!j.contains("corrida") || !j["corrida"].is_string()) Mal("falta \"corrida\" (escalon, pid, fuzzy o rele)");
    m.corrida = CorridaDeTexto(j["corrida"].get<std::string>());
    const char* clave = j.contains("muestras") ? "muestras" : "ticks";
    if (!j.contains(clave)) Mal("falta \"muestras\", el número de muestras de cada caso");
    if (!j[clave].is_number_integer()) Mal("\"muestras\" debe ser un entero de 0 a 2147483647");
    m.muestras = MuestrasDeTexto(j[clave].dump());
    if (j.contains("metodo")) {
        if (!j["metodo"].is_string()) Mal("\"metodo\" debe ser un texto: oe, arx, escalon o ninguno");
        m.metodo = MetodoDeTexto(j["metodo"].get<std::string>());
    }
    if (j.contains("textos")) {
        if (!j["textos"].is_object()) Mal("\"textos\" debe ser un objeto de nombres y textos");
        for (const auto& [nombre, valor] : j["textos"].items()) {
            NombreConocido(nombre);
            m.textos.emplace_back(nombre, TextoDe(valor, "el texto '" + nombre + "'"));
        }
    }
    const int formas = j.contains("rejilla") + j.contains("hipercubo") + j.contains("casos");
    if (formas != 1) Mal("debe tener uno y solo uno de \"rejilla\", \"hipercubo\" y \"casos\"");
    if (j.contains("rejilla")) {
        const Json& r = j["rejilla"];
        if (!r.is_object() || r.empty()) Mal("\"rejilla\" debe ser un objeto con al menos un nombre");
        for (const auto& [nombre, valores] : r.items()) {
            NombreConocido(nombre);
            if (!valores.is_array() || valores.empty())
                Mal("la rejilla de '" + nombre + "' debe ser una lista con al menos un valor");
            std::vector<std::string> textos;
            for (const Json& v : valores) textos.push_back(TextoDe(v, "un valor de la rejilla de '" + nombre + "'"));
            m.rejilla.emplace_back(nombre, std::move(textos));
        }
    } else if (j.contains("hipercubo")) {
        const Json& h = j["hipercubo"];
        if (!h.is_object() || !h.contains("casos") || !h.contains("rangos"))
            Mal("\"hipercubo\" debe tener \"casos\" y \"rangos\"");
        for (const auto& [c, v] : h.items())
            if (c != "casos" && c != "rangos") Mal("clave desconocida en \"hipercubo\": \"" + c + "\"");
        if (!h["casos"].is_number_unsigned() || h["casos"].get<std::uint64_t>() == 0 ||
            h["casos"].get<std::uint64_t>() > (std::uint64_t{1} << 24))
            Mal("\"casos\" del hipercubo debe ser un entero de 1 a 16777216");
        m.casosHipercubo = h["casos"].get<std::size_t>();
        const Json& rangos = h["rangos"];
        if (!rangos.is_object() || rangos.empty()) Mal("\"rangos\" debe ser un objeto con al menos un nombre");
        for (const auto& [nombre, r] : rangos.items()) {
            NombreConocido(nombre);
            if (!r.is_array() || r.size() != 2 || !r[0].is_number() || !r[1].is_number())
                Mal("el rango de '" + nombre + "' debe ser [mínimo, máximo]");
            const double a = r[0].get<double>(), b = r[1].get<double>();
            if (!std::isfinite(a) || !std::isfinite(b) || !(a <= b))
                Mal("el rango de '" + nombre + "' debe tener mínimo <= máximo, finitos");
            m.rangos.push_back({nombre, a, b});
        }
    } else {
        const Json& c = j["casos"];
        if (!c.is_array() || c.empty()) Mal("\"casos\" debe ser una lista con al menos un caso");
        // the names of the first case are every case's columns
        if (!c[0].is_object() || c[0].empty()) Mal("cada caso debe ser un objeto de nombres y textos");
        for (const auto& [nombre, v] : c[0].items()) {
            NombreConocido(nombre);
            m.columnas.push_back(nombre);
        }
        for (std::size_t i = 0; i < c.size(); ++i) {
            const std::string cual = "el caso " + std::to_string(i);
            if (!c[i].is_object() || c[i].size() != m.columnas.size())
                Mal(cual + " debe dar los mismos nombres que el primero");
            std::vector<std::string> fila;
            for (const std::string& nombre : m.columnas) {
                if (!c[i].contains(nombre)) Mal(cual + " no da '" + nombre + "'");
                fila.push_back(TextoDe(c[i][nombre], cual + ": '" + nombre + "'"));
            }
            m.explicitos.push_back(std::move(fila));
        }
    }
    Comprobar(m);
    return m;
}

// One line of CSV: fields split at commas, a field in double quotes may hold commas and "" for a quote.
std::vector<std::string> Campos(const std::string& linea, std::size_t numero) {
    std::vector<std::string> campos(1);
    bool comillas = false;
    for (std::size_t k = 0; k < linea.size(); ++k) {
        const char c = linea[k];
        if (comillas) {
            if (c == '"' && k + 1 < linea.size() && linea[k + 1] == '"') {
                campos.back() += '"';
                ++k;
            } else if (c == '"') {
                comillas = false;
            } else {
                campos.back() += c;
            }
        } else if (c == '"') {
            comillas = true;
        } else if (c == ',') {
            campos.emplace_back();
        } else {
            campos.back() += c;
        }
    }
    if (comillas) Mal("la línea " + std::to_string(numero) + " deja unas comillas abiertas");
    return campos;
}

std::string SinEspacios(const std::string& s) {
    const std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t") + 1 - a);
}

// Lines "# clave = valor" before the header set the sweep (semilla, corrida, muestras, metodo); the header names
// the texts, and each row after it is one case.
Manifiesto DeCsv(const std::string& texto) {
    Manifiesto m;
    bool corrida = false, muestras = false, cabecera = false;
    std::istringstream lineas(texto);
    std::string linea;
    for (std::size_t numero = 1; std::getline(lineas, linea); ++numero) {
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        if (SinEspacios(linea).empty()) continue;
        if (!cabecera && linea[0] == '#') {
            const std::string ajuste = SinEspacios(linea.substr(1));
            if (ajuste.empty()) continue;
            const std::size_t igual = ajuste.find('=');
            if (igual == std::string::npos) continue;  // a comment
            const std::string clave = SinEspacios(ajuste.substr(0, igual)), valor = SinEspacios(ajuste.substr(igual + 1));
            if (clave == "semilla") {
                m.semilla = SemillaDeTexto(valor);
            } else if (clave == "corrida") {
                m.corrida = CorridaDeTexto(valor);
                corrida = true;
            } else if (clave == "muestras" || clave == "ticks") {
                m.muestras = MuestrasDeTexto(valor);
                muestras = true;
            } else if (clave == "metodo") {
                m.metodo = MetodoDeTexto(valor);
            } else {
                Mal("ajuste desconocido en la línea " + std::to_string(numero) + ": '" + clave + "'");
            }
            continue;
        }
        std::vector<std::string> campos = Campos(linea, numero);
        if (!cabecera) {
            for (std::string& c : campos) {
                c = SinEspacios(c);
                NombreConocido(c);
            }
            m.columnas = std::move(campos);
            cabecera = true;
            continue;
        }
        if (campos.size() != m.columnas.size())
            Mal("la línea " + std::to_string(numero) + " tiene " + std::to_string(campos.size()) +
                " campos y la cabecera " + std::to_string(m.columnas.size()));
        m.explicitos.push_back(std::move(campos));
    }
    if (!corrida) Mal("falta la línea '# corrida = escalon|pid|fuzzy|rele' antes de la cabecera");
    if (!muestras) Mal("falta la línea '# muestras = N' antes de la cabecera");
    if (!cabecera) Mal("falta la cabecera con los nombres de los textos");
    Comprobar(m);
    return m;
}

// The shortest text that reads back as the same Double.
std::string Texto(double v) {
    char b[64];
    const auto r = std::to_chars(b, b + sizeof b, v);
    return std::string(b, r.ptr);
}

std::size_t Estrato(const Manifiesto& m, std::size_t d, std::size_t i) { return m.estratos[d][i]; }

}  // namespace

Manifiesto LeerManifiestoDeTexto(const std::string& texto, bool json) {
    try {
        return json ? DeJson(texto) : DeCsv(texto);
    } catch (const std::invalid_argument& e) {
        throw std::invalid_argument(std::string("manifiesto: ") + e.what());
    }
}

Manifiesto LeerManifiesto(const std::string& ruta) {
    std::ifstream archivo(ruta, std::ios::binary);
    if (!archivo) throw std::invalid_argument("no se pudo leer el manifiesto " + ruta);
    std::ostringstream texto;
    texto << archivo.rdbuf();
    if (archivo.bad()) throw std::invalid_argument("no se pudo leer el manifiesto " + ruta);
    const std::string t = texto.str();
    const std::size_t primero = t.find_first_not_of(" \t\r\n");
    const bool json = (ruta.size() >= 5 && ruta.compare(ruta.size() - 5, 5, ".json") == 0) ||
                      (primero != std::string::npos && t[primero] == '{');
    try {
        return json ? DeJson(t) : DeCsv(t);
    } catch (const std::invalid_argument& e) {
        throw std::invalid_argument("manifiesto " + ruta + ": " + e.what());
    }
}

std::size_t NumeroDeCasos(const Manifiesto& m) {
    if (!m.columnas.empty()) return m.explicitos.size();
    if (!m.rangos.empty()) return m.casosHipercubo;
    if (m.rejilla.empty()) return 0;
    std::size_t n = 1;
    for (const auto& [nombre, valores] : m.rejilla) {
        if (valores.empty()) return 0;
        if (n > std::numeric_limits<std::size_t>::max() / valores.size()) Mal("la rejilla tiene demasiados casos");
        n *= valores.size();
    }
    return n;
}

std::uint64_t SemillaDelCaso(std::uint64_t semilla, const std::string& nombre, std::size_t i) {
    std::uint64_t cual = 0;
    for (std::uint64_t k = 0; k < std::size(kTextosSemilla); ++k)
        if (nombre == kTextosSemilla[k]) cual = k + 1;
    return Mezcla(Mezcla(Mezcla(semilla) ^ cual) + static_cast<std::uint64_t>(i));
}

std::vector<std::pair<std::string, std::string>> TextosDelCaso(const Manifiesto& m, std::size_t i) {
    if (i >= NumeroDeCasos(m)) throw std::out_of_range("el caso " + std::to_string(i) + " no existe");
    std::vector<std::pair<std::string, std::string>> t = m.textos;
    if (!m.columnas.empty()) {
        for (std::size_t c = 0; c < m.columnas.size(); ++c) t.emplace_back(m.columnas[c], m.explicitos[i][c]);
    } else if (!m.rangos.empty()) {
        const double n = static_cast<double>(m.casosHipercubo);
        for (std::size_t d = 0; d < m.rangos.size(); ++d) {
            const RangoBarrido& r = m.rangos[d];
            const std::size_t k = Estrato(m, d, i);
            const double a = r.minimo + (r.maximo - r.minimo) * static_cast<double>(k) / n;
            const double b = r.minimo + (r.maximo - r.minimo) * static_cast<double>(k + 1) / n;
            double v = EnIntervalo(a, b, m.posiciones[d][i]);
            if (v >= b && b > a) v = std::nextafter(b, a);  // within its own stratum, not on the next one's edge
            t.emplace_back(r.nombre, Texto(v));
        }
    } else {
        // mixed radix, the last name fastest
        std::vector<std::size_t> cifras(m.rejilla.size());
        std::size_t resto = i;
        for (std::size_t d = m.rejilla.size(); d-- > 0;) {
            cifras[d] = resto % m.rejilla[d].second.size();
            resto /= m.rejilla[d].second.size();
        }
        for (std::size_t d = 0; d < m.rejilla.size(); ++d) t.emplace_back(m.rejilla[d].first, m.rejilla[d].second[cifras[d]]);
    }
    return t;
}

std::vector<std::pair<std::string, std::uint64_t>> SemillasDelCaso(const Manifiesto& m, std::size_t i) {
    const std::vector<std::pair<std::string, std::string>> dados = TextosDelCaso(m, i);
    std::vector<std::pair<std::string, std::uint64_t>> s;
    for (const char* nombre : kTextosSemilla)
        if (std::none_of(dados.begin(), dados.end(), [&](const auto& t) { return t.first == nombre; }))
            s.emplace_back(nombre, SemillaDelCaso(m.semilla, nombre, i));
    return s;
}

std::vector<std::size_t> CasosDeLaParte(std::size_t total, std::size_t parte, std::size_t partes) {
    std::vector<std::size_t> casos;
    for (std::size_t i = parte - 1; i < total; i += partes) casos.push_back(i);
    return casos;
}
