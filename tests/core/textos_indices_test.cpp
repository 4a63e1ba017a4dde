#include <gtest/gtest.h>

#include "base/errores.h"
#include "core/comparacion.h"
#include "core/textos_indices.h"
#include "core/textos_por_defecto.h"

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
    // one row of the one table of default texts, like every other edit
    int filas = 0;
    for (const TextoPorDefecto& t : TextosPorDefecto())
        if (std::string(t.nombre) == kBandaEstablecimiento) ++filas;
    EXPECT_EQ(filas, 1);
    EXPECT_EQ(TextoPorDefectoDe(kBandaEstablecimiento, ','), "2");
    const TextosMapa t = TextosIniciales(',');
    EXPECT_EQ(t.Texto(kBandaEstablecimiento), "2");
    EXPECT_EQ(LeerBandaEstablecimiento(t), 2.0);
    // runs without windows on texts that lack it take the default; a text already there stays
    TextosMapa sin = TextosIniciales('.');
    sin.Poner(kBandaEstablecimiento, "");
    TextosMapa falta('.');
    for (const TextoPorDefecto& x : TextosPorDefecto())
        if (std::string(x.nombre) != kBandaEstablecimiento) falta.Poner(x.nombre, t.Texto(x.nombre));
    for (int f = 1; f <= 5; ++f)
        for (int c = 1; c <= 5; ++c) falta.PonerCelda(c, f, t.Celda(c, f));
    ASSERT_FALSE(falta.Existe(kBandaEstablecimiento));
    const std::vector<CambioReferencia> calendario = {{0, 2}, {100, 6}};
    const ResultadoCorrida conDos = CorrerConIndices(TextosIniciales('.'), Corrida::PID, calendario, 300);
    const ResultadoCorrida sinBanda = CorrerConIndices(falta, Corrida::PID, calendario, 300);
    ASSERT_EQ(conDos.escalones.size(), 2u);
    ASSERT_EQ(sinBanda.escalones.size(), 2u);
    EXPECT_EQ(sinBanda.escalones[1].tiempoEstablecimiento, conDos.escalones[1].tiempoEstablecimiento);
    EXPECT_THROW(CorrerConIndices(sin, Corrida::PID, calendario, 300), ErrorConversion) << "an empty text stays";
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
