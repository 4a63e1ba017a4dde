// The record's description: every field against the run that wrote it, read back with the JSON library; the texts
// of the run's time, not of the export's; the runs of a record that mixes them; the file's name; a failed write.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "core/descripcion.h"
#include "core/planta/tanque.h"
#include "core/textos_senal.h"
#include "export/error_archivo.h"
#include "fuzzy/reglas.h"
#include "senales/parametros.h"
#include "tests/core/banco.h"

namespace {

using nlohmann::json;

// A record written by "Archivo" into a folder of its own, and its description read back.
class Exportado {
public:
    explicit Exportado(const char* nombre) : carpeta_(ArchivoDeLaPrueba(std::string(nombre))) {
        std::filesystem::remove_all(carpeta_);
        std::filesystem::create_directories(carpeta_);
    }
    ~Exportado() { std::filesystem::remove_all(carpeta_); }

    std::string Registro() const { return (carpeta_ / "registro.txt").string(); }
    std::string Descripcion() const { return (carpeta_ / "registro.json").string(); }

    json Exportar(Simulador& s) {
        s.ArchivoClick(Registro(), true, 0, 0);
        std::ifstream f(Descripcion());
        return json::parse(f);
    }
    // the record's lines as (sample, action, level)
    std::vector<std::vector<double>> Lineas() const {
        std::ifstream f(Registro());
        std::vector<std::vector<double>> v;
        double m, a, y;
        while (f >> m >> a >> y) v.push_back({m, a, y});
        return v;
    }

private:
    std::filesystem::path carpeta_;
};

void CadaTextoAlEmpezar(const json& corrida, const TextosMapa& textos, Corrida r) {
    for (const char* n : TextosAlEmpezar(r, TanqueLineal())) {
        if (std::string(n) == kTrackReferencia) continue;
        EXPECT_EQ(corrida["textos_al_empezar"][n], textos.Texto(n)) << n;
    }
}

}  // namespace

TEST(Descripcion, NombreBesideElRegistro) {
    const std::pair<const char*, const char*> casos[] = {
        {"reg.txt", "reg.json"},
        {"reg.red", "reg.json"},
        {"/tmp/a.b/Reg.TXT", "/tmp/a.b/Reg.json"},  // any case of the extension
        {"reg", "reg.json"},                        // no extension: added
        {"/tmp/a.b/reg", "/tmp/a.b/reg.json"},      // a point in a folder is no extension
        {"reg.csv", "reg.csv.json"},                // another extension stays
        {"reg.json", "reg.json.json"},              // never the record itself
        {".txt", ".json"},
    };
    for (auto [registro, descripcion] : casos) EXPECT_EQ(NombreDescripcion(registro), descripcion) << registro;
}

TEST(Descripcion, SubpasosComoLosCuentaElIntegrador) {
    EXPECT_EQ(SubpasosRK(0.5f), 10);
    EXPECT_EQ(SubpasosRK(0.3f), 11);
    EXPECT_EQ(SubpasosRK(0.0f), 0);
    // against the plant itself: with no inflow the volume decays by e^(-m h / Tau) over one sample
    for (int ms : {1, 10, 100, 250, 300, 500, 700, 1000, 1300, 4100}) {
        TextosMapa t = TextosIniciales('.');
        t.Poner("T_Sample", std::to_string(ms));
        // Tau = 100 T: a decay that a Single resolves, and RK4's error far below a sub-step's worth
        t.Poner("Area", std::to_string(ms / 20.0));
        Simulacion s;
        LeerParametrosPlanta(s, t);
        const float x = RK(s, 1e6f);
        const double h = static_cast<float>(s.T_Muestreo / 10.0L);
        const double m = -std::log(x / 1e6) * s.Tau / h;
        EXPECT_EQ(SubpasosRK(s.T_Muestreo), std::lround(m)) << ms << " ms: " << m;
    }
}

