// What the signal dialog shows of its texts: the inflow of the first samples as the run takes it, the spectrum of
// one period, a bad text's message instead of the drawing, and the steady level of the signal's maximum against
// the maximum level.

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include "base/aritmetica.h"
#include "core/textos_por_defecto.h"
#include "core/vista_senal.h"
#include "senales/generador.h"
#include "tests/ayudas.h"

TEST(VistaSenal, ElEscalonPorDefecto) {
    const VistaSenal v = VerSenal(TextosIniciales('.'));
    ASSERT_FALSE(v.error);
    ASSERT_EQ(v.valores.size(), static_cast<std::size_t>(kMuestrasVista));
    for (double x : v.valores) EXPECT_EQ(x, 2.0);
    for (double p : v.espectro.potencia) EXPECT_EQ(p, 0.0);  // a constant has no power about its mean
    ASSERT_FALSE(v.errorEstacionario);
    EXPECT_EQ(v.estacionario, 4.0);  // Alto_Escalon 2 times Resistencia 2
    EXPECT_EQ(v.nivelMaximo, 5.0);
    EXPECT_FALSE(v.desborda);
    // texts made before the signal existed: the same
    TextosMapa sin;
    for (const char* n : {"Alto_Escalon", "Resistencia", "HMax"}) sin.Poner(n, TextoPorDefectoDe(n, '.'));
    const VistaSenal w = VerSenal(sin);
    EXPECT_FALSE(w.error);
    EXPECT_EQ(w.valores, v.valores);
    EXPECT_EQ(w.estacionario, 4.0);
}

TEST(VistaSenal, LosValoresSonLosDeLaCorridaYElEspectroElDeUnPeriodo) {
    for (int t = 1; t < kTiposSenal; ++t) {
        TextosMapa textos = TextosIniciales(',');
        textos.Poner("Senal_Tipo", kNombresTipo[t]);
        textos.Poner("Senal_Maximo", "1,75");
        const VistaSenal v = VerSenal(textos);
        ASSERT_FALSE(v.error) << *v.error;
        ParametrosSenal p;
        p.tipo = static_cast<TipoSenal>(t);
        p.maximo = 1.75;
        EXPECT_EQ(v.parametros, p);
        GeneradorSenal g(p);
        const auto m = static_cast<std::size_t>(MuestrasEspectro(p));
        std::vector<double> x(std::max<std::size_t>(m, kMuestrasVista));
        for (std::size_t n = 0; n < x.size(); ++n)
            x[n] = static_cast<double>(aSingle(g.Valor(static_cast<std::int64_t>(n))));
        ASSERT_EQ(v.valores.size(), static_cast<std::size_t>(kMuestrasVista));
        for (std::size_t n = 0; n < v.valores.size(); ++n)
            ASSERT_EQ(Bits(v.valores[n]), Bits(x[n])) << kNombresTipo[t] << " " << n;
        const Espectro e = EspectroPotencia(std::span<const double>(x).first(m));
        EXPECT_EQ(v.espectro.potencia, e.potencia) << kNombresTipo[t];
        EXPECT_EQ(v.espectro.frecuencia, e.frecuencia) << kNombresTipo[t];
        EXPECT_EQ(v.estacionario, 3.5);
        EXPECT_FALSE(v.desborda);
    }
}

TEST(VistaSenal, MuestrasDelEspectro) {
    auto con = [](TipoSenal t, std::int32_t periodo, std::int32_t orden, std::int32_t longitud) {
        ParametrosSenal p;
        p.tipo = t;
        p.periodo = periodo;
        p.orden = orden;
        p.longitud = longitud;
        return MuestrasEspectro(p);
    };
    EXPECT_EQ(con(TipoSenal::PRBS, 10, 6, 400), 630);  // (2^6 - 1) clocks of 10 samples
    EXPECT_EQ(con(TipoSenal::PRBS, 1, 2, 400), 3);
    EXPECT_EQ(con(TipoSenal::PRBS, 10, 20, 400), kMuestrasEspectroMaximas);
    EXPECT_EQ(con(TipoSenal::Multiseno, 10, 6, 400), 400);
    EXPECT_EQ(con(TipoSenal::Barrido, 10, 6, 1000000), kMuestrasEspectroMaximas);
    EXPECT_EQ(con(TipoSenal::BinariaAleatoria, 10, 6, 400), 4096);
    EXPECT_EQ(con(TipoSenal::NivelesAleatorios, 10, 6, 400), 4096);
    EXPECT_EQ(con(TipoSenal::Gaussiana, 10, 6, 400), 4096);
    EXPECT_EQ(con(TipoSenal::Escalon, 10, 6, 400), kMuestrasVista);
}

