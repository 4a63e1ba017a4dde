// Without the chart (the batch tool) every run computes the same numbers, bit for bit, and keeps no point.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/core/banco.h"

namespace {

// Everything a tick leaves behind, bit for bit: the sample, the Simulation state, the bar, the counters.
std::vector<std::uint64_t> Huella(const Simulador& s) {
    const MuestraGraficada& m = s.UltimaMuestra();
    const Simulacion& e = s.Estado();
    std::vector<std::uint64_t> h{static_cast<std::uint64_t>(m.n),
                                 Bits(m.accion),
                                 Bits(m.nivel),
                                 Bits(m.referencia),
                                 m.conReferencia,
                                 Bits(e.Volumen),
                                 Bits(e.Accion_Control),
                                 Bits(e.T_Muestreo),
                                 Bits(e.R_Hidraulica),
                                 Bits(e.Tau),
                                 Bits(e.Nivel_Max),
                                 Bits(e.Error_Ant),
                                 Bits(e.Integral),
                                 Bits(e.D_Error),
                                 Bits(e.Salida_Fuzzy),
                                 Bits(e.Salida_Fuzzy_Ant),
                                 static_cast<std::uint64_t>(s.Nivel().Top),
                                 static_cast<std::uint64_t>(s.Nivel().Height)};
    for (std::size_t c = 0; c < kNumCorridas; ++c) {
        h.push_back(static_cast<std::uint64_t>(s.Timer(static_cast<Corrida>(c)).Tag));
        h.push_back(s.Timer(static_cast<Corrida>(c)).Enabled);
    }
    return h;
}

}  // namespace

TEST(SinGrafico, CadaCorridaDaLosMismosNumerosSinGuardarPuntos) {
    struct Caso {
        const char* nombre;
        Corrida corrida;
        std::vector<std::pair<const char*, const char*>> textos;
    };
    const Caso casos[] = {
        {"step", Corrida::Escalon, {}},
        {"step that overflows", Corrida::Escalon, {{"Alto_Escalon", "3"}}},
        {"step with a plant that fails", Corrida::Escalon, {{"Area", "0"}}},
        {"PID", Corrida::PID, {{"Kp", "4"}, {"Td", "0.3"}}},
        {"fuzzy", Corrida::Fuzzy, {}},
        {"fuzzy failing at some ticks",
         Corrida::Fuzzy,
         {{"E_Ze_Ancho", "0.2"}, {"E_Ne_Ancho", "1"}, {"E_Po_Ancho", "1"}}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Banco con;
        Banco sin('.', Series::Descartar);
        for (Banco* b : {&con, &sin}) {
            for (const auto& [nombre, texto] : c.textos) b->textos.Poner(nombre, texto);
            b->sim.Atender([b] { b->sim.ToolButton11Click(); });
            b->sim.AtenderToggle(c.corrida);
        }
        for (int i = 0; i < 400; ++i) {
            if (i == 150) con.posicion.valor = sin.posicion.valor = 7;
            con.sim.AtenderTick(c.corrida);
            sin.sim.AtenderTick(c.corrida);
            ASSERT_EQ(Huella(con.sim), Huella(sin.sim)) << "tick " << i;
        }
        EXPECT_EQ(con.mensajes.mostrados, sin.mensajes.mostrados);
        EXPECT_EQ(con.mensajes.repetidos, sin.mensajes.repetidos);
        EXPECT_GT(con.sim.Series2().Cuenta(), 0u);
        EXPECT_EQ(sin.sim.Series1().Cuenta() + sin.sim.Series2().Cuenta() + sin.sim.Series3().Cuenta(), 0u);
    }
}
