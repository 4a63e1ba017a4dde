#include "core/textos_mapa.h"

#include <atomic>

namespace {

// one count for every map: each change of any map takes a number that no map had before
std::atomic<std::uint64_t> versiones{0};

}  // namespace

std::string NombreCelda(int columna, int fila) {
    return "Reglas_" + std::to_string(fila) + "_" + std::to_string(columna);
}

void TextosMapa::Cambiar() { version_ = versiones.fetch_add(1, std::memory_order_relaxed) + 1; }

std::string TextosMapa::Texto(std::string_view nombre) const {
    const auto i = textos_.find(nombre);
    return i == textos_.end() ? std::string() : i->second;
}

std::string TextosMapa::Celda(int columna, int fila) const { return Texto(NombreCelda(columna, fila)); }

void TextosMapa::Poner(std::string_view nombre, std::string texto) {
    textos_[std::string(nombre)] = std::move(texto);
    Cambiar();
}

void TextosMapa::PonerCelda(int columna, int fila, std::string texto) {
    Poner(NombreCelda(columna, fila), std::move(texto));
}

void TextosMapa::PonerDecimal(char decimal) {
    decimal_ = decimal;
    Cambiar();
}
