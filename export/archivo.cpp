#include "export/archivo.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "base/errores.h"
#include "export/error_archivo.h"
#include "export/formato.h"
#include "export/llamadas.h"

LlamadasArchivo& Llamadas() {
    static LlamadasArchivo llamadas{::write, ::close};
    return llamadas;
}

namespace {

// Lines are gathered into blocks of about this size, each written with one call.
constexpr std::size_t kBloque = 64 * 1024;

[[noreturn]] void Fallar(int codigo) { throw ErrorArchivo(TextoErrorArchivo(codigo)); }

// The open export file. It is closed when it goes out of scope, whatever ends the export.
class ArchivoAbierto {
public:
    explicit ArchivoAbierto(const std::string& nombre) {
        // a name with a NUL inside would reach open() cut short, naming another file
        if (nombre.empty() || nombre.find('\0') != std::string::npos) Fallar(EINVAL);
        // O_TRUNC takes effect only once the open succeeds, so a failed creation leaves an old file as it was
        do fd_ = ::open(nombre.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        while (fd_ < 0 && errno == EINTR);
        if (fd_ < 0) Fallar(errno);
    }

    ArchivoAbierto(const ArchivoAbierto&) = delete;
    ArchivoAbierto& operator=(const ArchivoAbierto&) = delete;

    // Only on a path that already has its error: a second one from close would add nothing.
    ~ArchivoAbierto() {
        if (fd_ >= 0) Llamadas().cerrar(fd_);
    }

    // Writes all of `datos`, resuming after a short write. Returns 0, or the errno of the first failure.
    int Escribir(std::string_view datos) noexcept {
        while (!datos.empty()) {
            const ssize_t escritos = Llamadas().escribir(fd_, datos.data(), datos.size());
            if (escritos < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            if (escritos == 0) return EIO;  // no progress and no reason given: retrying could loop forever
            datos.remove_prefix(static_cast<std::size_t>(escritos));
        }
        return 0;
    }

    /// Throws ErrorArchivo when the close fails; the descriptor is released either way (never closed twice).
    void Cerrar() {
        const int fd = fd_;
        fd_ = -1;
        if (Llamadas().cerrar(fd) != 0) Fallar(errno);
    }

private:
    int fd_ = -1;
};

}  // namespace

void EscribirExportacion(const std::string& nombre, std::int64_t ultimo,
                         const std::function<MuestraExportada(std::int64_t)>& punto) {
    ArchivoAbierto archivo(nombre);
    std::string bloque;
    bloque.reserve(kBloque + 1024);

    // The first sample of a record is data too: the lines start at index 0.
    for (std::int64_t i = 0; i <= ultimo; ++i) {
        try {
            const MuestraExportada m = punto(i);
            AnadirLineaExportacion(bloque, m.muestra, m.accion, m.nivel);
        } catch (...) {
            // The lines before the failing point stay written, as they would with a line-by-line writer;
            // a write failure here is secondary to the error that is on its way.
            static_cast<void>(archivo.Escribir(bloque));
            throw;
        }
        if (bloque.size() >= kBloque) {
            if (const int codigo = archivo.Escribir(bloque)) Fallar(codigo);
            bloque.clear();
        }
    }
    if (const int codigo = archivo.Escribir(bloque)) Fallar(codigo);
    archivo.Cerrar();
}
