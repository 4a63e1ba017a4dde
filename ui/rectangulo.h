#pragma once
// A filled rectangle with a 1-pixel black outline: the level bar and the chart's colour legend.

#include <QColor>
#include <QWidget>
#include <cstdint>

class Rectangulo : public QWidget {
public:
    Rectangulo(QWidget* padre, const QColor& relleno);

protected:
    void paintEvent(QPaintEvent*) override;
    /// Which edges of the outline lie within the widget (an edge cut off by the parent is not drawn).
    bool bordeArriba_ = true;
    bool bordeAbajo_ = true;

private:
    QColor relleno_;
};

/// The level bar `Nivel`: a blue rectangle whose bottom edge stays where the core puts it. It is drawn
/// clipped to its parent's area; a height of 0 or less draws nothing.
class BarraNivel : public Rectangulo {
public:
    BarraNivel(QWidget* padre, int izquierda, int ancho);
    /// Top and height in the parent's coordinates, as the core gives them (any 32-bit values).
    void Poner(std::int32_t top, std::int32_t alto);
    std::int32_t Top() const { return top_; }
    std::int32_t Alto() const { return alto_; }

private:
    int izquierda_;
    int ancho_;
    std::int32_t top_ = 0;
    std::int32_t alto_ = 0;
};
