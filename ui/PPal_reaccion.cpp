#include "ui/PPal_reaccion.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QTimer>
#include <QToolButton>

#include "core/constantes.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/Parametros_PID.h"
#include "ui/Parametros_Planta.h"
#include "ui/Parametros_Reac.h"
#include "ui/Senal_Excitacion.h"
#include "ui/acerca_de.h"
#include "ui/configuraciones.h"
#include "ui/dialogos.h"
#include "ui/estilo.h"
#include "ui/grabador.h"
#include "ui/grafico.h"
#include "ui/pista_decimal.h"
#include "ui/rectangulo.h"
#include "ui/velocidad.h"
#include "ui/vistas_controladores.h"

TFrm_Ppal* Frm_Ppal = nullptr;

namespace {

constexpr int kAnchoCliente = 742;
constexpr int kAltoCliente = 417;

QPixmap Dibujo(const QString& recurso, QSize tamano) {
    QPixmap p(tamano);
    p.fill(Qt::transparent);
    QSvgRenderer svg(recurso);
    QPainter pintor(&p);
    svg.render(&pintor);
    return p;
}

QIcon Icono(const QString& nombre) { return QIcon(Dibujo(":/recursos/" + nombre + ".svg", QSize(16, 16))); }

// The reference of the position, as the general number format writes it: "0", "0,5", "1", ... "5".
QString TextoReferencia(std::int32_t posicion, char decimal) {
    QString t = QString::number(ReferenciaDe(posicion), 'f', posicion % 2 == 0 ? 0 : 1);
    t.replace(QChar('.'), QChar(decimal));
    return t;
}

}  // namespace

TFrm_Ppal::TFrm_Ppal(std::unique_ptr<Dialogos> dialogos)
    : dialogos_(dialogos ? std::move(dialogos) : std::make_unique<DialogosQt>()) {
    setObjectName("Frm_Ppal");
    setWindowTitle(QStringLiteral("Generación de Patrones para Identificación de una Planta"));
    // a single, fixed border: minimise and close, no maximise
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(FuenteVentana());
    // the simulator before the controls and the menu, whose helpers hold it
    FormCreate();
    CrearControles();
    CrearMenu();
    CrearTeclado();
    setFixedSize(kAnchoCliente, kAltoCliente + menuBar()->sizeHint().height());
    move(17, 55);
}

TFrm_Ppal::~TFrm_Ppal() {
    if (Frm_Ppal == this) Frm_Ppal = nullptr;
}

void TFrm_Ppal::FormCreate() {
    // the simulator owns Controlador_Fuzzy, created empty with it
    simulador_ = std::make_unique<Simulador>(textos_, posicion_, mensajes_);
    simulador_->AlCambiar([this](unsigned cambios) { Sincronizar(cambios); });
}

