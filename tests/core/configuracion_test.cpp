// The set-up file: what is saved comes back exactly, the layout is the one written down in the golden file,
// unknown keys are reported and left out, missing ones stay missing, and the recorded schedule round-trips.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "base/numeros.h"
#include "core/configuracion.h"
#include "tests/core/banco.h"
#include "tests/core/nombres_configuracion.h"

namespace {

std::string Leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// Texts that a number reader would refuse or read otherwise, and that the file must keep as they are.
const std::vector<std::string>& TextosRaros() {
    static const std::vector<std::string> t = {
        "",
        "1,5",
        "abc",
        " 2 ",
        "1e400",
        "ñandú",
        "Área ≥ 0",
        "\xf0\x9f\x8c\x8a" /* U+1F30A, 4 bytes */,
        "\"",
        "\\",
        "a/b",
        "\t\r\n",
        std::string("\x01\x1f\x7f", 3),
        std::string("a\0b", 3),
        "\xe2\x80\xa8" /* U+2028 */,
        "\xef\xbb\xbf" /* a BOM inside a text */,
        std::string(10000, '7'),
    };
    return t;
}

// Every known name with a text: the default ones, then the odd texts over the first names.
Configuracion Completa() {
    Configuracion c;
    const TextosMapa iniciales = TextosIniciales(',');
    for (const std::string& n : NombresConocidos()) c.textos[n] = iniciales.Texto(n);
    const auto& raros = TextosRaros();
    for (std::size_t i = 0; i < raros.size(); ++i) c.textos[NombresConocidos()[i]] = raros[i];
    c.posicion = 7;
    return c;
}

bool ConNul(const std::string& t) { return t.find('\0') != std::string::npos; }

// A text with a NUL is never written (the reader refuses it, raw or escaped): the message names the text.
void EsperarNulRechazado(const Configuracion& c, const std::string& nombre) {
    try {
        EscribirConfiguracion(c);
        ADD_FAILURE() << "guardado con un carácter nulo en " << nombre;
    } catch (const ErrorConfiguracion& e) {
        EXPECT_EQ(std::string(e.what()),
                  "No se puede guardar la configuración: el texto de «" + nombre + "» contiene un carácter nulo.");
    }
}

TEST(Configuracion, GuardarYAbrirDevuelveCadaTextoExacto) {
    Configuracion c = Completa();
    ASSERT_EQ(c.textos.size(), NombresConocidos().size());
    // the texts with a NUL are refused, one by one; the others go and come back exact
    std::size_t nulos = 0;
    for (auto i = c.textos.begin(); i != c.textos.end();) {
        if (!ConNul(i->second)) {
            ++i;
            continue;
        }
        Configuracion sola;
        sola.textos.emplace(i->first, i->second);
        EsperarNulRechazado(sola, i->first);
        EXPECT_THROW(EscribirConfiguracion(c, NombresConocidos()), ErrorConfiguracion);
        i = c.textos.erase(i);
        ++nulos;
    }
    EXPECT_EQ(nulos, 1u);
    const ConfiguracionLeida l = LeerConfiguracion(EscribirConfiguracion(c, NombresConocidos()), NombresConocidos());
    EXPECT_TRUE(l.desconocidas.empty());
    EXPECT_EQ(l.configuracion, c);
    for (const auto& [nombre, texto] : c.textos) {
        ASSERT_EQ(l.configuracion.textos.count(nombre), 1u) << nombre;
        EXPECT_EQ(l.configuracion.textos.at(nombre), texto) << nombre;
    }
}

TEST(Configuracion, CadaTextoRaroEnCadaCeldaDeReglas) {
    for (const std::string& raro : TextosRaros()) {
        Configuracion c;
        for (int fila = 1; fila <= 5; ++fila)
            for (int columna = 1; columna <= 5; ++columna) c.textos[NombreCelda(columna, fila)] = raro;
        if (ConNul(raro)) {
            EsperarNulRechazado(c, NombreCelda(1, 1));  // the first in the file's order
            continue;
        }
        const ConfiguracionLeida l = LeerConfiguracion(EscribirConfiguracion(c), NombresConocidos());
        EXPECT_EQ(l.configuracion.textos.size(), 25u);
        EXPECT_EQ(l.configuracion, c) << raro;
    }
}

TEST(Configuracion, LasPosicionesExtremasVuelven) {
    for (std::int32_t p : {kMin, -1, 0, 2, kMax}) {
        Configuracion c;
        c.posicion = p;
        EXPECT_EQ(LeerConfiguracion(EscribirConfiguracion(c), {}).configuracion.posicion, p);
    }
}

// The golden file states the layout: the caller's order first, then the other names in byte order; the
// escapes; one event per line with "evento" and "muestra" first.
Configuracion Ejemplo() {
    Configuracion c;
    c.textos = {{"T_Sample", "500"},
                {"Kp", "1,5"},
                {"Ti", ""},
                {"Td", "abc"},
                {"E_MN_Ancho", "2.5"},
                {"Reglas_1_1", "0"},
                {"Senal_Tipo", "señal \"cuadrada\"\t\\"}};
    c.posicion = -3;
    c.programa = std::vector<EventoPrograma>{
        {EventoTexto{"Kp", "3"}, std::nullopt},
        {EventoPosicion{7}, std::nullopt},
        {EventoInicializarFuzzy{}, std::nullopt},
        {EventoAlternar{Corrida::PID}, 0},
        {EventoTicks{Corrida::PID, 25}, 0},
        {EventoAlternar{Corrida::Fuzzy}, 0},
        {EventoTicks{Corrida::PID, 1}, 25},
        {EventoTicks{Corrida::Fuzzy, 1}, 0},
        {EventoLimpiar{}, 26},
        {EventoAlternar{Corrida::Escalon}, 0},
    };
    return c;
}

TEST(Configuracion, ElEscritorDaElArchivoDeReferencia) {
    const std::vector<std::string> orden = {"T_Sample", "Kp", "Ti", "Td", "E_MN_Ancho", "No_Esta"};
    EXPECT_EQ(EscribirConfiguracion(Ejemplo(), orden), Leer(TANQUE_DATOS "/configuracion/ejemplo.tanque"));
}

TEST(Configuracion, ElArchivoDeReferenciaSeLeeComoSeEscribio) {
    std::vector<std::string> conocidos = NombresConocidos();
    conocidos.push_back("Senal_Tipo");  // a name that another dialog brings: the caller says it is known
    const ConfiguracionLeida l = LeerArchivoConfiguracion(TANQUE_DATOS "/configuracion/ejemplo.tanque", conocidos);
    EXPECT_EQ(l.configuracion, Ejemplo());
    EXPECT_TRUE(l.desconocidas.empty());
}

TEST(Configuracion, SinOrdenLosNombresVanEnOrdenDeBytes) {
    Configuracion c;
    c.textos = {{"b", "2"}, {"a", "1"}, {"Z", "0"}};
    EXPECT_EQ(EscribirConfiguracion(c),
              "{\n  \"formato\": \"tanque-configuracion\",\n  \"version\": 1,\n  \"textos\": {\n"
              "    \"Z\": \"0\",\n    \"a\": \"1\",\n    \"b\": \"2\"\n  }\n}\n");
}

TEST(Configuracion, VaciaSeEscribeYSeLeeVacia) {
    const std::string s = EscribirConfiguracion({});
    EXPECT_EQ(s, "{\n  \"formato\": \"tanque-configuracion\",\n  \"version\": 1,\n  \"textos\": {}\n}\n");
    const ConfiguracionLeida l = LeerConfiguracion(s, NombresConocidos());
    EXPECT_EQ(l.configuracion, Configuracion{});
}

TEST(Configuracion, LasClavesDesconocidasSeInformanUnaVezYSeIgnoran) {
    const std::string archivo = R"({
  "comentario": {"autor": "Prof. Díaz", "curso": [1, 2]},
  "formato": "tanque-configuracion",
  "version": 1,
  "textos": {"Kp": "3", "Zeta": "1", "Alfa": "2", "Ti": "4"},
  "programa": [
    {"evento": "texto", "nombre": "Beta", "texto": "9"},
    {"evento": "texto", "nombre": "Kp", "texto": "5"},
    {"evento": "texto", "nombre": "Zeta", "texto": "9"},
    {"evento": "limpiar"}
  ],
  "comentario2": null
})";
    const ConfiguracionLeida l = LeerConfiguracion(archivo, NombresConocidos());
    // top-level keys first, then texts, then the schedule's names, each in file order and once
    EXPECT_EQ(l.desconocidas, (std::vector<std::string>{"comentario", "comentario2", "Zeta", "Alfa", "Beta"}));
    Configuracion esperada;
    esperada.textos = {{"Kp", "3"}, {"Ti", "4"}};
    // a change of a text that does not exist here changes nothing: it is dropped with the text
    esperada.programa =
        std::vector<EventoPrograma>{{EventoTexto{"Kp", "5"}, std::nullopt}, {EventoLimpiar{}, std::nullopt}};
    EXPECT_EQ(l.configuracion, esperada);
}

