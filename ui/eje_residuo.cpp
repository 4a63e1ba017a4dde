#include "ui/eje_residuo.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "ui/textos_identificacion.h"

double TickerResiduo::getTickStep(const QCPRange& range) {
    // labels at least twice their height apart; the clean step may come out a quarter smaller than asked
    const int alto = QFontMetrics(eje_->tickLabelFont()).height();
    const int pixeles = eje_->axisRect()->height();
    setTickCount(std::max(1, pixeles / (2 * std::max(alto, 1))));
    paso_ = QCPAxisTicker::getTickStep(range);
    return paso_;
}

QString TickerResiduo::getTickLabel(double tick, const QLocale&, QChar, int) {
    // a tick at 0 that the sums left at 1e-22 is 0
    if (std::abs(tick) < paso_ * 1e-6) tick = 0;
    return Numero(tick, 2);
}
