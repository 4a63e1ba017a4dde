#pragma once
// Where the parameters live: the texts of the dialogs' edits and of the rule grid's cells.

#include <cstdint>
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
    /// False for an edit that these texts do not have at all (an empty edit exists): a reader of a text
    /// that the program gained later takes its default text then. Every edit exists unless told otherwise.
    virtual bool Existe(std::string_view nombre) const {
        static_cast<void>(nombre);
        return true;
    }
    /// A number that changes whenever a text, a cell or the separator changes, and that no other state of
    /// any texts has had: a reader may keep what it made of the texts while the number stays the same.
    /// 0 when these texts keep no such number: then every read reads again.
    virtual std::uint64_t Version() const { return 0; }
};
