#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/configuracion.h"
#include "tests/tools/salidas_lote.h"

namespace {

void EsperarIguales(const SalidasLote& a, const SalidasLote& b) {
    EXPECT_EQ(a.estado, b.estado);
    EXPECT_EQ(a.traza, b.traza);
    EXPECT_EQ(a.registro, b.registro);
}

}  // namespace

// The oracle: the same texts given as options. A set-up changes the run exactly as they do.
TEST(ConfiguracionLote, UnaConfiguracionEsComoSusTextosEnOpciones) {
    struct Caso {
        const char* porque;
        std::vector<std::string> corrida;
        Configuracion c;
        std::vector<std::string> opciones;
    };
    const Caso casos[] = {
        {"gains and the slider",
         {"pid", "150"},
         {{{"Kp", "4"}, {"Ti", "3"}}, 7, {}},
         {"--Kp=4", "--Ti=3", "--Track_Referencia=7"}},
        {"sets, a rule and a gain, read by the initialisation",
         {"fuzzy", "120"},
         {{{"Reglas_3_3", "4"}, {"E_Ze_Ancho", "1"}, {"KU", "2"}}, 5, {}},
         {"--Reglas_3_3=4", "--E_Ze_Ancho=1", "--KU=2", "--Track_Referencia=5"}},
        {"the plant, a signal and its noise",
         {"escalon", "100"},
         {{{"Area", "8"}, {"Senal_Tipo", "PRBS"}, {"Ruido_Desviacion", "0.01"}, {"Ruido_Semilla", "9"}}, {}, {}},
         {"--Area=8", "--Senal_Tipo=PRBS", "--Ruido_Desviacion=0.01", "--Ruido_Semilla=9"}},
        {"texts typed with a comma",
         {"pid", "80", "--decimal=,"},
         {{{"Kp", "1,5"}, {"Td", "0,2"}}, {}, {}},
         {"--Kp=1,5", "--Td=0,2"}},
        {"a text that does not convert fails as the option does", {"pid", "10"}, {{{"Ti", "x"}}, {}, {}}, {"--Ti=x"}},
        {"a schedule in the file is not replayed by a run",
         {"escalon", "30"},
         {{{"Alto_Escalon", "1"}}, {}, std::vector<EventoPrograma>{{EventoLimpiar{}, std::nullopt}}},
         {"--Alto_Escalon=1"}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.porque);
        auto conArchivo = caso.corrida;
        conArchivo.push_back("--config=" + GuardarConfiguracion(caso.c));
        auto conOpciones = caso.corrida;
        conOpciones.insert(conOpciones.end(), caso.opciones.begin(), caso.opciones.end());
        const SalidasLote a = Ejecutar(conArchivo), b = Ejecutar(conOpciones);
        EsperarIguales(a, b);
        EXPECT_EQ(a.errores, b.errores);
        // and the set-up did change something
        EXPECT_NE(a.traza, Ejecutar(caso.corrida).traza);
    }
}

TEST(ConfiguracionLote, LasOpcionesVanSobreElArchivo) {
    const std::string f = GuardarConfiguracion({{{"Kp", "3"}, {"Ti", "4"}}, 7, {}});
    EsperarIguales(Ejecutar({"pid", "100", "--config=" + f, "--Kp=5", "--Track_Referencia=4"}),
                   Ejecutar({"pid", "100", "--Ti=4", "--Kp=5", "--Track_Referencia=4"}));
    // wherever --config stands among the options
    EsperarIguales(Ejecutar({"pid", "100", "--Kp=5", "--config=" + f}),
                   Ejecutar({"pid", "100", "--config=" + f, "--Kp=5"}));
    // scheduled texts act at their sample over the file's
    EsperarIguales(Ejecutar({"pid", "100", "--config=" + f, "--Kp@50=1"}),
                   Ejecutar({"pid", "100", "--Kp=3", "--Ti=4", "--Track_Referencia=7", "--Kp@50=1"}));
}

