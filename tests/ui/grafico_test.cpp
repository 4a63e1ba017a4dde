// The chart draws each series through a few points per pixel column: the picture must be the one that
// every point would draw, at any zoom and after points arrive out of order.

#include <QtTest>
#include <cmath>
#include <random>

#include "core/serie.h"
#include "ui/grafico.h"

namespace {

// Every point of the series in [xmin, xmax], with one beyond each end, as the line would get them all.
QVector<QCPGraphData> Todos(const Serie& s, double xmin, double xmax) {
    QVector<QCPGraphData> v;
    const std::size_t a = std::max<std::size_t>(s.PrimeroDesde(xmin), 1) - 1;
    const std::size_t b = std::min(s.Cuenta(), s.PrimeroTras(xmax) + 1);
    for (std::size_t i = a; i < b; ++i) v.append(QCPGraphData(s.X(i), s.Y(i)));
    return v;
}

// The chart as it draws itself on screen, then the same chart handed every point, pixel by pixel. (An
// export through toPixmap draws its lines another way, so the widget itself is grabbed.)
void CompararConTodosLosPuntos(Grafico& g, Serie* series, const char* caso) {
    g.replot(QCustomPlot::rpImmediateRefresh);
    const QImage resumido = g.grab().toImage();
    int puntos = 0;
    for (int i = 0; i < 3; ++i) puntos += g.graph(i)->dataCount();
    g.blockSignals(true);  // keep the chart from loading its own points again
    for (int i = 0; i < 3; ++i) g.graph(i)->data()->set(Todos(series[i], g.XMin(), g.XMax()), true);
    g.replot(QCustomPlot::rpImmediateRefresh);
    const QImage completo = g.grab().toImage();
    int todos = 0;
    for (int i = 0; i < 3; ++i) todos += g.graph(i)->dataCount();
    g.blockSignals(false);
    QVERIFY2(resumido.size() == completo.size(), caso);
    if (qEnvironmentVariableIsSet("TANQUE_VOLCAR")) {
        resumido.save(QStringLiteral("/tmp/resumido_%1.png").arg(caso));
        completo.save(QStringLiteral("/tmp/completo_%1.png").arg(caso));
    }
    int distintos = 0;
    for (int y = 0; y < completo.height(); ++y)
        for (int x = 0; x < completo.width(); ++x) distintos += resumido.pixel(x, y) != completo.pixel(x, y);
    QVERIFY2(distintos == 0, qPrintable(QStringLiteral("%1: %2 pixels differ (%3 points drawn of %4)")
                                            .arg(caso)
                                            .arg(distintos)
                                            .arg(puntos)
                                            .arg(todos)));
}

}  // namespace

class PruebaGrafico : public QObject {
    Q_OBJECT
private slots:
    void dibujaLoMismoQueTodosLosPuntos() {
        Serie series[3];
        std::mt19937_64 azar(5);
        std::normal_distribution<double> ruido(0, 0.2);
        for (int n = 0; n < 60000; ++n) {
            series[0].Agregar(n, 2.5 + 2 * std::sin(n * 0.001) + ruido(azar));
            series[1].Agregar(n, 2 + std::cos(n * 0.01) + ruido(azar) * 3);
            series[2].Agregar(n, std::floor(std::fmod(n / 2000.0, 10)) * 0.5);
        }
        Grafico g(nullptr);
        g.resize(326, 299);
        g.Series(&series[0], &series[1], &series[2]);
        CompararConTodosLosPuntos(g, series, "todo el rango");
        g.replot(QCustomPlot::rpImmediateRefresh);
        QVERIFY(g.graph(0)->dataCount() < 2000);  // a few points per column, not 60000

        // zoomed in step by step, down to fewer points than columns, where every point is drawn
        for (auto [a, b] : {std::pair{2000.0, 40000.0}, {1234.5, 6789.25}, {100.0, 400.0}, {10.0, 60.0}}) {
            g.xAxis->setRange(a, b);
            CompararConTodosLosPuntos(g, series, qPrintable(QStringLiteral("%1 .. %2").arg(a).arg(b)));
        }
        g.replot(QCustomPlot::rpImmediateRefresh);
        QCOMPARE(g.graph(0)->dataCount(), 53);  // the 51 points from 10 to 60, and one beyond each end

        // the run goes on: the range grows by a sample at a time and most columns are taken from before
        g.RangoEntero();
        for (int n = 60000; n < 60040; ++n) {
            series[0].Agregar(n, 2.5 + ruido(azar) * 4);
            series[1].Agregar(n, 2 + ruido(azar) * 4);
            series[2].Agregar(n, 4.5);
            g.Actualizar();
            if (n % 13 == 0) CompararConTodosLosPuntos(g, series, "creciendo");
        }

        // a new run over the old points: its points land among them by x
        g.RangoEntero();
        for (int n = 0; n < 10000; ++n) {
            series[0].Agregar(n * 3, 4.5 - ruido(azar));
            series[1].Agregar(n * 5, 0.2 + ruido(azar));
        }
        CompararConTodosLosPuntos(g, series, "puntos desordenados");
        g.xAxis->setRange(2000, 3000);
        CompararConTodosLosPuntos(g, series, "desordenados, ampliado");
    }
};

QTEST_MAIN(PruebaGrafico)
#include "grafico_test.moc"
