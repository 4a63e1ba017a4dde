// The core's reader of the signal and noise texts: the numbers through the same conversions and runtime-style
// messages as the other readers, each check's message, and only the texts that the type uses.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "base/errores.h"
#include "core/lectura_senal.h"
#include "core/textos_mapa.h"
#include "core/textos_senal.h"
#include "senales/generador.h"
#include "tests/senales/comun.h"

namespace {

TextosMapa TextosDeSenal(char decimal = '.') {
    TextosMapa t(decimal);
    for (const TextoPorDefecto& d : TextosSenal()) t.Poner(d.nombre, ConDecimal(d.texto, decimal));
    return t;
}

struct Caso {
    const char* tipo;
    std::vector<std::pair<const char*, const char*>> textos;
    std::string mensaje;  // "(sin error)" when the texts read
};

std::string Leer(const Caso& c) {
    TextosMapa t = TextosDeSenal();
    t.Poner("Senal_Tipo", c.tipo);
    for (const auto& [nombre, texto] : c.textos) t.Poner(nombre, texto);
    return TextoDelError<ErrorTanque>([&] { LeerSenal(t); });
}

}  // namespace

TEST(LecturaSenal, TextosPorDefectoDeCadaTipoLeenYHacenGenerador) {
    TextosMapa t = TextosDeSenal();
    EXPECT_EQ(LeerSenal(t).tipo, TipoSenal::Escalon);
    for (int i = 0; i < kTiposSenal; ++i) {
        t.Poner("Senal_Tipo", kNombresTipo[i]);
        const ParametrosSenal p = LeerSenal(t);
        EXPECT_EQ(p.tipo, static_cast<TipoSenal>(i));
        GeneradorSenal g(p);
        const double v = g.Valor(0);
        if (i > 0) {
            EXPECT_TRUE(v >= 0.5 && v <= 2.0) << kNombresTipo[i];
        }
    }
    const ParametrosRuido r = LeerRuido(t);
    EXPECT_EQ(r.desviacion, 0.0);
    EXPECT_TRUE(Ruido(r).Nulo());
}

TEST(LecturaSenal, LosTextosDanLosParametros) {
    TextosMapa t = TextosDeSenal(',');
    t.Poner("Senal_Tipo", "prbs");
    t.Poner("Senal_Minimo", "-0,25");
    t.Poner("Senal_Maximo", " 1,5e1 ");
    t.Poner("Senal_Periodo", "+3");
    t.Poner("Senal_Orden", "20");
    t.Poner("Senal_Semilla", "18446744073709551615");
    ParametrosSenal p = LeerSenal(t);
    EXPECT_EQ(p.tipo, TipoSenal::PRBS);
    EXPECT_EQ(p.minimo, -0.25);
    EXPECT_EQ(p.maximo, 15.0);
    EXPECT_EQ(p.periodo, 3);
    EXPECT_EQ(p.orden, 20);
    EXPECT_EQ(p.semilla, 18446744073709551615u);

    t.Poner("Senal_Tipo", "Multiseno");
    t.Poner("Senal_Frecuencia_Min", "0,125");
    t.Poner("Senal_Frecuencia_Max", "1");
    t.Poner("Senal_Componentes", "7");
    t.Poner("Senal_Longitud", "64");
    p = LeerSenal(t);
    EXPECT_EQ(p.frecuenciaMin, 0.125);
    EXPECT_EQ(p.frecuenciaMax, 1.0);
    EXPECT_EQ(p.componentes, 7);
    EXPECT_EQ(p.longitud, 64);
    EXPECT_EQ(p.periodo, ParametrosSenal{}.periodo) << "not the multisine's: left at its default";
}

