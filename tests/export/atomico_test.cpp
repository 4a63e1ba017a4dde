// The export of a regular file is all or nothing: whatever fails on the way, the file at the target keeps what it
// held (or stays absent) and nothing is left beside it.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/errores.h"
#include "export/archivo.h"
#include "export/llamadas.h"
#include "tests/export/utilidades.h"

namespace {

int escrituras = 0;
int fallaEn = 0;

ssize_t EscribirQueFalla(int fd, const void* datos, std::size_t bytes) {
    if (++escrituras == fallaEn) {
        errno = ENOSPC;
        return -1;
    }
    return ::write(fd, datos, bytes);
}

int CerrarQueFalla(int fd) {
    ::close(fd);
    errno = EIO;
    return -1;
}

MuestraExportada Punto(std::int64_t i) { return {static_cast<double>(i), -1.25, 2.5}; }

// The calls of a test case, put back however the case ends.
class ConLlamadas {
public:
    explicit ConLlamadas(LlamadasArchivo llamadas) : previas_(Llamadas()) { Llamadas() = llamadas; }
    ~ConLlamadas() { Llamadas() = previas_; }

private:
    LlamadasArchivo previas_;
};

}  // namespace

TEST(ExportacionAtomica, UnaExportacionQueFallaDejaElDestinoComoEstaba) {
    struct Caso {
        const char* nombre;
        std::function<void(const std::string&)> exportar;
    };
    const auto escribiendo = [](int n) {
        return [n](const std::string& ruta) {
            escrituras = 0;
            fallaEn = n;
            ConLlamadas c({EscribirQueFalla, ::close});
            EscribirExportacion(ruta, 19999, Punto);
        };
    };
    const Caso casos[] = {
        {"the first write", escribiendo(1)},
        {"the second write", escribiendo(2)},
        {"the last write", escribiendo(8)},  // 20000 lines of 25 bytes: 7 blocks of 64 KiB and the rest
        {"the close",
         [](const std::string& ruta) {
             ConLlamadas c({::write, CerrarQueFalla});
             EscribirExportacion(ruta, 19999, Punto);
         }},
        {"a point that cannot be read",
         [](const std::string& ruta) {
             EscribirExportacion(ruta, 19999, [](std::int64_t i) {
                 if (i == 15000) throw ErrorPuntoFlotante(kDivisionPorCero);
                 return Punto(i);
             });
         }},
    };
    for (const Caso& c : casos) {
        for (bool existia : {true, false}) {
            SCOPED_TRACE(std::string(c.nombre) + (existia ? ", over an old file" : ", a new file"));
            CarpetaTemporal carpeta;
            const std::string ruta = carpeta.Ruta("registro.txt");
            if (existia) Exportar(ruta, {{7, 1.5, 0.123456}});
            EXPECT_THROW(c.exportar(ruta), ErrorTanque);
            if (existia) {
                EXPECT_EQ(LeerBytes(ruta), "    7   1.5000   0.1235\r\n");
                EXPECT_EQ(Nombres(carpeta.ruta().string()), std::vector<std::string>{"registro.txt"});
            } else {
                EXPECT_EQ(Nombres(carpeta.ruta().string()), std::vector<std::string>{});
            }
        }
    }
}

namespace {

// Every call of an export counted by kind; the k-th of one kind fails.
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

}  // namespace

// Each write, flush, close and rename of an export fails in turn: the error is reported with its text, the old file
// stays, nothing is left beside it.
TEST(ExportacionAtomica, CadaLlamadaQueFallaDejaElDestinoComoEstaba) {
    const auto exportar = [](const std::string& ruta) {
        ConLlamadas c({EscribirContado, CerrarContado, SincronizarContado, RenombrarContado});
        EscribirExportacion(ruta, 29999, Punto);
    };
    CarpetaTemporal referencia;
    fallo = Fallo{};
    exportar(referencia.Ruta("r.txt"));
    const Fallo cuentas = fallo;
    ASSERT_GT(cuentas.cuentas[0], 10);
    const char* textos[] = {"Disk full", "I/O error 5", "I/O error 5", "File access denied"};
    for (int tipo = 0; tipo < 4; ++tipo) {
        for (int k = 1; k <= cuentas.cuentas[tipo]; ++k) {
            SCOPED_TRACE("call kind " + std::to_string(tipo) + ", number " + std::to_string(k));
            CarpetaTemporal carpeta;
            const std::string ruta = carpeta.Ruta("registro.txt");
            Exportar(ruta, {{7, 1.5, 0.123456}});
            fallo = Fallo{};
            fallo.tipo = tipo;
            fallo.enLa = k;
            try {
                exportar(ruta);
                ADD_FAILURE() << "no error";
            } catch (const ErrorArchivo& e) {
                EXPECT_STREQ(e.what(), textos[tipo]);
            }
            EXPECT_EQ(LeerBytes(ruta), "    7   1.5000   0.1235\r\n");
            EXPECT_EQ(Nombres(carpeta.ruta().string()), std::vector<std::string>{"registro.txt"});
        }
    }
}