TEST(Configuracion, LosNombresConocidosLosDaQuienLlama) {
    const std::string archivo = R"({"formato": "tanque-configuracion", "version": 1, "textos": {"Kp": "3"}})";
    EXPECT_EQ(LeerConfiguracion(archivo, std::vector<std::string>{"Ti"}).desconocidas, std::vector<std::string>{"Kp"});
    EXPECT_TRUE(LeerConfiguracion(archivo, std::vector<std::string>{"Kp"}).desconocidas.empty());
}

TEST(Configuracion, LasClavesQueFaltanQuedanAusentes) {
    struct Caso {
        const char* archivo;
        std::vector<std::string> presentes;
        bool conPosicion;
        bool conPrograma;
    };
    const Caso casos[] = {
        // only the marker: nothing to change
        {R"({"formato": "tanque-configuracion", "version": 1})", {}, false, false},
        {R"({"version": 1, "formato": "tanque-configuracion", "textos": {}})", {}, false, false},
        {R"({"formato": "tanque-configuracion", "version": 1, "textos": {"Kp": "1", "Reglas_5_5": "4"}})",
         {"Kp", "Reglas_5_5"},
         false,
         false},
        {R"({"formato": "tanque-configuracion", "version": 1, "Track_Referencia": 0})", {}, true, false},
        // an empty schedule is a schedule: a replay of it does nothing, and it is not a missing one
        {R"({"formato": "tanque-configuracion", "version": 1, "programa": []})", {}, false, true},
    };
    for (const Caso& caso : casos) {
        const Configuracion c = LeerConfiguracion(caso.archivo, NombresConocidos()).configuracion;
        std::vector<std::string> presentes;
        for (const auto& par : c.textos) presentes.push_back(par.first);
        EXPECT_EQ(presentes, caso.presentes) << caso.archivo;
        EXPECT_EQ(c.posicion.has_value(), caso.conPosicion) << caso.archivo;
        EXPECT_EQ(c.programa.has_value(), caso.conPrograma) << caso.archivo;
        if (c.programa) {
            EXPECT_TRUE(c.programa->empty());
        }
    }
}