void TFrm_Ppal::CrearMenu() {
    QMenu* archivo = menuBar()->addMenu(QStringLiteral("Archivo"));
    Salir1 = archivo->addAction(QStringLiteral("Salir"), this, &TFrm_Ppal::Salir1Click);
    // the set-up files, after the original entry, and the recorder
    Grabador = new GrabadorVentana(this, *dialogos_, textos_, *simulador_, *Track_Referencia);
    Configuraciones = new ConfiguracionesVentana(this, *dialogos_, textos_, *Track_Referencia, *Grabador);
    Configuraciones->AgregarEntradas(archivo);
    Grabador->AgregarEntrada(archivo);
    QMenu* opciones = menuBar()->addMenu(QStringLiteral("Opciones"));
    Parametros1 = opciones->addAction(QStringLiteral("Parametros Planta"), this, &TFrm_Ppal::Parametros1Click);
    ParametrosEscalon1 =
        opciones->addAction(QStringLiteral("Parametros Escalon"), this, &TFrm_Ppal::ParametrosEscalon1Click);
    ParametrosPID1 = opciones->addAction(QStringLiteral("Parametros PID"), this, &TFrm_Ppal::ParametrosPID1Click);
    // beyond the original entries: the fuzzy controller's two buttons, enabled as they are
    opciones->addSeparator();
    ParametrosFuzzy1 =
        opciones->addAction(QStringLiteral("Configurar Control Fuzzy"), this, [this] {
            if (ToolButton8->isEnabled()) ToolButton8Click();
        });
    ParametrosFuzzy1->setObjectName("ParametrosFuzzy1");
    InicializarFuzzy1 =
        opciones->addAction(QStringLiteral("Inicializar Control Fuzzy"), this, [this] {
            if (ToolButton11->isEnabled()) ToolButton11Click();
        });
    InicializarFuzzy1->setObjectName("InicializarFuzzy1");
    connect(opciones, &QMenu::aboutToShow, this, [this] {
        ParametrosFuzzy1->setEnabled(ToolButton8->isEnabled());
        InicializarFuzzy1->setEnabled(ToolButton11->isEnabled());
    });
    // the excitation signal
    opciones->addSeparator();
    SenalExcitacion1 =
        opciones->addAction(QStringLiteral("Señal de Excitación"), this, &TFrm_Ppal::SenalExcitacionClick);
    SenalExcitacion1->setObjectName("SenalExcitacion1");
    opciones->addSeparator();
    Identificar1 = opciones->addAction(QStringLiteral("Identificar..."), this, &TFrm_Ppal::IdentificarClick);
    Identificar1->setObjectName("Identificar1");
    Sintonizar1 = opciones->addAction(QStringLiteral("Sintonizar..."), this, &TFrm_Ppal::SintonizarClick);
    Sintonizar1->setObjectName("Sintonizar1");
    CrearEntradasRele(opciones);
    // the speed of the runs, whose buttons are in the status bar
    opciones->addSeparator();
    menuVelocidad_ = opciones->addMenu(QStringLiteral("Velocidad"));
    menuVelocidad_->setObjectName("Velocidad2");
    Velocidad1->AgregarEntradas(menuVelocidad_);
    // the views of the controllers, after the original entries
    Vistas = new VistasControladores(this, *simulador_, *Track_Referencia);
    Vistas->AgregarEntradas(opciones);
    QMenu* ayuda = menuBar()->addMenu(QStringLiteral("Ayuda"));
    AcercaDe1 = ayuda->addAction(QStringLiteral("Acerca De"), this, [this] { MostrarAcercaDe(this); });
    Salir1->setObjectName("Salir1");
    Parametros1->setObjectName("Parametros1");
    ParametrosEscalon1->setObjectName("ParametrosEscalon1");
    ParametrosPID1->setObjectName("ParametrosPID1");
    AcercaDe1->setObjectName("AcercaDe1");
}

