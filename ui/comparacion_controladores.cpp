#include "ui/imagen_grafico.h"
#include "ui/comparacion_controladores.h"

#include <qcustomplot.h>

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include <algorithm>
#include <iterator>
#include <optional>
#include <vector>

#include "core/corridas/corrida.h"
#include "core/interfaces.h"
#include "ui/estilo.h"
#include "ui/indices_desempeno.h"

namespace {

constexpr int kAncho = 900;
constexpr int kAltoGrafico = 320;
constexpr int kAltoTabla = 190;
// the indices in the table: up to the steady-state error; every step but the last is finished
constexpr int kIndicesTabla = 11;

QString Rotulo(Corrida c) { return QString::fromUtf8(Definicion(c).rotulo); }

// "PID y Fuzzy": the runs compared.
QString Rotulos() {
    const std::vector<Corrida> corridas = CorridasComparadas();
    QString t;
    for (std::size_t k = 0; k < corridas.size(); ++k)
        t += (k == 0 ? QString() : k + 1 == corridas.size() ? QStringLiteral(" y ") : QStringLiteral(", ")) +
             Rotulo(corridas[k]);
    return t;
}

QString Referencia(std::int32_t posicion) { return NumeroIndice(ReferenciaDe(posicion), posicion % 2 == 0 ? 0 : 1); }

}  // namespace

QColor TFrm_Comparacion::ColorDe(std::size_t k) {
    // the first two, the PID's and the fuzzy controller's, as they have always been drawn
    static const QColor kColores[] = {QColor(0, 70, 200), QColor(200, 0, 160), QColor(0, 140, 60)};
    return kColores[k % std::size(kColores)];
}

QString TextoCalendario(const std::vector<CambioReferencia>& calendario, std::int64_t muestras) {
    std::vector<CambioReferencia> ordenado(calendario.begin(), calendario.end());
    std::stable_sort(ordenado.begin(), ordenado.end(),
                     [](const CambioReferencia& a, const CambioReferencia& b) { return a.muestra < b.muestra; });
    QStringList partes;
    std::int32_t ultimo = 0;
    for (std::size_t k = 0; k < ordenado.size(); ++k) {
        partes << (k == 0 ? QStringLiteral("Referencia %1 desde la muestra %2") : QStringLiteral("%1 desde la %2"))
                      .arg(Referencia(ordenado[k].posicion))
                      .arg(ordenado[k].muestra);
        ultimo = ordenado[k].muestra;
    }
    return partes.join(QStringLiteral("; ")) + QStringLiteral(". %1 muestras (margen de %2 tras el último cambio).")
                                                   .arg(muestras)
                                                   .arg(muestras - ultimo - 1);
}

