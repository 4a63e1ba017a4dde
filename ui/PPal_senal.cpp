// The main window says which signal the open-loop run applies: the tip of "Aplicar Escalón" and the status
// bar's second panel name it whenever it is not the step.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "core/textos_senal.h"
#include "senales/parametros.h"
#include "ui/PPal_reaccion.h"
#include "ui/Senal_Excitacion.h"
#include "ui/nombre_senal.h"

void TFrm_Ppal::SeguirSenal(TFrm_Senal_Excitacion* dialogo) {
    senal_ = dialogo;
    // the texts change from the dialog and from a set-up file alike
    connect(dialogo->Senal_Tipo, &QComboBox::currentTextChanged, this, &TFrm_Ppal::NombrarSenal);
    for (Campo c : {Campo::Orden, Campo::Componentes})
        connect(dialogo->Edits().at(NombreCampo(c)), &QLineEdit::textChanged, this, &TFrm_Ppal::NombrarSenal);
    NombrarSenal();
}

QString TFrm_Ppal::SenalElegida() const {
    if (!senal_) return {};
    return NombreSenal(senal_->Senal_Tipo->currentText(), senal_->Edits().at(NombreCampo(Campo::Orden))->text(),
                       senal_->Edits().at(NombreCampo(Campo::Componentes))->text());
}

void TFrm_Ppal::NombrarSenal() {
    const QString pista = PistaAplicarEscalon(SenalElegida());
    ToolButton4->setToolTip(pista);
    // the step, as the program always was: an empty panel
    PanelEstado[1]->setText(pista == QStringLiteral("Aplicar Escalón") ? QString() : pista);
}