TEST(Descripcion, UnaCorridaDeLazoAbiertoConPRBSYRuido) {
    Banco b;
    b.textos.Poner("Senal_Tipo", "PRBS");
    b.textos.Poner("Senal_Orden", "7");
    b.textos.Poner("Senal_Semilla", "12345678901234567890");
    b.textos.Poner("Ruido_Desviacion", "0.02");
    b.textos.Poner("Ruido_Semilla", "4");
    b.textos.Poner("T_Sample", "300");
    const TextosMapa alEmpezar = b.textos;
    b.sim.ToolButton4Click();
    for (int n = 0; n < 40; ++n) b.sim.Timer1Timer();
    b.textos.Poner("Senal_Maximo", "1.5");  // seen at tick 40
    for (int n = 40; n < 60; ++n) b.sim.Timer1Timer();
    b.sim.ToolButton4Click();
    // changed after the run: the description keeps the run's texts
    b.textos.Poner("Area", "99");
    b.textos.Poner("Senal_Tipo", "Gaussiana");

    Exportado e("prbs");
    const json d = e.Exportar(b.sim);
    EXPECT_EQ(d["formato"], "tanque-descripcion");
    EXPECT_EQ(d["version_formato"], 1);
    EXPECT_EQ(d["programa"]["nombre"], "tanque");
    EXPECT_EQ(d["programa"]["version"], TANQUE_VERSION);
    EXPECT_EQ(d["registro"]["archivo"], "registro.txt");
    EXPECT_EQ(d["registro"]["columnas"], json({"muestra", "accion", "nivel"}));
    const auto lineas = e.Lineas();
    ASSERT_EQ(lineas.size(), 60u);
    EXPECT_EQ(d["registro"]["lineas"], 60);
    EXPECT_EQ(d["registro"]["primera_muestra"], lineas.front()[0]);
    EXPECT_EQ(d["registro"]["ultima_muestra"], lineas.back()[0]);
    EXPECT_EQ(d["T_Sample"], "300");
    EXPECT_EQ(d["muestreo_s"].get<double>(), static_cast<double>(b.sim.Estado().T_Muestreo));
    EXPECT_EQ(d["alineacion"]["retardo"], 0);
    EXPECT_NE(d["alineacion"]["explicacion"].get<std::string>().find("nk = 0"), std::string::npos);
    EXPECT_FALSE(d.contains("corridas")) << "one run";

    const json& c = d["corrida"];
    EXPECT_EQ(c["numero"], 1);
    EXPECT_EQ(c["tipo"], "escalon");
    EXPECT_EQ(c["retardo"], 0);
    EXPECT_EQ(c["T_Sample"], "300");
    const json& p = c["planta"];
    EXPECT_EQ(p["Area"], "10");
    EXPECT_EQ(p["Resistencia"], "2");
    EXPECT_EQ(p["HMax"], "5");
    EXPECT_EQ(p["modelo"]["K"].get<double>(), 2.0);
    EXPECT_EQ(p["modelo"]["Tau"].get<double>(), 20.0);
    EXPECT_EQ(p["modelo"]["subpasos_por_muestra"], 11);
    EXPECT_NEAR(p["modelo"]["tiempo_por_muestra_s"].get<double>(), 0.33, 1e-6);

    const json& s = c["senal"];
    for (const char* n : TextosSenalEnCadaTick()) EXPECT_EQ(s["textos"][n], alEmpezar.Texto(n)) << n;
    EXPECT_EQ(s["tipo"], "PRBS");
    EXPECT_EQ(s["semilla"].get<std::uint64_t>(), 12345678901234567890u);
    EXPECT_EQ(s["usa"], json({"Senal_Minimo", "Senal_Maximo", "Senal_Periodo", "Senal_Orden", "Senal_Semilla"}));
    EXPECT_FALSE(s.contains("error"));
    EXPECT_EQ(c["ruido"]["textos"]["Ruido_Desviacion"], "0.02");
    EXPECT_EQ(c["ruido"]["textos"]["Ruido_Semilla"], "4");
    EXPECT_EQ(c["ruido"]["desviacion"].get<double>(), 0.02);
    EXPECT_EQ(c["ruido"]["semilla"], 4);
    EXPECT_FALSE(c.contains("controlador"));
    CadaTextoAlEmpezar(c, alEmpezar, Corrida::Escalon);
    EXPECT_EQ(c["cambios"], json::parse(R"([{"muestra": 40, "nombre": "Senal_Maximo", "texto": "1.5"}])"));
    EXPECT_EQ(c["cambios_omitidos"], 0);
}

