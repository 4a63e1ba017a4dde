#include "ui/imagen_grafico.h"
#include "ui/Identificacion_Planta.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include "base/errores.h"
#include "export/lectura.h"
#include "identificacion/modelo.h"
#include "ui/accesibilidad.h"
#include "ui/dialogos.h"
#include "ui/eje_residuo.h"
#include "ui/estilo.h"
#include "ui/grafico.h"
#include "ui/textos_identificacion.h"

namespace {

enum Columna { kMetodo, kK, kTau, kErrorK, kErrorTau, kRetardo, kAjuste, kColumnas };

QString Texto(const std::string& s) { return QString::fromStdString(s); }

QString NombreMetodo(const std::string& metodo) {
    return metodo == "escalón" ? QStringLiteral("Lectura del escalón") : Texto(metodo);
}

QString TextoRetardo(int retardo) {
    return retardo == 0 ? QStringLiteral(
                              "retardo 0 (lazo abierto: el nivel de cada línea se mide al final de la "
                              "muestra en que fluye su acción)")
                        : QStringLiteral(
                              "retardo 1 (lazo cerrado: el nivel de cada línea es el que la corrida leyó "
                              "antes de calcular su acción)");
}

QTableWidgetItem* Celda(const QString& texto, bool seleccionable) {
    auto* item = new QTableWidgetItem(texto);
    item->setFlags(seleccionable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::ItemIsEnabled);
    item->setTextAlignment(Qt::AlignVCenter | Qt::AlignRight);
    return item;
}

// A line's points, (x(k), y(k)), in the container the graph keeps: made once and shared, not copied.
template <class Y>
QSharedPointer<QCPGraphDataContainer> Puntos(const std::vector<double>& x, Y y) {
    QVector<QCPGraphData> puntos(static_cast<qsizetype>(x.size()));
    for (std::size_t k = 0; k < x.size(); ++k) puntos[static_cast<qsizetype>(k)] = QCPGraphData(x[k], y(k));
    auto datos = QSharedPointer<QCPGraphDataContainer>::create();
    datos->set(puntos, true);  // sample numbers ascend
    return datos;
}

// The relative error, or a dash when it cannot be computed (a truth of 0 never reaches here: such a plant
// cannot run).
QString ErrorFrente(double estimado, double verdad) {
    try {
        return Porcentaje(ErrorRelativo(estimado, verdad));
    } catch (const ErrorTanque&) {
        return QStringLiteral("—");
    }
}

}  // namespace

