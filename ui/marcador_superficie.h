#pragma once
// The marker of the control surface: the inputs of the last inferences as a trail ending in a yellow disc,
// drawn over the map by a transparent widget of its own. A tick repaints only around the piece of the trail
// that it added and the piece that it took away; the map under it is not drawn again.

#include <QPixmap>
#include <QWidget>

#include <deque>
#include <utility>

class QCustomPlot;

class MarcadorSuperficie : public QWidget {
    Q_OBJECT
public:
    /// Radius of the disc at the last inference, in pixels.
    static constexpr int kRadio = 6;

    /// Over the whole of `mapa`, drawing `rastro` (error, derivative), oldest first.
    MarcadorSuperficie(QCustomPlot* mapa, const std::deque<std::pair<double, double>>& rastro);

    /// The trail has changed as a whole: repaints where it was and where it is.
    void Mover();
    /// The piece of the trail from `a` to `b` has changed (drawn or taken away): repaints around it alone,
    /// and nothing when both are drawn at the same place.
    void Repintar(const std::pair<double, double>& a, const std::pair<double, double>& b);

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    QPointF Pixel(const std::pair<double, double>& p) const;
    /// The rectangle from a to b, with room for the disc, within the map's axis rectangle.
    QRect Rodear(QPointF a, QPointF b) const;
    /// The rectangle that the trail covers now, within the map's axis rectangle.
    QRect Ocupado() const;
    /// A disc of that radius, centred in a picture of 2 radio + 3 pixels a side.
    static QPixmap Dibujo(int radio, const QPen& lapiz, const QBrush& relleno);

    QCustomPlot* mapa_;
    const std::deque<std::pair<double, double>>& rastro_;
    QRect antes_;
    QPixmap punto_, disco_;  // a dot of the trail, the disc of the last inference
};
