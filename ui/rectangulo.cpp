#include "ui/rectangulo.h"

#include <QPainter>
#include <algorithm>

Rectangulo::Rectangulo(QWidget* padre, const QColor& relleno) : QWidget(padre), relleno_(relleno) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Rectangulo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width(), h = height();
    p.fillRect(rect(), relleno_);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    // the outline is the outermost pixel ring of the rectangle
    p.drawRect(0, 0, 1, h);
    p.drawRect(w - 1, 0, 1, h);
    if (bordeArriba_) p.drawRect(0, 0, w, 1);
    if (bordeAbajo_) p.drawRect(0, h - 1, w, 1);
}

BarraNivel::BarraNivel(QWidget* padre, int izquierda, int ancho)
    : Rectangulo(padre, QColor(0, 0, 255)), izquierda_(izquierda), ancho_(ancho) {}

void BarraNivel::Poner(std::int32_t top, std::int32_t alto) {
    top_ = top;
    alto_ = alto;
    if (alto <= 0 || !parentWidget()) {
        hide();
        return;
    }
    // in 64 bits: a bar of any height, clipped to the window's client area
    const std::int64_t arriba = top, abajo = std::int64_t{top} + alto - 1;
    const std::int64_t limite = parentWidget()->height() - 1;
    const std::int64_t y1 = std::max<std::int64_t>(arriba, 0), y2 = std::min(abajo, limite);
    if (y1 > y2) {
        hide();
        return;
    }
    bordeArriba_ = y1 == arriba;
    bordeAbajo_ = y2 == abajo;
    setGeometry(izquierda_, static_cast<int>(y1), ancho_, static_cast<int>(y2 - y1 + 1));
    show();
    update();
}
