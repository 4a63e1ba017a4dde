#include "ui/comparacion_controladores.h"

#include <qcustomplot.h>

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include <algorithm>

#include "core/interfaces.h"
#include "ui/estilo.h"
#include "ui/indices_desempeno.h"

namespace {

constexpr int kAncho = 900;
constexpr int kAltoGrafico = 320;
constexpr int kAltoTabla = 190;
// the indices in the table: up to the steady-state error; every step but the last is finished
constexpr int kIndicesTabla = 11;

QString Referencia(std::int32_t posicion) { return NumeroIndice(ReferenciaDe(posicion), posicion % 2 == 0 ? 0 : 1); }

}  // namespace

QColor TFrm_Comparacion::ColorPID() { return QColor(0, 70, 200); }
QColor TFrm_Comparacion::ColorFuzzy() { return QColor(200, 0, 160); }

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
    Grafico->setObjectName(QStringLiteral("Grafico"));
    Grafico->setGeometry(6, 6, kAncho, kAltoGrafico);
    Grafico->setBackground(palette().window());
    Grafico->plotLayout()->insertRow(0);
    Grafico->plotLayout()->addElement(
        0, 0, new QCPTextElement(Grafico, QStringLiteral("PID y Fuzzy sobre la misma referencia"), FuenteSans(12)));
    Grafico->xAxis->setLabel(QStringLiteral("Muestra"));
    for (QCPAxis* eje : {Grafico->xAxis, Grafico->yAxis}) {
        eje->setTickLabelFont(FuenteVentana());
        eje->setLabelFont(FuenteVentana());
    }
    Grafico->xAxis->setNumberFormat(QStringLiteral("f"));
    Grafico->xAxis->setNumberPrecision(0);
    struct Linea {
        const char* nombre;
        QColor color;
        Qt::PenStyle estilo;
        int ancho;
    };
    for (const Linea& l :
         {Linea{"Referencia", QColor(190, 160, 0), Qt::SolidLine, 2}, Linea{"Nivel PID", ColorPID(), Qt::SolidLine, 2},
          Linea{"Nivel Fuzzy", ColorFuzzy(), Qt::SolidLine, 2}, Linea{"Acción PID", ColorPID(), Qt::DashLine, 1},
          Linea{"Acción Fuzzy", ColorFuzzy(), Qt::DashLine, 1}}) {
        QCPGraph* g = Grafico->addGraph();
        g->setName(QString::fromUtf8(l.nombre));
        g->setPen(QPen(l.color, l.ancho, l.estilo));
    }
    // the actions on an axis of their own at the right: a PID's kick would flatten the levels
    Grafico->yAxis->setLabel(QStringLiteral("Nivel y referencia"));
    Grafico->yAxis2->setVisible(true);
    Grafico->yAxis2->setLabel(QStringLiteral("Acción de control"));
    Grafico->yAxis2->setTickLabelFont(FuenteVentana());
    Grafico->yAxis2->setLabelFont(FuenteVentana());
    for (int i : {3, 4}) Grafico->graph(i)->setValueAxis(Grafico->yAxis2);
    Grafico->legend->setVisible(true);
    Grafico->legend->setFont(FuenteVentana());
    Grafico->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignBottom | Qt::AlignRight);

    Calendario = new QLabel(this);
    Calendario->setObjectName(QStringLiteral("Calendario"));
    Calendario->setGeometry(10, kAltoGrafico + 10, kAncho - 8, 18);

    QStringList columnas{QStringLiteral("Controlador"), QStringLiteral("Escalón")};
    const QStringList nombres = NombresIndices(true);
    for (int k = 0; k < kIndicesTabla; ++k)
        if (k != 1 && k != 2) columnas << nombres[k];  // the step's start and target go in "Escalón"
    Tabla = new QTableWidget(0, columnas.size(), this);
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

