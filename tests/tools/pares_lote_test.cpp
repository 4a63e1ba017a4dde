// The record and its description in the batch tool: the description replaces no input and no file that a
// standard stream goes to, is never followed through a link (exit 2, the file untouched); identificar uses a
// description only when it describes the very record (name, lines, last sample, size and SHA-256).

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/export/utilidades.h"
#include "tests/tools/ejecutar.h"

namespace {

bool Contiene(const std::string& t, const std::string& p) { return t.find(p) != std::string::npos; }

void Poner(const std::string& ruta, const std::string& contenido) {
    std::ofstream f(ruta, std::ios::binary);
    f << contenido;
}

const std::string kConfiguracion =
    "{\"formato\":\"tanque-configuracion\",\"version\":1,\"textos\":{\"Kp\":\"4\",\"Ti\":\"2\"},"
    "\"Track_Referencia\":6}\n";

// The tool with standard output and the messages going to the files named (or to temporary files).
Ejecucion EjecutarCon(const std::vector<std::string>& argumentos, const std::string& salida,
                      const std::string& errores) {
    std::FILE* s = salida.empty() ? std::tmpfile() : std::fopen(salida.c_str(), "w+");
    std::FILE* e = errores.empty() ? std::tmpfile() : std::fopen(errores.c_str(), "w+");
    Ejecucion r;
    r.estado = EjecutarLote(LeerOpciones(argumentos), fileno(s), e);
    r.errores = LeerTodo(e);
    r.salida = LeerTodo(s);
    return r;
}

}  // namespace