void TFrm_Ppal::CrearBarraHerramientas(QWidget* cliente) {
    auto* barra = new QFrame(cliente);
    barra->setObjectName("ToolBar1");
    barra->setGeometry(0, 0, kAnchoCliente, 29);
    // opaque: the tank drawing starts under its bottom rows
    barra->setAutoFillBackground(true);
    struct Boton {
        QToolButton** control;
        const char* nombre;
        int izquierda;
        const char* imagen;
        const char* pista;
        void (TFrm_Ppal::*alPulsar)();
    };
    const Boton botones[] = {
        {&ToolButton1, "ToolButton1", 0, "salir", "Salir", &TFrm_Ppal::ToolButton1Click},
        {&ToolButton5, "ToolButton5", 31, "planta", "Configurar Parámetros de la Planta", &TFrm_Ppal::ToolButton5Click},
        {&ToolButton2, "ToolButton2", 62, "escalon_configurar", "Configurar Escalón de Entrada",
         &TFrm_Ppal::ToolButton2Click},
        {&ToolButton4, "ToolButton4", 85, "escalon_aplicar", "Aplicar Escalón", &TFrm_Ppal::ToolButton4Click},
        {&ToolButton12, "ToolButton12", 116, "pid_configurar", "Configurar Controlador PID",
         &TFrm_Ppal::ToolButton12Click},
        {&ToolButton13, "ToolButton13", 139, "pid_aplicar", "Aplicar Controlador PID", &TFrm_Ppal::ToolButton13Click},
        {&ToolButton8, "ToolButton8", 170, "fuzzy_configurar", "Configurar Control Fuzzy",
         &TFrm_Ppal::ToolButton8Click},
        {&ToolButton11, "ToolButton11", 193, "fuzzy_inicializar", "Inicializar Control Fuzzy",
         &TFrm_Ppal::ToolButton11Click},
        {&ToolButton10, "ToolButton10", 216, "fuzzy_aplicar", "Aplicar Control Fuzzy", &TFrm_Ppal::ToolButton10Click},
        // beyond the original buttons
        {&ToolButtonSenal, "ToolButtonSenal", 247, "senal_excitacion", "Configurar Señal de Excitación",
         &TFrm_Ppal::SenalExcitacionClick},
        {&ToolButtonIdentificar, "ToolButtonIdentificar", 270, "identificar", "Identificar la Planta",
         &TFrm_Ppal::IdentificarClick},
        {&ToolButtonSintonizar, "ToolButtonSintonizar", 293, "sintonizar", "Sintonizar el PID",
         &TFrm_Ppal::SintonizarClick},
    };
    for (const Boton& b : botones) {
        auto* boton = new QToolButton(barra);
        boton->setObjectName(b.nombre);
        boton->setGeometry(b.izquierda, 3, 23, 23);
        boton->setIcon(Icono(b.imagen));
        boton->setIconSize(QSize(16, 16));
        boton->setAutoRaise(true);
        boton->setToolTip(QString::fromUtf8(b.pista));
        boton->setFocusPolicy(Qt::NoFocus);
        connect(boton, &QToolButton::clicked, this, b.alPulsar);
        *b.control = boton;
    }
    // the separators, 8 pixels wide, after Salir, the plant, the step, the PID and the fuzzy buttons
    for (int x : {23, 54, 108, 162, 239}) {
        auto* linea = new QFrame(barra);
        linea->setFrameShape(QFrame::VLine);
        linea->setFrameShadow(QFrame::Sunken);
        linea->setGeometry(x + 3, 4, 2, 21);
    }
}

