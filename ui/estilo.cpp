#include "ui/estilo.h"

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
