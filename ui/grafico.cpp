#include "ui/grafico.h"

#include <algorithm>
#include <array>

#include "core/serie.h"
#include "ui/estilo.h"

Grafico::Grafico(QWidget* padre) : QCustomPlot(padre) {
    setObjectName("Chart1");
    // no fill behind the plot: the chart stands on the window's own colour
    setBackground(palette().window());
    axisRect()->setBackground(Qt::NoBrush);
    setNotAntialiasedElements(QCP::aeAll);
    setPlottingHint(QCP::phFastPolylines, true);

    plotLayout()->insertRow(0);
    auto* titulo = new QCPTextElement(this, QStringLiteral("Señales en el Tiempo"), FuenteSans(12));
    plotLayout()->addElement(0, 0, titulo);
    legend->setVisible(false);

    for (QCPAxis* eje : {xAxis, yAxis}) eje->setTickLabelFont(FuenteVentana());
    // sample counters: whole numbers as they are, not powers of ten
    xAxis->setNumberFormat(QStringLiteral("f"));
    xAxis->setNumberPrecision(0);
    yAxis->setRange(0, 5);
    xAxis->setRange(0, 10);
    for (int i = 0; i < 3; ++i) {
        lineas_[i] = addGraph();
        lineas_[i]->setPen(QPen(std::array{kColorNivel, kColorAccion, kColorReferencia}[i], 1));
        lineas_[i]->setLineStyle(QCPGraph::lsLine);
        lineas_[i]->setScatterStyle(QCPScatterStyle::ssNone);
        lineas_[i]->setAdaptiveSampling(false);  // the points handed over are already what the pixels need
    }

    // wheel: zoom the time axis only; the value axis stays at 0 to 5
    setInteraction(QCP::iRangeZoom, true);
    axisRect()->setRangeZoom(Qt::Horizontal);
    axisRect()->setRangeZoomAxes(xAxis, nullptr);
    // left button: a rubber band to zoom into a range (drawn right to left: back to the whole range)
    setSelectionRectMode(QCP::srmCustom);
    connect(selectionRect(), &QCPSelectionRect::accepted, this, &Grafico::AlSoltarRectangulo);
    connect(xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, &Grafico::AlCambiarRango);
    // the points to draw depend on the pixel geometry, which is final only once the layout is done
    connect(this, &QCustomPlot::afterLayout, this, &Grafico::CargarPuntos);
    setToolTip(
        QStringLiteral("Arrastre a la derecha para ampliar, a la izquierda para ver todo; "
                       "botón derecho para desplazar; rueda para acercar; doble clic para ver todo"));
}

void Grafico::Series(const Serie* nivel, const Serie* accion, const Serie* referencia) {
    series_[0] = nivel;
    series_[1] = accion;
    series_[2] = referencia;
    Actualizar();
}

void Grafico::PonerRango(const QCPRange& rango) {
    ajustando_ = true;
    xAxis->setRange(rango);
    ajustando_ = false;
}

void Grafico::Actualizar() {
    if (siguiendo_) {
        // the automatic range: from the first x to the last x of all series
        bool hay = false;
        double menor = 0, mayor = 0;
        for (const Serie* s : series_) {
            if (!s || s->Vacia()) continue;
            const double a = s->X(0), b = s->X(s->Cuenta() - 1);
            menor = hay ? std::min(menor, a) : a;
            mayor = hay ? std::max(mayor, b) : b;
            hay = true;
        }
        if (!hay) {
            menor = 0;
            mayor = 10;
        } else if (mayor <= menor) {
            mayor = menor + 1;
        }
        PonerRango(QCPRange(menor, mayor));
    }
    replot(QCustomPlot::rpQueuedReplot);
}

void Grafico::RangoEntero() {
    siguiendo_ = true;
    Actualizar();
}

void Grafico::AlCambiarRango(const QCPRange&) {
    if (!ajustando_) siguiendo_ = false;  // the user zoomed or scrolled
}

void Grafico::CargarPuntos() {
    const QCPRange r = xAxis->range();
    for (int i = 0; i < 3; ++i) {
        datos_.clear();
        if (series_[i]) vistas_[i].Puntos(*series_[i], r.lower, r.upper, *xAxis, datos_);
        lineas_[i]->data()->set(datos_, true);
    }
}

void Grafico::AlSoltarRectangulo(const QRect& rectangulo, QMouseEvent*) {
    // the rectangle runs from where the drag began to where it ended, so a drag to the left has a
    // right edge left of its left edge
    const int desde = rectangulo.left(), hasta = rectangulo.right();
    if (std::abs(hasta - desde) < 3) return;  // a click, not a drag
    if (hasta < desde) {
        RangoEntero();
        return;
    }
    xAxis->setRange(xAxis->pixelToCoord(desde), xAxis->pixelToCoord(hasta));
    replot(QCustomPlot::rpQueuedReplot);
}

void Grafico::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::RightButton) {
        desplazando_ = true;
        desdePixel_ = evento->position().toPoint().x();
        desdeRango_ = xAxis->range();
        evento->accept();
        return;
    }
    QCustomPlot::mousePressEvent(evento);
}

void Grafico::mouseMoveEvent(QMouseEvent* evento) {
    if (desplazando_) {
        const double porPixel = desdeRango_.size() / std::max(1, axisRect()->width());
        const double d = (evento->position().toPoint().x() - desdePixel_) * porPixel;
        xAxis->setRange(desdeRango_.lower - d, desdeRango_.upper - d);
        replot(QCustomPlot::rpQueuedReplot);
        return;
    }
    QCustomPlot::mouseMoveEvent(evento);
}

void Grafico::mouseReleaseEvent(QMouseEvent* evento) {
    if (desplazando_ && evento->button() == Qt::RightButton) {
        desplazando_ = false;
        return;
    }
    QCustomPlot::mouseReleaseEvent(evento);
}

void Grafico::mouseDoubleClickEvent(QMouseEvent* evento) {
    RangoEntero();
    evento->accept();
}

void Grafico::SuperponerModelo(const QVector<double>& x, const QVector<double>& y) {
    if (!modelo_) {
        modelo_ = addGraph();
        modelo_->setName(QStringLiteral("Modelo"));
        modelo_->setPen(QPen(kColorModelo, 1, Qt::DashLine));
        modelo_->setLineStyle(QCPGraph::lsLine);
    }
    modelo_->setData(x, y, true);
    replot(QCustomPlot::rpQueuedReplot);
}

void Grafico::QuitarModelo() {
    if (!modelo_) return;
    removeGraph(modelo_);
    modelo_ = nullptr;
    replot(QCustomPlot::rpQueuedReplot);
}
