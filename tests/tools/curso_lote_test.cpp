// tanque-lote variante and calificar, run as the program runs them: the draws against published vectors, the
// exercises byte for byte on two runs, every written byte searched for the plant's truth, the grader against
// the linear tank's analytic K = R and Tau = A R and against SIMC gains worked here from them, a class with a
// missing answer, and the refusals with their Spanish messages.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/export/utilidades.h"
#include "tests/tools/ejecutar.h"
#include "tools/curso_variante.h"

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

bool Contiene(const std::string& t, const std::string& p) { return t.find(p) != std::string::npos; }

const std::string kCurso = "control-2026-otoño";

// The truth of the linear tank A dV/dt = u - V / R read as a level: K = R, Tau = A R (core/planta/tanque.h).
struct Verdad {
    double K, Tau, A;
};
Verdad VerdadDe(const std::string& alumno) {
    const VarianteAlumno v = DerivarVariante(kCurso, alumno);
    const double R = std::stod(v.resistencia), A = std::stod(v.area);
    return {R, A * R, A};
}

void EscribirArchivo(const std::string& ruta, const std::string& texto) {
    std::ofstream(ruta, std::ios::binary) << texto;
}

std::string Respuesta(double K, double Tau) { return json{{"K", K}, {"Tau", Tau}}.dump(); }

// SIMC (Skogestad 2003) for K / (Tau s + 1) with theta = T/2 = 0.25 s and tc = Tau / 4: Kc = Tau / (K (tc +
// theta)), Ti = min(Tau, 4 (tc + theta)) = Tau, the PI that cancels the plant's pole and settles in about Tau.
json Simc(const Verdad& v, double factorKp = 1) {
    const double theta = 0.25, tc = v.Tau / 4;
    return {{"Kp", factorKp * v.Tau / (v.K * (tc + theta))}, {"Ti", std::min(v.Tau, 4 * (tc + theta))}, {"Td", 0}};
}

json Calificar(CarpetaTemporal& c, const std::string& alumno, const std::string& respuesta,
               const std::string& ejercicio = "completo") {
    const std::string archivo = c.Ruta("respuesta.json");
    EscribirArchivo(archivo, respuesta);
    const Ejecucion e =
        Ejecutar({"calificar", "--curso=" + kCurso, "--alumno=" + alumno, "--ejercicio=" + ejercicio, archivo});
    EXPECT_EQ(e.estado, 0) << e.errores;
    return json::parse(e.salida);
}

json Item(const json& informe, const std::string& nombre) {
    for (const json& i : informe["items"])
        if (i["nombre"] == nombre) return i;
    ADD_FAILURE() << "sin item " << nombre;
    return {};
}

std::vector<std::string> Archivos(const fs::path& carpeta) {
    std::vector<std::string> n;
    for (const auto& e : fs::directory_iterator(carpeta)) n.push_back(e.path().filename().string());
    std::sort(n.begin(), n.end());
    return n;
}

// Every number of a JSON text: its numbers, and its strings that read whole as numbers.
void Numeros(const json& j, std::vector<double>& v) {
    if (j.is_number()) v.push_back(j.get<double>());
    if (j.is_string()) {
        const std::string s = j.get<std::string>();
        char* fin = nullptr;
        const double x = std::strtod(s.c_str(), &fin);
        if (!s.empty() && *fin == '\0') v.push_back(x);
    }
    if (j.is_structured())
        for (const json& h : j) Numeros(h, v);
}

// Every number of a prose text, with '.' or ',' as the decimal separator.
std::vector<double> NumerosDeTexto(std::string t) {
    std::vector<double> v;
    const std::regex numero("[0-9]+([.,][0-9]+)?");
    for (auto m = std::sregex_iterator(t.begin(), t.end(), numero); m != std::sregex_iterator(); ++m) {
        std::string s = m->str();
        std::replace(s.begin(), s.end(), ',', '.');
        v.push_back(std::stod(s));
    }
    return v;
}

}  // namespace

