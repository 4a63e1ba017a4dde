#pragma once
// Texts held in a map: the texts interface of the tests and of the batch tool.

#include <map>
#include <string>
#include <string_view>

#include "core/textos.h"

class TextosMapa : public Textos {
public:
    explicit TextosMapa(char decimal = '.') : decimal_(decimal) {}

    std::string Texto(std::string_view nombre) const override;
    std::string Celda(int columna, int fila) const override;
    char Decimal() const override { return decimal_; }

    void Poner(std::string_view nombre, std::string texto) { textos_[std::string(nombre)] = std::move(texto); }
    void PonerCelda(int columna, int fila, std::string texto);
    void PonerDecimal(char decimal) { decimal_ = decimal; }
    /// True when an edit or a cell of that name exists (a cell is named Reglas_F_C, row F, column C).
    bool Existe(std::string_view nombre) const { return textos_.count(std::string(nombre)) != 0; }

private:
    std::map<std::string, std::string, std::less<>> textos_;
    char decimal_;
};

/// The name under which the map keeps the rule cell of row `fila` and column `columna`: Reglas_F_C.
std::string NombreCelda(int columna, int fila);
