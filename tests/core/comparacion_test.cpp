#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/comparacion.h"
#include "core/textos_indices.h"
#include "tests/core/banco.h"

namespace {

const std::vector<CambioReferencia> kCalendario = {{0, 2}, {80, 6}, {200, 3}};

// The run driven by hand, tick by tick, as a window would: the slider moved before the tick of each change.
std::vector<MuestraCorrida> PorMano(Banco& b, Corrida c, const std::vector<CambioReferencia>& calendario, int n) {
    if (c == Corrida::Fuzzy) b.sim.ToolButton11Click();
    c == Corrida::PID ? b.sim.ToolButton13Click() : b.sim.ToolButton10Click();
    std::vector<MuestraCorrida> v;
    for (int k = 0; k < n && b.sim.Timer(c).Enabled; ++k) {
        for (const CambioReferencia& cambio : calendario)
            if (cambio.muestra == b.sim.Timer(c).Tag) b.posicion.valor = cambio.posicion;
        c == Corrida::PID ? b.sim.Timer4Timer() : b.sim.Timer5Timer();
        const MuestraGraficada& m = b.sim.UltimaMuestra();
        v.push_back({m.n, m.nivel, m.accion, m.referencia});
    }
    return v;
}

void IgualesBitABit(const std::vector<MuestraCorrida>& a, const std::vector<MuestraCorrida>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t k = 0; k < a.size(); ++k) {
        ASSERT_EQ(a[k].n, b[k].n);
        ASSERT_EQ(Bits(a[k].nivel), Bits(b[k].nivel)) << "n " << a[k].n;
        ASSERT_EQ(Bits(a[k].accion), Bits(b[k].accion)) << "n " << a[k].n;
        ASSERT_EQ(Bits(a[k].referencia), Bits(b[k].referencia)) << "n " << a[k].n;
    }
}

}  // namespace

TEST(Comparacion, LasMuestrasSonLasDeUnaCorridaLlevadaAMano) {
    TextosMapa textos = TextosIniciales('.');
    textos.Poner("Kp", "5");
    textos.Poner("Ti", "2");
    textos.Poner("Td", "0.3");
    const ResultadoComparacion r = CompararControladores(textos, kCalendario, 300);
    for (Corrida c : {Corrida::PID, Corrida::Fuzzy}) {
        SCOPED_TRACE(c == Corrida::PID ? "PID" : "fuzzy");
        Banco b;
        b.textos = textos;
        IgualesBitABit(r.De(c).muestras, PorMano(b, c, kCalendario, 300));
        EXPECT_TRUE(b.mensajes.mostrados.empty());
    }
    EXPECT_FALSE(r.De(Corrida::PID).fallo);
    EXPECT_FALSE(r.De(Corrida::Fuzzy).fallo);
    // one step per change, each from the level of its first sample as the run plotted it (the first: the
    // empty tank); times at the plant's period, 0.5 s
    struct Escalon {
        std::int32_t primera, ultima;
        double inicial, objetivo;
    };
    const Escalon esperados[] = {{0, 79, 0.0, 1.0}, {80, 199, 1.0, 3.0}, {200, 299, 3.0, 1.5}};
    for (const ResultadoCorrida* c : {&r.De(Corrida::PID), &r.De(Corrida::Fuzzy)}) {
        ASSERT_EQ(c->escalones.size(), 3u);
        for (std::size_t k = 0; k < 3; ++k) {
            const IndicesEscalon& e = c->escalones[k];
            EXPECT_EQ(e.terminado, k < 2);
            EXPECT_EQ(e.primera, esperados[k].primera);
            EXPECT_EQ(e.ultima, esperados[k].ultima);
            // the level where the tank stood when the step's reference was read (was: the reference before)
            EXPECT_EQ(e.inicial, k == 0 ? esperados[k].inicial
                                        : static_cast<double>(c->muestras[static_cast<std::size_t>(e.primera)].nivel));
            EXPECT_NEAR(e.inicial, esperados[k].inicial, 1e-3);
            EXPECT_EQ(e.objetivo, esperados[k].objetivo);
            EXPECT_EQ(e.duracion, (e.ultima - e.primera) * 0.5);
        }
    }
}