// FNV-1a 64 and SplitMix64 against their published vectors, and HuellaAlumno against FNV-1a over curso, 0xFF,
// alumno as Python computes it (an implementation that gives FNV's published 0xaf63dc4c8601ec8c for "a").
TEST(Curso, LasHuellasYLosSorteosSonLosPublicados) {
    SplitMix64 s(1234567);  // Vigna's splitmix64.c
    for (std::uint64_t esperado : {6457827717110365317ULL, 3203168211198807973ULL, 9817491932198370423ULL,
                                   4593380528125082431ULL, 16408922859458223821ULL})
        EXPECT_EQ(s.Siguiente(), esperado);
    struct Caso {
        const char* curso;
        const char* alumno;
        std::uint64_t huella;
    };
    for (const Caso& c : {Caso{"2026-otoño", "ana.garcia", 1822424950555311869ULL}, Caso{"", "x", 763727406857287266ULL},
                          // the 0xFF between them keeps "ab" + "c" apart from "a" + "bc"
                          Caso{"ab", "c", 18299146199457579044ULL}, Caso{"a", "bc", 15182748705655151062ULL},
                          Caso{"curso", "José Núñez", 931695665869336368ULL}})
        EXPECT_EQ(HuellaAlumno(c.curso, c.alumno), c.huella) << c.curso << " / " << c.alumno;
}

// The plants stay in the teaching range, below HMax under the signal, and the ids give different plants.
TEST(Curso, LasPlantasEstanEnElRangoYDifierenEntreAlumnos) {
    std::vector<std::pair<std::string, std::string>> plantas;
    for (int k = 0; k < 200; ++k) {
        const VarianteAlumno v = DerivarVariante(kCurso, "alumno-" + std::to_string(k));
        const double R = std::stod(v.resistencia), A = std::stod(v.area);
        EXPECT_GE(R, 0.8);
        EXPECT_LE(R, 2.5);
        EXPECT_GE(A * R, 4);
        EXPECT_LE(A * R, 40);
        for (const auto& [nombre, texto] : v.textos)
            if (nombre == "Senal_Maximo") {
                EXPECT_LT(R * std::stod(texto), 4.5) << "el tanque rebosaría";
            }
        plantas.emplace_back(v.resistencia, v.area);
    }
    std::sort(plantas.begin(), plantas.end());
    EXPECT_GT(std::unique(plantas.begin(), plantas.end()) - plantas.begin(), 190);
    EXPECT_NE(DerivarVariante(kCurso, "ana").resistencia + DerivarVariante(kCurso, "ana").area,
              DerivarVariante(kCurso + "x", "ana").resistencia + DerivarVariante(kCurso + "x", "ana").area);
}

// The same course and id give the same four files, byte for byte; another id another record.
TEST(Curso, LaMismaSemillaYElMismoAlumnoDanLosMismosArchivos) {
    CarpetaTemporal c;
    for (const char* d : {"uno", "dos", "otro"}) {
        const std::string alumno = std::string(d) == "otro" ? "luis" : "ana";
        const Ejecucion e = Ejecutar({"variante", "--curso=" + kCurso, "--alumno=" + alumno, "--dir=" + c.Ruta(d)});
        ASSERT_EQ(e.estado, 0) << e.errores;
        EXPECT_EQ(e.salida, "");
    }
    const std::vector<std::string> archivos = {"configuracion.tanque", "enunciado.txt", "registro.json", "registro.txt"};
    ASSERT_EQ(Archivos(c.Ruta("uno")), archivos);
    for (const std::string& a : archivos) EXPECT_EQ(LeerBytes(c.Ruta("uno/" + a)), LeerBytes(c.Ruta("dos/" + a))) << a;
    EXPECT_NE(LeerBytes(c.Ruta("uno/registro.txt")), LeerBytes(c.Ruta("otro/registro.txt")));
}

