#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/constantes.h"
#include "export/formato.h"
#include "tests/ayudas.h"
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
    r.estado = CorrerLote(LeerOpciones(argumentos), fileno(traza), errores);
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
    EXPECT_EQ(mala.errores, "2: Kp: '1.5' is not a valid floating point value\n");  // the batch tool names the text
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
    const std::string archivo = ArchivoDeLaPrueba("salida.txt");
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

// A scheduled text that its run reads only when something starts could never act; a sample that never comes
// could never see it.
TEST(Lote, UnTextoProgramadoQueNoPuedeActuarSeRechaza) {
    const std::vector<std::vector<std::string>> malos = {
        {"escalon", "10", "--Area@5=0"},              // the plant is read when the run starts
        {"escalon", "10", "--T_Sample@1=250"},        // ... its sample time too, in the step run
        {"escalon", "10", "--Kp@1=3"},                // another run's gain
        {"escalon", "10", "--Track_Referencia@1=6"},  // the step run does not read the slider
        {"pid", "10", "--KE@1=2"},
        {"pid", "10", "--Alto_Escalon@1=2"},
        {"pid", "10", "--HMax@1=2"},
        {"fuzzy", "10", "--E_Ze_Ancho@2=1"},  // the sets and rules are read by the initialisation only
        {"fuzzy", "10", "--Reglas_3_3@2=4"},
        {"fuzzy", "10", "--Kp@2=4"},
        {"pid", "10", "--Kp@10=3"},  // sample 10 never comes
        {"pid", "10", "--Kp@2147483647=3"},
        {"pid", "0", "--Kp@0=3"},
        {"pid", "10", "--Kp@-1=3"},
    };
    for (const auto& a : malos) EXPECT_THROW(LeerOpciones(a), std::invalid_argument) << a[0] << " " << a[2];
    const std::vector<std::vector<std::string>> buenos = {
        {"escalon", "10", "--Alto_Escalon@9=1"},
        {"escalon", "10", "--Area=0"},  // before the start: read by it
        {"pid", "10", "--T_Sample@0=250", "--Kp@3=1", "--Ti@3=1", "--Td@3=1", "--Track_Referencia@3=1"},
        {"fuzzy", "10", "--T_Sample@9=250", "--KE@3=1", "--KDE@3=1", "--KU@3=1", "--Track_Referencia@3=1"},
    };
    for (const auto& a : buenos) EXPECT_NO_THROW(LeerOpciones(a)) << a[0] << " " << a[2];
}

// Whatever ends the run, the file of --salida holds this run's record afterwards: a refused start writes none.
TEST(Lote, UnInicioRechazadoNoDejaElRegistroAnterior) {
    const std::string archivo = ArchivoDeLaPrueba("anterior.txt");
    const std::vector<std::vector<std::string>> casos = {
        {"escalon", "5", "--T_Sample=0"},  // refused start
        {"escalon", "5", "--Area=x"},      // a plant text that does not convert
        {"fuzzy", "5", "--E_Ze_Ancho=0"},  // an initialisation that fails
        {"pid", "5", "--Kp=x"},            // the first sample fails
    };
    for (auto a : casos) {
        {
            std::ofstream viejo(archivo, std::ios::binary);
            viejo << "    0   9.0000   9.0000\r\n";
        }
        a.push_back("--salida=" + archivo);
        const Resultado r = Correr(a);
        EXPECT_EQ(r.estado, 1) << a[2];
        std::ifstream f(archivo, std::ios::binary);
        const std::string contenido((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        EXPECT_EQ(contenido, "") << a[2];
    }
}

// The sample counter is 32 bits: MUESTRAS beyond it is refused as too large, however many digits it has.
TEST(Lote, MuestrasMasAllaDelContadorSeRechazan) {
    EXPECT_EQ(LeerOpciones({"pid", "2147483647"}).muestras, 2147483647);
    for (const char* m : {"2147483648", "9999999999", "1000000000000000000", "99999999999999999999999"}) {
        try {
            LeerOpciones({"pid", m});
            ADD_FAILURE() << m << " accepted";
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find("demasiado grande"), std::string::npos) << e.what();
        }
    }
    // each number is named by what it is: a period is not the sample counter
    struct Caso {
        std::vector<std::string> argumentos;
        const char* limite;
    };
    const Caso casos[] = {
        {{"pid", "9999999999"}, "MUESTRAS es demasiado grande: '9999999999' (el contador de muestras llega a"},
        {{"identificar", "r.txt", "--T_Sample=99999999999"},
         "--T_Sample es demasiado grande: '99999999999' (el periodo de muestreo llega a 2147483647 ms)"},
    };
    for (const Caso& c : casos) {
        try {
            LeerOpciones(c.argumentos);
            ADD_FAILURE() << c.limite;
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find(c.limite), std::string::npos) << e.what();
        }
    }
}

// Messages name the text that did not convert, or whose value does not fit.
TEST(Lote, LosMensajesNombranElTexto) {
    struct Caso {
        std::vector<std::string> argumentos;
        std::string errores;
    };
    const Caso casos[] = {
        {{"pid", "10", "--Kp=1,5", "--Ti=1,5"}, "0: Kp: '1,5' is not a valid floating point value\n"},
        {{"escalon", "5", "--Area=1,5"}, "0: Area: '1,5' is not a valid floating point value\n"},
        {{"escalon", "5", "--T_Sample=5.5"}, "0: T_Sample: '5.5' is not a valid integer value\n"},
        {{"fuzzy", "5", "--Reglas_2_4=x"}, "0: Reglas_2_4: 'x' is not a valid integer value\n"},
        {{"fuzzy", "5", "--E_MN_Centro=x"}, "0: E_MN_Centro: 'x' is not a valid floating point value\n"},
        {{"fuzzy", "5", "--KU@2=x"}, "2: KU: 'x' is not a valid floating point value\n"},
        {{"escalon", "5", "--Alto_Escalon=1e39"}, "0: Alto_Escalon: Floating point overflow\n"},
    };
    for (const Caso& c : casos) {
        const Resultado r = Correr(c.argumentos);
        EXPECT_EQ(r.estado, 1);
        EXPECT_EQ(r.errores, c.errores);
    }
    // the band of --indices, read before the run (no trace then)
    const Caso indices[] = {
        {{"pid", "100", "--indices", "--Banda_Establecimiento=nan"},
         "0: Banda_Establecimiento: 'nan' is not a valid floating point value\n"},
        {{"pid", "100", "--indices", "--Banda_Establecimiento=0"},
         "0: Banda_Establecimiento: La Banda de Establecimiento debe ser mayor que 0 y menor que 100\n"},
    };
    // a record that cannot be created: the runtime's text, then its cause in Spanish
    const std::string carpeta = "/tmp/tanque-lote-carpeta-que-no-existe";
    {
        std::FILE* salida = std::tmpfile();
        std::FILE* errores = std::tmpfile();
        EXPECT_EQ(CorrerLote(LeerOpciones({"pid", "10", "--salida=" + carpeta + "/x.txt"}), fileno(salida), errores), 1);
        EXPECT_EQ(Leer(errores), "tanque-lote: no se pudo crear el registro " + carpeta +
                                     "/x.txt: Invalid filename (la carpeta «" + carpeta + "» no existe)\n");
        std::fclose(salida);
    }
    for (const Caso& c : indices) {
        std::FILE* salida = std::tmpfile();
        std::FILE* errores = std::tmpfile();
        EXPECT_EQ(CorrerLote(LeerOpciones(c.argumentos), fileno(salida), errores), 1);
        EXPECT_EQ(Leer(errores), c.errores);
        std::fclose(salida);
    }
}
