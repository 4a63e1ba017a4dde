#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/constantes.h"
#include "export/formato.h"
#include "tools/lote.h"

namespace {

struct Resultado {
    int estado;
    std::vector<std::vector<std::string>> filas;  // the trace, without its header
    std::string errores;
};

std::string Leer(std::FILE* f) {
    std::rewind(f);
    std::string s;
    char b[4096];
    for (std::size_t n; (n = std::fread(b, 1, sizeof b, f)) > 0;) s.append(b, n);
    std::fclose(f);
    return s;
}

Resultado Correr(const std::vector<std::string>& argumentos) {
    std::FILE* traza = std::tmpfile();
    std::FILE* errores = std::tmpfile();
    Resultado r;
    r.estado = CorrerLote(LeerOpciones(argumentos), traza, errores);
    std::istringstream lineas(Leer(traza));
    std::string linea;
    std::getline(lineas, linea);
    EXPECT_EQ(linea, "n,accion,nivel,referencia,Volumen,Error_Ant,Integral,Salida_Fuzzy_Ant,Nivel_Top,Nivel_Height");
    while (std::getline(lineas, linea)) {
        std::vector<std::string> campos;
        std::istringstream c(linea);
        for (std::string campo; std::getline(c, campo, ',');) campos.push_back(campo);
        if (!linea.empty() && linea.back() == ',') campos.emplace_back();
        r.filas.push_back(campos);
    }
    r.errores = Leer(errores);
    return r;
}

float Single(const std::string& hex) { return static_cast<float>(std::strtod(hex.c_str(), nullptr)); }

}  // namespace

TEST(Lote, EscalonReproduceLaRespuestaDelTanque) {
    const Resultado r = Correr({"escalon", "400", "--traza"});
    EXPECT_EQ(r.estado, 0);
    ASSERT_EQ(r.filas.size(), 400u);
    const float niveles[] = {0.0987603515f, 0.195082292f, 0.289026082f, 0.380650342f};
    for (int n = 0; n < 4; ++n) {
        EXPECT_EQ(r.filas[n][0], std::to_string(n));
        EXPECT_EQ(Single(r.filas[n][1]), 2.0f);
        EXPECT_EQ(Single(r.filas[n][2]), niveles[n]) << n;
        EXPECT_EQ(r.filas[n][3], "");  // no reference in the step run
    }
    EXPECT_EQ(r.filas[0][8], "273");
    EXPECT_EQ(r.filas[0][9], "3");
    EXPECT_LT(Single(r.filas[399][2]), 4.0f);
    EXPECT_EQ(r.errores, "");
}

TEST(Lote, EscalonDeTresTerminaEnElDesborde) {
    const Resultado r = Correr({"escalon", "200", "--Alto_Escalon=3", "--traza"});
    EXPECT_EQ(r.estado, 0);
    ASSERT_EQ(r.filas.size(), 72u);  // the tick that meets the overflow completes, no tick follows
    EXPECT_EQ(r.filas[71][0], "71");
    EXPECT_EQ(Single(r.filas[71][2]), 5.00820637f);
    EXPECT_EQ(r.filas[71][9], std::to_string(kBarraAltoMaximo));
    EXPECT_EQ(r.errores, "71: El Nivel del Tanque ha Superado el Máximo Permitido\n");
}

TEST(Lote, TextosProgramadosYSeparadorComa) {
    // the amplitude changes just before the tick whose counter is 3
    const Resultado r = Correr({"escalon", "5", "--Alto_Escalon@3=1", "--traza"});
    EXPECT_EQ(Single(r.filas[2][1]), 2.0f);
    EXPECT_EQ(Single(r.filas[3][1]), 1.0f);

    // under ',' the defaults are written with commas: the fuzzy run is the same record bit for bit
    const Resultado punto = Correr({"fuzzy", "150", "--traza", "--Track_Referencia@60=6"});
    const Resultado coma = Correr({"fuzzy", "150", "--traza", "--decimal=,", "--Track_Referencia@60=6"});
    EXPECT_EQ(punto.filas, coma.filas);
    EXPECT_EQ(punto.filas[59][3], "0x1p+0");
    EXPECT_EQ(punto.filas[60][3], "0x1.8p+1");
    // a text with the other separator is a conversion error at the tick
    const Resultado mala = Correr({"pid", "5", "--decimal=,", "--Kp@2=1.5", "--traza"});
    EXPECT_EQ(mala.estado, 1);
    EXPECT_EQ(mala.filas.size(), 2u);
    EXPECT_EQ(mala.errores, "2: '1.5' is not a valid floating point value\n");
}

TEST(Lote, UnaReglaCambiadaCambiaElRegistro) {
    const Resultado base = Correr({"fuzzy", "20", "--traza"});
    const Resultado cambiada = Correr({"fuzzy", "20", "--traza", "--Reglas_4_5=0"});  // fires at the first tick
    ASSERT_EQ(base.filas.size(), cambiada.filas.size());
    EXPECT_NE(base.filas, cambiada.filas);
    const Resultado mala = Correr({"fuzzy", "20", "--Reglas_3_4=9"});
    EXPECT_EQ(mala.estado, 1);
    EXPECT_EQ(mala.errores, "0: La regla de la fila Ze y la columna Po nombra el conjunto 9; debe estar entre 0 y 4\n");
}

TEST(Lote, SalidaEscribeCadaMuestraEnElFormatoDeExportacion) {
    const std::string archivo = ::testing::TempDir() + "lote_salida.txt";
    const Resultado r = Correr({"pid", "150", "--traza", "--salida=" + archivo});
    EXPECT_EQ(r.estado, 0);
    std::ifstream f(archivo, std::ios::binary);
    const std::string contenido((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    // all ticks, not just the chart's window of kMuestrasVentana
    std::string esperado;
    for (const auto& fila : r.filas)
        esperado += LineaExportacion(std::stod(fila[0]), std::strtod(fila[1].c_str(), nullptr),
                                     std::strtod(fila[2].c_str(), nullptr));
    EXPECT_EQ(contenido, esperado);
    EXPECT_EQ(contenido.substr(0, 25), "    0   2.1000   0.0000\r\n");
}

TEST(Lote, OpcionesMalasSeRechazan) {
    for (const std::vector<std::string>& a :
         std::vector<std::vector<std::string>>{{},
                                               {"escalon"},
                                               {"rampa", "5"},
                                               {"pid", "-1"},
                                               {"pid", "x"},
                                               {"pid", "5", "--Kq=1"},
                                               {"pid", "5", "--Reglas_6_1=1"},
                                               {"pid", "5", "--decimal=;"},
                                               {"pid", "5", "--Kp@x=1"},
                                               {"pid", "5", "--Track_Referencia=medio"},
                                               {"pid", "5", "--salida="},
                                               {"pid", "5", "--traza=1"}}) {
        EXPECT_THROW(LeerOpciones(a), std::invalid_argument) << (a.empty() ? "" : a[0]);
    }
    EXPECT_TRUE(LeerOpciones({"--help"}).ayuda);
    // a start that is refused ends the tool with status 1 and its message
    const Resultado r = Correr({"escalon", "5", "--T_Sample=0"});
    EXPECT_EQ(r.estado, 1);
    EXPECT_EQ(r.errores, "0: El Tiempo de Muestreo debe ser mayor que cero\n");
}
