#include "ui/textos_ventanas.h"

#include <QComboBox>
#include <QLineEdit>

#include "core/textos_indices.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/Parametros_PID.h"
#include "ui/Parametros_Planta.h"
#include "ui/Parametros_Reac.h"
#include "ui/Senal_Excitacion.h"
#include "ui/estilo.h"
#include "ui/indices_desempeno.h"

namespace {

// The edit of that name in whichever dialog has it.
QLineEdit* Edit(std::string_view nombre) {
    const DialogoParametros* dialogos[] = {Frm_Parametros_Planta, Frm_Parametros, Frm_Parametros_PID,
                                           Frm_Parametros_Fuzzy, Frm_Senal_Excitacion};
    for (const DialogoParametros* d : dialogos) {
        if (!d) continue;
        const auto e = d->Edits().find(nombre);
        if (e != d->Edits().end()) return e->second;
    }
    return nullptr;
}

}  // namespace

std::string TextosVentanas::Texto(std::string_view nombre) const {
    if (Frm_Senal_Excitacion && nombre == "Senal_Tipo") return Frm_Senal_Excitacion->Texto(nombre)->toStdString();
    const QLineEdit* e = Edit(nombre);
    if (e) return e->text().toStdString();
    // the settling band is an edit of the indices window, not of a dialog
    if (Frm_Indices && nombre == kBandaEstablecimiento) return Frm_Indices->Banda_Establecimiento->text().toStdString();
    return {};
}

bool TextosVentanas::Existe(std::string_view nombre) const {
    if (Frm_Senal_Excitacion && nombre == "Senal_Tipo") return true;
    return Edit(nombre) != nullptr || (Frm_Indices && nombre == kBandaEstablecimiento);
}

std::string TextosVentanas::Celda(int columna, int fila) const {
    return Frm_Parametros_Fuzzy ? Frm_Parametros_Fuzzy->Celda(columna, fila).toStdString() : std::string();
}

char TextosVentanas::Decimal() const { return SeparadorDecimal(); }

bool TextosVentanas::Poner(std::string_view nombre, const std::string& texto) {
    const QString t = QString::fromStdString(texto);
    if (Frm_Senal_Excitacion && nombre == "Senal_Tipo") {
        const int i = Frm_Senal_Excitacion->Senal_Tipo->findText(t, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (i < 0) return false;
        Frm_Senal_Excitacion->Senal_Tipo->setCurrentIndex(i);
        return true;
    }
    QLineEdit* e = Edit(nombre);
    if (!e && Frm_Indices && nombre == kBandaEstablecimiento) e = Frm_Indices->Banda_Establecimiento;
    // an edit keeps at most maxLength characters: a longer text would come back cut
    if (!e || t.size() > e->maxLength()) return false;
    e->setText(t);
    return true;
}

bool TextosVentanas::PonerCelda(int columna, int fila, const std::string& texto) {
    if (!Frm_Parametros_Fuzzy) return false;
    Frm_Parametros_Fuzzy->Reglas->PonerCelda(columna, fila, QString::fromStdString(texto));
    return true;
}
