#include "ui/indices_desempeno.h"

#include <QHeaderView>
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
    Tabla = new QTableWidget(nombres.size(), 2 * static_cast<int>(kNumCorridas), this);
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
    setFixedSize(ancho + 24, 70 + alto + 60);
}

void TFrm_Indices::Columna(int columna, const std::optional<IndicesEscalon>& e) {
    const QStringList textos = e ? TextosIndices(*e) : QStringList();
    for (int f = 0; f < Tabla->rowCount(); ++f) {
        const QString& t = e ? textos[f] : kSinValor;
        QTableWidgetItem* celda = Tabla->item(f, columna);
        if (celda->text() != t) celda->setText(t);
    }
}

void TFrm_Indices::Mostrar(const Simulador& simulador) {
    if (!isVisible()) return;
    QStringList avisos;
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
}
