#include "ui/marcador_superficie.h"

#include <qcustomplot.h>

#include <QPainter>

#include <algorithm>

namespace {

// Beyond this many pixels from the map a point is drawn at this distance: far enough to be off the map,
// near enough for the painter's integer coordinates.
constexpr double kLejos = 1e5;
const QColor kGris(40, 40, 40);

}  // namespace

MarcadorSuperficie::MarcadorSuperficie(QCustomPlot* mapa, const std::deque<std::pair<double, double>>& rastro)
    : QWidget(mapa),
      mapa_(mapa),
      rastro_(rastro),
      punto_(Dibujo(2, Qt::NoPen, kGris)),
      disco_(Dibujo(kRadio, QPen(Qt::black, 2), Qt::yellow)) {
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
    antes_ = Ocupado();
    // a piece of no length, from a point to another at the same place, changes nothing on the screen: a
    // controller at rest costs no painting
    const QPointF pa = Pixel(a), pb = Pixel(b);
    if (pa.x() == pb.x() && pa.y() == pb.y()) return;
    const QRect r = Rodear(pa, pb);
    if (!r.isEmpty()) update(r);
}

void MarcadorSuperficie::paintEvent(QPaintEvent* evento) {
    if (rastro_.empty()) return;
    QPainter p(this);
    p.setClipRect(mapa_->axisRect()->rect());
    p.setRenderHint(QPainter::Antialiasing, true);
    QPolygonF linea;
    for (const auto& x : rastro_) linea << Pixel(x);
    p.setPen(QPen(kGris, 1));
    p.drawPolyline(linea);
    // the dots and the disc as pictures drawn once, each placed only where the repainted area needs it
    const QRect zona = evento->rect().adjusted(-kRadio - 2, -kRadio - 2, kRadio + 2, kRadio + 2);
    for (int i = 0; i + 1 < linea.size(); ++i)
        if (zona.contains(linea[i].toPoint())) p.drawPixmap(linea[i] - QPointF(2.5, 2.5), punto_);
    if (zona.contains(linea.back().toPoint())) p.drawPixmap(linea.back() - QPointF(kRadio + 1.5, kRadio + 1.5), disco_);
}

QPixmap MarcadorSuperficie::Dibujo(int radio, const QPen& lapiz, const QBrush& relleno) {
    const int lado = 2 * radio + 3;
    QPixmap dibujo(lado, lado);
    dibujo.fill(Qt::transparent);
    QPainter p(&dibujo);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(lapiz);
    p.setBrush(relleno);
    p.drawEllipse(QPointF(lado / 2.0, lado / 2.0), radio, radio);
    return dibujo;
}