// An escaped backslash before "u0000" is no NUL: the text holds those six characters.
TEST(Configuracion, UnaBarraEscapadaAntesDeU0000NoEsUnNul) {
    for (const auto& [archivo, texto] : std::vector<std::pair<std::string, std::string>>{
             {R"({"formato": "tanque-configuracion", "version": 1, "textos": {"Ti": "\\u0000"}})", "\\u0000"},
             {R"({"formato": "tanque-configuracion", "version": 1, "textos": {"Ti": "\\\\u0000"}})", "\\\\u0000"},
         })
        EXPECT_EQ(LeerConfiguracion(archivo, NombresConocidos()).configuracion.textos.at("Ti"), texto) << archivo;
}

// JSON that another tool could write: other key order, no spaces, escapes, a BOM. The texts are the same.
TEST(Configuracion, OtraEscrituraDelMismoJsonDaLoMismo) {
    const char* const archivos[] = {
        "{\"textos\":{\"Kp\":\"\\u00f1\\ud83c\\udf0a\\/\",\"Ti\":\"\"},\"version\":1,\"formato\":\"tanque-"
        "configuracion\"}",
        "\xef\xbb\xbf{ \"formato\" : \"tanque-configuracion\" ,\r\n\"version\":1,\t\"textos\":{\"Ti\":\"\","
        "\"Kp\":\"ñ\xf0\x9f\x8c\x8a/\"}}",
    };
    for (const char* a : archivos) {
        const Configuracion c = LeerConfiguracion(a, NombresConocidos()).configuracion;
        EXPECT_EQ(c.textos, (std::map<std::string, std::string, std::less<>>{{"Kp", "ñ\xf0\x9f\x8c\x8a/"}, {"Ti", ""}}))
            << a;
    }
}

