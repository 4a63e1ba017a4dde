// Files that are not a usable set-up: each is refused with the reason the user reads, and nothing comes back.
// Then the reading by name: a huge file refused without being read, missing files, folders, devices, pipes.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "core/configuracion.h"
#include "tests/core/nombres_configuracion.h"

namespace {

const std::string kCabeza = R"({"formato": "tanque-configuracion", "version": 1, )";

// A file with the marker and `resto` after it (the rest of the top-level object, its closing brace included).
std::string Con(const std::string& resto) { return kCabeza + resto; }
// ... with the schedule `eventos`
std::string ConPrograma(const std::string& eventos) { return Con(R"("programa": [)" + eventos + "]}"); }

struct Rechazo {
    const char* porque;
    std::string archivo;
    std::string motivo;
};

std::string Anidado(std::size_t n, const std::string& abre) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += abre;
    return s;
}

const std::vector<Rechazo>& Rechazos() {
    static const std::vector<Rechazo> r = {
        // raw bytes
        {"one byte over the limit", std::string(kTamanoMaximoConfiguracion + 1, ' '),
         "ocupa 8388609 bytes, más que el máximo de 8388608 bytes"},
        {"a NUL byte", std::string("{\n  \"formato\0", 13),
         "contiene un byte nulo en la línea 2, columna 11 (no es un archivo de texto)"},
        {"Latin-1, not UTF-8", "{\"textos\": {\"Kp\": \"ca\xf1o\"}}", "no es texto UTF-8 (línea 1, columna 22)"},
        {"an overlong '/'", "{\n\"a\xc0\xaf\": 1}", "no es texto UTF-8 (línea 2, columna 3)"},
        {"a surrogate encoded", "{\"\xed\xa0\x80\": 1}", "no es texto UTF-8 (línea 1, columna 3)"},
        {"a truncated sequence at the end", "{}\xe2\x82", "no es texto UTF-8 (línea 1, columna 3)"},
        {"empty", "", "está vacío"},
        {"only blanks", " \r\n\t ", "está vacío"},
        // syntax
        {"a value missing", R"({"formato": })", "no es JSON: error de sintaxis en la línea 1, columna 13"},
        {"an unclosed object", "{\n\"formato\": \"tanque-configuracion\"",
         "no es JSON: error de sintaxis en la línea 2, columna 34"},
        {"something after the object", "{}\nx", "no es JSON: error de sintaxis en la línea 2, columna 1"},
        {"a comment", "// set-up\n{}", "no es JSON: error de sintaxis en la línea 1, columna 1"},
        {"a trailing comma", "{\"a\": 1,}", "no es JSON: error de sintaxis en la línea 1, columna 9"},
        {"a raw control character in a string", "{\"a\": \"x\ty\"}",
         "no es JSON: error de sintaxis en la línea 1, columna 9"},
        {"a lone surrogate escape", R"({"a": "\ud800"})", "no es JSON: error de sintaxis en la línea 1, columna 14"},
        {"a number beyond double", Con(R"("x": 1e400})"), "contiene un número fuera de rango"},
        // repeated keys, which nlohmann alone would let the last one win
        {"the version twice", R"({"formato": "tanque-configuracion", "version": 1, "version": 2})",
         "la clave «version» está repetida en el objeto principal"},
        {"an unknown key twice", Con(R"("x": 1, "textos": {}, "x": [2]})"),
         "la clave «x» está repetida en el objeto principal"},
        {"a text twice", Con(R"("textos": {"Kp": "1", "Ti": "2", "Kp": "3"}})"),
         "la clave «Kp» está repetida en «textos»"},
        {"a field of an event twice", ConPrograma(R"({"evento": "alternar", "corrida": "pid", "corrida": "fuzzy"})"),
         "la clave «corrida» está repetida en «programa»"},
        {"a key twice in an event of a text",
         ConPrograma(R"({"evento": "texto", "texto": "1", "nombre": "Kp", "texto": "2"})"),
         "la clave «texto» está repetida en «programa»"},
        {"a key twice deep inside an unknown key", Con(R"("x": [{"y": {"z": 1, "z": 1}}]})"),
         "la clave «z» está repetida en «y»"},
        {"a key with a line break and a NUL twice", R"({"a\n\u0000": 1, "a\n\u0000": 2})",
         "contiene un carácter nulo (\\u0000) en la línea 1, columna 6 (no es un archivo de texto)"},
        {"a key with a line break and a control character twice", R"({"a\n\u0001": 1, "a\n\u0001": 2})",
         "la clave «a\\u000a\\u0001» está repetida en el objeto principal"},
        // the escape \u0000 as the raw byte, wherever it comes; "\\u0000" is a backslash and "u0000"
        {"an escaped NUL in a text", Con(R"("textos": {"Ti": "4\u00005"}})"),
         "contiene un carácter nulo (\\u0000) en la línea 1, columna 70 (no es un archivo de texto)"},
        {"an escaped NUL after an escaped backslash", Con(R"("textos": {"Ti": "\\\u0000"}})"),
         "contiene un carácter nulo (\\u0000) en la línea 1, columna 71 (no es un archivo de texto)"},
        {"an escaped NUL in an event", ConPrograma(R"({"evento": "texto", "nombre": "Kp", "texto": "\u0000"})"),
         "contiene un carácter nulo (\\u0000) en la línea 1, columna 110 (no es un archivo de texto)"},
        {"a long key twice, cut in the message",
         "{\"" + std::string(70, 'a') + "\": 1, \"" + std::string(70, 'a') + "\": 2}",
         "la clave «" + std::string(60, 'a') + "…» está repetida en el objeto principal"},
        // nesting
        {"100000 '['", Anidado(100000, "["), "anida listas u objetos a más de 4 niveles"},
        {"100000 '{\"a\":'", Anidado(100000, "{\"a\":"), "anida listas u objetos a más de 4 niveles"},
        {"five levels", Con(R"("x": [[[{}]]]})"), "anida listas u objetos a más de 4 niveles"},
        // the top level and the marker
        {"a list at the top", "[]", "su contenido es una lista, no un objeto JSON"},
        {"a string at the top", "\"tanque-configuracion\"", "su contenido es un texto, no un objeto JSON"},
        {"a number at the top", "1", "su contenido es un número, no un objeto JSON"},
        {"null at the top", "null", "su contenido es null, no un objeto JSON"},
        {"another program's JSON", R"({"name": "demo", "version": "1.0", "dependencies": {}})",
         "le falta la clave «formato» (no es una configuración del tanque)"},
        {"another format", R"({"formato": "tanque-registro", "version": 1})",
         "su formato es «tanque-registro», no «tanque-configuracion»"},
        {"the marker not a string", R"({"formato": 1, "version": 1})",
         "su formato es un número, no «tanque-configuracion»"},
        {"no version", R"({"formato": "tanque-configuracion"})", "le falta la clave «version»"},
        {"a later version", R"({"formato": "tanque-configuracion", "version": 2})",
         "es de la versión 2 del formato, y este programa lee la versión 1"},
        {"version 0", R"({"formato": "tanque-configuracion", "version": 0})",
         "es de la versión 0 del formato, y este programa lee la versión 1"},
        {"the version as text", R"({"formato": "tanque-configuracion", "version": "1"})",
         "«version» no es un número entero"},
        {"the version as a fraction", R"({"formato": "tanque-configuracion", "version": 1.0})",
         "«version» no es un número entero"},
        // texts
        {"the texts as a list", Con(R"("textos": ["Kp", "2"]})"), "«textos» es una lista, no un objeto"},
        {"a number where a text goes", Con(R"("textos": {"Ti": "5", "Kp": 2}})"),
         "el texto «Kp» es un número, no un texto entre comillas"},
        {"null where a text goes", Con(R"("textos": {"Kp": null}})"),
         "el texto «Kp» es null, no un texto entre comillas"},
        {"true where a text goes", Con(R"("textos": {"Kp": true}})"),
         "el texto «Kp» es un valor lógico, no un texto entre comillas"},
        {"an unknown name with a number", Con(R"("textos": {"Desconocido": 1}})"),
         "el texto «Desconocido» es un número, no un texto entre comillas"},
        // the slider
        {"a position over int32", Con(R"("Track_Referencia": 2147483648})"),
         "«Track_Referencia» no es un entero de 32 bits"},
        {"a position under int32", Con(R"("Track_Referencia": -2147483649})"),
         "«Track_Referencia» no es un entero de 32 bits"},
        {"a position past int64", Con(R"("Track_Referencia": 18446744073709551615})"),
         "«Track_Referencia» no es un entero de 32 bits"},
        {"a fractional position", Con(R"("Track_Referencia": 2.5})"), "«Track_Referencia» no es un entero de 32 bits"},
        {"a position in exponent form", Con(R"("Track_Referencia": 2e0})"),
         "«Track_Referencia» no es un entero de 32 bits"},
        {"a position as text", Con(R"("Track_Referencia": "2"})"), "«Track_Referencia» no es un entero de 32 bits"},
        // the schedule
        {"the schedule as an object", Con(R"("programa": {}})"), "«programa» es un objeto, no una lista"},
        {"an event that is a number", ConPrograma(R"({"evento": "limpiar"}, 3)"),
         "el evento 2 del programa es un número, no un objeto"},
        {"an event that is a list", ConPrograma("[]"), "el evento 1 del programa es una lista, no un objeto"},
        {"two bad events: the first is named", ConPrograma(R"({"evento": "x"}, {"evento": "y"})"),
         "el evento 1 del programa es de un tipo desconocido, «x»"},
        // an event is read as soon as it ends, but its refusal waits: a file of another kind is named so first
        {"another format with a schedule", R"({"programa": [{"evento": "x"}], "formato": "otra-cosa", "version": 1})",
         "su formato es «otra-cosa», no «tanque-configuracion»"},
        {"a bad text before a bad event", Con(R"("programa": [{"evento": "x"}], "textos": {"Kp": 1}})"),
         "el texto «Kp» es un número, no un texto entre comillas"},
        {"an event without a kind", ConPrograma("{}"), "al evento 1 del programa le falta «evento»"},
        {"a kind that is a number", ConPrograma(R"({"evento": 5})"),
         "en el evento 1 del programa, «evento» es un número, no un texto entre comillas"},
        {"an unknown kind", ConPrograma(R"({"evento": "saltar"})"),
         "el evento 1 del programa es de un tipo desconocido, «saltar»"},
        {"a field of another kind", ConPrograma(R"({"evento": "limpiar", "corrida": "pid"})"),
         "el evento 1 del programa (limpiar) tiene un campo desconocido, «corrida»"},
        {"ticks without a count", ConPrograma(R"({"evento": "ticks", "corrida": "pid"})"),
         "al evento 1 del programa le falta «cuenta»"},
        {"ticks without a run", ConPrograma(R"({"evento": "ticks", "cuenta": 1})"),
         "al evento 1 del programa le falta «corrida»"},
        {"a negative count", ConPrograma(R"({"evento": "ticks", "corrida": "pid", "cuenta": -1})"),
         "en el evento 1 del programa, «cuenta» no es un entero entre 1 y 2147483647"},
        {"a count of 0", ConPrograma(R"({"evento": "ticks", "corrida": "pid", "cuenta": 0})"),
         "en el evento 1 del programa, «cuenta» no es un entero entre 1 y 2147483647"},
        {"a count over int32", ConPrograma(R"({"evento": "ticks", "corrida": "pid", "cuenta": 2147483648})"),
         "en el evento 1 del programa, «cuenta» no es un entero entre 1 y 2147483647"},
        {"an unknown run", ConPrograma(R"({"evento": "alternar", "corrida": "manual"})"),
         "el evento 1 del programa nombra una corrida desconocida, «manual» (son escalon, pid y fuzzy)"},
        {"a run in capitals", ConPrograma(R"({"evento": "ticks", "corrida": "PID", "cuenta": 1})"),
         "el evento 1 del programa nombra una corrida desconocida, «PID» (son escalon, pid y fuzzy)"},
        {"a text change without its text", ConPrograma(R"({"evento": "texto", "nombre": "Kp"})"),
         "al evento 1 del programa le falta «texto»"},
        {"a text change with a number", ConPrograma(R"({"evento": "texto", "nombre": "Kp", "texto": 3})"),
         "en el evento 1 del programa, «texto» es un número, no un texto entre comillas"},
        {"a text change of an unknown name with a number",
         ConPrograma(R"({"evento": "texto", "nombre": "Otro", "texto": 3})"),
         "en el evento 1 del programa, «texto» es un número, no un texto entre comillas"},
        {"a slider move out of range", ConPrograma(R"({"evento": "posicion", "posicion": -2147483649})"),
         "en el evento 1 del programa, «posicion» no es un entero de 32 bits"},
        {"a sample number out of range", ConPrograma(R"({"evento": "limpiar"}, {"evento": "limpiar", "muestra": 1e3})"),
         "en el evento 2 del programa, «muestra» no es un entero de 32 bits"},
    };
    return r;
}

