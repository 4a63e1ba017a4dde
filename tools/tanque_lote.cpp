// tanque-lote: identification records from the simulator, without windows.

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/ayuda_lote.h"
#include "tools/lote.h"

int main(int argc, char** argv) {
    OpcionesLote opciones;
    try {
        opciones = LeerOpciones(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "tanque-lote: %s\n%s", e.what(), TextoDeUso());
        return 2;
    }
    if (opciones.ayuda) {
        std::fputs(TextoDeAyuda(), stdout);
        return 0;
    }
    static char bufer[1 << 16];
    std::setvbuf(stdout, bufer, _IOFBF, sizeof bufer);
    const int estado = CorrerLote(opciones, opciones.traza ? stdout : nullptr, stderr);
    std::fflush(stdout);
    return estado;
}
