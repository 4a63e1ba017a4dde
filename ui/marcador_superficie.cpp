#include "ui/marcador_superficie.h"

#include <qcustomplot.h>

#include <QPainter>

#include <algorithm>

namespace {

// Beyond this many pixels from the map a point is drawn at this distance: far enough to be off the map,
// near enough for the painter's integer coordinates.
constexpr double kLejos = 1e5;

}  // namespace

MarcadorSuperficie::MarcadorSuperficie(QCustomPlot* mapa, const std::deque<std::pair<double, double>>& rastro)
    : QWidget(mapa), mapa_(mapa), rastro_(rastro) {
    setObjectName(QStringLiteral("Marcador"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // transparent: the map under a repainted rectangle is drawn first (no WA_NoSystemBackground, which would
    // make Qt take the widget as opaque and leave the old trail on the screen)
    setGeometry(mapa->rect());
}

QPointF MarcadorSuperficie::Pixel(const std::pair<double, double>& p) const {
    const double x = mapa_->xAxis->coordToPixel(p.first), y = mapa_->yAxis->coordToPixel(p.second);
    return {std::clamp(x, -kLejos, kLejos), std::clamp(y, -kLejos, kLejos)};
}

QRect MarcadorSuperficie::Rodear(QPointF a, QPointF b) const {
    // the disc's radius and the pen around the rectangle of the two points, within the axis rectangle
    const int margen = kRadio + 2;
    return QRectF(a, b)
        .normalized()
        .toAlignedRect()
        .adjusted(-margen, -margen, margen, margen)
        .intersected(mapa_->axisRect()->rect());
}

QRect MarcadorSuperficie::Ocupado() const {
    if (rastro_.empty()) return {};
    // the extremes by hand: QRectF::united passes over rectangles of no size, which single points are
    const QPointF a = Pixel(rastro_.front());
    double x0 = a.x(), x1 = a.x(), y0 = a.y(), y1 = a.y();
    for (const auto& p : rastro_) {
        const QPointF q = Pixel(p);
        x0 = std::min(x0, q.x());
        x1 = std::max(x1, q.x());
        y0 = std::min(y0, q.y());
        y1 = std::max(y1, q.y());
    }
    return Rodear(QPointF(x0, y0), QPointF(x1, y1));
}

void MarcadorSuperficie::Mover() {
    const QRect ahora = Ocupado();
    const QRect cambio = antes_.united(ahora);
    antes_ = ahora;
    if (!cambio.isEmpty()) update(cambio);
}

void MarcadorSuperficie::Repintar(const std::pair<double, double>& a, const std::pair<double, double>& b) {
    const QRect r = Rodear(Pixel(a), Pixel(b));
    antes_ = Ocupado();
    if (!r.isEmpty()) update(r);
}

void MarcadorSuperficie::paintEvent(QPaintEvent*) {
    if (rastro_.empty()) return;
    QPainter p(this);
    p.setClipRect(mapa_->axisRect()->rect());
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor gris(40, 40, 40);
    QPolygonF linea;
    for (const auto& x : rastro_) linea << Pixel(x);
    p.setPen(QPen(gris, 1));
    p.drawPolyline(linea);
    p.setBrush(gris);
    for (int i = 0; i + 1 < linea.size(); ++i) p.drawEllipse(linea[i], 2, 2);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::yellow);
    p.drawEllipse(linea.back(), kRadio, kRadio);
}