void TFrm_Ppal::CrearControles() {
    auto* cliente = new QWidget(this);
    cliente->setFixedSize(kAnchoCliente, kAltoCliente);
    setCentralWidget(cliente);

    // the tank first and its bar right over it: every other control lies above the bar
    Image1 = new QLabel(cliente);
    Image1->setObjectName("Image1");
    Image1->setGeometry(24, 24, 364, 304);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(Dibujo(":/recursos/tanque.svg", QSize(366, 300)));
    Nivel = new BarraNivel(cliente, 105, 151);
    Nivel->setObjectName("Nivel");
    Nivel->Poner(kBarraFondo, 0);
    // the upper tank of "Dos Tanques", in the drawing's white space at the right: a window of the tank's light
    // blue with its own bar, shown only while the plant has two tanks
    TanqueSuperior = new Rectangulo(cliente, QColor(222, 239, 247));
    TanqueSuperior->setObjectName("TanqueSuperior");
    TanqueSuperior->setGeometry(318, 48, 58, kBarraSuperiorAlto + 2);
    TanqueSuperior->setToolTip(QStringLiteral("Tanque superior: su nivel hasta HMax_2, donde derrama"));
    Nivel2 = new BarraNivel(TanqueSuperior, 1, 56);
    Nivel2->setObjectName("Nivel2");
    Nivel2->Poner(kBarraSuperiorAlto + 1, 0);
    TanqueSuperior->hide();

    CrearBarraHerramientas(cliente);

    auto botonConDibujo = [&](const char* nombre, const QString& texto, QRect lugar, const char* dibujo,
                              void (TFrm_Ppal::*alPulsar)()) {
        auto* b = new QPushButton(texto, cliente);
        b->setObjectName(nombre);
        b->setGeometry(lugar);
        QIcon icono(Dibujo(QStringLiteral(":/recursos/%1.svg").arg(dibujo), QSize(16, 16)));
        icono.addPixmap(Dibujo(QStringLiteral(":/recursos/%1_gris.svg").arg(dibujo), QSize(16, 16)), QIcon::Disabled);
        b->setIcon(icono);
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QPushButton::clicked, this, alPulsar);
        return b;
    };
    Limpiar = botonConDibujo("Limpiar", QStringLiteral("Limpiar"), QRect(370, 2, 75, 25), "limpiar",
                             &TFrm_Ppal::LimpiarClick);
    Archivo = botonConDibujo("Archivo", QStringLiteral("Archivo"), QRect(479, 1, 65, 25), "archivo",
                             &TFrm_Ppal::ArchivoClick);

    Label1 = new QLabel(QStringLiteral("Referencia"), cliente);
    Label1->setObjectName("Label1");
    Label1->setFont(FuenteSans(16));
    Label1->move(171, 330);
    Label1->adjustSize();

    Track_Referencia = new QSlider(Qt::Horizontal, cliente);
    Track_Referencia->setObjectName("Track_Referencia");
    Track_Referencia->setGeometry(111, 357, 208, 37);
    // whole positions; the runs read half of the position as the reference, 0 to 5 in steps of 0.5
    Track_Referencia->setRange(0, 10);
    Track_Referencia->setValue(kPosicionInicial);
    Track_Referencia->setTickPosition(QSlider::TicksBelow);
    Track_Referencia->setTickInterval(1);
    Track_Referencia->setSingleStep(1);
    Track_Referencia->setPageStep(2);
    connect(Track_Referencia, &QSlider::valueChanged, this, &TFrm_Ppal::Track_ReferenciaChange);

    Ref_Label = new QLabel(QStringLiteral("1"), cliente);
    Ref_Label->setObjectName("Ref_Label");
    Ref_Label->setFont(FuenteSans(19));
    QPalette azul = Ref_Label->palette();
    azul.setColor(QPalette::WindowText, kAzulEtiqueta);
    Ref_Label->setPalette(azul);
    Ref_Label->move(336, 363);
    Ref_Label->adjustSize();

    Chart1 = new Grafico(cliente);
    Chart1->setGeometry(398, 29, 326, 299);
    Chart1->Series(&simulador_->Series1(), &simulador_->Series2(), &simulador_->Series3());
    Chart1->SeriePerturbacion(&simulador_->SeriePerturbacion());

    // the colour legend under the chart
    struct Leyenda {
        QColor color;
        int x;
        const char* texto;
    };
    for (const Leyenda& l : {Leyenda{kColorNivel, 399, "Nivel"}, Leyenda{kColorAccion, 486, "Acción de Control"},
                             Leyenda{kColorReferencia, 624, "Referencia"}}) {
        auto* forma = new Rectangulo(cliente, l.color);
        forma->setGeometry(l.x, 351, 37, 10);
        auto* etiqueta = new QLabel(QString::fromUtf8(l.texto), cliente);
        etiqueta->move(l.x + 42, 348);
        etiqueta->adjustSize();
    }

    StatusBar1 = new QStatusBar(cliente);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setGeometry(0, 398, kAnchoCliente, 19);
    StatusBar1->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        PanelEstado[i] = new QLabel(StatusBar1);
        PanelEstado[i]->setFixedWidth(i == 0 ? 250 : 200);
        PanelEstado[i]->setFrameShape(QFrame::Panel);
        PanelEstado[i]->setFrameShadow(QFrame::Sunken);
        StatusBar1->addWidget(PanelEstado[i]);
    }
    CrearVelocidad();

    Timer1 = new QTimer(this);
    Timer4 = new QTimer(this);
    Timer5 = new QTimer(this);
    Timer6 = new QTimer(this);
    timers_ = {Timer1, Timer4, Timer5, Timer6};
    const char* nombres[] = {"Timer1", "Timer4", "Timer5", "Timer6"};
    for (std::size_t i = 0; i < kNumCorridas; ++i) {
        timers_[i]->setObjectName(nombres[i]);
        timers_[i]->setTimerType(Qt::PreciseTimer);
    }
    connect(Timer1, &QTimer::timeout, this, &TFrm_Ppal::Timer1Timer);
    connect(Timer4, &QTimer::timeout, this, &TFrm_Ppal::Timer4Timer);
    connect(Timer5, &QTimer::timeout, this, &TFrm_Ppal::Timer5Timer);
    connect(Timer6, &QTimer::timeout, this, &TFrm_Ppal::Timer6Timer);
}

