#include "ui/indices_desempeno.h"

#include <QHeaderView>

#include <cmath>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include "core/corridas/corrida.h"
#include "core/simulador.h"
#include "core/textos_indices.h"
#include "core/textos_por_defecto.h"
#include "ui/estilo.h"

TFrm_Indices* Frm_Indices = nullptr;

namespace {

const QString kSinValor = QStringLiteral("—");

QString Opcional(const std::optional<double>& v, int decimales) { return v ? NumeroIndice(*v, decimales) : kSinValor; }

}  // namespace

QStringList NombresComparacion() {
    return {QStringLiteral("Sobreimpulso (%)"), QStringLiteral("Tiempo de establecimiento (s)"),
            QStringLiteral("IAE")};
}

QString NumeroIndice(double x, int decimales) {
    return QString::number(x, 'f', decimales).replace(QChar('.'), QChar(SeparadorDecimal()));
}

QStringList NombresIndices(bool cortos) {
    if (cortos)
        return {QStringLiteral("Muestras"),      QStringLiteral("Inicial"),
                QStringLiteral("Objetivo"),      QStringLiteral("IAE"),
                QStringLiteral("ISE"),           QStringLiteral("ITAE"),
                QStringLiteral("Σ|Δu|"),         QStringLiteral("Sobreimp. (%)"),
                QStringLiteral("T. subida (s)"), QStringLiteral("T. establ. (s)"),
                QStringLiteral("Error estac."),  QStringLiteral("Estado"),
                QStringLiteral("En la banda")};
    return {QStringLiteral("Muestras"),
            QStringLiteral("Valor inicial"),
            QStringLiteral("Objetivo"),
            QStringLiteral("IAE"),
            QStringLiteral("ISE"),
            QStringLiteral("ITAE"),
            QStringLiteral("Esfuerzo de control (Σ|Δu|)"),
            QStringLiteral("Sobreimpulso (%)"),
            QStringLiteral("Tiempo de subida (s)"),
            QStringLiteral("Tiempo de establecimiento (s)"),
            QStringLiteral("Error estacionario"),
            QStringLiteral("Estado"),
            QStringLiteral("Dentro de la banda")};
}

QStringList TextosIndices(const IndicesEscalon& e) {
    const QString banda = !e.objetivo ? kSinValor : e.establecida ? QStringLiteral("sí") : QStringLiteral("no");
    return {QStringLiteral("%1 a %2").arg(e.primera).arg(e.ultima),
            NumeroIndice(e.inicial, 4),
            Opcional(e.objetivo, 4),
            Opcional(e.IAE, 4),
            Opcional(e.ISE, 4),
            Opcional(e.ITAE, 4),
            Opcional(e.esfuerzo, 4),
            Opcional(e.sobreimpulso, 2),
            Opcional(e.tiempoSubida, 2),
            Opcional(e.tiempoEstablecimiento, 2),
            Opcional(e.errorEstacionario, 4),
            e.terminado ? QStringLiteral("terminado") : QStringLiteral("provisional"),
            banda};
}

