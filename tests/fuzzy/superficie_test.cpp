#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "base/errores.h"
#include "fuzzy/cobertura.h"
#include "fuzzy/superficie.h"
#include "tests/fuzzy/comun.h"

namespace {

// Everything of a system that an inference reads or writes, bit for bit.
std::vector<std::uint64_t> Huella(const FIS& f) {
    std::vector<std::uint64_t> h;
    for (int i = 0; i < f.Fuerzas.Filas(); ++i)
        for (int j = 0; j < f.Fuerzas.Columnas(); ++j) h.push_back(Bits(f.Fuerzas[i][j]));
    for (const auto* grupo : {&f.Conjuntos_E, &f.Conjuntos_DE, &f.Conjuntos_U})
        for (const FDP& c : *grupo)
            for (double v : {static_cast<double>(c.Tipo), c.Ancho, c.Centro, c.Grado}) h.push_back(Bits(v));
    return h;
}

std::vector<FDP> Errores(const FIS& f) { return {f.Conjuntos_E.begin(), f.Conjuntos_E.begin() + 5}; }
std::vector<FDP> Derivadas(const FIS& f) { return {f.Conjuntos_DE.begin(), f.Conjuntos_DE.begin() + 5}; }

// Inferir on a fresh copy: the value, or the text of what it throws.
std::string Inferir_Aparte(const FIS& f, double e, double de, double* valor) {
    FIS copia = f;
    try {
        *valor = copia.Inferir(e, de);
    } catch (const ErrorTanque& x) {
        return x.what();
    }
    return {};
}

}  // namespace

TEST(Superficie, CadaPuntoEsInferirBitABitYElOriginalNoCambia) {
    FIS f = Sistema_Por_Defecto();
    f.Inferir(0.3, -0.1);  // strengths and degrees that are not all 0
    const std::vector<std::uint64_t> antes = Huella(f);
    const Rango re = RangoEje(Errores(f)), rde = RangoEje(Derivadas(f));
    const Superficie s = CalcularSuperficie(f, re, rde);
    EXPECT_EQ(Huella(f), antes);
    ASSERT_EQ(s.Columnas(), 101);
    ASSERT_EQ(s.Filas(), 101);
    EXPECT_EQ(s.Fallidos(), 0u);
    EXPECT_EQ(s.E(0), re.desde);
    EXPECT_EQ(s.E(100), re.hasta);
    EXPECT_EQ(s.E(50), 0.0);
    EXPECT_EQ(s.DE(100), rde.hasta);
    for (int j = 0; j < s.Filas(); ++j)
        for (int i = 0; i < s.Columnas(); ++i) {
            double esperado = 0;
            ASSERT_EQ(Inferir_Aparte(f, s.E(i), s.DE(j), &esperado), "");
            ASSERT_TRUE(s.Valor(i, j).has_value());
            ASSERT_EQ(Bits(*s.Valor(i, j)), Bits(esperado)) << i << " " << j;
            ASSERT_EQ(s.Fallo(i, j), nullptr);
        }
}

TEST(Superficie, LosHuecosDelErrorSonPuntosFallidosNoCeros) {
    FIS f = Sistema_Por_Defecto();
    f.Conjuntos_E[1].Ancho = 1;
    f.Conjuntos_E[2].Ancho = 0.2;
    f.Conjuntos_E[3].Ancho = 1;
    const std::vector<std::uint64_t> antes = Huella(f);
    // steps of 0.02 over -1 to 1: several errors fall in the gaps [-0.25, -0.2] and [0.2, 0.25]
    const Superficie s = CalcularSuperficie(f, {-1.0, 1.0}, {-1.0, 1.0}, 101, 21);
    EXPECT_EQ(Huella(f), antes);
    const std::vector<Hueco> huecos = Huecos(Errores(f), {-1.0, 1.0});
    ASSERT_EQ(huecos.size(), 2u);
    std::size_t en_hueco = 0;
    for (int i = 0; i < s.Columnas(); ++i) {
        bool dentro = false;
        for (const Hueco& h : huecos) dentro |= h.desde <= s.E(i) && s.E(i) <= h.hasta;
        en_hueco += dentro;
        for (int j = 0; j < s.Filas(); ++j) {
            double esperado = 0;
            const std::string texto = Inferir_Aparte(f, s.E(i), s.DE(j), &esperado);
            if (dentro) {
                ASSERT_NE(s.Fallo(i, j), nullptr) << s.E(i);
                EXPECT_EQ(*s.Fallo(i, j), kOperacionInvalida);
                EXPECT_EQ(texto, kOperacionInvalida);
                EXPECT_FALSE(s.Valor(i, j).has_value());
            } else {
                ASSERT_EQ(s.Fallo(i, j), nullptr) << s.E(i);
                EXPECT_EQ(Bits(*s.Valor(i, j)), Bits(esperado));
            }
        }
    }
    // -0.24, -0.22, -0.2 and their mirror images
    EXPECT_EQ(en_hueco, 6u);
    EXPECT_EQ(s.Fallidos(), en_hueco * 21);
}

TEST(Superficie, CadaFalloDiceSuTexto) {
    // an error set of width 0 (refused by the initialisation, possible by hand): Evaluar divides by it at every
    // input but its centre, where it makes 0 / 0
    FIS f = Sistema_Por_Defecto();
    f.Conjuntos_E[2].Ancho = 0;
    const Superficie s = CalcularSuperficie(f, {-1.0, 1.0}, {-1.0, 1.0}, 5, 3);
    EXPECT_EQ(s.Fallidos(), 15u);
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(*s.Fallo(i, j), s.E(i) == 0 ? kOperacionInvalida : kDivisionPorCero) << s.E(i);

    // a system without its sets: the same failure everywhere, without inferring 10201 times
    const Superficie vacia = CalcularSuperficie(FIS{}, {-1.0, 1.0}, {-1.0, 1.0});
    EXPECT_EQ(vacia.Fallidos(), 101u * 101u);
    EXPECT_EQ(*vacia.Fallo(0, 0), kSistemaSinDimensionar);
    EXPECT_EQ(*vacia.Fallo(100, 100), kSistemaSinDimensionar);

    FIS regla_mala = Sistema_Por_Defecto();
    regla_mala.Tabla_Reglas[4][4] = 5;
    EXPECT_EQ(*CalcularSuperficie(regla_mala, {-1.0, 1.0}, {-1.0, 1.0}, 2, 2).Fallo(1, 1),
              "La regla de la fila MP y la columna MP nombra el conjunto 5; debe estar entre 0 y 4");
}

TEST(Superficie, RejillasPequenasYRangosRaros) {
    const FIS f = Sistema_Por_Defecto();
    const Superficie uno = CalcularSuperficie(f, {0.5, 0.5}, {0.1, 0.2}, 1, 1);
    EXPECT_EQ(uno.E(0), 0.5);
    EXPECT_EQ(uno.DE(0), 0.1);
    double v = 0;
    Inferir_Aparte(f, 0.5, 0.1, &v);
    EXPECT_EQ(Bits(*uno.Valor(0, 0)), Bits(v));
    // a reversed range runs from its first end to its second
    const Superficie al_reves = CalcularSuperficie(f, {1.0, -1.0}, {0.0, 0.0}, 3, 1);
    EXPECT_EQ(al_reves.E(0), 1.0);
    EXPECT_EQ(al_reves.E(2), -1.0);
    EXPECT_EQ(TextoDelError<ErrorTanque>([&] {
                  CalcularSuperficie(f, {0, 1}, {0, 1}, 0, 5);
              }),
              "La superficie de control necesita al menos un punto en cada eje");
}
