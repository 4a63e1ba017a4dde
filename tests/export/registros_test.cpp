// The record writers beside the text record: the text record through them is byte for byte today's, the CSV is
// what its header says, and whatever fails on the way (a creation, a write of ours or of libmatio and libhdf5, a
// flush, a close, a rename) is reported while the target keeps what it held and nothing is left beside it.
// The outside readers (Octave, h5py, Python's csv) are in registros_fuera_test.cpp.

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <functional>
#include <sstream>

#include "base/errores.h"
#include "export/llamadas.h"
#include "export/registros.h"
#include "tests/ayudas.h"
#include "tests/export/registros_comun.h"
#include "tests/export/utilidades.h"

namespace {

constexpr FormatoRegistro kFormatos[] = {FormatoRegistro::Texto, FormatoRegistro::Csv, FormatoRegistro::Mat,
                                         FormatoRegistro::Hdf5};
const char* Extension(FormatoRegistro f) {
    switch (f) {
        case FormatoRegistro::Csv: return "csv";
        case FormatoRegistro::Mat: return "mat";
        case FormatoRegistro::Hdf5: return "h5";
        case FormatoRegistro::Texto: break;
    }
    return "txt";
}

// Every call through Llamadas() counted by kind; the k-th of one kind fails.
struct Fallo {
    int tipo = -1;  // 0 write, 1 fsync, 2 close, 3 rename; -1 none
    int enLa = 0;
    int cuentas[4] = {};
};
Fallo fallo;

bool Falla(int tipo, int codigo) {
    if (++fallo.cuentas[tipo] != fallo.enLa || fallo.tipo != tipo) return false;
    errno = codigo;
    return true;
}
ssize_t EscribirContado(int fd, const void* d, std::size_t n) { return Falla(0, ENOSPC) ? -1 : ::write(fd, d, n); }
int SincronizarContado(int fd) { return Falla(1, EIO) ? -1 : ::fsync(fd); }
int CerrarContado(int fd) {
    const int r = ::close(fd);
    return Falla(2, EIO) ? -1 : r;
}
int RenombrarContado(const char* a, const char* b) { return Falla(3, EACCES) ? -1 : ::rename(a, b); }

class ConLlamadas {
public:
    ConLlamadas() : previas_(Llamadas()) { Llamadas() = {EscribirContado, CerrarContado, SincronizarContado, RenombrarContado}; }
    ~ConLlamadas() { Llamadas() = previas_; }

private:
    LlamadasArchivo previas_;
};

// The largest file that this process may write, and SIGXFSZ ignored, while it lives: a write beyond it fails
// with EFBIG, whoever makes it (ArchivoRegistro, libmatio, libhdf5).
class TamanoMaximo {
public:
    explicit TamanoMaximo(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &previo_);
        rlimit r = previo_;
        r.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &r);
        senal_ = ::signal(SIGXFSZ, SIG_IGN);
    }
    ~TamanoMaximo() {
        ::setrlimit(RLIMIT_FSIZE, &previo_);
        ::signal(SIGXFSZ, senal_);
    }

private:
    rlimit previo_{};
    sighandler_t senal_;
};

}  // namespace

TEST(Registros, ElFormatoSaleDeLaExtensionODeSuNombre) {
    const std::pair<const char*, FormatoRegistro> casos[] = {
        {"a.txt", FormatoRegistro::Texto}, {"a.red", FormatoRegistro::Texto}, {"a", FormatoRegistro::Texto},
        {"dir.csv/a", FormatoRegistro::Texto}, {"a.CSV", FormatoRegistro::Csv}, {"b/a.mat", FormatoRegistro::Mat},
        {"a.h5", FormatoRegistro::Hdf5}, {"a.hdf5", FormatoRegistro::Hdf5},
    };
    for (const auto& [nombre, formato] : casos) EXPECT_EQ(FormatoRegistroDe(nombre), formato) << nombre;
    EXPECT_EQ(FormatoRegistroPorNombre("h5"), FormatoRegistro::Hdf5);
    EXPECT_EQ(FormatoRegistroPorNombre("texto"), FormatoRegistro::Texto);
    EXPECT_EQ(FormatoRegistroPorNombre("xls"), std::nullopt);
}