TEST(Descripcion, ConComaDecimal) {
    Banco b(',');
    b.textos.Poner("Senal_Tipo", "Gaussiana");
    b.textos.Poner("Senal_Minimo", "0,25");
    b.textos.Poner("Ruido_Desviacion", "0,5");
    b.sim.ToolButton4Click();
    for (int n = 0; n < 3; ++n) b.sim.Timer1Timer();
    b.sim.ToolButton4Click();
    Exportado e("coma");
    const json d = e.Exportar(b.sim);
    EXPECT_EQ(d["corrida"]["separador_decimal"], ",");
    EXPECT_EQ(d["corrida"]["senal"]["textos"]["Senal_Minimo"], "0,25");
    EXPECT_EQ(d["corrida"]["senal"]["tipo"], "Gaussiana");
    EXPECT_FALSE(d["corrida"]["senal"].contains("error"));
    EXPECT_EQ(d["corrida"]["ruido"]["desviacion"].get<double>(), 0.5);
    // a run that started with a text it could not read, put right at its first tick: the start's texts with
    // their message, and the change
    b.textos.Poner("Senal_Orden", "99");
    b.textos.Poner("Senal_Tipo", "PRBS");
    b.sim.LimpiarClick();
    b.sim.ToolButton4Click();
    b.sim.AtenderTick(Corrida::Escalon);
    b.textos.Poner("Senal_Orden", "6");
    for (int n = 0; n < 3; ++n) b.sim.AtenderTick(Corrida::Escalon);
    b.sim.ToolButton4Click();
    const json f = e.Exportar(b.sim);
    EXPECT_EQ(f["registro"]["lineas"], 3);
    EXPECT_EQ(f["corrida"]["senal"]["error"], kMensajeOrden);
    EXPECT_EQ(f["corrida"]["cambios"], json::parse(R"([{"muestra": 0, "nombre": "Senal_Orden", "texto": "6"}])"));
}

