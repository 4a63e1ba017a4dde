#include "ui/estilo.h"

#include <QLabel>
#include <QStringList>

namespace {

QFont Fuente(const QStringList& familias, QFont::StyleHint pista, int pixeles) {
    QFont f;
    f.setFamilies(familias);
    f.setStyleHint(pista);
    f.setPixelSize(pixeles);
    return f;
}

}  // namespace

QFont FuenteVentana() { return FuenteSans(11); }

QFont FuenteSans(int pixeles) {
    return Fuente({"Liberation Sans", "DejaVu Sans", "Sans Serif"}, QFont::SansSerif, pixeles);
}

QFont FuenteSerif(int pixeles) {
    // Liberation Serif has the metrics of Times New Roman
    return Fuente({"Liberation Serif", "DejaVu Serif", "Serif"}, QFont::Serif, pixeles);
}

#include <QLocale>

char SeparadorDecimal() {
    const QString punto = QLocale().decimalPoint();
    if (punto.size() == 1 && punto[0].unicode() < 128) return static_cast<char>(punto[0].unicode());
    return '.';
}

QLabel* EtiquetaEn(QWidget* padre, const QString& texto, int x, int y, const QFont& fuente, const QColor& color) {
    auto* e = new QLabel(texto, padre);
    e->setFont(fuente);
    QPalette p = e->palette();
    p.setColor(QPalette::WindowText, color);
    e->setPalette(p);
    e->move(x, y);
    e->adjustSize();
    return e;
}