TEST(Comparacion, PIDAgresivoSobrepasaYFuzzyPorDefectoNo) {
    // Kp 5, Ti 2, Td 0.3 against the default fuzzy controller, reference 1 then 3
    TextosMapa textos = TextosIniciales('.');
    textos.Poner("Kp", "5");
    textos.Poner("Ti", "2");
    textos.Poner("Td", "0.3");
    const std::vector<CambioReferencia> calendario = {{0, 2}, {200, 6}};
    const ResultadoComparacion r = CompararControladores(textos, calendario, 400);
    ASSERT_EQ(r.De(Corrida::PID).escalones.size(), 2u);
    ASSERT_EQ(r.De(Corrida::Fuzzy).escalones.size(), 2u);
    // measured: the PID overshoots by 26.0 % on both steps (the plant is linear), the fuzzy controller by
    // 0.75 % and 1.6 % (levels up to 1.0073 and 3.048), and settles sooner (11.4 s and 10.4 s against 15.2 s)
    for (std::size_t k = 0; k < 2; ++k) {
        const IndicesEscalon &p = r.De(Corrida::PID).escalones[k], &f = r.De(Corrida::Fuzzy).escalones[k];
        SCOPED_TRACE(testing::Message() << "step from " << p.inicial);
        EXPECT_GT(*p.sobreimpulso, 20.0);
        EXPECT_GT(*f.sobreimpulso, 0.0);
        EXPECT_LT(*f.sobreimpulso, 2.0);
        EXPECT_TRUE(p.establecida && f.establecida);
        EXPECT_LT(*f.tiempoEstablecimiento, *p.tiempoEstablecimiento);
        EXPECT_LT(*p.tiempoSubida, *f.tiempoSubida) << "the PID rises faster";
    }
}

TEST(Comparacion, ElDesbordeParaLaCorridaYSeGuarda) {
    // reference 5 = HMax: the aggressive PID passes the top and the run stops at that tick, which still plots
    TextosMapa textos = TextosIniciales('.');
    textos.Poner("Kp", "5");
    textos.Poner("Ti", "2");
    textos.Poner("Td", "0.3");
    const std::vector<CambioReferencia> calendario = {{0, 10}};
    const ResultadoCorrida r = CorrerConIndices(textos, Corrida::PID, calendario, 1000);
    ASSERT_TRUE(r.fallo.has_value());
    EXPECT_EQ(*r.fallo, kNivelSuperado);
    ASSERT_FALSE(r.muestras.empty());
    EXPECT_LT(r.muestras.size(), 1000u);
    EXPECT_GT(r.muestras.back().nivel, 5.0f);
    EXPECT_LE(r.muestras[r.muestras.size() - 2].nivel, 5.0f);
    ASSERT_EQ(r.escalones.size(), 1u);
    EXPECT_EQ(r.escalones[0].ultima, r.muestras.back().n);
}

TEST(Comparacion, FallosAlEmpezarYEnUnTick) {
    // a gain that does not convert: the PID run fails at its first tick, the fuzzy run does not read it
    TextosMapa textos = TextosIniciales('.');
    textos.Poner("Kp", "x");
    ResultadoComparacion r = CompararControladores(textos, kCalendario, 50);
    EXPECT_EQ(r.De(Corrida::PID).fallo, "'x' is not a valid floating point value");
    EXPECT_TRUE(r.De(Corrida::PID).muestras.empty());
    EXPECT_TRUE(r.De(Corrida::PID).escalones.empty());
    EXPECT_FALSE(r.De(Corrida::Fuzzy).fallo);
    EXPECT_EQ(r.De(Corrida::Fuzzy).muestras.size(), 50u);

    // a fuzzy set of width 0 is refused by the initialisation: only the fuzzy run fails
    textos = TextosIniciales('.');
    textos.Poner("E_Ze_Ancho", "0");
    r = CompararControladores(textos, kCalendario, 50);
    EXPECT_FALSE(r.De(Corrida::PID).fallo);
    EXPECT_EQ(r.De(Corrida::Fuzzy).fallo, "El conjunto Ze de Error tiene ancho 0");

    // a sample period of 0: both starts are refused with their message
    textos = TextosIniciales('.');
    textos.Poner("T_Sample", "0");
    r = CompararControladores(textos, kCalendario, 50);
    EXPECT_EQ(r.De(Corrida::PID).fallo, kMuestreoNoPositivo);
    EXPECT_EQ(r.De(Corrida::Fuzzy).fallo, kMuestreoNoPositivo);

    // an error gap of the fuzzy controller: the inference fails once the error falls in it
    textos = TextosIniciales('.');
    textos.Poner("E_Ne_Ancho", "1");
    textos.Poner("E_Ze_Ancho", "0.2");
    textos.Poner("E_Po_Ancho", "1");
    r = CompararControladores(textos, kCalendario, 300);
    EXPECT_EQ(r.De(Corrida::Fuzzy).fallo, kOperacionInvalida);
    EXPECT_LT(r.De(Corrida::Fuzzy).muestras.size(), 300u);
}

