#include <gtest/gtest.h>

#include <cstdint>

#include "fuzzy/vector_2_din.h"
#include "tests/fuzzy/comun.h"

TEST(Vector_2_Din, NaceVacioYRedimensionadoTieneCeros) {
    Vector_2_Din m;
    EXPECT_EQ(m.Filas(), 0);
    EXPECT_EQ(m.Columnas(), 0);
    m.Redimensionar(2, 3);
    EXPECT_EQ(m.Filas(), 2);
    EXPECT_EQ(m.Columnas(), 3);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_EQ(m[i][j], 0.0) << i << "," << j;
    // Row after row in one block.
    EXPECT_EQ(&m[1][0], &m[0][0] + 3);
}

TEST(Vector_2_Din, RedimensionarConservaLoComunYPoneCerosEnLoNuevo) {
    Vector_2_Din_Int m;
    m.Redimensionar(2, 3);
    const auto valor = [](int i, int j) { return static_cast<std::int32_t>(10 * i + j + 1); };
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j) m[i][j] = valor(i, j);

    // Each step: new size, and the block of entries (from the first fill) that must have survived every
    // resize so far.
    struct Paso {
        std::int32_t filas, columnas, filas_vivas, columnas_vivas;
    };
    for (const Paso p :
         {Paso{3, 4, 2, 3}, {3, 4, 2, 3}, {4, 2, 2, 2}, {1, 5, 1, 2}, {3, 3, 1, 2}, {0, 4, 0, 0}, {2, 2, 0, 0}}) {
        m.Redimensionar(p.filas, p.columnas);
        ASSERT_EQ(m.Filas(), p.filas);
        ASSERT_EQ(m.Columnas(), p.columnas);
        for (int i = 0; i < p.filas; ++i)
            for (int j = 0; j < p.columnas; ++j) {
                const bool vive = i < p.filas_vivas && j < p.columnas_vivas;
                EXPECT_EQ(m[i][j], vive ? valor(i, j) : 0)
                    << "tras " << p.filas << "x" << p.columnas << " en " << i << "," << j;
            }
    }
}

TEST(Vector_2_Din, RechazaDimensionesNegativasSinCambiarNada) {
    Vector_2_Din m;
    m.Redimensionar(1, 2);
    m[0][1] = 2.5;
    for (const auto& [filas, columnas] : {std::pair{-1, 2}, {1, -2}, {-3, -4}}) {
        EXPECT_EQ(TextoDelError<ErrorTanque>([&] { m.Redimensionar(filas, columnas); }),
                  "No se puede dimensionar una matriz de " + std::to_string(filas) + " x " + std::to_string(columnas) +
                      ": las dimensiones no pueden ser negativas");
        EXPECT_EQ(m.Filas(), 1);
        EXPECT_EQ(m.Columnas(), 2);
        EXPECT_EQ(m[0][1], 2.5);
    }
}