TEST(ConfiguracionRechazos, CadaArchivoMaloSeRechazaConSuMotivo) {
    for (const Rechazo& caso : Rechazos()) {
        try {
            LeerConfiguracion(caso.archivo, NombresConocidos());
            ADD_FAILURE() << "aceptado: " << caso.porque;
        } catch (const ErrorConfiguracion& e) {
            EXPECT_EQ(e.Motivo(), caso.motivo) << caso.porque;
            EXPECT_EQ(std::string(e.what()), "El archivo no es una configuración válida: " + caso.motivo + ".")
                << caso.porque;
        }
    }
}

// The edges of the limits are on the accepted side.
TEST(ConfiguracionRechazos, LosLimitesMismosSeAceptan) {
    std::string justo = Con(R"("textos": {}})");
    justo.append(kTamanoMaximoConfiguracion - justo.size(), '\n');
    EXPECT_NO_THROW(LeerConfiguracion(justo, NombresConocidos()));
    EXPECT_NO_THROW(LeerConfiguracion(Con(R"("x": [[[1]]]})"), NombresConocidos()));  // four levels
    EXPECT_NO_THROW(LeerConfiguracion(Con(R"("Track_Referencia": -2147483648})"), NombresConocidos()));
    EXPECT_NO_THROW(LeerConfiguracion(
        ConPrograma(R"({"evento": "ticks", "corrida": "fuzzy", "cuenta": 2147483647, "muestra": -1})"),
        NombresConocidos()));
    // the same key in two objects is no repetition
    EXPECT_NO_THROW(
        LeerConfiguracion(ConPrograma(R"({"evento": "limpiar", "muestra": 1}, {"evento": "limpiar", "muestra": 1})"),
                          NombresConocidos()));
}