void TFrm_Comparacion::Mostrar(const ResultadoComparacion& r, const std::vector<CambioReferencia>& calendario,
                               std::int64_t muestras) {
    Calendario->setText(TextoCalendario(calendario, muestras));
    // the lines: the reference from the PID run (the same schedule in both), or from the fuzzy run
    const ResultadoCorrida* corridas[2] = {&r.pid, &r.fuzzy};
    QVector<double> n, ref;
    const ResultadoCorrida& conReferencia = r.pid.muestras.size() >= r.fuzzy.muestras.size() ? r.pid : r.fuzzy;
    for (const MuestraCorrida& m : conReferencia.muestras) {
        n.append(m.n);
        ref.append(m.referencia);
    }
    Grafico->graph(0)->setData(n, ref, true);
    double alto = 1;
    for (double r : ref) alto = std::max(alto, r);
    for (int c = 0; c < 2; ++c) {
        QVector<double> x, nivel, accion;
        for (const MuestraCorrida& m : corridas[c]->muestras) {
            x.append(m.n);
            nivel.append(m.nivel);
            accion.append(m.accion);
            alto = std::max(alto, static_cast<double>(m.nivel));
        }
        Grafico->graph(1 + c)->setData(x, nivel, true);
        Grafico->graph(3 + c)->setData(x, accion, true);
    }
    Grafico->xAxis->setRange(0, std::max<double>(1, static_cast<double>(muestras - 1)));
    Grafico->yAxis->setRange(0, std::min(alto * 1.1, 1e6));
    bool hay = false;
    const QCPRange acciones = Grafico->graph(3)->data()->valueRange(hay);
    bool hayFuzzy = false;
    QCPRange todas = Grafico->graph(4)->data()->valueRange(hayFuzzy);
    if (hay)
        todas = hayFuzzy ? QCPRange(std::min(todas.lower, acciones.lower), std::max(todas.upper, acciones.upper))
                         : acciones;
    if (hay || hayFuzzy) Grafico->yAxis2->setRange(std::min(0.0, todas.lower), std::max(todas.upper * 1.1, 1e-3));
    Grafico->replot(QCustomPlot::rpQueuedReplot);

    // the table: step by step, the PID then the fuzzy controller; a run that ended early says why
    Tabla->clearSpans();
    Tabla->setRowCount(0);
    const std::size_t pasos = std::max(r.pid.escalones.size(), r.fuzzy.escalones.size());
    auto fila = [&](const QString& controlador, const QColor& color) {
        const int f = Tabla->rowCount();
        Tabla->insertRow(f);
        auto* celda = new QTableWidgetItem(controlador);
        celda->setForeground(color);
        Tabla->setItem(f, 0, celda);
        return f;
    };
    for (std::size_t k = 0; k < pasos; ++k) {
        for (int c = 0; c < 2; ++c) {
            const auto& escalones = corridas[c]->escalones;
            if (k >= escalones.size()) continue;
            const IndicesEscalon& e = escalones[k];
            const int f =
                fila(c == 0 ? QStringLiteral("PID") : QStringLiteral("Fuzzy"), c == 0 ? ColorPID() : ColorFuzzy());
            const QStringList t = TextosIndices(e);
            QStringList celdas{QStringLiteral("%1 → %2").arg(t[1], t[2])};
            for (int i = 0; i < kIndicesTabla; ++i)
                if (i != 1 && i != 2) celdas << t[i];
            for (int i = 0; i < celdas.size(); ++i) {
                auto* celda = new QTableWidgetItem(celdas[i]);
                celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                Tabla->setItem(f, 1 + i, celda);
            }
        }
    }
    for (int c = 0; c < 2; ++c) {
        if (!corridas[c]->fallo) continue;
        const int f =
            fila(c == 0 ? QStringLiteral("PID") : QStringLiteral("Fuzzy"), c == 0 ? ColorPID() : ColorFuzzy());
        const QString motivo = QString::fromStdString(*corridas[c]->fallo);
        const auto& m = corridas[c]->muestras;
        Tabla->setItem(
            f, 1,
            new QTableWidgetItem(
                m.empty() ? QStringLiteral("La corrida no empezó: %1").arg(motivo)
                          : QStringLiteral("La corrida se detuvo en la muestra %1: %2").arg(m.back().n).arg(motivo)));
        Tabla->setSpan(f, 1, 1, Tabla->columnCount() - 1);
    }
}
