#pragma once
// The value axis of the identification's residuals: as many ticks as fit with a label's height between
// them, labelled in the table's notation (Numero: "1.1e-07", "0.0025"), so that no two labels touch and the
// window writes its numbers one way.

#include <qcustomplot.h>

class TickerResiduo : public QCPAxisTicker {
public:
    explicit TickerResiduo(const QCPAxis* eje) : eje_(eje) {}

protected:
    double getTickStep(const QCPRange& range) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override;

private:
    const QCPAxis* eje_;
    double paso_ = 1;
};