TEST(ConfiguracionLote, LoDesconocidoSeAvisaUnaVezYSeIgnora) {
    const std::string f = ArchivoDeLaPrueba("desconocido.tanque");
    std::FILE* a = std::fopen(f.c_str(), "wb");
    std::fputs(R"({"formato": "tanque-configuracion", "version": 1, "zzz": 1,
                   "textos": {"Kp": "4", "Foo": "1", "Bar": "2"},
                   "programa": [{"evento": "texto", "nombre": "Foo", "texto": "3"}]})",
               a);
    std::fclose(a);
    const SalidasLote r = Ejecutar({"pid", "50", "--config=" + f});
    EXPECT_EQ(r.errores, "tanque-lote: " + f + ": se ignora lo que este programa no conoce: «zzz», «Foo», «Bar»\n");
    EsperarIguales(r, Ejecutar({"pid", "50", "--Kp=4"}));
}

// Many unknown keys: the first ten named, then how many more, on one short line.
TEST(ConfiguracionLote, MuchasClavesDesconocidasDanUnaLineaCorta) {
    struct Caso {
        int claves;
        std::string cola;
    };
    for (const Caso& caso : {Caso{10, ""}, Caso{11, " y 1 más"}, Caso{200000, " y 199990 más"}}) {
        const std::string f = ArchivoDeLaPrueba("muchas.tanque");
        std::string texto = R"({"formato": "tanque-configuracion", "version": 1)";
        for (int i = 0; i < caso.claves; ++i) texto += ", \"k" + std::to_string(i) + "\": 0";
        texto += "}";
        std::FILE* a = std::fopen(f.c_str(), "wb");
        std::fwrite(texto.data(), 1, texto.size(), a);
        std::fclose(a);
        std::string nombradas;
        for (int i = 0; i < 10; ++i) nombradas += (i ? ", «k" : "«k") + std::to_string(i) + "»";
        EXPECT_EQ(Ejecutar({"pid", "5", "--config=" + f}).errores,
                  "tanque-lote: " + f + ": se ignora lo que este programa no conoce: " + nombradas + caso.cola + "\n")
            << caso.claves;
    }
}

TEST(ConfiguracionLote, UnArchivoQueNoSeLeeTerminaConUnoYNoTocaElRegistro) {
    const std::string malo = ArchivoDeLaPrueba("malo.tanque");
    std::FILE* a = std::fopen(malo.c_str(), "wb");
    std::fputs(R"({"formato": "otro", "version": 1})", a);
    std::fclose(a);
    const std::string falta = ArchivoDeLaPrueba("no-existe.tanque");
    struct Caso {
        std::string archivo;
        std::string mensaje;
    };
    for (const Caso& c :
         {Caso{falta, "tanque-lote: No se puede leer el archivo «" + falta + "»: no existe.\n"},
          Caso{malo, "tanque-lote: El archivo «" + malo + "» no es una configuración válida: su formato es «otro»"}}) {
        for (const char* orden : {"config", "reproducir"}) {
            const std::vector<std::string> a = std::string(orden) == "config"
                                                   ? std::vector<std::string>{"pid", "10", "--config=" + c.archivo}
                                                   : std::vector<std::string>{"reproducir", c.archivo};
            const SalidasLote r = Ejecutar(a);
            EXPECT_EQ(r.estado, 1) << orden;
            EXPECT_EQ(r.errores.substr(0, c.mensaje.size()), c.mensaje) << orden;
            EXPECT_EQ(r.registro, "(sin registro)") << orden;
        }
    }
}

TEST(ConfiguracionLote, OpcionesMalas) {
    for (const std::vector<std::string>& a : std::vector<std::vector<std::string>>{
             {"pid", "10", "--config="},
             {"reproducir"},
             {"reproducir", "a.tanque", "b.tanque"},
             {"reproducir", "a.tanque", "--Kp=3"},
             {"reproducir", "a.tanque", "--Kp@3=3"},
             {"reproducir", "a.tanque", "--config=b.tanque"},
         }) {
        std::string juntos;
        for (const auto& p : a) juntos += p + " ";
        EXPECT_THROW(LeerOpciones(a), std::invalid_argument) << juntos;
    }
    const OpcionesLote o = LeerOpciones({"reproducir", "a.tanque", "--decimal=,", "--traza"});
    EXPECT_EQ(o.reproducir, "a.tanque");
    EXPECT_EQ(o.decimal, ',');
    EXPECT_EQ(LeerOpciones({"fuzzy", "3", "--config=x"}).configuracion, "x");
}

