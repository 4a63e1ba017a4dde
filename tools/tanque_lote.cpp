// tanque-lote: identification records from the simulator, without windows, and what is read from them.

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/fallo_sin_atender.h"
#include "export/error_archivo.h"
#include "export/temporales.h"
#include "tools/ayuda_lote.h"
#include "tools/lote.h"
#include "tools/reproducir_lote.h"

namespace {

// SIGINT, SIGTERM, SIGHUP and the other signals that end a program by default (SIGQUIT, SIGALRM, SIGUSR1, SIGUSR2):
// the temporary files of the record and its description go, the targets stay as they were, and the program ends
// by the signal itself, as the shell expects (status 130, 143, 129...). SIGKILL cannot be caught: it leaves the
// hidden temporary file .NAME.XXXXXXXX beside the record.
extern "C" void AlInterrumpir(int senal) {
    BorrarTemporales();
    ::signal(senal, SIG_DFL);
    ::raise(senal);
}

void InstalarSenales() {
    struct sigaction accion {};
    accion.sa_handler = AlInterrumpir;
    sigemptyset(&accion.sa_mask);
    for (int senal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGALRM, SIGUSR1, SIGUSR2}) ::sigaction(senal, &accion, nullptr);
    // a file larger than `ulimit -f` allows: the write fails with EFBIG and gets its message, instead of the
    // program ending silently with the temporary file left
    ::signal(SIGXFSZ, SIG_IGN);
    // a reader that closes a pipe makes a write fail with EPIPE: the end of the trace, an error of the record
    ::signal(SIGPIPE, SIG_IGN);
}

bool Cerrado(int fd) { return ::fcntl(fd, F_GETFD) == -1 && errno == EBADF; }

void Falla(const char* que, int codigo) {
    std::fprintf(stderr, "tanque-lote: no se pudo escribir %s en la salida estándar: %s\n", que,
                 codigo == EBADF ? "está cerrada" : TextoErrorArchivo(codigo).c_str());
}

}  // namespace

namespace {

int Principal(int argc, char** argv) {
    // A closed standard descriptor is not written to; it gets /dev/null so that no file of ours takes its number.
    const bool salidaCerrada = Cerrado(1);
    for (int fd = 0; fd <= 2; ++fd)
        if (Cerrado(fd)) ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);

    OpcionesLote opciones;
    try {
        opciones = LeerOpciones(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "tanque-lote: %s\n%s", e.what(), TextoDeUso());
        return 2;
    }
    InstalarSenales();
    if (salidaCerrada) {
        // every output but the record goes to standard output
        const char* que = opciones.ayuda                           ? "la ayuda"
                          : opciones.orden == OrdenLote::Identificar ? "la identificación"
                          : opciones.orden == OrdenLote::Comparar  ? "la comparación"
                          : opciones.orden == OrdenLote::Sintonizar ? "la sintonía"
                          : opciones.orden == OrdenLote::Rele ? "el experimento del relé"
                          : opciones.orden == OrdenLote::Barrido ? "el barrido"
                          : opciones.indices                       ? "los índices"
                          : opciones.traza                         ? "la traza"
                                                                   : nullptr;
        if (que) {
            Falla(que, EBADF);
            return 1;
        }
    }
    return EjecutarLote(opciones, 1, stderr);
}

}  // namespace

int main(int argc, char** argv) {
    // the last catch: what no door caught ends with a message, the temporaries removed on the way out
    try {
        return Principal(argc, argv);
    } catch (...) {
        return FalloSinAtender("tanque-lote");
    }
}
