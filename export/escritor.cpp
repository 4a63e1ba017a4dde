#include "export/escritor.h"

#include <cerrno>

#include "base/errores.h"
#include "export/error_archivo.h"
#include "export/llamadas.h"

int EscribirTodo(int fd, std::string_view datos) noexcept {
    while (!datos.empty()) {
        const ssize_t escritos = Llamadas().escribir(fd, datos.data(), datos.size());
        if (escritos < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (escritos == 0) return EIO;  // no progress and no reason given: retrying could loop forever
        datos.remove_prefix(static_cast<std::size_t>(escritos));
    }
    return 0;
}

void Escritor::Vaciar() {
    const int codigo = EscribirTodo(fd_, bufer_);
    bufer_.clear();
    if (codigo != 0) LanzarErrorArchivo(codigo);
}
