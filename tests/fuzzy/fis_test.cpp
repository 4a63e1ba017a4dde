#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/aritmetica.h"
#include "fuzzy/fis.h"
#include "tests/fuzzy/comun.h"

namespace {

// What Inferir may change: the strengths and the degrees of the input sets.
struct Estado {
    std::vector<double> fuerzas, grados;
    bool operator==(const Estado&) const = default;
};

Estado Estado_De(const FIS& f) {
    Estado s;
    for (int i = 0; i < f.Fuerzas.Filas(); ++i)
        for (int j = 0; j < f.Fuerzas.Columnas(); ++j) s.fuerzas.push_back(f.Fuerzas[i][j]);
    for (const auto* grupo : {&f.Conjuntos_E, &f.Conjuntos_DE})
        for (const FDP& c : *grupo) s.grados.push_back(c.Grado);
    return s;
}

void Esperar_Conjuntos_Nuevos(const FIS& f) {
    for (const auto* grupo : {&f.Conjuntos_E, &f.Conjuntos_DE, &f.Conjuntos_U})
        for (const FDP& c : *grupo) {
            EXPECT_EQ(c.Tipo, 0);
            EXPECT_EQ(c.Ancho, 0.0);
            EXPECT_EQ(c.Centro, 0.0);
            EXPECT_EQ(c.Grado, 0.0);
        }
}

// A set that is 0 at every input the tests use, and one that is 1 at every input.
constexpr Definicion_Conjunto kNunca = {0, 1.0, 100.0};
constexpr Definicion_Conjunto kSiempre = {3, 0.0, 0.0};

}  // namespace

TEST(FIS, NaceVacio) {
    const FIS f;
    EXPECT_EQ(f.Num_E, 0);
    EXPECT_EQ(f.Num_DE, 0);
    EXPECT_EQ(f.Num_U, 0);
    EXPECT_TRUE(f.Conjuntos_E.empty() && f.Conjuntos_DE.empty() && f.Conjuntos_U.empty());
    EXPECT_EQ(f.Fuerzas.Filas() + f.Fuerzas.Columnas() + f.Tabla_Reglas.Filas() + f.Tabla_Reglas.Columnas(), 0);
}

TEST(FIS, DimensionarDosVecesRenuevaConjuntosYFuerzasYConservaReglas) {
    FIS f = Sistema_Por_Defecto();
    f.Inferir(1.0, 2.0);
    EXPECT_EQ(f.Dimensionar(5, 5, 5), 1);
    EXPECT_EQ(f.Num_E, 5);
    EXPECT_EQ(f.Num_DE, 5);
    EXPECT_EQ(f.Num_U, 5);
    ASSERT_EQ(f.Conjuntos_E.size(), 5u);
    ASSERT_EQ(f.Conjuntos_DE.size(), 5u);
    ASSERT_EQ(f.Conjuntos_U.size(), 5u);
    Esperar_Conjuntos_Nuevos(f);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) {
            EXPECT_EQ(f.Fuerzas[i][j], 0.0) << i << "," << j;
            EXPECT_EQ(f.Tabla_Reglas[i][j], kReglas[i][j]) << i << "," << j;
        }
}

TEST(FIS, DimensionarConOtrosTamanos) {
    FIS f;
    f.Dimensionar(2, 3, 1);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(f.Tabla_Reglas[i][j], 0) << "first call: all entries 0";
            f.Tabla_Reglas[i][j] = 1 + i * 3 + j;
        }
    f.Dimensionar(3, 2, 4);
    EXPECT_EQ(f.Conjuntos_E.size(), 3u);
    EXPECT_EQ(f.Conjuntos_DE.size(), 2u);
    EXPECT_EQ(f.Conjuntos_U.size(), 4u);
    ASSERT_EQ(f.Fuerzas.Filas(), 3);
    ASSERT_EQ(f.Fuerzas.Columnas(), 2);
    ASSERT_EQ(f.Tabla_Reglas.Filas(), 3);
    ASSERT_EQ(f.Tabla_Reglas.Columnas(), 2);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) {
            EXPECT_EQ(f.Tabla_Reglas[i][j], i < 2 ? 1 + i * 3 + j : 0) << i << "," << j;
            EXPECT_EQ(f.Fuerzas[i][j], 0.0);
        }
    f.Dimensionar(0, 0, 0);
    EXPECT_TRUE(f.Conjuntos_E.empty() && f.Conjuntos_DE.empty() && f.Conjuntos_U.empty());
    EXPECT_EQ(f.Tabla_Reglas.Filas(), 0);
}

TEST(FIS, DimensionarRechazaCantidadesNegativasSinCambiarNada) {
    FIS f = Sistema_Por_Defecto();
    f.Inferir(1.0, 2.0);
    const Estado antes = Estado_De(f);
    for (const auto& [n_e, n_de, n_u] : {std::tuple{-1, 5, 5}, {5, -1, 5}, {5, 5, -2}}) {
        EXPECT_EQ(TextoDelError<ErrorTanque>([&] { f.Dimensionar(n_e, n_de, n_u); }),
                  "No se puede dimensionar el sistema de inferencia con " + std::to_string(n_e) + ", " +
                      std::to_string(n_de) + " y " + std::to_string(n_u) +
                      " conjuntos: ninguna cantidad puede ser negativa");
        EXPECT_EQ(f.Num_E + f.Num_DE + f.Num_U, 15);
        EXPECT_EQ(Estado_De(f), antes);
        EXPECT_EQ(f.Conjuntos_E[0].Tipo, 1);
    }
}