// A folder of this test's own, removed at the end.
class ConfiguracionArchivo : public ::testing::Test {
protected:
    void SetUp() override {
        char plantilla[] = "/tmp/configuracion_test_XXXXXX";
        ASSERT_NE(::mkdtemp(plantilla), nullptr);
        dir_ = plantilla;
    }
    void TearDown() override {
        for (const std::string& f : creados_) ::unlink(f.c_str());
        ::rmdir((dir_ + "/carpeta").c_str());
        ::rmdir(dir_.c_str());
    }
    std::string Ruta(const std::string& nombre) {
        creados_.push_back(dir_ + "/" + nombre);
        return creados_.back();
    }
    std::string Escribir(const std::string& nombre, const std::string& bytes) {
        const std::string ruta = Ruta(nombre);
        std::ofstream(ruta, std::ios::binary) << bytes;
        return ruta;
    }
    // The message of reading `ruta`, or "" when it was read.
    static std::string Mensaje(const std::string& ruta) {
        try {
            LeerArchivoConfiguracion(ruta, NombresConocidos());
        } catch (const ErrorConfiguracion& e) {
            return e.what();
        }
        return {};
    }

    std::string dir_;
    std::vector<std::string> creados_;
};

// Bytes read by this process so far (the kernel's count, whatever the call).
long long BytesLeidos() {
    std::ifstream io("/proc/self/io");
    std::string clave;
    long long valor = 0;
    while (io >> clave >> valor)
        if (clave == "rchar:") return valor;
    return -1;
}

