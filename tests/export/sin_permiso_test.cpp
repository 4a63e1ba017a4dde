// Folders and files that the export may not write, also when the tests run as root (as they do in CI):
// each case runs in a child process that gives up root for an unprivileged user, or that mounts a read-only
// file system over the folder in a mount namespace of its own, so that nothing outside the child changes.
#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "base/errores.h"
#include "export/archivo.h"
#include "tests/export/utilidades.h"

namespace {

constexpr uid_t kNadie = 65534;  // nobody

const std::vector<MuestraExportada> kPuntos = {{1, 2.5, 0.5}, {2, 2.5, 0.75}};

// What the export did in the child: its error's text ("" for none), and whether it left a descriptor open.
struct Resultado {
    std::string omitido;  // why the child could not set the case up; empty when it ran
    std::string texto;
    bool descriptoresIguales = false;
};

Resultado Omitido(std::string razon) {
    Resultado r;
    r.omitido = std::move(razon);
    return r;
}

// Runs `preparar` and then the export of kPuntos to `ruta` in a child process. `preparar` returns "" when the
// case is set up, otherwise why it could not be.
Resultado EnHijo(const std::function<std::string()>& preparar, const std::string& ruta) {
    int tubo[2];
    if (::pipe(tubo) != 0) return Omitido("pipe: " + std::string(std::strerror(errno)));
    const pid_t hijo = ::fork();
    if (hijo < 0) {
        ::close(tubo[0]);
        ::close(tubo[1]);
        return Omitido("fork: " + std::string(std::strerror(errno)));
    }
    if (hijo == 0) {
        ::close(tubo[0]);
        std::string informe;
        const std::string razon = preparar();
        if (!razon.empty()) {
            informe = "O" + razon;
        } else {
            const int antes = DescriptoresAbiertos();
            std::string texto;
            try {
                Exportar(ruta, kPuntos);
            } catch (const ErrorArchivo& e) {
                texto = e.what();
            }
            informe = (DescriptoresAbiertos() == antes ? "=" : "+") + texto;
        }
        const ssize_t escritos = ::write(tubo[1], informe.data(), informe.size());
        ::_exit(escritos == static_cast<ssize_t>(informe.size()) ? 0 : 1);
    }
    ::close(tubo[1]);
    std::string informe;
    char bloque[256];
    for (ssize_t n; (n = ::read(tubo[0], bloque, sizeof bloque)) > 0;)
        informe.append(bloque, static_cast<std::size_t>(n));
    ::close(tubo[0]);
    int estado = 0;
    ::waitpid(hijo, &estado, 0);
    Resultado r;
    if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0 || informe.empty()) {
        r.texto = "(the child ended without a report)";
        return r;
    }
    if (informe[0] == 'O') return Omitido(informe.substr(1));
    r.texto = informe.substr(1);
    r.descriptoresIguales = informe[0] == '=';
    return r;
}

// Gives up root for nobody: supplementary groups, then group, then user.
std::string ComoNadie() {
    if (::geteuid() != 0) return "";  // already without root's rights
    if (::setgroups(0, nullptr) != 0 || ::setresgid(kNadie, kNadie, kNadie) != 0 ||
        ::setresuid(kNadie, kNadie, kNadie) != 0)
        return "cannot become nobody: " + std::string(std::strerror(errno));
    return "";
}

// A mount namespace of the child's own, in which `carpeta` is mounted read-only: with `vacia` an empty tmpfs,
// otherwise the folder itself through a read-only bind.
std::string SoloLectura(const std::string& carpeta, bool vacia) {
    if (::unshare(CLONE_NEWNS) != 0) return "no mount namespace: " + std::string(std::strerror(errno));
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return "cannot make the mounts private: " + std::string(std::strerror(errno));
    const bool montada =
        vacia ? ::mount("none", carpeta.c_str(), "tmpfs", MS_RDONLY, nullptr) == 0
              : ::mount(carpeta.c_str(), carpeta.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
                    ::mount(nullptr, carpeta.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    return montada ? "" : "cannot mount read-only: " + std::string(std::strerror(errno));
}

// A folder that others may enter and read but not write.
void SoloParaElDueno(const CarpetaTemporal& carpeta) {
    namespace fs = std::filesystem;
    fs::permissions(carpeta.ruta(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
}

}  // namespace

TEST(SinPermiso, CadaCasoDaFileAccessDeniedYDejaTodoComoEstaba) {
    struct Caso {
        const char* nombre;
        bool existente;  // the name is that of a file written before
        std::function<std::string(const std::string& carpeta)> preparar;
    };
    const Caso casos[] = {
        {"a folder of another user", false, [](const std::string&) { return ComoNadie(); }},
        {"a file of another user", true, [](const std::string&) { return ComoNadie(); }},
        {"a read-only file system", false, [](const std::string& c) { return SoloLectura(c, true); }},
        {"a file under a read-only bind", true, [](const std::string& c) { return SoloLectura(c, false); }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        CarpetaTemporal carpeta;
        SoloParaElDueno(carpeta);
        const std::string ruta = carpeta.Ruta("registro.txt");
        std::string antes;
        if (c.existente) {
            Exportar(ruta, {{7, 1.5, 0.123456}});
            antes = LeerBytes(ruta);
        }
        const std::string dir = carpeta.ruta().string();
        const Resultado r = EnHijo([&] { return c.preparar(dir); }, ruta);
        if (!r.omitido.empty()) {
            // a sandbox may forbid namespaces; the case cannot be made there
            std::printf("[ omitido ] %s: %s\n", c.nombre, r.omitido.c_str());
            continue;
        }
        EXPECT_EQ(r.texto, "File access denied");
        EXPECT_TRUE(r.descriptoresIguales) << "a descriptor was left open";
        if (c.existente) {
            EXPECT_EQ(LeerBytes(ruta), antes) << "the old file changed";
        } else {
            EXPECT_FALSE(std::filesystem::exists(ruta));
        }
    }
}

// A file that may be written, in a folder that takes no new file: it could not be replaced whole, so the export
// refuses it with the folder's error and leaves it as it was (it is not written in place).
TEST(SinPermiso, UnArchivoEscribibleEnUnaCarpetaCerradaSeRechazaYQuedaComoEstaba) {
    CarpetaTemporal carpeta;
    SoloParaElDueno(carpeta);
    const std::string ruta = carpeta.Ruta("registro.txt");
    Exportar(ruta, {{7, 1.5, 0.123456}});
    const std::string antes = LeerBytes(ruta);
    std::filesystem::permissions(
        ruta, std::filesystem::perms::all & ~(std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec |
                                              std::filesystem::perms::others_exec));
    // root gives up its rights in the child; another user closes the folder to itself
    if (::geteuid() != 0)
        std::filesystem::permissions(carpeta.ruta(),
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const Resultado r = EnHijo(ComoNadie, ruta);
    if (!r.omitido.empty()) GTEST_SKIP() << r.omitido;
    EXPECT_EQ(r.texto, "File access denied");
    EXPECT_TRUE(r.descriptoresIguales);
    EXPECT_EQ(LeerBytes(ruta), antes);
    EXPECT_EQ(Nombres(carpeta.ruta().string()), std::vector<std::string>{"registro.txt"});
}
