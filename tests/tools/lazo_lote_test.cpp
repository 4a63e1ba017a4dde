// tanque-lote with the pump's limits: the trace's commanded column, the indices' time in saturation, and comparar
// between two PID set-ups against the core's runs of each.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/comparacion.h"
#include "core/textos_por_defecto.h"
#include "tests/tools/ejecutar.h"
#include "tools/opciones_lote.h"
#include "tools/traza_lote.h"

namespace {

std::vector<std::string> Lineas(const std::string& texto) {
    std::vector<std::string> v;
    std::istringstream s(texto);
    for (std::string l; std::getline(s, l);) v.push_back(l);
    return v;
}

std::vector<std::string> Campos(const std::string& linea) {
    std::vector<std::string> v;
    std::istringstream s(linea);
    for (std::string c; std::getline(s, c, ',');) v.push_back(c);
    return v;
}

}  // namespace

TEST(LazoLote, LaTrazaLlevaLoComandadoSoloConLimites) {
    const Ejecucion libre = Ejecutar({"pid", "5", "--traza"});
    EXPECT_EQ(Lineas(libre.salida).front() + "\n", std::string(kCabeceraTraza));
    const Ejecucion limitada = Ejecutar({"pid", "40", "--traza", "--Track_Referencia=6", "--Caudal_Max=1.75"});
    ASSERT_EQ(limitada.estado, 0) << limitada.errores;
    const std::vector<std::string> l = Lineas(limitada.salida);
    ASSERT_EQ(l.front(), Lineas(kCabeceraTraza).front() + ",accion_comandada");
    for (std::size_t i = 1; i < l.size(); ++i) {
        const std::vector<std::string> c = Campos(l[i]);
        ASSERT_EQ(c.size(), 11u);
        const double aplicada = std::stod(c[1]), comandada = std::stod(c.back());
        // the record's inflow is the pump's: the command clamped
        EXPECT_EQ(aplicada, std::min(comandada, 1.75)) << l[i];
    }
}

TEST(LazoLote, LosIndicesDicenElTiempoSaturado) {
    const Ejecucion e = Ejecutar({"pid", "300", "--indices", "--json", "--Track_Referencia=6", "--Caudal_Min=0",
                                  "--Caudal_Max=1.75"});
    ASSERT_EQ(e.estado, 0) << e.errores;
    const nlohmann::json j = nlohmann::json::parse(Lineas(e.salida).back());
    ASSERT_TRUE(j.contains("tiempo_saturado"));
    // the windup of the default PI: the pump sits at a limit for well over a third of the 150 s
    EXPECT_GT(j["tiempo_saturado"].get<double>(), 60.0);
    const Ejecucion libre = Ejecutar({"pid", "300", "--indices", "--json", "--Track_Referencia=6"});
    EXPECT_FALSE(nlohmann::json::parse(Lineas(libre.salida).back()).contains("tiempo_saturado"));
}

TEST(LazoLote, CompararDosAjustesDelPID) {
    const Ejecucion e = Ejecutar({"comparar", "300", "--json", "--Track_Referencia=6", "--Caudal_Min=0",
                                  "--Caudal_Max=1.75", "--otro:Antisaturacion=Retrocalculo"});
    ASSERT_EQ(e.estado, 0) << e.errores;
    const nlohmann::json j = nlohmann::json::parse(e.salida);
    ASSERT_TRUE(j.contains("pid") && j.contains("pid2"));
    EXPECT_FALSE(j.contains("fuzzy"));
    // each the core's own run of its texts
    TextosMapa textos = TextosIniciales('.');
    textos.Poner("Caudal_Min", "0");
    textos.Poner("Caudal_Max", "1.75");
    const std::vector<CambioReferencia> calendario{{0, 6}};
    const ResultadoCorrida sin = CorrerConIndices(textos, Corrida::PID, calendario, 300);
    textos.Poner("Antisaturacion", "Retrocalculo");
    const ResultadoCorrida con = CorrerConIndices(textos, Corrida::PID, calendario, 300);
    EXPECT_EQ(j["pid"]["escalones"][0]["sobreimpulso"].get<double>(), *sin.escalones[0].sobreimpulso);
    EXPECT_EQ(j["pid2"]["escalones"][0]["sobreimpulso"].get<double>(), *con.escalones[0].sobreimpulso);
    EXPECT_LT(*con.escalones[0].sobreimpulso, *sin.escalones[0].sobreimpulso / 4);
    // the text table names the second set-up PID-2
    const Ejecucion texto = Ejecutar({"comparar", "100", "--Caudal_Max=1.75", "--otro:Antisaturacion=Condicional"});
    EXPECT_NE(texto.salida.find("\nPID-2 "), std::string::npos) << texto.salida;
}

TEST(LazoLote, OtroSoloValeParaComparar) {
    EXPECT_THROW(LeerOpciones({"pid", "10", "--otro:Kp=3"}), std::invalid_argument);
    EXPECT_THROW(LeerOpciones({"comparar", "10", "--otro:NoExiste=3"}), std::invalid_argument);
    EXPECT_THROW(LeerOpciones({"comparar", "10", "--otro:Track_Referencia=3"}), std::invalid_argument);
    // the texts whose default is empty are known names
    EXPECT_NO_THROW(LeerOpciones({"pid", "10", "--Caudal_Max=", "--Tt=2", "--N=8"}));
}