// No byte of the files gives the plant away: no number of the set-up, the description or the statement is K, A
// or Tau (nor the Single that the program keeps of Tau), no plant text is named, and the record holds numbers alone.
TEST(Curso, NingunArchivoDelAlumnoLlevaLaVerdad) {
    CarpetaTemporal c;
    for (const std::string alumno : {"ana", "luis", "José Núñez", "x7", "grupo b, 03"}) {
        const std::string dir = c.Ruta(alumno);
        ASSERT_EQ(Ejecutar({"variante", "--curso=" + kCurso, "--alumno=" + alumno, "--dir=" + dir}).estado, 0);
        const Verdad v = VerdadDe(alumno);
        const VarianteAlumno var = DerivarVariante(kCurso, alumno);
        const double verdades[] = {v.K, v.A, v.Tau, static_cast<double>(static_cast<float>(v.Tau))};
        auto limpio = [&](const std::vector<double>& numeros, const std::string& que) {
            for (double x : numeros)
                for (double t : verdades) EXPECT_GT(std::fabs(x - t), 1e-6 * t) << alumno << ": " << que << " lleva " << x;
        };
        std::vector<double> numeros;
        const std::string configuracion = LeerBytes(dir + "/configuracion.tanque");
        const std::string descripcion = LeerBytes(dir + "/registro.json");
        const std::string enunciado = LeerBytes(dir + "/enunciado.txt");
        Numeros(json::parse(configuracion), numeros);
        limpio(numeros, "la configuración");
        numeros.clear();
        Numeros(json::parse(descripcion), numeros);
        limpio(numeros, "la descripción");
        limpio(NumerosDeTexto(enunciado), "el enunciado");
        for (const std::string* t : {&configuracion, &descripcion, &enunciado}) {
            for (const std::string& texto : {var.resistencia, var.area}) EXPECT_FALSE(Contiene(*t, texto)) << texto;
            for (const char* clave : {"\"Resistencia\"", "\"Area\"", "\"HMax\"", "\"verdad\"", "\"modelo\""})
                EXPECT_FALSE(Contiene(*t, clave)) << alumno << ": " << clave;
        }
        // the description still says how the record was made, and that the plant is hidden
        const json d = json::parse(descripcion);
        EXPECT_EQ(d["corrida"]["tipo"], "escalon");
        EXPECT_TRUE(d["corrida"]["planta"].contains("oculta"));
        EXPECT_EQ(d["corrida"]["ruido"]["textos"]["Ruido_Desviacion"], var.textos[var.textos.size() - 2].second);
        std::istringstream registro(LeerBytes(dir + "/registro.txt"));
        const std::regex linea(R"( *[0-9]+ +-?[0-9]+\.[0-9]{4} +-?[0-9]+\.[0-9]{4}\r)");  // the original program's CRLF
        std::size_t lineas = 0;
        for (std::string l; std::getline(registro, l); ++lineas) ASSERT_TRUE(std::regex_match(l, linea)) << l;
        EXPECT_EQ(lineas, static_cast<std::size_t>(var.muestras));
        EXPECT_EQ(d["registro"]["lineas"], var.muestras);
    }
}

// The exercise can be solved: identificar (OE) reads K and Tau from the student's record within the tolerances.
TEST(Curso, ElRegistroDelAlumnoBastaParaIdentificar) {
    CarpetaTemporal c;
    for (const std::string alumno : {"ana", "luis", "marta", "pablo", "x7", "José Núñez"}) {
        const std::string dir = c.Ruta(alumno);
        ASSERT_EQ(Ejecutar({"variante", "--curso=" + kCurso, "--alumno=" + alumno, "--dir=" + dir}).estado, 0);
        const Ejecucion e = Ejecutar({"identificar", dir + "/registro.txt", "--metodo=oe", "--json"});
        ASSERT_EQ(e.estado, 0) << e.errores;
        const json j = json::parse(e.salida);
        const Verdad v = VerdadDe(alumno);
        EXPECT_NEAR(j["K"].get<double>(), v.K, 0.05 * v.K) << alumno;
        EXPECT_NEAR(j["Tau"].get<double>(), v.Tau, 0.05 * v.Tau) << alumno;
        EXPECT_EQ(j.value("K_err", -1.0) >= 0, true);
    }
}

