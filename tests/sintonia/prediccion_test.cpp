// The predicted step against a PID run of the program: the default tank, SIMC's gains, the simulator's own
// plant (RK4 in sub-steps, Singles) and its own response indices.
#include <gtest/gtest.h>

#include "base/aritmetica.h"
#include "core/planta/tanque.h"
#include "sintonia/sintonia.h"
#include "tests/core/banco.h"

namespace {

struct Fila {
    const char* T_Sample;
    Regla regla;
    Accion accion;
    const char* porque;
};

TEST(Prediccion, ElEscalonPredichoEsElDeLaCorrida) {
    for (const Fila& f : {Fila{"500", Regla::Simc, Accion::PI, "the default tank"},
                          Fila{"100", Regla::Simc, Accion::PI, "100 ms: the plant advances 0.11 s a sample"},
                          Fila{"500", Regla::Amigo, Accion::PID, "a PID: the derivative's kick at the first tick"},
                          Fila{"500", Regla::ZieglerNichols, Accion::PI, "an oscillating loop"}}) {
        SCOPED_TRACE(f.porque);
        const float T = aSingle(std::stoi(f.T_Sample) * 0.001L);
        const ModeloConRetardo tanque{2, 20, 0, 0};  // R = 2, A R = 20 s
        const Sintonia s = Sintonizar(tanque, {T, TiempoPorMuestra(T)}, f.regla, f.accion);
        ASSERT_TRUE(s.lazo.escalon);
        const Prediccion& p = *s.lazo.escalon;

        Banco b;  // the slider at 2: a reference of 1 from an empty tank
        b.textos.Poner("T_Sample", f.T_Sample);
        b.textos.Poner("Kp", TextoGanancia(s.pid.Kp));
        b.textos.Poner("Ti", TextoGanancia(s.pid.Ti));
        b.textos.Poner("Td", TextoGanancia(s.pid.Td));
        b.sim.ToolButton13Click();
        const std::size_t n = std::min<std::size_t>(p.nivel.size(), 4000);
        for (std::size_t k = 0; k < n; ++k) {
            b.sim.Tick(Corrida::PID);
            ASSERT_NEAR(b.sim.Series1().Y(b.sim.Series1().Cuenta() - 1), p.nivel[k], 1e-4) << "tick " << k;
        }
        ASSERT_TRUE(b.mensajes.mostrados.empty());
        const std::optional<IndicesEscalon> corrida = b.sim.Indices(Corrida::PID).indices.Actual();
        ASSERT_TRUE(corrida && corrida->sobreimpulso && corrida->tiempoEstablecimiento);
        ASSERT_TRUE(p.sobreimpulso && p.establecimiento);
        EXPECT_NEAR(*p.sobreimpulso, *corrida->sobreimpulso, 0.05 * std::max(*corrida->sobreimpulso, 1.0));
        EXPECT_NEAR(*p.establecimiento / *corrida->tiempoEstablecimiento, 1, 0.05);
    }
}

}  // namespace
