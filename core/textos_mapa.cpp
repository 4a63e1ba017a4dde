#include "core/textos_mapa.h"

std::string NombreCelda(int columna, int fila) {
    return "Reglas_" + std::to_string(fila) + "_" + std::to_string(columna);
}

std::string TextosMapa::Texto(std::string_view nombre) const {
    const auto i = textos_.find(nombre);
    return i == textos_.end() ? std::string() : i->second;
}

std::string TextosMapa::Celda(int columna, int fila) const { return Texto(NombreCelda(columna, fila)); }

void TextosMapa::PonerCelda(int columna, int fila, std::string texto) {
    Poner(NombreCelda(columna, fila), std::move(texto));
}