TEST(VistaSenal, UnTextoMaloDaSuMensajeEnLugarDelDibujo) {
    const std::string tipo =
        "Tipo de señal desconocido: 'Senoidal'. Los tipos válidos son: Escalón, PRBS, Binaria aleatoria, Niveles "
        "aleatorios, Multiseno, Barrido, Gaussiana";
    struct Caso {
        std::vector<std::pair<const char*, const char*>> textos;
        std::string error;
        std::string errorEstacionario;  // "" when the advice stands
        double estacionario;
    };
    const Caso casos[] = {
        {{{"Senal_Tipo", "PRBS"}, {"Senal_Periodo", "x"}}, "'x' is not a valid integer value", "", 4.0},
        {{{"Senal_Tipo", "PRBS"}, {"Senal_Orden", "21"}}, kMensajeOrden, "", 4.0},
        {{{"Senal_Tipo", "PRBS"}, {"Senal_Minimo", "3"}}, kMensajeNiveles, "", 4.0},
        {{{"Senal_Tipo", "Barrido"}, {"Senal_Frecuencia_Max", "2"}}, kMensajeBanda, "", 4.0},
        {{{"Senal_Tipo", "PRBS"}, {"Senal_Maximo", "y"}},
         "'y' is not a valid floating point value",
         "'y' is not a valid floating point value",
         0},
        {{{"Senal_Tipo", "Senoidal"}}, tipo, tipo, 0},
        {{{"Alto_Escalon", "z"}},
         "'z' is not a valid floating point value",
         "'z' is not a valid floating point value",
         0},
        // the plant's texts touch only the advice
        {{{"Senal_Tipo", "PRBS"}, {"Resistencia", "r"}}, "", "'r' is not a valid floating point value", 0},
        {{{"Senal_Tipo", "PRBS"}, {"HMax", "1e400"}}, "", kDesbordamiento, 0},
    };
    for (const Caso& c : casos) {
        TextosMapa t = TextosIniciales('.');
        for (const auto& [n, x] : c.textos) t.Poner(n, x);
        const VistaSenal v = VerSenal(t);
        EXPECT_EQ(v.error.value_or(""), c.error) << c.textos.back().second;
        if (!c.error.empty()) {
            EXPECT_TRUE(v.valores.empty());
            EXPECT_TRUE(v.espectro.potencia.empty());
        } else {
            EXPECT_EQ(v.valores.size(), static_cast<std::size_t>(kMuestrasVista));
        }
        EXPECT_EQ(v.errorEstacionario.value_or(""), c.errorEstacionario) << c.textos.back().second;
        if (c.errorEstacionario.empty()) {
            EXPECT_EQ(v.estacionario, c.estacionario);
        }
    }
}

TEST(VistaSenal, ElAvisoDeDesbordeEsElNivelEstacionarioDelMaximo) {
    struct Caso {
        const char* tipo;
        const char* maximo;  // Senal_Maximo, or Alto_Escalon for the step
        const char* resistencia;
        const char* hmax;
        double estacionario;
        bool desborda;
    };
    const Caso casos[] = {
        {"PRBS", "2", "2", "5", 4.0, false},
        {"PRBS", "2.5", "2", "5", 5.0, false},  // the level only reaches R u from below: no overflow
        {"PRBS", "3", "2", "5", 6.0, true},
        {"Gaussiana", "2", "3", "5", 6.0, true},
        {"Multiseno", "2", "2", "8", 4.0, false},
        {"Escalón", "3", "2", "5", 6.0, true},
        {"Escalón", "0.5", "2", "0.5", 1.0, true},
        {"PRBS", "0.1", "0.1", "1", static_cast<double>(0.1f) * static_cast<double>(0.1f), false},
    };
    for (const Caso& c : casos) {
        TextosMapa t = TextosIniciales('.');
        t.Poner("Senal_Tipo", c.tipo);
        t.Poner(std::string(c.tipo) == "Escalón" ? "Alto_Escalon" : "Senal_Maximo", c.maximo);
        t.Poner("Senal_Minimo", "0");
        t.Poner("Resistencia", c.resistencia);
        t.Poner("HMax", c.hmax);
        const VistaSenal v = VerSenal(t);
        ASSERT_FALSE(v.errorEstacionario) << *v.errorEstacionario;
        EXPECT_EQ(v.estacionario, c.estacionario) << c.tipo << " " << c.maximo;
        EXPECT_EQ(v.desborda, c.desborda) << c.tipo << " " << c.maximo;
        // advice only: the drawing keeps the signal's own levels
        ASSERT_FALSE(v.error);
        double mayor = 0;
        for (double x : v.valores) mayor = std::max(mayor, x);
        EXPECT_LE(mayor, static_cast<double>(static_cast<float>(std::stod(c.maximo))));
    }
}

TEST(VistaSenal, ElGeneradorGuardadoSeUsaSoloConSusParametros) {
    TextosMapa t = TextosIniciales('.');
    t.Poner("Senal_Tipo", "PRBS");
    std::optional<GeneradorSenal> guardado;
    const VistaSenal a = VerSenal(t, &guardado);
    ASSERT_TRUE(guardado);
    EXPECT_EQ(guardado->Parametros(), a.parametros);
    // other parameters: a generator of their own, the same view as without one
    t.Poner("Senal_Tipo", "Gaussiana");
    const VistaSenal b = VerSenal(t, &guardado);
    EXPECT_EQ(guardado->Parametros(), b.parametros);
    EXPECT_EQ(b.valores, VerSenal(t).valores);
    EXPECT_NE(b.valores, a.valores);
    // a bad text leaves it as it was
    t.Poner("Senal_Periodo", "x");
    EXPECT_TRUE(VerSenal(t, &guardado).error);
    EXPECT_EQ(guardado->Parametros(), b.parametros);
}
