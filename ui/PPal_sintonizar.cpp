// The main window's entry to the tuning: the model of the last identification (the method chosen in its
// dialog) and the truth of the plant of the texts, offered to the dialog "Sintonizar el PID".

#include <optional>

#include "base/errores.h"
#include "core/planta/planta.h"
#include "sintonia/modelo.h"
#include "ui/Identificacion_Planta.h"
#include "ui/PPal_reaccion.h"
#include "ui/Sintonizar_PID.h"

namespace {

QString Cifra(double v) { return QString::number(v, 'g', 6); }

// The identified model: the record's K and Tau, its delay counted from its run's (sintonia/modelo.h).
std::optional<FuenteSintonia> DeLaIdentificacion(const TFrm_Identificacion* dialogo) {
    if (!dialogo) return std::nullopt;
    const IdentificacionGrafico& g = dialogo->Resultado();
    if (dialogo->Elegido() >= g.metodos.size() || !g.metodos[dialogo->Elegido()].estimacion) return std::nullopt;
    const Identificacion& e = *g.metodos[dialogo->Elegido()].estimacion;
    const double h = g.verdad.tiempoMuestra > 0 ? g.verdad.tiempoMuestra : e.T;
    try {
        return FuenteSintonia{PlantaDeRegistro(e.K, e.Tau, e.retardo, g.retardo, e.T, h), {e.T, h},
                              QStringLiteral("%1 de la corrida %2: K = %3, Tau = %4 s, retardo %5")
                                  .arg(QString::fromStdString(e.metodo), QString::fromStdString(TituloCorrida(g.corrida)),
                                       Cifra(e.K), Cifra(e.Tau))
                                  .arg(e.retardo)};
    } catch (const ErrorTanque&) {
        return std::nullopt;  // a delay shorter than its run's: no plant to tune
    }
}

// The plant of the texts as it is now; none while a text does not convert.
std::optional<FuenteSintonia> DeLaVerdad(const Textos& textos) {
    try {
        const Planta& planta = PlantaDe(textos);
        Simulacion s;
        planta.LeerParametros(s, textos);
        const std::optional<ModeloPrimerOrden> v = planta.Verdad(s);
        if (!v) return std::nullopt;
        return FuenteSintonia{{v->K, v->Tau, 0, 0},
                              {s.T_Muestreo, planta.Reloj(s.T_Muestreo).tiempoMuestra},
                              QStringLiteral("Planta de los textos: K = R = %1, Tau = A·R = %2 s, T = %3 s, sin retardo")
                                  .arg(Cifra(v->K), Cifra(v->Tau), Cifra(s.T_Muestreo))};
    } catch (const ErrorTanque&) {
        return std::nullopt;
    }
}

}  // namespace

void TFrm_Ppal::SintonizarClick() {
    if (!Frm_Sintonizar) Frm_Sintonizar = new TFrm_Sintonizar(this, *dialogos_, textos_);
    Frm_Sintonizar->PonerFuentes(DeLaIdentificacion(Frm_Identificacion), DeLaVerdad(textos_));
    // not modal: the dialog stays open beside the runs it tunes
    Frm_Sintonizar->show();
    Frm_Sintonizar->raise();
    Frm_Sintonizar->activateWindow();
}
