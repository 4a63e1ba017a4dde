#include "ui/imagen_grafico.h"
#include "ui/Sintonizar_PID.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include "base/errores.h"
#include "ui/dialogos.h"
#include "ui/textos_ventanas.h"

namespace {

constexpr Regla kReglas[] = {Regla::Simc, Regla::Imc, Regla::Amigo, Regla::ZieglerNichols};

// with the texts' decimal separator, as the gains beside them
QString Numero(double v, int decimales, char decimal) {
    return QString::number(v, 'f', decimales).replace(QLatin1Char('.'), QLatin1Char(decimal));
}

QString Opcional(const std::optional<double>& v, int decimales, char decimal) {
    return v ? Numero(*v, decimales, decimal) : QStringLiteral("—");
}

}  // namespace

TFrm_Sintonizar::TFrm_Sintonizar(QWidget* padre, Dialogos& dialogos, TextosVentanas& textos)
    : QDialog(padre), dialogos_(dialogos), textos_(textos) {
    setObjectName("Frm_Sintonizar");
    setWindowTitle(QStringLiteral("Sintonizar el PID"));

    Modelo = new QComboBox(this);
    Modelo->setObjectName("Modelo");
    Modelo->addItem(QStringLiteral("Última identificación"));
    Modelo->addItem(QStringLiteral("Planta verdadera"));
    Modelo->addItem(QStringLiteral("Ensayo de relé"));
    Modelo_Label = new QLabel(this);
    Modelo_Label->setObjectName("Modelo_Label");
    Modelo_Label->setWordWrap(true);

    ReglaCombo = new QComboBox(this);
    ReglaCombo->setObjectName("Regla");
    for (Regla r : kReglas) ReglaCombo->addItem(QString::fromStdString(TituloRegla(r)));
    AccionCombo = new QComboBox(this);
    AccionCombo->setObjectName("Accion");
    AccionCombo->addItems({QStringLiteral("PI"), QStringLiteral("PID")});

    Perilla_Label = new QLabel(QStringLiteral("tc (s)"), this);
    Perilla = new QDoubleSpinBox(this);
    Perilla->setObjectName("Perilla");
    Perilla->setDecimals(3);
    Perilla->setRange(0, 1e6);
    Perilla->setSingleStep(0.05);
    PerillaPorOmision = new QCheckBox(QStringLiteral("igual al retardo"), this);
    PerillaPorOmision->setObjectName("PerillaPorOmision");
    PerillaPorOmision->setChecked(true);
    auto* perillas = new QHBoxLayout;
    perillas->addWidget(Perilla);
    perillas->addWidget(PerillaPorOmision);

    auto* formulario = new QFormLayout;
    formulario->addRow(QStringLiteral("Modelo"), Modelo);
    formulario->addRow(QString(), Modelo_Label);
    formulario->addRow(QStringLiteral("Regla"), ReglaCombo);
    formulario->addRow(QStringLiteral("Acción"), AccionCombo);
    formulario->addRow(Perilla_Label, perillas);

    Tabla = new QTableWidget(0, kColumnas, this);
    Tabla->setObjectName("Tabla");
    Tabla->setHorizontalHeaderLabels({QStringLiteral("Regla"), QStringLiteral("Kp"), QStringLiteral("Ti (s)"),
                                      QStringLiteral("Td (s)"), QStringLiteral("Margen de ganancia"),
                                      QStringLiteral("Margen de fase (°)"), QStringLiteral("Ms"),
                                      QStringLiteral("Sobreimpulso (%)"), QStringLiteral("Establecimiento (s)")});
    Tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabla->setSelectionBehavior(QAbstractItemView::SelectRows);
    Tabla->setSelectionMode(QAbstractItemView::SingleSelection);
    Tabla->verticalHeader()->hide();
    Tabla->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Tabla->horizontalHeader()->setStretchLastSection(true);
    Tabla->setMinimumHeight(150);

    Grafica = new QCustomPlot(this);
    MenuImagen(Grafica, {});
    Grafica->setObjectName("Grafica");
    Grafica->setMinimumSize(640, 240);
    Grafica->xAxis->setLabel(QStringLiteral("tiempo (s)"));
    Grafica->yAxis->setLabel(QStringLiteral("nivel"));
    lineaReferencia_ = Grafica->addGraph();
    lineaReferencia_->setName(QStringLiteral("referencia"));
    lineaReferencia_->setPen(QPen(Qt::gray, 1, Qt::DashLine));
    lineaNivel_ = Grafica->addGraph();
    lineaNivel_->setName(QStringLiteral("nivel predicho"));
    lineaNivel_->setPen(QPen(QColor(0, 90, 200), 2));
    Grafica->legend->setVisible(true);
    Grafica->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignBottom | Qt::AlignRight);

    Nota = new QLabel(this);
    Nota->setObjectName("Nota");
    Nota->setWordWrap(true);
    Nota->setText(QStringLiteral(
        "Las ganancias en los términos del diálogo PID (su forma ideal, su periodo, su integral trapezoidal), "
        "redondeadas a 4 cifras; márgenes, Ms y escalón del lazo discreto del programa, sin límites de la bomba."));

    Aplicar = new QPushButton(QStringLiteral("Aplicar"), this);
    Aplicar->setObjectName("Aplicar");
    Aplicar->setToolTip(QStringLiteral("Escribe Kp, Ti y Td de la regla elegida en el diálogo del PID"));
    Cerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    Cerrar->setObjectName("Cerrar");
    EnsayoRele = new QPushButton(QStringLiteral("Ensayo de relé"), this);
    EnsayoRele->setObjectName("EnsayoRele");
    EnsayoRele->setToolTip(QStringLiteral("Corre el ensayo de relé en la ventana principal (Opciones > Parámetros "
                                          "del Relé); al pararlo, su modelo queda en «Modelo»"));
    auto* botones = new QHBoxLayout;
    botones->addWidget(EnsayoRele);
    botones->addStretch();
    botones->addWidget(Aplicar);
    botones->addWidget(Cerrar);

    auto* todo = new QVBoxLayout(this);
    todo->addLayout(formulario);
    todo->addWidget(Tabla);
    todo->addWidget(Grafica, 1);
    todo->addWidget(Nota);
    todo->addLayout(botones);

    connect(Modelo, &QComboBox::currentIndexChanged, this, &TFrm_Sintonizar::Recalcular);
    connect(ReglaCombo, &QComboBox::currentIndexChanged, this, &TFrm_Sintonizar::Recalcular);
    connect(AccionCombo, &QComboBox::currentIndexChanged, this, &TFrm_Sintonizar::Recalcular);
    connect(Perilla, &QDoubleSpinBox::valueChanged, this, [this] {
        if (!PerillaPorOmision->isChecked()) Recalcular();
    });
    connect(PerillaPorOmision, &QCheckBox::toggled, this, &TFrm_Sintonizar::Recalcular);
    connect(Tabla, &QTableWidget::cellClicked, this, [this](int fila, int) { ReglaCombo->setCurrentIndex(fila); });
    connect(Aplicar, &QPushButton::clicked, this, &TFrm_Sintonizar::AplicarClick);
    connect(Cerrar, &QPushButton::clicked, this, &QDialog::close);
    connect(EnsayoRele, &QPushButton::clicked, this, &TFrm_Sintonizar::PedirEnsayoRele);
    resize(900, 640);
}

