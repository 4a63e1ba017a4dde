// What the simulator observes of its runs: each run's response indices, the slider's positions that the PID
// and fuzzy ticks read, and the inputs of the fuzzy inference. None of it may change what a run does.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/comparacion.h"
#include "core/textos_indices.h"
#include "fuzzy/fuerzas.h"
#include "tests/core/banco.h"

namespace {

void Alternar(Banco& b, Corrida c) {
    if (c == Corrida::Fuzzy && !b.sim.FuzzyInicializado()) b.sim.ToolButton11Click();
    b.sim.Alternar(c);
}

// Ticks the run n times, the slider set from the schedule before each tick, as a hand on it would.
void Correr(Banco& b, Corrida c, const std::vector<CambioReferencia>& calendario, int n) {
    for (int k = 0; k < n && b.sim.Timer(c).Enabled; ++k) {
        if (c != Corrida::Escalon) b.posicion.valor = PosicionProgramada(calendario, b.sim.Timer(c).Tag);
        b.sim.Tick(c);
    }
}

void IgualesEscalones(const IndicesEscalon& a, const IndicesEscalon& b) {
    EXPECT_EQ(a.conReferencia, b.conReferencia);
    EXPECT_EQ(a.terminado, b.terminado);
    EXPECT_EQ(a.primera, b.primera);
    EXPECT_EQ(a.ultima, b.ultima);
    EXPECT_EQ(a.muestras, b.muestras);
    EXPECT_EQ(a.duracion, b.duracion);
    EXPECT_EQ(a.inicial, b.inicial);
    EXPECT_EQ(a.objetivo, b.objetivo);
    EXPECT_EQ(a.IAE, b.IAE);
    EXPECT_EQ(a.ISE, b.ISE);
    EXPECT_EQ(a.ITAE, b.ITAE);
    EXPECT_EQ(a.esfuerzo, b.esfuerzo);
    EXPECT_EQ(a.sobreimpulso, b.sobreimpulso);
    EXPECT_EQ(a.tiempoSubida, b.tiempoSubida);
    EXPECT_EQ(a.tiempoEstablecimiento, b.tiempoEstablecimiento);
    EXPECT_EQ(a.errorEstacionario, b.errorEstacionario);
    EXPECT_EQ(a.establecida, b.establecida);
}

const std::vector<CambioReferencia> kCalendario = {{0, 2}, {90, 7}, {210, 4}};

}  // namespace

// The oracle: CorrerConIndices drives a simulator of its own and feeds indices of its own from each tick's
// plotted sample; the simulator's indices of the same run must hold the same steps.
TEST(Observacion, LosIndicesDeCadaCorridaSonLosDeCorrerConIndices) {
    TextosMapa textos = TextosIniciales('.');
    textos.Poner("Kp", "5");
    textos.Poner("Ti", "2");
    textos.Poner("Td", "0.3");
    textos.Poner(kBandaEstablecimiento, "5");
    for (Corrida c : {Corrida::Escalon, Corrida::PID, Corrida::Fuzzy}) {
        SCOPED_TRACE(static_cast<int>(c));
        const ResultadoCorrida r = CorrerConIndices(textos, c, kCalendario, 300);
        Banco b;
        b.textos = textos;
        Alternar(b, c);
        Correr(b, c, kCalendario, 300);
        const IndicesCorrida& i = b.sim.Indices(c);
        EXPECT_FALSE(i.fallo);
        EXPECT_EQ(i.indices.Ajustes().banda, 5.0);
        ASSERT_EQ(r.escalones.size(), c == Corrida::Escalon ? 1u : 3u);
        EXPECT_EQ(i.indices.Terminados(), r.escalones.size() - 1);
        IgualesEscalones(*i.indices.Actual(), r.escalones.back());
        if (r.escalones.size() > 1) IgualesEscalones(*i.indices.Anterior(), r.escalones[r.escalones.size() - 2]);
        // the other runs' indices saw nothing
        for (Corrida otra : {Corrida::Escalon, Corrida::PID, Corrida::Fuzzy})
            if (otra != c) {
                EXPECT_FALSE(b.sim.Indices(otra).indices.Actual());
            }
    }
}