// Every kind of event, with and without its sample number, at the ends of the ranges.
TEST(Configuracion, ElProgramaVaYVuelve) {
    Configuracion c;
    c.programa = std::vector<EventoPrograma>{
        {EventoTexto{"Kp", ""}, kMin},
        {EventoTexto{"Reglas_3_2", std::string("\0\n", 2)}, std::nullopt},
        {EventoPosicion{kMin}, 0},
        {EventoPosicion{kMax}, kMax},
        {EventoAlternar{Corrida::Escalon}, 0},
        {EventoAlternar{Corrida::PID}, -1},
        {EventoAlternar{Corrida::Fuzzy}, std::nullopt},
        {EventoTicks{Corrida::Escalon, 1}, 0},
        {EventoTicks{Corrida::PID, kMax}, 3},
        {EventoTicks{Corrida::Fuzzy, 2}, 5},
        {EventoLimpiar{}, std::nullopt},
        {EventoLimpiar{}, 12},
        {EventoInicializarFuzzy{}, std::nullopt},
        {EventoInicializarFuzzy{}, 4},
    };
    // the text with a NUL is refused; with the nearest control character in its place the schedule round-trips
    try {
        EscribirConfiguracion(c);
        ADD_FAILURE() << "guardado con un carácter nulo";
    } catch (const ErrorConfiguracion& e) {
        EXPECT_STREQ(e.what(), "No se puede guardar la configuración: el texto de «Reglas_3_2» contiene un carácter nulo.");
    }
    std::get<EventoTexto>((*c.programa)[1].accion).texto = std::string("\x01\n", 2);
    const std::string s = EscribirConfiguracion(c);
    EXPECT_EQ(LeerConfiguracion(s, NombresConocidos()).configuracion, c);
    // one line per event, and the file ends with a newline
    std::size_t lineasEvento = 0;
    for (std::size_t i = s.find("\n    {\"evento\""); i != std::string::npos; i = s.find("\n    {\"evento\"", i + 1))
        ++lineasEvento;
    EXPECT_EQ(lineasEvento, c.programa->size());
    EXPECT_EQ(s.back(), '\n');
}

TEST(Configuracion, UnTextoQueNoEsUtf8NoSeGuarda) {
    Configuracion c;
    c.textos["Kp"] = "1\xff";
    try {
        EscribirConfiguracion(c);
        FAIL() << "guardado";
    } catch (const ErrorConfiguracion& e) {
        EXPECT_STREQ(e.what(), "No se puede guardar la configuración: el texto de «Kp» no es UTF-8 válido.");
    }
    Configuracion p;
    p.programa = std::vector<EventoPrograma>{{EventoTexto{"Ti", "\xc0\xaf"}, std::nullopt}};
    EXPECT_THROW(EscribirConfiguracion(p), ErrorConfiguracion);
}

TEST(Configuracion, NombresDeCorridas) {
    EXPECT_STREQ(NombreCorrida(Corrida::Escalon), "escalon");
    EXPECT_STREQ(NombreCorrida(Corrida::PID), "pid");
    EXPECT_STREQ(NombreCorrida(Corrida::Fuzzy), "fuzzy");
}

