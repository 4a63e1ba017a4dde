#pragma once
// The texts interface of the window program: what the windows' named texts (ui/campos_ventanas.h) and the rule
// grid hold right now.

#include "core/textos.h"

class TextosVentanas : public Textos {
public:
    /// Reads the named text of that name (an edit; Senal_Tipo: the caption of the signal dialog's combo); "" while
    /// no window has it.
    std::string Texto(std::string_view nombre) const override;
    /// True while a window has that text. Version() stays 0: the window's runs read their texts at
    /// every tick, ten times a second.
    bool Existe(std::string_view nombre) const override;
    std::string Celda(int columna, int fila) const override;
    char Decimal() const override;

    /// Writes `texto` into the named text of that name (Senal_Tipo: chooses the combo's entry of that caption).
    /// False, the text as it was, when no window has it, the combo has no such entry or the edit cannot hold it.
    bool Poner(std::string_view nombre, const std::string& texto);
    /// Writes the text of the rule cell at column c and row r (both 1 to 5); false while the grid does not exist.
    bool PonerCelda(int columna, int fila, const std::string& texto);
};
