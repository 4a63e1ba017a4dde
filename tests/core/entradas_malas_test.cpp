// Every text that the program reads, against texts that no reader should take. Each gives its exact message,
// ends its handler at the step where it arises, leaves alone what must not change, and the program goes on
// working once the text is put right. A text that converts to 0 is followed to what that 0 does next.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/planta.h"
#include "tests/core/banco.h"
#include "tests/core/foto.h"

namespace {

// A bad text and the decimal separator it is typed under.
struct TextoMalo {
    std::string texto;
    char decimal = '.';
};

const std::vector<TextoMalo>& TextosMalos() {
    static const std::vector<TextoMalo> t = {
        {""},
        {" "},
        {"abc"},
        {"1.5", ','},
        {"1,5"},
        {"1e400"},
        {"-1e400"},
        {"1e-400"},
        {"nan"},
        {"inf"},
        {"0x10"},
        {"2147483648"},
        {"\xef\xbc\x91\xef\xbc\x92"} /* full-width 12 */,
        {"1 000"},
        {std::string(1000000, '9')},
    };
    return t;
}

enum class Lectura { Entero, Flotante };
enum class Efecto { NoConvierte, Desborda, Cero, Convierte };

Efecto EfectoDe(const TextoMalo& t, Lectura l) {
    if (l == Lectura::Entero) return Efecto::NoConvierte;
    if (t.texto == "1e400" || t.texto == "-1e400") return Efecto::Desborda;  // converts, and overflows its store
    if (t.texto == "1e-400") return Efecto::Cero;                            // underflows silently
    if (t.texto == "2147483648") return Efecto::Convierte;                   // bad only where an integer is read
    return Efecto::NoConvierte;
}

std::string MensajeDe(const TextoMalo& t, Lectura l) {
    if (EfectoDe(t, l) == Efecto::Desborda) return kDesbordamiento;
    return "'" + t.texto +
           (l == Lectura::Entero ? "' is not a valid integer value" : "' is not a valid floating point value");
}

// How many bad texts were tried, and how many gave exactly the messages expected.
struct Cuenta {
    int intentos = 0;
    int exactos = 0;
};
Cuenta cuenta;

class Informe : public ::testing::Environment {
public:
    void TearDown() override {
        std::printf("[ entradas malas ] %d probadas, %d con su mensaje exacto\n", cuenta.intentos, cuenta.exactos);
    }
};
[[maybe_unused]] const auto* const informe = ::testing::AddGlobalTestEnvironment(new Informe);

// The messages shown since `desde`, counted as one try.
std::vector<std::string> Nuevos(const Banco& b, std::size_t desde, const std::vector<std::string>& esperados) {
    std::vector<std::string> m(b.mensajes.mostrados.begin() + static_cast<std::ptrdiff_t>(desde),
                               b.mensajes.mostrados.end());
    ++cuenta.intentos;
    if (m == esperados) ++cuenta.exactos;
    return m;
}

void Toggle(Banco& b, Corrida r) { b.sim.AtenderToggle(r); }
void Tick(Banco& b, Corrida r) { b.sim.AtenderTick(r); }

// A run started with the default texts and ticked three times.
void EnMarcha(Banco& b, Corrida r) {
    if (r == Corrida::Fuzzy) b.sim.ToolButton11Click();
    Toggle(b, r);
    for (int i = 0; i < 3; ++i) Tick(b, r);
    ASSERT_TRUE(b.sim.Timer(r).Enabled);
    ASSERT_TRUE(b.mensajes.mostrados.empty());
}

// One more tick works: no message, the counter goes on.
void SigueFuncionando(Banco& b, Corrida r) {
    ASSERT_TRUE(b.sim.Timer(r).Enabled);
    const std::size_t mensajes = b.mensajes.mostrados.size();
    const std::int32_t n = b.sim.Timer(r).Tag;
    Tick(b, r);
    EXPECT_EQ(b.mensajes.mostrados.size(), mensajes) << b.mensajes.mostrados.back();
    EXPECT_EQ(b.sim.Timer(r).Tag, n + 1);
}

}  // namespace