TEST(ParesLote, LaDescripcionNoReemplazaEntradasNiSalidasNiSigueEnlaces) {
    struct Caso {
        const char* que;
        std::function<std::vector<std::string>(const CarpetaTemporal&)> argumentos;
        const char* salida;   // the file that standard output goes to, in the folder ("" a temporary one)
        const char* errores;  // the file of the messages
        const char* intacto;  // the file that must keep its bytes
        const char* mensaje;
    };
    const Caso casos[] = {
        {"the description is --config's set-up",
         [](const CarpetaTemporal& c) {
             return std::vector<std::string>{"pid", "30", "--config=" + c.Ruta("ensayo.json"),
                                             "--salida=" + c.Ruta("ensayo.txt")};
         },
         "", "", "ensayo.json", "es la configuración de --config"},
        {"the record is --config's set-up",
         [](const CarpetaTemporal& c) {
             return std::vector<std::string>{"pid", "30", "--config=" + c.Ruta("ensayo.json"),
                                             "--salida=" + c.Ruta("ensayo.json")};
         },
         "", "", "ensayo.json", "es la configuración de --config: el registro lo reemplazaría"},
        {"the record is the replayed file",
         [](const CarpetaTemporal& c) {
             return std::vector<std::string>{"reproducir", c.Ruta("ensayo.json"), "--salida=" + c.Ruta("ensayo.json")};
         },
         "", "", "ensayo.json", "es el archivo que se reproduce"},
        {"the description is the replayed file",
         [](const CarpetaTemporal& c) {
             return std::vector<std::string>{"reproducir", c.Ruta("ensayo.json"), "--salida=" + c.Ruta("ensayo.txt")};
         },
         "", "", "ensayo.json", "es el archivo que se reproduce"},
        {"the description is standard output's file",
         [](const CarpetaTemporal& c) {
             return std::vector<std::string>{"pid", "30", "--indices", "--json", "--salida=" + c.Ruta("pid.txt")};
         },
         "pid.json", "", "", "es el archivo de la salida estándar"},
        {"the description is the messages' file",
         [](const CarpetaTemporal& c) {
             return std::vector<std::string>{"pid", "5", "--Kp@3=abc", "--salida=" + c.Ruta("r.txt")};
         },
         "", "r.json", "", "es el archivo de la salida de errores"},
        {"the description is a link",
         [](const CarpetaTemporal& c) {
             std::filesystem::create_symlink(c.Ruta("victima.txt"), c.Ruta("s.json"));
             return std::vector<std::string>{"pid", "5", "--salida=" + c.Ruta("s.txt")};
         },
         "", "", "victima.txt", "es un enlace simbólico"},
        {"the description is a dangling link",
         [](const CarpetaTemporal& c) {
             std::filesystem::create_symlink(c.Ruta("nada.txt"), c.Ruta("s.json"));
             return std::vector<std::string>{"pid", "5", "--salida=" + c.Ruta("s.txt")};
         },
         "", "", "", "es un enlace simbólico"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        CarpetaTemporal carpeta;
        Poner(carpeta.Ruta("ensayo.json"), kConfiguracion);
        Poner(carpeta.Ruta("victima.txt"), "de otro programa\n");
        const std::vector<std::string> argumentos = c.argumentos(carpeta);
        const std::vector<std::string> antes = Nombres(carpeta.ruta().string());
        const std::string intacto = *c.intacto ? LeerBytes(carpeta.Ruta(c.intacto)) : "";
        const Ejecucion e = EjecutarCon(argumentos, *c.salida ? carpeta.Ruta(c.salida) : "",
                                        *c.errores ? carpeta.Ruta(c.errores) : "");
        EXPECT_EQ(e.estado, 2);
        EXPECT_TRUE(Contiene(e.errores, c.mensaje)) << e.errores;
        if (*c.intacto) {
            EXPECT_EQ(LeerBytes(carpeta.Ruta(c.intacto)), intacto);
        }
        std::vector<std::string> despues = Nombres(carpeta.ruta().string());
        std::vector<std::string> esperados = antes;
        for (const char* f : {c.salida, c.errores})
            if (*f && std::find(esperados.begin(), esperados.end(), f) == esperados.end()) esperados.push_back(f);
        std::sort(esperados.begin(), esperados.end());
        EXPECT_EQ(despues, esperados) << "nothing was written";
        if (*c.errores) {
            EXPECT_TRUE(Contiene(LeerBytes(carpeta.Ruta(c.errores)), c.mensaje));
        }
    }
}

// identificar and a description beside its record: used when it describes it; refused when it describes another
// record (or the same record before it changed); only named when the period and the delay are given.
TEST(ParesLote, IdentificarCompruebaQueLaDescripcionEsDeEsteRegistro) {
    CarpetaTemporal carpeta;
    const std::string prbs = carpeta.Ruta("prbs.txt"), pid = carpeta.Ruta("pid.txt");
    ASSERT_EQ(Ejecutar({"escalon", "800", "--Senal_Tipo=PRBS", "--salida=" + prbs}).estado, 0);
    ASSERT_EQ(Ejecutar({"pid", "300", "--T_Sample=100", "--salida=" + pid}).estado, 0);
    const std::string descripcionPrbs = LeerBytes(carpeta.Ruta("prbs.json"));
    const std::string descripcionPid = LeerBytes(carpeta.Ruta("pid.json"));
    // an old description, as earlier versions wrote it: no size nor digest
    nlohmann::ordered_json antigua = nlohmann::ordered_json::parse(descripcionPrbs);
    antigua["registro"].erase("bytes");
    antigua["registro"].erase("sha256");
    struct Caso {
        const char* que;
        std::string descripcion;             // beside otro.txt, a copy of the PRBS record
        std::vector<std::string> opciones;   // after the record
        int estado;
        const char* mensaje;                 // in the messages ("" none)
        const char* origen;                  // of the period, in the output
    };
    const Caso casos[] = {
        {"its own description, the pair renamed together", descripcionPrbs, {}, 0,
         "nombra el registro «prbs.txt», pero su huella es la de", "de la descripción"},
        {"another record's description", descripcionPid, {}, 1, "no describe el registro", ""},
        {"another record's, with the period and the delay given", descripcionPid, {"--T_Sample=500", "--retardo=0"}, 0,
         "no describe el registro", "de --T_Sample"},
        {"an old description of another name", antigua.dump(2), {}, 1, "nombra el registro «prbs.txt», no «otro.txt»",
         ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        const std::string otro = carpeta.Ruta("otro.txt");
        std::filesystem::copy_file(prbs, otro, std::filesystem::copy_options::overwrite_existing);
        Poner(carpeta.Ruta("otro.json"), c.descripcion);
        std::vector<std::string> a = {"identificar", otro};
        a.insert(a.end(), c.opciones.begin(), c.opciones.end());
        const Ejecucion e = Ejecutar(a);
        EXPECT_EQ(e.estado, c.estado) << e.errores;
        if (*c.mensaje) {
            EXPECT_TRUE(Contiene(e.errores, c.mensaje)) << e.errores;
        }
        if (*c.origen) {
            EXPECT_TRUE(Contiene(e.salida, c.origen)) << e.salida;
        }
    }
    // the record changed after its description was written (a line more): refused
    {
        std::ofstream f(prbs, std::ios::app | std::ios::binary);
        f << "  800   2.0000   1.0000\r\n";
    }
    const Ejecucion e = Ejecutar({"identificar", prbs});
    EXPECT_EQ(e.estado, 1);
    EXPECT_TRUE(Contiene(e.errores, "no describe el registro")) << e.errores;
    const Ejecucion bien = Ejecutar({"identificar", pid});
    EXPECT_EQ(bien.estado, 0) << bien.errores;
    EXPECT_EQ(bien.errores, "");
}

// What identificar cannot read ends with status 1 and a message, never with an abort, and nothing is read
// without a bound: the description is at most 8 MiB, the record is a regular file read in blocks, a line at
// most 1 MiB.
TEST(ParesLote, IdentificarNoAbortaNiLeeSinLimite) {
    CarpetaTemporal carpeta;
    const std::string prbs = carpeta.Ruta("prbs.txt");
    ASSERT_EQ(Ejecutar({"escalon", "300", "--Senal_Tipo=PRBS", "--salida=" + prbs}).estado, 0);
    const std::string registro = LeerBytes(prbs);
    struct Caso {
        const char* que;
        std::function<std::string(const CarpetaTemporal&)> preparar;  // gives the record to identify
        const char* mensaje;
    };
    const auto conDescripcion = [&](std::function<void(const std::string&)> d) {
        return [&registro, d](const CarpetaTemporal& c) {
            Poner(c.Ruta("x.txt"), registro);
            d(c.Ruta("x.json"));
            return c.Ruta("x.txt");
        };
    };
    const Caso casos[] = {
        {"a description that cannot be read (a link to /proc/self/mem)",
         conDescripcion([](const std::string& d) { std::filesystem::create_symlink("/proc/self/mem", d); }),
         "x.json: "},
        {"a description of 9 MiB",
         conDescripcion([](const std::string& d) {
             Poner(d, "{");
             std::filesystem::resize_file(d, 9u << 20);
         }),
         "tiene más de 8 MiB"},
        {"a description that is a folder",
         conDescripcion([](const std::string& d) { std::filesystem::create_directory(d); }), "no es un archivo común"},
        {"a description whose format is a number",
         conDescripcion([](const std::string& d) { Poner(d, "{\"formato\": 5}"); }),
         "no es una descripción de registro de tanque"},
        {"a record that is a device", [](const CarpetaTemporal&) { return std::string("/dev/zero"); },
         "no es un archivo común"},
        {"a record of 2 MiB without a line end",
         [](const CarpetaTemporal& c) {
             Poner(c.Ruta("z.txt"), std::string(2u << 20, '7'));
             return c.Ruta("z.txt");
         },
         "KiB sin terminar"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        CarpetaTemporal aparte;
        const std::string archivo = c.preparar(aparte);
        const Ejecucion e = Ejecutar({"identificar", archivo});
        EXPECT_EQ(e.estado, 1);
        EXPECT_TRUE(Contiene(e.errores, c.mensaje)) << e.errores;
        EXPECT_EQ(e.salida, "");
    }
}
