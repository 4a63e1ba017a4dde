// tanque-lote barrido: shares and threads give the bytes of the whole run, each case's seeds come from the
// manifest's seed and its index alone (SplitMix64, checked against its published output), a grid is the
// cartesian product, a Latin hypercube has one point per stratum, the identification finds the linear tank's
// K = R and Tau = A R, and hostile manifests and options end with a Spanish message and status 2.

#include <sys/wait.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "tests/export/utilidades.h"
#include "tests/tools/ejecutar.h"
#include "core/descripcion.h"
#include "tools/barrido.h"

using Json = nlohmann::json;

namespace {

void Escribir(const std::string& ruta, const std::string& texto) { std::ofstream(ruta, std::ios::binary) << texto; }

std::vector<std::string> Lineas(const std::string& texto) {
    std::vector<std::string> l;
    std::istringstream s(texto);
    for (std::string x; std::getline(s, x);) l.push_back(x);
    return l;
}

// The merge of shares: every line, ordered by its case (as `sort -n` does it on "caso").
std::string Juntar(const std::vector<std::string>& partes) {
    std::map<long, std::string> porCaso;
    for (const std::string& p : partes)
        for (const std::string& l : Lineas(p)) porCaso[Json::parse(l)["caso"].get<long>()] = l + "\n";
    std::string todo;
    for (const auto& [caso, linea] : porCaso) todo += linea;
    return todo;
}

// SplitMix64 as published (Steele, Lea and Flood, 2014): the state advanced by the golden gamma, then mixed.
std::uint64_t SplitMix64(std::uint64_t estado) {
    std::uint64_t z = estado + 0x9e3779b97f4a7c15ULL;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

// A noisy closed loop swept over a hypercube: the seeds change every case's record.
const char* kHipercubo = R"({"semilla": 11, "corrida": "pid", "muestras": 120,
  "textos": {"Ruido_Desviacion": "0.02", "Track_Referencia": "3"},
  "hipercubo": {"casos": 14, "rangos": {"Kp": [0.5, 8], "Ti": [2, 30]}}})";

TEST(Barrido, LasPartesYLosHilosDanLosBytesDelBarridoEntero) {
    CarpetaTemporal carpeta;
    const std::string m = carpeta.Ruta("m.json");
    Escribir(m, kHipercubo);
    const Ejecucion entero = Ejecutar({"barrido", m});
    ASSERT_EQ(entero.estado, 0) << entero.errores;
    ASSERT_EQ(Lineas(entero.salida).size(), 14u);
    for (const std::string& l : Lineas(entero.salida)) {
        const Json j = Json::parse(l);
        EXPECT_TRUE(j["mensajes"].empty()) << l;  // every case runs its 120 samples
        EXPECT_EQ(j["muestras"], 120) << l;
    }
    for (std::size_t partes : {1u, 3u, 7u}) {
        std::vector<std::string> salidas;
        std::size_t lineas = 0;
        for (std::size_t i = 1; i <= partes; ++i) {
            const Ejecucion e =
                Ejecutar({"barrido", m, "--parte=" + std::to_string(i) + "/" + std::to_string(partes)});
            ASSERT_EQ(e.estado, 0) << e.errores;
            for (const std::string& l : Lineas(e.salida))
                EXPECT_EQ(Json::parse(l)["caso"].get<std::size_t>() % partes, i - 1) << partes;
            lineas += Lineas(e.salida).size();
            salidas.push_back(e.salida);
        }
        EXPECT_EQ(lineas, 14u) << partes;
        EXPECT_EQ(Juntar(salidas), entero.salida) << partes << " partes";
    }
    for (const char* hilos : {"--hilos=2", "--hilos=5"}) {
        const Ejecucion e = Ejecutar({"barrido", m, hilos});
        EXPECT_EQ(e.estado, 0) << e.errores;
        EXPECT_EQ(e.salida, entero.salida) << hilos;  // in case order, byte for byte
    }
    const Ejecucion mezcla = Ejecutar({"barrido", m, "--parte=2/3", "--hilos=2"});
    EXPECT_EQ(mezcla.salida, Ejecutar({"barrido", m, "--parte=2/3"}).salida);
}

