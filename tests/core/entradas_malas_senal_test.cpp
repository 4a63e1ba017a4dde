// The excitation signal's and the measurement noise's texts, which the runs read at every tick (the signal's in the
// step run, the noise's in every run), against the texts that no reader should take and against the signal's
// checks: one test case per row. A bad text ends the tick before anything changes, with its message (the
// runtime-style texts for the numbers, Spanish ones for the checks), and the run goes on once it is put right; a
// text that reads as a good 0 is a tick like the twin's whose text is "0".

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "senales/parametros.h"
#include "senales/ruido.h"
#include "tests/core/entradas_malas.h"
#include "tests/core/foto.h"

namespace {

enum class Lectura { Flotante, Entero, Natural };

// What a text that stores 0, or that converts to a large number (2147483648), does in a field.
struct Efecto {
    bool ok;  // a good value: the tick goes on (compared with the twin's "0" for a 0)
    std::string_view mensaje;
};
const Efecto kBueno{true, {}};
Efecto Refusa(std::string_view m) { return {false, m}; }

struct CampoSenal {
    const char* nombre;
    const char* tipo;  // the signal type whose tick reads it; nullptr for the noise, which every run reads
    Lectura lectura;
    Efecto cero;
    Efecto grande;
};
// With the default texts for the rest: levels 0.5 to 2, a band of 0.01 to 0.2, a deviation of 0.1 for the seed.
const CampoSenal kCampos[] = {
    {"Senal_Minimo", "PRBS", Lectura::Flotante, kBueno, Refusa(kMensajeNiveles)},
    {"Senal_Maximo", "PRBS", Lectura::Flotante, Refusa(kMensajeNiveles), kBueno},
    {"Senal_Periodo", "PRBS", Lectura::Entero, {}, {}},
    {"Senal_Orden", "PRBS", Lectura::Entero, {}, {}},
    {"Senal_Semilla", "PRBS", Lectura::Natural, {}, kBueno},
    {"Senal_Frecuencia_Min", "Multiseno", Lectura::Flotante, Refusa(kMensajeBanda), Refusa(kMensajeBanda)},
    {"Senal_Frecuencia_Max", "Multiseno", Lectura::Flotante, Refusa(kMensajeBanda), Refusa(kMensajeBanda)},
    {"Senal_Componentes", "Multiseno", Lectura::Entero, {}, {}},
    {"Senal_Longitud", "Barrido", Lectura::Entero, {}, {}},
    {"Ruido_Desviacion", nullptr, Lectura::Flotante, kBueno, kBueno},
    {"Ruido_Semilla", nullptr, Lectura::Natural, {}, kBueno},
};

struct FilaSenal {
    Corrida corrida;
    const char* nombre;
    const char* tipo;
    std::string texto;
    char decimal;
    std::string nombreFila;
    // Expected: the tick's message; or, when there is none, a tick like the twin's with "0".
    std::string mensaje;
};

const char* NombreCorrida(Corrida r) { return r == Corrida::Escalon ? "Escalon" : r == Corrida::PID ? "PID" : "Fuzzy"; }

std::string Nombre(const FilaSenal& f) { return f.nombreFila; }

void PrintTo(const FilaSenal& f, std::ostream* os) {
    *os << f.nombre << " = '" << Corto(f.texto) << "' (decimal '" << f.decimal << "')"
        << (f.tipo ? std::string(", signal ") + f.tipo : std::string()) << ", run " << NombreCorrida(f.corrida) << ": "
        << (f.mensaje.empty() ? std::string("a tick like the twin's with 0") : "'" + Corto(f.mensaje) + "'");
}

// Every bad text in every field, in every run that reads it.
std::vector<FilaSenal> FilasTextosMalos() {
    std::vector<FilaSenal> filas;
    for (const CampoSenal& c : kCampos) {
        for (Corrida r : {Corrida::Escalon, Corrida::PID, Corrida::Fuzzy}) {
            if (c.tipo && r != Corrida::Escalon) continue;
            for (const TextoMalo& t : TextosMalos()) {
                FilaSenal f{r,       c.nombre,  c.tipo,
                            t.texto, t.decimal, std::string(c.nombre) + "_" + t.nombre + "_" + NombreCorrida(r),
                            ""};
                const bool grande = std::string_view(t.nombre) == "2147483648";
                switch (c.lectura) {
                    case Lectura::Entero: f.mensaje = t.comoEntero; break;
                    case Lectura::Natural:
                        // the seeds are unsigned 64-bit integers: only the large one reads
                        if (grande) continue;
                        f.mensaje = t.comoEntero;
                        break;
                    case Lectura::Flotante: {
                        const Efecto e = t.comoFlotante.efecto == ComoFlotante::Cero        ? c.cero
                                         : t.comoFlotante.efecto == ComoFlotante::Convierte ? c.grande
                                                                                            : Refusa({});
                        if (t.comoFlotante.efecto == ComoFlotante::NoConvierte) {
                            f.mensaje = t.comoFlotante.mensaje;
                        } else if (!e.ok) {
                            f.mensaje = e.mensaje;
                        } else if (t.comoFlotante.efecto == ComoFlotante::Convierte) {
                            continue;  // a good value like any other
                        }
                        break;
                    }
                }
                filas.push_back(f);
            }
        }
    }
    return filas;
}

// The signal's checks and the noise's sign, each with its Spanish message.
std::vector<FilaSenal> FilasComprobaciones() {
    struct C {
        const char* nombre;
        const char* tipo;
        const char* texto;
        std::string mensaje;
        const char* fila;
    };
    const std::string desconocido =
        "Tipo de señal desconocido: 'Senoidal'. Los tipos válidos son: Escalón, PRBS, Binaria aleatoria, Niveles "
        "aleatorios, Multiseno, Barrido, Gaussiana";
    const C casos[] = {
        {"Senal_Orden", "PRBS", "1", kMensajeOrden, "orden_1"},
        {"Senal_Orden", "PRBS", "21", kMensajeOrden, "orden_21"},
        {"Senal_Orden", "PRBS", "-6", kMensajeOrden, "orden_menos6"},
        {"Senal_Minimo", "PRBS", "3", kMensajeNiveles, "minimo_sobre_maximo"},
        {"Senal_Maximo", "Gaussiana", "0.4", kMensajeNiveles, "maximo_bajo_minimo"},
        {"Senal_Minimo", "Multiseno", "2.5", kMensajeNiveles, "minimo_sobre_maximo_multiseno"},
        {"Senal_Frecuencia_Min", "Barrido", "0", kMensajeBanda, "banda_0"},
        {"Senal_Frecuencia_Min", "Multiseno", "-0.1", kMensajeBanda, "banda_negativa"},
        {"Senal_Frecuencia_Max", "Barrido", "1.01", kMensajeBanda, "banda_sobre_1"},
        {"Senal_Frecuencia_Min", "Barrido", "0.3", kMensajeBandaInvertida, "banda_invertida"},
        {"Senal_Periodo", "PRBS", "0", kMensajePeriodo, "periodo_0_prbs"},
        {"Senal_Periodo", "Binaria aleatoria", "-1", kMensajePeriodo, "periodo_menos1_binaria"},
        {"Senal_Periodo", "Niveles aleatorios", "0", kMensajePeriodo, "periodo_0_niveles"},
        {"Senal_Periodo", "Gaussiana", "0", kMensajePeriodo, "periodo_0_gaussiana"},
        {"Senal_Componentes", "Multiseno", "0", kMensajeComponentes, "componentes_0"},
        {"Senal_Componentes", "Multiseno", "1001", kMensajeMuchasComponentes, "componentes_1001"},
        {"Senal_Componentes", "Multiseno", "40", MensajeRejilla(39), "componentes_sin_rejilla"},
        {"Senal_Longitud", "Multiseno", "1", kMensajeLongitudCorta, "longitud_1"},
        {"Senal_Longitud", "Barrido", "1000001", kMensajeLongitudLarga, "longitud_1000001"},
        {"Senal_Tipo", nullptr, "Senoidal", desconocido, "tipo_desconocido"},
    };
    std::vector<FilaSenal> filas;
    for (const C& c : casos) filas.push_back({Corrida::Escalon, c.nombre, c.tipo, c.texto, '.', c.fila, c.mensaje});
    for (Corrida r : {Corrida::Escalon, Corrida::PID, Corrida::Fuzzy})
        filas.push_back({r, "Ruido_Desviacion", nullptr, "-0.1", '.', std::string("ruido_negativo_") + NombreCorrida(r),
                         kMensajeRuidoNegativo});
    return filas;
}

// The row's run started with its signal type (and some noise when the row is the noise's seed), ticked three times.
void Preparar(Banco& b, const FilaSenal& f) {
    if (f.tipo) b.textos.Poner("Senal_Tipo", f.tipo);
    if (std::string_view(f.nombre) == "Ruido_Semilla") b.textos.Poner("Ruido_Desviacion", ConDecimal("0.1", f.decimal));
    EnMarcha(b, f.corrida);
}

class TextosDeLaSenal : public ::testing::TestWithParam<FilaSenal> {};

}  // namespace