void TFrm_Sintonizar::PonerFuentes(std::optional<FuenteSintonia> identificada, std::optional<FuenteSintonia> verdad,
                                   std::optional<FuenteSintonia> rele) {
    fuentes_[FuenteIdentificada] = std::move(identificada);
    fuentes_[FuenteVerdad] = std::move(verdad);
    fuentes_[FuenteRele] = std::move(rele);
    auto* modelo = qobject_cast<QStandardItemModel*>(Modelo->model());
    for (int i = 0; i < kFuentes; ++i)
        if (QStandardItem* item = modelo->item(i)) item->setEnabled(fuentes_[i].has_value());
    // the identification when there is one: the workflow's model
    const QSignalBlocker bloqueo(Modelo);
    if (!fuentes_[Modelo->currentIndex()]) Modelo->setCurrentIndex(fuentes_[0] ? 0 : 1);
    Recalcular();
}

Regla TFrm_Sintonizar::Elegida() const { return kReglas[std::max(0, ReglaCombo->currentIndex())]; }

const FuenteSintonia* TFrm_Sintonizar::Fuente() const {
    const auto& f = fuentes_[std::clamp(Modelo->currentIndex(), 0, kFuentes - 1)];
    return f ? &*f : nullptr;
}

void TFrm_Sintonizar::Recalcular() {
    resultados_.assign(std::size(kReglas), std::nullopt);
    motivos_.assign(std::size(kReglas), QString());
    const FuenteSintonia* f = Fuente();
    const char* nombre = NombrePerilla(Elegida());
    Perilla_Label->setText(nombre ? QStringLiteral("%1 (s)").arg(QString::fromLatin1(nombre)) : QStringLiteral("perilla"));
    Perilla->setEnabled(nombre && !PerillaPorOmision->isChecked());
    PerillaPorOmision->setEnabled(nombre != nullptr);
    if (!f) {
        Modelo_Label->setText(QStringLiteral("Sin modelo: identifique la planta (Identificar...) o corrija sus textos."));
    } else {
        Modelo_Label->setText(f->descripcion);
        std::optional<double> perilla;
        if (!PerillaPorOmision->isChecked()) perilla = Perilla->value();
        const Accion accion = AccionCombo->currentIndex() == 1 ? Accion::PID : Accion::PI;
        for (std::size_t i = 0; i < std::size(kReglas); ++i) {
            try {
                resultados_[i] = Sintonizar(f->modelo, f->muestreo, kReglas[i], accion, perilla);
            } catch (const ErrorTanque& e) {
                motivos_[i] = QString::fromStdString(e.what());
            }
        }
        // the knob's default shown in its box: the delay that the rules read
        if (PerillaPorOmision->isChecked()) {
            const QSignalBlocker bloqueo(Perilla);
            for (const auto& r : resultados_)
                if (r) {
                    Perilla->setValue(r->ganancias.modelo.theta);
                    break;
                }
        }
    }
    LlenarTabla();
    Dibujar();
    const auto& elegida = resultados_[static_cast<std::size_t>(ReglaCombo->currentIndex())];
    Aplicar->setEnabled(elegida.has_value());
}

