// The pairing of levels and actions against an oracle that knows each point's tick: random sequences of what the
// runs do to the two series (ticks that plot both points, step ticks that plot the action and then the level or
// fail, ticks nested in a step tick's overflow message, deletions at the front, Limpiar).

#include "core/observacion/parejas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "core/serie.h"

namespace {

// The two series, the pairing, and beside them the tick of every point.
struct Banco {
    Serie niveles, acciones;
    Parejas parejas{niveles, acciones};
    std::vector<int> ticksNivel, ticksAccion;  // the oracle, index for index with the series
    int siguiente = 0;

    // A point's value is its tick, so that a line pairs one tick's points exactly when its two values are equal.
    std::size_t Nivel(double x, int tick) {
        const std::size_t j = niveles.Agregar(x, tick);
        ticksNivel.insert(ticksNivel.begin() + static_cast<std::ptrdiff_t>(j), tick);
        return j;
    }
    std::size_t Accion(double x, int tick) {
        const std::size_t i = acciones.Agregar(x, tick);
        ticksAccion.insert(ticksAccion.begin() + static_cast<std::ptrdiff_t>(i), tick);
        return i;
    }
    // A closed-loop tick: the first points go once the window is full, then the pair.
    void Par(double x, bool borrar) {
        if (borrar) {
            parejas.PrimerosABorrar();
            niveles.BorrarPrimero();
            acciones.BorrarPrimero();
            if (!ticksNivel.empty()) ticksNivel.erase(ticksNivel.begin());
            if (!ticksAccion.empty()) ticksAccion.erase(ticksAccion.begin());
        }
        const int t = siguiente++;
        const std::size_t j = Nivel(x, t);
        parejas.Par(j, Accion(x, t));
    }
    void Limpiar() {
        niveles.Limpiar();
        acciones.Limpiar();
        parejas.Limpiar();
        ticksNivel.clear();
        ticksAccion.clear();
    }

    // The export's lines as ArchivoClick makes them: (level tick, action tick).
    std::vector<std::pair<int, int>> Lineas() const {
        std::vector<std::pair<int, int>> l;
        std::size_t a = 0;
        for (std::size_t j = 0; j < niveles.Cuenta(); ++j) {
            if (parejas.NivelSinAccion(j)) continue;
            while (a < acciones.Cuenta() && parejas.AccionSinNivel(a)) ++a;
            if (a == acciones.Cuenta()) break;
            l.emplace_back(static_cast<int>(niveles.Y(j)), static_cast<int>(acciones.Y(a)));
            ++a;
        }
        return l;
    }
    // The oracle's lines: every level whose tick's action is still on the chart, in the chart's order.
    std::vector<std::pair<int, int>> LineasEsperadas() const {
        std::vector<std::pair<int, int>> l;
        for (int t : ticksNivel)
            if (std::find(ticksAccion.begin(), ticksAccion.end(), t) != ticksAccion.end()) l.emplace_back(t, t);
        return l;
    }
};

}  // namespace

TEST(Parejas, SinFallosCadaNivelVaConSuAccionYNoCuestaMemoria) {
    Banco b;
    for (int n = 0; n < 300; ++n) b.Par(n % 150, n >= 101);  // two runs without Limpiar, the second scrolling
    EXPECT_EQ(b.Lineas(), b.LineasEsperadas());
    EXPECT_EQ(b.Lineas().size(), b.niveles.Cuenta());
    EXPECT_EQ(b.parejas.Bytes(), 0u);
}

TEST(Parejas, UnaAccionSinNivelSeMarcaHastaQueSeLimpia) {
    Banco b;
    for (int n = 0; n < 5; ++n) {
        const int t = b.siguiente++;
        b.parejas.AccionAntesDelNivel(b.Accion(0, t));
        b.parejas.NivelQueNoLlego();  // five failed step ticks at sample 0
    }
    EXPECT_EQ(b.parejas.Bytes(), 5u);
    for (int n = 0; n < 120; ++n) b.Par(n, n >= 101);
    EXPECT_EQ(b.Lineas(), b.LineasEsperadas());
    // the scrolling took the five actions without level and, for each, the level of a pair, whose action is marked
    // now: the action series keeps five points more than the level series, and so one mark per action point
    EXPECT_EQ(b.parejas.Bytes(), b.acciones.Cuenta());
    EXPECT_EQ(b.acciones.Cuenta(), b.niveles.Cuenta() + 5);
    b.Limpiar();
    EXPECT_EQ(b.parejas.Bytes(), 0u);
}

TEST(Parejas, SecuenciasAlAzarCoincidenConElOraculo) {
    std::mt19937 azar(20261207);
    auto entre = [&](int a, int z) { return std::uniform_int_distribution<int>(a, z)(azar); };
    for (int secuencia = 0; secuencia < 300; ++secuencia) {
        Banco b;
        for (int paso = 0; paso < 400; ++paso) {
            const int que = entre(0, 99);
            const double x = entre(0, 40);  // few numbers: many points of equal x, as after restarts
            if (que < 45) {
                b.Par(x, !b.niveles.Vacia() && entre(0, 2) > 0);
            } else if (que < 98) {
                // a step tick; inside its overflow message another run may tick (at another sample number: at
                // the same one both levels are equal, see Registro.UnTickAnidadoDelMismoNumeroNoCruzaLasParejas)
                const int t = b.siguiente++;
                b.parejas.AccionAntesDelNivel(b.Accion(x, t));
                if (entre(0, 3) == 0) {
                    const double otro = x + entre(1, 5) * (entre(0, 1) ? 1 : -1);
                    b.Par(otro, entre(0, 1) == 1);
                }
                if (entre(0, 3) == 0)
                    b.parejas.NivelQueNoLlego();
                else
                    b.parejas.NivelTrasLaAccion(b.Nivel(x, t));
            } else {
                b.Limpiar();
            }
            ASSERT_EQ(b.Lineas(), b.LineasEsperadas()) << "sequence " << secuencia << ", step " << paso;
        }
    }
}

// The front deletion takes a step tick's action while the tick waits for its level (a tick nested in its overflow
// message): the level that comes later has no action, and no line.
TEST(Parejas, UnaAccionBorradaMientrasEsperaDejaSuNivelSinLinea) {
    Banco b;
    const int t = b.siguiente++;
    b.parejas.AccionAntesDelNivel(b.Accion(0, t));
    b.Par(5, true);  // deletes that action, the front of its series
    b.parejas.NivelTrasLaAccion(b.Nivel(0, t));
    EXPECT_TRUE(b.parejas.NivelSinAccion(0));
    EXPECT_EQ(b.Lineas(), (std::vector<std::pair<int, int>>{{1, 1}}));
    EXPECT_EQ(b.Lineas(), b.LineasEsperadas());
}