// The golden records of the text format, written again through the writers' seam (with and without additional
// columns, which the text record leaves out): the same bytes.
TEST(Registros, ElTextoPorLaCosturaEsElDeSiempre) {
    CarpetaTemporal carpeta;
    for (const char* dorado : {"ejemplo.txt", "empates.txt", "grandes.txt", "signos.txt", "vacio.txt"}) {
        const std::string esperado = LeerDorado(dorado);
        // the three numbers of each line (the reader of records refuses the one that goes back in its samples);
        // "-0.0000" was a small negative number
        std::vector<MuestraDePrueba> r;
        std::istringstream palabras(esperado);
        std::vector<double> v;
        for (std::string p; palabras >> p;) v.push_back(p == "-0.0000" ? -1e-5 : std::stod(p));
        for (std::size_t i = 0; i + 2 < v.size(); i += 3) r.push_back({v[i], v[i + 1], v[i + 2], {1, 2}});
        for (const bool adicionales : {false, true}) {
            FormaRegistro forma = FormaDePrueba();
            if (!adicionales) forma.adicionales.clear();
            EscribirRegistro(FormatoRegistro::Texto, carpeta.Ruta(dorado), r, forma);
            EXPECT_TRUE(MismosBytes(LeerBytes(carpeta.Ruta(dorado)), esperado)) << dorado;
        }
    }
}

TEST(Registros, ElCsvTieneCabeceraYNumerosExactos) {
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta("r.csv");
    EscribirRegistro(FormatoRegistro::Csv, ruta,
                     {{7, 1.5, 0.123456f, {2.5, -0.0}}, {8, 1e-5, 71000, {0.1, 1e300}}});
    EXPECT_EQ(LeerBytes(ruta),
              "# tanque, registro de identificación: periodo de muestreo Ts = 0.5 s\r\n"
              "muestra,tiempo [s],accion [m^3/s],nivel [m],referencia [m],perturbacion [m^3/s]\r\n"
              "7,3.5,1.5,0.12345600128173828,2.5,-0\r\n"
              "8,4,1e-05,71000,0.1,1e+300\r\n");
}

// What a writer refuses, and that a refused sample leaves nothing behind: the next one follows the one before.
TEST(Registros, LoQueSeRechazaSeDiceYNoDejaNada) {
    CarpetaTemporal carpeta;
    EXPECT_EQ(TextoDelError<ErrorArchivo>([] { AbrirRegistro(FormatoRegistro::Mat, "/dev/null", FormaDePrueba()); }),
              "El formato MAT necesita un archivo en el disco: «/dev/null» no lo es");
    EXPECT_EQ(TextoDelError<ErrorArchivo>([] { AbrirRegistro(FormatoRegistro::Hdf5, "/dev/null", FormaDePrueba()); }),
              "El formato HDF5 necesita un archivo en el disco: «/dev/null» no lo es");
    EXPECT_EQ(TextoDelError<ErrorArchivo>([] { EscribirRegistro(FormatoRegistro::Csv, "/dev/null", RegistroDePrueba(5)); }),
              "(sin error)");  // written through, like the text record
    FormaRegistro mala = FormaDePrueba();
    mala.adicionales.push_back({"2x", "x", ""});
    EXPECT_EQ(TextoDelError<ErrorTanque>([&] { AbrirRegistro(FormatoRegistro::Csv, carpeta.Ruta("a.csv"), mala); }),
              "La columna «2x» no tiene un nombre de variable: letras, cifras y _, una letra primero, hasta 63");
    mala.adicionales.back().variable = "u";
    EXPECT_EQ(TextoDelError<ErrorTanque>([&] { AbrirRegistro(FormatoRegistro::Mat, carpeta.Ruta("a.mat"), mala); }),
              "La columna «u» repite el nombre de otra");
    EXPECT_EQ(Nombres(carpeta.ruta().string()), std::vector<std::string>{});
    for (const FormatoRegistro f : kFormatos) {
        const std::string ruta = carpeta.Ruta(std::string("b.") + Extension(f));
        const auto e = AbrirRegistro(f, ruta, FormaDePrueba());
        const double dos[2] = {1, 2};
        e->Anadir(0, 1, 2, dos);
        EXPECT_EQ(TextoDelError<ErrorPuntoFlotante>([&] { e->Anadir(1, NAN, 2, dos); }), kOperacionInvalida);
        EXPECT_EQ(TextoDelError<ErrorPuntoFlotante>([&] { e->Anadir(1, 1, 2, std::array<double, 2>{1.0, INFINITY}); }),
                  kDesbordamiento);
        EXPECT_EQ(TextoDelError<ErrorTanque>([&] { e->Anadir(1, 1, 2, std::span<const double>(dos, 1)); }),
                  "Una muestra del registro trae 1 valores adicionales y el registro tiene 2 columnas adicionales");
        e->Anadir(1, 3, 4, dos);
        e->Confirmar();
    }
    EXPECT_EQ(LeerBytes(carpeta.Ruta("b.txt")), "    0   1.0000   2.0000\r\n    1   3.0000   4.0000\r\n");
    EXPECT_NE(LeerBytes(carpeta.Ruta("b.csv")).find("\r\n0,0,1,2,1,2\r\n1,0.5,3,4,1,2\r\n"), std::string::npos);
}

