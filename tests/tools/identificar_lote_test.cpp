// tanque-lote identificar on records that the tool itself made: the plant it finds against the plant that the run
// integrated, the description that gives the period and the delay, the refusals, the JSON, the validation.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/planta/tanque.h"
#include "identificacion/rechazos.h"
#include "identificacion/registro.h"
#include "tests/export/utilidades.h"
#include "tests/tools/ejecutar.h"
#include "tools/identificar_lote.h"

namespace {

using nlohmann::json;

bool Contiene(const std::string& t, const std::string& p) { return t.find(p) != std::string::npos; }

void Escribir(const std::string& ruta, const std::string& contenido) {
    std::ofstream(ruta, std::ios::binary) << contenido;
}

// An open-loop PRBS run of the tool into `ruta`, with the plant's texts.
void RegistroPrbs(const std::string& ruta, const std::vector<std::string>& textos, int muestras = 1260) {
    std::vector<std::string> a = {"escalon", std::to_string(muestras), "--Senal_Tipo=PRBS", "--salida=" + ruta};
    a.insert(a.end(), textos.begin(), textos.end());
    const Ejecucion e = Ejecutar(a);
    ASSERT_EQ(e.estado, 0) << e.errores;
}

json Identificar(const std::vector<std::string>& argumentos) {
    std::vector<std::string> a = {"identificar"};
    a.insert(a.end(), argumentos.begin(), argumentos.end());
    a.push_back("--json");
    const Ejecucion e = Ejecutar(a);
    EXPECT_EQ(e.estado, 0) << e.errores;
    return json::parse(e.salida);
}

}  // namespace

// The truth: K = R; Tau = A R as the samples show it, A R T / TiempoPorMuestra(T) (RK's sub-steps of T/10 add up
// to more than T when their Single clock falls short, as at 300 ms). Each method within 1 % of it.
TEST(Identificar, UnaPrbsDeLaHerramientaDaLaPlantaVerdadera) {
    struct Caso {
        double R, A;
        int ms;
        const char* por_que;
    };
    const Caso casos[] = {
        {2, 10, 500, "the default plant"},
        {1.5, 8, 500, "another gain and time constant"},
        {2, 10, 300, "eleven sub-steps a sample: the samples show a shorter time constant than A R"},
        {1, 30, 1000, "a slow plant sampled slowly"},
    };
    CarpetaTemporal carpeta;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.por_que);
        const std::string ruta = carpeta.Ruta("prbs.txt");
        char r[32], a[32];
        std::snprintf(r, sizeof r, "%g", c.R);
        std::snprintf(a, sizeof a, "%g", c.A);
        RegistroPrbs(ruta, {std::string("--Resistencia=") + r, std::string("--Area=") + a,
                            "--T_Sample=" + std::to_string(c.ms)});
        const json j = Identificar({ruta});
        const float T = PeriodoDeMs(c.ms);
        const double tau = c.A * c.R * T / TiempoPorMuestra(T);
        EXPECT_EQ(j["origen_muestreo"], "de la descripción");
        EXPECT_EQ(j["muestreo_s"].get<double>(), static_cast<double>(T));
        ASSERT_EQ(j["metodos"].size(), 2u);  // ARX and OE: the PRBS is not a step
        for (const json& m : j["metodos"]) {
            EXPECT_NEAR(m["K"].get<double>(), c.R, 0.01 * c.R) << m["metodo"];
            EXPECT_NEAR(m["Tau"].get<double>(), tau, 0.01 * tau) << m["metodo"];
            EXPECT_EQ(m["retardo"], 0);
        }
        if (c.ms == 300) {
            EXPECT_GT(std::abs(j["Tau"].get<double>() - c.A * c.R), 0.05 * c.A * c.R);
        }
    }
}