TEST(Descripcion, LasCorridasPIDYFuzzy) {
    for (Corrida r : {Corrida::PID, Corrida::Fuzzy}) {
        const bool pid = r == Corrida::PID;
        Banco b;
        b.textos.Poner(pid ? "Kp" : "KU", "2.5");
        b.textos.Poner("Reglas_3_3", "4");
        b.textos.Poner("E_Ze_Ancho", "1");
        b.sim.ToolButton11Click();
        b.textos.Poner("E_Ze_Ancho", "2");  // after the initialisation: not the controller's
        b.posicion.valor = 4;
        const TextosMapa alEmpezar = b.textos;
        b.sim.Alternar(r);
        for (int n = 0; n < 150; ++n) {
            if (n == 120) b.posicion.valor = 6;
            if (n == 130) b.textos.Poner("T_Sample", "250");
            b.sim.Tick(r);
        }
        b.sim.Alternar(r);

        Exportado e(pid ? "pid" : "fuzzy");
        const json d = e.Exportar(b.sim);
        const auto lineas = e.Lineas();
        ASSERT_EQ(lineas.size(), 101u);  // the closed-loop chart keeps 101 samples
        EXPECT_EQ(d["registro"]["lineas"], 101);
        EXPECT_EQ(d["registro"]["primera_muestra"], 49);
        EXPECT_EQ(d["registro"]["ultima_muestra"], 149);
        EXPECT_EQ(d["alineacion"]["retardo"], 1);
        EXPECT_NE(d["alineacion"]["explicacion"].get<std::string>().find("nk = 1"), std::string::npos);
        EXPECT_EQ(d["T_Sample"], "500");
        EXPECT_EQ(d["muestreo_s"].get<double>(), 0.5);
        const json& c = d["corrida"];
        EXPECT_EQ(c["tipo"], pid ? "pid" : "fuzzy");
        EXPECT_EQ(c["retardo"], 1);
        EXPECT_FALSE(c.contains("senal"));
        CadaTextoAlEmpezar(c, alEmpezar, r);
        const json& k = c["controlador"];
        for (const char* n :
             pid ? std::vector<const char*>{"Kp", "Ti", "Td"} : std::vector<const char*>{"KE", "KDE", "KU"})
            EXPECT_EQ(k[n], alEmpezar.Texto(n)) << n;
        EXPECT_EQ(k[kTrackReferencia], 4);
        EXPECT_EQ(k["referencia"].get<double>(), 2.0);
        EXPECT_EQ(c["cambios"], json::parse(R"([{"muestra": 120, "nombre": "Track_Referencia", "texto": "6"},
                                                 {"muestra": 130, "nombre": "T_Sample", "texto": "250"}])"));
        if (pid) {
            EXPECT_FALSE(k.contains("conjuntos"));
            continue;
        }
        // the sets and rules that the controller held, not the dialog's texts of now
        const FIS& f = b.sim.Controlador_Fuzzy();
        const std::vector<FDP>* grupos[] = {&f.Conjuntos_E, &f.Conjuntos_DE, &f.Conjuntos_U};
        for (std::size_t g = 0; g < 3; ++g)
            for (std::size_t i = 0; i < kEtiquetas.size(); ++i) {
                const json& cj = k["conjuntos"][kPrefijosFuzzy[g]][kEtiquetas[i]];
                const FDP& fdp = (*grupos[g])[i];
                EXPECT_EQ(cj["tipo"], fdp.Tipo);
                EXPECT_EQ(cj["ancho"].get<double>(), fdp.Ancho);
                EXPECT_EQ(cj["centro"].get<double>(), fdp.Centro);
            }
        EXPECT_EQ(k["conjuntos"]["E"]["Ze"]["ancho"].get<double>(), 1.0);
        for (int fila = 0; fila < 5; ++fila)
            for (int col = 0; col < 5; ++col)
                EXPECT_EQ(k["reglas"][fila][col], f.Tabla_Reglas[fila][col]) << fila << " " << col;
        EXPECT_EQ(k["reglas"][2][2], 4);
    }
}

TEST(Descripcion, UnRegistroQueJuntaCorridasLasNombraATodas) {
    Banco b;
    Serie oraculo;  // the chart's order of points, its y the run's number
    b.sim.ToolButton4Click();
    for (int n = 0; n < 10; ++n) {
        b.sim.Timer1Timer();
        oraculo.Agregar(n, 1);
    }
    b.sim.ToolButton4Click();
    b.sim.ToolButton13Click();
    for (int n = 0; n < 5; ++n) {
        b.sim.Timer4Timer();
        oraculo.Agregar(n, 2);
    }
    b.sim.ToolButton13Click();
    ASSERT_EQ(b.sim.Series1().Cuenta(), 15u);
    for (std::size_t i = 0; i < 15; ++i) {
        ASSERT_NE(b.sim.Registro().De(i), nullptr);
        EXPECT_EQ(static_cast<double>(b.sim.Registro().De(i)->numero), oraculo.Y(i)) << i;
    }

    Exportado e("mezcla");
    const json d = e.Exportar(b.sim);
    EXPECT_EQ(d["registro"]["lineas"], 15);
    EXPECT_TRUE(d["alineacion"]["retardo"].is_null());
    ASSERT_EQ(d["corridas"].size(), 2u);
    EXPECT_EQ(d["corridas"][0]["tipo"], "escalon");
    EXPECT_EQ(d["corridas"][0]["retardo"], 0);
    EXPECT_EQ(d["corridas"][1]["tipo"], "pid");
    EXPECT_EQ(d["corridas"][1]["retardo"], 1);
    // the last line is the step's sample 9
    EXPECT_EQ(d["corrida"]["tipo"], "escalon");
    EXPECT_EQ(d["registro"]["ultima_muestra"], 9);
}

