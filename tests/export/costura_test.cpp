// The writer through replaced system calls: write and close failures that no real device gives on demand.
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/errores.h"
#include "export/archivo.h"
#include "export/llamadas.h"
#include "tests/ayudas.h"
#include "tests/export/utilidades.h"

namespace {

// What the replaced calls do. A global, since the calls are plain function pointers.
struct Guion {
    int llamadas = 0;                                              // write calls so far
    int fallaEn = 0;                                               // the write call that fails (from 1), 0 for none
    int codigo = ENOSPC;                                           // its errno
    std::size_t maximo = std::numeric_limits<std::size_t>::max();  // bytes taken per call at most
    int interrupciones = 0;                                        // calls that fail with EINTR before any other
    bool cierreFalla = false;
    std::vector<std::size_t> escritos;  // bytes that reached the file, per call
    int cierres = 0;
};
Guion guion;

ssize_t EscribirGuionado(int fd, const void* datos, std::size_t bytes) {
    ++guion.llamadas;
    if (guion.interrupciones > 0) {
        --guion.interrupciones;
        errno = EINTR;
        return -1;
    }
    if (guion.llamadas == guion.fallaEn) {
        errno = guion.codigo;
        return -1;
    }
    const ssize_t n = ::write(fd, datos, std::min(bytes, guion.maximo));
    if (n > 0) guion.escritos.push_back(static_cast<std::size_t>(n));
    return n;
}

ssize_t EscribirNada(int, const void*, std::size_t) { return 0; }

// The descriptor is really released, so that a failed close leaks nothing.
int CerrarGuionado(int fd) {
    ++guion.cierres;
    const int resultado = ::close(fd);
    if (guion.cierreFalla) {
        errno = EIO;
        return -1;
    }
    return resultado;
}

constexpr std::size_t kBytesPorLinea = 25;

MuestraExportada Punto(std::int64_t i) { return {static_cast<double>(i), -1.25, 2.5}; }

// The lines of Punto(0) .. Punto(ultimo), spelled out independently of the writer.
std::string Lineas(std::int64_t ultimo) {
    std::string texto;
    for (std::int64_t i = 0; i <= ultimo; ++i) {
        char linea[64];
        std::snprintf(linea, sizeof linea, "%5lld  -1.2500   2.5000\r\n", static_cast<long long>(i));
        texto += linea;
    }
    return texto;
}

std::string TextoDelFallo(const std::string& ruta, std::int64_t ultimo) {
    return TextoDelError<ErrorArchivo>([&] { EscribirExportacion(ruta, ultimo, Punto); });
}

class Costura : public ::testing::Test {
protected:
    void SetUp() override {
        previas_ = Llamadas();
        guion = Guion{};
        Llamadas() = {EscribirGuionado, CerrarGuionado};
        abiertos_ = DescriptoresAbiertos();
    }
    void TearDown() override {
        Llamadas() = previas_;
        EXPECT_EQ(DescriptoresAbiertos(), abiertos_) << "a descriptor was left open";
    }
    CarpetaTemporal carpeta_;
    std::string ruta_ = carpeta_.Ruta("registro.txt");

private:
    LlamadasArchivo previas_{};
    int abiertos_ = 0;
};

}  // namespace

// The export stops at the failing block; the blocks before it were whole lines, and none of them reaches the
// target: the file that held them is removed, so the target does not exist.
TEST_F(Costura, UnaEscrituraFallidaNoDejaNingunBloque) {
    struct Caso {
        int fallaEn;
        int codigo;
        const char* texto;
    };
    for (const auto& c :
         {Caso{1, ENOSPC, "Disk full"}, {2, EDQUOT, "Disk full"}, {3, ENOSPC, "Disk full"}, {6, EIO, "I/O error 5"}}) {
        guion = Guion{};
        guion.fallaEn = c.fallaEn;
        guion.codigo = c.codigo;
        EXPECT_EQ(TextoDelFallo(ruta_, 19999), c.texto) << "call " << c.fallaEn;
        EXPECT_EQ(guion.llamadas, c.fallaEn) << "the export goes on after a failed write";
        EXPECT_EQ(guion.cierres, 1);
        ASSERT_EQ(guion.escritos.size(), static_cast<std::size_t>(c.fallaEn - 1));
        for (std::size_t b : guion.escritos) {
            EXPECT_GE(b, 64u * 1024u);
            EXPECT_EQ(b % kBytesPorLinea, 0u);
        }
        EXPECT_TRUE(Nombres(carpeta_.ruta().string()).empty());
    }
}

