// The main window's relay experiment: its entries in "Opciones" after the original ones, its run toggled from
// them and from the tuning dialog, and the reading of its record once it stops (by its entry, an overflow or
// the chart's bound), shown in a box and offered to "Sintonizar el PID" as a model.

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QTimer>

#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Rele.h"
#include "ui/Sintonizar_PID.h"

void TFrm_Ppal::CrearEntradasRele(QMenu* opciones) {
    EnsayoRele1 = opciones->addAction(QStringLiteral("Ensayo de Relé"), this, &TFrm_Ppal::EnsayoReleClick);
    EnsayoRele1->setObjectName("EnsayoRele1");
    ParametrosRele1 =
        opciones->addAction(QStringLiteral("Parámetros del Relé"), this, &TFrm_Ppal::ParametrosReleClick);
    ParametrosRele1->setObjectName("ParametrosRele1");
}

void TFrm_Ppal::EnsayoReleClick() {
    if (!ReleDisponible()) return;
    Alternar(Corrida::Rele);
}

bool TFrm_Ppal::ReleDisponible() const {
    // to stop it, or to start it while no other run goes
    for (std::size_t c = 0; c < kNumCorridas; ++c)
        if (static_cast<Corrida>(c) != Corrida::Rele && simulador_->Timer(static_cast<Corrida>(c)).Enabled)
            return false;
    return true;
}

void TFrm_Ppal::ParametrosReleClick() { MostrarModal(Frm_Parametros_Rele); }

void TFrm_Ppal::SincronizarRele() {
    const bool habilitado = ReleDisponible();
    const bool activo = simulador_->Timer(Corrida::Rele).Enabled;
    if (EnsayoRele1) {
        EnsayoRele1->setEnabled(habilitado);
        EnsayoRele1->setText(activo ? QStringLiteral("Parar Ensayo de Relé") : QStringLiteral("Ensayo de Relé"));
    }
    // the dialog changes what the run reads: not while it goes
    if (ParametrosRele1) ParametrosRele1->setEnabled(!activo);
    if (Frm_Sintonizar) Frm_Sintonizar->EstadoRele(habilitado, activo);
    if (releActivo_ && !activo) {
        // read once the event that stopped it (and its box) is over
        QTimer::singleShot(0, this, [this] {
            ultimoRele_ = AnalizarEnsayo(*simulador_, textos_);
            if (Frm_Sintonizar) {
                // the dialog that started it tunes on its model at once
                SintonizarClick();
                if (ultimoRele_->analisis && ultimoRele_->analisis->modelo)
                    Frm_Sintonizar->Modelo->setCurrentIndex(TFrm_Sintonizar::FuenteRele);
            }
            dialogos_->Mensaje(this, QString::fromStdString(ultimoRele_->mensaje));
        });
    }
    releActivo_ = activo;
}