TEST(Comparacion, LaBandaSaleDeLosTextos) {
    TextosMapa textos = TextosIniciales('.');
    const ResultadoCorrida por_defecto = CorrerConIndices(textos, Corrida::PID, kCalendario, 300);
    textos.Poner(kBandaEstablecimiento, "20");
    const ResultadoCorrida ancha = CorrerConIndices(textos, Corrida::PID, kCalendario, 300);
    EXPECT_LT(*ancha.escalones[1].tiempoEstablecimiento, *por_defecto.escalones[1].tiempoEstablecimiento);
    textos.Poner(kBandaEstablecimiento, "100");
    try {
        CorrerConIndices(textos, Corrida::PID, kCalendario, 300);
        ADD_FAILURE() << "a band of 100 runs";
    } catch (const ErrorTanque& e) {
        EXPECT_STREQ(e.what(), kBandaFueraDeRango);
    }
}

TEST(Comparacion, LaCorridaDeEscalonUsaLaGananciaDeLaPlanta) {
    // R = 2, inflow 2: the level goes to 4 with Tau = A R = 20 s, sampled every 0.5 s
    const ResultadoCorrida r = CorrerConIndices(TextosIniciales('.'), Corrida::Escalon, {}, 600);
    ASSERT_EQ(r.escalones.size(), 1u);
    const IndicesEscalon& e = r.escalones[0];
    EXPECT_FALSE(e.conReferencia);
    EXPECT_EQ(e.objetivo, 4.0);
    EXPECT_EQ(e.sobreimpulso, 0.0);
    EXPECT_NEAR(*e.tiempoSubida, std::log(9.0) * 20, 0.5);
    EXPECT_NEAR(*e.tiempoEstablecimiento, std::log(50.0) * 20, 0.5);
    EXPECT_EQ(r.muestras[0].referencia, 0.0);
}

TEST(Comparacion, PosicionProgramada) {
    const std::vector<CambioReferencia> c = {{50, 7}, {10, 4}, {50, 9}};
    EXPECT_EQ(PosicionProgramada(c, 0), kPosicionInicial);
    EXPECT_EQ(PosicionProgramada(c, 10), 4);
    EXPECT_EQ(PosicionProgramada(c, 49), 4);
    EXPECT_EQ(PosicionProgramada(c, 50), 9) << "of two changes at one sample, the later in the list";
    EXPECT_EQ(PosicionProgramada({}, 5), kPosicionInicial);
}

TEST(Comparacion, ElValorFinalEstimadoDeLaCorridaDeEscalonSeAcercaAlDeLaPlanta) {
    // the real step run, levels in Single: the estimate against R x inflow = 4, and the indices against those
    // with the gain given
    Banco b;
    b.sim.ToolButton4Click();
    IndicesRespuesta estimado;
    AjustesIndices a;
    a.ganancia = 2.0;
    IndicesRespuesta con_ganancia(a);
    for (int k = 0; k < 800; ++k) {
        b.sim.Timer1Timer();
        const MuestraGraficada& m = b.sim.UltimaMuestra();
        const MuestraRespuesta x{m.n, b.sim.Estado().T_Muestreo, std::nullopt, m.nivel, m.accion};
        estimado.Agregar(x);
        con_ganancia.Agregar(x);
    }
    const IndicesEscalon e = *estimado.Actual(), g = *con_ganancia.Actual();
    ASSERT_TRUE(e.objetivo.has_value());
    EXPECT_NEAR(*e.objetivo, 4.0, 4e-4);
    EXPECT_NEAR(*e.tiempoSubida, *g.tiempoSubida, 0.01);
    EXPECT_NEAR(*e.tiempoEstablecimiento, *g.tiempoEstablecimiento, 0.5);
    EXPECT_NEAR(*e.IAE, *g.IAE, 1e-3 * *g.IAE);
}