TEST_F(Costura, EscriturasCortasEInterrumpidasSeReanudan) {
    guion.maximo = 1000;
    guion.interrupciones = 3;
    EscribirExportacion(ruta_, 9999, Punto);
    EXPECT_TRUE(MismosBytes(LeerBytes(ruta_), Lineas(9999)));
    EXPECT_TRUE(std::all_of(guion.escritos.begin(), guion.escritos.end(), [](std::size_t b) { return b <= 1000; }));
    EXPECT_EQ(guion.cierres, 1);
}

TEST_F(Costura, UnaEscrituraSinProgresoEsUnError) {
    Llamadas().escribir = EscribirNada;
    EXPECT_EQ(TextoDelFallo(ruta_, 3), "I/O error 5");
    EXPECT_EQ(guion.cierres, 1);
}

// The close is checked too; the descriptor is released once, and the record does not take the target's name.
TEST_F(Costura, UnCierreFallidoSeNotifica) {
    guion.cierreFalla = true;
    EXPECT_EQ(TextoDelFallo(ruta_, 2), "I/O error 5");
    EXPECT_EQ(guion.cierres, 1);
    EXPECT_TRUE(Nombres(carpeta_.ruta().string()).empty());
}

// An error while reading a point ends the export with that error; no line reaches the target.
TEST_F(Costura, UnErrorAlLeerUnPuntoPasaYNoDejaArchivo) {
    const auto fallaEn = [](std::int64_t n, auto lanzar) {
        return [n, lanzar](std::int64_t i) {
            if (i == n) lanzar();
            return Punto(i);
        };
    };
    try {
        EscribirExportacion(ruta_, 9999, fallaEn(5000, [] { throw ErrorPuntoFlotante(kDivisionPorCero); }));
        ADD_FAILURE() << "no error";
    } catch (const ErrorPuntoFlotante& e) {
        EXPECT_STREQ(e.what(), kDivisionPorCero);
    }
    EXPECT_TRUE(Nombres(carpeta_.ruta().string()).empty());

    // a value that is not finite cannot be written; an old file at the target stays as it was
    EscribirExportacion(ruta_, 2, Punto);
    const auto conNan = [](std::int64_t i) {
        return i == 3000 ? MuestraExportada{3000, std::numeric_limits<double>::quiet_NaN(), 0} : Punto(i);
    };
    try {
        EscribirExportacion(ruta_, 9999, conNan);
        ADD_FAILURE() << "no error";
    } catch (const ErrorPuntoFlotante& e) {
        EXPECT_STREQ(e.what(), kOperacionInvalida);
    }
    EXPECT_TRUE(MismosBytes(LeerBytes(ruta_), Lineas(2)));

    // the point's error is the one reported, even when the disk fails as well
    guion = Guion{};
    guion.fallaEn = 1;
    const int cierresAntes = guion.cierres;
    EXPECT_THROW(EscribirExportacion(ruta_, 99, fallaEn(10, [] { throw std::logic_error("punto"); })),
                 std::logic_error);
    EXPECT_EQ(guion.cierres, cierresAntes + 1);
    EXPECT_TRUE(MismosBytes(LeerBytes(ruta_), Lineas(2)));
    EXPECT_EQ(Nombres(carpeta_.ruta().string()), std::vector<std::string>{"registro.txt"});
}
