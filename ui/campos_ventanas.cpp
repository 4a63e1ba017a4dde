#include "ui/campos_ventanas.h"

#include "ui/dialogo_parametros.h"

void CamposVentanas::Agregar(const DialogoParametros& dialogo) {
    for (const auto& [nombre, edit] : dialogo.Edits()) Agregar(nombre, edit);
    for (const auto& [nombre, combo] : dialogo.Combos()) Agregar(nombre, combo);
}

void CamposVentanas::Agregar(const std::string& nombre, QLineEdit* edit) { campos_[nombre] = {edit, nullptr}; }

void CamposVentanas::Agregar(const std::string& nombre, QComboBox* combo) { campos_[nombre] = {nullptr, combo}; }

const CampoVentana* CamposVentanas::Buscar(std::string_view nombre) const {
    const auto c = campos_.find(nombre);
    return c == campos_.end() ? nullptr : &c->second;
}

CamposVentanas& Campos() {
    static CamposVentanas campos;
    return campos;
}