TEST_F(ConfiguracionArchivo, UnArchivoDe100MBSeRechazaSinLeerlo) {
    const std::string ruta = Ruta("enorme.tanque");
    const int fd = ::open(ruta.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 100 << 20), 0);  // sparse: no disk spent
    ::close(fd);

    const long long antes = BytesLeidos();
    EXPECT_EQ(Mensaje(ruta), "El archivo «" + ruta +
                                 "» no es una configuración válida: ocupa 104857600 bytes, más que el máximo de "
                                 "8388608 bytes.");
    const long long despues = BytesLeidos();
    if (antes >= 0) {
        EXPECT_LT(despues - antes, 64 * 1024) << "read bytes of a file refused by its size";
    }
}

TEST_F(ConfiguracionArchivo, UnArchivoBuenoSeLeeComoSusBytes) {
    Configuracion c;
    c.textos = {{"Kp", "1,5"}, {"Ti", ""}};
    c.posicion = 4;
    c.programa = std::vector<EventoPrograma>{{EventoLimpiar{}, std::nullopt}};
    const std::string ruta = Escribir("bueno.tanque", EscribirConfiguracion(c));
    EXPECT_EQ(LeerArchivoConfiguracion(ruta, NombresConocidos()).configuracion, c);
}

TEST_F(ConfiguracionArchivo, LosErroresNombranElArchivo) {
    const std::string malo = Escribir("malo.tanque", "[]");
    EXPECT_EQ(Mensaje(malo), "El archivo «" + malo +
                                 "» no es una configuración válida: su contenido es una lista, no un objeto JSON.");
    const std::string falta = dir_ + "/no_existe.tanque";
    EXPECT_EQ(Mensaje(falta), "No se puede leer el archivo «" + falta + "»: no existe.");
    const std::string bajo = dir_ + "/no_existe/x.tanque";
    EXPECT_EQ(Mensaje(bajo), "No se puede leer el archivo «" + bajo + "»: no existe.");
    const std::string carpeta = dir_ + "/carpeta";
    ASSERT_EQ(::mkdir(carpeta.c_str(), 0755), 0);
    EXPECT_EQ(Mensaje(carpeta), "No se puede leer el archivo «" + carpeta + "»: es una carpeta.");
    EXPECT_EQ(Mensaje("/dev/zero"), "No se puede leer el archivo «/dev/zero»: no es un archivo común.");
    EXPECT_EQ(Mensaje(""), "No se puede leer el archivo «»: el nombre no es válido.");
    const std::string conNul("bueno.tanque\0x", 14);
    // quoted with the NUL escaped: what() would end at it
    EXPECT_EQ(Mensaje(conNul), "No se puede leer el archivo «bueno.tanque\\u0000x»: el nombre no es válido.");
    if (::geteuid() != 0) {  // root reads whatever the mode says
        const std::string cerrado = Escribir("cerrado.tanque", "{}");
        ASSERT_EQ(::chmod(cerrado.c_str(), 0), 0);
        EXPECT_EQ(Mensaje(cerrado), "No se puede leer el archivo «" + cerrado + "»: no hay permiso para leerlo.");
    }
}