TFrm_Identificacion::TFrm_Identificacion(QWidget* padre, Dialogos& dialogos, Grafico* grafico)
    : QDialog(padre), dialogos_(dialogos), grafico_(grafico) {
    setObjectName("Frm_Identificacion");
    setWindowTitle(QStringLiteral("Identificación de la Planta"));
    setFont(FuenteVentana());
    setModal(false);
    resize(820, 760);

    Registro_Label = new QLabel(this);
    Registro_Label->setObjectName("Registro_Label");
    Registro_Label->setWordWrap(true);

    Tabla = new QTableWidget(0, kColumnas, this);
    Tabla->setAccessibleName(QStringLiteral("Estimaciones del modelo"));
    Tabla->setObjectName("Tabla");
    Tabla->setHorizontalHeaderLabels({QStringLiteral("Método"), QStringLiteral("K"), QStringLiteral("Tau (s)"),
                                      QStringLiteral("Error de K"), QStringLiteral("Error de Tau"),
                                      QStringLiteral("Retardo"), QStringLiteral("Ajuste (%)")});
    Tabla->verticalHeader()->setVisible(false);
    Tabla->setSelectionBehavior(QAbstractItemView::SelectRows);
    Tabla->setSelectionMode(QAbstractItemView::SingleSelection);
    Tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabla->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Tabla->horizontalHeader()->setStretchLastSection(true);
    Tabla->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Tabla->setToolTip(QStringLiteral("Elija una fila para ver, superponer o validar el modelo de ese método"));
    connect(Tabla, &QTableWidget::itemSelectionChanged, this, [this] {
        const QList<QTableWidgetItem*> elegidos = Tabla->selectedItems();
        if (!elegidos.isEmpty()) Elegir(static_cast<std::size_t>(elegidos.first()->row()));
    });

    Nota = new QLabel(this);
    Nota->setObjectName("Nota");
    Nota->setWordWrap(true);

    Avisos = new QLabel(this);
    Avisos->setObjectName("Avisos");
    Avisos->setAccessibleName(QStringLiteral("Avisos del registro"));
    Avisos->setWordWrap(true);
    QPalette rojo = Avisos->palette();
    rojo.setColor(QPalette::WindowText, QColor(160, 0, 0));
    Avisos->setPalette(rojo);
    Avisos->hide();
    Orificio = new QLabel(this);
    Orificio->setObjectName("Orificio");
    Orificio->setAccessibleName(QStringLiteral("Modelo de caja gris del orificio"));
    Orificio->setWordWrap(true);
    Orificio->hide();

    Grafica = new QCustomPlot(this);
    Grafica->setAccessibleName(QStringLiteral("Registro, modelo y residuo"));
    Grafica->setObjectName("Grafica");
    MenuImagen(Grafica, {QStringLiteral("Muestra"), QStringLiteral("Nivel (m)")});
    Grafica->setMinimumHeight(280);
    Grafica->setNotAntialiasedElements(QCP::aeAll);
    QCPAxisRect* arriba = Grafica->axisRect();
    rectResiduo_ = new QCPAxisRect(Grafica);
    Grafica->plotLayout()->addElement(1, 0, rectResiduo_);
    Grafica->plotLayout()->setRowStretchFactor(0, 2);
    Grafica->plotLayout()->setRowStretchFactor(1, 1);
    auto* margenes = new QCPMarginGroup(Grafica);
    arriba->setMarginGroup(QCP::msLeft | QCP::msRight, margenes);
    rectResiduo_->setMarginGroup(QCP::msLeft | QCP::msRight, margenes);
    for (QCPAxis* eje :
         {Grafica->xAxis, Grafica->yAxis, rectResiduo_->axis(QCPAxis::atBottom), rectResiduo_->axis(QCPAxis::atLeft)})
        eje->setTickLabelFont(FuenteVentana());
    Grafica->yAxis->setLabel(QStringLiteral("Nivel"));
    rectResiduo_->axis(QCPAxis::atLeft)->setLabel(QStringLiteral("Residuo"));
    // ticks that never touch, in the table's notation
    rectResiduo_->axis(QCPAxis::atLeft)
        ->setTicker(QSharedPointer<TickerResiduo>::create(rectResiduo_->axis(QCPAxis::atLeft)));
    rectResiduo_->axis(QCPAxis::atBottom)->setLabel(QStringLiteral("Muestra"));
    // the residuals follow the level's time axis
    connect(Grafica->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), rectResiduo_->axis(QCPAxis::atBottom),
            qOverload<const QCPRange&>(&QCPAxis::setRange));
    lineaRegistro_ = Grafica->addGraph();
    lineaRegistro_->setName(QStringLiteral("Nivel del registro"));
    lineaRegistro_->setPen(QPen(kColorNivel, 1));
    lineaModelo_ = Grafica->addGraph();
    lineaModelo_->setPen(QPen(kColorModelo, 1, Qt::DashLine));
    lineaResiduo_ = Grafica->addGraph(rectResiduo_->axis(QCPAxis::atBottom), rectResiduo_->axis(QCPAxis::atLeft));
    lineaResiduo_->setPen(QPen(Qt::darkGray, 1));
    lineaResiduo_->removeFromLegend();
    Grafica->legend->setVisible(true);
    Grafica->legend->setFont(FuenteVentana());
    arriba->insetLayout()->setInsetAlignment(0, Qt::AlignBottom | Qt::AlignRight);

    ConstruirPestanas();

    Validacion = new QLabel(this);
    Validacion->setObjectName("Validacion");
    Validacion->setWordWrap(true);

    Superponer = new QPushButton(QStringLiteral("Superponer"), this);
    Superponer->setObjectName("Superponer");
    Superponer->setToolTip(QStringLiteral("Dibuja el nivel del modelo en el gráfico principal, hasta Limpiar"));
    Validar = new QPushButton(QStringLiteral("Validar..."), this);
    Validar->setObjectName("Validar");
    Validar->setToolTip(QStringLiteral("Aplica el modelo a la acción de otro registro y mide su ajuste"));
    Cerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    Cerrar->setObjectName("Cerrar");
    connect(Superponer, &QPushButton::clicked, this, &TFrm_Identificacion::SuperponerClick);
    connect(Validar, &QPushButton::clicked, this, &TFrm_Identificacion::ValidarClick);
    connect(Cerrar, &QPushButton::clicked, this, &QDialog::close);

    auto* botones = new QHBoxLayout;
    botones->addWidget(Superponer);
    botones->addWidget(Validar);
    botones->addStretch(1);
    botones->addWidget(Cerrar);
    auto* columna = new QVBoxLayout(this);
    columna->addWidget(Registro_Label);
    columna->addWidget(Tabla);
    columna->addWidget(Orificio);
    columna->addWidget(Avisos);
    columna->addWidget(Nota);
    columna->addWidget(Vistas, 1);
    columna->addWidget(Validacion);
    columna->addLayout(botones);
}

