// The description beside --salida against the window's: the same run made in a Simulador and written by
// "Archivo" gives the same record and the same description, but for the record's file name.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/descripcion.h"
#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "tests/core/mudos.h"
#include "tests/export/utilidades.h"
#include "tests/tools/ejecutar.h"

namespace {

using nlohmann::json;

struct CambioVentana {
    std::int32_t muestra;
    const char* nombre;
    const char* texto;
};

// The run as a user makes it in the window: the texts typed, the button, the ticks (a text or the slider changed
// before the tick that the schedule names), the button again, then "Archivo" over the whole chart.
void ComoLaVentana(const std::string& registro, Corrida corrida, int muestras,
                   const std::vector<std::pair<const char*, const char*>>& textos,
                   const std::vector<CambioVentana>& cambios) {
    TextosMapa t = TextosIniciales('.');
    PosicionFija posicion;
    MensajesMudos mensajes;
    for (const auto& [n, v] : textos) t.Poner(n, v);
    Simulador s(t, posicion, mensajes);
    const auto poner = [&](const char* n, const char* v) {
        if (std::string(n) == kTrackReferencia)
            posicion.valor = std::stoi(v);
        else
            t.Poner(n, v);
    };
    switch (corrida) {
        case Corrida::Escalon: s.ToolButton4Click(); break;
        case Corrida::PID: s.ToolButton13Click(); break;
        case Corrida::Fuzzy:
            s.ToolButton11Click();
            s.ToolButton10Click();
            break;
        case Corrida::Rele: FAIL() << "the relay has no button of its own here";
    }
    for (int n = 0; n < muestras; ++n) {
        for (const CambioVentana& c : cambios)
            if (c.muestra == n) poner(c.nombre, c.texto);
        switch (corrida) {
            case Corrida::Escalon: s.Timer1Timer(); break;
            case Corrida::PID: s.Timer4Timer(); break;
            case Corrida::Fuzzy: s.Timer5Timer(); break;
            case Corrida::Rele: return;
        }
    }
    s.Alternar(corrida);
    s.ArchivoClick(registro, true, 0, 0);
}

}  // namespace

TEST(DescripcionLote, EsLaQueEscribeArchivo) {
    struct Caso {
        std::vector<std::string> argumentos;
        Corrida corrida;
        std::vector<std::pair<const char*, const char*>> textos;
        std::vector<CambioVentana> cambios;
        const char* por_que;
    };
    const Caso casos[] = {
        {{"escalon", "100", "--Senal_Tipo=PRBS", "--Senal_Semilla=5"},
         Corrida::Escalon,
         {{"Senal_Tipo", "PRBS"}, {"Senal_Semilla", "5"}},
         {},
         "a signal and its seed"},
        {{"pid", "100", "--T_Sample=250", "--Kp@40=4", "--Track_Referencia@70=7"},
         Corrida::PID,
         {{"T_Sample", "250"}},
         {{40, "Kp", "4"}, {70, kTrackReferencia, "7"}},
         "changes during the run"},
        {{"fuzzy", "100", "--Reglas_3_3=3", "--Ruido_Desviacion=0.01"},
         Corrida::Fuzzy,
         {{"Reglas_3_3", "3"}, {"Ruido_Desviacion", "0.01"}},
         {},
         "the fuzzy controller, with noise"},
    };
    CarpetaTemporal carpeta;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.por_que);
        const std::string lote = carpeta.Ruta("lote.txt"), ventana = carpeta.Ruta("ventana.txt");
        std::vector<std::string> a = c.argumentos;
        a.push_back("--salida=" + lote);
        const Ejecucion e = Ejecutar(a);
        ASSERT_EQ(e.estado, 0) << e.errores;
        ComoLaVentana(ventana, c.corrida, std::stoi(c.argumentos[1]), c.textos, c.cambios);
        EXPECT_EQ(LeerBytes(lote), LeerBytes(ventana));
        json deLote = json::parse(LeerBytes(carpeta.Ruta("lote.json")));
        const json deVentana = json::parse(LeerBytes(carpeta.Ruta("ventana.json")));
        EXPECT_EQ(deLote["registro"]["archivo"], "lote.txt");
        deLote["registro"]["archivo"] = "ventana.txt";
        EXPECT_EQ(deLote, deVentana);
        EXPECT_EQ(deLote["registro"]["lineas"], std::stoi(c.argumentos[1]));
    }
}