// A pipe, as a shell's <(...) gives: read to its end; refused once it passes the limit.
TEST_F(ConfiguracionArchivo, UnaTuberia) {
    std::signal(SIGPIPE, SIG_IGN);  // the writer of the long pipe meets a closed end
    const std::string buena = Con(R"("textos": {"Kp": "7"}})");
    for (const std::string& contenido : {buena, std::string(kTamanoMaximoConfiguracion + 10, ' ')}) {
        int tubo[2];
        ASSERT_EQ(::pipe(tubo), 0);
        std::thread escritor([&] {
            // in pieces, as a producer would
            for (std::size_t i = 0; i < contenido.size();) {
                const ssize_t n =
                    ::write(tubo[1], contenido.data() + i, std::min<std::size_t>(4096, contenido.size() - i));
                if (n <= 0) break;
                i += static_cast<std::size_t>(n);
            }
            ::close(tubo[1]);
        });
        const std::string ruta = "/dev/fd/" + std::to_string(tubo[0]);
        const std::string m = Mensaje(ruta);
        ::close(tubo[0]);  // the last reading end: a writer still writing gets EPIPE and stops
        escritor.join();
        if (contenido == buena)
            EXPECT_EQ(m, "");
        else
            EXPECT_EQ(m, "El archivo «" + ruta +
                             "» no es una configuración válida: ocupa más que el máximo de 8388608 bytes.");
    }
}

// A named pipe that nobody writes to is an empty file, not a wait without end.
TEST_F(ConfiguracionArchivo, UnaTuberiaConNombreSinEscritor) {
    const std::string ruta = Ruta("fifo");
    ASSERT_EQ(::mkfifo(ruta.c_str(), 0600), 0);
    EXPECT_EQ(Mensaje(ruta), "El archivo «" + ruta + "» no es una configuración válida: está vacío.");
}

}  // namespace