TEST(Observacion, LosIndicesSeAlimentanEnCadaTickQueTermina) {
    Banco b;
    b.sim.ToolButton13Click();
    for (int k = 1; k <= 5; ++k) {
        b.sim.Timer4Timer();
        EXPECT_EQ(b.sim.Indices(Corrida::PID).indices.Actual()->muestras, k);
    }
    // a tick that fails at its texts feeds nothing and plots nothing
    b.textos.Poner("Td", "x");
    EXPECT_THROW(b.sim.Timer4Timer(), ErrorConversion);
    EXPECT_EQ(b.sim.Indices(Corrida::PID).indices.Actual()->muestras, 5);
    b.textos.Poner("Td", "0");
    b.sim.Timer4Timer();
    EXPECT_EQ(b.sim.Indices(Corrida::PID).indices.Actual()->ultima, 5);

    // the overflow stop: the tick that meets it goes on to its end, plots and feeds
    Banco d;
    d.textos.Poner("Alto_Escalon", "200");
    d.sim.ToolButton4Click();
    d.sim.Timer1Timer();
    EXPECT_FALSE(d.sim.Timer(Corrida::Escalon).Enabled);
    EXPECT_EQ(d.mensajes.mostrados, std::vector<std::string>{kNivelSuperado});
    EXPECT_EQ(d.sim.Indices(Corrida::Escalon).indices.Actual()->muestras, 1);
}

TEST(Observacion, ElArranqueYLimpiarReinicianLosIndices) {
    Banco b;
    Alternar(b, Corrida::PID);
    Correr(b, Corrida::PID, kCalendario, 120);
    ASSERT_EQ(b.sim.Indices(Corrida::PID).indices.Terminados(), 1u);
    // stopping keeps what the run gave, to be read after it
    b.sim.ToolButton13Click();
    EXPECT_EQ(b.sim.Indices(Corrida::PID).indices.Actual()->ultima, 119);
    // a start forgets it
    b.sim.ToolButton13Click();
    EXPECT_FALSE(b.sim.Indices(Corrida::PID).indices.Actual());
    EXPECT_FALSE(b.sim.Indices(Corrida::PID).indices.Anterior());
    EXPECT_EQ(b.sim.Indices(Corrida::PID).indices.Terminados(), 0u);
    b.sim.Timer4Timer();
    EXPECT_EQ(b.sim.Indices(Corrida::PID).indices.Actual()->primera, 0);
    // a start refused is no start: the indices stay
    b.sim.ToolButton13Click();
    b.textos.Poner("T_Sample", "0");
    b.sim.ToolButton13Click();
    EXPECT_FALSE(b.sim.Timer(Corrida::PID).Enabled);
    EXPECT_EQ(b.sim.Indices(Corrida::PID).indices.Actual()->muestras, 1);
    // Limpiar forgets every run's indices and the schedule read, and keeps the band
    b.textos.Poner("T_Sample", "500");
    b.textos.Poner(kBandaEstablecimiento, "10");
    Alternar(b, Corrida::Fuzzy);
    Correr(b, Corrida::Fuzzy, kCalendario, 100);
    b.sim.ToolButton10Click();
    unsigned avisos = 0;
    b.sim.AlCambiar([&](unsigned c) { avisos |= c; });
    b.sim.LimpiarClick();
    EXPECT_TRUE(avisos & CambioIndices);
    for (Corrida c : {Corrida::Escalon, Corrida::PID, Corrida::Fuzzy}) {
        EXPECT_FALSE(b.sim.Indices(c).indices.Actual());
        EXPECT_FALSE(b.sim.Indices(c).indices.Anterior());
    }
    EXPECT_EQ(b.sim.Indices(Corrida::Fuzzy).indices.Ajustes().banda, 10.0);
    EXPECT_TRUE(b.sim.CalendarioLeido().empty());
}

