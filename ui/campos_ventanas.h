#pragma once
// The named texts of the windows, in one registry: the edits of the dialogs, the signal dialog's type combo and
// the indices window's band, each under the name the core reads it by. CrearVentanas fills it as it makes the
// windows and DestruirVentanas empties it; the texts interface reads and writes through it, and the recorder
// follows its changes through it.

#include <functional>
#include <map>
#include <string>
#include <string_view>

class DialogoParametros;
class QComboBox;
class QLineEdit;

/// One named text: an edit, or a combo whose caption is the text.
struct CampoVentana {
    QLineEdit* edit = nullptr;
    QComboBox* combo = nullptr;
};

class CamposVentanas {
public:
    /// The edits and combos of a dialog, under their names.
    void Agregar(const DialogoParametros& dialogo);
    void Agregar(const std::string& nombre, QLineEdit* edit);
    void Agregar(const std::string& nombre, QComboBox* combo);
    void Vaciar() { campos_.clear(); }

    /// The text of that name; nullptr while no window has it.
    const CampoVentana* Buscar(std::string_view nombre) const;
    /// Every text, by name.
    const std::map<std::string, CampoVentana, std::less<>>& Todos() const { return campos_; }

private:
    std::map<std::string, CampoVentana, std::less<>> campos_;
};

/// The registry of the windows that exist.
CamposVentanas& Campos();
