#include <gtest/gtest.h>

#include <vector>

#include "core/serie.h"

namespace {

std::vector<std::pair<double, double>> Puntos(const Serie& s) {
    std::vector<std::pair<double, double>> v;
    for (std::size_t i = 0; i < s.Cuenta(); ++i) v.emplace_back(s.X(i), s.Y(i));
    return v;
}

}  // namespace

TEST(Serie, SeOrdenaPorXYLosIgualesVanDetras) {
    Serie s;
    EXPECT_EQ(s.Agregar(0, 1), 0u);
    EXPECT_EQ(s.Agregar(1, 2), 1u);
    EXPECT_EQ(s.Agregar(2, 3), 2u);
    // a new run plotting from 0 again: after the old points of equal x
    EXPECT_EQ(s.Agregar(0, 10), 1u);
    EXPECT_EQ(s.Agregar(1, 20), 3u);
    EXPECT_EQ(s.Agregar(5, 50), 5u);
    EXPECT_EQ(s.Agregar(-1, 0), 0u);
    using P = std::vector<std::pair<double, double>>;
    EXPECT_EQ(Puntos(s), (P{{-1, 0}, {0, 1}, {0, 10}, {1, 2}, {1, 20}, {2, 3}, {5, 50}}));

    s.BorrarPrimero();
    s.BorrarPrimero();
    EXPECT_EQ(Puntos(s), (P{{0, 10}, {1, 2}, {1, 20}, {2, 3}, {5, 50}}));
    s.Limpiar();
    EXPECT_EQ(s.Cuenta(), 0u);
    s.BorrarPrimero();  // nothing to delete, nothing happens
    EXPECT_TRUE(s.Vacia());
}

TEST(Serie, UltimoPuntoDibujadoSegunElRangoMostrado) {
    Serie s;
    EXPECT_EQ(s.UltimoDibujado(true, 0, 0), -1);
    EXPECT_EQ(s.UltimoDibujado(false, 0, 10), -1);
    for (int x = 10; x <= 20; ++x) s.Agregar(x, 0);  // indices 0..10
    struct Caso {
        bool completo;
        double xmin, xmax;
        long long indice;
    };
    for (const Caso& c : {Caso{true, 0, 0, 10},
                          {false, 12, 15, 5},     // first point at or beyond 15
                          {false, 12, 14.5, 5},   // first point beyond 14.5 is x = 15
                          {false, 0, 5, 0},       // the range lies left of every point: the first one
                          {false, 19.5, 30, 10},  // none at or beyond the right end: the last point
                          {false, 20, 30, 10},
                          {false, 20.5, 30, 10 - 11}}) {  // none at or beyond the left end
        EXPECT_EQ(s.UltimoDibujado(c.completo, c.xmin, c.xmax), c.indice) << c.xmin << " " << c.xmax;
    }
}
