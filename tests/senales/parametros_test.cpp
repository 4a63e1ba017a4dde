// The check of the parameters, one message per fault, only for what each type uses; and the captions of
// the types.

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "senales/parametros.h"
#include "tests/senales/comun.h"

namespace {

struct Caso {
    const char* porque;
    TipoSenal tipo;
    std::function<void(ParametrosSenal&)> cambio;
    std::string mensaje;  // "(sin error)" when the parameters pass
};

}  // namespace

TEST(Parametros, CadaFaltaConSuMensaje) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    using T = TipoSenal;
    using P = ParametrosSenal;
    const std::string bien = "(sin error)";
    const Caso casos[] = {
        {"defaults of every type", T::PRBS, [](P&) {}, bien},
        {"", T::BinariaAleatoria, [](P&) {}, bien},
        {"", T::NivelesAleatorios, [](P&) {}, bien},
        {"", T::Multiseno, [](P&) {}, bien},
        {"", T::Barrido, [](P&) {}, bien},
        {"", T::Gaussiana, [](P&) {}, bien},
        {"", T::Escalon, [](P&) {}, bien},
        {"levels", T::PRBS, [](P& p) { p.minimo = 3; }, kMensajeNiveles},
        {"equal levels pass", T::Gaussiana, [](P& p) { p.minimo = p.maximo = 3; }, bien},
        {"a NaN level", T::Barrido, [](P& p) { p.maximo = nan; }, kMensajeNiveles},
        {"period", T::BinariaAleatoria, [](P& p) { p.periodo = 0; }, kMensajePeriodo},
        {"", T::Gaussiana, [](P& p) { p.periodo = -5; }, kMensajePeriodo},
        {"one sample per clock", T::PRBS, [](P& p) { p.periodo = 1; }, bien},
        {"order", T::PRBS, [](P& p) { p.orden = 1; }, kMensajeOrden},
        {"", T::PRBS, [](P& p) { p.orden = 21; }, kMensajeOrden},
        {"", T::PRBS, [](P& p) { p.orden = 2; }, bien},
        {"", T::PRBS, [](P& p) { p.orden = 20; }, bien},
        {"band", T::Barrido, [](P& p) { p.frecuenciaMin = 0; }, kMensajeBanda},
        {"", T::Barrido, [](P& p) { p.frecuenciaMax = 1.0000001; }, kMensajeBanda},
        {"", T::Multiseno, [](P& p) { p.frecuenciaMin = -0.1; }, kMensajeBanda},
        {"", T::Barrido, [](P& p) { p.frecuenciaMin = nan; }, kMensajeBanda},
        {"Nyquist is in the band", T::Barrido, [](P& p) { p.frecuenciaMax = 1; }, bien},
        {"inverted band", T::Barrido, [](P& p) { p.frecuenciaMin = 0.3; }, kMensajeBandaInvertida},
        {"a band of one frequency", T::Barrido, [](P& p) { p.frecuenciaMin = p.frecuenciaMax; }, bien},
        {"components", T::Multiseno, [](P& p) { p.componentes = 0; }, kMensajeComponentes},
        {"", T::Multiseno, [](P& p) { p.componentes = 1001; }, kMensajeMuchasComponentes},
        {"length", T::Multiseno, [](P& p) { p.longitud = 1; }, kMensajeLongitudCorta},
        {"", T::Barrido, [](P& p) { p.longitud = 1000001; }, kMensajeLongitudLarga},
        {"", T::Barrido, [](P& p) { p.longitud = 2; }, bien},
        {"the grid of 20 samples holds 2 bins of 0.01 .. 0.2", T::Multiseno, [](P& p) { p.longitud = 20; },
         "La banda solo admite 2 componentes con esa longitud"},
        {"", T::Multiseno, [](P& p) { p.frecuenciaMin = p.frecuenciaMax = 1; },
         "La banda solo admite 0 componentes con esa longitud"},
        {"one bin: the singular", T::Multiseno, [](P& p) { p.frecuenciaMin = p.frecuenciaMax = 0.5; },
         "La banda solo admite 1 componente con esa longitud"},
        {"the first fault in field order", T::PRBS,
         [](P& p) {
             p.minimo = 9;
             p.orden = 0;
         },
         kMensajeNiveles},
        {"", T::Multiseno,
         [](P& p) {
             p.frecuenciaMin = 2;
             p.componentes = 0;
         },
         kMensajeBanda},
        {"what a type does not use is not checked", T::PRBS,
         [](P& p) {
             p.frecuenciaMin = 5;
             p.componentes = 0;
             p.longitud = 0;
         },
         bien},
        {"", T::Multiseno,
         [](P& p) {
             p.orden = 99;
             p.periodo = 0;
         },
         bien},
        {"", T::Gaussiana, [](P& p) { p.orden = 99; }, bien},
        {"", T::Escalon,
         [](P& p) {
             p.minimo = 5;
             p.orden = 0;
             p.periodo = 0;
         },
         bien},
    };
    for (const Caso& c : casos) {
        ParametrosSenal p = De(c.tipo);
        c.cambio(p);
        EXPECT_EQ(TextoDelError<ErrorTanque>([&] { ComprobarSenal(p); }), c.mensaje) << c.porque << ": " << Nombre(p);
    }
}

TEST(Parametros, TiposPorSuNombre) {
    struct Nombre {
        const char* texto;
        TipoSenal tipo;
    };
    using T = TipoSenal;
    for (const Nombre& n : {Nombre{"Escalón", T::Escalon},
                            {"escalon", T::Escalon},
                            {"ESCALÓN", T::Escalon},
                            {" Escalon ", T::Escalon},
                            {"PRBS", T::PRBS},
                            {"prbs", T::PRBS},
                            {"Binaria aleatoria", T::BinariaAleatoria},
                            {"binaria_aleatoria", T::BinariaAleatoria},
                            {"BINARIA-ALEATORIA", T::BinariaAleatoria},
                            {"binaria   aleatoria", T::BinariaAleatoria},
                            {"Niveles aleatorios", T::NivelesAleatorios},
                            {"niveles_aleatorios", T::NivelesAleatorios},
                            {"Multiseno", T::Multiseno},
                            {"multiseno", T::Multiseno},
                            {"Barrido", T::Barrido},
                            {"barrido", T::Barrido},
                            {"Gaussiana", T::Gaussiana},
                            {"\tgaussiana\n", T::Gaussiana}}) {
        EXPECT_EQ(TipoDeTexto(n.texto), n.tipo) << n.texto;
    }
    for (int t = 0; t < kTiposSenal; ++t) EXPECT_EQ(TipoDeTexto(kNombresTipo[t]), static_cast<TipoSenal>(t));
}

TEST(Parametros, TipoDesconocidoDiceLosValidos) {
    for (const char* texto : {"", "escalones", "Seno", "binariaaleatoria", "pr bs", "Escal\xf3n" /* Latin-1 */}) {
        EXPECT_EQ(TextoDelError<ErrorTanque>([&] { TipoDeTexto(texto); }),
                  std::string("Tipo de señal desconocido: '") + texto +
                      "'. Los tipos válidos son: Escalón, PRBS, Binaria aleatoria, Niveles aleatorios, Multiseno, "
                      "Barrido, Gaussiana")
            << texto;
    }
}