// The reference answer passes and answers 10 % off in K or in Tau, either way, fail; 4 % off passes (5 %).
TEST(Curso, ElCalificadorAceptaLaVerdadYRechazaUnDiezPorCiento) {
    CarpetaTemporal c;
    struct Caso {
        double fK, fTau;
        bool K, Tau;
    };
    for (const std::string alumno : {"ana", "luis", "José Núñez"}) {
        const Verdad v = VerdadDe(alumno);
        for (const Caso& caso : {Caso{1, 1, true, true}, Caso{1.1, 1, false, true}, Caso{0.9, 1, false, true},
                                 Caso{1, 1.1, true, false}, Caso{1, 0.9, true, false}, Caso{1.04, 0.96, true, true},
                                 Caso{0.5, 2, false, false}}) {
            const json r = Calificar(c, alumno, Respuesta(caso.fK * v.K, caso.fTau * v.Tau), "identificacion");
            const std::string donde = alumno + " " + std::to_string(caso.fK) + " " + std::to_string(caso.fTau);
            EXPECT_EQ(Item(r, "K")["aprobado"], caso.K) << donde;
            EXPECT_EQ(Item(r, "Tau")["aprobado"], caso.Tau) << donde;
            EXPECT_NEAR(Item(r, "K")["referencia"].get<double>(), v.K, 1e-12 * v.K);
            EXPECT_NEAR(Item(r, "Tau")["referencia"].get<double>(), v.Tau, 1e-12 * v.Tau);
            EXPECT_NEAR(Item(r, "K")["error_relativo"].get<double>(), std::fabs(caso.fK - 1), 1e-9) << donde;
            EXPECT_EQ(Item(r, "Tau")["tolerancia"], 0.05);
            EXPECT_EQ(r["total"], 2);
            EXPECT_DOUBLE_EQ(r["nota"].get<double>(), 5.0 * (caso.K + caso.Tau)) << donde;
            if (!caso.K) {
                EXPECT_TRUE(Contiene(Item(r, "K")["motivo"], "se aparta un")) << donde;
            }
        }
    }
}

// SIMC gains from the true K and Tau meet every student's target; gains 30 times too high or too low, or an
// integral far too fast, do not.
TEST(Curso, UnPIDeSIMCPasaYGananciasDisparatadasNo) {
    CarpetaTemporal c;
    for (int k = 0; k < 12; ++k) {
        const std::string alumno = "alumno-" + std::to_string(k);
        const Verdad v = VerdadDe(alumno);
        const json r = Calificar(c, alumno, Simc(v).dump(), "pid");
        const json pid = Item(r, "PID");
        EXPECT_TRUE(pid["aprobado"].get<bool>()) << alumno << " Tau " << v.Tau << ": " << pid.dump();
        EXPECT_LE(pid["obtenido"]["establecimiento_s"].get<double>(), pid["objetivo"]["establecimiento_maximo_s"].get<double>());
        EXPECT_DOUBLE_EQ(r["nota"].get<double>(), 10);
        json rapido = Simc(v);
        rapido["Ti"] = 0.05 * v.Tau;
        for (const json& mala : {Simc(v, 30), Simc(v, 1.0 / 30), rapido}) {
            const json p = Item(Calificar(c, alumno, mala.dump(), "pid"), "PID");
            EXPECT_FALSE(p["aprobado"].get<bool>()) << alumno << ": " << mala.dump() << " " << p.dump();
            EXPECT_FALSE(p["motivo"].get<std::string>().empty());
        }
    }
}