TEST(FIS, DosReglasAMitadDaLaMediaPonderada) {
    FIS f = Sistema_Por_Defecto();
    // Error Ze and Po both 0.5 at 0.625, derivative Ze 1 at 0; rules (Ze, Ze) -> centre 0, (Po, Ze) -> 0.375.
    EXPECT_EQ(f.Inferir(0.625, 0.0), 0.1875);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            EXPECT_EQ(f.Fuerzas[i][j], j == 2 && (i == 2 || i == 3) ? 0.5 : 0.0) << i << "," << j;
}

TEST(FIS, PrimerPasoFuzzyConLosValoresPorDefecto) {
    FIS f = Sistema_Por_Defecto();
    const double u = f.Inferir(1.0, 2.0);
    // 1 - 1 / 1.25 and 1 - 0.25 / 1.25 at extended precision round to the Doubles nearest 0.2 and 0.8
    EXPECT_EQ(f.Conjuntos_E[2].Grado, 0.2);
    EXPECT_EQ(f.Conjuntos_E[3].Grado, 0.8);
    EXPECT_EQ(f.Conjuntos_DE[4].Grado, 1.0);
    for (const int k : {0, 1, 4}) EXPECT_EQ(f.Conjuntos_E[k].Grado, 0.0) << k;
    for (const int k : {0, 1, 2, 3}) EXPECT_EQ(f.Conjuntos_DE[k].Grado, 0.0) << k;
    // (0.2 x 0.375 + 0.8 x 0.75) / 1.0: each rounding lands on the Double nearest the exact value
    EXPECT_EQ(u, 0.675);
}

TEST(FIS, ReglasDelMismoConjuntoSeSumanCadaUnaPorSi) {
    FIS f;
    // Error sets 0 and 1 give 0.2 and 0.6 at e = 4, derivative set 0 gives 1; both rules name set 4.
    Definir(f, {{{0, 5.0, 0.0}, {0, 10.0, 0.0}, kNunca, kNunca, kNunca}}, {{kSiempre, kNunca, kNunca, kNunca, kNunca}},
            kControl, {{{4, 1, 1, 1, 1}, {4, 1, 1, 1, 1}, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}}});
    const double u = f.Inferir(4.0, 0.0);
    EXPECT_DOUBLE_EQ(f.Fuerzas[0][0], 0.2);
    EXPECT_DOUBLE_EQ(f.Fuerzas[1][0], 0.6);
    // 0.2 x 0.75 is not exact, hence one ulp
    EXPECT_TRUE(A_Un_Ulp(u, 0.75)) << u;
}

TEST(FIS, UnaSolaReglaActivaDaSuCentro) {
    // Error set 2 and derivative set 3 are the only ones above 0; their rule names output set k. The output
    // is s x centre / s: exact where the strength s = 1 - e is a power of two, else s x centre is rounded and
    // the quotient may land one ulp off the centre.
    for (const auto& [e, exacto] :
         {std::pair{0.5, true}, {0.75, true}, {0.0, true}, {0.1, false}, {0.999, false}, {1e-9, false}, {0.3, false}}) {
        for (int k = 0; k < 5; ++k) {
            FIS f;
            Tabla reglas{};
            reglas[2][3] = k;
            Definir(f, {{kNunca, kNunca, {0, 1.0, 0.0}, kNunca, kNunca}}, {{kNunca, kNunca, kNunca, kSiempre, kNunca}},
                    kControl, reglas);
            const double u = f.Inferir(e, 0.0);
            if (exacto)
                EXPECT_EQ(u, kControl[k].centro) << "e " << e << " conjunto " << k;
            else
                EXPECT_TRUE(A_Un_Ulp(u, kControl[k].centro)) << "e " << e << " conjunto " << k << ": " << u;
        }
    }
}

TEST(FIS, FuerzasSonElMinimoDeCadaPar) {
    FIS f = Sistema_Por_Defecto();
    for (const auto& [e, de] :
         {std::pair{0.0, 0.0}, {1.0, 2.0}, {-0.3, 0.1}, {2.9, -0.6}, {-4.0, 0.3}, {0.7, -0.13}, {-1.1, 0.2}}) {
        f.Inferir(e, de);
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 5; ++j) {
                FDP a = f.Conjuntos_E[i], b = f.Conjuntos_DE[j];
                a.Evaluar(e);
                b.Evaluar(de);
                EXPECT_EQ(f.Fuerzas[i][j], std::min(a.Leer_Grado(), b.Leer_Grado()))
                    << "e " << e << " de " << de << " en " << i << "," << j;
                EXPECT_EQ(f.Conjuntos_E[i].Grado, a.Leer_Grado());
                EXPECT_EQ(f.Conjuntos_DE[j].Grado, b.Leer_Grado());
            }
    }
}

