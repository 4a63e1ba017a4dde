#include "ui/textos_identificacion.h"

#include <algorithm>
#include <cmath>

#include "ui/estilo.h"

namespace {

const QString kSinValor = QStringLiteral("—");

QString ConSeparador(QString t) {
    const char d = SeparadorDecimal();
    if (d != '.') t.replace(QChar('.'), QChar(d));
    return t;
}

}  // namespace

QString Numero(double v, int cifras) {
    if (!std::isfinite(v)) return kSinValor;
    if (v == 0) return QStringLiteral("0");
    const int exponente = static_cast<int>(std::floor(std::log10(std::abs(v))));
    // fixed notation while it stays short: from 0.0001 up to a few digits beyond the significant ones
    if (exponente < -4 || exponente > cifras + 2) return ConSeparador(QString::number(v, 'e', cifras - 1));
    return ConSeparador(QString::number(v, 'f', std::max(0, cifras - 1 - exponente)));
}

QString Corto(double v) {
    if (!std::isfinite(v)) return kSinValor;
    return ConSeparador(QString::number(v, 'g', 6));
}

QString ConError(double v, double error, int cifras) {
    return Numero(v, cifras) + QStringLiteral(" ± ") + Numero(error, 2);
}

QString Porcentaje(double relativo) {
    if (!std::isfinite(relativo)) return kSinValor;
    const double p = 100 * relativo;
    return (p > 0 ? QStringLiteral("+") : QString()) + Numero(p, 3) + QStringLiteral(" %");
}

QString Fijo(double v, int decimales) {
    if (!std::isfinite(v)) return kSinValor;
    return ConSeparador(QString::number(v, 'f', decimales));
}