TFrm_Comparacion::TFrm_Comparacion(QWidget* padre) : QWidget(padre, Qt::Window) {
    setObjectName(QStringLiteral("Frm_Comparacion"));
    setWindowTitle(QStringLiteral("Comparación de Controladores"));
    setFont(FuenteVentana());
    setFixedSize(kAncho + 12, kAltoGrafico + kAltoTabla + 48);

    Grafico = new QCustomPlot(this);
    MenuImagen(Grafico, {QStringLiteral("Muestra"), QStringLiteral("Nivel (m) y acción de control (m³/s)")});
    Grafico->setAccessibleName(QStringLiteral("Niveles y acciones sobre la misma referencia"));
    Grafico->setObjectName(QStringLiteral("Grafico"));
    Grafico->setGeometry(6, 6, kAncho, kAltoGrafico);
    Grafico->setBackground(palette().window());
    Grafico->plotLayout()->insertRow(0);
    Grafico->plotLayout()->addElement(
        0, 0,
        new QCPTextElement(Grafico, QStringLiteral("%1 sobre la misma referencia").arg(Rotulos()), FuenteSans(12)));
    Grafico->xAxis->setLabel(QStringLiteral("Muestra"));
    for (QCPAxis* eje : {Grafico->xAxis, Grafico->yAxis}) {
        eje->setTickLabelFont(FuenteVentana());
        eje->setLabelFont(FuenteVentana());
    }
    Grafico->xAxis->setNumberFormat(QStringLiteral("f"));
    Grafico->xAxis->setNumberPrecision(0);
    struct Linea {
        QString nombre;
        QColor color;
        Qt::PenStyle estilo;
        int ancho;
    };
    // the reference, then each run's level, then each run's action
    const std::vector<Corrida> corridas = CorridasComparadas();
    std::vector<Linea> lineas{{QStringLiteral("Referencia"), QColor(190, 160, 0), Qt::SolidLine, 2}};
    for (std::size_t k = 0; k < corridas.size(); ++k)
        lineas.push_back({QStringLiteral("Nivel %1").arg(Rotulo(corridas[k])), ColorDe(k), Qt::SolidLine, 2});
    for (std::size_t k = 0; k < corridas.size(); ++k)
        lineas.push_back({QStringLiteral("Acción %1").arg(Rotulo(corridas[k])), ColorDe(k), Qt::DashLine, 1});
    for (const Linea& l : lineas) {
        QCPGraph* g = Grafico->addGraph();
        g->setName(l.nombre);
        g->setPen(QPen(l.color, l.ancho, l.estilo));
    }
    // the actions on an axis of their own at the right: a PID's kick would flatten the levels
    Grafico->yAxis->setLabel(QStringLiteral("Nivel y referencia"));
    Grafico->yAxis2->setVisible(true);
    Grafico->yAxis2->setLabel(QStringLiteral("Acción de control"));
    Grafico->yAxis2->setTickLabelFont(FuenteVentana());
    Grafico->yAxis2->setLabelFont(FuenteVentana());
    for (std::size_t k = 0; k < corridas.size(); ++k) Accion(k)->setValueAxis(Grafico->yAxis2);
    Grafico->legend->setVisible(true);
    Grafico->legend->setFont(FuenteVentana());
    // the legend in a row of its own under the axes, in one line: inside the plot it covered the last samples
    auto* filaLeyenda = new QCPLayoutGrid;
    Grafico->plotLayout()->addElement(2, 0, filaLeyenda);
    filaLeyenda->setMargins(QMargins(5, 0, 5, 2));
    filaLeyenda->addElement(0, 0, Grafico->legend);
    Grafico->legend->setFillOrder(QCPLegend::foColumnsFirst);
    Grafico->plotLayout()->setRowStretchFactor(2, 0.001);

    Calendario = new QLabel(this);
    Calendario->setObjectName(QStringLiteral("Calendario"));
    Calendario->setGeometry(10, kAltoGrafico + 10, kAncho - 8, 18);

    QStringList columnas{QStringLiteral("Controlador"), QStringLiteral("Escalón")};
    const QStringList nombres = NombresIndices(true);
    for (int k = 0; k < kIndicesTabla; ++k)
        if (k != 1 && k != 2) columnas << nombres[k];  // the step's start and target go in "Escalón"
    Tabla = new QTableWidget(0, columnas.size(), this);
    Tabla->setAccessibleName(QStringLiteral("Índices de cada escalón"));
    Tabla->setObjectName(QStringLiteral("Tabla"));
    Tabla->setHorizontalHeaderLabels(columnas);
    Tabla->horizontalHeader()->setFont(FuenteVentana());
    Tabla->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Tabla->verticalHeader()->setVisible(false);
    Tabla->verticalHeader()->setDefaultSectionSize(20);
    Tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabla->setGeometry(6, kAltoGrafico + 32, kAncho, kAltoTabla);
    Tabla->setWordWrap(false);
}

QCPGraph* TFrm_Comparacion::Nivel(std::size_t k) const { return Grafico->graph(1 + static_cast<int>(k)); }

QCPGraph* TFrm_Comparacion::Accion(std::size_t k) const {
    return Grafico->graph(1 + static_cast<int>(CorridasComparadas().size() + k));
}

