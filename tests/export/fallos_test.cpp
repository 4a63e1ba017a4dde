#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "base/errores.h"
#include "export/archivo.h"
#include "export/causa_archivo.h"
#include "export/error_archivo.h"
#include "tests/ayudas.h"
#include "tests/export/utilidades.h"

extern char** environ;

namespace {

const std::vector<MuestraExportada> kTresPuntos = {{7, 1.5, 0.123456}, {8, 2.5, 0.5}, {9, 3.5, 1.0}};

// The text of the ErrorArchivo that the export throws.
std::string TextoDelFallo(const std::string& ruta, const std::vector<MuestraExportada>& puntos = kTresPuntos) {
    return TextoDelError<ErrorArchivo>([&] { Exportar(ruta, puntos); });
}

}  // namespace

TEST(TextoErrorArchivo, NombraElErrorComoElRuntime) {
    struct Caso {
        int codigo;
        std::string texto;
    };
    const Caso casos[] = {
        {EACCES, "File access denied"},
        {EPERM, "File access denied"},
        {EROFS, "File access denied"},
        {EISDIR, "File access denied"},
        {ENOENT, "Invalid filename"},
        {ENOTDIR, "Invalid filename"},
        {ENAMETOOLONG, "Invalid filename"},
        {EINVAL, "Invalid filename"},
        {EMFILE, "Too many open files"},
        {ENFILE, "Too many open files"},
        {ENOSPC, "Disk full"},
        {EDQUOT, "Disk full"},
        {EIO, "I/O error 5"},
        {ETXTBSY, "I/O error 26"},
        {ELOOP, "I/O error 40"},
    };
    for (const auto& c : casos) EXPECT_EQ(TextoErrorArchivo(c.codigo), c.texto) << "errno " << c.codigo;
}

// Creation failures: the error's text, no file left behind, no descriptor left open.
TEST(EscribirExportacion, UnArchivoQueNoSePuedeCrearDaElTextoDelError) {
    CarpetaTemporal carpeta;
    Exportar(carpeta.Ruta("archivo.txt"), kTresPuntos);
    struct Caso {
        std::string ruta;
        std::string texto;
    };
    const Caso casos[] = {
        {"/sys/tanque_no_se_puede.txt", "File access denied"},  // sysfs refuses new files, even to root
        {carpeta.ruta().string(), "File access denied"},        // a folder
        {carpeta.Ruta("no_existe/a.txt"), "Invalid filename"},
        {carpeta.Ruta("archivo.txt/a.txt"), "Invalid filename"},  // a file used as a folder
        {carpeta.Ruta(std::string(300, 'a') + ".txt"), "Invalid filename"},
        {"", "Invalid filename"},
        {carpeta.Ruta(std::string("otro\0.txt", 9)), "Invalid filename"},  // a NUL would shorten the name
    };
    const int abiertos = DescriptoresAbiertos();
    for (const auto& c : casos) {
        EXPECT_EQ(TextoDelFallo(c.ruta), c.texto) << c.ruta;
        EXPECT_EQ(DescriptoresAbiertos(), abiertos) << c.ruta;
    }
    EXPECT_FALSE(std::filesystem::exists(carpeta.Ruta("otro")));
    EXPECT_FALSE(std::filesystem::exists("/sys/tanque_no_se_puede.txt"));
}

// The Spanish cause beside the runtime's text: found from the name's folders and file as they are.
TEST(CausaArchivo, DiceQueLeFaltaAlNombre) {
    CarpetaTemporal carpeta;
    Exportar(carpeta.Ruta("archivo.txt"), kTresPuntos);
    const std::string c = carpeta.ruta().string();
    struct Caso {
        std::string ruta;
        const char* texto;
        std::string causa;
    };
    const Caso casos[] = {
        {carpeta.Ruta("nodir/x.txt"), "Invalid filename", "la carpeta «" + c + "/nodir» no existe"},
        {carpeta.Ruta("nodir/otra/x.txt"), "Invalid filename", "la carpeta «" + c + "/nodir» no existe"},
        {carpeta.Ruta("archivo.txt/a.txt"), "Invalid filename", "«" + c + "/archivo.txt» no es una carpeta"},
        {carpeta.Ruta("no_existe.txt"), "Invalid filename", "el archivo «" + c + "/no_existe.txt» no existe"},
        {carpeta.Ruta(std::string(300, 'a') + ".txt"), "Invalid filename", "el nombre es demasiado largo"},
        {"", "Invalid filename", "el nombre está vacío"},
        {c, "File access denied", "«" + c + "» es una carpeta"},
        {carpeta.Ruta("a.txt"), "Disk full", "no queda espacio en el disco"},
        {carpeta.Ruta("a.txt"), "Too many open files", "hay demasiados archivos abiertos"},
        {carpeta.Ruta("a.txt"), "I/O error 5", ""},  // nothing more to say: the text alone
    };
    for (const Caso& k : casos) {
        EXPECT_EQ(CausaArchivo(k.ruta, k.texto), k.causa) << k.ruta;
        EXPECT_EQ(ConCausa(k.ruta, k.texto), k.causa.empty() ? k.texto : k.texto + (" (" + k.causa + ")"));
    }
    // the runtime's text at the end of a message that names the file first
    for (const Caso& k : casos) {
        const std::string mensaje = k.ruta + ": " + k.texto;
        EXPECT_EQ(ConCausaAlFinal(k.ruta, mensaje), k.causa.empty() ? mensaje : mensaje + " (" + k.causa + ")");
    }
    EXPECT_EQ(ConCausaAlFinal("x.txt", "I/O error 27"),
              "I/O error 27 (el archivo llega al tamaño máximo que permite el sistema, el de ulimit -f)");
    EXPECT_EQ(ConCausaAlFinal("x.txt", "x.txt: no es un archivo común"), "x.txt: no es un archivo común");
    // each of these texts is what the export gives for the same name
    for (const Caso& k : {casos[0], casos[2], casos[6]}) EXPECT_EQ(TextoDelFallo(k.ruta), k.texto) << k.ruta;
}