TEST(Barrido, LasSemillasDeUnCasoSonLasDeSuIndice) {
    // the mixer is SplitMix64: its published first outputs from the state 0
    EXPECT_EQ(SplitMix64(0), 0xe220a8397b1dcdafULL);
    EXPECT_EQ(SplitMix64(0x9e3779b97f4a7c15ULL), 0x6e789e6aa1b965f4ULL);
    const Manifiesto m = LeerManifiestoDeTexto(kHipercubo, true);
    std::set<std::uint64_t> vistas;
    for (std::size_t i = 0; i < NumeroDeCasos(m); ++i) {
        const auto s = SemillasDelCaso(m, i);
        ASSERT_EQ(s.size(), 3u);
        for (std::uint64_t k = 0; k < 3; ++k) {
            EXPECT_EQ(s[k].first, kTextosSemilla[k]);
            EXPECT_EQ(s[k].second, SplitMix64(SplitMix64(SplitMix64(11) ^ (k + 1)) + i)) << i << " " << k;
            vistas.insert(s[k].second);
        }
    }
    EXPECT_EQ(vistas.size(), 3 * NumeroDeCasos(m));  // no two streams share a seed
    // the same case in any share names the same seeds, and the run used them (its record differs with them)
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta("m.json");
    Escribir(ruta, kHipercubo);
    for (const std::string& parte : {"1/1", "2/7", "3/3"})
        for (const std::string& l : Lineas(Ejecutar({"barrido", ruta, "--parte=" + parte}).salida)) {
            const Json j = Json::parse(l);
            const std::size_t i = j["caso"].get<std::size_t>();
            EXPECT_EQ(j["semillas"]["Ruido_Semilla"].get<std::uint64_t>(), SplitMix64(SplitMix64(SplitMix64(11) ^ 1) + i));
            EXPECT_EQ(j["semillas"]["Perturbacion_Semilla"].get<std::uint64_t>(),
                      SplitMix64(SplitMix64(SplitMix64(11) ^ 3) + i));
        }
    // a seed that the manifest gives is every case's, and no longer derived
    const Manifiesto fijo = LeerManifiestoDeTexto(
        R"({"semilla": 3, "corrida": "escalon", "muestras": 10, "textos": {"Ruido_Semilla": "5"},
            "rejilla": {"Area": ["1", "2"]}})", true);
    for (std::size_t i = 0; i < 2; ++i) {
        const auto s = SemillasDelCaso(fijo, i);
        ASSERT_EQ(s.size(), 2u);
        EXPECT_EQ(s[0].first, "Senal_Semilla");
        EXPECT_EQ(s[1].first, "Perturbacion_Semilla");
    }
}

TEST(Barrido, LaRejillaEsElProductoCartesianoEnOrden) {
    const Manifiesto m = LeerManifiestoDeTexto(
        R"({"corrida": "pid", "muestras": 5, "textos": {"Ti": "8"},
            "rejilla": {"Kp": ["1", "2", 4], "Td": ["0", "0.5"], "Area": ["10"]}})", true);
    ASSERT_EQ(NumeroDeCasos(m), 6u);
    std::size_t i = 0;
    for (const char* kp : {"1", "2", "4"})
        for (const char* td : {"0", "0.5"}) {
            const std::vector<std::pair<std::string, std::string>> esperados = {
                {"Ti", "8"}, {"Kp", kp}, {"Td", td}, {"Area", "10"}};
            EXPECT_EQ(TextosDelCaso(m, i), esperados) << i;
            ++i;
        }
    EXPECT_THROW(TextosDelCaso(m, 6), std::out_of_range);
}