void TFrm_Identificacion::Mostrar(IdentificacionGrafico g, const QString& senal) {
    g_ = std::move(g);
    const Registro& r = g_.registro;
    // a record of another signal than the step is named by its signal, not by its button
    const QString corrida = senal.isEmpty() ? QStringLiteral("la corrida ") + Texto(TituloCorrida(g_.corrida))
                                            : QStringLiteral("la señal ") + senal;
    Registro_Label->setText(QStringLiteral("Registro del gráfico: %1 muestras (de la %2 a la %3) de %4, "
                                           "T = %5 s; %6.")
                                .arg(r.nivel.size())
                                .arg(QString::number(r.muestras.front(), 'f', 0),
                                     QString::number(r.muestras.back(), 'f', 0), corrida, Corto(r.T),
                                     TextoRetardo(g_.retardo)));
    Validacion->clear();
    lineaRegistro_->setData(Puntos(r.muestras, [&](std::size_t k) { return r.nivel[k]; }));
    analisis_ = AnalizarGrafico(g_);
    LlenarTabla();
    MostrarAvisos();
    LlenarOrdenes();
    Elegir(g_.elegido);
}

void TFrm_Identificacion::LlenarTabla() {
    const VerdadPlanta& v = g_.verdad;
    const int filasVerdad = v.Difieren() ? 2 : 1;
    const int metodos = static_cast<int>(g_.metodos.size());
    const QSignalBlocker bloqueo(Tabla);
    Tabla->clearContents();
    Tabla->clearSpans();
    Tabla->setRowCount(metodos + filasVerdad);
    const bool dos = v.tipo == TipoVerdad::DosTanques;
    Tabla->setHorizontalHeaderItem(kErrorTau, new QTableWidgetItem(dos ? QStringLiteral("Error frente a T1 + T2 (†)")
                                                                   : v.Difieren() ? QStringLiteral("Error de Tau (*)")
                                                                                  : QStringLiteral("Error de Tau")));
    for (int fila = 0; fila < metodos; ++fila) {
        const ResultadoMetodo& m = g_.metodos[static_cast<std::size_t>(fila)];
        const bool hay = m.estimacion.has_value();
        auto* nombre = Celda(NombreMetodo(m.metodo), hay);
        nombre->setTextAlignment(Qt::AlignVCenter | Qt::AlignLeft);
        Tabla->setItem(fila, kMetodo, nombre);
        if (!hay) {
            // no estimate: the reason, in the row's tool tip and under the table
            auto* motivo = Celda(QStringLiteral("sin estimación (vea la nota)"), false);
            motivo->setTextAlignment(Qt::AlignVCenter | Qt::AlignLeft);
            Tabla->setItem(fila, kK, motivo);
            Tabla->setSpan(fila, kK, 1, kColumnas - kK);
            nombre->setToolTip(Texto(m.motivo));
            motivo->setToolTip(Texto(m.motivo));
            continue;
        }
        const Identificacion& e = *m.estimacion;
        // ARX biased by the noise: its standard error does not measure its error, and is not shown as if it did
        bool sesgado = false;
        for (const Aviso& a : analisis_.avisos) sesgado |= a.tipo == TipoAviso::ArxSesgado && m.metodo == "ARX";
        const bool conError = !sesgado;
        auto* k = Celda(conError && e.error_K ? ConError(e.K, *e.error_K, 5) : Numero(e.K, 5), true);
        auto* tau = Celda(conError && e.error_Tau ? ConError(e.Tau, *e.error_Tau, 5) : Numero(e.Tau, 5), true);
        if (sesgado)
            for (QTableWidgetItem* c : {k, tau})
                c->setToolTip(
                    QStringLiteral("Sin ±: el ruido del nivel sesga ARX y su error típico no mide su error "
                                   "(vea el aviso)"));
        Tabla->setItem(fila, kK, k);
        Tabla->setItem(fila, kTau, tau);
        Tabla->setItem(fila, kErrorK, Celda(ErrorFrente(e.K, v.K), true));
        auto* errorTau = Celda(ErrorFrente(e.Tau, v.TauMuestras), true);
        if (v.Difieren() && !dos)
            errorTau->setToolTip(
                QStringLiteral("Frente a A·R = %1 s: %2").arg(Corto(v.Tau), ErrorFrente(e.Tau, v.Tau)));
        Tabla->setItem(fila, kErrorTau, errorTau);
        Tabla->setItem(fila, kRetardo, Celda(QString::number(e.retardo), true));
        Tabla->setItem(fila, kAjuste, Celda(Fijo(e.ajuste, 3), true));
    }
    auto filaVerdad = [&](int fila, const QString& nombre, double Tau) {
        auto* n = Celda(nombre, false);
        n->setTextAlignment(Qt::AlignVCenter | Qt::AlignLeft);
        QFont negrita = n->font();
        negrita.setBold(true);
        n->setFont(negrita);
        Tabla->setItem(fila, kMetodo, n);
        Tabla->setItem(fila, kK, Celda(Numero(v.K, 5), false));
        Tabla->setItem(fila, kTau, Celda(Numero(Tau, 5), false));
        for (int c : {kErrorK, kErrorTau, kRetardo, kAjuste}) Tabla->setItem(fila, c, Celda(QString(), false));
    };
    switch (v.tipo) {
        case TipoVerdad::Lineal: filaVerdad(metodos, QStringLiteral("Planta: K = R, Tau = A·R"), v.Tau); break;
        case TipoVerdad::Orificio:
            filaVerdad(metodos,
                       QStringLiteral("Planta linealizada en el nivel medio %1: K = 2√h/Coef_Descarga, Tau = A·K")
                           .arg(Corto(v.nivelOperacion)),
                       v.Tau);
            break;
        case TipoVerdad::DosTanques:
            filaVerdad(metodos,
                       QStringLiteral("Planta (†): K/((T1 s + 1)(T2 s + 1)), T1 = %1 s, T2 = %2 s; Tau = T1 + T2")
                           .arg(Corto(v.Tau), Corto(v.T2)),
                       v.Tau + v.T2);
            break;
    }
    if (v.Difieren()) filaVerdad(metodos + 1, QStringLiteral("Planta vista por las muestras (*)"), v.TauMuestras);
    Tabla->resizeColumnsToContents();
    // every row in sight, no scrolling
    int alto = Tabla->horizontalHeader()->height() + 2 * Tabla->frameWidth();
    for (int f = 0; f < Tabla->rowCount(); ++f) alto += Tabla->rowHeight(f);
    // a long caption of the truth (the orifice's linearisation) may widen the columns past the dialog: the
    // scroll bar then takes its own height, not the last row's
    int ancho = 2 * Tabla->frameWidth();
    for (int c = 0; c < Tabla->columnCount(); ++c) ancho += Tabla->columnWidth(c);
    if (ancho > width() - 24) alto += Tabla->horizontalScrollBar()->sizeHint().height();
    Tabla->setFixedHeight(alto);
}