void TFrm_Comparacion::Mostrar(const ResultadoComparacion& r, const std::vector<CambioReferencia>& calendario,
                               std::int64_t muestras) {
    Calendario->setText(TextoCalendario(calendario, muestras));
    // the lines: the reference from the run that went furthest (the same schedule in all), the first if several
    const std::vector<ResultadoCorrida>& corridas = r.corridas;
    QVector<double> n, ref;
    const ResultadoCorrida* conReferencia = &corridas.front();
    for (const ResultadoCorrida& c : corridas)
        if (c.muestras.size() > conReferencia->muestras.size()) conReferencia = &c;
    for (const MuestraCorrida& m : conReferencia->muestras) {
        n.append(m.n);
        ref.append(m.referencia);
    }
    Grafico->graph(0)->setData(n, ref, true);
    double alto = 1;
    for (double r : ref) alto = std::max(alto, r);
    for (std::size_t c = 0; c < corridas.size(); ++c) {
        QVector<double> x, nivel, accion;
        for (const MuestraCorrida& m : corridas[c].muestras) {
            x.append(m.n);
            nivel.append(m.nivel);
            accion.append(m.accion);
            alto = std::max(alto, static_cast<double>(m.nivel));
        }
        Nivel(c)->setData(x, nivel, true);
        Accion(c)->setData(x, accion, true);
    }
    Grafico->xAxis->setRange(0, std::max<double>(1, static_cast<double>(muestras - 1)));
    Grafico->yAxis->setRange(0, std::min(alto * 1.1, 1e6));
    std::optional<QCPRange> todas;
    for (std::size_t c = 0; c < corridas.size(); ++c) {
        bool hay = false;
        const QCPRange acciones = Accion(c)->data()->valueRange(hay);
        if (hay)
            todas = todas ? QCPRange(std::min(todas->lower, acciones.lower), std::max(todas->upper, acciones.upper))
                          : acciones;
    }
    if (todas) Grafico->yAxis2->setRange(std::min(0.0, todas->lower), std::max(todas->upper * 1.1, 1e-3));
    Grafico->replot(QCustomPlot::rpQueuedReplot);

    // the table: step by step, each run in turn; a run that ended early says why
    Tabla->clearSpans();
    Tabla->setRowCount(0);
    std::size_t pasos = 0;
    for (const ResultadoCorrida& c : corridas) pasos = std::max(pasos, c.escalones.size());
    auto fila = [&](std::size_t c) {
        const int f = Tabla->rowCount();
        Tabla->insertRow(f);
        auto* celda = new QTableWidgetItem(Rotulo(corridas[c].corrida));
        celda->setForeground(ColorDe(c));
        Tabla->setItem(f, 0, celda);
        return f;
    };
    for (std::size_t k = 0; k < pasos; ++k) {
        for (std::size_t c = 0; c < corridas.size(); ++c) {
            const auto& escalones = corridas[c].escalones;
            if (k >= escalones.size()) continue;
            const IndicesEscalon& e = escalones[k];
            const int f = fila(c);
            const QStringList t = TextosIndices(e);
            QStringList celdas{QStringLiteral("%1 → %2").arg(t[1], t[2])};
            // a reference of one sample taken into this step is marked
            if (e.unidos > 0) celdas[0] += QStringLiteral(" (+%1)").arg(e.unidos);
            for (int i = 0; i < kIndicesTabla; ++i)
                if (i != 1 && i != 2) celdas << t[i];
            for (int i = 0; i < celdas.size(); ++i) {
                auto* celda = new QTableWidgetItem(celdas[i]);
                celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                if (i == 0 && e.unidos > 0)
                    celda->setToolTip(QStringLiteral("Incluye %1 cambio(s) de referencia de una sola muestra: el "
                                                     "escalón se mide desde el nivel del primero")
                                          .arg(e.unidos));
                Tabla->setItem(f, 1 + i, celda);
            }
        }
    }
    for (std::size_t c = 0; c < corridas.size(); ++c) {
        if (!corridas[c].fallo) continue;
        const int f = fila(c);
        const QString motivo = QString::fromStdString(*corridas[c].fallo);
        const auto& m = corridas[c].muestras;
        Tabla->setItem(
            f, 1,
            new QTableWidgetItem(
                m.empty() ? QStringLiteral("La corrida no empezó: %1").arg(motivo)
                          : QStringLiteral("La corrida se detuvo en la muestra %1: %2").arg(m.back().n).arg(motivo)));
        Tabla->setSpan(f, 1, 1, Tabla->columnCount() - 1);
    }
}