// A class of three, one with its answer missing: a line each, the missing one failed with its reason.
TEST(Curso, UnaClaseConUnaRespuestaQueFalta) {
    CarpetaTemporal c;
    const std::string ids = c.Ruta("ids.csv");
    EscribirArchivo(ids, "alumno,nombre\r\nana,Ana García\r\n\"Pérez, Juan\",Juan\r\n\r\nluis,Luis\r\n");
    const std::string ejercicios = c.Ruta("ejercicios");  // made by variante
    const Ejecucion v = Ejecutar({"variante", "--curso=" + kCurso, "--clase=" + ids, "--dir=" + ejercicios});
    ASSERT_EQ(v.estado, 0) << v.errores;
    EXPECT_EQ(Archivos(ejercicios), (std::vector<std::string>{"Pérez, Juan", "ana", "luis"}));
    // each student's folder holds what --alumno writes
    const Ejecucion solo = Ejecutar({"variante", "--curso=" + kCurso, "--alumno=Pérez, Juan", "--dir=" + c.Ruta("solo")});
    ASSERT_EQ(solo.estado, 0);
    EXPECT_EQ(LeerBytes(c.Ruta("solo/registro.txt")), LeerBytes(ejercicios + "/Pérez, Juan/registro.txt"));

    const std::string respuestas = c.Ruta("respuestas");
    fs::create_directory(respuestas);
    auto completa = [](const Verdad& v, double fK) {
        json j = Simc(v);
        j["K"] = fK * v.K;
        j["Tau"] = v.Tau;
        return j.dump();
    };
    EscribirArchivo(respuestas + "/ana.json", completa(VerdadDe("ana"), 1));
    EscribirArchivo(respuestas + "/Pérez, Juan.json", completa(VerdadDe("Pérez, Juan"), 1.1));
    const std::string informe = c.Ruta("clase.csv");
    const Ejecucion e = Ejecutar({"calificar", "--curso=" + kCurso, "--clase=" + ids, "--respuestas=" + respuestas,
                                  "--salida=" + informe});
    ASSERT_EQ(e.estado, 0) << e.errores;
    EXPECT_EQ(e.salida, "");
    std::istringstream csv(LeerBytes(informe));
    std::vector<std::string> lineas;
    for (std::string l; std::getline(csv, l);) lineas.push_back(l);
    ASSERT_EQ(lineas.size(), 4u);
    EXPECT_EQ(lineas[0], "alumno,nota,aprobados,total,K,Tau,PID,motivo");
    EXPECT_EQ(lineas[1], "ana,10.00,3,3,si,si,si,");
    EXPECT_TRUE(lineas[2].rfind("\"Pérez, Juan\",6.67,2,3,no,si,si,\"K se aparta un 10,0 %", 0) == 0) << lineas[2];
    EXPECT_TRUE(lineas[3].rfind("luis,0.00,0,3,no,no,no,falta la respuesta: no existe ", 0) == 0) << lineas[3];
}

// Hostile answers: each refused with its reason, the status 1, nothing on standard output.
TEST(Curso, LasRespuestasMalasSeRechazanEnCastellano) {
    CarpetaTemporal c;
    struct Caso {
        const char* respuesta;
        const char* motivo;
    };
    for (const Caso& caso : {
             Caso{"{\"K\": 2, \"Tau\": ", "no es un JSON válido"},
             Caso{"{\"K\": NaN, \"Tau\": 3}", "no es un JSON válido"},
             Caso{"[2, 3]", "debe ser un objeto JSON"},
             Caso{"{\"Tau\": 3}", "falta el campo \"K\""},
             Caso{"{\"K\": \"2\", \"Tau\": 3}", "\"K\" debe ser un número, no un texto"},
             Caso{"{\"K\": true, \"Tau\": 3}", "no un booleano"},
             Caso{"{\"K\": null, \"Tau\": 3}", "no null"},
             Caso{"{\"K\": 2, \"Tau\": 1e400}", "no es un JSON válido"},  // beyond a Double: not read
             Caso{"{\"K\": -2, \"Tau\": 3}", "\"K\" debe ser mayor que 0"},
             Caso{"{\"K\": 2, \"Tau\": 3, \"Kp\": 2, \"Ti\": 0}", "\"Ti\" debe ser mayor que 0"},
             Caso{"{\"K\": 2, \"Tau\": 3, \"Kp\": 2, \"Ti\": 5, \"Td\": -1}", "\"Td\" no puede ser negativo"},
             Caso{"{\"K\": 2, \"Tau\": 3, \"Ti\": 5}", "falta el campo \"Kp\""},
         }) {
        const std::string archivo = c.Ruta("mala.json");
        EscribirArchivo(archivo, caso.respuesta);
        const Ejecucion e = Ejecutar({"calificar", "--curso=" + kCurso, "--alumno=ana", archivo});
        EXPECT_EQ(e.estado, 1) << caso.respuesta;
        EXPECT_EQ(e.salida, "");
        EXPECT_TRUE(Contiene(e.errores, caso.motivo)) << caso.respuesta << " -> " << e.errores;
    }
    const Ejecucion falta = Ejecutar({"calificar", "--curso=" + kCurso, "--alumno=ana", c.Ruta("no-existe.json")});
    EXPECT_EQ(falta.estado, 1);
    EXPECT_TRUE(Contiene(falta.errores, "falta la respuesta")) << falta.errores;
}

