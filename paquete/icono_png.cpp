// icono-png: renders an SVG drawing into a square PNG of N x N pixels, for the icon theme's fixed sizes.
// Used at build time only; never installed.

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: icono-png DIBUJO.svg SALIDA.png N\n", stderr);
        return 2;
    }
    const std::string texto = argv[3];
    char* fin = nullptr;
    const long lado = std::strtol(texto.c_str(), &fin, 10);
    if (texto.empty() || *fin != '\0' || lado < 1 || lado > 4096) {
        std::fprintf(stderr, "icono-png: the size must be a whole number from 1 to 4096: '%s'\n", argv[3]);
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "icono-png: cannot read the drawing %s\n", argv[1]);
        return 1;
    }
    QImage imagen(static_cast<int>(lado), static_cast<int>(lado), QImage::Format_ARGB32_Premultiplied);
    imagen.fill(Qt::transparent);
    {
        QPainter pintor(&imagen);
        pintor.setRenderHint(QPainter::Antialiasing);
        pintor.setRenderHint(QPainter::SmoothPixmapTransform);
        // the whole view box into the whole square
        svg.render(&pintor, QRectF(0, 0, static_cast<qreal>(lado), static_cast<qreal>(lado)));
    }
    if (!imagen.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "icono-png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
