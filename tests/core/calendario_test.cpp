#include <gtest/gtest.h>

#include <vector>

#include "core/observacion/calendario.h"
#include "core/textos_por_defecto.h"

namespace {

std::vector<std::pair<int, int>> Pares(const CalendarioGrabado& c) {
    std::vector<std::pair<int, int>> v;
    for (const CambioReferencia& x : c.Cambios()) v.emplace_back(x.muestra, x.posicion);
    return v;
}

}  // namespace

TEST(Calendario, SeGuardanLosCambiosYCadaMuestraConservaSuUltimaLectura) {
    using V = std::vector<std::pair<int, int>>;
    struct Caso {
        const char* porque;
        V lecturas;  // (sample, position) in the order read
        V cambios;
    };
    const Caso casos[] = {
        {"nothing read", {}, {}},
        {"the first reading is kept whatever it is", {{0, 2}}, {{0, 2}}},
        {"a position that stays adds nothing", {{0, 2}, {1, 2}, {2, 2}}, {{0, 2}}},
        {"each change once", {{0, 2}, {1, 5}, {2, 5}, {3, 0}}, {{0, 2}, {1, 5}, {3, 0}}},
        {"a first reading after sample 0", {{7, 4}, {8, 4}}, {{7, 4}}},
        {"a tick read again (it failed after reading)", {{0, 2}, {1, 5}, {1, 6}, {2, 6}}, {{0, 2}, {1, 6}}},
        {"read again with the position before", {{0, 2}, {1, 5}, {1, 2}}, {{0, 2}}},
        {"a run started again replaces the pass before", {{0, 2}, {5, 9}, {6, 1}, {0, 3}, {1, 3}}, {{0, 3}}},
        {"a second pass from the middle", {{0, 2}, {5, 9}, {9, 1}, {6, 4}}, {{0, 2}, {5, 9}, {6, 4}}},
    };
    for (const Caso& c : casos) {
        CalendarioGrabado g;
        for (auto [n, p] : c.lecturas) g.Anotar(n, p);
        EXPECT_EQ(Pares(g), c.cambios) << c.porque;
        g.Limpiar();
        EXPECT_TRUE(g.Cambios().empty());
    }
}

TEST(Calendario, SinCambiosGrabadosSeComparaDesdeLaPosicionActual) {
    const std::vector<CambioReferencia> grabado = {{0, 2}, {40, 7}};
    const std::vector<CambioReferencia> a = CalendarioParaComparar(grabado, 5);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[1].muestra, 40);
    EXPECT_EQ(a[1].posicion, 7);
    const std::vector<CambioReferencia> b = CalendarioParaComparar({}, 5);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].muestra, 0);
    EXPECT_EQ(b[0].posicion, 5);
}

TEST(Calendario, MuestrasParaCompararHastaElUltimoCambioMasElMargen) {
    struct Caso {
        const char* porque;
        const char* area;
        const char* periodo;
        std::vector<CambioReferencia> calendario;
        std::int64_t muestras;
    };
    const Caso casos[] = {
        // Tau = 10 x 2 = 20 s, T = 0.5 s: 8 Tau = 320 samples
        {"default plant", "10", "500", {{0, 2}}, 1 + 320},
        {"after the last change", "10", "500", {{0, 2}, {150, 6}, {90, 3}}, 151 + 320},
        // 8 Tau = 32 samples: the least margin instead
        {"a slow sample", "10", "5000", {{0, 2}, {10, 6}}, 11 + kMargenComparacion},
        // Tau = 2e6 s: 3.2e7 samples, cut at the most
        {"a huge tank", "1e6", "500", {{0, 2}}, 1 + kMargenComparacionMaximo},
        {"an area that does not read", "x", "500", {{0, 2}, {20, 6}}, 21 + kMargenComparacion},
        {"a period of 0", "10", "0", {{0, 2}}, 1 + kMargenComparacion},
        {"a negative area", "-10", "500", {{0, 2}}, 1 + kMargenComparacion},
        {"an empty schedule", "10", "500", {}, 1 + 320},
    };
    for (const Caso& c : casos) {
        TextosMapa t = TextosIniciales(',');
        t.Poner("Area", c.area);
        t.Poner("T_Sample", c.periodo);
        EXPECT_EQ(MuestrasParaComparar(c.calendario, t), c.muestras) << c.porque;
    }
}

TEST(Calendario, CopiaDeTextosLeeCadaEditYCadaCelda) {
    TextosMapa origen = TextosIniciales(',');
    origen.Poner("Kp", "7,5");
    origen.PonerCelda(3, 4, "1");
    origen.Poner("Banda_Establecimiento", "5");
    origen.Poner("NoEsUnEdit", "x");
    const TextosMapa copia = CopiaDeTextos(origen);
    EXPECT_EQ(copia.Decimal(), ',');
    for (const TextoPorDefecto& t : TextosPorDefecto()) EXPECT_EQ(copia.Texto(t.nombre), origen.Texto(t.nombre));
    for (int f = 1; f <= 5; ++f)
        for (int c = 1; c <= 5; ++c) EXPECT_EQ(copia.Celda(c, f), origen.Celda(c, f));
    EXPECT_EQ(copia.Texto("Kp"), "7,5");
    EXPECT_EQ(copia.Celda(3, 4), "1");
    EXPECT_FALSE(copia.Existe("NoEsUnEdit"));
}
