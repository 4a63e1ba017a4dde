// Fault injection into the batch tool's outputs: every write, flush to the disk, close and rename that the tool
// makes is made to fail in turn. Whatever fails, the failure is reported, the status is 1, no temporary file is
// left, and the file of --salida holds either what it held before or this run's whole record; its description
// beside it is whole or absent (there was none before), and a record is never new without its description.

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "export/llamadas.h"
#include "tests/export/utilidades.h"
#include "tools/lote.h"

namespace {

// Which call fails: the k-th (from 1) of its kind; writes are told apart by their descriptor.
enum class Llamada { EscrituraTraza, EscrituraRegistro, Sincronizacion, Cierre, Renombre };

struct Guion {
    int trazaFd = -1;
    Llamada falla = Llamada::EscrituraTraza;
    int enLa = 0;  // 0: nothing fails
    int codigo = ENOSPC;
    int cuentas[5] = {};
};
Guion guion;

bool Toca(Llamada l) { return ++guion.cuentas[static_cast<int>(l)] == guion.enLa && guion.falla == l; }

ssize_t Escribir(int fd, const void* datos, std::size_t bytes) {
    if (Toca(fd == guion.trazaFd ? Llamada::EscrituraTraza : Llamada::EscrituraRegistro)) {
        errno = guion.codigo;
        return -1;
    }
    return ::write(fd, datos, bytes);
}
int Sincronizar(int fd) {
    if (Toca(Llamada::Sincronizacion)) {
        errno = EIO;
        return -1;
    }
    return ::fsync(fd);
}
int Cerrar(int fd) {
    const int r = ::close(fd);
    if (Toca(Llamada::Cierre)) {
        errno = EIO;
        return -1;
    }
    return r;
}
int Renombrar(const char* desde, const char* hacia) {
    if (Toca(Llamada::Renombre)) {
        errno = EXDEV;
        return -1;
    }
    return ::rename(desde, hacia);
}

const std::string kViejo = "    0   9.0000   9.0000\r\n";

struct Resultado {
    int estado;
    std::string errores;
    std::string registro;
    std::vector<std::string> nombres;
};

// One run of `pid 20000 --traza --salida=registro.txt` over an old record, with the calls of the script.
Resultado Correr() {
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta("registro.txt");
    Exportar(ruta, {{0, 9, 9}});
    const std::string traza = carpeta.Ruta("traza.csv");
    const int fd = ::open(traza.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    std::FILE* errores = std::tmpfile();
    guion.trazaFd = fd;
    for (int& c : guion.cuentas) c = 0;
    const LlamadasArchivo previas = Llamadas();
    Llamadas() = {Escribir, Cerrar, Sincronizar, Renombrar};
    Resultado r;
    r.estado = CorrerLote(LeerOpciones({"pid", "20000", "--traza", "--salida=" + ruta}), fd, errores);
    Llamadas() = previas;
    ::close(fd);
    std::rewind(errores);
    for (int c; (c = std::fgetc(errores)) != EOF;) r.errores += static_cast<char>(c);
    std::fclose(errores);
    r.registro = LeerBytes(ruta);
    std::filesystem::remove(traza);
    r.nombres = Nombres(carpeta.ruta().string());
    return r;
}

bool Contiene(const std::string& t, const std::string& p) { return t.find(p) != std::string::npos; }

}  // namespace

TEST(FallosDelLote, CadaLlamadaQueFallaSeNotificaYElRegistroQuedaEnteroOComoEstaba) {
    guion = Guion{};
    const Resultado bien = Correr();
    ASSERT_EQ(bien.estado, 0) << bien.errores;
    ASSERT_EQ(bien.errores, "");
    ASSERT_EQ(bien.registro.size(), 20000u * 25u);
    EXPECT_EQ(bien.nombres, (std::vector<std::string>{"registro.json", "registro.txt"}));
    int cuantas[5];
    for (int i = 0; i < 5; ++i) cuantas[i] = guion.cuentas[i];
    EXPECT_GT(cuantas[static_cast<int>(Llamada::EscrituraTraza)], 10);
    EXPECT_GT(cuantas[static_cast<int>(Llamada::EscrituraRegistro)], 5);
    // the record's, then its description's
    EXPECT_EQ(cuantas[static_cast<int>(Llamada::Sincronizacion)], 2);
    EXPECT_EQ(cuantas[static_cast<int>(Llamada::Cierre)], 2);
    EXPECT_EQ(cuantas[static_cast<int>(Llamada::Renombre)], 2);

    int casos = 0;
    for (Llamada l : {Llamada::EscrituraTraza, Llamada::EscrituraRegistro, Llamada::Sincronizacion, Llamada::Cierre,
                      Llamada::Renombre}) {
        for (int k = 1; k <= cuantas[static_cast<int>(l)]; ++k, ++casos) {
            guion = Guion{};
            guion.falla = l;
            guion.enLa = k;
            const Resultado r = Correr();
            SCOPED_TRACE("call kind " + std::to_string(static_cast<int>(l)) + ", number " + std::to_string(k));
            EXPECT_EQ(r.estado, 1);
            // the description is written last: its one write, and the second flush, close and rename
            const bool descripcion = l == Llamada::EscrituraTraza ? false
                                     : l == Llamada::EscrituraRegistro
                                         ? k == cuantas[static_cast<int>(Llamada::EscrituraRegistro)]
                                         : k == 2;
            if (l == Llamada::EscrituraTraza) {
                // the trace ends there; the record is still made whole, and described
                EXPECT_TRUE(Contiene(r.errores, "tanque-lote: no se pudo escribir la traza")) << r.errores;
                EXPECT_EQ(r.registro, bien.registro);
                EXPECT_EQ(r.nombres, (std::vector<std::string>{"registro.json", "registro.txt"}));
                continue;
            }
            EXPECT_EQ(r.nombres, std::vector<std::string>{"registro.txt"}) << "a temporary file was left";
            if (descripcion) {
                // the record was complete when its description failed: the pair goes together, so the old
                // record stays, and the message says so
                EXPECT_TRUE(Contiene(r.errores, "tanque-lote: no se pudo escribir la descripción ")) << r.errores;
                EXPECT_TRUE(Contiene(r.errores, "registro.json")) << r.errores;
                EXPECT_TRUE(Contiene(r.errores, "quedan como estaban")) << r.errores;
                EXPECT_EQ(r.registro, kViejo);
            } else {
                EXPECT_TRUE(Contiene(r.errores, "tanque-lote: no se pudo escribir el registro ")) << r.errores;
                EXPECT_EQ(r.registro, kViejo);
            }
        }
    }
    EXPECT_GT(casos, 20);
}

// The reader of the trace leaving (EPIPE) is the trace's end, not an error: the record is still made whole.
TEST(FallosDelLote, UnLectorQueSeVaNoEsUnError) {
    guion = Guion{};
    guion.falla = Llamada::EscrituraTraza;
    guion.enLa = 3;
    guion.codigo = EPIPE;
    const Resultado r = Correr();
    EXPECT_EQ(r.estado, 0);
    EXPECT_EQ(r.errores, "");
    EXPECT_EQ(r.registro.size(), 20000u * 25u);
}