// Each write, flush, close and rename through Llamadas() fails in turn, then every write to the disk at once
// (a file-size limit, which the libraries' own writes meet too): the error's text, the old file as it was,
// nothing left beside it.
TEST(Registros, CadaFalloDejaElDestinoComoEstaba) {
    const std::vector<MuestraDePrueba> r = RegistroDePrueba(20000);
    // short enough for each of MAT's columns to wait below the limit, so that libmatio's own write meets it
    const std::vector<MuestraDePrueba> corto = RegistroDePrueba(5000);
    const char* textos[] = {"Disk full", "I/O error 5", "I/O error 5", "File access denied"};
    for (const FormatoRegistro f : kFormatos) {
        const std::string nombre = std::string("registro.") + Extension(f);
        CarpetaTemporal referencia;
        fallo = Fallo{};
        {
            ConLlamadas c;
            EscribirRegistro(f, referencia.Ruta(nombre), r);
        }
        const Fallo cuentas = fallo;
        ASSERT_GE(cuentas.cuentas[3], 1) << nombre;
        const auto probar = [&](const std::string& que, const std::string& texto, const std::function<void(const std::string&)>& escribir) {
            SCOPED_TRACE(nombre + ", " + que);
            CarpetaTemporal carpeta;
            const std::string ruta = carpeta.Ruta(nombre);
            EscribirRegistro(FormatoRegistro::Texto, ruta, {{7, 1.5, 0.123456, {}}});
            const int abiertos = DescriptoresAbiertos();
            EXPECT_EQ(TextoDelError<ErrorArchivo>([&] { escribir(ruta); }), texto);
            EXPECT_TRUE(MismosBytes(LeerBytes(ruta), "    7   1.5000   0.1235\r\n"));
            EXPECT_EQ(Nombres(carpeta.ruta().string()), std::vector<std::string>{nombre});
            EXPECT_EQ(DescriptoresAbiertos(), abiertos);
        };
        for (int tipo = 0; tipo < 4; ++tipo)
            for (int k = 1; k <= cuentas.cuentas[tipo]; ++k)
                probar("call kind " + std::to_string(tipo) + ", number " + std::to_string(k), textos[tipo],
                       [&](const std::string& ruta) {
                           fallo = Fallo{};
                           fallo.tipo = tipo;
                           fallo.enLa = k;
                           ConLlamadas c;
                           EscribirRegistro(f, ruta, r);
                       });
        probar("a file-size limit", "I/O error " + std::to_string(EFBIG), [&](const std::string& ruta) {
            TamanoMaximo limite(64 * 1024);
            EscribirRegistro(f, ruta, corto);
        });
        probar("a folder that does not exist", "Invalid filename",
               [&](const std::string& ruta) { EscribirRegistro(f, ruta + ".d/x", r); });
    }
}
