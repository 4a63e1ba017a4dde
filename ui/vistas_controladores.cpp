#include "ui/vistas_controladores.h"

#include <QAction>
#include <QMenu>
#include <QSlider>

#include "core/observacion/calendario.h"
#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "fuzzy/fuerzas.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/accesibilidad.h"
#include "ui/comparacion_controladores.h"
#include "ui/indices_desempeno.h"
#include "ui/superficie_control.h"
#include "ui/textos_ventanas.h"

namespace {

void Traer(QWidget* ventana) {
    ventana->show();
    ventana->raise();
    ventana->activateWindow();
}

}  // namespace

VistasControladores::VistasControladores(QWidget* ventana, Simulador& simulador, const QSlider& slider)
    : QObject(ventana), ventana_(ventana), simulador_(simulador), slider_(slider) {
    setObjectName(QStringLiteral("VistasControladores"));
    // a window of the main window's, above it, never modal
    Frm_Indices = new TFrm_Indices(ventana);
    NombrarControles(Frm_Indices);
    CerrarConEscape(Frm_Indices);
}

VistasControladores::~VistasControladores() {
    // the windows go with the main window, whose children they are
    Frm_Indices = nullptr;
}

void VistasControladores::AgregarEntradas(QMenu* opciones) {
    opciones->addSeparator();
    IndicesDesempeno1 =
        opciones->addAction(QStringLiteral("Índices de Desempeño"), this, &VistasControladores::IndicesDesempeno1Click);
    SuperficieControl1 = opciones->addAction(QStringLiteral("Superficie de Control"), this,
                                             &VistasControladores::SuperficieControl1Click);
    CompararControladores1 = opciones->addAction(QStringLiteral("Comparar Controladores..."), this,
                                                 &VistasControladores::CompararControladores1Click);
    IndicesDesempeno1->setObjectName(QStringLiteral("IndicesDesempeno1"));
    SuperficieControl1->setObjectName(QStringLiteral("SuperficieControl1"));
    CompararControladores1->setObjectName(QStringLiteral("CompararControladores1"));
}

void VistasControladores::Sincronizar(unsigned cambios) {
    const Simulador& s = simulador_;
    if (cambios & CambioFuzzy) {
        controladorNuevo_ = true;
        sinInferencia_ = true;
        inferencias_ = s.UltimaEntradaFuzzy().cuenta;
        if (superficie_ && superficie_->isVisible()) Recalcular();
        Sombrear();
    }
    // a fuzzy run that starts draws its trail afresh
    const bool activo = s.Timer(Corrida::Fuzzy).Enabled;
    if (activo && !fuzzyActivo_ && superficie_) superficie_->BorrarRastro();
    fuzzyActivo_ = activo;
    // a new inference: its strengths and its inputs, read as the tick left them
    const EntradaFuzzy& x = s.UltimaEntradaFuzzy();
    if (x.cuenta != inferencias_) {
        inferencias_ = x.cuenta;
        sinInferencia_ = false;
        Sombrear();
        if (superficie_) superficie_->Marcar(x.error, x.derivada);
    }
    if ((cambios & CambioIndices) && Frm_Indices) Frm_Indices->Mostrar(s);
}

void VistasControladores::Sombrear() {
    std::optional<TablaFuerzas> fuerzas;
    if (!sinInferencia_) {
        try {
            fuerzas = FuerzasUltimaInferencia(simulador_.Controlador_Fuzzy());
        } catch (const ErrorTanque&) {
            // a system without its 5 x 5 rules has no strengths to show
        }
    }
    if (Frm_Parametros_Fuzzy) Frm_Parametros_Fuzzy->Reglas->PonerFuerzas(fuerzas);
    if (superficie_) superficie_->PonerFuerzas(fuerzas);
}

void VistasControladores::Recalcular() {
    const Simulador& s = simulador_;
    superficie_->Calcular(s.Controlador_Fuzzy(), s.FuzzyInicializado());
    controladorNuevo_ = false;
}

void VistasControladores::IndicesDesempeno1Click() {
    Traer(Frm_Indices);
    Frm_Indices->Mostrar(simulador_);
}

void VistasControladores::SuperficieControl1Click() {
    if (!superficie_) {
        superficie_ = new TFrm_Superficie(ventana_);
        NombrarControles(superficie_);
        CerrarConEscape(superficie_);
        controladorNuevo_ = true;
    }
    Traer(superficie_);
    if (controladorNuevo_) Recalcular();
    Sombrear();
}

void VistasControladores::CompararControladores1Click() {
    Simulador& s = simulador_;
    const TextosMapa textos = CopiaDeTextos(TextosVentanas());
    const std::vector<CambioReferencia> calendario =
        CalendarioParaComparar(s.CalendarioLeido(), slider_.value());
    const std::int64_t muestras = MuestrasParaComparar(calendario, textos);
    std::optional<ResultadoComparacion> r;
    // a band that does not read is told as every other failure of an event
    s.Atender([&] { r = CompararControladores(textos, calendario, muestras); });
    if (!r) return;
    if (!comparacion_) {
        comparacion_ = new TFrm_Comparacion(ventana_);
        NombrarControles(comparacion_);
        CerrarConEscape(comparacion_);
    }
    comparacion_->Mostrar(*r, calendario, muestras);
    Traer(comparacion_);
}
