// The texts that the runs read (the plant texts at every toggle, the step amplitude, the PID and fuzzy
// ticks' texts), against texts that no reader should take: one test case per row, and each row states the
// field, the bad text with its decimal separator, the situation (which run, active or not) and the outcome
// it expects. Each bad text gives its exact message, ends its handler at the step where it arises, leaves
// alone what must not change, and the program goes on working once the text is put right. A text that
// converts to 0 is followed to what that 0 does next; where that leaves a state that no table can state by
// hand, the state is compared with a twin program that took a good text. The fuzzy initialisation's rows
// are in entradas_malas_fuzzy_test.cpp.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/core/entradas_malas.h"
#include "tests/core/foto.h"

namespace {

const char* NombreCorrida(Corrida r) {
    switch (r) {
        case Corrida::Escalon: return "Escalon";
        case Corrida::PID: return "PID";
        case Corrida::Fuzzy: return "Fuzzy";
        case Corrida::Rele: return "Rele";
    }
    return "?";
}

// ---- The plant texts, read by every run toggle, on a start and on a stop ----

// In the order of the read, with texts of a plant other than the default one and the values they store.
struct CampoPlanta {
    const char* nombre;
    bool entero;  // T_Sample is read as a whole number of milliseconds
    const char* otro;
    float Simulacion::*campo;
    float valor;
};
const CampoPlanta kPlanta[] = {
    {"T_Sample", true, "250", &Simulacion::T_Muestreo, 0.25f},
    {"Resistencia", false, "4", &Simulacion::R_Hidraulica, 4.0f},
    {"Area", false, "3", &Simulacion::Tau, 12.0f},  // only Tau = A x R is kept: 3 x 4
    {"HMax", false, "6", &Simulacion::Nivel_Max, 6.0f},
};

void PonerPlanta(TextosMapa& textos, const CampoPlanta& campo, const std::string& texto) {
    for (const CampoPlanta& c : kPlanta) textos.Poner(c.nombre, c.otro);
    textos.Poner(campo.nombre, texto);
}

// What a run's first tick does when a plant constant has read as 0 (the others as kPlanta's texts).
enum class TrasElCero {
    NadaCambia,
    // the step tick sets and plots its action before the plant step: as the twin, whose plant is good
    AccionGraficada,
    // as the twin, whose maximum level is so low that it overflows too; the bar and the counter stay
    DesbordeSinBarra,
};
struct CeroEnLaPlanta {
    const char* campo;
    Corrida corrida;
    std::vector<std::string_view> mensajes;
    TrasElCero estado;
    const char* gemela;  // the twin's text for the field
};
const CeroEnLaPlanta kCerosDeLaPlanta[] = {
    // R = 0 stores Tau = A x 0 = 0, and A = 0 stores Tau = 0: the integrator divides -1 by Tau. The PID and
    // fuzzy ticks have only read their own texts before the plant step.
    {"Resistencia", Corrida::Escalon, {kDivisionPorCero}, TrasElCero::AccionGraficada, "4"},
    {"Resistencia", Corrida::PID, {kDivisionPorCero}, TrasElCero::NadaCambia, nullptr},
    {"Resistencia", Corrida::Fuzzy, {kDivisionPorCero}, TrasElCero::NadaCambia, nullptr},
    {"Area", Corrida::Escalon, {kDivisionPorCero}, TrasElCero::AccionGraficada, "3"},
    {"Area", Corrida::PID, {kDivisionPorCero}, TrasElCero::NadaCambia, nullptr},
    {"Area", Corrida::Fuzzy, {kDivisionPorCero}, TrasElCero::NadaCambia, nullptr},
    // The step's inflow raises the level above a maximum of 0: the overflow stop, then the bar divides by 0.
    {"HMax", Corrida::Escalon, {kNivelSuperado, kDivisionPorCero}, TrasElCero::DesbordeSinBarra, "0.001"},
    // A closed-loop run just started has an empty tank and no action: a level of 0 is no overflow, and the
    // bar's 0 / 0 is invalid.
    {"HMax", Corrida::PID, {kOperacionInvalida}, TrasElCero::NadaCambia, nullptr},
    {"HMax", Corrida::Fuzzy, {kOperacionInvalida}, TrasElCero::NadaCambia, nullptr},
};

const CeroEnLaPlanta* CeroDe(std::string_view campo, Corrida r) {
    for (const CeroEnLaPlanta& c : kCerosDeLaPlanta)
        if (c.campo == campo && c.corrida == r) return &c;
    return nullptr;
}

struct FilaPlanta {
    Corrida corrida;
    bool activa;
    const CampoPlanta* campo;
    const TextoMalo* texto;
    // Expected: the toggle's message; or, when there is none, the 0 stored and what the first tick then does.
    std::string_view mensaje;
    const CeroEnLaPlanta* cero;
};

std::string Nombre(const FilaPlanta& f) {
    return std::string(f.campo->nombre) + "_" + f.texto->nombre + (f.activa ? "_activa" : "_parada");
}

void PrintTo(const FilaPlanta& f, std::ostream* os) {
    *os << f.campo->nombre << " = '" << Corto(f.texto->texto) << "' (decimal '" << f.texto->decimal << "'), "
        << NombreCorrida(f.corrida) << (f.activa ? " active" : " idle") << ": ";
    if (f.cero == nullptr) {
        *os << "the toggle shows '" << Corto(f.mensaje) << "'";
    } else {
        *os << "0 is stored, the first tick shows";
        for (std::string_view m : f.cero->mensajes) *os << " '" << m << "'";
    }
}

std::vector<FilaPlanta> FilasPlanta(Corrida r) {
    std::vector<FilaPlanta> filas;
    for (bool activa : {false, true})
        for (const CampoPlanta& c : kPlanta)
            for (const TextoMalo& t : TextosMalos()) {
                if (c.entero) {
                    filas.push_back({r, activa, &c, &t, t.comoEntero, nullptr});
                } else if (t.comoFlotante.efecto == ComoFlotante::NoConvierte) {
                    filas.push_back({r, activa, &c, &t, t.comoFlotante.mensaje, nullptr});
                } else if (t.comoFlotante.efecto == ComoFlotante::Cero) {
                    filas.push_back({r, activa, &c, &t, {}, CeroDe(c.nombre, r)});
                }  // a text that converts is a good value for these fields
            }
    return filas;
}

// The program after a fuzzy run that overflowed (a reference of 10 over a maximum level of 5): every number
// of the state differs from 0 and from what the plant texts of kPlanta store, the series hold the run's
// points, the bar stands above the maximum, and the overflow stop left controls disabled that a stop by
// the button gives back. A toggle that changed a thing it should not would show against it.
void TrasDesbordeFuzzy(Banco& b) {
    b.sim.ToolButton11Click();
    b.posicion.valor = 20;
    Toggle(b, Corrida::Fuzzy);
    for (int i = 0; i < 1000 && b.sim.Timer(Corrida::Fuzzy).Enabled; ++i) Tick(b, Corrida::Fuzzy);
    ASSERT_FALSE(b.sim.Timer(Corrida::Fuzzy).Enabled);
    ASSERT_EQ(b.mensajes.mostrados, Lista({kNivelSuperado}));
    b.posicion.valor = 2;
    for (auto [nombre, campo] : kSimples) ASSERT_NE(b.sim.Estado().*campo, 0.0f) << nombre;
    for (auto [nombre, campo] : kDobles) ASSERT_NE(b.sim.Estado().*campo, 0.0) << nombre;
    ASSERT_FALSE(b.sim.Habilitado(Control::ToolButton11));
}

// The situation of a row: its run active (started with the default texts and ticked three times), or idle
// after a fuzzy run that overflowed.
void Situar(Banco& b, Corrida r, bool activa) {
    if (activa) {
        EnMarcha(b, r);
    } else {
        TrasDesbordeFuzzy(b);
    }
}

// The row's run started with the plant constant that reads as 0; its first tick.
void PrimerTickConUnCero(Banco& b, const FilaPlanta& f) {
    const Corrida r = f.corrida;
    const CeroEnLaPlanta& cero = *f.cero;
    const Foto antes = Tomar(b.sim);
    const std::size_t desde = b.mensajes.mostrados.size();
    Tick(b, r);
    EXPECT_EQ(Desde(b, desde), Lista(cero.mensajes));
    Foto esperada = antes;
    if (cero.estado != TrasElCero::NadaCambia) {
        // the twin: the same situation and toggles, the field with a good text, and its first tick
        Banco g(f.texto->decimal);
        ASSERT_NO_FATAL_FAILURE(Situar(g, r, f.activa));
        PonerPlanta(g.textos, *f.campo, ConDecimal(cero.gemela, f.texto->decimal));
        Toggle(g, r);
        if (f.activa) Toggle(g, r);
        ASSERT_TRUE(g.sim.Timer(r).Enabled);
        const std::size_t desdeGemela = g.mensajes.mostrados.size();
        Tick(g, r);
        const Foto gemela = Tomar(g.sim);
        if (cero.estado == TrasElCero::AccionGraficada) {
            ASSERT_EQ(Desde(g, desdeGemela), Lista({}));
            esperada.estado.Accion_Control = gemela.estado.Accion_Control;
            esperada.series[1] = gemela.series[1];
            EXPECT_EQ(b.sim.Estado().Accion_Control, 2.0f);  // the default amplitude
            EXPECT_EQ(b.sim.Series2().Cuenta(), antes.series[1].size() + 1);
        } else {
            ASSERT_EQ(Desde(g, desdeGemela), Lista({kNivelSuperado}));
            esperada = gemela;
            esperada.estado.Nivel_Max = 0;
            esperada.nivel = antes.nivel;
            esperada.timers[static_cast<std::size_t>(r)].Tag = antes.timers[static_cast<std::size_t>(r)].Tag;
            EXPECT_FALSE(b.sim.Timer(r).Enabled);
            EXPECT_GT(b.sim.Estado().Volumen, 0.0f);
            EXPECT_EQ(b.sim.Series1().Cuenta(), antes.series[0].size() + 1);
        }
    }
    EXPECT_TRUE(Iguales(Tomar(b.sim), esperada));
}

class TextosDeLaPlanta : public ::testing::TestWithParam<FilaPlanta> {};

}  // namespace

