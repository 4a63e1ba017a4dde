#include "export/llamadas.h"

LlamadasArchivo& Llamadas() {
    static LlamadasArchivo llamadas;
    return llamadas;
}