// "Archivo" in CSV writes the columns that tanque-lote's CSV has: the reference of the closed loops, the
// disturbance's demand, the commanded inflow while a pump limit is on; the same bytes for the same run, or its
// last lines for a closed loop longer than the window of samples that the chart keeps.
TEST(DescripcionLote, ElArchivoEnCsvTieneLasColumnasDelLote) {
    struct Caso {
        std::vector<std::string> argumentos;
        Corrida corrida;
        std::vector<std::pair<const char*, const char*>> textos;
        std::vector<CambioVentana> cambios;
        const char* cabecera;
    };
    const std::vector<std::pair<const char*, const char*>> lazo = {
        {"Caudal_Min", "0"}, {"Caudal_Max", "1.75"}, {"Perturbacion_Tipo", "Escalón"},
        {"Perturbacion_Maximo", "0.3"}, {"Perturbacion_Inicio", "40"}};
    std::vector<std::string> pid = {"pid", "90", "--Track_Referencia=6"}, escalon = {"escalon", "150"};
    for (const auto& [n, v] : lazo) {
        pid.push_back(std::string("--") + n + "=" + v);
        escalon.push_back(std::string("--") + n + "=" + v);
    }
    std::vector<std::string> largo = pid;
    largo[1] = "250";
    const Caso casos[] = {
        {pid, Corrida::PID, lazo, {{0, kTrackReferencia, "6"}},
         "referencia [m],perturbacion [m^3/s],accion_comandada [m^3/s]"},
        {escalon, Corrida::Escalon, lazo, {}, "perturbacion [m^3/s],accion_comandada [m^3/s]"},
        {largo, Corrida::PID, lazo, {{0, kTrackReferencia, "6"}},
         "referencia [m],perturbacion [m^3/s],accion_comandada [m^3/s]"},
        {{"fuzzy", "90"}, Corrida::Fuzzy, {}, {}, "referencia [m]"},
        {{"escalon", "60", "--Caudal_Max=0.5"}, Corrida::Escalon, {{"Caudal_Max", "0.5"}}, {},
         "accion_comandada [m^3/s]"},
        {{"escalon", "60"}, Corrida::Escalon, {}, {}, ""},
    };
    CarpetaTemporal carpeta;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.argumentos[0] + " " + c.cabecera);
        const std::string lote = carpeta.Ruta("lote.csv"), ventana = carpeta.Ruta("ventana.csv");
        std::vector<std::string> a = c.argumentos;
        a.push_back("--salida=" + lote);
        const Ejecucion e = Ejecutar(a);
        ASSERT_EQ(e.estado, 0) << e.errores;
        ComoLaVentana(ventana, c.corrida, std::stoi(c.argumentos[1]), c.textos, c.cambios);
        const std::string bytes = LeerBytes(ventana), deLote = LeerBytes(lote);
        const std::size_t cuerpo = bytes.find('\n', bytes.find('\n') + 1) + 1;
        ASSERT_LT(cuerpo, bytes.size());
        EXPECT_EQ(deLote.substr(0, cuerpo), bytes.substr(0, cuerpo));
        ASSERT_LE(bytes.size(), deLote.size());
        EXPECT_EQ(deLote.substr(deLote.size() - (bytes.size() - cuerpo)), bytes.substr(cuerpo));
        if (std::stoi(c.argumentos[1]) < 100) {
            EXPECT_EQ(deLote, bytes);
        }
        const std::string fijas = "muestra,tiempo [s],accion [m^3/s],nivel [m]";
        EXPECT_NE(bytes.find("\r\n" + fijas + (*c.cabecera ? "," : "") + c.cabecera + "\r\n"), std::string::npos)
            << bytes.substr(0, 300);
    }
}

// Two runs on one chart whose counters both start at 0: no sample's reference can be told from the other run's,
// so the export keeps the four fixed columns, and every sample.
TEST(DescripcionLote, DosCorridasSinLimpiarQuedanSinColumnasAdicionales) {
    CarpetaTemporal carpeta;
    TextosMapa t = TextosIniciales('.');
    PosicionFija posicion;
    MensajesMudos mensajes;
    t.Poner("Caudal_Max", "1.5");
    Simulador s(t, posicion, mensajes);
    s.ToolButton13Click();
    for (int n = 0; n < 40; ++n) s.Timer4Timer();
    s.Alternar(Corrida::PID);
    s.ToolButton4Click();
    for (int n = 0; n < 30; ++n) s.Timer1Timer();
    s.Alternar(Corrida::Escalon);
    const std::string ventana = carpeta.Ruta("dos.csv");
    s.ArchivoClick(ventana, true, 0, 0);
    const std::string bytes = LeerBytes(ventana);
    EXPECT_NE(bytes.find("\r\nmuestra,tiempo [s],accion [m^3/s],nivel [m]\r\n"), std::string::npos)
        << bytes.substr(0, 300);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 2 + 70);
}

// A description that cannot be created leaves both files as they were; a record written through (a device) has
// no description.
TEST(DescripcionLote, SiNoSePuedeCrearNingunArchivoCambia) {
    CarpetaTemporal carpeta;
    const std::string registro = carpeta.Ruta("r.txt");
    Exportar(registro, {{0, 9, 9}});
    const std::string viejo = LeerBytes(registro);
    // a folder where the description would go
    std::filesystem::create_directory(carpeta.Ruta("r.json"));
    const Ejecucion e = Ejecutar({"escalon", "30", "--salida=" + registro});
    EXPECT_EQ(e.estado, 1);
    EXPECT_NE(e.errores.find("tanque-lote: no se pudo escribir la descripción " + carpeta.Ruta("r.json")),
              std::string::npos)
        << e.errores;
    EXPECT_EQ(LeerBytes(registro), viejo);
    EXPECT_EQ(Nombres(carpeta.ruta().string()), (std::vector<std::string>{"r.json", "r.txt"}));

    const Ejecucion nulo = Ejecutar({"escalon", "30", "--salida=/dev/null"});
    EXPECT_EQ(nulo.estado, 0);
    EXPECT_FALSE(std::filesystem::exists("/dev/null.json"));
}

// The file names: NAME.txt gives NAME.json, other names get ".json" added.
TEST(DescripcionLote, ElNombreDeLaDescripcion) {
    CarpetaTemporal carpeta;
    for (const auto& [registro, descripcion] :
         {std::pair{"a.txt", "a.json"}, std::pair{"b.dat", "b.dat.json"}, std::pair{"c.RED", "c.json"}}) {
        ASSERT_EQ(Ejecutar({"escalon", "12", "--salida=" + carpeta.Ruta(registro)}).estado, 0);
        EXPECT_TRUE(std::filesystem::is_regular_file(carpeta.Ruta(descripcion))) << descripcion;
        EXPECT_EQ(NombreDescripcion(carpeta.Ruta(registro)), carpeta.Ruta(descripcion));
    }
}