TEST(FIS, TodasLasFuerzasCeroEsOperacionInvalida) {
    FIS f;
    // No error set reaches e = 10; the derivative sets are the default ones.
    Definir(f, {{kNunca, kNunca, {0, 1.25, 0.0}, kNunca, kNunca}}, kDerivada, kControl, kReglas);
    f.Inferir(0.5, 0.1);
    EXPECT_EQ(TextoDelError<ErrorPuntoFlotante>([&] { f.Inferir(10.0, -0.1); }), kOperacionInvalida);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(f.Conjuntos_E[i].Grado, 0.0) << i;
        for (int j = 0; j < 5; ++j) EXPECT_EQ(f.Fuerzas[i][j], 0.0) << i << "," << j;
    }
    // The derivative degrees are those at -0.1: Ne 0.4, Ze 0.6 (up to rounding), the others 0.
    EXPECT_DOUBLE_EQ(f.Conjuntos_DE[1].Grado, 0.4);
    EXPECT_DOUBLE_EQ(f.Conjuntos_DE[2].Grado, 0.6);
    for (const int j : {0, 3, 4}) EXPECT_EQ(f.Conjuntos_DE[j].Grado, 0.0) << j;
}

TEST(FIS, ConjuntoDeAnchoCeroTerminaLaInferenciaDondeFalla) {
    FIS f = Sistema_Por_Defecto();
    f.Inferir(-1.0, 2.0);
    const Estado antes = Estado_De(f);
    ASSERT_DOUBLE_EQ(antes.grados[1], 0.8) << "error Ne at -1";
    f.Conjuntos_DE[3].Asignar(0, 0.0, 0.25);
    EXPECT_EQ(TextoDelError<ErrorPuntoFlotante>([&] { f.Inferir(-4.0, 0.0); }), kDivisionPorCero);
    // Rule (0, 3) is the first to need derivative set 3: the strengths before it are those at (-4, 0),
    // where error MN is 1 and derivative MN, Ne, Ze are 0, 0, 1; the rest are as they were.
    const double nuevas[3] = {0.0, 0.0, 1.0};
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            EXPECT_EQ(f.Fuerzas[i][j], i == 0 && j < 3 ? nuevas[j] : antes.fuerzas[5 * i + j]) << i << "," << j;
    EXPECT_EQ(f.Conjuntos_E[0].Grado, 1.0);
    EXPECT_EQ(f.Conjuntos_DE[3].Grado, antes.grados[5 + 3]);
    EXPECT_EQ(f.Conjuntos_E[1].Grado, antes.grados[1]) << "row 1 never reached";
}

TEST(FIS, SinSusCincoConjuntosSeNiegaAInferir) {
    for (const auto& [n_e, n_de, n_u] : {std::tuple{0, 0, 0}, {4, 5, 5}, {5, 4, 5}, {5, 5, 4}, {5, 5, 0}, {0, 5, 5}}) {
        FIS f;
        if (n_e + n_de + n_u > 0) f.Dimensionar(n_e, n_de, n_u);
        const Estado antes = Estado_De(f);
        EXPECT_EQ(TextoDelError<ErrorTanque>([&] { f.Inferir(0.0, 0.0); }), kSistemaSinDimensionar)
            << n_e << " " << n_de << " " << n_u;
        EXPECT_EQ(Estado_De(f), antes);
    }
}

TEST(FIS, ReglaFueraDeLosConjuntosDeSalidaSeNiegaSinCambiarNada) {
    struct Caso {
        int i, j, n_u, entrada;
        const char* texto;
    };
    for (const Caso& c :
         {Caso{2, 4, 5, 5, "La regla de la fila Ze y la columna MP nombra el conjunto 5; debe estar entre 0 y 4"},
          {0, 0, 5, -1, "La regla de la fila MN y la columna MN nombra el conjunto -1; debe estar entre 0 y 4"},
          {4, 1, 6, 6, "La regla de la fila MP y la columna Ne nombra el conjunto 6; debe estar entre 0 y 5"}}) {
        FIS f;
        Definir(f, kError, kDerivada, kControl, kReglas, c.n_u);
        f.Inferir(1.0, 2.0);
        const Estado antes = Estado_De(f);
        f.Tabla_Reglas[c.i][c.j] = c.entrada;
        EXPECT_EQ(TextoDelError<ErrorTanque>([&] { f.Inferir(-0.3, 0.1); }), c.texto);
        EXPECT_EQ(Estado_De(f), antes);
    }
}

TEST(FIS, UnSextoConjuntoDeSalidaSePuedeNombrar) {
    FIS f;
    Tabla reglas;
    for (auto& fila : reglas) fila.fill(5);
    Definir(f, kError, kDerivada, kControl, reglas, 6);
    f.Conjuntos_U[5].Asignar(3, 0.0, 0.625);
    EXPECT_EQ(f.Inferir(0.3, 0.0), 0.625);
}
