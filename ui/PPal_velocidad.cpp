// The main window's speed: the runs' timers at the chosen interval, and the drawings on a clock of their own
// when the ticks come faster than the eye can follow.

#include <QMenu>
#include <QStatusBar>
#include <QTimer>

#include "ui/PPal_reaccion.h"
#include "ui/grabador.h"
#include "ui/velocidad.h"

void TFrm_Ppal::CrearVelocidad() {
    Velocidad1 = new ControlVelocidad(StatusBar1);
    StatusBar1->addPermanentWidget(Velocidad1);
    connect(Velocidad1, &ControlVelocidad::Cambiada, this, &TFrm_Ppal::AplicarVelocidad);
    Refresco = new QTimer(this);
    Refresco->setObjectName(QStringLiteral("Refresco"));
    Refresco->setSingleShot(true);
    Refresco->setTimerType(Qt::PreciseTimer);
    Refresco->setInterval(kPeriodoRefresco);
    connect(Refresco, &QTimer::timeout, this, &TFrm_Ppal::Refrescar);
}

void TFrm_Ppal::AplicarVelocidad() {
    // a timer that is running starts its new interval from now; its run goes on from the same sample
    for (std::size_t i = 0; i < kNumCorridas; ++i) {
        const int intervalo =
            IntervaloConVelocidad(simulador_->Timer(static_cast<Corrida>(i)).Interval, Velocidad1->Actual());
        if (timers_[i]->interval() != intervalo) timers_[i]->setInterval(intervalo);
    }
    if (Velocidad1->Actual() == Velocidad::x1 && pendientes_ != 0) Refrescar();
}

bool TFrm_Ppal::Diferir(unsigned& cambios) {
    if (!enTick_ || Velocidad1->Actual() == Velocidad::x1) {
        // everything at once, what waited included
        cambios |= pendientes_;
        pendientes_ = 0;
        return false;
    }
    // a tick above x1: what only the drawings show waits for the refresh clock
    constexpr unsigned kDiferibles = CambioSeries | CambioBarra | CambioIndices;
    pendientes_ |= cambios & kDiferibles;
    cambios &= ~kDiferibles;
    if (!Refresco->isActive()) Refresco->start();
    return cambios == 0;
}

void TFrm_Ppal::Refrescar() {
    Refresco->stop();
    const unsigned cambios = pendientes_;
    pendientes_ = 0;
    // the views follow the last inference even when nothing else waits
    const bool antes = enTick_;
    enTick_ = false;
    Sincronizar(cambios);
    enTick_ = antes;
}

void TFrm_Ppal::Alternar(Corrida corrida) {
    elegida_ = corrida;
    Grabador->AnotarAlternar(corrida);
    simulador_->AtenderToggle(corrida);
}

void TFrm_Ppal::AtenderTick(Corrida corrida) {
    // a box shown by this tick runs other ticks inside it: each puts back what it found
    const bool antes = enTick_;
    enTick_ = true;
    // a tick that comes after its timer stopped does nothing, and is not recorded
    if (simulador_->Timer(corrida).Enabled) Grabador->AnotarTick(corrida);
    simulador_->AtenderTick(corrida);
    enTick_ = antes;
}