// Every key of the JSON object, a finite number (an integer for the counts), for each method; the keys of the
// chosen method (OE) head the object.
TEST(Identificar, ElJsonTieneCadaClaveFinita) {
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta("escalon.txt");
    ASSERT_EQ(Ejecutar({"escalon", "600", "--salida=" + ruta}).estado, 0);
    const json j = Identificar({ruta});
    EXPECT_EQ(j["metodo"], "OE");
    ASSERT_EQ(j["metodos"].size(), 3u);  // a step record: the step reading too
    EXPECT_EQ(j["metodos"][2]["metodo"], "escalón");
    for (const json* o : {&j, &j["metodos"][0], &j["metodos"][1]}) {
        for (const char* clave : {"K", "Tau", "a", "b", "ajuste", "K_err", "Tau_err"}) {
            ASSERT_TRUE((*o)[clave].is_number()) << clave;
            EXPECT_TRUE(std::isfinite((*o)[clave].get<double>())) << clave;
        }
        EXPECT_TRUE((*o)["retardo"].is_number_integer());
        EXPECT_EQ((*o)["muestras"], 600);
        EXPECT_TRUE((*o)["metodo"].is_string());
    }
    // the step reading has no standard errors: null, never nan
    EXPECT_TRUE(j["metodos"][2]["K_err"].is_null());
    EXPECT_TRUE(j["metodos"][2]["K"].is_number());
}

// The period and the delay: the option, else the description, else 500 ms and the delay of smaller ARX loss.
TEST(Identificar, ElPeriodoYElRetardoSalenDeLaDescripcion) {
    CarpetaTemporal carpeta;
    const std::string pid = carpeta.Ruta("pid.txt");
    ASSERT_EQ(Ejecutar({"pid", "600", "--T_Sample=250", "--Track_Referencia@300=6", "--salida=" + pid}).estado, 0);
    json j = Identificar({pid, "--metodo=arx"});
    EXPECT_EQ(j["retardo"], 1);
    EXPECT_EQ(j["origen_retardo"], "de la descripción");
    EXPECT_EQ(j["muestreo_s"].get<double>(), static_cast<double>(PeriodoDeMs(250)));
    EXPECT_NEAR(j["Tau"].get<double>(), 20, 0.2);

    j = Identificar({pid, "--metodo=arx", "--retardo=0", "--T_Sample=500"});
    EXPECT_EQ(j["retardo"], 0);
    EXPECT_EQ(j["origen_retardo"], "de --retardo");
    EXPECT_EQ(j["origen_muestreo"], "de --T_Sample");
    EXPECT_EQ(j["muestreo_s"], 0.5);

    std::filesystem::remove(carpeta.Ruta("pid.json"));
    j = Identificar({pid, "--metodo=arx"});
    EXPECT_EQ(j["retardo"], 1);  // the closed loop's delay, found by its smaller loss
    EXPECT_EQ(j["origen_retardo"], "el de menor pérdida de ARX");
    EXPECT_EQ(j["origen_muestreo"], "por omisión, 500 ms");
    EXPECT_NEAR(j["Tau"].get<double>(), 40, 0.4);  // read with twice its period, the plant looks twice as slow
}

// What cannot be read or identified ends with status 1 and the reason: the broken line by its number, the
// refusal in the words of identificacion/.
TEST(Identificar, LosRechazosTerminanConEstado1YSuRazon) {
    CarpetaTemporal carpeta;
    std::string buenas;
    for (int n = 0; n < 20; ++n) {
        char l[64];
        std::snprintf(l, sizeof l, "%5d %8.4f %8.4f\r\n", n, 2.0, 0.1 * n);
        buenas += l;
    }
    struct Caso {
        std::string contenido;
        std::string mensaje;
        const char* por_que;
    };
    const Caso casos[] = {
        {buenas.substr(0, 3 * 25) + "    3   2.0000   x.1000\r\n" + buenas.substr(4 * 25), "línea 4",
         "a field that is not a number"},
        {buenas.substr(0, 5 * 25), TextoRegistroCorto(5, kMinimoMuestras), "five samples"},
        {"    0   0.0000   0.0000\r\n    1   0.0000   0.0000\r\n", TextoRegistroCorto(2, kMinimoMuestras),
         "two samples"},
        {[] {
             std::string s;
             for (int n = 0; n < 20; ++n)
                 s += "   " + std::string(n < 10 ? " " : "") + std::to_string(n) + "   0.0000   1.0000\r\n";
             return s;
         }(),
         TextoEntradaNula(), "no input at all"},
        {"", "vacío", "an empty file"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.por_que);
        const std::string ruta = carpeta.Ruta("malo.txt");
        Escribir(ruta, c.contenido);
        const Ejecucion e = Ejecutar({"identificar", ruta});
        EXPECT_EQ(e.estado, 1);
        EXPECT_TRUE(Contiene(e.errores, "tanque-lote: " + ruta)) << e.errores;
        EXPECT_TRUE(Contiene(e.errores, c.mensaje)) << e.errores;
        EXPECT_EQ(e.salida, "");
    }
    // a file that is not there, a description that is not one
    EXPECT_EQ(Ejecutar({"identificar", carpeta.Ruta("no-esta.txt")}).estado, 1);
    const std::string ruta = carpeta.Ruta("bueno.txt");
    RegistroPrbs(ruta, {}, 100);
    Escribir(carpeta.Ruta("bueno.json"), "{\"formato\": \"otro\"}");
    const Ejecucion e = Ejecutar({"identificar", ruta});
    EXPECT_EQ(e.estado, 1);
    EXPECT_TRUE(Contiene(e.errores, "bueno.json")) << e.errores;
}