// A new file gets what a plain creation gives it (0666 under the umask); a replaced one keeps its permissions.
TEST(ExportacionAtomica, LosPermisosSonLosDeUnaCreacionODelArchivoReemplazado) {
    CarpetaTemporal carpeta;
    const mode_t mascara = ::umask(027);
    const std::string nuevo = carpeta.Ruta("nuevo.txt");
    Exportar(nuevo, {{1, 2, 3}});
    const std::string viejo = carpeta.Ruta("viejo.txt");
    Exportar(viejo, {});
    ::chmod(viejo.c_str(), 0604);
    Exportar(viejo, {{1, 2, 3}});
    ::umask(mascara);
    namespace fs = std::filesystem;
    EXPECT_EQ(fs::status(nuevo).permissions(), static_cast<fs::perms>(0640));
    EXPECT_EQ(fs::status(viejo).permissions(), static_cast<fs::perms>(0604));
    EXPECT_EQ(LeerBytes(viejo), "    1   2.0000   3.0000\r\n");
}

// A symbolic link stays a link: the file it names (even one that does not exist yet) receives the record.
TEST(ExportacionAtomica, UnEnlaceSigueSiendoEnlaceYSuArchivoRecibeElRegistro) {
    CarpetaTemporal carpeta;
    namespace fs = std::filesystem;
    fs::create_directory(carpeta.ruta() / "datos");
    const std::string archivo = carpeta.Ruta("datos/r.txt");
    Exportar(archivo, {{0, 0, 0}});
    fs::create_symlink("datos/r.txt", carpeta.ruta() / "enlace");          // relative, to a file
    fs::create_symlink(carpeta.ruta() / "enlace", carpeta.ruta() / "e2");  // absolute, to a link
    fs::create_symlink("datos/nuevo.txt", carpeta.ruta() / "colgante");    // to nothing yet
    Exportar(carpeta.Ruta("e2"), {{5, 1, 2}});
    EXPECT_TRUE(fs::is_symlink(carpeta.ruta() / "e2"));
    EXPECT_TRUE(fs::is_symlink(carpeta.ruta() / "enlace"));
    EXPECT_EQ(LeerBytes(archivo), "    5   1.0000   2.0000\r\n");
    Exportar(carpeta.Ruta("colgante"), {{6, 1, 2}});
    EXPECT_TRUE(fs::is_symlink(carpeta.ruta() / "colgante"));
    EXPECT_EQ(LeerBytes(carpeta.Ruta("datos/nuevo.txt")), "    6   1.0000   2.0000\r\n");
    EXPECT_EQ(Nombres(carpeta.Ruta("datos")), (std::vector<std::string>{"nuevo.txt", "r.txt"}));
    // a loop of links is an error, as the system names it
    fs::create_symlink("bucle2", carpeta.ruta() / "bucle1");
    fs::create_symlink("bucle1", carpeta.ruta() / "bucle2");
    EXPECT_THROW(Exportar(carpeta.Ruta("bucle1"), {{1, 1, 1}}), ErrorArchivo);
}

// What is not a regular file is written through: a FIFO (its reader gets the lines), a file reached through a
// descriptor's link in /proc is replaced like any file.
TEST(ExportacionAtomica, LoQueNoEsUnArchivoSeEscribeDirectamente) {
    CarpetaTemporal carpeta;
    const std::string fifo = carpeta.Ruta("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string leido;
    {
        // a reader that is there before the writer: the FIFO opened without waiting, read after the export
        const int lector = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(lector, 0);
        ArchivoRegistro registro(fifo);
        EXPECT_TRUE(registro.Directo());
        registro.Anadir({3, 1, 2});
        registro.Confirmar();
        char b[100];
        const ssize_t n = ::read(lector, b, sizeof b);
        if (n > 0) leido.assign(b, static_cast<std::size_t>(n));
        ::close(lector);
    }
    EXPECT_EQ(leido, "    3   1.0000   2.0000\r\n");
    EXPECT_EQ(Nombres(carpeta.ruta().string()), std::vector<std::string>{"fifo"});

    const std::string archivo = carpeta.Ruta("abierto.txt");
    Exportar(archivo, {});
    const int fd = ::open(archivo.c_str(), O_RDONLY | O_CLOEXEC);
    Exportar("/proc/self/fd/" + std::to_string(fd), {{4, 1, 2}});
    ::close(fd);
    EXPECT_EQ(LeerBytes(archivo), "    4   1.0000   2.0000\r\n");
}