TEST(Descripcion, SoloSeGuardanLasCorridasConPuntosYLaUltimaDeCadaClase) {
    Banco b;
    for (int k = 0; k < 2; ++k) {
        b.sim.ToolButton4Click();
        for (int n = 0; n < 10; ++n) b.sim.Timer1Timer();
        b.sim.ToolButton4Click();
    }
    EXPECT_EQ(b.sim.Registro().Guardadas(), 2u);
    b.sim.LimpiarClick();
    EXPECT_EQ(b.sim.Registro().Guardadas(), 1u);
    EXPECT_EQ(b.sim.Registro().Ultima(Corrida::Escalon)->numero, 2u);
    // the step's points are pushed out by a PID run; the step run stays as the last of its kind, until the next
    b.sim.ToolButton4Click();
    for (int n = 0; n < 10; ++n) b.sim.Timer1Timer();
    b.sim.ToolButton4Click();
    b.sim.ToolButton13Click();
    for (int n = 0; n < 200; ++n) b.sim.Timer4Timer();
    b.sim.ToolButton13Click();
    for (std::size_t i = 0; i < b.sim.Series1().Cuenta(); ++i) ASSERT_EQ(b.sim.Registro().De(i)->corrida, Corrida::PID);
    EXPECT_EQ(b.sim.Registro().Guardadas(), 2u);
    b.sim.ToolButton4Click();
    EXPECT_EQ(b.sim.Registro().Guardadas(), 2u);
    EXPECT_EQ(b.sim.Registro().Ultima(Corrida::Escalon)->numero, 5u);
    // a toggle on and off with no tick: a run with no points, kept only while it is the last of its kind
    for (int k = 0; k < 100; ++k) {
        b.sim.ToolButton4Click();
        b.sim.ToolButton4Click();
    }
    EXPECT_EQ(b.sim.Registro().Guardadas(), 2u);
}

TEST(Descripcion, LosCambiosYLosTextosTienenLimite) {
    Banco b;
    b.textos.Poner("Senal_Semilla", std::string(1000, '7'));
    b.textos.Poner("Ruido_Semilla", "\xff\xfe");  // not UTF-8
    b.sim.ToolButton4Click();
    for (int n = 0; n < 1500; ++n) {
        b.textos.Poner("Alto_Escalon", n % 2 ? "2" : "1.5");
        b.sim.Timer1Timer();
    }
    b.sim.ToolButton4Click();
    const BitacoraCorrida& r = *b.sim.Registro().Ultima(Corrida::Escalon);
    EXPECT_EQ(r.cambios.size(), kCambiosMaximos);
    EXPECT_EQ(r.cambiosOmitidos, 1500 - kCambiosMaximos);
    EXPECT_EQ((r.cambios[3] == CambioTexto{3, "Alto_Escalon", "2"}), true);
    EXPECT_EQ(r.AlEmpezar("Senal_Semilla"), std::string(kLargoMaximoTexto, '7') + "...");

    Exportado e("limites");
    const json d = e.Exportar(b.sim);
    EXPECT_EQ(d["corrida"]["cambios"].size(), kCambiosMaximos);
    EXPECT_EQ(d["corrida"]["cambios_omitidos"], 500);
    EXPECT_EQ(d["corrida"]["ruido"]["textos"]["Ruido_Semilla"], "\xef\xbf\xbd\xef\xbf\xbd");  // U+FFFD twice
}