TEST(Observacion, UnaBandaMalaNoImpideElArranque) {
    struct Caso {
        const char* texto;
        const char* mensaje;
    };
    for (const Caso& caso : {Caso{"dos", "'dos' is not a valid floating point value"},
                             {"", "'' is not a valid floating point value"},
                             {"0", kBandaFueraDeRango},
                             {"100", kBandaFueraDeRango},
                             {"1e400", kDesbordamiento}}) {
        for (Corrida c : {Corrida::Escalon, Corrida::PID, Corrida::Fuzzy}) {
            SCOPED_TRACE(testing::Message() << caso.texto << " run " << static_cast<int>(c));
            Banco mala, buena;
            mala.textos.Poner(kBandaEstablecimiento, caso.texto);
            for (Banco* b : {&mala, &buena}) {
                Alternar(*b, c);
                Correr(*b, c, kCalendario, 150);
            }
            EXPECT_TRUE(mala.sim.Timer(c).Enabled);
            EXPECT_TRUE(mala.mensajes.mostrados.empty());
            EXPECT_EQ(mala.sim.Indices(c).fallo, caso.mensaje);
            EXPECT_FALSE(mala.sim.Indices(c).indices.Actual());
            // the run is the same, sample for sample
            ASSERT_EQ(mala.sim.Series1().Cuenta(), buena.sim.Series1().Cuenta());
            for (std::size_t k = 0; k < buena.sim.Series1().Cuenta(); ++k) {
                ASSERT_EQ(Bits(mala.sim.Series1().Y(k)), Bits(buena.sim.Series1().Y(k)));
                ASSERT_EQ(Bits(mala.sim.Series2().Y(k)), Bits(buena.sim.Series2().Y(k)));
            }
            // the next start with a good band has indices again
            mala.textos.Poner(kBandaEstablecimiento, "2");
            mala.sim.Alternar(c);
            mala.sim.Alternar(c);
            mala.sim.Tick(c);
            EXPECT_FALSE(mala.sim.Indices(c).fallo);
            EXPECT_TRUE(mala.sim.Indices(c).indices.Actual());
        }
    }
}

TEST(Observacion, ElCalendarioLeidoGuardaLosCambiosDelControl) {
    Banco b;
    Alternar(b, Corrida::PID);
    const std::vector<CambioReferencia> movido = {{0, 2}, {30, 6}, {31, 6}, {45, 1}, {46, 6}, {80, 6}};
    Correr(b, Corrida::PID, movido, 100);
    const std::vector<CambioReferencia> esperado = {{0, 2}, {30, 6}, {45, 1}, {46, 6}};
    ASSERT_EQ(b.sim.CalendarioLeido().size(), esperado.size());
    for (std::size_t k = 0; k < esperado.size(); ++k) {
        EXPECT_EQ(b.sim.CalendarioLeido()[k].muestra, esperado[k].muestra);
        EXPECT_EQ(b.sim.CalendarioLeido()[k].posicion, esperado[k].posicion);
    }
    // the step run does not read the slider
    b.sim.ToolButton13Click();
    b.posicion.valor = 9;
    b.sim.ToolButton4Click();
    b.sim.Timer1Timer();
    EXPECT_EQ(b.sim.CalendarioLeido().size(), esperado.size());
    b.sim.ToolButton4Click();
    // a PID tick that fails before reading the slider leaves no reading
    b.sim.ToolButton13Click();
    b.textos.Poner("Kp", "x");
    EXPECT_THROW(b.sim.Timer4Timer(), ErrorConversion);
    EXPECT_EQ(b.sim.CalendarioLeido().size(), esperado.size());
    // the run started again reads from sample 0: its readings replace the earlier pass
    b.textos.Poner("Kp", "2");
    b.sim.Timer4Timer();
    ASSERT_EQ(b.sim.CalendarioLeido().size(), 1u);
    EXPECT_EQ(b.sim.CalendarioLeido()[0].muestra, 0);
    EXPECT_EQ(b.sim.CalendarioLeido()[0].posicion, 9);
}

TEST(Observacion, ElCalendarioLeidoRepiteLaCorrida) {
    // what Comparar replays: the runs driven by hand, then replayed without windows on what the core read
    for (Corrida c : {Corrida::PID, Corrida::Fuzzy}) {
        SCOPED_TRACE(static_cast<int>(c));
        Banco b;
        Alternar(b, c);
        Correr(b, c, {{0, 3}, {40, 8}, {41, 7}, {150, 2}}, 250);
        const std::vector<CambioReferencia> leido = b.sim.CalendarioLeido();
        const ResultadoCorrida r = CorrerConIndices(b.textos, c, leido, 250);
        ASSERT_EQ(r.muestras.size(), 250u);
        // the chart keeps the last samples of a closed-loop run
        const Serie& nivel = b.sim.Series1();
        ASSERT_GT(nivel.Cuenta(), 100u);
        for (std::size_t k = 0; k < nivel.Cuenta(); ++k) {
            const MuestraCorrida& m = r.muestras[static_cast<std::size_t>(nivel.X(k))];
            ASSERT_EQ(m.n, nivel.X(k));
            ASSERT_EQ(Bits(m.nivel), Bits(static_cast<float>(nivel.Y(k)))) << m.n;
            ASSERT_EQ(Bits(m.referencia), Bits(b.sim.Series3().Y(k))) << m.n;
        }
        // and the indices, which saw every sample
        IgualesEscalones(*b.sim.Indices(c).indices.Actual(), r.escalones.back());
    }
}