TFrm_Indices::TFrm_Indices(QWidget* padre) : QWidget(padre, Qt::Window) {
    setObjectName(QStringLiteral("Frm_Indices"));
    setWindowTitle(QStringLiteral("Índices de Desempeño"));
    setFont(FuenteVentana());

    EtiquetaEn(this, QStringLiteral("Índices  de  Desempeño"), 250, 6, FuenteSerif(19), kRojoTitulo);
    EtiquetaEn(this, QStringLiteral("Banda de Establecimiento (%)"), 12, 40, FuenteSerif(16), kAzulEtiqueta);
    Banda_Establecimiento = new QLineEdit(this);
    Banda_Establecimiento->setObjectName(QString::fromLatin1(kBandaEstablecimiento));
    Banda_Establecimiento->setGeometry(218, 39, 45, 21);
    Banda_Establecimiento->setText(
        QString::fromStdString(TextoPorDefectoDe(kBandaEstablecimiento, SeparadorDecimal())));
    EtiquetaEn(this, QStringLiteral("(se lee al iniciar cada corrida)"), 272, 43, FuenteVentana(), Qt::black);

    const QStringList nombres = NombresIndices(false);
    filaSaturado_ = static_cast<int>(nombres.size());
    Tabla = new QTableWidget(filaSaturado_, 2 * static_cast<int>(kNumCorridas), this);
    Tabla->setAccessibleName(QStringLiteral("Índices de Desempeño"));
    Tabla->setObjectName(QStringLiteral("Tabla"));
    Tabla->setVerticalHeaderLabels(nombres);
    QStringList columnas;
    for (const DefinicionCorrida& d : Corridas())
        columnas << QStringLiteral("%1\nen curso").arg(QString::fromUtf8(d.rotulo))
                 << QStringLiteral("%1\nanterior").arg(QString::fromUtf8(d.rotulo));
    Tabla->setHorizontalHeaderLabels(columnas);
    Tabla->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Tabla->horizontalHeader()->setDefaultSectionSize(92);
    Tabla->horizontalHeader()->setFixedHeight(34);
    Tabla->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Tabla->verticalHeader()->setDefaultSectionSize(20);
    Tabla->verticalHeader()->setFixedWidth(190);
    Tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabla->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Tabla->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int f = 0; f < Tabla->rowCount(); ++f) {
        for (int c = 0; c < Tabla->columnCount(); ++c) {
            auto* celda = new QTableWidgetItem(kSinValor);
            celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Tabla->setItem(f, c, celda);
        }
    }
    const int ancho = 190 + 92 * Tabla->columnCount() + 2 * Tabla->frameWidth();
    const int alto = 34 + 20 * Tabla->rowCount() + 2 * Tabla->frameWidth();
    Tabla->setGeometry(12, 70, ancho, alto);

    Avisos = new QLabel(this);
    Avisos->setObjectName(QStringLiteral("Avisos"));
    Avisos->setGeometry(12, 70 + alto + 6, ancho, 48);
    Avisos->setWordWrap(true);
    Avisos->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette rojo = Avisos->palette();
    rojo.setColor(QPalette::WindowText, kRojoTitulo);
    Avisos->setPalette(rojo);
    altoSinComparacion_ = 70 + alto + 60;
    setFixedSize(ancho + 24, altoSinComparacion_);

    // the tuning's prediction beside the PID run, below the rest: shown once "Aplicar" gives one
    Sintonia_Label = new QLabel(this);
    Sintonia_Label->setObjectName(QStringLiteral("Sintonia_Label"));
    Sintonia_Label->setGeometry(12, altoSinComparacion_, ancho, 20);
    Comparacion = new QTableWidget(3, 2, this);
    Comparacion->setObjectName(QStringLiteral("Comparacion"));
    Comparacion->setAccessibleName(QStringLiteral("Sintonía: predicho y medido"));
    Comparacion->setVerticalHeaderLabels(NombresComparacion());
    Comparacion->setHorizontalHeaderLabels({QStringLiteral("Predicho"), QStringLiteral("Medido (PID)")});
    Comparacion->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Comparacion->horizontalHeader()->setDefaultSectionSize(110);
    Comparacion->verticalHeader()->setFixedWidth(190);
    Comparacion->verticalHeader()->setDefaultSectionSize(20);
    Comparacion->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Comparacion->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Comparacion->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int f = 0; f < 3; ++f)
        for (int c = 0; c < 2; ++c) {
            auto* celda = new QTableWidgetItem(kSinValor);
            celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Comparacion->setItem(f, c, celda);
        }
    Comparacion->setGeometry(12, altoSinComparacion_ + 22, 190 + 2 * 110 + 2 * Comparacion->frameWidth(),
                             Comparacion->horizontalHeader()->sizeHint().height() + 3 * 20 +
                                 2 * Comparacion->frameWidth());
    Sintonia_Label->hide();
    Comparacion->hide();
}

void TFrm_Indices::PonerPrediccion(std::optional<PrediccionAplicada> p) {
    prediccion_ = std::move(p);
    Sintonia_Label->setVisible(prediccion_.has_value());
    Comparacion->setVisible(prediccion_.has_value());
    const int alto = prediccion_ ? Comparacion->geometry().bottom() + 12 : altoSinComparacion_;
    setFixedSize(width(), alto);
    if (prediccion_)
        Sintonia_Label->setText(QStringLiteral("Sintonía aplicada: %1 (predicho para el escalón de la referencia "
                                               "del PID, banda del 2 %)")
                                    .arg(prediccion_->titulo));
}

