#include <gtest/gtest.h>

#include "base/errores.h"
#include "core/textos_indices.h"

namespace {

std::string Error(const Textos& t) {
    try {
        LeerBandaEstablecimiento(t);
    } catch (const ErrorTanque& e) {
        return e.what();
    }
    return "(sin error)";
}

}  // namespace

TEST(TextosIndices, LaBandaPorDefectoEsDos) {
    ASSERT_EQ(TextosPorDefectoIndices().size(), 1u);
    EXPECT_STREQ(TextosPorDefectoIndices()[0].nombre, "Banda_Establecimiento");
    EXPECT_STREQ(TextosPorDefectoIndices()[0].texto, "2");
    TextosMapa t = TextosIniciales('.');
    EXPECT_FALSE(t.Existe(kBandaEstablecimiento));
    CompletarTextosIndices(t);
    EXPECT_EQ(t.Texto(kBandaEstablecimiento), "2");
    EXPECT_EQ(LeerBandaEstablecimiento(t), 2.0);
    // a text already there stays
    t.Poner(kBandaEstablecimiento, "5");
    CompletarTextosIndices(t);
    EXPECT_EQ(t.Texto(kBandaEstablecimiento), "5");
}

TEST(TextosIndices, LaBandaSeLeeComoLosDemasNumerosYSeRechazaFueraDeCeroACien) {
    struct Caso {
        char decimal;
        const char* texto;
        const char* error;  // nullptr: reads as `valor`
        double valor;
    };
    for (const Caso& c : {Caso{'.', "2.5", nullptr, 2.5},
                          {',', "2,5", nullptr, 2.5},
                          {',', "2.5", "'2.5' is not a valid floating point value", 0},
                          {'.', " 5 ", nullptr, 5},
                          {'.', "99.99", nullptr, 99.99},
                          {'.', "1e-300", nullptr, 1e-300},
                          {'.', "1e-400", kBandaFueraDeRango, 0},  // below the range, read as 0
                          {'.', "0", kBandaFueraDeRango, 0},
                          {'.', "-1", kBandaFueraDeRango, 0},
                          {'.', "100", kBandaFueraDeRango, 0},
                          {'.', "1e400", kDesbordamiento, 0},  // the extended format holds it, a Double does not
                          {'.', "", "'' is not a valid floating point value", 0},
                          {'.', "dos", "'dos' is not a valid floating point value", 0}}) {
        TextosMapa t(c.decimal);
        t.Poner(kBandaEstablecimiento, c.texto);
        if (c.error)
            EXPECT_EQ(Error(t), c.error) << c.texto;
        else
            EXPECT_EQ(LeerBandaEstablecimiento(t), c.valor) << c.texto;
    }
}
