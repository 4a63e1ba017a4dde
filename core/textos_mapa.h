#pragma once
// Texts held in a map: the texts interface of the tests and of the batch tool.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "core/textos.h"

class TextosMapa : public Textos {
public:
    explicit TextosMapa(char decimal = '.') : decimal_(decimal) { Cambiar(); }

    std::string Texto(std::string_view nombre) const override;
    std::string Celda(int columna, int fila) const override;
    char Decimal() const override { return decimal_; }
    /// Counted over every map of the program, so that a map assigned from another never goes back to a number
    /// that it had with other texts.
    std::uint64_t Version() const override { return version_; }

    void Poner(std::string_view nombre, std::string texto);
    void PonerCelda(int columna, int fila, std::string texto);
    void PonerDecimal(char decimal);
    /// True when an edit or a cell of that name exists (a cell is named Reglas_F_C, row F, column C).
    bool Existe(std::string_view nombre) const override { return textos_.find(nombre) != textos_.end(); }

private:
    void Cambiar();

    std::map<std::string, std::string, std::less<>> textos_;
    char decimal_;
    std::uint64_t version_ = 0;
};

/// The name under which the map keeps the rule cell of row `fila` and column `columna`: Reglas_F_C.
std::string NombreCelda(int columna, int fila);