// A set-up travels between locales: saved with "," (a Spanish desktop) it runs under "." exactly as the same
// texts typed with "." do, and the reverse; with either separator given to the tool. Oracle: the run of the
// texts written in the tool's own separator.
TEST(ConfiguracionLote, UnaConfiguracionViajaEntreSeparadores) {
    struct Caso {
        char delArchivo;
        std::string decimal;  // the tool's --decimal
        std::vector<std::pair<std::string, std::string>> textos, comoOpciones;
    };
    const Caso casos[] = {
        {',', ".", {{"E_MN_Ancho", "2,5"}, {"Kp", "4,5"}, {"Senal_Tipo", "PRBS"}},
         {{"E_MN_Ancho", "2.5"}, {"Kp", "4.5"}, {"Senal_Tipo", "PRBS"}}},
        {'.', ",", {{"E_MN_Ancho", "2.5"}, {"Kp", "4.5"}}, {{"E_MN_Ancho", "2,5"}, {"Kp", "4,5"}}},
        {',', ",", {{"E_MN_Ancho", "2,5"}, {"Kp", "4,5"}}, {{"E_MN_Ancho", "2,5"}, {"Kp", "4,5"}}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string("file ") + c.delArchivo + ", tool " + c.decimal);
        Configuracion conf;
        for (const auto& [n, t] : c.textos) conf.textos[n] = t;
        conf.decimal = c.delArchivo;
        const std::string f = GuardarConfiguracion(conf);
        std::vector<std::string> opciones = {"fuzzy", "60", "--decimal=" + c.decimal};
        for (const auto& [n, t] : c.comoOpciones) opciones.push_back("--" + n + "=" + t);
        const SalidasLote a = Ejecutar({"fuzzy", "60", "--decimal=" + c.decimal, "--config=" + f});
        EXPECT_EQ(a.estado, 0) << a.errores;
        EsperarIguales(a, Ejecutar(opciones));
    }
}

// The slider's range is the window's for the tool too: a set-up (or a recorded event) beyond 0..10 is refused.
TEST(ConfiguracionLote, LaPosicionFueraDelDeslizadorSeRechaza) {
    struct Caso {
        Configuracion c;
        const char* mensaje;
    };
    const Caso casos[] = {
        {{{{"Kp", "4"}}, -5, {}}, "la posición de Track_Referencia (-5) no está entre 0 y 10"},
        {{{{"Kp", "4"}}, 11, {}}, "la posición de Track_Referencia (11) no está entre 0 y 10"},
        {{{}, 5, std::vector<EventoPrograma>{{EventoPosicion{1000000}, std::nullopt}}},
         "el evento 1 pone Track_Referencia en 1000000, que no está entre 0 y 10"},
    };
    for (const Caso& c : casos) {
        const std::string f = GuardarConfiguracion(c.c);
        const SalidasLote r = Ejecutar({"pid", "20", "--config=" + f});
        EXPECT_EQ(r.estado, 1);
        EXPECT_NE(r.errores.find(c.mensaje), std::string::npos) << r.errores;
        const SalidasLote p = Ejecutar({"reproducir", f});
        EXPECT_EQ(p.estado, 1);
        EXPECT_NE(p.errores.find(c.mensaje), std::string::npos) << p.errores;
    }
    // the edges are the window's too
    EXPECT_EQ(Ejecutar({"pid", "20", "--config=" + GuardarConfiguracion({{}, 0, {}})}).estado, 0);
    EXPECT_EQ(Ejecutar({"pid", "20", "--config=" + GuardarConfiguracion({{}, 10, {}})}).estado, 0);
}