QWidget* TFrm_Ppal::ControlDe(Control c) const {
    switch (c) {
        case Control::ToolButton1: return ToolButton1;
        case Control::ToolButton5: return ToolButton5;
        case Control::ToolButton2: return ToolButton2;
        case Control::ToolButton12: return ToolButton12;
        case Control::ToolButton4: return ToolButton4;
        case Control::ToolButton13: return ToolButton13;
        case Control::ToolButton8: return ToolButton8;
        case Control::ToolButton11: return ToolButton11;
        case Control::ToolButton10: return ToolButton10;
        case Control::Limpiar: return Limpiar;
        case Control::Archivo: return Archivo;
        case Control::Track_Referencia: return Track_Referencia;
    }
    return nullptr;
}

void TFrm_Ppal::Sincronizar(unsigned cambios) {
    if (Diferir(cambios)) return;
    const Simulador& s = *simulador_;
    if (cambios & CambioControles)
        for (std::size_t i = 0; i < kNumControles; ++i)
            ControlDe(static_cast<Control>(i))->setEnabled(s.Habilitado(static_cast<Control>(i)));
    if (cambios & CambioControles) {
        // the identification reads the samples that Archivo writes: it is at hand when Archivo is
        ToolButtonIdentificar->setEnabled(s.Habilitado(Control::Archivo));
        Identificar1->setEnabled(s.Habilitado(Control::Archivo));
    }
    if (cambios & CambioBarra) {
        Nivel->Poner(s.Nivel().Top, s.Nivel().Height);
        const std::optional<std::int32_t> superior = s.AltoSuperior();
        TanqueSuperior->setVisible(superior.has_value());
        if (superior) Nivel2->Poner(kBarraSuperiorAlto + 1 - *superior, *superior);
    }
    if (cambios & CambioTemporizadores) {
        for (std::size_t i = 0; i < kNumCorridas; ++i) {
            const Temporizador& t = s.Timer(static_cast<Corrida>(i));
            QTimer* q = timers_[i];
            const int intervalo = IntervaloConVelocidad(t.Interval, Velocidad1->Actual());
            if (q->interval() != intervalo) q->setInterval(intervalo);
            if (t.Enabled && !q->isActive()) q->start();
            if (!t.Enabled && q->isActive()) q->stop();
        }
    }
    if (cambios & CambioSeries) Chart1->Actualizar();
    if (cambios & (CambioControles | CambioTemporizadores)) {
        SincronizarRele();
        SeguirPrediccion();
    }
    Vistas->Sincronizar(cambios);
}

std::int32_t TFrm_Ppal::PosicionVentana::Leer() const { return ppal_.Track_Referencia->value(); }

void TFrm_Ppal::MensajesVentana::Mostrar(const std::string& texto) {
    // the box shows over the drawings as they stand
    if (ppal_.pendientes_ != 0) ppal_.Refrescar();
    ppal_.PistaDecimalEnEstado(QString::fromStdString(texto));
    ppal_.dialogos_->Mensaje(&ppal_, QString::fromStdString(texto));
}

void TFrm_Ppal::MensajesVentana::Repetido(Corrida corrida, const std::string& texto, int veces) {
    ppal_.MostrarRepetido(corrida, texto, veces);
}

void TFrm_Ppal::MensajesVentana::FinRepetido(Corrida corrida) { ppal_.QuitarRepetido(corrida); }

void TFrm_Ppal::MostrarRepetido(Corrida corrida, const std::string& texto, int veces) {
    repetidoDe_ = static_cast<int>(corrida);
    pistaDecimal_ = false;
    // a number that failed only for its separator says so first, where the cut never reaches
    const QString pista = PistaDecimal(QString::fromStdString(texto), SeparadorDecimal());
    const QString t = (pista.isEmpty() ? QString() : pista + QStringLiteral(": ")) + QString::fromStdString(texto);
    // the count always shows whole; a text too long for the panel is cut to leave room for it (a pixel to spare for
    // the kerning between the two)
    const QString cuenta = QStringLiteral(" (%1 veces)").arg(veces);
    const QFontMetrics metricas = PanelEstado[0]->fontMetrics();
    const int ancho = PanelEstado[0]->contentsRect().width() - metricas.horizontalAdvance(cuenta) - 1;
    PanelEstado[0]->setText(metricas.elidedText(t, Qt::ElideRight, qMax(ancho, 0)) + cuenta);
    PanelEstado[0]->setToolTip(t);
}

