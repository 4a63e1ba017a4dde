#include "fuzzy/formatos/controlador.h"

#include <cmath>
#include <limits>

#include "base/aritmetica.h"
#include "base/errores.h"
#include "base/numeros.h"
#include "fuzzy/cobertura.h"
#include "fuzzy/fdp.h"
#include "fuzzy/reglas.h"

namespace {

// Runs `leer` and names `nombre` in the ErrorTanque it throws.
template <typename F>
auto Nombrado(const std::string& nombre, F&& leer) -> decltype(leer()) {
    try {
        return leer();
    } catch (ErrorTanque& e) {
        if (e.Campo().empty()) e.PonerCampo(nombre);
        throw;
    }
}

const std::string& Texto(const TextosControlador& t, const std::string& nombre) {
    static const std::string vacio;
    const auto i = t.textos.find(nombre);
    return i == t.textos.end() ? vacio : i->second;
}

// A number as the controller reads it (TextoAFlotante, then checked into a Double), kept exact.
Decimal Numero(const TextosControlador& t, const std::string& nombre) {
    return Nombrado(nombre, [&] {
        const std::string& texto = Texto(t, nombre);
        static_cast<void>(aDouble(TextoAFlotante(texto, t.decimal)));
        return *LeerDecimal(texto, t.decimal);  // the same grammar: it reads what TextoAFlotante read
    });
}

std::string Etiqueta(std::size_t g, std::size_t k) {
    return std::string("El conjunto ") + kEtiquetas[k] + " de " + kGruposFuzzy[g].panel;
}

}  // namespace

std::string NombreConjunto(std::size_t g, std::size_t k, std::size_t columna) {
    return std::string(kGruposFuzzy[g].prefijo) + "_" + kEtiquetas[k] + "_" + kColumnasConjunto[columna];
}

std::string NombreRegla(std::size_t i, std::size_t j) {
    return "Reglas_" + std::to_string(i + 1) + "_" + std::to_string(j + 1);
}

std::vector<std::string> NombresControlador() {
    std::vector<std::string> nombres;
    for (std::size_t g = 0; g < 3; ++g) {
        for (std::size_t k = 0; k < 5; ++k)
            for (std::size_t c = 0; c < 3; ++c) nombres.push_back(NombreConjunto(g, k, c));
        nombres.emplace_back(kGanancias[g]);
    }
    for (std::size_t i = 0; i < 5; ++i)
        for (std::size_t j = 0; j < 5; ++j) nombres.push_back(NombreRegla(i, j));
    return nombres;
}

void ComprobarConjunto(std::size_t g, std::size_t k, const ConjuntoFuzzy& c) {
    const auto fallo = [&](std::size_t columna, const std::string& que) {
        ErrorTanque e(Etiqueta(g, k) + que);
        e.PonerCampo(NombreConjunto(g, k, columna));
        throw e;
    };
    for (std::size_t columna : {1u, 2u})
        if (!std::isfinite(ADoble(columna == 1 ? c.ancho : c.centro))) {
            ErrorPuntoFlotante e(kDesbordamiento);
            e.PonerCampo(NombreConjunto(g, k, columna));
            throw e;
        }
    if (g == 2) return;
    if (c.tipo < 0 || c.tipo > 3)
        fallo(0, " es de tipo " + std::to_string(c.tipo) + ": solo los tipos 0 a 3 tienen forma en otros programas");
    if (c.tipo == 3) return;
    // as the initialisation sees it: a width that rounds to the Double 0 is 0
    if (ADoble(c.ancho) == 0) fallo(1, " tiene ancho 0");
    if (c.ancho.Negativo())
        fallo(1, " tiene ancho negativo (" + TextoDecimal(c.ancho) +
                     "): sus grados pasarían de 1, y ningún otro programa los da");
}

ControladorFuzzy LeerControlador(const TextosControlador& textos) {
    ControladorFuzzy c;
    for (std::size_t g = 0; g < 3; ++g) {
        for (std::size_t k = 0; k < 5; ++k) {
            ConjuntoFuzzy& conjunto = c.conjuntos[g][k];
            const std::string tipo = NombreConjunto(g, k, 0);
            conjunto.tipo = Nombrado(tipo, [&] { return TextoAEntero(Texto(textos, tipo)); });
            conjunto.ancho = Numero(textos, NombreConjunto(g, k, 1));
            conjunto.centro = Numero(textos, NombreConjunto(g, k, 2));
            ComprobarConjunto(g, k, conjunto);
        }
        c.ganancias[g] = Numero(textos, kGanancias[g]);
    }
    for (std::size_t i = 0; i < 5; ++i)
        for (std::size_t j = 0; j < 5; ++j) {
            const std::string nombre = NombreRegla(i, j);
            c.reglas[i][j] = Nombrado(nombre, [&] {
                const std::int32_t r = TextoAEntero(Texto(textos, nombre));
                ComprobarRegla(i, j, r, kEtiquetas.size());
                return r;
            });
        }
    return c;
}

TextosControlador TextosDe(const ControladorFuzzy& c, char decimal) {
    TextosControlador t;
    t.decimal = decimal;
    for (std::size_t g = 0; g < 3; ++g) {
        for (std::size_t k = 0; k < 5; ++k) {
            const ConjuntoFuzzy& conjunto = c.conjuntos[g][k];
            t.textos[NombreConjunto(g, k, 0)] = std::to_string(conjunto.tipo);
            t.textos[NombreConjunto(g, k, 1)] = TextoDecimal(conjunto.ancho, decimal);
            t.textos[NombreConjunto(g, k, 2)] = TextoDecimal(conjunto.centro, decimal);
        }
        if (c.ganancias[g]) t.textos[kGanancias[g]] = TextoDecimal(*c.ganancias[g], decimal);
    }
    for (std::size_t i = 0; i < 5; ++i)
        for (std::size_t j = 0; j < 5; ++j) t.textos[NombreRegla(i, j)] = std::to_string(c.reglas[i][j]);
    return t;
}

std::array<double, 2> RangoGrupo(const ControladorFuzzy& c, std::size_t g) {
    std::array<FDP, 5> conjuntos;
    for (std::size_t k = 0; k < 5; ++k) {
        const ConjuntoFuzzy& f = c.conjuntos[g][k];
        conjuntos[k].Asignar(f.tipo, ADoble(f.ancho), ADoble(f.centro));
    }
    const Rango r = RangoEje(conjuntos);
    return {r.desde, r.hasta};
}