TEST_P(TextosDeLaSenal, EnCadaTick) {
    const FilaSenal& f = GetParam();
    const Corrida r = f.corrida;
    Banco b(f.decimal);
    ASSERT_NO_FATAL_FAILURE(Preparar(b, f));
    const std::string antesDelTexto = b.textos.Texto(f.nombre);
    b.textos.Poner(f.nombre, f.texto);
    const Foto antes = Tomar(b.sim);
    Tick(b, r);
    if (!f.mensaje.empty()) {
        // the signal and the noise are read before anything changes
        EXPECT_EQ(Desde(b, 0), Lista({f.mensaje}));
        EXPECT_TRUE(Iguales(Tomar(b.sim), antes));
        // the same text fails the same way at the next tick
        Tick(b, r);
        EXPECT_EQ(b.mensajes.repetidos, std::vector<std::string>{f.mensaje + " x2"});
        EXPECT_TRUE(Iguales(Tomar(b.sim), antes));
    } else {
        EXPECT_EQ(Desde(b, 0), Lista({}));
        EXPECT_EQ(b.sim.Timer(r).Tag, 4);
        Banco g(f.decimal);
        ASSERT_NO_FATAL_FAILURE(Preparar(g, f));
        g.textos.Poner(f.nombre, "0");
        Tick(g, r);
        ASSERT_EQ(Desde(g, 0), Lista({}));
        EXPECT_TRUE(Iguales(Tomar(b.sim), Tomar(g.sim)));
    }
    b.textos.Poner(f.nombre, antesDelTexto);
    SigueFuncionando(b, r);
}

INSTANTIATE_TEST_SUITE_P(Malos, TextosDeLaSenal, ::testing::ValuesIn(FilasTextosMalos()), PorNombre());
INSTANTIATE_TEST_SUITE_P(Comprobaciones, TextosDeLaSenal, ::testing::ValuesIn(FilasComprobaciones()), PorNombre());