// A method asked for that cannot estimate fails the tool; the same method by default only says why.
TEST(Identificar, UnMetodoPedidoQueFallaTerminaConEstado1) {
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta("prbs.txt");
    RegistroPrbs(ruta, {});
    const Ejecucion pedido = Ejecutar({"identificar", ruta, "--metodo=arx,escalon"});
    EXPECT_EQ(pedido.estado, 1);
    EXPECT_TRUE(Contiene(pedido.errores, "escalón: La acción de control cambia más de una vez")) << pedido.errores;
    EXPECT_TRUE(Contiene(pedido.salida, "ARX\n  K        = 2.0")) << pedido.salida;

    // a step run stopped before it settled: its step reading cannot be made, ARX and OE can
    const std::string corto = carpeta.Ruta("corto.txt");
    ASSERT_EQ(Ejecutar({"escalon", "60", "--salida=" + corto}).estado, 0);
    const Ejecucion omision = Ejecutar({"identificar", corto, "--json"});
    EXPECT_EQ(omision.estado, 0) << omision.errores;
    const json j = json::parse(omision.salida);
    ASSERT_EQ(j["metodos"].size(), 3u);
    EXPECT_TRUE(j["metodos"][2]["error"].is_string());
    EXPECT_EQ(j["metodo"], "OE");
}

// The model of one record on the input of another (another seed of the PRBS, another length): a high fit; the
// text output says it too.
TEST(Identificar, ValidarConOtroRegistroDaUnAjusteAlto) {
    CarpetaTemporal carpeta;
    const std::string a = carpeta.Ruta("a.txt"), b = carpeta.Ruta("b.txt");
    RegistroPrbs(a, {});
    RegistroPrbs(b, {"--Senal_Semilla=9"}, 800);
    const json j = Identificar({a, "--validar=" + b});
    for (const json& m : j["metodos"]) EXPECT_GT(m["ajuste_validacion"].get<double>(), 99.0) << m["metodo"];
    // a record of another plant fits worse
    const std::string otra = carpeta.Ruta("otra.txt");
    RegistroPrbs(otra, {"--Resistencia=1"}, 800);
    const json k = Identificar({a, "--validar=" + otra});
    EXPECT_LT(k["ajuste_validacion"].get<double>(), 90.0);
    const Ejecucion texto = Ejecutar({"identificar", a, "--validar=" + b});
    EXPECT_TRUE(Contiene(texto.salida, "ajuste en " + b + " = 99.")) << texto.salida;
    EXPECT_FALSE(Contiene(texto.salida, "nan"));
    EXPECT_FALSE(Contiene(texto.salida, "inf"));
}