// ---- The plant texts, read by every run toggle, on a start and on a stop ----

namespace {

// In the order of the read, with texts of a plant other than the default one and the values they store.
struct CampoPlanta {
    const char* nombre;
    Lectura lectura;
    const char* otro;
    float Simulacion::*campo;
    float valor;
};
const CampoPlanta kPlanta[] = {
    {"T_Sample", Lectura::Entero, "250", &Simulacion::T_Muestreo, 0.25f},
    {"Resistencia", Lectura::Flotante, "4", &Simulacion::R_Hidraulica, 4.0f},
    {"Area", Lectura::Flotante, "3", &Simulacion::Tau, 12.0f},
    {"HMax", Lectura::Flotante, "6", &Simulacion::Nivel_Max, 6.0f},
};

// A plant constant that reads as 0, once its run has started: what the first tick meets.
void PrimerTickConUnCero(Banco& b, Corrida r, const std::string& campo) {
    const Foto antes = Tomar(b.sim);
    const std::size_t desde = b.mensajes.mostrados.size();
    Tick(b, r);
    Foto esperada = antes;
    if (campo == "HMax") {
        if (r == Corrida::Escalon) {
            // the level passes a maximum of 0: the overflow stop, then the bar divides by 0 and the tick ends
            EXPECT_EQ(Nuevos(b, desde, {kNivelSuperado, kDivisionPorCero}),
                      (std::vector<std::string>{kNivelSuperado, kDivisionPorCero}));
            EXPECT_FALSE(b.sim.Timer(r).Enabled);
            EXPECT_EQ(b.sim.Series1().Cuenta(), antes.series[0].size() + 1);
            EXPECT_GT(b.sim.Estado().Volumen, 0);
            EXPECT_EQ(b.sim.Timer(r).Tag, antes.timers[0].Tag);
            return;
        }
        // an empty tank and no inflow: a level of 0 is no overflow, and the bar's 0 / 0 is invalid
        EXPECT_EQ(Nuevos(b, desde, {kOperacionInvalida}), std::vector<std::string>{kOperacionInvalida});
    } else {
        // Tau = 0: the integrator divides -1 by it
        EXPECT_EQ(Nuevos(b, desde, {kDivisionPorCero}), std::vector<std::string>{kDivisionPorCero});
        if (r == Corrida::Escalon) {
            esperada.estado.Accion_Control = 2;  // steps 2 and 3 of the step tick come before the plant step
            // after the last point whose x is not greater: an earlier run's points may lie beyond it
            auto& accion = esperada.series[1];
            const double x = antes.timers[0].Tag;
            auto donde = accion.begin();
            while (donde != accion.end() && donde->x <= x) ++donde;
            accion.insert(donde, Punto{x, 2.0});
        }
    }
    EXPECT_TRUE(Iguales(Tomar(b.sim), esperada));
}

}  // namespace

