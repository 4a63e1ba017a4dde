#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "base/aritmetica.h"
#include "fuzzy/fdp.h"
#include "tests/fuzzy/comun.h"

namespace {

struct Caso {
    std::int32_t tipo;
    double ancho, centro, x, grado;
};

void Comprobar(const Caso& c) {
    FDP f;
    f.Asignar(c.tipo, c.ancho, c.centro);
    f.Evaluar(c.x);
    const double g = f.Leer_Grado();
    EXPECT_EQ(g, c.grado) << "tipo " << c.tipo << " ancho " << c.ancho << " centro " << c.centro << " x " << c.x;
    EXPECT_FALSE(std::signbit(g)) << "a clipped degree is +0";
}

}  // namespace

TEST(FDP, NaceConTodoACero) {
    const FDP f;
    EXPECT_EQ(f.Tipo, 0);
    EXPECT_EQ(f.Ancho, 0.0);
    EXPECT_EQ(f.Centro, 0.0);
    EXPECT_EQ(f.Grado, 0.0);
    EXPECT_EQ(f.Leer_Grado(), 0.0);
}

TEST(FDP, TrianguloDecaeLinealmenteYSeRecorta) {
    for (const Caso& c : {Caso{0, 1.25, 0.0, 0.0, 1.0},
                          {0, 1.25, 0.0, 0.625, 0.5},
                          {0, 1.25, 0.0, -0.625, 0.5},
                          {0, 1.25, 0.0, 1.25, 0.0},
                          {0, 1.25, 0.0, -1.25, 0.0},
                          {0, 1.25, 0.0, 2.0, 0.0},
                          {0, 1.25, 0.0, -2.0, 0.0},
                          {0, 1.25, 1.25, 0.625, 0.5},
                          // 1 - 1/3 at extended precision, rounded once: the Double nearest to 2/3
                          {0, 3.0, 0.0, 1.0, 2.0 / 3.0},
                          {0, 3.0, 0.0, -1.0, 2.0 / 3.0}})
        Comprobar(c);
}

TEST(FDP, HombrosSonPlanosDeSuLadoYDecaenDelOtro) {
    for (const Caso& c : {// left shoulder: 1 everywhere below the centre, 0 from one width above it
                          Caso{1, 2.5, -3.75, -10.0, 1.0},
                          {1, 2.5, -3.75, -3.75, 1.0},
                          {1, 2.5, -3.75, -2.5, 0.5},
                          {1, 2.5, -3.75, -1.25, 0.0},
                          {1, 2.5, -3.75, 0.0, 0.0},
                          // right shoulder: 0 up to one width below the centre, 1 from the centre up
                          {2, 2.5, 3.75, 10.0, 1.0},
                          {2, 2.5, 3.75, 3.75, 1.0},
                          {2, 2.5, 3.75, 2.5, 0.5},
                          {2, 2.5, 3.75, 1.25, 0.0},
                          {2, 2.5, 3.75, -5.0, 0.0}})
        Comprobar(c);
}

TEST(FDP, ConstanteEsUnoSinDividir) {
    for (const double x : {-1e300, -3.0, 0.0, 0.375, 7.5, 1e300}) Comprobar({3, 0.0, 0.0, x, 1.0});
}

TEST(FDP, AnchoNegativoNoSeRecortaArriba) {
    for (const Caso& c : {Caso{0, -1.0, 0.0, 2.0, 3.0}, {0, -1.0, 0.0, 0.0, 1.0}, {0, -1.0, 0.0, -0.5, 1.5}})
        Comprobar(c);
}

TEST(FDP, TipoDesconocidoDejaElGrado) {
    FDP f;
    f.Asignar(7, 1.0, 0.0);
    f.Evaluar(0.0);
    EXPECT_EQ(f.Leer_Grado(), 0.0) << "fresh set";

    f.Asignar(0, 1.25, 0.0);
    f.Evaluar(0.625);
    ASSERT_EQ(f.Leer_Grado(), 0.5);
    for (const std::int32_t tipo : {7, 4, -1}) {
        f.Asignar(tipo, 1.25, 0.0);
        f.Evaluar(0.0);
        EXPECT_EQ(f.Leer_Grado(), 0.5) << "tipo " << tipo;
    }
}

TEST(FDP, AsignarGuardaTodoMenosElGrado) {
    FDP f;
    f.Asignar(0, 1.25, 0.0);
    f.Evaluar(0.625);
    EXPECT_EQ(f.Asignar(2, -0.5, 3.75), 1);
    EXPECT_EQ(f.Tipo, 2);
    EXPECT_EQ(f.Ancho, -0.5);
    EXPECT_EQ(f.Centro, 3.75);
    EXPECT_EQ(f.Leer_Grado(), 0.5);
}

TEST(FDP, AnchoCeroFallaSoloEnLosLadosConPendiente) {
    struct CasoCero {
        std::int32_t tipo;
        double x;
        const char* error;  // nullptr: no division, degree 1
    };
    const double centro = 0.25;
    for (const CasoCero& c : {CasoCero{0, 0.0, kDivisionPorCero},
                              {0, 1.0, kDivisionPorCero},
                              {0, centro, kOperacionInvalida},
                              {1, 0.0, nullptr},
                              {1, centro, kOperacionInvalida},
                              {1, 1.0, kDivisionPorCero},
                              {2, 0.0, kDivisionPorCero},
                              {2, centro, nullptr},
                              {2, 1.0, nullptr},
                              {3, 0.0, nullptr},
                              {3, centro, nullptr}}) {
        FDP f;
        f.Asignar(c.tipo, 0.0, centro);
        f.Grado = 0.125;
        const std::string texto = TextoDelError<ErrorPuntoFlotante>([&] { f.Evaluar(c.x); });
        if (c.error) {
            EXPECT_EQ(texto, c.error) << "tipo " << c.tipo << " x " << c.x;
            EXPECT_EQ(f.Leer_Grado(), 0.125) << "tipo " << c.tipo << " x " << c.x;
        } else {
            EXPECT_EQ(texto, "(sin error)") << "tipo " << c.tipo << " x " << c.x;
            EXPECT_EQ(f.Leer_Grado(), 1.0) << "tipo " << c.tipo << " x " << c.x;
        }
    }
}
