#include "ui/grafico.h"

#include <QContextMenuEvent>

#include <algorithm>
#include <array>

#include "core/serie.h"
#include "ui/eje_muestras.h"
#include "ui/estilo.h"
#include "ui/imagen_grafico.h"

namespace {

const QCPRange kValoresIniciales(0, 5);

}  // namespace

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
    // sample counters: ticks at whole samples, labelled with the whole numbers
    ticker_ = QSharedPointer<TickerMuestras>::create(xAxis);
    xAxis->setTicker(ticker_);
    yAxis->setRange(kValoresIniciales);
    xAxis->setRange(0, 10);
    for (int i = 0; i < 3; ++i) {
        lineas_[i] = addGraph();
        lineas_[i]->setPen(QPen(std::array{kColorNivel, kColorAccion, kColorReferencia}[i], 1));
        lineas_[i]->setLineStyle(QCPGraph::lsLine);
        lineas_[i]->setScatterStyle(QCPScatterStyle::ssNone);
        lineas_[i]->setAdaptiveSampling(false);  // the points handed over are already what the pixels need
        // the names of a saved picture's legend (the screen shows none)
        lineas_[i]->setName(std::array{QStringLiteral("Nivel"), QStringLiteral("Acción de control"),
                                       QStringLiteral("Referencia")}[i]);
    }
    // the right button drags the view: its menu ("Guardar imagen...") comes on a click that does not move
    MenuImagen(this, {QStringLiteral("Muestra"), QStringLiteral("Nivel (m) y acción de control (m³/s)")});
    // the reference under the others and the level over them, so that a level at its set-point shows
    addLayer(QStringLiteral("referencia"), layer(QStringLiteral("main")), QCustomPlot::limBelow);
    addLayer(QStringLiteral("nivel"), layer(QStringLiteral("main")), QCustomPlot::limAbove);
    lineas_[2]->setLayer(QStringLiteral("referencia"));
    lineas_[0]->setLayer(QStringLiteral("nivel"));

    // wheel: zoom the time axis, with Ctrl the value axis (wheelEvent picks which)
    setInteraction(QCP::iRangeZoom, true);
    axisRect()->setRangeZoom(Qt::Horizontal);
    axisRect()->setRangeZoomAxes(xAxis, yAxis);
    // left button: a rubber band to zoom into a rectangle (drawn right to left: back to the whole range)
    setSelectionRectMode(QCP::srmCustom);
    connect(selectionRect(), &QCPSelectionRect::accepted, this, &Grafico::AlSoltarRectangulo);
    connect(xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, &Grafico::AlCambiarRango);
    connect(yAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, &Grafico::AlCambiarValores);
    // the points to draw depend on the pixel geometry, which is final only once the layout is done
    connect(this, &QCustomPlot::afterLayout, this, &Grafico::AlTerminarDisposicion);
    // rich text, so that the tip wraps at the width of its table instead of running across the screen
    setToolTip(
        QStringLiteral("<table width=\"300\"><tr><td>Arrastre a la derecha para ampliar, a la izquierda para ver todo; "
                       "botón derecho para desplazar; rueda para acercar o alejar el tiempo, Ctrl+rueda los valores; "
                       "doble clic para ver todo.</td></tr></table>"));
}

void Grafico::Series(const Serie* nivel, const Serie* accion, const Serie* referencia) {
    series_[0] = nivel;
    series_[1] = accion;
    series_[2] = referencia;
    Actualizar();
}

void Grafico::SeriePerturbacion(const Serie* perturbacion) {
    perturbacion_ = perturbacion;
    Actualizar();
}

void Grafico::PonerRango(const QCPRange& rango) {
    ajustando_ = true;
    xAxis->setRange(rango);
    ajustando_ = false;
}

bool Grafico::Extremos(double& menor, double& mayor) const {
    bool hay = false;
    for (const Serie* s : series_) {
        if (!s || s->Vacia()) continue;
        const double a = s->X(0), b = s->X(s->Cuenta() - 1);
        menor = hay ? std::min(menor, a) : a;
        mayor = hay ? std::max(mayor, b) : b;
        hay = true;
    }
    return hay;
}