TEST_P(TextosDeLaPlanta, AlAlternarLaCorrida) {
    const FilaPlanta& f = GetParam();
    const Corrida r = f.corrida;
    ASSERT_TRUE(f.mensaje.empty() != (f.cero == nullptr)) << "a row expects a message or a 0";
    Banco b(f.texto->decimal);
    ASSERT_NO_FATAL_FAILURE(Situar(b, r, f.activa));
    PonerPlanta(b.textos, *f.campo, f.texto->texto);
    const Foto antes = Tomar(b.sim);
    const std::size_t desde = b.mensajes.mostrados.size();
    Toggle(b, r);

    if (f.cero == nullptr) {
        EXPECT_EQ(Desde(b, desde), Lista({f.mensaje}));
        // the interval is set and the fields before the bad one are read; nothing else changes
        Foto esperada = antes;
        esperada.timers[static_cast<std::size_t>(r)].Interval = kIntervaloTick;
        for (const CampoPlanta* c = kPlanta; c != f.campo; ++c) esperada.estado.*c->campo = c->valor;
        EXPECT_TRUE(Iguales(Tomar(b.sim), esperada));
    } else {
        // the read succeeds: the toggle stops or starts the run; the 0 shows at the first tick
        EXPECT_EQ(Desde(b, desde), f.activa ? Lista({kCicloParado}) : Lista({}));
        EXPECT_EQ(b.sim.Estado().*f.campo->campo, 0.0f);
        if (f.activa) Toggle(b, r);
        ASSERT_TRUE(b.sim.Timer(r).Enabled);
        ASSERT_NO_FATAL_FAILURE(PrimerTickConUnCero(b, f));
        if (b.sim.Timer(r).Enabled) Toggle(b, r);
    }
    // put right, the button works again
    b.textos.Poner(f.campo->nombre, f.campo->otro);
    if (b.sim.Timer(r).Enabled) {
        Toggle(b, r);
        EXPECT_EQ(b.mensajes.mostrados.back(), kCicloParado);
    }
    Toggle(b, r);
    SigueFuncionando(b, r);
}