void TFrm_Identificacion::Elegir(std::size_t metodo) {
    if (metodo >= g_.metodos.size() || !g_.metodos[metodo].estimacion) return;
    elegido_ = metodo;
    const Registro& r = g_.registro;
    const Identificacion& e = *g_.metodos[metodo].estimacion;
    // the model simulated from the record's first level, as its fit is measured
    nivelModelo_ = Simular(e.Modelo(), r.accion, r.nivel.front());
    {
        const QSignalBlocker bloqueo(Tabla);
        Tabla->selectRow(static_cast<int>(metodo));
    }
    Nota->setText(TextoNota());
    Dibujar();
    DibujarResiduos();
    DibujarBode();
}

void TFrm_Identificacion::Dibujar() {
    const Registro& r = g_.registro;
    lineaModelo_->setName(QStringLiteral("Nivel del modelo (%1)").arg(NombreMetodo(g_.metodos[elegido_].metodo)));
    lineaModelo_->setData(Puntos(r.muestras, [&](std::size_t k) { return nivelModelo_[k]; }));
    lineaResiduo_->setData(Puntos(r.muestras, [&](std::size_t k) { return r.nivel[k] - nivelModelo_[k]; }));
    const std::vector<double>& x = r.muestras;
    Grafica->xAxis->setRange(x.front(), x.back() > x.front() ? x.back() : x.front() + 1);
    bool hay = false;
    Grafica->yAxis->setRange(lineaRegistro_->data()->valueRange(hay));
    Grafica->yAxis->scaleRange(1.1, Grafica->yAxis->range().center());
    lineaModelo_->rescaleValueAxis(true);
    QCPRange rr = lineaResiduo_->data()->valueRange(hay);
    // a model exact to rounding leaves residuals of 1e-7: show them, but never a range of width 0
    if (!(rr.size() > 0)) rr = QCPRange(rr.lower - 1e-9, rr.upper + 1e-9);
    rectResiduo_->axis(QCPAxis::atLeft)->setRange(rr);
    rectResiduo_->axis(QCPAxis::atLeft)->scaleRange(1.2, rr.center());
    Grafica->replot(QCustomPlot::rpQueuedReplot);
}

