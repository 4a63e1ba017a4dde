#include "ui/pista_decimal.h"

#include <QRegularExpression>

#include "base/errores.h"
#include "base/numeros.h"

QString PistaDecimal(const QString& mensaje, char decimal) {
    static const QRegularExpression conversion(QStringLiteral("^'(.*)' is not a valid floating point value$"));
    const QRegularExpressionMatch m = conversion.match(mensaje);
    if (!m.hasMatch()) return {};
    const QChar propio = QLatin1Char(decimal);
    const QChar otro = QLatin1Char(decimal == ',' ? '.' : ',');
    QString texto = m.captured(1);
    if (!texto.contains(otro) || texto.contains(propio)) return {};
    texto.replace(otro, propio);
    try {
        TextoAFlotante(texto.toStdString(), decimal);
    } catch (const ErrorTanque&) {
        return {};  // not a number with either separator
    }
    return decimal == ',' ? QStringLiteral("use la coma decimal") : QStringLiteral("use el punto decimal");
}