TEST(LecturaSenal, CadaTextoMaloConSuMensaje) {
    const std::string bien = "(sin error)";
    const Caso casos[] = {
        // numbers, through the conversions of every other reader
        {"PRBS", {{"Senal_Minimo", "abc"}}, "'abc' is not a valid floating point value"},
        {"PRBS", {{"Senal_Maximo", ""}}, "'' is not a valid floating point value"},
        {"PRBS", {{"Senal_Maximo", "2,5"}}, "'2,5' is not a valid floating point value"},
        {"PRBS", {{"Senal_Minimo", "-1e400"}}, kDesbordamiento},  // converts, and overflows its Double
        {"PRBS", {{"Senal_Periodo", "1.5"}}, "'1.5' is not a valid integer value"},
        {"PRBS", {{"Senal_Orden", "2147483648"}}, "'2147483648' is not a valid integer value"},
        {"PRBS", {{"Senal_Semilla", "-1"}}, "'-1' is not a valid integer value"},
        {"PRBS", {{"Senal_Semilla", "18446744073709551616"}}, "'18446744073709551616' is not a valid integer value"},
        {"PRBS", {{"Senal_Semilla", " +0 "}}, bien},
        {"Gaussiana", {{"Senal_Semilla", "1e3"}}, "'1e3' is not a valid integer value"},
        {"Barrido", {{"Senal_Frecuencia_Min", "nan"}}, "'nan' is not a valid floating point value"},
        {"Barrido", {{"Senal_Frecuencia_Max", "0x1"}}, "'0x1' is not a valid floating point value"},
        {"Multiseno", {{"Senal_Componentes", "diez"}}, "'diez' is not a valid integer value"},
        {"Multiseno", {{"Senal_Longitud", "4 00"}}, "'4 00' is not a valid integer value"},
        // the checks
        {"PRBS", {{"Senal_Minimo", "3"}}, kMensajeNiveles},
        {"Binaria aleatoria", {{"Senal_Periodo", "0"}}, kMensajePeriodo},
        {"PRBS", {{"Senal_Orden", "21"}}, kMensajeOrden},
        {"Barrido", {{"Senal_Frecuencia_Max", "1.5"}}, kMensajeBanda},
        {"Barrido", {{"Senal_Frecuencia_Min", "0"}}, kMensajeBanda},
        {"Barrido", {{"Senal_Frecuencia_Min", "0.5"}}, kMensajeBandaInvertida},
        {"Multiseno", {{"Senal_Componentes", "0"}}, kMensajeComponentes},
        {"Multiseno", {{"Senal_Componentes", "1001"}}, kMensajeMuchasComponentes},
        {"Barrido", {{"Senal_Longitud", "1"}}, kMensajeLongitudCorta},
        {"Barrido", {{"Senal_Longitud", "1000001"}}, kMensajeLongitudLarga},
        {"Multiseno", {{"Senal_Longitud", "40"}}, "La banda solo admite 4 componentes con esa longitud"},
        {"Senoidal",
         {},
         "Tipo de señal desconocido: 'Senoidal'. Los tipos válidos son: Escalón, PRBS, Binaria "
         "aleatoria, Niveles aleatorios, Multiseno, Barrido, Gaussiana"},
        // order: the type first, then the fields in order, conversions before checks
        {"Senoidal",
         {{"Senal_Minimo", "x"}},
         "Tipo de señal desconocido: 'Senoidal'. Los tipos válidos son: "
         "Escalón, PRBS, Binaria aleatoria, Niveles aleatorios, Multiseno, "
         "Barrido, Gaussiana"},
        {"PRBS", {{"Senal_Maximo", "y"}, {"Senal_Minimo", "x"}}, "'x' is not a valid floating point value"},
        {"PRBS", {{"Senal_Minimo", "9"}, {"Senal_Semilla", "z"}}, "'z' is not a valid integer value"},
        // texts that the type does not use are not read
        {"PRBS", {{"Senal_Frecuencia_Min", "x"}, {"Senal_Componentes", "-"}, {"Senal_Longitud", "0"}}, bien},
        {"Multiseno", {{"Senal_Semilla", "x"}, {"Senal_Periodo", "x"}, {"Senal_Orden", "x"}}, bien},
        {"Escalón", {{"Senal_Minimo", "x"}, {"Senal_Maximo", "x"}, {"Senal_Periodo", "0"}}, bien},
    };
    for (const Caso& c : casos) {
        std::string nombres;
        for (const auto& [nombre, texto] : c.textos) nombres += std::string(" ") + nombre + "=" + texto;
        EXPECT_EQ(Leer(c), c.mensaje) << c.tipo << nombres;
    }
}