// Ids that would leave DIR, or break a line, are refused on the command line and in a class file, and nothing
// is written outside DIR.
TEST(Curso, LosIdentificadoresNoSalenDeLaCarpeta) {
    for (const std::string& id : {std::string("a\nb"), std::string("../fuera"), std::string("a/b"), std::string(".."),
                                 std::string("."), std::string(".oculto"), std::string("a\\b"), std::string("\xff"),
                                 std::string(""), std::string(101, 'x'), std::string("tab\tulado")}) {
        try {
            LeerOpciones({"variante", "--curso=" + kCurso, "--alumno=" + id});
            ADD_FAILURE() << "aceptado: " << id;
        } catch (const std::invalid_argument& e) {
            EXPECT_TRUE(Contiene(e.what(), "--alumno: el identificador del alumno")) << e.what();
        }
    }
    CarpetaTemporal c;
    const std::string ids = c.Ruta("ids.csv");
    EscribirArchivo(ids, "ana\n../fuera\n");
    fs::create_directory(c.Ruta("d"));
    const Ejecucion e = Ejecutar({"variante", "--curso=" + kCurso, "--clase=" + ids, "--dir=" + c.Ruta("d")});
    EXPECT_EQ(e.estado, 1);
    EXPECT_TRUE(Contiene(e.errores, "línea 2: el identificador del alumno no puede tener barras")) << e.errores;
    EXPECT_FALSE(fs::exists(c.Ruta("fuera")));
    EXPECT_TRUE(fs::is_empty(c.Ruta("d")));  // the class is read whole before any folder is made
    EscribirArchivo(ids, "ana\nluis\nana\n");
    const Ejecucion doble = Ejecutar({"variante", "--curso=" + kCurso, "--clase=" + ids, "--dir=" + c.Ruta("d")});
    EXPECT_EQ(doble.estado, 1);
    EXPECT_TRUE(Contiene(doble.errores, "línea 3: el alumno ana ya está en la clase")) << doble.errores;
    // a student's folder that is a symbolic link to somewhere else is not written through
    fs::create_directory(c.Ruta("afuera"));
    fs::create_directory_symlink(c.Ruta("afuera"), c.Ruta("d/ana"));
    EscribirArchivo(ids, "ana\n");
    const Ejecucion enlace = Ejecutar({"variante", "--curso=" + kCurso, "--clase=" + ids, "--dir=" + c.Ruta("d")});
    EXPECT_EQ(enlace.estado, 1);
    EXPECT_TRUE(Contiene(enlace.errores, "es un enlace simbólico")) << enlace.errores;
    EXPECT_TRUE(fs::is_empty(c.Ruta("afuera")));
}

// The command lines that make no sense, each with its reason.
TEST(Curso, LasOrdenesIncompletasSeRechazan) {
    struct Caso {
        std::vector<std::string> argumentos;
        const char* motivo;
    };
    for (const Caso& caso : {
             Caso{{"variante", "--alumno=ana"}, "variante necesita --curso=SEMILLA"},
             Caso{{"variante", "--curso=s"}, "necesita --alumno=ID o --clase=ids.csv"},
             Caso{{"variante", "--curso=s", "--alumno=a", "--clase=c.csv"}, "y solo uno de los dos"},
             Caso{{"variante", "--curso=s", "--alumno=a", "sobra"}, "variante no toma más argumentos"},
             Caso{{"variante", "--curso=s", "--alumno=a", "--ejercicio=examen"}, "--ejercicio debe ser"},
             Caso{{"variante", "--curso=s", "--alumno=a", "--salida=x"}, "opción desconocida para variante"},
             Caso{{"calificar", "--curso=s", "--alumno=a"}, "espera un archivo de respuesta"},
             Caso{{"calificar", "--curso=s", "--clase=c.csv"}, "necesita --respuestas=DIR"},
             Caso{{"calificar", "--curso=s", "--clase=c.csv", "--respuestas=r", "x.json"}, "quite 'x.json'"},
             Caso{{"calificar", "--curso=\xff", "--alumno=a", "r.json"}, "--curso debe ser un texto UTF-8"},
         }) {
        try {
            LeerOpciones(caso.argumentos);
            ADD_FAILURE() << "aceptada: " << caso.argumentos.back();
        } catch (const std::invalid_argument& e) {
            EXPECT_TRUE(Contiene(e.what(), caso.motivo)) << e.what();
        }
    }
}

