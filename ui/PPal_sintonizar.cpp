// The main window's entry to the tuning: the model of the last identification (the method chosen in its
// dialog) and the truth of the plant of the texts, offered to the dialog "Sintonizar el PID".

#include <cmath>
#include <optional>

#include "base/errores.h"
#include "core/planta/planta.h"
#include "sintonia/modelo.h"
#include "ui/Identificacion_Planta.h"
#include "ui/PPal_reaccion.h"
#include "ui/Sintonizar_PID.h"
#include "ui/grafico.h"
#include "ui/indices_desempeno.h"

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

// The relay's model: the first order with delay through its oscillation, in the record's seconds.
std::optional<FuenteSintonia> DelRele(const std::optional<ResultadoEnsayoRele>& r) {
    if (!r || !r->analisis || !r->analisis->modelo) return std::nullopt;
    const AnalisisRele& a = *r->analisis;
    const ModeloConRetardo& m = *a.modelo;
    return FuenteSintonia{m, {r->T, r->T},
                          QStringLiteral("Ensayo de relé: Ku = %1, Pu = %2 s; modelo K = %3, Tau = %4 s, retardo %5 s")
                              .arg(Cifra(a.Ku), Cifra(a.Pu), Cifra(m.K), Cifra(m.tau1), Cifra(m.theta))};
}

// What the indices window compares the PID runs with: the applied rule's unit step from rest.
std::optional<PrediccionAplicada> PrediccionDe(const Sintonia& s, char decimal) {
    if (!s.lazo.escalon) return std::nullopt;  // an unstable loop predicts no step
    const Prediccion& e = *s.lazo.escalon;
    PrediccionAplicada p;
    p.titulo = QStringLiteral("%1 %2: Kp = %3, Ti = %4, Td = %5")
                   .arg(QString::fromStdString(s.titulo), QString::fromLatin1(s.accion == Accion::PID ? "PID" : "PI"),
                        QString::fromStdString(TextoGanancia(s.pid.Kp, decimal)),
                        QString::fromStdString(TextoGanancia(s.pid.Ti, decimal)),
                        QString::fromStdString(TextoGanancia(s.pid.Td, decimal)));
    p.T = e.T;
    p.nivel = e.nivel;
    p.sobreimpulso = e.sobreimpulso;
    p.establecimiento = e.establecimiento;
    for (double y : e.nivel) p.iae += std::abs(e.referencia - y) * e.T;
    if (e.referencia != 0) p.iae /= std::abs(e.referencia);
    return p;
}

}  // namespace

void TFrm_Ppal::SeguirPrediccion() {
    const bool activo = simulador_->Timer(Corrida::PID).Enabled;
    if (activo && !pidActivo_ && Frm_Indices && Frm_Indices->Prediccion()) {
        // the predicted step over the run that starts: from its first sample, scaled to its reference
        const PrediccionAplicada& p = *Frm_Indices->Prediccion();
        const double n0 = simulador_->Timer(Corrida::PID).Tag;
        const double r = ReferenciaDe(posicion_.Leer());
        QVector<double> x, y;
        for (std::size_t k = 0; k < p.nivel.size(); ++k) {
            x.append(n0 + static_cast<double>(k));
            y.append(r * p.nivel[k]);
        }
        Chart1->SuperponerModelo(x, y);
    }
    pidActivo_ = activo;
}

void TFrm_Ppal::SintonizarClick() {
    if (!Frm_Sintonizar) {
        Frm_Sintonizar = new TFrm_Sintonizar(this, *dialogos_, textos_);
        connect(Frm_Sintonizar, &TFrm_Sintonizar::PedirEnsayoRele, this, &TFrm_Ppal::EnsayoReleClick);
        connect(Frm_Sintonizar, &TFrm_Sintonizar::Aplicado, this, [this](const Sintonia& s) {
            if (Frm_Indices) Frm_Indices->PonerPrediccion(PrediccionDe(s, textos_.Decimal()));
        });
        SincronizarRele();
    }
    Frm_Sintonizar->PonerFuentes(DeLaIdentificacion(Frm_Identificacion), DeLaVerdad(textos_), DelRele(ultimoRele_));
    // not modal: the dialog stays open beside the runs it tunes
    Frm_Sintonizar->show();
    Frm_Sintonizar->raise();
    Frm_Sintonizar->activateWindow();
}
