#include <gtest/gtest.h>

#include "base/errores.h"
#include "core/conjunto_texto.h"
#include "tests/core/banco.h"

namespace {

std::vector<FDP>& Grupo(FIS& fis, std::size_t g) {
    return g == 0 ? fis.Conjuntos_E : g == 1 ? fis.Conjuntos_DE : fis.Conjuntos_U;
}

}  // namespace

TEST(ConjuntoTexto, LeeLoQueLaInicializacionGuarda) {
    for (char decimal : {'.', ','}) {
        Banco b(decimal);
        b.textos.Poner("DE_Po_Ancho", decimal == ',' ? "0,3" : "0.3");
        b.textos.Poner("U_MN_Tipo", "0");
        b.textos.Poner("E_MP_Centro", "1e300");
        b.sim.ToolButton11Click();
        FIS fis = b.sim.Controlador_Fuzzy();
        for (std::size_t g = 0; g < 3; ++g) {
            for (std::size_t k = 0; k < 5; ++k) {
                const FDP leido = LeerConjuntoFuzzy(b.textos, g, k);
                const FDP& guardado = Grupo(fis, g)[k];
                EXPECT_EQ(leido.Tipo, guardado.Tipo) << g << k;
                EXPECT_EQ(Bits(leido.Ancho), Bits(guardado.Ancho)) << g << k;
                EXPECT_EQ(Bits(leido.Centro), Bits(guardado.Centro)) << g << k;
                EXPECT_EQ(leido.Grado, 0.0);
            }
        }
    }
}

TEST(ConjuntoTexto, FallaConElMensajeDeLaInicializacion) {
    struct Caso {
        const char* nombre;
        const char* texto;
        std::size_t grupo, k;
    };
    for (const Caso& c : {Caso{"E_Ze_Ancho", "0", 0, 2}, Caso{"DE_MN_Ancho", "0", 1, 0}, Caso{"E_Ne_Tipo", "x", 0, 1},
                          Caso{"DE_Po_Centro", "1,5", 1, 3}, Caso{"U_MP_Ancho", "1e400", 2, 4},
                          Caso{"E_MN_Tipo", "3000000000", 0, 0}}) {
        Banco b;
        b.textos.Poner(c.nombre, c.texto);
        const std::string inicializar = TextoDelError<ErrorTanque>([&] { b.sim.ToolButton11Click(); });
        ASSERT_NE(inicializar, "(sin error)") << c.nombre;
        EXPECT_EQ(TextoDelError<ErrorTanque>([&] { LeerConjuntoFuzzy(b.textos, c.grupo, c.k); }), inicializar)
            << c.nombre;
    }
    // an output set of width 0 is read: output sets are never evaluated
    Banco b;
    b.textos.Poner("U_Ze_Tipo", "0");
    EXPECT_EQ(LeerConjuntoFuzzy(b.textos, 2, 2).Ancho, 0.0);
}
