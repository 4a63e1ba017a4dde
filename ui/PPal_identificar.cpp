// The main window's entry to the identification: the chart's record, identified in the core, shown in the
// dialog "Identificación de la Planta".

#include <optional>

#include "core/identificacion_grafico.h"
#include "ui/Identificacion_Planta.h"
#include "ui/PPal_reaccion.h"
#include "ui/accesibilidad.h"
#include "ui/grafico.h"
#include "ui/nombre_senal.h"

void TFrm_Ppal::IdentificarClick() {
    const bool completo = Chart1->RangoCompleto();
    const double xmin = Chart1->XMin(), xmax = Chart1->XMax();
    std::optional<IdentificacionGrafico> g;
    // a refusal is shown as every handler's error is, and the dialog stays as it was
    simulador_->Atender([&] { g = IdentificarGrafico(*simulador_, completo, xmin, xmax); });
    if (!g) return;
    if (!Frm_Identificacion) {
        Frm_Identificacion = new TFrm_Identificacion(this, *dialogos_, Chart1);
        NombrarControles(Frm_Identificacion);
    }
    // the open-loop run's record is named by the signal its ticks read, when that was not the step
    const bool conSenal = g->corrida == Corrida::Escalon && !simulador_->Excitaciones().EsEscalon();
    const QString senal = conSenal ? NombreSenal(simulador_->Excitaciones().Senal()) : QString();
    Frm_Identificacion->Mostrar(std::move(*g), senal);
    // not modal: the dialog stays open beside the chart it explains
    Frm_Identificacion->show();
    Frm_Identificacion->raise();
    Frm_Identificacion->activateWindow();
}