TEST(EntradasMalas, TextosDeLaPlantaEnCadaToggle) {
    for (Corrida r : {Corrida::Escalon, Corrida::PID, Corrida::Fuzzy})
        for (bool activa : {false, true})
            for (std::size_t k = 0; k < std::size(kPlanta); ++k)
                for (const TextoMalo& t : TextosMalos()) {
                    const CampoPlanta& c = kPlanta[k];
                    const Efecto efecto = EfectoDe(t, c.lectura);
                    if (efecto == Efecto::Convierte) continue;
                    SCOPED_TRACE(std::string(c.nombre) + " = '" + t.texto.substr(0, 20) + "', run " +
                                 std::to_string(static_cast<int>(r)) + (activa ? ", active" : ", idle"));
                    Banco b(t.decimal);
                    if (activa) {
                        EnMarcha(b, r);
                    } else {
                        if (r == Corrida::Fuzzy) b.sim.ToolButton11Click();
                        // an old state that no toggle would leave, so that any change shows
                        b.sim.Estado() = Simulacion{1.5f, 0.75f, 0.1f, 1, 2, 3, 0.5f, 0.25f, 0.125f, 0.0625, 0.03125};
                    }
                    for (const CampoPlanta& otro : kPlanta) b.textos.Poner(otro.nombre, otro.otro);
                    b.textos.Poner(c.nombre, t.texto);
                    const Foto antes = Tomar(b.sim);
                    const std::size_t desde = b.mensajes.mostrados.size();
                    Toggle(b, r);

                    if (efecto == Efecto::Cero) {
                        // the read succeeds: the toggle starts or stops the run; the 0 shows at the first tick
                        EXPECT_EQ(Nuevos(b, desde,
                                         activa ? std::vector<std::string>{kCicloParado} : std::vector<std::string>{}),
                                  activa ? std::vector<std::string>{kCicloParado} : std::vector<std::string>{});
                        EXPECT_EQ(b.sim.Estado().*c.campo, 0.0f);
                        if (activa) Toggle(b, r);
                        ASSERT_TRUE(b.sim.Timer(r).Enabled);
                        PrimerTickConUnCero(b, r, c.nombre);
                        if (b.sim.Timer(r).Enabled) Toggle(b, r);
                    } else {
                        const std::string m = MensajeDe(t, c.lectura);
                        EXPECT_EQ(Nuevos(b, desde, {m}), std::vector<std::string>{m});
                        // the interval is set and the fields before the bad one are read; nothing else changes
                        Foto esperada = antes;
                        esperada.timers[static_cast<std::size_t>(r)].Interval = kIntervaloTick;
                        for (std::size_t j = 0; j < k; ++j) esperada.estado.*kPlanta[j].campo = kPlanta[j].valor;
                        EXPECT_TRUE(Iguales(Tomar(b.sim), esperada));
                    }
                    // put right, the button works again
                    b.textos.Poner(c.nombre, c.otro);
                    if (b.sim.Timer(r).Enabled) {
                        Toggle(b, r);
                        EXPECT_EQ(b.mensajes.mostrados.back(), kCicloParado);
                    }
                    Toggle(b, r);
                    SigueFuncionando(b, r);
                }
}

// ---- The texts that the ticks read ----

TEST(EntradasMalas, AlturaDelEscalonEnCadaTick) {
    for (const TextoMalo& t : TextosMalos()) {
        const Efecto efecto = EfectoDe(t, Lectura::Flotante);
        if (efecto == Efecto::Convierte) continue;
        SCOPED_TRACE("Alto_Escalon = '" + t.texto.substr(0, 20) + "'");
        Banco b(t.decimal);
        EnMarcha(b, Corrida::Escalon);
        b.textos.Poner("Alto_Escalon", t.texto);
        const Foto antes = Tomar(b.sim);
        Tick(b, Corrida::Escalon);
        if (efecto == Efecto::Cero) {
            // an amplitude of 0 is a step like any other
            EXPECT_EQ(Nuevos(b, 0, {}), std::vector<std::string>{});
            EXPECT_EQ(b.sim.Estado().Accion_Control, 0.0f);
            EXPECT_EQ(b.sim.Series2().Y(3), 0.0);
            EXPECT_EQ(b.sim.Timer(Corrida::Escalon).Tag, 4);
        } else {
            // the tick ends at its first step: nothing has changed
            const std::string m = MensajeDe(t, Lectura::Flotante);
            EXPECT_EQ(Nuevos(b, 0, {m}), std::vector<std::string>{m});
            EXPECT_TRUE(Iguales(Tomar(b.sim), antes));
        }
        b.textos.Poner("Alto_Escalon", "2");
        SigueFuncionando(b, Corrida::Escalon);
    }
}