INSTANTIATE_TEST_SUITE_P(Escalon, TextosDeLaPlanta, ::testing::ValuesIn(FilasPlanta(Corrida::Escalon)), PorNombre());
INSTANTIATE_TEST_SUITE_P(PID, TextosDeLaPlanta, ::testing::ValuesIn(FilasPlanta(Corrida::PID)), PorNombre());
INSTANTIATE_TEST_SUITE_P(Fuzzy, TextosDeLaPlanta, ::testing::ValuesIn(FilasPlanta(Corrida::Fuzzy)), PorNombre());

// ---- The step amplitude, read by every tick of the step run ----

namespace {

struct FilaEscalon {
    const TextoMalo* texto;
    // Expected: the tick's message; or, when there is none, an amplitude of 0, a step like any other.
    std::string_view mensaje;
};

std::string Nombre(const FilaEscalon& f) { return std::string("Alto_Escalon_") + f.texto->nombre; }

void PrintTo(const FilaEscalon& f, std::ostream* os) {
    *os << "Alto_Escalon = '" << Corto(f.texto->texto) << "' (decimal '" << f.texto->decimal << "'): ";
    if (f.mensaje.empty()) {
        *os << "a step of 0";
    } else {
        *os << "the tick shows '" << Corto(f.mensaje) << "'";
    }
}

std::vector<FilaEscalon> FilasEscalon() {
    std::vector<FilaEscalon> filas;
    for (const TextoMalo& t : TextosMalos()) {
        if (t.comoFlotante.efecto == ComoFlotante::NoConvierte) filas.push_back({&t, t.comoFlotante.mensaje});
        if (t.comoFlotante.efecto == ComoFlotante::Cero) filas.push_back({&t, {}});
    }
    return filas;
}

class AlturaDelEscalon : public ::testing::TestWithParam<FilaEscalon> {};

}  // namespace

