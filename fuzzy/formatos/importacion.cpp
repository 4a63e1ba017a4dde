#include "fuzzy/formatos/importacion.h"

#include <charconv>
#include <cmath>
#include <system_error>
#include <vector>

#include "base/errores.h"
#include "base/numeros.h"
#include "fuzzy/reglas.h"

namespace {

bool EsBlanco(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\n'; }

// A text as a message quotes it: control characters as '?', cut short.
std::string Citado(std::string_view texto) {
    constexpr std::size_t kMaximo = 40;
    std::string v(texto.substr(0, kMaximo));
    for (char& c : v)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    return "«" + v + (texto.size() > kMaximo ? "...»" : "»");
}

// The set and column that a name of the dialog's edits names.
bool BuscarCampo(std::string_view nombre, std::size_t& g, std::size_t& k, std::size_t& columna) {
    for (g = 0; g < 3; ++g)
        for (k = 0; k < 5; ++k)
            for (columna = 0; columna < 3; ++columna)
                if (nombre == NombreConjunto(g, k, columna)) return true;
    return false;
}

}  // namespace

std::string_view Recortado(std::string_view texto) {
    while (!texto.empty() && EsBlanco(texto.front())) texto.remove_prefix(1);
    while (!texto.empty() && EsBlanco(texto.back())) texto.remove_suffix(1);
    return texto;
}

std::vector<std::string_view> Palabras(std::string_view texto) {
    std::vector<std::string_view> palabras;
    std::size_t i = 0;
    while (i < texto.size()) {
        while (i < texto.size() && EsBlanco(texto[i])) ++i;
        const std::size_t inicio = i;
        while (i < texto.size() && !EsBlanco(texto[i])) ++i;
        if (i > inicio) palabras.push_back(texto.substr(inicio, i - inicio));
    }
    return palabras;
}

std::string Minusculas(std::string_view texto) {
    std::string m(texto);
    for (char& c : m)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return m;
}

std::string TextoDoble(double x) {
    char texto[32];
    const auto r = std::to_chars(texto, texto + sizeof texto, x);
    return std::string(texto, r.ptr);
}

std::string Nota(std::string_view nombre, std::string_view valor) {
    return "tanque: " + std::string(nombre) + " = " + std::string(valor);
}

void Importacion::Fallar(std::size_t linea, const std::string& que) const {
    if (linea == 0) throw ErrorImportacion(archivo_ + ": " + que);
    throw ErrorImportacion(archivo_ + ", línea " + std::to_string(linea) + ": " + que);
}

void Importacion::Comentario(std::string_view texto, std::size_t linea) {
    texto = Recortado(texto);
    constexpr std::string_view kMarca = "tanque:";
    if (texto.substr(0, kMarca.size()) != kMarca) return;
    texto.remove_prefix(kMarca.size());
    const auto igual = texto.find('=');
    if (igual == std::string_view::npos) Fallar(linea, "la nota " + Citado(texto) + " no tiene la forma NOMBRE = VALOR");
    const std::string nombre(Recortado(texto.substr(0, igual)));
    const std::string valor(Recortado(texto.substr(igual + 1)));
    if (const auto otra = notas_.find(nombre); otra != notas_.end())
        Fallar(linea, "la nota de " + nombre + " repite la de la línea " + std::to_string(otra->second.linea));
    notas_[nombre] = {valor, linea};
}

void Importacion::Conjunto(std::size_t g, std::size_t k, const ConjuntoFuzzy& c, unsigned portados,
                           std::size_t linea) {
    c_.conjuntos[g][k] = c;
    portados_[g][k] = portados;
    lineasConjunto_[g][k] = linea;
}

void Importacion::Regla(std::size_t i, std::size_t j, std::int32_t salida, std::size_t linea) {
    if (lineasRegla_[i][j] != 0)
        Fallar(linea, std::string("la regla de ") + kEtiquetas[i] + " y " + kEtiquetas[j] +
                          " (error y derivada) ya está en la línea " + std::to_string(lineasRegla_[i][j]));
    c_.reglas[i][j] = salida;
    lineasRegla_[i][j] = linea;
}

Decimal Importacion::Numero(std::string_view texto, std::size_t linea, const std::string& que) const {
    const auto d = LeerDecimal(texto, '.');
    if (!d) Fallar(linea, que + ", " + Citado(texto) + ", no es un número");
    if (!std::isfinite(ADoble(*d))) Fallar(linea, que + ", " + Citado(texto) + ", no cabe en un número de doble precisión");
    return *d;
}

Decimal Importacion::AnchoTriangulo(const Decimal& a, const Decimal& b, const Decimal& c, std::size_t linea,
                                    const std::string& que) const {
    const Decimal izquierda = Restar(b, a), derecha = Restar(c, b);
    if (!(izquierda == derecha))
        Fallar(linea, que + " es un triángulo de lados distintos (" + TextoDecimal(izquierda) + " y " +
                          TextoDecimal(derecha) + "); los de este controlador son simétricos");
    return izquierda;
}

std::int64_t Importacion::Entero(std::string_view texto, std::size_t linea, const std::string& que) const {
    std::int64_t v = 0;
    const auto r = std::from_chars(texto.data(), texto.data() + texto.size(), v);
    if (texto.empty() || r.ec != std::errc() || r.ptr != texto.data() + texto.size())
        Fallar(linea, que + ", " + Citado(texto) + ", no es un número entero");
    return v;
}

void Importacion::AplicarNota(const std::string& nombre, const Linea& nota) {
    for (std::size_t g = 0; g < 3; ++g) {
        if (nombre != kGanancias[g]) continue;
        c_.ganancias[g] = Numero(nota.valor, nota.linea, "el valor de " + nombre);
        return;
    }
    std::size_t g = 0, k = 0, columna = 0;
    if (!BuscarCampo(nombre, g, k, columna))
        Fallar(nota.linea, Citado(nombre) + " no es un texto del controlador que una nota pueda dar");
    if (portados_[g][k] & (1u << columna))
        Fallar(nota.linea, nombre + " está en el archivo mismo (línea " + std::to_string(lineasConjunto_[g][k]) +
                               "); una nota no lo cambia");
    ConjuntoFuzzy& c = c_.conjuntos[g][k];
    if (columna == 0) {
        try {
            c.tipo = TextoAEntero(nota.valor);
        } catch (const ErrorConversion&) {
            Fallar(nota.linea, "el tipo " + Citado(nota.valor) + " de " + nombre + " no es un número entero");
        }
    } else {
        (columna == 1 ? c.ancho : c.centro) = Numero(nota.valor, nota.linea, "el valor de " + nombre);
    }
    portados_[g][k] |= 1u << columna;
}

ControladorFuzzy Importacion::Terminar() {
    for (std::size_t g = 0; g < 3; ++g)
        for (std::size_t k = 0; k < 5; ++k)
            if (lineasConjunto_[g][k] == 0)
                Fallar(0, std::string("falta el conjunto ") + kEtiquetas[k] + " de " + kGruposFuzzy[g].panel);
    for (const auto& [nombre, nota] : notas_) AplicarNota(nombre, nota);
    for (std::size_t g = 0; g < 3; ++g)
        for (std::size_t k = 0; k < 5; ++k) {
            ConjuntoFuzzy& c = c_.conjuntos[g][k];
            // what neither the file nor a note gives: a constant set of width 0 at 0
            if (!(portados_[g][k] & kPortaTipo)) c.tipo = 3;
            if (!(portados_[g][k] & kPortaAncho)) c.ancho = {};
            if (!(portados_[g][k] & kPortaCentro)) c.centro = {};
            try {
                ComprobarConjunto(g, k, c);
            } catch (const ErrorTanque& e) {
                Fallar(lineasConjunto_[g][k], e.what());
            }
        }
    for (std::size_t i = 0; i < 5; ++i)
        for (std::size_t j = 0; j < 5; ++j)
            if (lineasRegla_[i][j] == 0)
                Fallar(0, std::string("falta la regla de ") + kEtiquetas[i] + " y " + kEtiquetas[j] +
                              " (error y derivada): este controlador tiene una regla por cada par de conjuntos");
    return c_;
}