TEST(EscribirExportacion, UnaCarpetaProtegidaNiegaElAcceso) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes through permission bits; the /sys case covers \"File access denied\"";
    }
    CarpetaTemporal carpeta;
    std::filesystem::permissions(carpeta.ruta(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(TextoDelFallo(carpeta.Ruta("a.txt")), "File access denied");
    EXPECT_FALSE(std::filesystem::exists(carpeta.Ruta("a.txt")));
}

// A program file while it runs cannot be opened for writing, not even by root: the old file stays whole.
TEST(EscribirExportacion, UnArchivoQueNoSePuedeAbrirQuedaComoEstaba) {
    CarpetaTemporal carpeta;
    const std::string programa = carpeta.Ruta("programa");
    std::filesystem::copy_file("/bin/sleep", programa);
    const std::string original = LeerBytes(programa);
    char* argumentos[] = {const_cast<char*>(programa.c_str()), const_cast<char*>("30"), nullptr};
    pid_t hijo = 0;
    ASSERT_EQ(::posix_spawn(&hijo, programa.c_str(), nullptr, nullptr, argumentos, environ), 0);
    const int abiertos = DescriptoresAbiertos();
    const std::string texto = TextoDelFallo(programa);
    ::kill(hijo, SIGKILL);
    ::waitpid(hijo, nullptr, 0);
    EXPECT_EQ(texto, "I/O error " + std::to_string(ETXTBSY));
    EXPECT_EQ(DescriptoresAbiertos(), abiertos);
    EXPECT_EQ(LeerBytes(programa), original);
}

TEST(EscribirExportacion, UnArchivoDeSoloLecturaQuedaComoEstaba) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes through permission bits; see the running-program case";
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta("viejo.txt");
    Exportar(ruta, kTresPuntos);
    const std::string viejo = LeerBytes(ruta);
    std::filesystem::permissions(ruta, std::filesystem::perms::owner_read);
    EXPECT_EQ(TextoDelFallo(ruta, {{1, 1, 1}}), "File access denied");
    EXPECT_EQ(LeerBytes(ruta), viejo);
}

TEST(EscribirExportacion, SinDescriptoresLibresDaTooManyOpenFiles) {
    CarpetaTemporal carpeta;
    // A limit equal to the lowest free descriptor leaves no descriptor to open.
    const int libre = ::dup(0);
    ASSERT_GE(libre, 0);
    ::close(libre);
    rlimit previo{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &previo), 0);
    rlimit justo = previo;
    justo.rlim_cur = static_cast<rlim_t>(libre);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &justo), 0);
    // Nothing but the export runs without descriptors: the undefined-behaviour sanitizer checks a member call
    // through a pipe, so the error's text is read once the limit is back.
    std::exception_ptr fallo;
    try {
        Exportar(carpeta.Ruta("a.txt"), kTresPuntos);
    } catch (const ErrorArchivo&) {
        fallo = std::current_exception();
    }
    ::setrlimit(RLIMIT_NOFILE, &previo);
    ASSERT_TRUE(fallo) << "no error";
    try {
        std::rethrow_exception(fallo);
    } catch (const ErrorArchivo& e) {
        EXPECT_STREQ(e.what(), "Too many open files");
    }
    EXPECT_FALSE(std::filesystem::exists(carpeta.Ruta("a.txt")));
}

// /dev/full opens, and every write to it fails with ENOSPC.
TEST(EscribirExportacion, UnDiscoLlenoDaDiskFull) {
    const int abiertos = DescriptoresAbiertos();
    EXPECT_EQ(TextoDelFallo("/dev/full"), "Disk full");
    EXPECT_EQ(DescriptoresAbiertos(), abiertos);
    // with no line there is nothing to write, and so nothing fails
    EXPECT_EQ(TextoDelFallo("/dev/full", {}), "(sin error)");
}
