#include "ui/grabador.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>

#include <map>
#include <string>

#include "core/configuracion.h"
#include "core/configuracion_textos.h"
#include "core/grabacion.h"
#include "core/simulador.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/campos_ventanas.h"
#include "ui/dialogos.h"
#include "ui/textos_ventanas.h"

namespace {

// The text of a set-up's name: an edit's, or a rule cell's (Reglas_F_C)
std::string TextoDe(const TextosVentanas& textos, const std::string& nombre) {
    if (nombre.rfind("Reglas_", 0) == 0 && nombre.size() == 10) return textos.Celda(nombre[9] - '0', nombre[7] - '0');
    return textos.Texto(nombre);
}

}  // namespace

struct GrabadorVentana::Estado {
    Grabacion grabacion;
    Configuracion inicio;
    std::map<std::string, std::string, std::less<>> vistos;  // each text as the schedule has it now

    void Anotar(const Simulador& s, const AccionPrograma& accion) { grabacion.Anotar(s, accion); }
};

GrabadorVentana::GrabadorVentana(QWidget* ventana, Dialogos& dialogos, TextosVentanas& textos,
                                 const Simulador& simulador, QSlider& slider)
    : QObject(ventana),
      ventana_(ventana),
      dialogos_(dialogos),
      textos_(textos),
      simulador_(simulador),
      slider_(slider),
      estado_(std::make_unique<Estado>()) {}

GrabadorVentana::~GrabadorVentana() = default;

void GrabadorVentana::AgregarEntrada(QMenu* archivo) {
    Grabar1 = archivo->addAction(QStringLiteral("Grabar"));
    Grabar1->setObjectName(QStringLiteral("Grabar1"));
    Grabar1->setCheckable(true);
    Grabar1->setToolTip(QStringLiteral("Graba lo que se hace desde ahora; Guardar Configuración lo guarda"));
    connect(Grabar1, &QAction::triggered, this, &GrabadorVentana::Grabar1Click);
}

void GrabadorVentana::Conectar() {
    // the dialogs are made after the main window: their edits are reached at the first recording
    if (conectado_) return;
    conectado_ = true;
    auto cambio = [this] { sucio_ = true; };
    auto dejado = [this] {
        sucio_ = true;
        if (grabando_) AnotarTextos();
    };
    for (const auto& [nombre, campo] : Campos().Todos()) {
        if (campo.combo) {
            connect(campo.combo, &QComboBox::currentTextChanged, this, dejado);
            continue;
        }
        connect(campo.edit, &QLineEdit::textChanged, this, cambio);
        connect(campo.edit, &QLineEdit::editingFinished, this, dejado);
    }
    if (Frm_Parametros_Fuzzy) connect(Frm_Parametros_Fuzzy->Reglas, &QTableWidget::cellChanged, this, dejado);
    connect(&slider_, &QSlider::valueChanged, this, &GrabadorVentana::AlMoverReferencia);
}

void GrabadorVentana::Grabar1Click(bool marcado) {
    if (!marcado) {
        grabando_ = false;
        estado_->grabacion.Vaciar();
        return;
    }
    for (std::size_t c = 0; c < kNumCorridas; ++c) {
        if (!simulador_.Timer(static_cast<Corrida>(c)).Enabled) continue;
        Grabar1->setChecked(false);
        dialogos_.Mensaje(ventana_, QStringLiteral("Pare las corridas antes de grabar: lo grabado se reproduce desde un "
                                                "programa sin ninguna corrida activa."));
        return;
    }
    Conectar();
    estado_->grabacion.Vaciar();
    estado_->inicio = ConfiguracionDeTextos(textos_, slider_.value());
    estado_->vistos = estado_->inicio.textos;
    sucio_ = false;
    grabando_ = true;
}

void GrabadorVentana::AnotarTextos() {
    if (!sucio_) return;
    sucio_ = false;
    for (const std::string& nombre : NombresConfiguracion()) {
        const auto visto = estado_->vistos.find(nombre);
        if (visto == estado_->vistos.end()) continue;  // an edit that this window does not have
        std::string texto = TextoDe(textos_, nombre);
        if (texto == visto->second) continue;
        visto->second = texto;
        estado_->Anotar(simulador_, EventoTexto{nombre, std::move(texto)});
    }
}

void GrabadorVentana::AnotarAlternar(Corrida corrida) {
    if (!grabando_) return;
    AnotarTextos();
    estado_->Anotar(simulador_, EventoAlternar{corrida});
}

void GrabadorVentana::AnotarTick(Corrida corrida) {
    if (!grabando_) return;
    if (sucio_) AnotarTextos();
    estado_->Anotar(simulador_, EventoTicks{corrida, 1});
}

void GrabadorVentana::AnotarLimpiar() {
    if (!grabando_) return;
    AnotarTextos();
    estado_->Anotar(simulador_, EventoLimpiar{});
}

void GrabadorVentana::AnotarInicializarFuzzy() {
    if (!grabando_) return;
    AnotarTextos();
    estado_->Anotar(simulador_, EventoInicializarFuzzy{});
}

void GrabadorVentana::AlMoverReferencia(int posicion) {
    if (!grabando_) return;
    AnotarTextos();
    estado_->Anotar(simulador_, EventoPosicion{posicion});
}

std::optional<Configuracion> GrabadorVentana::Grabado() {
    if (!grabando_) return std::nullopt;
    AnotarTextos();
    Configuracion c = estado_->inicio;
    c.programa = estado_->grabacion.Programa();
    return c;
}