TEST(Barrido, ElHipercuboLatinoTieneUnPuntoEnCadaEstrato) {
    struct Caso {
        std::size_t n;
        std::uint64_t semilla;
    };
    for (const Caso& c : {Caso{1, 0}, Caso{7, 1}, Caso{50, 2}, Caso{200, 18446744073709551615ULL}}) {
        const std::string texto = R"({"semilla": )" + std::to_string(c.semilla) +
                                  R"(, "corrida": "pid", "muestras": 10, "hipercubo": {"casos": )" +
                                  std::to_string(c.n) +
                                  R"(, "rangos": {"Kp": [0.5, 8], "Ti": [-3, 1e-3], "Td": [0, 100]}}})";
        const Manifiesto m = LeerManifiestoDeTexto(texto, true);
        ASSERT_EQ(NumeroDeCasos(m), c.n);
        const std::map<std::string, std::pair<double, double>> rangos = {
            {"Kp", {0.5, 8}}, {"Ti", {-3, 1e-3}}, {"Td", {0, 100}}};
        std::map<std::string, std::vector<int>> cuentas;
        for (const auto& [nombre, r] : rangos) cuentas[nombre].assign(c.n, 0);
        for (std::size_t i = 0; i < c.n; ++i)
            for (const auto& [nombre, texto] : TextosDelCaso(m, i)) {
                const double v = std::strtod(texto.c_str(), nullptr);
                const auto [a, b] = rangos.at(nombre);
                // stratum k is [a + (b - a) k / n, a + (b - a) (k + 1) / n)
                for (std::size_t k = 0; k < c.n; ++k) {
                    const double desde = a + (b - a) * static_cast<double>(k) / static_cast<double>(c.n);
                    const double hasta = a + (b - a) * static_cast<double>(k + 1) / static_cast<double>(c.n);
                    if (desde <= v && v < hasta) ++cuentas[nombre][k];
                }
            }
        for (const auto& [nombre, cuenta] : cuentas)
            for (std::size_t k = 0; k < c.n; ++k)
                EXPECT_EQ(cuenta[k], 1) << nombre << " estrato " << k << " de " << c.n;
        // the same seed, the same points; another seed, others
        const Manifiesto otra = LeerManifiestoDeTexto(texto, true);
        for (std::size_t i = 0; i < c.n; ++i) EXPECT_EQ(TextosDelCaso(otra, i), TextosDelCaso(m, i));
        if (c.n > 1) {
            std::string cambiado = texto;
            cambiado.replace(cambiado.find(std::to_string(c.semilla)), std::to_string(c.semilla).size(), "12345");
            EXPECT_NE(TextosDelCaso(LeerManifiestoDeTexto(cambiado, true), 0), TextosDelCaso(m, 0));
        }
    }
}

TEST(Barrido, IdentificaLaKYLaTauDelTanqueLineal) {
    // the linear tank A dh/dt = q - h / R: K = R, Tau = A R (core/planta/tanque.cpp); the step run and a
    // closed PID loop, without noise and with a little
    struct Caso {
        const char* corrida;
        const char* ruido;
    };
    CarpetaTemporal carpeta;
    for (const Caso& c : {Caso{"escalon", "0"}, Caso{"escalon", "0.002"}, Caso{"pid", "0.002"}}) {
        const std::string m = carpeta.Ruta(std::string(c.corrida) + c.ruido + ".json");
        Escribir(m, std::string(R"({"semilla": 4, "corrida": ")") + c.corrida +
                        R"(", "muestras": 500, "textos": {"Ruido_Desviacion": ")" + c.ruido +
                        R"(", "Track_Referencia": "40", "HMax": "50", "Alto_Escalon": "1"},
                "rejilla": {"Resistencia": ["1", "2.5"], "Area": ["2", "6"]}})");
        const Ejecucion e = Ejecutar({"barrido", m, "--hilos=2"});
        ASSERT_EQ(e.estado, 0) << e.errores << e.salida;
        const std::vector<std::string> l = Lineas(e.salida);
        ASSERT_EQ(l.size(), 4u);
        for (const std::string& linea : l) {
            const Json j = Json::parse(linea);
            const double R = std::stod(j["textos"]["Resistencia"].get<std::string>());
            const double A = std::stod(j["textos"]["Area"].get<std::string>());
            const Json& id = j["identificacion"];
            ASSERT_TRUE(id.contains("K")) << linea;
            EXPECT_EQ(id["metodo"], "OE");
            EXPECT_NEAR(id["K"].get<double>(), R, 0.01 * R) << c.corrida << " " << linea;
            EXPECT_NEAR(id["Tau"].get<double>(), A * R, 0.01 * A * R) << c.corrida << " " << linea;
            EXPECT_GT(id["ajuste"].get<double>(), 90) << linea;
            EXPECT_EQ(j["muestras"], 500);
            EXPECT_FALSE(j["indices"].empty());
        }
    }
}

TEST(Barrido, UnCsvYUnaListaSonLosCasosDados) {
    CarpetaTemporal carpeta;
    const std::string csv = carpeta.Ruta("casos.csv");
    Escribir(csv, "# un barrido a mano\n# semilla = 9\n# corrida = escalon\n# muestras = 40\n"
                  "Area,Resistencia,Alto_Escalon\n3,1,\"0.5\"\n\n4,2,1\r\n");
    const Manifiesto m = LeerManifiesto(csv);
    ASSERT_EQ(NumeroDeCasos(m), 2u);
    EXPECT_EQ(m.semilla, 9u);
    EXPECT_EQ(m.muestras, 40);
    const std::vector<std::pair<std::string, std::string>> segundo = {
        {"Area", "4"}, {"Resistencia", "2"}, {"Alto_Escalon", "1"}};
    EXPECT_EQ(TextosDelCaso(m, 1), segundo);
    // the same list as JSON gives the same lines
    const std::string json = carpeta.Ruta("casos.json");
    Escribir(json, R"({"semilla": 9, "corrida": "escalon", "muestras": 40,
                       "casos": [{"Area": "3", "Resistencia": "1", "Alto_Escalon": "0.5"},
                                 {"Area": 4, "Resistencia": 2, "Alto_Escalon": 1}]})");
    const Ejecucion a = Ejecutar({"barrido", csv}), b = Ejecutar({"barrido", json});
    EXPECT_EQ(a.estado, 0) << a.errores;
    EXPECT_EQ(a.salida, b.salida);
    EXPECT_EQ(Lineas(a.salida).size(), 2u);
}