TEST_P(AlturaDelEscalon, EnCadaTick) {
    const FilaEscalon& f = GetParam();
    const Corrida r = Corrida::Escalon;
    Banco b(f.texto->decimal);
    ASSERT_NO_FATAL_FAILURE(EnMarcha(b, r));
    b.textos.Poner("Alto_Escalon", f.texto->texto);
    const Foto antes = Tomar(b.sim);
    Tick(b, r);
    if (!f.mensaje.empty()) {
        // the tick ends at its first step: nothing has changed
        EXPECT_EQ(Desde(b, 0), Lista({f.mensaje}));
        EXPECT_TRUE(Iguales(Tomar(b.sim), antes));
    } else {
        // an amplitude of 0 is a step like any other: the tick is the twin's, whose text is "0"
        EXPECT_EQ(Desde(b, 0), Lista({}));
        EXPECT_EQ(b.sim.Estado().Accion_Control, 0.0f);
        EXPECT_EQ(b.sim.Series2().Y(3), 0.0);
        EXPECT_EQ(b.sim.Timer(r).Tag, 4);
        Banco g(f.texto->decimal);
        ASSERT_NO_FATAL_FAILURE(EnMarcha(g, r));
        g.textos.Poner("Alto_Escalon", "0");
        Tick(g, r);
        ASSERT_EQ(Desde(g, 0), Lista({}));
        EXPECT_TRUE(Iguales(Tomar(b.sim), Tomar(g.sim)));
    }
    b.textos.Poner("Alto_Escalon", "2");
    SigueFuncionando(b, r);
}

INSTANTIATE_TEST_SUITE_P(Escalon, AlturaDelEscalon, ::testing::ValuesIn(FilasEscalon()), PorNombre());

// ---- The sample time and the gains, read by every tick of the PID and fuzzy runs ----

