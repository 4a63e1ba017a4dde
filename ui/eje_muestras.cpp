#include "ui/eje_muestras.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace {

// A range from `minimo` to `maximo` (at most 2 x `extremo`) across, within +-`extremo`: a narrower or wider
// one is resized about its centre, one that crosses a bound moves back inside it.
QCPRange Acotar(const QCPRange& r, double minimo, double maximo, double extremo) {
    const double ancho = std::clamp(r.size(), minimo, maximo);
    if (ancho == r.size() && r.lower >= -extremo && r.upper <= extremo) return r;
    // the centre is kept within the bounds before the ends are taken from it: a range grown far beyond
    // them (a wheel turned at once by many notches) has a centre lost in rounding, as large as its ends
    const double c = std::clamp(r.center(), -extremo + ancho / 2, extremo - ancho / 2);
    return QCPRange(c - ancho / 2, c + ancho / 2);
}

}  // namespace

QCPRange AcotarMuestras(QCPRange rango) { return Acotar(rango, kMuestrasMinimas, kMuestrasMaximas, kMuestraExtrema); }

QCPRange AcotarValores(QCPRange rango) {
    // relative to the centre, which the resizing keeps
    return Acotar(rango, kValorFraccionMinima * std::max(std::abs(rango.center()), 1.0), 2 * kValorExtremo,
                  kValorExtremo);
}

QString TickerMuestras::Etiqueta(double x) { return QString::number(static_cast<qint64>(std::llround(x))); }

double TickerMuestras::Paso(const QCPRange& rango, int pixeles, const QFontMetrics& metricas) {
    // the widest label has the most digits, which the end farthest from 0 has; centred on their ticks, two
    // labels keep apart when the ticks are a label and a gap of one digit and a bit apart
    const int ancho = std::max(metricas.horizontalAdvance(Etiqueta(std::floor(rango.lower))),
                               metricas.horizontalAdvance(Etiqueta(std::ceil(rango.upper))));
    const double necesario = ancho + metricas.horizontalAdvance(QLatin1Char('0')) + 3;
    const double porMuestra = std::max(pixeles, 1) / std::max(rango.size(), kMuestrasMinimas);
    // from 1 upwards: the first of 1, 2, 5 x 10^k whose ticks are far enough apart; the axis spans at
    // most 2^32 samples, so 10^10 always is
    for (double potencia = 1; potencia < 1e10; potencia *= 10)
        for (double m : {1.0, 2.0, 5.0})
            if (m * potencia * porMuestra >= necesario) return m * potencia;
    return 1e10;
}

double TickerMuestras::getTickStep(const QCPRange& range) {
    const QRect r = eje_->axisRect()->rect();
    pixeles_ = eje_->orientation() == Qt::Horizontal ? r.width() : r.height();
    return Paso(range, pixeles_, QFontMetrics(eje_->tickLabelFont()));
}

int TickerMuestras::getSubTickCount(double tickStep) {
    // a sub-tick at every fifth of a step of 1 or 5 x 10^k and at the half of a step of 2 x 10^k: whole
    // samples all, and none between the ticks of a step of 1
    if (tickStep < 2) return 0;
    const double mantisa = tickStep / std::pow(10.0, std::floor(std::log10(tickStep) + 1e-9));
    return std::abs(mantisa - 2) < 1e-6 ? 1 : 4;
}

QString TickerMuestras::getTickLabel(double tick, const QLocale&, QChar, int) { return Etiqueta(tick); }
