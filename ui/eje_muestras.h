#pragma once
// The time axis of the chart: its x values are sample counters, so its ticks stand at whole samples only,
// at steps of 1, 2 or 5 times a power of ten, the smallest such step at which no two labels touch; the
// labels are the whole numbers as they are. The ranges the axis may show are bounded here too.

#include <qcustomplot.h>

class QFontMetrics;

/// The time axis never reaches beyond +-2^31, the range of a 32-bit sample counter, so a label has at most
/// eleven characters; it shows at least one sample across and at most half that span, where a few labels
/// still fit between the ends.
inline constexpr double kMuestraExtrema = 2147483648.0;
inline constexpr double kMuestrasMinimas = 1.0;
inline constexpr double kMuestrasMaximas = kMuestraExtrema;

/// The value axis: never narrower than a thousandth of its centre's magnitude (nor than a thousandth), so
/// that its labels, six significant digits, stay distinct; never beyond the range of a Single.
inline constexpr double kValorExtremo = 4e38;
inline constexpr double kValorFraccionMinima = 1e-3;

/// The time range `rango` brought within the bounds above: widened or narrowed about its centre, then
/// moved back inside the bounds.
QCPRange AcotarMuestras(QCPRange rango);
/// The value range brought within its bounds likewise.
QCPRange AcotarValores(QCPRange rango);

class TickerMuestras : public QCPAxisTicker {
public:
    /// `eje` is the axis that uses this ticker: its length in pixels and its label font decide the step.
    explicit TickerMuestras(const QCPAxis* eje) : eje_(eje) {}

    /// The step for `rango` drawn over `pixeles` pixels with labels of `metricas`: 1, 2, 5, 10, 20, ...
    static double Paso(const QCPRange& rango, int pixeles, const QFontMetrics& metricas);
    /// The label of the tick at sample `x`: the whole number, with no separators and no exponent.
    static QString Etiqueta(double x);

    /// The axis length that the last step was chosen for (the chart lays out again when it has changed).
    int PixelesUsados() const { return pixeles_; }

protected:
    double getTickStep(const QCPRange& range) override;
    int getSubTickCount(double tickStep) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override;

private:
    const QCPAxis* eje_;
    int pixeles_ = 0;
};