// The sample number to record: a press or ticks carry their own run's counter; the other events the counter
// of the first active run, none when all are stopped.
TEST(Configuracion, MuestraDelEvento) {
    Banco b;
    const AccionPrograma limpiar = EventoLimpiar{};
    EXPECT_EQ(MuestraDelEvento(b.sim, limpiar), std::nullopt);
    EXPECT_EQ(MuestraDelEvento(b.sim, EventoAlternar{Corrida::PID}), 0);

    b.sim.ToolButton13Click();  // PID on
    for (int i = 0; i < 3; ++i) b.sim.Timer4Timer();
    EXPECT_EQ(MuestraDelEvento(b.sim, limpiar), 3);
    EXPECT_EQ(MuestraDelEvento(b.sim, EventoTicks{Corrida::PID, 1}), 3);
    EXPECT_EQ(MuestraDelEvento(b.sim, EventoTicks{Corrida::Escalon, 1}), 0);

    b.sim.ToolButton4Click();  // step on too: it comes first in the order
    b.sim.Timer1Timer();
    b.sim.Timer4Timer();
    EXPECT_EQ(b.sim.Timer(Corrida::Escalon).Tag, 1);
    EXPECT_EQ(MuestraDelEvento(b.sim, EventoTexto{"Kp", "1"}), 1);
    EXPECT_EQ(MuestraDelEvento(b.sim, EventoAlternar{Corrida::PID}), 4);

    b.sim.ToolButton4Click();  // step off: the PID run is the active one
    EXPECT_EQ(MuestraDelEvento(b.sim, EventoPosicion{3}), 4);
}

}  // namespace

// The decimal separator travels with the file: written only when it is not '.' (a default set-up is as it always
// was), read back, and every number of the texts and the text events re-written for the reader's separator.
// Oracle: the value each text converts to with its own separator.
TEST(Configuracion, ElSeparadorDecimalViajaConElArchivo) {
    Configuracion c;
    c.textos = {{"Kp", "2,5"}, {"Ti", "-3,75"}, {"Senal_Tipo", "PRBS"}, {"E_MN_Tipo", "3"}, {"Td", "a,b"}};
    c.programa = std::vector<EventoPrograma>{{EventoTexto{"Kp", "0,5"}, 3}};
    c.decimal = ',';
    const std::string archivo = EscribirConfiguracion(c);
    EXPECT_NE(archivo.find("\"separador_decimal\": \",\""), std::string::npos) << archivo;
    Configuracion leida = LeerConfiguracion(archivo, NombresConocidos()).configuracion;
    EXPECT_EQ(leida, c);
    for (char destino : {'.', ','}) {
        Configuracion a = leida;
        AdaptarDecimal(a, destino);
        EXPECT_EQ(a.decimal, destino);
        for (const char* n : {"Kp", "Ti"})
            EXPECT_EQ(TextoAFlotante(a.textos.at(n), destino), TextoAFlotante(c.textos.at(n), ',')) << n;
        EXPECT_EQ(a.textos.at("Senal_Tipo"), "PRBS");
        EXPECT_EQ(a.textos.at("E_MN_Tipo"), "3");
        EXPECT_EQ(a.textos.at("Td"), "a,b") << "not a number: left as typed";
        EXPECT_EQ(TextoAFlotante(std::get<EventoTexto>((*a.programa)[0].accion).texto, destino), 0.5L);
    }
    // '.' is not written, and a file without the key is read as '.'
    Configuracion punto;
    punto.textos = {{"Kp", "2.5"}};
    EXPECT_EQ(EscribirConfiguracion(punto).find("separador"), std::string::npos);
    Configuracion p = LeerConfiguracion(EscribirConfiguracion(punto), NombresConocidos()).configuracion;
    EXPECT_EQ(p.decimal, '.');
    AdaptarDecimal(p, ',');
    EXPECT_EQ(p.textos.at("Kp"), "2,5");
    // anything else is refused
    for (const char* malo : {"\";\"", "\"\"", "1", "\",,\""})
        EXPECT_THROW(LeerConfiguracion(std::string("{\"formato\": \"tanque-configuracion\", \"version\": 1, "
                                                   "\"separador_decimal\": ") +
                                           malo + "}",
                                       NombresConocidos()),
                     ErrorConfiguracion)
            << malo;
}