TEST(EntradasMalas, TextosDeLosTicksPIDYFuzzy) {
    struct Caso {
        Corrida corrida;
        const char* nombre;
        bool ceroDivide;  // a 0 here divides by zero after the plant step
    };
    const Caso casos[] = {
        {Corrida::PID, "T_Sample", true}, {Corrida::PID, "Kp", false},        {Corrida::PID, "Ti", true},
        {Corrida::PID, "Td", false},      {Corrida::Fuzzy, "T_Sample", true}, {Corrida::Fuzzy, "KE", false},
        {Corrida::Fuzzy, "KDE", false},   {Corrida::Fuzzy, "KU", false},
    };
    for (const Caso& c : casos)
        for (const TextoMalo& t : TextosMalos()) {
            const Efecto efecto = EfectoDe(t, Lectura::Flotante);
            if (efecto == Efecto::Convierte) continue;
            SCOPED_TRACE(std::string(c.nombre) + " = '" + t.texto.substr(0, 20) + "', run " +
                         std::to_string(static_cast<int>(c.corrida)));
            Banco b(t.decimal);
            EnMarcha(b, c.corrida);
            const std::string porDefecto = b.textos.Texto(c.nombre);
            b.textos.Poner(c.nombre, t.texto);
            const Foto antes = Tomar(b.sim);
            Tick(b, c.corrida);
            if (efecto != Efecto::Cero) {
                // the four reads come first: the tick ends with nothing changed
                const std::string m = MensajeDe(t, Lectura::Flotante);
                EXPECT_EQ(Nuevos(b, 0, {m}), std::vector<std::string>{m});
                EXPECT_TRUE(Iguales(Tomar(b.sim), antes));
            } else if (c.ceroDivide) {
                // the plant step is done; the law's division ends the tick before anything else is stored
                EXPECT_EQ(Nuevos(b, 0, {kDivisionPorCero}), std::vector<std::string>{kDivisionPorCero});
                Foto esperada = antes;
                esperada.estado.Volumen = RK(antes.estado, antes.estado.Volumen);
                const float y = CalcularNivel(antes.estado, esperada.estado.Volumen);
                const float s =
                    static_cast<float>(y * static_cast<long double>(kBarraAltoMaximo) / 5);  // default maximum 5
                esperada.nivel.Height = static_cast<std::int32_t>(std::nearbyint(s));
                esperada.nivel.Top = kBarraFondo - esperada.nivel.Height;
                EXPECT_TRUE(Iguales(Tomar(b.sim), esperada));
            } else {
                // a gain of 0 is a gain like any other
                EXPECT_EQ(Nuevos(b, 0, {}), std::vector<std::string>{});
                EXPECT_EQ(b.sim.Timer(c.corrida).Tag, 4);
                if (std::string(c.nombre) == "Kp" || std::string(c.nombre) == "KU") {
                    EXPECT_EQ(b.sim.Estado().Accion_Control, 0.0f);
                }
            }
            b.textos.Poner(c.nombre, porDefecto);
            SigueFuncionando(b, c.corrida);
        }
}

// ---- The 45 set edits and the 25 rule cells, read by the fuzzy initialisation ----