TEST(LecturaSenal, Ruido) {
    struct CasoRuido {
        const char* desviacion;
        const char* semilla;
        std::string mensaje;
        double s;
        std::uint64_t semillaLeida;
    };
    const std::string bien = "(sin error)";
    for (const CasoRuido& c : {CasoRuido{"0", "x", bien, 0.0, 1},  // no noise: the seed is not read
                               {"0.5", "7", bien, 0.5, 7},
                               {"1e-3", "0", bien, 0.001, 0},
                               {"-0.5", "x", kMensajeRuidoNegativo, 0, 0},  // refused before the seed
                               {"abc", "1", "'abc' is not a valid floating point value", 0, 0},
                               {"1e400", "1", kDesbordamiento, 0, 0},
                               {"0.5", "-2", "'-2' is not a valid integer value", 0, 0}}) {
        TextosMapa t = TextosDeSenal();
        t.Poner("Ruido_Desviacion", c.desviacion);
        t.Poner("Ruido_Semilla", c.semilla);
        ParametrosRuido r;
        EXPECT_EQ(TextoDelError<ErrorTanque>([&] { r = LeerRuido(t); }), c.mensaje) << c.desviacion;
        if (c.mensaje == bien) {
            EXPECT_EQ(r.desviacion, c.s) << c.desviacion;
            EXPECT_EQ(r.semilla, c.semillaLeida) << c.desviacion;
        }
    }
}

TEST(LecturaSenal, TextoANatural64) {
    for (auto [t, v] : {std::pair{"0", std::uint64_t{0}},
                        {" 42\t", 42},
                        {"+7", 7},
                        {"0018446744073709551615", 18446744073709551615u},
                        {"18446744073709551610", 18446744073709551610u}}) {
        EXPECT_EQ(TextoANatural64(t), v) << t;
    }
    for (const char* t : {"", " ", "+", "-0", "-1", "1.0", "1e3", "0x10", "18446744073709551616",
                          "99999999999999999999", "1 2", "++1"}) {
        EXPECT_EQ(TextoDelError<ErrorConversion>([&] { TextoANatural64(t); }),
                  "'" + std::string(t) + "' is not a valid integer value")
            << t;
    }
}

TEST(LecturaSenal, TablaDeTextosPorDefecto) {
    const std::vector<std::pair<std::string, std::string>> esperada = {
        {"Senal_Tipo", "Escalón"},
        {"Senal_Minimo", "0.5"},
        {"Senal_Maximo", "2"},
        {"Senal_Periodo", "10"},
        {"Senal_Orden", "6"},
        {"Senal_Semilla", "1"},
        {"Senal_Frecuencia_Min", "0.01"},
        {"Senal_Frecuencia_Max", "0.2"},
        {"Senal_Componentes", "10"},
        {"Senal_Longitud", "400"},
        {"Ruido_Desviacion", "0"},
        {"Ruido_Semilla", "1"},
    };
    std::vector<std::pair<std::string, std::string>> tabla;
    for (const TextoPorDefecto& d : TextosSenal()) tabla.emplace_back(d.nombre, d.texto);
    EXPECT_EQ(tabla, esperada);
    // each name once in the main table
    std::multiset<std::string> principales;
    for (const TextoPorDefecto& d : TextosPorDefecto()) principales.insert(d.nombre);
    for (const auto& [nombre, texto] : tabla) {
        EXPECT_EQ(principales.count(nombre), 1u) << nombre;
        EXPECT_EQ(TextoPorDefectoDe(nombre, ','), ConDecimal(texto, ',')) << nombre;
    }
    // one block of the main table
    const auto todas = TextosPorDefecto();
    ASSERT_GE(todas.size(), tabla.size());
    EXPECT_TRUE(TextosSenal().data() >= todas.data() &&
                TextosSenal().data() + TextosSenal().size() <= todas.data() + todas.size());
}
