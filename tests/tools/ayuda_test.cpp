// The help text and the manual page against the option parser: every example they show is accepted and runs with
// status 0, every option the parser accepts is described.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <filesystem>

#include "core/textos_por_defecto.h"
#include "core/textos_senal.h"
#include "senales/tipo_senal.h"
#include "tests/ayudas.h"
#include "tests/export/utilidades.h"
#include "tests/tools/ejecutar.h"
#include "tools/ayuda_lote.h"
#include "tools/lote.h"
#include "tools/opciones_lote.h"
#include "tools/reproducir_lote.h"

namespace {

std::string LeerArchivo(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    EXPECT_TRUE(f) << ruta;
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

/// The words of one line of the manual page: font macros (.B, .BI, .RB, ...) joined as troff joins their
/// arguments, other requests dropped.
std::string LineaLlana(const std::string& linea) {
    static const std::regex fuente(R"(^\.(B|I|BI|IB|BR|RB|IR|RI)( (.*))?$)");
    std::smatch m;
    if (!std::regex_match(linea, m, fuente)) return linea.empty() || linea[0] != '.' ? linea : "";
    std::string resto = m[3], llana;
    const bool alterna = m[1].length() == 2;
    for (std::size_t i = 0; i < resto.size(); ++i) {
        if (resto[i] == '"') {
            const auto fin = resto.find('"', i + 1);
            llana += resto.substr(i + 1, fin - i - 1);
            i = fin == std::string::npos ? resto.size() : fin;
        } else if (resto[i] != ' ' || !alterna) {
            llana += resto[i];
        }
    }
    return llana;
}

/// The manual page as a reader sees its words: requests, escaped minus signs and font changes removed.
std::string PaginaLlana() {
    std::istringstream lineas(LeerArchivo(TANQUE_PAGINA_MANUAL));
    std::string t;
    for (std::string linea; std::getline(lineas, linea);) t += LineaLlana(linea) + '\n';
    t = std::regex_replace(t, std::regex(R"(\\-)"), "-");
    t = std::regex_replace(t, std::regex(R"(\\f[BIRP]|\\:)"), "");
    // the accents as troff writes them
    for (const auto& [escape, letra] : {std::pair{"\\('a", "á"},
                                        {"\\('e", "é"},
                                        {"\\('i", "í"},
                                        {"\\('o", "ó"},
                                        {"\\('u", "ú"},
                                        {"\\('I", "Í"},
                                        {"\\('O", "Ó"},
                                        {"\\(~n", "ñ"}})
        for (std::size_t p; (p = t.find(escape)) != std::string::npos;) t.replace(p, std::string(escape).size(), letra);
    // "Ejemplo:" at the end of a line, its example on the next one
    t = std::regex_replace(t, std::regex("Ejemplo:\n"), "Ejemplo: ");
    return t;
}

std::vector<std::string> Palabras(const std::string& linea) {
    std::istringstream s(linea);
    return {std::istream_iterator<std::string>(s), std::istream_iterator<std::string>()};
}

/// The arguments of one example: after "tanque-lote" up to a redirection; bare options get a run before them, long
/// enough for the samples that scheduled texts name.
std::vector<std::string> Argumentos(std::vector<std::string> palabras) {
    std::vector<std::string> a;
    const bool orden = !palabras.empty() && palabras[0] == "tanque-lote";
    for (std::size_t i = orden ? 1 : 0; i < palabras.size() && palabras[i] != ">"; ++i) a.push_back(palabras[i]);
    if (!orden) a.insert(a.begin(), {"pid", "1000"});
    return a;
}

/// Every example of a text: the words after "ejemplo:" / "Ejemplo:", and the lines that start a command.
std::vector<std::vector<std::string>> Ejemplos(const std::string& texto) {
    std::vector<std::vector<std::string>> ejemplos;
    std::istringstream lineas(texto);
    for (std::string linea; std::getline(lineas, linea);) {
        for (const char* marca : {"ejemplo:", "Ejemplo:"}) {
            if (const auto p = linea.find(marca); p != std::string::npos) {
                auto palabras = Palabras(linea.substr(p + std::string(marca).size()));
                if (!palabras.empty()) ejemplos.push_back(Argumentos(palabras));
            }
        }
        const auto palabras = Palabras(linea);
        // a command line: the program and then a run or an option
        if (palabras.size() > 1 && palabras[0] == "tanque-lote" &&
            (palabras[1] == "escalon" || palabras[1] == "pid" || palabras[1] == "fuzzy" || palabras[1] == "comparar" ||
             palabras[1] == "identificar" || palabras[1].rfind("--", 0) == 0))
            ejemplos.push_back(Argumentos(palabras));
    }
    return ejemplos;
}

std::string Juntar(const std::vector<std::string>& a) {
    std::string s;
    for (const auto& p : a) s += p + ' ';
    return s;
}

void TodosLosEjemplosSeAceptan(const std::string& texto, std::size_t minimo) {
    const auto ejemplos = Ejemplos(texto);
    EXPECT_GE(ejemplos.size(), minimo);
    for (const auto& a : ejemplos) EXPECT_NO_THROW(LeerOpciones(a)) << Juntar(a);
}

// Every example in its order, in a folder of its own (an example may read the record that one before it wrote):
// each one runs to the end with status 0.
void TodosLosEjemplosCorren(const std::string& texto) {
    struct Aqui {
        CarpetaTemporal carpeta;
        std::filesystem::path antes = std::filesystem::current_path();
        Aqui() {
            // the examples that read a set-up name this one
            std::filesystem::copy_file(std::filesystem::path(TANQUE_DATOS) / "lote" / "ejemplo.tanque",
                                       std::filesystem::path(carpeta.ruta()) / "ejemplo.tanque");
            std::filesystem::current_path(carpeta.ruta());
        }
        ~Aqui() { std::filesystem::current_path(antes); }
    } aqui;
    for (const auto& a : Ejemplos(texto)) {
        try {
            const Ejecucion e = Ejecutar(a);
            EXPECT_EQ(e.estado, 0) << Juntar(a) << "\n" << e.errores;
        } catch (const std::invalid_argument& e) {
            ADD_FAILURE() << Juntar(a) << ": " << e.what();
        }
    }
}

void DescribeCadaOpcion(const std::string& texto) {
    for (const char* opcion : {"escalon",
                               "pid",
                               "fuzzy",
                               "reproducir",
                               "ARCHIVO.tanque",
                               "--config=ARCHIVO",
                               "MUESTRAS",
                               "--NOMBRE=TEXTO",
                               "--NOMBRE@N=TEXTO",
                               "--decimal=",
                               "--salida=ARCHIVO",
                               "--formato=",
                               "--grafico=",
                               "--traza",
                               "--help",
                               "-h",
                               "--ayuda",
                               "Reglas_F_C",
                               "Track_Referencia",
                               "_Tipo",
                               "_Ancho",
                               "_Centro",
                               "comparar",
                               "identificar",
                               "--indices",
                               "--json",
                               "--retardo=",
                               "--T_Sample=",
                               "--metodo=",
                               "--validar=",
                               "--ordenes",
                               "--frecuencia",
                               "--modelo=",
                               "Banda_Establecimiento",
                               "Senal_Tipo",
                               "Ruido_Desviacion",
                               "Ruido_Semilla",
                               "descripción",
                               "sintonizar",
                               "rele",
                               "--verdad",
                               "--regla=",
                               "--tc=",
                               "--lambda=",
                               "--pid",
                               "--nivel=",
                               "--amplitud=",
                               "--histeresis=",
                               "--otro:",
                               "barrido",
                               "MANIFIESTO",
                               "--parte=",
                               "--hilos=",
                               "hipercubo",
                               "rejilla"})
        EXPECT_NE(texto.find(opcion), std::string::npos) << opcion;
    // each signal by its caption, each with an example of the open-loop run
    for (const char* tipo : kNombresTipo) EXPECT_NE(texto.find(tipo), std::string::npos) << tipo;
    for (const char* tipo : {"PRBS", "binaria_aleatoria", "niveles_aleatorios", "Multiseno", "Barrido", "Gaussiana"})
        EXPECT_NE(texto.find(std::string("--Senal_Tipo=") + tipo), std::string::npos) << tipo;
    for (const char* n : TextosSenalEnCadaTick()) EXPECT_NE(texto.find(n), std::string::npos) << n;
    // every edit outside the fuzzy sets by its name; the sets by their variables and labels
    for (const TextoPorDefecto& t : TextosPorDefecto()) {
        const std::string nombre = t.nombre;
        if (nombre.find('_') == std::string::npos || nombre == "T_Sample" || nombre == "Alto_Escalon") {
            EXPECT_NE(texto.find(nombre), std::string::npos) << nombre;
        }
    }
    for (const char* prefijo : kPrefijosFuzzy) EXPECT_NE(texto.find(prefijo), std::string::npos) << prefijo;
    for (const char* etiqueta : kEtiquetas) EXPECT_NE(texto.find(etiqueta), std::string::npos) << etiqueta;
}

/// The examples that read a set-up file are run, in a folder of their own beside a copy of the file they name:
/// each ends with status 0 and no message of the tool's own. Returns how many ran.
std::size_t LosEjemplosConArchivoCorren(const std::string& texto) {
    namespace fs = std::filesystem;
    const fs::path carpeta = ArchivoDeLaPrueba("ejemplos");
    fs::create_directories(carpeta);
    fs::copy_file(fs::path(TANQUE_DATOS) / "lote" / "ejemplo.tanque", carpeta / "ejemplo.tanque",
                  fs::copy_options::overwrite_existing);
    const fs::path antes = fs::current_path();
    fs::current_path(carpeta);
    std::size_t corridos = 0;
    for (const auto& a : Ejemplos(texto)) {
        if (Juntar(a).find(".tanque") == std::string::npos) continue;
        const OpcionesLote o = LeerOpciones(a);
        std::FILE* traza = std::tmpfile();
        std::FILE* errores = std::tmpfile();
        const int estado =
            o.reproducir ? ReproducirLote(o, fileno(traza), errores) : CorrerLote(o, fileno(traza), errores);
        std::rewind(errores);
        std::string mensajes;
        for (char l[512]; std::fgets(l, sizeof l, errores) != nullptr;) mensajes += l;
        EXPECT_EQ(estado, 0) << Juntar(a) << ": " << mensajes;
        // the run's own messages may come (a stop is shown in a box); none of the tool's
        EXPECT_EQ(mensajes.find("tanque-lote:"), std::string::npos) << Juntar(a) << ": " << mensajes;
        std::fclose(traza);
        std::fclose(errores);
        ++corridos;
    }
    fs::current_path(antes);
    fs::remove_all(carpeta);
    return corridos;
}

}  // namespace

TEST(Ayuda, LosEjemplosDeConfiguracionYReproduccionCorren) {
    EXPECT_EQ(LosEjemplosConArchivoCorren(TextoDeAyuda()), 2u);
    EXPECT_EQ(LosEjemplosConArchivoCorren(PaginaLlana()), 2u);
}

TEST(Ayuda, CadaEjemploDeLaAyudaSeAcepta) { TodosLosEjemplosSeAceptan(TextoDeAyuda(), 12); }

TEST(Ayuda, CadaEjemploDeLaAyudaCorre) { TodosLosEjemplosCorren(TextoDeAyuda()); }

TEST(Ayuda, CadaEjemploDeLaPaginaDeManualCorre) { TodosLosEjemplosCorren(PaginaLlana()); }

TEST(Ayuda, LaAyudaDescribeCadaOpcion) { DescribeCadaOpcion(TextoDeAyuda()); }

TEST(Ayuda, CadaEjemploDeLaPaginaDeManualSeAcepta) { TodosLosEjemplosSeAceptan(PaginaLlana(), 8); }

TEST(Ayuda, LaPaginaDeManualDescribeCadaOpcion) { DescribeCadaOpcion(PaginaLlana()); }

// The tool speaks Spanish like the program it belongs to: none of the English words of its old texts is left.
TEST(Ayuda, LaAyudaYLaPaginaEstanEnCastellano) {
    for (const std::string& texto : {std::string(TextoDeAyuda()), PaginaLlana(), std::string(TextoDeUso())}) {
        for (const char* ingles : {"xample", "usage", "Usage", "Options", "OPTIONS", "Runs", "the run", "sample",
                                   "EXIT STATUS", "standard output", "Try "})
            EXPECT_EQ(texto.find(ingles), std::string::npos) << ingles;
        EXPECT_NE(texto.find("tanque-lote"), std::string::npos);
    }
}

TEST(Ayuda, LaPaginaSeLeeComoLaMuestraMan) {
    EXPECT_EQ(LineaLlana(".BI \\-\\- NOMBRE = TEXTO"), "\\-\\-NOMBRE=TEXTO");
    EXPECT_EQ(LineaLlana(".BR MN \", \" Ne ;"), "MN, Ne;");
    EXPECT_EQ(LineaLlana(".B \\-\\-Kp=4 \\-\\-Ti=3"), "\\-\\-Kp=4 \\-\\-Ti=3");
    EXPECT_EQ(LineaLlana(".TP"), "");
    EXPECT_EQ(LineaLlana("text"), "text");
}

TEST(Ayuda, LosEjemplosDescartanLoQueNoEsOpcion) {
    // the harvesting itself: a redirection ends an example, bare options get a run
    EXPECT_EQ(Ejemplos("  ejemplo: --Kp=4   --Ti=3\n"),
              (std::vector<std::vector<std::string>>{{"pid", "1000", "--Kp=4", "--Ti=3"}}));
    EXPECT_EQ(Ejemplos("tanque-lote escalon 4 --traza > a.csv\n"),
              (std::vector<std::vector<std::string>>{{"escalon", "4", "--traza"}}));
    EXPECT_TRUE(Ejemplos("tanque-lote - registros del simulador\n").empty());
    EXPECT_EQ(Ejemplos("  tanque-lote identificar a.txt --json\n"),
              (std::vector<std::vector<std::string>>{{"identificar", "a.txt", "--json"}}));
    EXPECT_THROW(LeerOpciones(Ejemplos("ejemplo: --Kq=4\n")[0]), std::invalid_argument);
    // the English marker of earlier texts is not harvested any more: every example is marked in Spanish
    EXPECT_TRUE(Ejemplos("  example: --Kp=4\n").empty());
}
