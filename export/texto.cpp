#include "export/texto.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "base/errores.h"
#include "export/error_archivo.h"
#include "export/llamadas.h"

namespace {

[[noreturn]] void Fallar(int codigo) { throw ErrorArchivo(TextoErrorArchivo(codigo)); }

}  // namespace

void EscribirTexto(const std::string& nombre, std::string_view texto) {
    // a name with a NUL inside would reach open() cut short, naming another file
    if (nombre.empty() || nombre.find('\0') != std::string::npos) Fallar(EINVAL);
    int fd;
    do fd = ::open(nombre.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) Fallar(errno);
    // the writes go through Llamadas(), as the record's do, so that a test can make them fail
    int codigo = 0;
    while (!texto.empty()) {
        const ssize_t escritos = Llamadas().escribir(fd, texto.data(), texto.size());
        if (escritos < 0) {
            if (errno == EINTR) continue;
            codigo = errno;
            break;
        }
        if (escritos == 0) {  // no progress and no reason given: retrying could loop forever
            codigo = EIO;
            break;
        }
        texto.remove_prefix(static_cast<std::size_t>(escritos));
    }
    if (codigo != 0) {
        Llamadas().cerrar(fd);  // secondary to the error on its way
        Fallar(codigo);
    }
    if (Llamadas().cerrar(fd) != 0) Fallar(errno);
}
