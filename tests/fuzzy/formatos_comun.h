#pragma once
// The fuzzy dialog's default texts as the file formats take them, and random controllers in the one form of
// their numbers, for the tests of the file formats.

#include <random>
#include <string>

#include "base/aritmetica.h"
#include "base/numeros.h"
#include "fuzzy/fis.h"
#include "fuzzy/formatos/controlador.h"
#include "fuzzy/formatos/importacion.h"
#include "tests/fuzzy/comun.h"

/// The texts of a controller of these sets, rules and gains, numbers written in their shortest form.
inline TextosControlador TextosControladorDe(const std::array<Definicion_Grupo, 3>& grupos, const Tabla& reglas,
                                            const std::array<double, 3>& ganancias, char decimal = '.') {
    TextosControlador t;
    t.decimal = decimal;
    const auto texto = [&](double x) {
        std::string s = TextoDoble(x);
        for (char& c : s)
            if (c == '.') c = decimal;
        return s;
    };
    for (std::size_t g = 0; g < 3; ++g) {
        for (std::size_t k = 0; k < 5; ++k) {
            t.textos[NombreConjunto(g, k, 0)] = std::to_string(grupos[g][k].tipo);
            t.textos[NombreConjunto(g, k, 1)] = texto(grupos[g][k].ancho);
            t.textos[NombreConjunto(g, k, 2)] = texto(grupos[g][k].centro);
        }
        t.textos[kGanancias[g]] = texto(ganancias[g]);
    }
    for (std::size_t i = 0; i < 5; ++i)
        for (std::size_t j = 0; j < 5; ++j) t.textos[NombreRegla(i, j)] = std::to_string(reglas[i][j]);
    return t;
}

/// The dialog's default texts (tests/fuzzy/comun.h), gains KE 1, KDE 1, KU 3.
inline TextosControlador TextosControladorPorDefecto(char decimal = '.') {
    return TextosControladorDe({kError, kDerivada, kControl}, kReglas, {1, 1, 3}, decimal);
}

/// A controller of random shapes, centres in eighths within ±alcance and widths in sixteenths up to alcance;
/// the control's sets of any shape and width, as the dialog allows.
inline TextosControlador TextosControladorAlAzar(std::mt19937_64& azar, int alcance = 5) {
    std::uniform_int_distribution<int> tipo(0, 3), tipo_salida(-1, 7), ancho(1, 16 * alcance),
        centro(-8 * alcance, 8 * alcance), regla(0, 4);
    std::array<Definicion_Grupo, 3> grupos;
    for (std::size_t g = 0; g < 3; ++g)
        for (auto& c : grupos[g])
            c = {g < 2 ? tipo(azar) : tipo_salida(azar), ancho(azar) / 16.0, centro(azar) / 8.0};
    Tabla reglas;
    for (auto& fila : reglas)
        for (auto& r : fila) r = regla(azar);
    return TextosControladorDe(grupos, reglas, {centro(azar) / 8.0, ancho(azar) / 16.0, 3});
}

/// The controller of the texts as "Inicializar Control Fuzzy" builds it: each number through TextoAFlotante
/// and the checked narrowing to Double.
inline FIS SistemaDeTextos(const TextosControlador& t) {
    FIS f;
    f.Dimensionar(5, 5, 5);
    std::vector<FDP>* grupos[3] = {&f.Conjuntos_E, &f.Conjuntos_DE, &f.Conjuntos_U};
    for (std::size_t g = 0; g < 3; ++g)
        for (std::size_t k = 0; k < 5; ++k)
            (*grupos[g])[k].Asignar(TextoAEntero(t.textos.at(NombreConjunto(g, k, 0))),
                                    aDouble(TextoAFlotante(t.textos.at(NombreConjunto(g, k, 1)), t.decimal)),
                                    aDouble(TextoAFlotante(t.textos.at(NombreConjunto(g, k, 2)), t.decimal)));
    for (std::size_t i = 0; i < 5; ++i)
        for (std::size_t j = 0; j < 5; ++j) f.Tabla_Reglas[i][j] = TextoAEntero(t.textos.at(NombreRegla(i, j)));
    return f;
}
