#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/serie.h"
#include "ui/resumen_extremos.h"

namespace {

// The lowest and highest y over [a, b) by looking at every point; ties to the earlier one.
std::pair<std::size_t, std::size_t> AMano(const Serie& s, std::size_t a, std::size_t b) {
    std::size_t menor = a, mayor = a;
    for (std::size_t i = a + 1; i < b; ++i) {
        if (s.Y(i) < s.Y(menor)) menor = i;
        if (s.Y(i) > s.Y(mayor)) mayor = i;
    }
    return {menor, mayor};
}

void Comprobar(const Serie& s, ResumenExtremos& r, std::mt19937_64& azar, int consultas) {
    const std::size_t n = s.Cuenta();
    if (n == 0) return;
    std::uniform_int_distribution<std::size_t> indice(0, n - 1);
    for (int k = 0; k < consultas; ++k) {
        std::size_t a = indice(azar), b = indice(azar);
        if (a > b) std::swap(a, b);
        ++b;
        const auto [menor, mayor] = r.Extremos(s, a, b);
        const auto [m, M] = AMano(s, a, b);
        // the same values; the index may differ only between equal values
        ASSERT_EQ(s.Y(menor), s.Y(m)) << a << ".." << b;
        ASSERT_EQ(s.Y(mayor), s.Y(M)) << a << ".." << b;
        ASSERT_TRUE(menor >= a && menor < b && mayor >= a && mayor < b);
    }
    const auto [menor, mayor] = r.Extremos(s, 0, n);
    EXPECT_EQ(s.Y(menor), s.Y(AMano(s, 0, n).first));
    EXPECT_EQ(s.Y(mayor), s.Y(AMano(s, 0, n).second));
}

}  // namespace

TEST(ResumenExtremos, CoincideConMirarCadaPuntoAlCrecer) {
    std::mt19937_64 azar(1);
    std::uniform_real_distribution<double> valor(-5, 5);
    Serie s;
    ResumenExtremos r;
    for (int n = 1; n <= 40000; ++n) {
        s.Agregar(n, valor(azar));
        if (n % 997 == 0 || n < 300) Comprobar(s, r, azar, 20);
    }
    // equal values everywhere: ties to the earlier point
    Serie plana;
    for (int n = 0; n < 1000; ++n) plana.Agregar(n, 1.0);
    EXPECT_EQ(ResumenExtremos().Extremos(plana, 5, 900), (std::pair<std::size_t, std::size_t>{5, 5}));
}

TEST(ResumenExtremos, CoincideTrasInsertarBorrarYLimpiar) {
    std::mt19937_64 azar(2);
    std::uniform_real_distribution<double> valor(-5, 5);
    std::uniform_int_distribution<int> accion(0, 99);
    Serie s;
    ResumenExtremos r;
    double x = 0;
    for (int paso = 0; paso < 60000; ++paso) {
        const int a = accion(azar);
        if (a < 80) {
            s.Agregar(x += 1, valor(azar));
        } else if (a < 90 && s.Cuenta() > 0) {
            // a point among the old ones, as a run that starts again from 0 places them
            std::uniform_real_distribution<double> donde(0, x);
            s.Agregar(std::floor(donde(azar)), valor(azar));
        } else if (a < 99) {
            s.BorrarPrimero();
        } else if (paso % 7 == 0) {
            s.Limpiar();
            x = 0;
        }
        if (paso % 500 == 0) Comprobar(s, r, azar, 30);
    }
    Comprobar(s, r, azar, 200);
}

TEST(ResumenExtremos, UnaVentanaQueSeDesplazaDiasNoGuardaLoBorrado) {
    std::mt19937_64 azar(3);
    std::uniform_real_distribution<double> valor(0, 5);
    Serie s;
    ResumenExtremos r;
    for (int n = 0; n < 300000; ++n) {
        if (n > 100) s.BorrarPrimero();
        s.Agregar(n, valor(azar));
        if (n % 20011 == 0) Comprobar(s, r, azar, 10);
    }
    EXPECT_EQ(s.Cuenta(), 101u);
    Comprobar(s, r, azar, 100);
}
