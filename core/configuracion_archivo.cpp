// Reading a set-up file by name. The size is checked on the open descriptor before a byte is read, so a huge
// file is refused at once; whatever the descriptor is, reading stops one byte past the limit.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>

#include "core/configuracion.h"
#include "core/configuracion_claves.h"

namespace {

// the whole name, however long: the user must know which file
std::string Citar(const std::string& nombre) { return claves::Citar(nombre, nombre.size()); }

[[noreturn]] void FallarLectura(const std::string& nombre, const std::string& motivo) {
    throw ErrorConfiguracion("No se puede leer el archivo " + Citar(nombre) + ": " + motivo + ".", motivo);
}

[[noreturn]] void Rechazar(const std::string& nombre, const std::string& motivo) {
    throw ErrorConfiguracion("El archivo " + Citar(nombre) + " no es una configuración válida: " + motivo + ".",
                             motivo);
}

std::string Causa(int codigo) {
    switch (codigo) {
        case ENOENT:
        case ENOTDIR: return "no existe";
        case EACCES:
        case EPERM: return "no hay permiso para leerlo";
        case EISDIR: return "es una carpeta";
        case ENAMETOOLONG: return "el nombre es demasiado largo";
        case ELOOP: return "hay demasiados enlaces simbólicos en el camino";
        case EMFILE:
        case ENFILE: return "hay demasiados archivos abiertos";
        case EINVAL: return "el nombre no es válido";
        default: return "error de entrada/salida (código " + std::to_string(codigo) + ")";
    }
}

// the same words as LeerConfiguracion's for a size over the limit; a pipe's size is known only as too large
std::string Demasiado(std::optional<std::uintmax_t> bytes) {
    const std::string maximo = "el máximo de " + std::to_string(kTamanoMaximoConfiguracion) + " bytes";
    return bytes ? "ocupa " + std::to_string(*bytes) + " bytes, más que " + maximo : "ocupa más que " + maximo;
}

// The open file, closed whatever ends the reading.
class Descriptor {
public:
    explicit Descriptor(const std::string& nombre) : nombre_(nombre) {
        // a name with a NUL inside would reach open() cut short, naming another file
        if (nombre.empty() || nombre.find('\0') != std::string::npos) FallarLectura(nombre, Causa(EINVAL));
        // O_NONBLOCK: opening a FIFO that nobody writes must not hang; it is cleared below for reading
        do fd_ = ::open(nombre.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        while (fd_ < 0 && errno == EINTR);
        if (fd_ < 0) FallarLectura(nombre, Causa(errno));
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { ::close(fd_); }

    std::string Leer() {
        struct stat datos {};
        if (::fstat(fd_, &datos) != 0) FallarLectura(nombre_, Causa(errno));
        if (S_ISDIR(datos.st_mode)) FallarLectura(nombre_, Causa(EISDIR));
        // a device (a terminal, /dev/zero) is no file of set-up; a pipe is (a shell's <(...))
        if (!S_ISREG(datos.st_mode) && !S_ISFIFO(datos.st_mode)) FallarLectura(nombre_, "no es un archivo común");
        if (S_ISREG(datos.st_mode) && static_cast<std::uintmax_t>(datos.st_size) > kTamanoMaximoConfiguracion)
            Rechazar(nombre_, Demasiado(static_cast<std::uintmax_t>(datos.st_size)));
        const int banderas = ::fcntl(fd_, F_GETFL);
        if (banderas < 0 || ::fcntl(fd_, F_SETFL, banderas & ~O_NONBLOCK) != 0) FallarLectura(nombre_, Causa(errno));

        // one byte past the limit tells a file that grew, or a pipe, that is too large
        std::string bytes;
        const std::size_t previsto = S_ISREG(datos.st_mode) ? static_cast<std::size_t>(datos.st_size) : 0;
        bytes.resize(std::min(previsto, kTamanoMaximoConfiguracion) + 1);
        std::size_t leidos = 0;
        for (;;) {
            if (leidos == bytes.size()) {
                if (leidos > kTamanoMaximoConfiguracion) Rechazar(nombre_, Demasiado(std::nullopt));
                bytes.resize(std::min(std::max<std::size_t>(2 * leidos, 64 * 1024), kTamanoMaximoConfiguracion + 1));
            }
            const ssize_t n = ::read(fd_, bytes.data() + leidos, bytes.size() - leidos);
            if (n < 0) {
                if (errno == EINTR) continue;
                FallarLectura(nombre_, Causa(errno));
            }
            if (n == 0) break;
            leidos += static_cast<std::size_t>(n);
        }
        bytes.resize(leidos);
        return bytes;
    }

private:
    const std::string& nombre_;
    int fd_ = -1;
};

}  // namespace

ConfiguracionLeida LeerArchivoConfiguracion(const std::string& nombre, std::span<const std::string> conocidos) {
    const std::string bytes = Descriptor(nombre).Leer();
    try {
        return LeerConfiguracion(bytes, conocidos);
    } catch (const ErrorConfiguracion& e) {
        Rechazar(nombre, e.Motivo());
    }
}
