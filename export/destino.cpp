#include "export/destino.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "base/errores.h"
#include "export/error_archivo.h"

namespace {

[[noreturn]] void Fallar(int codigo) { LanzarErrorArchivo(codigo); }

bool MismoArchivo(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

std::string CarpetaDe(const std::string& ruta) {
    const auto barra = ruta.rfind('/');
    return barra == std::string::npos ? std::string() : ruta.substr(0, barra + 1);
}

std::string SeguirEnlaces(const std::string& nombre) {
    std::string ruta = nombre;
    // as many links as the kernel follows before it gives ELOOP
    for (int enlaces = 0; enlaces <= 40; ++enlaces) {
        struct stat st {};
        if (::lstat(ruta.c_str(), &st) != 0) {
            if (errno == ENOENT) return ruta;  // the file the chain names, not created yet
            Fallar(errno);
        }
        if (!S_ISLNK(st.st_mode)) return ruta;
        std::vector<char> destino(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(ruta.c_str(), destino.data(), destino.size());
        if (n < 0) Fallar(errno);
        if (static_cast<std::size_t>(n) >= destino.size()) Fallar(ENAMETOOLONG);  // it grew while we read it
        const std::string enlace(destino.data(), static_cast<std::size_t>(n));
        ruta = !enlace.empty() && enlace[0] == '/' ? enlace : CarpetaDe(ruta) + enlace;
    }
    Fallar(ELOOP);
}

DestinoRegistro ElegirDestino(const std::string& nombre) {
    // a name with a NUL inside would reach the system cut short, naming another file
    if (nombre.empty() || nombre.find('\0') != std::string::npos) Fallar(EINVAL);
    DestinoRegistro d;
    struct stat st {};
    if (::stat(nombre.c_str(), &st) != 0) {
        if (errno != ENOENT) Fallar(errno);
        // a new file, perhaps at the end of a link that points at nothing yet
        d.ruta = SeguirEnlaces(nombre);
        d.reemplazar = true;
        return d;
    }
    if (S_ISDIR(st.st_mode)) Fallar(EISDIR);
    if (!S_ISREG(st.st_mode)) {
        d.ruta = nombre;
        return d;
    }
    d.ruta = SeguirEnlaces(nombre);
    // A link that the kernel resolves by itself (/dev/stdout -> /proc/self/fd/1 -> a deleted file, a file of
    // another mount namespace) names no path where a new file could take the old one's place: written through.
    struct stat alFinal {};
    if (::stat(d.ruta.c_str(), &alFinal) != 0 || !MismoArchivo(st, alFinal)) {
        d.ruta = nombre;
        return d;
    }
    // The record may replace only a file that it could have written: the refusal of an open for writing
    // (permissions, a read-only file system, a running program) is the export's error, as it always was.
    int fd;
    do fd = ::open(d.ruta.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) Fallar(errno);
    ::close(fd);
    d.reemplazar = true;
    d.existia = true;
    d.modo = st.st_mode & 07777;
    d.dueno = st.st_uid;
    d.grupo = st.st_gid;
    return d;
}