void Grafico::Actualizar() {
    double menor = 0, mayor = 0;
    const bool hay = Extremos(menor, mayor);
    if (!siguiendo_ && hay) {
        const QCPRange r = xAxis->range();
        // a fixed view that the run has left empty (a PID or fuzzy chart keeps only its last samples)
        // follows again rather than show nothing
        if (!vivo_ && (r.upper < menor || r.lower > mayor)) vivo_ = true;
        if (vivo_ && r.upper != mayor) {
            // the user's width, ending at the newest sample, never before the first one
            const double ancho = r.size();
            const double desde = std::max(mayor - ancho, 0.0);
            PonerRango(QCPRange(desde, desde + ancho));
        }
        MostrarAviso();
    }
    if (siguiendo_) {
        // the automatic range: from the first x to the last x of all series
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
    vivo_ = true;
    MostrarAviso();
    yAxis->setRange(kValoresIniciales);
    Actualizar();
}

void Grafico::DecidirSeguimiento(const QCPRange& rango) {
    double menor = 0, mayor = 0;
    const bool hay = Extremos(menor, mayor);
    // a zoom keeps following when the range followed before; a scroll follows when it reaches the newest sample
    if (ampliando_) vivo_ = siguiendo_ || vivo_;
    else vivo_ = !hay || rango.upper >= mayor;
}

void Grafico::MostrarAviso() {
    const bool fija = VistaFija();
    if (fija && !avisoFija_) {
        avisoFija_ = new QCPItemText(this);
        avisoFija_->setClipToAxisRect(false);
        avisoFija_->position->setType(QCPItemPosition::ptAxisRectRatio);
        avisoFija_->position->setCoords(1, 0);
        avisoFija_->setPositionAlignment(Qt::AlignRight | Qt::AlignTop);
        avisoFija_->setText(QStringLiteral("vista fija: doble clic para volver"));
        avisoFija_->setFont(FuenteVentana());
        avisoFija_->setColor(QColor(128, 0, 0));
        avisoFija_->setBrush(QBrush(QColor(255, 255, 225)));
        avisoFija_->setPadding(QMargins(3, 1, 3, 1));
    }
    if (avisoFija_ && avisoFija_->visible() != fija) {
        avisoFija_->setVisible(fija);
        replot(QCustomPlot::rpQueuedReplot);
    }
}

void Grafico::AlCambiarRango(const QCPRange& rango) {
    if (!ajustando_ && !acotando_) {
        // the user zoomed or scrolled
        DecidirSeguimiento(rango);
        siguiendo_ = false;
        MostrarAviso();
    }
    // no narrower than a sample, no farther than a sample counter reaches (a wheel turned on and on); with
    // the mouse over a chart that has samples, none before sample 0, where every run's counter starts
    QCPRange acotado = AcotarMuestras(rango);
    double menor = 0, mayor = 0;
    if (conRaton_ && acotado.lower < 0 && Extremos(menor, mayor) && menor >= 0) acotado = QCPRange(0, acotado.size());
    if (acotando_ || acotado == rango) return;
    acotando_ = true;
    xAxis->setRange(acotado);
    acotando_ = false;
}

void Grafico::AlCambiarValores(const QCPRange& rango) {
    const QCPRange acotado = AcotarValores(rango);
    if (acotando_ || acotado == rango) return;
    acotando_ = true;
    yAxis->setRange(acotado);
    acotando_ = false;
}

void Grafico::AlTerminarDisposicion() {
    // the time axis's step was chosen before the layout, for the length the axis had then; when the value
    // axis's labels have changed its width since, the step is chosen again at once
    if (ticker_->PixelesUsados() != axisRect()->width()) replot(QCustomPlot::rpQueuedReplot);
    CargarPuntos();
}

void Grafico::CargarPuntos() {
    const QCPRange r = xAxis->range();
    for (int i = 0; i < 3; ++i) {
        if (series_[i] && series_[i]->Tramos() > 1) {
            CargarTramos(i, r.lower, r.upper);
            continue;
        }
        for (QCPGraph* g : tramos_[i]) removeGraph(g);
        tramos_[i].clear();
        datos_.clear();
        if (series_[i]) vistas_[i].Puntos(*series_[i], r.lower, r.upper, *xAxis, datos_);
        lineas_[i]->data()->set(datos_, true);
    }
    CargarPerturbacion(r.lower, r.upper);
}

void Grafico::CargarPerturbacion(double xmin, double xmax) {
    if (!perturbacion_ || perturbacion_->Vacia()) {
        if (lineaPerturbacion_) removeGraph(lineaPerturbacion_);
        lineaPerturbacion_ = nullptr;
        return;
    }
    if (!lineaPerturbacion_) {
        lineaPerturbacion_ = addGraph();
        lineaPerturbacion_->setPen(QPen(kColorPerturbacion, 1, Qt::DashLine));
        lineaPerturbacion_->setLineStyle(QCPGraph::lsLine);
        lineaPerturbacion_->setScatterStyle(QCPScatterStyle::ssNone);
        lineaPerturbacion_->setAdaptiveSampling(false);
        lineaPerturbacion_->setName(QStringLiteral("Perturbación"));
    }
    datos_.clear();
    vistaPerturbacion_.Puntos(*perturbacion_, xmin, xmax, *xAxis, datos_);
    lineaPerturbacion_->data()->set(datos_, true);
}

void Grafico::CargarTramos(int i, double xmin, double xmax) {
    const Serie& s = *series_[i];
    const std::size_t t = s.Tramos();
    while (static_cast<std::size_t>(tramos_[i].size()) + 1 < t) {
        QCPGraph* g = addGraph();
        g->setPen(lineas_[i]->pen());
        g->setLineStyle(QCPGraph::lsLine);
        g->setScatterStyle(QCPScatterStyle::ssNone);
        g->setAdaptiveSampling(true);  // these points come unreduced
        g->setLayer(lineas_[i]->layer());
        tramos_[i].append(g);
    }
    // points of equal x stand in the order their runs began, so t points on each side of the range reach
    // one point beyond each end of every stretch
    const std::size_t n = s.Cuenta();
    const std::size_t desde = s.PrimeroDesde(xmin) - std::min(s.PrimeroDesde(xmin), t);
    const std::size_t hasta = std::min(n, s.PrimeroTras(xmax) + t);
    std::vector<QVector<QCPGraphData>> datos(t);
    for (std::size_t k = desde; k < hasta; ++k) datos[s.Tramo(k)].append(QCPGraphData(s.X(k), s.Y(k)));
    lineas_[i]->data()->set(datos[0], true);
    for (std::size_t j = 1; j < t; ++j) tramos_[i][static_cast<int>(j) - 1]->data()->set(datos[j], true);
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
    // both axes; the rectangle's height runs either way, whichever way the drag went
    const int arriba = std::min(rectangulo.top(), rectangulo.bottom());
    const int abajo = std::max(rectangulo.top(), rectangulo.bottom());
    // a rectangle is a place the user picked: it follows the run only when it reaches the newest sample
    conRaton_ = true;
    xAxis->setRange(xAxis->pixelToCoord(desde), xAxis->pixelToCoord(hasta));
    conRaton_ = false;
    if (abajo - arriba >= 3) yAxis->setRange(yAxis->pixelToCoord(abajo), yAxis->pixelToCoord(arriba));
    replot(QCustomPlot::rpQueuedReplot);
}

void Grafico::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::RightButton) {
        desplazando_ = true;
        desdePixel_ = evento->position().toPoint();
        desdeRango_ = xAxis->range();
        desdeValores_ = yAxis->range();
        evento->accept();
        return;
    }
    QCustomPlot::mousePressEvent(evento);
}