TEST(Barrido, ConSalidaCadaCasoEsElRegistroDeSuCorrida) {
    CarpetaTemporal carpeta;
    const std::string m = carpeta.Ruta("m.json");
    Escribir(m, R"({"semilla": 2, "corrida": "escalon", "muestras": 60, "textos": {"Ruido_Desviacion": "0.01"},
                    "rejilla": {"Area": ["3", "7"]}})");
    const std::string dir = carpeta.Ruta("casos");
    const Ejecucion e = Ejecutar({"barrido", m, "--salida=" + dir, "--hilos=2"});
    ASSERT_EQ(e.estado, 0) << e.errores;
    const std::vector<std::string> l = Lineas(e.salida);
    ASSERT_EQ(l.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const Json j = Json::parse(l[i]);
        EXPECT_EQ(j["registro"], NombreDelCaso(i));
        // the same run by hand, with the case's texts and seeds, writes the same pair
        std::vector<std::string> a = {"escalon", "60", "--salida=" + carpeta.Ruta("mano.txt")};
        for (const auto& [n, t] : j["textos"].items()) a.push_back("--" + n + "=" + t.get<std::string>());
        for (const auto& [n, s] : j["semillas"].items()) a.push_back("--" + n + "=" + std::to_string(s.get<std::uint64_t>()));
        ASSERT_EQ(Ejecutar(a).estado, 0);
        EXPECT_EQ(LeerBytes(dir + "/" + NombreDelCaso(i)), LeerBytes(carpeta.Ruta("mano.txt"))) << i;
        const Json d = Json::parse(LeerBytes(dir + "/" + NombreDescripcion(NombreDelCaso(i))));
        EXPECT_EQ(d["registro"]["archivo"], NombreDelCaso(i));
    }
    EXPECT_EQ(NombreDelCaso(42), "caso-000042.txt");
}

TEST(Barrido, UnCasoQueFallaLoDiceSuLineaYLosDemasSiguen) {
    CarpetaTemporal carpeta;
    const std::string m = carpeta.Ruta("m.json");
    // a step of 3 overflows the default tank (HMax 5 below K q = 6) and stops the run; an area that is no number
    // refuses its start
    Escribir(m, R"({"corrida": "escalon", "muestras": 200,
                    "rejilla": {"Area": ["10", "diez"], "Alto_Escalon": ["0.5", "3"]}})");
    const Ejecucion e = Ejecutar({"barrido", m, "--hilos=2"});
    EXPECT_EQ(e.estado, 1);
    const std::vector<std::string> l = Lineas(e.salida);
    ASSERT_EQ(l.size(), 4u);
    const Json bien = Json::parse(l[0]), desborde = Json::parse(l[1]);
    EXPECT_EQ(bien["estado"], 0);
    EXPECT_TRUE(bien["mensajes"].empty());
    ASSERT_FALSE(desborde["mensajes"].empty());
    EXPECT_LT(desborde["muestras"].get<int>(), 200);
    for (std::size_t i : {2u, 3u}) {
        const Json j = Json::parse(l[i]);
        EXPECT_EQ(j["estado"], 1) << l[i];
        EXPECT_EQ(j["muestras"], 0);
        ASSERT_FALSE(j["mensajes"].empty());
        EXPECT_NE(j["mensajes"][0].get<std::string>().find("Area"), std::string::npos) << l[i];
        EXPECT_EQ(j["identificacion"]["error"], "la corrida no empezó");
    }
}

// The program itself: the status and the first line of what it says.
struct Salida {
    int estado;
    std::string errores;
};