void TFrm_Indices::Comparar(const Simulador& simulador) {
    if (!prediccion_) return;
    const PrediccionAplicada& p = *prediccion_;
    // the PID run's step going on; the linear loop's step scales with its size, its shape does not
    const std::optional<IndicesEscalon>& e = simulador.Indices(Corrida::PID).indices.Actual();
    std::optional<double> iae;
    if (e && e->objetivo) iae = p.iae * std::abs(*e->objetivo - e->inicial);
    const QString textos[3][2] = {
        {Opcional(p.sobreimpulso, 2), e ? Opcional(e->sobreimpulso, 2) : kSinValor},
        {Opcional(p.establecimiento, 2), e ? Opcional(e->tiempoEstablecimiento, 2) : kSinValor},
        {Opcional(iae, 4), e ? Opcional(e->IAE, 4) : kSinValor}};
    for (int f = 0; f < 3; ++f)
        for (int c = 0; c < 2; ++c)
            if (Comparacion->item(f, c)->text() != textos[f][c]) Comparacion->item(f, c)->setText(textos[f][c]);
}

void TFrm_Indices::MostrarFilaSaturado(bool mostrar) {
    // without pump limits the table is as it has always been: the row is there only while it says something
    if ((Tabla->rowCount() > filaSaturado_) == mostrar) return;
    if (mostrar) {
        Tabla->insertRow(filaSaturado_);
        Tabla->setVerticalHeaderItem(filaSaturado_, new QTableWidgetItem(QStringLiteral("Tiempo saturado (s)")));
        for (int c = 0; c < Tabla->columnCount(); ++c) {
            auto* celda = new QTableWidgetItem(kSinValor);
            celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Tabla->setItem(filaSaturado_, c, celda);
        }
    } else {
        Tabla->removeRow(filaSaturado_);
    }
    const int d = mostrar ? 20 : -20;
    Tabla->resize(Tabla->width(), Tabla->height() + d);
    for (QWidget* w : {static_cast<QWidget*>(Avisos), static_cast<QWidget*>(Sintonia_Label),
                       static_cast<QWidget*>(Comparacion)})
        w->move(w->x(), w->y() + d);
    altoSinComparacion_ += d;
    setFixedSize(width(), prediccion_ ? Comparacion->geometry().bottom() + 12 : altoSinComparacion_);
}

void TFrm_Indices::Columna(int columna, const std::optional<IndicesEscalon>& e) {
    const QStringList textos = e ? TextosIndices(*e) << Opcional(e->tiempoSaturado, 2) : QStringList();
    for (int f = 0; f < Tabla->rowCount(); ++f) {
        const QString& t = e ? textos[f] : kSinValor;
        QTableWidgetItem* celda = Tabla->item(f, columna);
        if (celda->text() != t) celda->setText(t);
    }
}

void TFrm_Indices::Mostrar(const Simulador& simulador) {
    if (!isVisible()) return;
    QStringList avisos;
    bool saturacion = false;
    for (std::size_t c = 0; c < kNumCorridas; ++c) {
        const IndicesCorrida& i = simulador.Indices(static_cast<Corrida>(c));
        const std::optional<IndicesEscalon> actual = i.indices.Actual();
        for (const std::optional<IndicesEscalon>* e : {&actual, &i.indices.Anterior()})
            saturacion |= *e && (*e)->tiempoSaturado.has_value();
    }
    MostrarFilaSaturado(saturacion);
    for (std::size_t c = 0; c < kNumCorridas; ++c) {
        const IndicesCorrida& i = simulador.Indices(static_cast<Corrida>(c));
        Columna(2 * static_cast<int>(c), i.indices.Actual());
        Columna(2 * static_cast<int>(c) + 1, i.indices.Anterior());
        if (i.fallo)
            avisos << QStringLiteral("%1: sin índices en esta corrida: %2")
                          .arg(QString::fromUtf8(Definicion(static_cast<Corrida>(c)).rotulo),
                               QString::fromStdString(*i.fallo));
    }
    const QString texto = avisos.join(QChar('\n'));
    if (Avisos->text() != texto) Avisos->setText(texto);
    Comparar(simulador);
}