void Grafico::mouseMoveEvent(QMouseEvent* evento) {
    if (desplazando_) {
        // the points follow the pointer: right and up move the ranges left and down
        const QPoint d = evento->position().toPoint() - desdePixel_;
        const double dx = d.x() * desdeRango_.size() / std::max(1, axisRect()->width());
        const double dy = d.y() * desdeValores_.size() / std::max(1, axisRect()->height());
        conRaton_ = true;
        xAxis->setRange(desdeRango_.lower - dx, desdeRango_.upper - dx);
        conRaton_ = false;
        yAxis->setRange(desdeValores_.lower + dy, desdeValores_.upper + dy);
        replot(QCustomPlot::rpQueuedReplot);
        return;
    }
    QCustomPlot::mouseMoveEvent(evento);
}

void Grafico::mouseReleaseEvent(QMouseEvent* evento) {
    if (desplazando_ && evento->button() == Qt::RightButton) {
        desplazando_ = false;
        if ((evento->position().toPoint() - desdePixel_).manhattanLength() < 4)
            emit customContextMenuRequested(evento->position().toPoint());
        return;
    }
    QCustomPlot::mouseReleaseEvent(evento);
}

bool Grafico::event(QEvent* evento) {
    // the mouse's menu waits for the release (above); the keyboard's comes at once
    if (evento->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(evento)->reason() == QContextMenuEvent::Mouse)
        return true;
    return QCustomPlot::event(evento);
}

void Grafico::mouseDoubleClickEvent(QMouseEvent* evento) {
    RangoEntero();
    evento->accept();
}

void Grafico::wheelEvent(QWheelEvent* evento) {
    axisRect()->setRangeZoom(evento->modifiers().testFlag(Qt::ControlModifier) ? Qt::Vertical : Qt::Horizontal);
    ampliando_ = conRaton_ = true;
    QCustomPlot::wheelEvent(evento);
    ampliando_ = conRaton_ = false;
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