Salida Programa(const std::vector<std::string>& argumentos, const std::string& carpeta) {
    std::string orden = TANQUE_LOTE;
    for (const std::string& a : argumentos) orden += " '" + a + "'";
    const std::string errores = carpeta + "/errores.txt";
    const int s = std::system((orden + " >/dev/null 2>'" + errores + "'").c_str());
    return {WIFEXITED(s) ? WEXITSTATUS(s) : -1, LeerBytes(errores)};
}

TEST(Barrido, RechazaManifiestosYOpcionesMalosEnCastellanoConEstado2) {
    CarpetaTemporal carpeta;
    const auto manifiesto = [&](const std::string& nombre, const std::string& texto) {
        Escribir(carpeta.Ruta(nombre), texto);
        return carpeta.Ruta(nombre);
    };
    const std::string bueno =
        manifiesto("bueno.json", R"({"corrida": "escalon", "muestras": 5, "rejilla": {"Area": ["1"]}})");
    struct Caso {
        std::vector<std::string> argumentos;
        const char* dice;
    };
    const std::vector<Caso> casos = {
        {{"barrido", carpeta.Ruta("no-existe.json")}, "no se pudo leer el manifiesto"},
        {{"barrido", manifiesto("roto.json", R"({"corrida": "pid", )")}, "no es JSON válido"},
        {{"barrido", manifiesto("nombre.json", R"({"corrida": "pid", "muestras": 5, "rejilla": {"Kq": ["1"]}})")},
         "nombre de texto desconocido: 'Kq'"},
        {{"barrido", manifiesto("vacia.json", R"({"corrida": "pid", "muestras": 5, "rejilla": {"Kp": []}})")},
         "al menos un valor"},
        {{"barrido", manifiesto("sinnada.json", R"({"corrida": "pid", "muestras": 5, "rejilla": {}})")},
         "al menos un nombre"},
        {{"barrido", manifiesto("dos.json", R"({"corrida": "pid", "muestras": 5, "textos": {"Kp": "1"},
                                               "rejilla": {"Kp": ["2"]}})")},
         "aparece dos veces"},
        {{"barrido", manifiesto("corrida.json", R"({"corrida": "pi", "muestras": 5, "rejilla": {"Kp": ["2"]}})")},
         "la corrida debe ser"},
        {{"barrido", manifiesto("rango.json", R"({"corrida": "pid", "muestras": 5,
                                                 "hipercubo": {"casos": 3, "rangos": {"Kp": [4, 1]}}})")},
         "mínimo <= máximo"},
        {{"barrido", manifiesto("cero.json", R"({"corrida": "pid", "muestras": 5,
                                                "hipercubo": {"casos": 0, "rangos": {"Kp": [1, 4]}}})")},
         "de 1 a 16777216"},
        {{"barrido", manifiesto("clave.json", R"({"corrida": "pid", "muestra": 5, "rejilla": {"Kp": ["2"]}})")},
         "clave desconocida"},
        {{"barrido", manifiesto("mal.csv", "# corrida = pid\n# muestras = 5\nKp,Ti\n1\n")}, "tiene 1 campos"},
        {{"barrido", manifiesto("sincabecera.csv", "# corrida = pid\n# muestras = 5\n")}, "falta la cabecera"},
        {{"barrido", manifiesto("lista.json", "[1, 2]")}, "debe ser un objeto JSON"},
        {{"barrido", bueno, "--parte=0/3"}, "I de --parte=I/N debe ser un número entero de 1 a 3"},
        {{"barrido", bueno, "--parte=4/3"}, "I de --parte=I/N debe ser un número entero de 1 a 3"},
        {{"barrido", bueno, "--parte=1/0"}, "N de --parte=I/N"},
        {{"barrido", bueno, "--parte=2"}, "--parte debe ser I/N"},
        {{"barrido", bueno, "--hilos=0"}, "--hilos debe ser un número entero de 1 a 256"},
        {{"barrido", bueno, "--hilos=dos"}, "--hilos debe ser"},
        {{"barrido"}, "barrido espera un manifiesto"},
        {{"barrido", bueno, "--otra"}, "opción desconocida para barrido"},
    };
    for (const Caso& c : casos) {
        const Salida s = Programa(c.argumentos, carpeta.ruta().string());
        EXPECT_EQ(s.estado, 2) << c.dice << ": " << s.errores;
        EXPECT_NE(s.errores.find(c.dice), std::string::npos) << s.errores;
        EXPECT_EQ(s.errores.rfind("tanque-lote: ", 0), 0u) << s.errores;
    }
    EXPECT_EQ(Programa({"barrido", bueno}, carpeta.ruta().string()).estado, 0);
}

}  // namespace