QString TFrm_Identificacion::TextoNota() const {
    const VerdadPlanta& v = g_.verdad;
    QStringList partes;
    if (v.tipo == TipoVerdad::DosTanques)
        partes << QStringLiteral(
                      "(†) La planta son dos tanques en cascada, de segundo orden: K/((T1 s + 1)(T2 s + 1)) con "
                      "K = %1, T1 = %2 s (el tanque medido) y T2 = %3 s (el superior)%4, linealizada en el nivel "
                      "medio %5 del registro. Un modelo de primer orden no puede ser exacto: su Tau se compara con "
                      "T1 + T2 = %6 s, el primer orden con el mismo tiempo medio de respuesta.")
                      .arg(Corto(v.K), Corto(v.Tau), Corto(v.T2),
                           v.derrama ? QStringLiteral(", con el superior derramando") : QString(),
                           Corto(v.nivelOperacion), Corto(v.Tau + v.T2));
    if (v.tipo == TipoVerdad::Orificio)
        partes << QStringLiteral(
                      "La planta desagua por un orificio (caudal Coef_Descarga·√h), no es lineal: su verdad es la "
                      "linealización en el nivel medio del registro, %1, con K = 2√h/Coef_Descarga = %2 y "
                      "Tau = A·K = %3 s; lejos de ese nivel la planta es más lenta (más arriba) o más rápida.")
                      .arg(Corto(v.nivelOperacion), Corto(v.K), Corto(v.Tau));
    if (v.Difieren() && v.tipo != TipoVerdad::DosTanques) {
        const Identificacion& e = *g_.metodos[elegido_].estimacion;
        partes
            << QStringLiteral(
                   "(*) Cada muestra simula %3 s, no %1 s: por eso Tau sale %4 s y no %5 s. "
                   "A T = %1 s el integrador da %2 subpasos de T/10 por muestra (su reloj suma en precisión "
                   "simple y no alcanza T con diez): cada muestra avanza %3 s de tiempo simulado. Leídas con "
                   "T = %1 s, las muestras decaen con Tau = A·R·T/(%2·T/10) = %4 s, no con A·R = %5 s, y los errores "
                   "de Tau se miden frente a %4 s (frente a A·R, el de %6 sería %7). No es un fallo de la "
                   "identificación: es el reloj del simulador.")
                   .arg(Corto(v.T))
                   .arg(v.subpasos)
                   .arg(Corto(v.tiempoMuestra), Corto(v.TauMuestras), Corto(v.Tau),
                        NombreMetodo(g_.metodos[elegido_].metodo), ErrorFrente(e.Tau, v.Tau));
    }
    for (const ResultadoMetodo& m : g_.metodos)
        if (!m.estimacion) partes << NombreMetodo(m.metodo) + QStringLiteral(": ") + Texto(m.motivo);
    partes << QStringLiteral(
        "Ajuste = 100 (1 − ‖y − ŷ‖ / ‖y − media(y)‖), con ŷ el nivel que simula el modelo desde "
        "el primer nivel del registro; ± es un error típico.");
    return partes.join(QStringLiteral("\n"));
}

void TFrm_Identificacion::SuperponerClick() {
    const Registro& r = g_.registro;
    if (!grafico_ || nivelModelo_.empty()) return;
    grafico_->SuperponerModelo(QVector<double>(r.muestras.begin(), r.muestras.end()),
                               QVector<double>(nivelModelo_.begin(), nivelModelo_.end()));
}

