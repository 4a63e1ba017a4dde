#include "export/texto.h"

#include "export/archivo.h"

void EscribirTexto(const std::string& nombre, std::string_view texto) {
    ArchivoRegistro archivo(nombre);
    archivo.AnadirTexto(texto);
    archivo.Confirmar();
}