void TFrm_Sintonizar::LlenarTabla() {
    Tabla->setRowCount(static_cast<int>(std::size(kReglas)));
    for (std::size_t i = 0; i < std::size(kReglas); ++i) {
        const int fila = static_cast<int>(i);
        auto poner = [&](int columna, const QString& texto) {
            auto* celda = new QTableWidgetItem(texto);
            if (columna != ColRegla) celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (!motivos_[i].isEmpty()) celda->setToolTip(motivos_[i]);
            Tabla->setItem(fila, columna, celda);
        };
        poner(ColRegla, QString::fromStdString(TituloRegla(kReglas[i])));
        const std::optional<Sintonia>& s = resultados_[i];
        if (!s) {
            for (int c = ColKp; c < kColumnas; ++c) poner(c, QStringLiteral("—"));
            continue;
        }
        const char d = textos_.Decimal();
        poner(ColKp, QString::fromStdString(TextoGanancia(s->pid.Kp, d)));
        poner(ColTi, QString::fromStdString(TextoGanancia(s->pid.Ti, d)));
        poner(ColTd, QString::fromStdString(TextoGanancia(s->pid.Td, d)));
        const Margenes& m = s->lazo.margenes;
        poner(ColMargenGanancia, Opcional(m.ganancia, 2, d));
        poner(ColMargenFase, Opcional(m.fase, 1, d));
        poner(ColMs, Numero(m.Ms, 2, d));
        if (s->lazo.escalon) {
            poner(ColSobreimpulso, Opcional(s->lazo.escalon->sobreimpulso, 1, d));
            poner(ColEstablecimiento, Opcional(s->lazo.escalon->establecimiento, 2, d));
        } else {
            poner(ColSobreimpulso, QStringLiteral("inestable"));
            poner(ColEstablecimiento, QStringLiteral("inestable"));
        }
    }
    Tabla->selectRow(ReglaCombo->currentIndex());
}

void TFrm_Sintonizar::Dibujar() {
    const auto& s = resultados_[static_cast<std::size_t>(ReglaCombo->currentIndex())];
    QVector<double> t, y;
    if (s && s->lazo.escalon) {
        const Prediccion& p = *s->lazo.escalon;
        // a little past the settling time, so that the response's shape fills the plot
        std::size_t n = p.nivel.size();
        if (p.establecimiento) n = std::min(n, static_cast<std::size_t>(2.5 * *p.establecimiento / p.T) + 2);
        for (std::size_t k = 0; k < n; ++k) {
            t.append(static_cast<double>(k) * p.T);
            y.append(p.nivel[k]);
        }
        Grafica->xAxis->setRange(0, t.size() > 1 ? t.back() : 1);
        lineaReferencia_->setData({0, t.size() > 1 ? t.back() : 1}, {p.referencia, p.referencia});
        double alto = p.referencia;
        for (double v : y) alto = std::max(alto, v);
        Grafica->yAxis->setRange(0, alto * 1.1);
    } else {
        lineaReferencia_->data()->clear();
    }
    lineaNivel_->setData(t, y);
    Grafica->replot(QCustomPlot::rpQueuedReplot);
}

void TFrm_Sintonizar::EstadoRele(bool habilitado, bool activo) {
    EnsayoRele->setEnabled(habilitado);
    EnsayoRele->setText(activo ? QStringLiteral("Parar el ensayo") : QStringLiteral("Ensayo de relé"));
}

void TFrm_Sintonizar::AplicarClick() {
    const auto& s = resultados_[static_cast<std::size_t>(ReglaCombo->currentIndex())];
    if (!s) return;
    const char d = textos_.Decimal();
    for (const auto& [nombre, valor] : {std::pair{"Kp", s->pid.Kp}, {"Ti", s->pid.Ti}, {"Td", s->pid.Td}})
        if (!textos_.Poner(nombre, TextoGanancia(valor, d))) {
            dialogos_.Mensaje(this, QStringLiteral("No se pudo escribir %1 en el diálogo del PID.").arg(nombre));
            return;
        }
    emit Aplicado(*s);
}
