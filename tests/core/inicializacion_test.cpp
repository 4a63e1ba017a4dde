#include <gtest/gtest.h>

#include "tests/core/banco.h"

namespace {

std::string ErrorDe(Banco& b) {
    return TextoDelError<ErrorTanque>([&] { b.sim.ToolButton11Click(); });
}

}  // namespace

TEST(Inicializacion, ConjuntosYReglasDesdeLosTextos) {
    Banco b;
    b.textos.PonerCelda(3, 2, "3");  // row Ne, column Ze names "Po"
    b.textos.PonerCelda(1, 1, "0");
    b.sim.ToolButton11Click();
    const FIS& f = b.sim.Controlador_Fuzzy();
    EXPECT_TRUE(b.sim.FuzzyInicializado());
    EXPECT_EQ(f.Num_E, 5);
    EXPECT_EQ(f.Conjuntos_E[0].Tipo, 1);
    EXPECT_EQ(f.Conjuntos_E[0].Ancho, 2.5);
    EXPECT_EQ(f.Conjuntos_E[0].Centro, -3.75);
    EXPECT_EQ(f.Conjuntos_DE[4].Tipo, 2);
    EXPECT_EQ(f.Conjuntos_DE[4].Centro, 0.75);
    EXPECT_EQ(f.Conjuntos_U[1].Tipo, 3);  // a constant set of width 0 is stored as it is
    EXPECT_EQ(f.Conjuntos_U[1].Ancho, 0.0);
    EXPECT_EQ(f.Conjuntos_U[1].Centro, -0.375);
    EXPECT_EQ(f.Tabla_Reglas[1][2], 3);
    EXPECT_EQ(f.Tabla_Reglas[0][0], 0);
    EXPECT_EQ(f.Tabla_Reglas[4][0], 4);
    EXPECT_EQ(f.Tabla_Reglas[3][1], 2);

    // twice gives the same as once
    b.sim.ToolButton11Click();
    EXPECT_EQ(b.sim.Controlador_Fuzzy().Tabla_Reglas[1][2], 3);
    EXPECT_EQ(b.sim.Controlador_Fuzzy().Conjuntos_E[0].Ancho, 2.5);
}

TEST(Inicializacion, ConComaComoSeparador) {
    Banco b(',');
    b.sim.ToolButton11Click();
    EXPECT_EQ(b.sim.Controlador_Fuzzy().Conjuntos_DE[1].Centro, -0.25);
    b.textos.Poner("E_Ze_Ancho", "1.25");
    EXPECT_EQ(ErrorDe(b), "'1.25' is not a valid floating point value");
}

TEST(Inicializacion, SeDetieneDondeFallaYConservaLoAnterior) {
    struct Caso {
        const char* nombre;  // an edit, or a rule cell Reglas_F_C
        const char* texto;
        std::string mensaje;
    };
    const Caso casos[] = {
        {"Reglas_2_3", "", "'' is not a valid integer value"},
        {"Reglas_2_3", "2.0", "'2.0' is not a valid integer value"},
        {"Reglas_2_3", "7", "La regla de la fila Ne y la columna Ze nombra el conjunto 7; debe estar entre 0 y 4"},
        {"Reglas_2_3", "-1", "La regla de la fila Ne y la columna Ze nombra el conjunto -1; debe estar entre 0 y 4"},
        {"E_Po_Tipo", "1.5", "'1.5' is not a valid integer value"},
        {"E_Ze_Ancho", "0", "El conjunto Ze de Error tiene ancho 0"},
        {"DE_MN_Ancho", "0", "El conjunto MN de Derivada Error tiene ancho 0"},
        {"U_Po_Ancho", "1e400", "Floating point overflow"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Banco b;
        b.sim.ToolButton11Click();
        b.textos.PonerCelda(1, 1, "1");  // a first initialisation has put "0" here; the next reads "1"
        b.textos.Poner(c.nombre, c.texto);
        EXPECT_EQ(ErrorDe(b), c.mensaje);
        EXPECT_FALSE(b.sim.FuzzyInicializado());
        const FIS& f = b.sim.Controlador_Fuzzy();
        if (std::string(c.nombre).rfind("Reglas", 0) == 0) {
            // every set defined, the rules before the cell stored, those after it as they were
            EXPECT_EQ(f.Conjuntos_U[4].Centro, 0.75);
            EXPECT_EQ(f.Tabla_Reglas[0][0], 1);
            EXPECT_EQ(f.Tabla_Reglas[1][2], 1);
        } else {
            // the failing set and those after it are fresh; those before are defined
            EXPECT_EQ(f.Conjuntos_E[0].Centro, -3.75);
            EXPECT_EQ(f.Conjuntos_U[4].Centro, 0.0);
            EXPECT_EQ(f.Tabla_Reglas[0][0], 0);
        }
    }
    // the set where a zero width is refused keeps the values of creation
    Banco b;
    b.textos.Poner("E_Ze_Ancho", "0");
    ErrorDe(b);
    EXPECT_EQ(b.sim.Controlador_Fuzzy().Conjuntos_E[1].Ancho, 1.25);
    EXPECT_EQ(b.sim.Controlador_Fuzzy().Conjuntos_E[2].Tipo, 0);
    EXPECT_EQ(b.sim.Controlador_Fuzzy().Conjuntos_E[2].Centro, 0.0);
    // a constant input set needs no width
    b.textos.Poner("E_Ze_Tipo", "3");
    EXPECT_EQ(ErrorDe(b), "(sin error)");
}
