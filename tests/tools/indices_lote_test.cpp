// --indices and comparar against the core that the window's "Índices" and comparison use: the same run, tick by
// tick, gives the same steps, every index to its last bit.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/comparacion.h"
#include "core/textos_por_defecto.h"
#include "tests/tools/ejecutar.h"
#include "tools/indices_lote.h"

namespace {

using nlohmann::json;

std::vector<json> Lineas(const std::string& texto) {
    std::vector<json> v;
    std::istringstream s(texto);
    for (std::string l; std::getline(s, l);) v.push_back(json::parse(l));
    return v;
}

void Igual(const json& j, const std::optional<double>& v, const char* clave) {
    if (v && std::isfinite(*v)) {
        ASSERT_TRUE(j[clave].is_number()) << clave;
        EXPECT_EQ(j[clave].get<double>(), *v) << clave;
    } else {
        EXPECT_TRUE(j[clave].is_null()) << clave;
    }
}

// One step of the tool's JSON against the core's.
void MismoEscalon(const json& j, const IndicesEscalon& e, std::size_t numero) {
    SCOPED_TRACE("step " + std::to_string(numero));
    EXPECT_EQ(j["escalon"], numero);
    EXPECT_EQ(j["con_referencia"], e.conReferencia);
    EXPECT_EQ(j["terminado"], e.terminado);
    EXPECT_EQ(j["primera"], e.primera);
    EXPECT_EQ(j["ultima"], e.ultima);
    EXPECT_EQ(j["muestras"], e.muestras);
    EXPECT_EQ(j["establecida"], e.establecida);
    EXPECT_EQ(j["unidos"], e.unidos);
    Igual(j, e.duracion, "duracion");
    Igual(j, e.inicial, "inicial");
    Igual(j, e.objetivo, "objetivo");
    Igual(j, e.IAE, "IAE");
    Igual(j, e.ISE, "ISE");
    Igual(j, e.ITAE, "ITAE");
    Igual(j, e.esfuerzo, "esfuerzo");
    Igual(j, e.sobreimpulso, "sobreimpulso");
    Igual(j, e.tiempoSubida, "tiempo_subida");
    Igual(j, e.tiempoEstablecimiento, "tiempo_establecimiento");
    Igual(j, e.errorEstacionario, "error_estacionario");
}

TextosMapa TextosCon(const std::vector<std::pair<const char*, const char*>>& cambios) {
    TextosMapa t = TextosIniciales('.');
    for (const auto& [n, v] : cambios) t.Poner(n, v);
    return t;
}

}  // namespace

// The three runs with --indices --json, and CorrerConIndices on the same texts and reference schedule.
TEST(IndicesLote, CadaEscalonEsElDelNucleo) {
    struct Caso {
        std::vector<std::string> argumentos;
        Corrida corrida;
        std::vector<std::pair<const char*, const char*>> textos;
        std::vector<CambioReferencia> calendario;
        const char* por_que;
    };
    const Caso casos[] = {
        {{"pid", "600", "--Track_Referencia@300=8"}, Corrida::PID, {}, {{300, 8}}, "one change of the reference"},
        {{"fuzzy", "700", "--Track_Referencia=4", "--Track_Referencia@200=6", "--Track_Referencia@450=1"},
         Corrida::Fuzzy,
         {},
         {{0, 4}, {200, 6}, {450, 1}},
         "three steps, one down"},
        {{"pid", "400", "--Kp=8", "--Banda_Establecimiento=5"},
         Corrida::PID,
         {{"Kp", "8"}, {"Banda_Establecimiento", "5"}},
         {},
         "another band"},
        {{"escalon", "700", "--Senal_Tipo=PRBS"}, Corrida::Escalon, {{"Senal_Tipo", "PRBS"}}, {}, "steps of inflow"},
        {{"escalon", "200", "--Alto_Escalon=3"}, Corrida::Escalon, {{"Alto_Escalon", "3"}}, {}, "an overflow stop"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.por_que);
        std::vector<std::string> a = c.argumentos;
        a.insert(a.end(), {"--indices", "--json"});
        const Ejecucion e = Ejecutar(a);
        EXPECT_EQ(e.estado, 0) << e.errores;
        const std::vector<json> pasos = Lineas(e.salida);
        const ResultadoCorrida r =
            CorrerConIndices(TextosCon(c.textos), c.corrida, c.calendario, std::stoll(c.argumentos[1]));
        ASSERT_EQ(pasos.size(), r.escalones.size());
        ASSERT_GT(pasos.size(), 0u);
        for (std::size_t i = 0; i < pasos.size(); ++i) MismoEscalon(pasos[i], r.escalones[i], i + 1);
    }
}

