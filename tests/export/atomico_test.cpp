// The export of a regular file is all or nothing: whatever fails on the way, the file at the target keeps what it
// held (or stays absent) and nothing is left beside it.

#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
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