TEST(Identificar, OpcionesMalasSeRechazan) {
    for (const std::vector<std::string>& a : std::vector<std::vector<std::string>>{
             {"identificar"},
             {"identificar", "a.txt", "b.txt"},
             {"identificar", "a.txt", "--retardo=2"},
             {"identificar", "a.txt", "--T_Sample=0"},
             {"identificar", "a.txt", "--T_Sample=medio"},
             {"identificar", "a.txt", "--metodo=pem"},
             {"identificar", "a.txt", "--metodo=arx,"},
             {"identificar", "a.txt", "--validar="},
             {"identificar", "a.txt", "--Kp=3"},
         })
        EXPECT_THROW(LeerOpciones(a), std::invalid_argument) << a.back();
    const OpcionesLote o = LeerOpciones({"identificar", "a.txt", "--metodo=oe,arx,oe", "--retardo=1"});
    EXPECT_EQ(o.orden, OrdenLote::Identificar);
    EXPECT_EQ(o.identificar.metodos, (std::vector<MetodoLote>{MetodoLote::Oe, MetodoLote::Arx}));
    EXPECT_EQ(o.identificar.retardo, 1);
}

// The truth beside the estimates: on the Exacto clock the linear tank's exact discrete pole is e^(-T / (A R)), and
// ARX finds it; the two tanks' gain and time constants are R, A R and A_2 R_2, printed in the text as well.
TEST(Identificar, LaVerdadDeLaPlantaVaJuntoALaEstimacion) {
    CarpetaTemporal carpeta;
    const std::string lineal = carpeta.Ruta("lineal.txt");
    RegistroPrbs(lineal, {"--Integrador=Exacto"});
    const json j = Identificar({lineal});
    ASSERT_TRUE(j.contains("verdad")) << j.dump();
    const double a = std::exp(-0.5 / 20);
    EXPECT_NEAR(j["verdad"]["discreto"]["a"].get<double>(), a, 1e-10);
    EXPECT_NEAR(j["verdad"]["discreto"]["Tau_efectivo"].get<double>(), 20, 1e-6);
    EXPECT_NEAR(j["a"].get<double>(), a, 1e-4);

    const std::string dos = carpeta.Ruta("dos.txt");
    RegistroPrbs(dos, {"--Modelo_Planta=Dos Tanques", "--Area_2=3", "--Resistencia_2=1.5"});
    const json d = Identificar({dos});
    EXPECT_EQ(d["verdad"]["tipo"], "lineal_segundo_orden");
    EXPECT_EQ(d["verdad"]["modelo"]["K"].get<double>(), 2);
    EXPECT_EQ(d["verdad"]["modelo"]["T1"].get<double>(), 20);
    EXPECT_EQ(d["verdad"]["modelo"]["T2"].get<double>(), 4.5);
    const Ejecucion texto = Ejecutar({"identificar", dos});
    EXPECT_TRUE(Contiene(texto.salida, "K = 2, T1 = 20 s, T2 = 4.5 s")) << texto.salida;
    EXPECT_TRUE(Contiene(texto.salida, "Dos Tanques, integrador Programa (10 subpasos, 0.500000007 s")) << texto.salida;
}