TEST(Observacion, LaEntradaDeLaInferenciaYLasFuerzasDelUltimoTick) {
    Banco b;
    b.textos.Poner("KE", "0.8");
    b.textos.Poner("KDE", "3");
    Alternar(b, Corrida::Fuzzy);
    EXPECT_EQ(b.sim.UltimaEntradaFuzzy().cuenta, 0u);
    for (int k = 0; k < 60; ++k) {
        b.posicion.valor = k < 20 ? 2 : 7;
        b.sim.Timer5Timer();
        const EntradaFuzzy& x = b.sim.UltimaEntradaFuzzy();
        const Simulacion& s = b.sim.Estado();
        ASSERT_EQ(x.cuenta, static_cast<std::uint64_t>(k + 1));
        ASSERT_EQ(x.n, k);
        // the tick keeps its error rounded to Single and its derivative as a Single
        ASSERT_EQ(Bits(static_cast<float>(x.error)), Bits(s.Error_Ant));
        ASSERT_EQ(Bits(x.derivada), Bits(static_cast<double>(s.D_Error)));
        // the strengths left behind are the minimum of the two input degrees, evaluated here on fresh sets
        const TablaFuerzas f = FuerzasUltimaInferencia(b.sim.Controlador_Fuzzy());
        for (int i = 0; i < 5; ++i) {
            for (int j = 0; j < 5; ++j) {
                FDP e = b.sim.Controlador_Fuzzy().Conjuntos_E[i], de = b.sim.Controlador_Fuzzy().Conjuntos_DE[j];
                e.Evaluar(x.error);
                de.Evaluar(x.derivada);
                ASSERT_EQ(f[i][j], std::min(e.Leer_Grado(), de.Leer_Grado())) << i << " " << j;
            }
        }
    }
    // an inference that fails in a gap of the error sets is kept too, with its sample
    b.textos.Poner("E_Ne_Ancho", "0.5");
    b.textos.Poner("E_Ze_Ancho", "0.2");
    b.textos.Poner("E_Po_Ancho", "0.5");
    b.sim.ToolButton11Click();
    b.posicion.valor = 2;
    b.textos.Poner("KE", "1");
    bool fallo = false;
    for (int k = 0; k < 200 && !fallo; ++k) {
        try {
            b.sim.Timer5Timer();
        } catch (const ErrorPuntoFlotante& e) {
            fallo = true;
            EXPECT_STREQ(e.what(), kOperacionInvalida);
        }
    }
    ASSERT_TRUE(fallo);
    const EntradaFuzzy& x = b.sim.UltimaEntradaFuzzy();
    EXPECT_EQ(x.n, b.sim.Timer(Corrida::Fuzzy).Tag) << "the failed tick did not advance the counter";
    const double e = x.error;
    EXPECT_TRUE((e > -1.25 + 0.5 && e < -0.2) || (e > 0.2 && e < 1.25 - 0.5)) << e;
}

TEST(Observacion, LaInicializacionAvisaDelControladorNuevo) {
    Banco b;
    std::vector<unsigned> avisos;
    b.sim.AlCambiar([&](unsigned c) { avisos.push_back(c); });
    b.sim.Atender([&] { b.sim.ToolButton11Click(); });
    ASSERT_FALSE(avisos.empty());
    EXPECT_TRUE(avisos.back() & CambioFuzzy);
    // a failed one too: the controller is left incomplete
    avisos.clear();
    b.textos.Poner("U_MP_Centro", "x");
    b.sim.Atender([&] { b.sim.ToolButton11Click(); });
    EXPECT_FALSE(b.sim.FuzzyInicializado());
    ASSERT_FALSE(avisos.empty());
    EXPECT_TRUE(avisos.front() & CambioFuzzy) << "told before the message";
}
