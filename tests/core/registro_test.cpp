// The window's export pairs the action and the level of one tick on every line, whatever failed before.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "export/formato.h"
#include "tests/core/banco.h"

namespace {

// What the chart shows, exported to a file and read back.
std::string Exportado(Simulador& sim) {
    const std::string ruta = ArchivoDeLaPrueba("exportado.txt");
    sim.ArchivoClick(ruta, true, 0, 0);
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// The line of the sample that the last tick made, as the tick itself reports it (the oracle).
std::string LineaDelTick(const Simulador& sim) {
    const MuestraGraficada& m = sim.UltimaMuestra();
    return LineaExportacion(m.n, m.accion, m.nivel);
}

// Step ticks that fail inside the plant step, after their action point is plotted (Area 0: Tau = 0).
void EscalonesFallidos(Banco& b, int ticks) {
    b.textos.Poner("Area", "0");
    b.textos.Poner("Alto_Escalon", "5");
    b.sim.AtenderToggle(Corrida::Escalon);
    for (int i = 0; i < ticks; ++i) b.sim.AtenderTick(Corrida::Escalon);
    b.sim.AtenderToggle(Corrida::Escalon);
    b.textos.Poner("Area", "10");
    b.textos.Poner("Alto_Escalon", "1");
}

}  // namespace

// Failed step ticks, a stop, a good run without Limpiar: the export holds the good run, each line its own tick's.
TEST(Registro, LosTicksFallidosNoDesalineanElRegistro) {
    Banco b;
    EscalonesFallidos(b, 16);
    EXPECT_EQ(b.sim.Series2().Cuenta(), 16u);  // the chart keeps showing the actions of the failed ticks
    b.sim.AtenderToggle(Corrida::Escalon);
    std::string esperado;
    for (int i = 0; i < 30; ++i) {
        b.sim.AtenderTick(Corrida::Escalon);
        esperado += LineaDelTick(b.sim);
    }
    EXPECT_EQ(Exportado(b.sim), esperado);
}

// Failures between good ticks of one run (a level too large for a Single at some amplitudes, found after the
// action is plotted; the counter stays, so the next good tick has the failed one's number): only the good
// ticks have lines.
TEST(Registro, UnFalloEntreTicksBuenosNoDejaLinea) {
    Banco b;
    b.textos.Poner("Resistencia", "1e30");
    b.textos.Poner("Area", "1e-30");  // Tau = 1: the level is 10^30 times the volume
    b.textos.Poner("HMax", "1e38");
    b.sim.AtenderToggle(Corrida::Escalon);
    std::string esperado;
    int fallidos = 0;
    for (int i = 0; i < 30; ++i) {
        b.textos.Poner("Alto_Escalon", i % 3 == 1 ? "1e10" : "1");
        const std::int32_t antes = b.sim.Timer(Corrida::Escalon).Tag;
        b.sim.AtenderTick(Corrida::Escalon);
        if (b.sim.Timer(Corrida::Escalon).Tag != antes)
            esperado += LineaDelTick(b.sim);
        else
            ++fallidos;
    }
    ASSERT_EQ(fallidos, 10);
    EXPECT_EQ(b.sim.Series2().Cuenta(), 30u);
    EXPECT_EQ(Exportado(b.sim), esperado);
}

// The closed-loop runs delete the first point of each series as they go: an action without level at the front
// of the action series must not shift the pairs behind it.
TEST(Registro, LasCorridasQueBorranPorDelanteConservanLasParejas) {
    for (Corrida corrida : {Corrida::PID, Corrida::Fuzzy}) {
        Banco b;
        b.sim.ToolButton11Click();
        EscalonesFallidos(b, 5);
        b.sim.AtenderToggle(corrida);
        std::vector<std::string> lineas;
        for (int i = 0; i < 150; ++i) {
            b.sim.AtenderTick(corrida);
            lineas.push_back(LineaDelTick(b.sim));
        }
        std::string esperado;
        for (std::size_t i = lineas.size() - kMuestrasVentana; i < lineas.size(); ++i) esperado += lineas[i];
        EXPECT_EQ(Exportado(b.sim), esperado) << static_cast<int>(corrida);
    }
}

// The step run's overflow message is open while the fuzzy run plots a sample of the same number: every line
// still pairs one tick's action and level.
TEST(Registro, UnTickAnidadoDelMismoNumeroNoCruzaLasParejas) {
    Banco b;
    b.EscalonQueDesbordaYFuzzy();
    std::string lineaFuzzy;
    b.mensajes.alMostrar = [&] {
        b.sim.AtenderTick(Corrida::Fuzzy);
        lineaFuzzy = LineaDelTick(b.sim);
    };
    b.sim.AtenderTick(Corrida::Escalon);  // sample 0 of the step run overflows
    ASSERT_FALSE(lineaFuzzy.empty());
    const std::string lineaEscalon = LineaDelTick(b.sim);
    const std::string exportado = Exportado(b.sim);
    // the nested tick stepped the plant from the same volume with the same inflow: the two levels are one number,
    // so each line holds one tick's action and level, in the order of the actions
    EXPECT_EQ(b.sim.Series1().Y(0), b.sim.Series1().Y(1));
    EXPECT_EQ(exportado, lineaEscalon + lineaFuzzy);
}

// The fuzzy run scrolls the chart while the step run's overflow message is open: the step tick's action, by then the
// first point of its series, goes before its level comes. That level has no line; every other line is one fuzzy tick's.
TEST(Registro, UnaAccionBorradaAntesDeSuNivelNoDejaLinea) {
    Banco b;
    b.sim.ToolButton11Click();
    b.textos.Poner("Alto_Escalon", "0");
    b.sim.AtenderToggle(Corrida::Escalon);
    b.sim.AtenderToggle(Corrida::Fuzzy);
    std::map<double, std::string> lineasFuzzy;
    const auto tickFuzzy = [&] {
        b.sim.AtenderTick(Corrida::Fuzzy);
        lineasFuzzy[b.sim.UltimaMuestra().n] = LineaDelTick(b.sim);
    };
    for (int i = 0; i < 150; ++i) tickFuzzy();
    b.sim.AtenderTick(Corrida::Escalon);  // the step's sample 0, which the next fuzzy tick deletes
    tickFuzzy();
    b.textos.Poner("Alto_Escalon", "200");
    b.mensajes.alMostrar = tickFuzzy;
    b.sim.AtenderTick(Corrida::Escalon);  // the step's sample 1 overflows; inside its message the fuzzy run scrolls
    ASSERT_EQ(b.mensajes.mostrados.front(), kNivelSuperado);
    ASSERT_EQ(lineasFuzzy.size(), 152u);
    ASSERT_EQ(b.sim.Series1().X(0), 1.0);  // the step's level stays on the chart, its action does not
    std::string esperado;
    for (std::size_t j = 1; j < b.sim.Series1().Cuenta(); ++j) esperado += lineasFuzzy.at(b.sim.Series1().X(j));
    EXPECT_EQ(Exportado(b.sim), esperado);
}