// Every file that identificar cannot read says why in Spanish, beside the runtime's text, and names itself once:
// the record, the record of --validar and a description that cannot be read.
TEST(Identificar, LosArchivosQueNoSeLeenDicenSuCausa) {
    CarpetaTemporal carpeta;
    const std::string bueno = carpeta.Ruta("bueno.txt");
    RegistroPrbs(bueno, {}, 100);
    const std::string falta = carpeta.Ruta("no-esta.txt"), nodir = carpeta.Ruta("nodir/r.txt");
    const std::string carpetaRegistro = carpeta.Ruta("registros");
    std::filesystem::create_directory(carpetaRegistro);
    // a record whose description is a folder
    const std::string conCarpeta = carpeta.Ruta("con_carpeta.txt");
    RegistroPrbs(conCarpeta, {}, 100);
    std::filesystem::remove(carpeta.Ruta("con_carpeta.json"));
    std::filesystem::create_directory(carpeta.Ruta("con_carpeta.json"));
    // a description that the device cannot read
    const std::string ilegible = carpeta.Ruta("ilegible.txt");
    RegistroPrbs(ilegible, {}, 100);
    std::filesystem::remove(carpeta.Ruta("ilegible.json"));
    std::filesystem::create_symlink("/proc/self/mem", carpeta.Ruta("ilegible.json"));
    struct Caso {
        std::vector<std::string> argumentos;
        std::string mensaje;
    };
    const Caso casos[] = {
        {{ilegible}, "tanque-lote: " + carpeta.Ruta("ilegible.json") + ": I/O error 5 (el dispositivo no pudo leerlo)\n"},
        {{falta}, "tanque-lote: " + falta + ": Invalid filename (el archivo «" + falta + "» no existe)\n"},
        {{nodir}, "tanque-lote: " + nodir + ": Invalid filename (la carpeta «" + carpeta.Ruta("nodir") + "» no existe)\n"},
        {{carpetaRegistro},
         "tanque-lote: " + carpetaRegistro + ": File access denied («" + carpetaRegistro + "» es una carpeta)\n"},
        {{bueno, "--validar=" + falta},
         "tanque-lote: " + falta + ": Invalid filename (el archivo «" + falta + "» no existe)\n"},
        {{conCarpeta},
         "tanque-lote: " + carpeta.Ruta("con_carpeta.json") +
             ": no es un archivo común: no es una descripción de registro de tanque\n"},
    };
    for (const Caso& c : casos) {
        std::vector<std::string> a = {"identificar"};
        a.insert(a.end(), c.argumentos.begin(), c.argumentos.end());
        const Ejecucion e = Ejecutar(a);
        EXPECT_EQ(e.estado, 1) << c.mensaje;
        EXPECT_EQ(e.errores, c.mensaje);
        EXPECT_EQ(e.salida, "");
    }
}

// A description with values that no run could have written is not used, and says so: a negative or huge period,
// a delay that is neither 0 nor 1.
TEST(Identificar, UnaDescripcionImposibleSeAvisa) {
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta("r.txt");
    RegistroPrbs(ruta, {}, 200);
    const std::string descripcion = carpeta.Ruta("r.json");
    std::string original;
    {
        std::ifstream f(descripcion, std::ios::binary);
        original.assign(std::istreambuf_iterator<char>(f), {});
    }
    struct Caso {
        const char* clave;
        json valor;
        std::string aviso;
    };
    const Caso casos[] = {
        {"muestreo_s", -0.5, "muestreo_s -0.5 no es un periodo de muestreo: no se usa"},
        {"muestreo_s", 1e308, "muestreo_s 1e+308 no es un periodo de muestreo: no se usa"},
        {"retardo", 7, "alineacion.retardo 7 no es 0 ni 1: no se usa"},
        {"T_Sample", "-500", "T_Sample «-500» no concuerda con muestreo_s 0.5: no se usa ninguno de los dos"},
        {"T_Sample", "100", "T_Sample «100» no concuerda con muestreo_s 0.5: no se usa ninguno de los dos"},
        {"T_Sample", "x", "T_Sample «x» no concuerda con muestreo_s 0.5: no se usa ninguno de los dos"},
    };
    for (const Caso& c : casos) {
        json d = json::parse(original);
        if (std::string(c.clave) == "retardo")
            d["alineacion"]["retardo"] = c.valor;
        else
            d[c.clave] = c.valor;
        Escribir(descripcion, d.dump(2));
        const Ejecucion e = Ejecutar({"identificar", ruta});
        EXPECT_EQ(e.estado, 0) << e.errores;
        EXPECT_TRUE(Contiene(e.errores, "tanque-lote: aviso: " + descripcion + ": " + c.aviso)) << e.errores;
        // the period is then the default's, and says so
        if (std::string(c.clave) != "retardo") {
            EXPECT_TRUE(Contiene(e.salida, "(por omisión, 500 ms)")) << e.salida;
        }
    }
    // the description as the tool wrote it warns of nothing
    Escribir(descripcion, original);
    const Ejecucion e = Ejecutar({"identificar", ruta});
    EXPECT_EQ(e.estado, 0);
    EXPECT_FALSE(Contiene(e.errores, "aviso")) << e.errores;
}
