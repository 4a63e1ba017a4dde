#pragma once
// The texts interface of the window program: what the dialogs' edits and the rule grid hold right now.

#include "core/textos.h"

class TextosVentanas : public Textos {
public:
    /// Reads the edit of that name in whichever dialog has it; "" while that dialog does not exist.
    std::string Texto(std::string_view nombre) const override;
    std::string Celda(int columna, int fila) const override;
    char Decimal() const override;
};