TEST(EntradasMalas, EditsYCeldasDeLaInicializacionFuzzy) {
    struct Campo {
        std::string nombre;
        Lectura lectura;
        int conjunto;  // 0 to 14 in reading order, or -1 for a rule cell
        int celda;     // 0 to 24 row by row, or -1 for a set edit
    };
    std::vector<Campo> campos;
    for (int g = 0; g < 3; ++g)
        for (int k = 0; k < 5; ++k)
            for (const char* columna : {"Tipo", "Ancho", "Centro"})
                campos.push_back({NombreFuzzy(kPrefijosFuzzy[g], kEtiquetas[k], columna),
                                  std::string(columna) == "Tipo" ? Lectura::Entero : Lectura::Flotante, g * 5 + k, -1});
    for (int fila = 1; fila <= 5; ++fila)
        for (int columna = 1; columna <= 5; ++columna)
            campos.push_back({NombreCelda(columna, fila), Lectura::Entero, -1, (fila - 1) * 5 + columna - 1});

    for (const Campo& c : campos)
        for (const TextoMalo& t : TextosMalos()) {
            const Efecto efecto = EfectoDe(t, c.lectura);
            if (efecto == Efecto::Convierte) continue;
            SCOPED_TRACE(c.nombre + " = '" + t.texto.substr(0, 20) + "'");
            Banco b(t.decimal);
            // a first initialisation whose rules all name set 4, to tell apart the rules that the next one reaches
            const TextosMapa porDefecto = b.textos;
            for (int i = 0; i < 25; ++i) b.textos.PonerCelda(i % 5 + 1, i / 5 + 1, "4");
            b.sim.ToolButton11Click();
            const FIS primera = b.sim.Controlador_Fuzzy();
            b.textos = porDefecto;
            b.textos.Poner(c.nombre, t.texto);
            const Foto antes = Tomar(b.sim);
            b.sim.Atender([&] { b.sim.ToolButton11Click(); });

            std::vector<std::string> esperados;
            if (efecto == Efecto::Cero) {
                // a width of 0 is refused for an input set; an output width, or a centre, of 0 is stored
                if (c.nombre.find("_Ancho") != std::string::npos && c.conjunto < 10)
                    esperados = {std::string("El conjunto ") + kEtiquetas[c.conjunto % 5] + " de " +
                                 kPanelesFuzzy[c.conjunto / 5] + " tiene ancho 0"};
            } else {
                esperados = {MensajeDe(t, c.lectura)};
            }
            EXPECT_EQ(Nuevos(b, 0, esperados), esperados);
            EXPECT_TRUE(Iguales(Tomar(b.sim), antes));  // the runs' state is not the initialisation's
            EXPECT_EQ(b.sim.FuzzyInicializado(), esperados.empty());
            if (!esperados.empty()) {
                // the sets before the failing one are defined, it and those after are as created; the rules
                // before the failing cell are read, the others keep what they named
                const FIS& f = b.sim.Controlador_Fuzzy();
                const int hastaConjunto = c.conjunto >= 0 ? c.conjunto : 15;
                for (int s = 0; s < 15; ++s) {
                    const auto& grupo = [&](const FIS& x) -> const std::vector<FDP>& {
                        return s < 5 ? x.Conjuntos_E : s < 10 ? x.Conjuntos_DE : x.Conjuntos_U;
                    };
                    const FDP& conjunto = grupo(f)[static_cast<std::size_t>(s % 5)];
                    const FDP esperado = s < hastaConjunto ? grupo(primera)[static_cast<std::size_t>(s % 5)] : FDP();
                    EXPECT_EQ(conjunto.Tipo, esperado.Tipo) << "set " << s;
                    EXPECT_EQ(Bits(conjunto.Ancho), Bits(esperado.Ancho)) << "set " << s;
                    EXPECT_EQ(Bits(conjunto.Centro), Bits(esperado.Centro)) << "set " << s;
                }
                for (int i = 0; i < 25; ++i) {
                    const bool leida = c.celda >= 0 && i < c.celda;
                    EXPECT_EQ(f.Tabla_Reglas[i / 5][i % 5], leida ? kReglasPorDefecto[i / 5][i % 5] : 4)
                        << "rule " << i;
                }
            }
            // put right, the initialisation and the fuzzy run work
            b.textos = porDefecto;
            b.sim.Atender([&] { b.sim.ToolButton11Click(); });
            EXPECT_TRUE(b.sim.FuzzyInicializado());
            Toggle(b, Corrida::Fuzzy);
            SigueFuncionando(b, Corrida::Fuzzy);
        }
}
