#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "fuzzy/curva.h"

namespace {

FDP Conjunto(int tipo, double ancho, double centro) {
    FDP f;
    f.Asignar(tipo, ancho, centro);
    return f;
}

// The shapes written out: clip(1 - |x - c| / w) on the sloped sides.
double Analitico(int tipo, double w, double c, double x) {
    const double pendiente = std::max(0.0, 1 - std::fabs(x - c) / w);
    switch (tipo) {
        case 0: return pendiente;
        case 1: return x < c ? 1 : pendiente;
        case 2: return x < c ? pendiente : 1;
        default: return 1;
    }
}

}  // namespace

TEST(Curva, CadaPuntoEsLaFormaYLosVerticesEstanEnLaCurva) {
    struct Caso {
        int tipo;
        double ancho, centro;
        Rango rango;
    };
    for (const Caso& c : {Caso{0, 1.25, 0, {-5.5, 5.5}}, Caso{1, 2.5, -3.75, {-6.6, 6.6}}, Caso{2, 0.5, 0.75, {-1, 1}},
                          Caso{0, 0.25, -0.25, {-1.1, 1.1}}, Caso{3, 0, 0.375, {-1, 1}}}) {
        SCOPED_TRACE(testing::Message() << "tipo " << c.tipo << " centro " << c.centro);
        const std::vector<PuntoCurva> v = CurvaConjunto(Conjunto(c.tipo, c.ancho, c.centro), c.rango, 201);
        ASSERT_GE(v.size(), 201u);
        EXPECT_EQ(v.front().x, c.rango.desde);
        EXPECT_EQ(v.back().x, c.rango.hasta);
        for (std::size_t k = 1; k < v.size(); ++k) ASSERT_LT(v[k - 1].x, v[k].x);
        for (const PuntoCurva& p : v) ASSERT_NEAR(p.grado, Analitico(c.tipo, c.ancho, c.centro, p.x), 1e-15) << p.x;
        // the peak (or knee) is a point of the line, at exactly 1
        const auto pico = std::find_if(v.begin(), v.end(), [&](const PuntoCurva& p) { return p.x == c.centro; });
        if (c.tipo <= 2) {
            ASSERT_NE(pico, v.end());
            EXPECT_EQ(pico->grado, 1.0);
            for (double x : {c.centro - c.ancho, c.centro + c.ancho}) {
                if (x < c.rango.desde || x > c.rango.hasta) continue;
                const auto p = std::find_if(v.begin(), v.end(), [&](const PuntoCurva& q) { return q.x == x; });
                ASSERT_NE(p, v.end()) << x;
                EXPECT_EQ(p->grado, Analitico(c.tipo, c.ancho, c.centro, x));
            }
        }
    }
}

TEST(Curva, LosPuntosDondeEvaluarFallaQuedanFuera) {
    // a width of 0: every point on a sloped side throws; the left shoulder keeps only its flat side
    const std::vector<PuntoCurva> v = CurvaConjunto(Conjunto(1, 0, 0), {-1, 1}, 11);
    ASSERT_EQ(v.size(), 5u);
    for (const PuntoCurva& p : v) {
        EXPECT_LT(p.x, 0);
        EXPECT_EQ(p.grado, 1.0);
    }
    // a negative width is no clip at 1: the degrees above 1 are drawn as they are
    const std::vector<PuntoCurva> n = CurvaConjunto(Conjunto(0, -1, 0), {-1, 1}, 3);
    ASSERT_EQ(n.size(), 3u);
    EXPECT_EQ(n[0].grado, 2.0);
    EXPECT_EQ(n[1].grado, 1.0);
    // an unknown shape keeps the degree of the set given
    FDP raro = Conjunto(7, 1, 0);
    raro.Grado = 0.25;
    for (const PuntoCurva& p : CurvaConjunto(raro, {-1, 1}, 5)) EXPECT_EQ(p.grado, 0.25);
}

TEST(Curva, RangosSinCurva) {
    const FDP f = Conjunto(0, 1, 0);
    EXPECT_TRUE(CurvaConjunto(f, {1, -1}, 10).empty());
    EXPECT_TRUE(CurvaConjunto(f, {-INFINITY, 1}, 10).empty());
    EXPECT_TRUE(CurvaConjunto(f, {0, NAN}, 10).empty());
    // a range of one point, and fewer than two points asked
    ASSERT_EQ(CurvaConjunto(f, {0, 0}, 10).size(), 1u);
    EXPECT_EQ(CurvaConjunto(f, {-1, 1}, 0).size(), 3u) << "the two ends and the peak";
}