namespace {

// What a 0 does in a text of the tick, after the four reads that come before anything else.
enum class CeroEnElTick {
    ComoElCero,          // a 0 like any other: the tick is the twin's, whose text is "0"
    DivideTrasLaPlanta,  // the plant step and the bar are done, then the law divides by it
};
struct CampoTick {
    Corrida corrida;
    const char* nombre;
    CeroEnElTick cero;
    bool anulaLaAccion;  // a 0 makes the action 0
};
const CampoTick kCamposTick[] = {
    // u = Kp ((I / Ti + e) + D Td), with D = (1 / T) (e - Error_Ant)
    {Corrida::PID, "T_Sample", CeroEnElTick::DivideTrasLaPlanta, false},
    {Corrida::PID, "Kp", CeroEnElTick::ComoElCero, true},
    {Corrida::PID, "Ti", CeroEnElTick::DivideTrasLaPlanta, false},
    {Corrida::PID, "Td", CeroEnElTick::ComoElCero, false},
    // D_Error = (1 / Ts) (Error - Error_Ant) KDE, with Error = (r - y) KE; the action is Integral x KU
    {Corrida::Fuzzy, "T_Sample", CeroEnElTick::DivideTrasLaPlanta, false},
    {Corrida::Fuzzy, "KE", CeroEnElTick::ComoElCero, false},
    {Corrida::Fuzzy, "KDE", CeroEnElTick::ComoElCero, false},
    {Corrida::Fuzzy, "KU", CeroEnElTick::ComoElCero, true},
};

struct FilaTick {
    const CampoTick* campo;
    const TextoMalo* texto;
    // Expected: the read's message; or, when there is none, the 0 stored and the message of the division
    // after the plant step (none: the tick works as with "0").
    std::string_view alLeer;
    std::string_view trasLaPlanta;
};

std::string Nombre(const FilaTick& f) { return std::string(f.campo->nombre) + "_" + f.texto->nombre; }

void PrintTo(const FilaTick& f, std::ostream* os) {
    *os << f.campo->nombre << " = '" << Corto(f.texto->texto) << "' (decimal '" << f.texto->decimal << "'), "
        << NombreCorrida(f.campo->corrida) << " tick: ";
    if (!f.alLeer.empty()) {
        *os << "'" << Corto(f.alLeer) << "' before anything changes";
    } else if (!f.trasLaPlanta.empty()) {
        *os << "0, then '" << f.trasLaPlanta << "' after the plant step";
    } else {
        *os << "0, a tick like any other";
    }
}

std::vector<FilaTick> FilasTick(Corrida r) {
    std::vector<FilaTick> filas;
    for (const CampoTick& c : kCamposTick) {
        if (c.corrida != r) continue;
        for (const TextoMalo& t : TextosMalos()) {
            if (t.comoFlotante.efecto == ComoFlotante::NoConvierte)
                filas.push_back({&c, &t, t.comoFlotante.mensaje, {}});
            if (t.comoFlotante.efecto == ComoFlotante::Cero)
                filas.push_back(
                    {&c, &t, {}, c.cero == CeroEnElTick::DivideTrasLaPlanta ? kDivisionPorCero : std::string_view{}});
        }
    }
    return filas;
}

class TextosDelTick : public ::testing::TestWithParam<FilaTick> {};

}  // namespace

TEST_P(TextosDelTick, EnCadaTick) {
    const FilaTick& f = GetParam();
    const Corrida r = f.campo->corrida;
    Banco b(f.texto->decimal);
    ASSERT_NO_FATAL_FAILURE(EnMarcha(b, r));
    const std::string porDefecto = b.textos.Texto(f.campo->nombre);
    b.textos.Poner(f.campo->nombre, f.texto->texto);
    const Foto antes = Tomar(b.sim);
    Tick(b, r);
    if (!f.alLeer.empty()) {
        // the four reads come first: the tick ends with nothing changed
        EXPECT_EQ(Desde(b, 0), Lista({f.alLeer}));
        EXPECT_TRUE(Iguales(Tomar(b.sim), antes));
    } else if (!f.trasLaPlanta.empty()) {
        EXPECT_EQ(Desde(b, 0), Lista({f.trasLaPlanta}));
        // The volume and the bar are the plant step's, and the plant step takes the constants that the
        // toggle read, not the tick's texts: the twin's good tick gives them. The law stores nothing.
        Banco g(f.texto->decimal);
        ASSERT_NO_FATAL_FAILURE(EnMarcha(g, r));
        Tick(g, r);
        ASSERT_EQ(Desde(g, 0), Lista({}));
        const Foto gemela = Tomar(g.sim);
        EXPECT_NE(Bits(gemela.estado.Volumen), Bits(antes.estado.Volumen));
        Foto esperada = antes;
        esperada.estado.Volumen = gemela.estado.Volumen;
        esperada.nivel = gemela.nivel;
        EXPECT_TRUE(Iguales(Tomar(b.sim), esperada));
    } else {
        EXPECT_EQ(Desde(b, 0), Lista({}));
        EXPECT_EQ(b.sim.Timer(r).Tag, 4);
        if (f.campo->anulaLaAccion) {
            EXPECT_EQ(b.sim.Estado().Accion_Control, 0.0f);
        }
        Banco g(f.texto->decimal);
        ASSERT_NO_FATAL_FAILURE(EnMarcha(g, r));
        g.textos.Poner(f.campo->nombre, "0");
        Tick(g, r);
        ASSERT_EQ(Desde(g, 0), Lista({}));
        EXPECT_TRUE(Iguales(Tomar(b.sim), Tomar(g.sim)));
    }
    b.textos.Poner(f.campo->nombre, porDefecto);
    SigueFuncionando(b, r);
}

INSTANTIATE_TEST_SUITE_P(PID, TextosDelTick, ::testing::ValuesIn(FilasTick(Corrida::PID)), PorNombre());
INSTANTIATE_TEST_SUITE_P(Fuzzy, TextosDelTick, ::testing::ValuesIn(FilasTick(Corrida::Fuzzy)), PorNombre());