// A description that cannot be written leaves the record as it was too (the pair is one thing), and the message
// names the description, the cause and what was left. Its name is never followed through a symbolic link.
TEST(Descripcion, UnaDescripcionQueNoSePuedeEscribirSeNombra) {
    Banco b;
    b.sim.ToolButton4Click();
    for (int n = 0; n < 5; ++n) b.sim.Timer1Timer();
    b.sim.ToolButton4Click();
    struct Caso {
        const char* que;
        std::function<void(const Exportado&)> preparar;
        std::string causa;
    };
    const Caso casos[] = {
        {"a folder", [](const Exportado& e) { std::filesystem::create_directory(e.Descripcion()); },
         "es una carpeta"},
        {"a link to another file",
         [](const Exportado& e) {
             std::ofstream(e.Descripcion() + ".otro") << "ajeno";
             std::filesystem::create_symlink(e.Descripcion() + ".otro", e.Descripcion());
         },
         "es un enlace simbólico"},
        {"a dangling link",
         [](const Exportado& e) { std::filesystem::create_symlink(e.Descripcion() + ".nada", e.Descripcion()); },
         "es un enlace simbólico"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        Exportado e("fallo");
        c.preparar(e);
        b.mensajes.mostrados.clear();
        b.sim.Atender([&] { b.sim.ArchivoClick(e.Registro(), true, 0, 0); });
        ASSERT_FALSE(b.mensajes.mostrados.empty());
        const std::string& m = b.mensajes.mostrados.back();
        EXPECT_EQ(m.rfind("no se pudo escribir la descripción " + e.Descripcion() + ": " + c.causa, 0), 0u) << m;
        EXPECT_NE(b.mensajes.mostrados.back().find("el registro " + e.Registro() + " queda como estaba"),
                  std::string::npos)
            << b.mensajes.mostrados.back();
        EXPECT_FALSE(std::filesystem::exists(e.Registro())) << "no new record without its description";
        if (std::filesystem::exists(e.Descripcion() + ".otro")) {
            std::ifstream f(e.Descripcion() + ".otro");
            std::string t;
            f >> t;
            EXPECT_EQ(t, "ajeno") << "the link's target was not written";
        }
    }
}

// The description names its record's size and SHA-256, as sha256sum computes them from the file.
TEST(Descripcion, NombraElTamanoYLaHuellaDelRegistro) {
    Banco b;
    b.sim.ToolButton4Click();
    for (int n = 0; n < 40; ++n) b.sim.Timer1Timer();
    b.sim.ToolButton4Click();
    Exportado e("huella");
    const json d = e.Exportar(b.sim);
    EXPECT_EQ(d["registro"]["bytes"], std::filesystem::file_size(e.Registro()));
    std::FILE* p = ::popen(("sha256sum '" + e.Registro() + "'").c_str(), "r");
    ASSERT_NE(p, nullptr);
    char hex[65] = {};
    ASSERT_EQ(std::fread(hex, 1, 64, p), 64u);
    ::pclose(p);
    EXPECT_EQ(d["registro"]["sha256"], std::string(hex));
}

TEST(Descripcion, UnRegistroQueNoEsUnArchivoNoLlevaDescripcion) {
    Banco b;
    b.sim.ToolButton4Click();
    b.sim.Timer1Timer();
    b.sim.ToolButton4Click();
    ASSERT_FALSE(std::filesystem::exists("/dev/null.json"));
    b.sim.Atender([&] { b.sim.ArchivoClick("/dev/null", true, 0, 0); });
    const bool escrita = std::filesystem::exists("/dev/null.json");
    std::filesystem::remove("/dev/null.json");
    EXPECT_FALSE(escrita);
    EXPECT_EQ(b.mensajes.mostrados, std::vector<std::string>{kCicloParado});
}

TEST(Descripcion, SinLineas) {
    Banco b;
    Exportado e("vacio");
    const json d = e.Exportar(b.sim);
    EXPECT_EQ(d["registro"]["lineas"], 0);
    EXPECT_TRUE(d["registro"]["primera_muestra"].is_null());
    EXPECT_TRUE(d["corrida"].is_null());
    EXPECT_TRUE(d["alineacion"]["retardo"].is_null());
}