void TFrm_Identificacion::ValidarClick() {
    if (nivelModelo_.empty()) return;
    const std::optional<QString> nombre = dialogos_.ArchivoParaAbrir(this);
    if (!nombre) return;
    const Identificacion& modelo = *g_.metodos[elegido_].estimacion;
    try {
        RegistroLeido leido = LeerExportacion(nombre->toStdString());
        // the file says nothing of its period or its run: the period is this record's, and both delays are
        // tried, since the delay belongs to the run that made a record, not to the plant
        const Registro otro{std::move(leido.acciones), std::move(leido.niveles), modelo.T, std::move(leido.muestras)};
        const double conRetardo[2] = {::Validar(modelo, otro, 0), ::Validar(modelo, otro, 1)};
        const int mejor = conRetardo[1] > conRetardo[0] ? 1 : 0;
        // the record against the model at the delay that fits it best, as Validar simulates it
        ModeloDiscreto m = modelo.Modelo();
        m.retardo = mejor;
        DibujarValidacion(QFileInfo(*nombre).fileName(), otro.muestras, otro.nivel,
                          Simular(m, otro.accion, otro.nivel.front()));
        Validacion->setText(QStringLiteral("Validación del modelo %1 con «%2» (%3 muestras, leídas con T = %4 s): "
                                           "ajuste %5 % con retardo %6 (%7); con retardo %8, %9 %.")
                                .arg(NombreMetodo(modelo.metodo), QFileInfo(*nombre).fileName())
                                .arg(otro.nivel.size())
                                .arg(Corto(otro.T), Fijo(conRetardo[mejor], 2))
                                .arg(mejor)
                                .arg(mejor == 0 ? QStringLiteral("lazo abierto") : QStringLiteral("lazo cerrado"))
                                .arg(1 - mejor)
                                .arg(Fijo(conRetardo[1 - mejor], 2)));
    } catch (const ErrorTanque& e) {
        dialogos_.Mensaje(this, QString::fromStdString(e.what()));
    }
}

void TFrm_Identificacion::DibujarValidacion(const QString& archivo, const std::vector<double>& muestras,
                                            const std::vector<double>& nivel, const std::vector<double>& modelo) {
    if (!VentanaValidacion) {
        VentanaValidacion = new QWidget(this, Qt::Window);
        VentanaValidacion->setObjectName(QStringLiteral("VentanaValidacion"));
        VentanaValidacion->setFont(FuenteVentana());
        VentanaValidacion->resize(560, 300);
        auto* columna = new QVBoxLayout(VentanaValidacion);
        GraficaValidacion = new QCustomPlot(VentanaValidacion);
        GraficaValidacion->setObjectName(QStringLiteral("GraficaValidacion"));
        MenuImagen(GraficaValidacion, {});
        GraficaValidacion->setAccessibleName(QStringLiteral("Registro de validación y modelo"));
        GraficaValidacion->setNotAntialiasedElements(QCP::aeAll);
        columna->addWidget(GraficaValidacion);
        for (QCPAxis* eje : {GraficaValidacion->xAxis, GraficaValidacion->yAxis}) {
            eje->setTickLabelFont(FuenteVentana());
            eje->setLabelFont(FuenteVentana());
        }
        GraficaValidacion->xAxis->setLabel(QStringLiteral("Muestra"));
        GraficaValidacion->yAxis->setLabel(QStringLiteral("Nivel"));
        QCPGraph* registro = GraficaValidacion->addGraph();
        registro->setPen(QPen(kColorNivel, 1));
        QCPGraph* simulado = GraficaValidacion->addGraph();
        simulado->setPen(QPen(kColorModelo, 1, Qt::DashLine));
        GraficaValidacion->legend->setVisible(true);
        GraficaValidacion->legend->setFont(FuenteVentana());
        GraficaValidacion->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignBottom | Qt::AlignRight);
        CerrarConEscape(VentanaValidacion);
    }
    VentanaValidacion->setWindowTitle(QStringLiteral("Validación con «%1»").arg(archivo));
    GraficaValidacion->graph(0)->setName(QStringLiteral("Nivel de «%1»").arg(archivo));
    GraficaValidacion->graph(1)->setName(
        QStringLiteral("Nivel del modelo (%1)").arg(NombreMetodo(g_.metodos[elegido_].metodo)));
    const QVector<double> x(muestras.begin(), muestras.end());
    GraficaValidacion->graph(0)->setData(x, QVector<double>(nivel.begin(), nivel.end()), true);
    GraficaValidacion->graph(1)->setData(x, QVector<double>(modelo.begin(), modelo.end()), true);
    GraficaValidacion->rescaleAxes();
    GraficaValidacion->yAxis->scaleRange(1.1, GraficaValidacion->yAxis->range().center());
    GraficaValidacion->replot(QCustomPlot::rpQueuedReplot);
    VentanaValidacion->show();
    VentanaValidacion->raise();
}
