#pragma once
// Where the parameters live: the texts of the dialogs' edits and of the rule grid's cells.

#include <string>
#include <string_view>

/// The current texts of the edits and rule cells, read at the moment of use.
class Textos {
public:
    virtual ~Textos() = default;
    /// The text of the edit of that name (T_Sample, Kp, E_MN_Tipo, ...).
    virtual std::string Texto(std::string_view nombre) const = 0;
    /// The text of the rule-grid cell at column c and row r (both 1 to 5).
    virtual std::string Celda(int columna, int fila) const = 0;
    /// The decimal separator of the user's locale.
    virtual char Decimal() const = 0;
};
