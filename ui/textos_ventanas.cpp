#include "ui/textos_ventanas.h"

#include <QComboBox>
#include <QLineEdit>

#include "ui/Parametros_Fuzzy.h"
#include "ui/campos_ventanas.h"
#include "ui/estilo.h"

std::string TextosVentanas::Texto(std::string_view nombre) const {
    const CampoVentana* c = Campos().Buscar(nombre);
    if (!c) return {};
    return (c->combo ? c->combo->currentText() : c->edit->text()).toStdString();
}

bool TextosVentanas::Existe(std::string_view nombre) const { return Campos().Buscar(nombre) != nullptr; }

std::string TextosVentanas::Celda(int columna, int fila) const {
    return Frm_Parametros_Fuzzy ? Frm_Parametros_Fuzzy->Celda(columna, fila).toStdString() : std::string();
}

char TextosVentanas::Decimal() const { return SeparadorDecimal(); }

bool TextosVentanas::Poner(std::string_view nombre, const std::string& texto) {
    const CampoVentana* c = Campos().Buscar(nombre);
    if (!c) return false;
    const QString t = QString::fromStdString(texto);
    if (c->combo) {
        const int i = c->combo->findText(t, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (i < 0) return false;
        c->combo->setCurrentIndex(i);
        return true;
    }
    // an edit keeps at most maxLength characters: a longer text would come back cut
    if (t.size() > c->edit->maxLength()) return false;
    c->edit->setText(t);
    return true;
}

bool TextosVentanas::PonerCelda(int columna, int fila, const std::string& texto) {
    if (!Frm_Parametros_Fuzzy) return false;
    Frm_Parametros_Fuzzy->Reglas->PonerCelda(columna, fila, QString::fromStdString(texto));
    return true;
}