void TFrm_Ppal::PistaDecimalEnEstado(const QString& texto) {
    if (repetidoDe_ >= 0) return;  // the panel tells a repeated failure, with its own hint
    const QString pista = PistaDecimal(texto, SeparadorDecimal());
    if (pista.isEmpty()) {
        if (pistaDecimal_) PanelEstado[0]->clear();
        pistaDecimal_ = false;
        return;
    }
    // the box keeps its text; the panel says what it means: "'2.5': use la coma decimal"
    const QString valor = texto.section(QLatin1Char('\''), 1, 1);
    PanelEstado[0]->setText(QStringLiteral("'%1': %2").arg(valor, pista));
    PanelEstado[0]->setToolTip(texto);
    pistaDecimal_ = true;
}

void TFrm_Ppal::QuitarRepetido(Corrida corrida) {
    if (repetidoDe_ != static_cast<int>(corrida)) return;
    repetidoDe_ = -1;
    PanelEstado[0]->clear();
    PanelEstado[0]->setToolTip(QString());
}

void TFrm_Ppal::MostrarModal(QDialog* dialogo) {
    if (dialogo) dialogo->exec();  // its result is not used
}

void TFrm_Ppal::Salir1Click() { close(); }
void TFrm_Ppal::ToolButton1Click() { close(); }
void TFrm_Ppal::ToolButton5Click() { MostrarModal(Frm_Parametros_Planta); }
void TFrm_Ppal::Parametros1Click() { MostrarModal(Frm_Parametros_Planta); }
void TFrm_Ppal::ToolButton2Click() { MostrarModal(Frm_Parametros); }
void TFrm_Ppal::ParametrosEscalon1Click() { MostrarModal(Frm_Parametros); }
void TFrm_Ppal::ToolButton12Click() { MostrarModal(Frm_Parametros_PID); }
void TFrm_Ppal::ParametrosPID1Click() { MostrarModal(Frm_Parametros_PID); }
void TFrm_Ppal::ToolButton8Click() { MostrarModal(Frm_Parametros_Fuzzy); }
void TFrm_Ppal::SenalExcitacionClick() { MostrarModal(Frm_Senal_Excitacion); }

void TFrm_Ppal::Track_ReferenciaChange() {
    Ref_Label->setText(TextoReferencia(Track_Referencia->value(), SeparadorDecimal()));
    Ref_Label->adjustSize();
}

void TFrm_Ppal::ToolButton4Click() { Alternar(Corrida::Escalon); }
void TFrm_Ppal::ToolButton13Click() { Alternar(Corrida::PID); }
void TFrm_Ppal::ToolButton10Click() { Alternar(Corrida::Fuzzy); }
void TFrm_Ppal::ToolButton11Click() {
    Grabador->AnotarInicializarFuzzy();
    simulador_->Atender([this] { simulador_->ToolButton11Click(); });
}

void TFrm_Ppal::LimpiarClick() {
    Grabador->AnotarLimpiar();
    simulador_->Atender([this] { simulador_->LimpiarClick(); });
    Chart1->RangoEntero();  // an empty chart starts again from its whole range
    Chart1->QuitarModelo();
}

void TFrm_Ppal::ArchivoClick() {
    const std::optional<QString> nombre = dialogos_->ArchivoParaGuardar(this);
    if (!nombre) return;  // cancelled: no file is touched
    const bool completo = Chart1->RangoCompleto();
    const double xmin = Chart1->XMin(), xmax = Chart1->XMax();
    simulador_->Atender([&] { simulador_->ArchivoClick(nombre->toStdString(), completo, xmin, xmax); });
}

void TFrm_Ppal::Timer1Timer() { AtenderTick(Corrida::Escalon); }
void TFrm_Ppal::Timer4Timer() { AtenderTick(Corrida::PID); }
void TFrm_Ppal::Timer5Timer() { AtenderTick(Corrida::Fuzzy); }
void TFrm_Ppal::Timer6Timer() { AtenderTick(Corrida::Rele); }

void TFrm_Ppal::closeEvent(QCloseEvent* evento) {
    // closing during a run stops it silently
    for (QTimer* t : timers_) t->stop();
    evento->accept();
    QApplication::quit();
}