// The loop that grades the gains agrees with the exact discrete loop of sintonia/ (sintonizar --verdad on the
// same plant): the overshoot and the settling time that the grader measures are those it predicts.
TEST(Curso, ElLazoDelCalificadorEsElQuePrediceSintonizar) {
    CarpetaTemporal c;
    for (const std::string alumno : {"ana", "luis", "marta"}) {
        const VarianteAlumno v = DerivarVariante(kCurso, alumno);
        for (const char* tc : {"1", "2", "4"}) {
            const Ejecucion s = Ejecutar({"sintonizar", "--verdad", "--Resistencia=" + v.resistencia,
                                          "--Area=" + v.area, "--T_Sample=500", std::string("--tc=") + tc, "--json"});
            ASSERT_EQ(s.estado, 0) << s.errores;
            const json p = json::parse(s.salida);
            const json r = Item(Calificar(c, alumno, json{{"Kp", p["Kp"]}, {"Ti", p["Ti"]}, {"Td", p["Td"]}}.dump(), "pid"), "PID");
            const std::string donde = alumno + " tc=" + tc;
            ASSERT_TRUE(r["obtenido"]["establecimiento_s"].is_number()) << donde << r.dump();
            EXPECT_NEAR(r["obtenido"]["sobreimpulso_pct"].get<double>(), p["sobreimpulso"].get<double>(), 0.05) << donde;
            EXPECT_NEAR(r["obtenido"]["establecimiento_s"].get<double>(), p["establecimiento"].get<double>(), 0.05) << donde;
        }
    }
}

// The student's record is the one tanque-lote escalon writes with the plant's and the exercise's texts.
TEST(Curso, ElRegistroEsElDeTanqueLoteEscalon) {
    CarpetaTemporal c;
    for (const std::string alumno : {"ana", "luis"}) {
        const VarianteAlumno v = DerivarVariante(kCurso, alumno);
        ASSERT_EQ(Ejecutar({"variante", "--curso=" + kCurso, "--alumno=" + alumno, "--dir=" + c.Ruta(alumno)}).estado, 0);
        std::vector<std::string> a = {"escalon", std::to_string(v.muestras), "--Resistencia=" + v.resistencia,
                                      "--Area=" + v.area, "--salida=" + c.Ruta(alumno + ".txt")};
        for (const auto& [nombre, texto] : v.textos) a.push_back("--" + nombre + "=" + texto);
        ASSERT_EQ(Ejecutar(a).estado, 0);
        EXPECT_EQ(LeerBytes(c.Ruta(alumno + "/registro.txt")), LeerBytes(c.Ruta(alumno + ".txt"))) << alumno;
        // and its description, but for the plant
        json d = json::parse(LeerBytes(c.Ruta(alumno + ".json"))), dAlumno = json::parse(LeerBytes(c.Ruta(alumno + "/registro.json")));
        EXPECT_EQ(d["registro"]["sha256"], dAlumno["registro"]["sha256"]);
        EXPECT_EQ(d["corrida"]["senal"], dAlumno["corrida"]["senal"]);
        EXPECT_EQ(d["corrida"]["textos_al_empezar"]["Resistencia"], v.resistencia);
    }
}

// Gains that break the arithmetic or overflow the tank fail the item with the program's reason; nothing throws.
TEST(Curso, GananciasQueRompenLaCorridaSuspendenConSuMotivo) {
    CarpetaTemporal c;
    for (const char* respuesta : {R"({"Kp": 1e300, "Ti": 1})", R"({"Kp": 1000, "Ti": 5})", R"({"Kp": -3, "Ti": 5})"}) {
        const json p = Item(Calificar(c, "ana", respuesta, "pid"), "PID");
        EXPECT_FALSE(p["aprobado"].get<bool>()) << respuesta;
        EXPECT_FALSE(p["motivo"].get<std::string>().empty()) << respuesta;
    }
    const json rebosa = Item(Calificar(c, "ana", R"({"Kp": 1000, "Ti": 5})", "pid"), "PID");
    EXPECT_TRUE(Contiene(rebosa["motivo"], "la corrida PID se detuvo")) << rebosa.dump();
}