// The text table: a header and a row a step, the dash where an index is not defined, never nan.
TEST(IndicesLote, LaTablaTieneUnaFilaPorEscalon) {
    const Ejecucion e = Ejecutar({"escalon", "700", "--Senal_Tipo=PRBS", "--indices"});
    EXPECT_EQ(e.estado, 0);
    const ResultadoCorrida r = CorrerConIndices(TextosCon({{"Senal_Tipo", "PRBS"}}), Corrida::Escalon, {}, 700);
    std::istringstream s(e.salida);
    std::string l;
    std::getline(s, l);
    EXPECT_EQ(l + "\n", CabeceraIndices(false));
    std::size_t filas = 0;
    for (; std::getline(s, l); ++filas) {
        ASSERT_LT(filas, r.escalones.size());
        EXPECT_EQ(l + "\n", FilaIndices(r.escalones[filas], filas + 1));
    }
    EXPECT_EQ(filas, r.escalones.size());
    EXPECT_EQ(e.salida.find("nan"), std::string::npos);
    // a row with no settling yet shows the dash
    IndicesEscalon vacio;
    vacio.terminado = false;
    EXPECT_NE(FilaIndices(vacio, 1).find("—"), std::string::npos);
    EXPECT_NE(FilaIndices(vacio, 1).find("en curso"), std::string::npos);
}

TEST(IndicesLote, IndicesYTrazaNoVanJuntas) {
    EXPECT_THROW(LeerOpciones({"pid", "10", "--indices", "--traza"}), std::invalid_argument);
    EXPECT_THROW(LeerOpciones({"pid", "10", "--json"}), std::invalid_argument);
    EXPECT_NO_THROW(LeerOpciones({"pid", "10", "--indices", "--json", "--salida=x.txt"}));
}

// comparar: both rows of each step, the numbers of CompararControladores on the same schedule.
TEST(Comparar, EsLaComparacionDelNucleo) {
    const std::vector<CambioReferencia> calendario = {{0, 6}, {300, 3}};
    const ResultadoComparacion r = CompararControladores(TextosCon({{"Kp", "4"}}), calendario, 600);
    const Ejecucion e =
        Ejecutar({"comparar", "600", "--Kp=4", "--Track_Referencia=6", "--Track_Referencia@300=3", "--json"});
    EXPECT_EQ(e.estado, 0) << e.errores;
    const json j = json::parse(e.salida);
    for (const auto& [clave, corrida] :
         {std::pair{"pid", &r.De(Corrida::PID)}, std::pair{"fuzzy", &r.De(Corrida::Fuzzy)}}) {
        SCOPED_TRACE(clave);
        EXPECT_EQ(j[clave]["muestras"], corrida->muestras.size());
        EXPECT_TRUE(j[clave]["fallo"].is_null());
        ASSERT_EQ(j[clave]["escalones"].size(), corrida->escalones.size());
        ASSERT_EQ(corrida->escalones.size(), 2u);
        for (std::size_t i = 0; i < corrida->escalones.size(); ++i)
            MismoEscalon(j[clave]["escalones"][i], corrida->escalones[i], i + 1);
    }
    // the text: a header, then the PID row and the fuzzy row of each step
    const Ejecucion t = Ejecutar({"comparar", "600", "--Kp=4", "--Track_Referencia=6", "--Track_Referencia@300=3"});
    EXPECT_EQ(t.salida, CabeceraIndices(true) + FilaIndices(r.De(Corrida::PID).escalones[0], 1, "PID") +
                            FilaIndices(r.De(Corrida::Fuzzy).escalones[0], 1, "Fuzzy") +
                            FilaIndices(r.De(Corrida::PID).escalones[1], 2, "PID") +
                            FilaIndices(r.De(Corrida::Fuzzy).escalones[1], 2, "Fuzzy"));
}

TEST(Comparar, LasFallasYLasOpcionesMalas) {
    // a text that does not convert fails both runs: status 1, each run's message
    const Ejecucion e = Ejecutar({"comparar", "50", "--T_Sample=x"});
    EXPECT_EQ(e.estado, 1);
    EXPECT_NE(e.errores.find("tanque-lote: PID, tras 0 muestras: 'x' is not a valid integer value"), std::string::npos)
        << e.errores;
    EXPECT_NE(e.errores.find("tanque-lote: Fuzzy, tras 0 muestras:"), std::string::npos) << e.errores;
    // the overflow stop is the run's end, not a failure
    const Ejecucion d = Ejecutar({"comparar", "400", "--HMax=1", "--Track_Referencia=10"});
    EXPECT_EQ(d.estado, 0) << d.errores;
    for (const std::vector<std::string>& a : std::vector<std::vector<std::string>>{
             {"comparar", "10", "--Kp@3=2"},
             {"comparar", "10", "--Track_Referencia@10=2"},
             {"comparar", "10", "--salida=x.txt"},
             {"comparar", "10", "--traza"},
             {"comparar", "10", "--indices"},
         })
        EXPECT_THROW(LeerOpciones(a), std::invalid_argument) << a.back();
    const OpcionesLote o = LeerOpciones({"comparar", "10", "--Track_Referencia=4", "--Track_Referencia@5=7"});
    const std::vector<CambioReferencia> c = CalendarioDe(o);
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].muestra, 0);
    EXPECT_EQ(c[0].posicion, 4);
    EXPECT_EQ(c[1].muestra, 5);
    EXPECT_EQ(c[1].posicion, 7);
}
