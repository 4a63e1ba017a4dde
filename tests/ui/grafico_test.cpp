// The chart draws each series through a few points per pixel column: the picture must be the one that
// every point would draw, at any zoom and after points arrive out of order.

#include <QRegularExpression>
#include <QtTest>
#include <array>
#include <cmath>
#include <memory>
#include <random>
#include <set>
#include <tuple>

#include "core/serie.h"
#include "ui/eje_muestras.h"
#include "ui/estilo.h"
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

// A chart of the size of the main window's, shown and laid out.
struct GraficoMostrado {
    Grafico g{nullptr};
    GraficoMostrado() {
        g.resize(326, 299);
        g.show();
        g.replot(QCustomPlot::rpImmediateRefresh);
    }
};

void Enviar(QWidget* w, QEvent::Type tipo, Qt::MouseButton boton, QPoint p) {
    const Qt::MouseButtons pulsados = tipo == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(boton);
    QMouseEvent e(tipo, p, w->mapToGlobal(p), tipo == QEvent::MouseMove ? Qt::NoButton : boton, pulsados,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A drag with `boton` from `desde` to `hasta`, in three moves.
void Arrastrar(QWidget* w, Qt::MouseButton boton, QPoint desde, QPoint hasta) {
    Enviar(w, QEvent::MouseButtonPress, boton, desde);
    for (int i = 1; i <= 3; ++i) Enviar(w, QEvent::MouseMove, boton, desde + (hasta - desde) * i / 3);
    Enviar(w, QEvent::MouseButtonRelease, boton, hasta);
}

// `pasos` notches of the wheel at `p` (positive: away from the user, which zooms in).
void Rueda(QWidget* w, QPoint p, int pasos, Qt::KeyboardModifiers teclas = Qt::NoModifier) {
    QWheelEvent e(p, w->mapToGlobal(p), QPoint(), QPoint(0, 120 * pasos), Qt::NoButton, teclas, Qt::NoScrollPhase,
                  false);
    QApplication::sendEvent(w, &e);
}

QPoint Pixel(const Grafico& g, double x, double y) {
    return QPoint(qRound(g.xAxis->coordToPixel(x)), qRound(g.yAxis->coordToPixel(y)));
}

// The time axis's labels as drawn for the range: whole numbers, each once, at steps of 1, 2 or 5 x 10^k,
// with room between every two neighbours.
void ComprobarEtiquetas(Grafico& g, const char* caso, int minimo = 2) {
    g.replot(QCustomPlot::rpImmediateRefresh);
    g.replot(QCustomPlot::rpImmediateRefresh);
    const QVector<double> ticks = g.xAxis->tickVector();
    const QVector<QString> etiquetas = g.xAxis->tickVectorLabels();
    QVERIFY2(etiquetas.size() >= minimo, caso);
    QCOMPARE(etiquetas.size(), ticks.size());
    const QFontMetrics metricas(g.xAxis->tickLabelFont());
    static const QRegularExpression entero(QStringLiteral("^-?(0|[1-9][0-9]*)$"));
    std::set<QString> vistas;
    for (int i = 0; i < ticks.size(); ++i) {
        const QString& e = etiquetas[i];
        QVERIFY2(entero.match(e).hasMatch(), qPrintable(QStringLiteral("%1: label '%2'").arg(caso, e)));
        QVERIFY2(e.size() <= 11, caso);
        QCOMPARE(e.toLongLong(), static_cast<qint64>(ticks[i]));
        QCOMPARE(static_cast<double>(e.toLongLong()), ticks[i]);  // at a whole sample
        QVERIFY2(vistas.insert(e).second, qPrintable(QStringLiteral("%1: '%2' twice").arg(caso, e)));
        QVERIFY(g.xAxis->range().contains(ticks[i]));
        if (i == 0) continue;
        const double paso = ticks[i] - ticks[i - 1];
        const double potencia = std::pow(10.0, std::floor(std::log10(paso) + 1e-9));
        const double m = paso / potencia;
        QVERIFY2(m == 1 || m == 2 || m == 5, qPrintable(QStringLiteral("%1: step %2").arg(caso).arg(paso)));
        // centred on their ticks: the distance between the ticks against half of each label and a pixel
        const double distancia = g.xAxis->coordToPixel(ticks[i]) - g.xAxis->coordToPixel(ticks[i - 1]);
        const double necesario =
            (metricas.horizontalAdvance(etiquetas[i - 1]) + metricas.horizontalAdvance(e)) / 2.0 + 1;
        QVERIFY2(distancia >= necesario,
                 qPrintable(QStringLiteral("%1: '%2' and '%3' overlap").arg(caso, etiquetas[i - 1], e)));
    }
}

}  // namespace

class PruebaGrafico : public QObject {
    Q_OBJECT
    std::unique_ptr<GraficoMostrado> mostrado_;  // one chart for the rows of a table

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

        // the value axis zoomed and moved: the columns are the time axis's, and the lines are clipped at
        // the plot's edges the same way whatever points they are drawn through
        g.RangoEntero();
        for (auto [a, b] : {std::pair{1.5, 3.5}, {-100.0, 100.0}, {2.49, 2.51}, {-7.0, -2.0}}) {
            g.yAxis->setRange(a, b);
            CompararConTodosLosPuntos(g, series, qPrintable(QStringLiteral("valores %1 .. %2").arg(a).arg(b)));
        }
    }

    void etiquetasDelTiempo_data() {
        QTest::addColumn<double>("desde");
        QTest::addColumn<double>("ancho");
        // from 3 samples to 10^7, at the start of a run, far into one, across 0 and at the ends
        for (double ancho :
             {3.0,   4.0,   5.0,   7.0,    10.0,   12.0,    16.0, 25.0,     33.0, 49.0,  50.0,      99.0, 100.0,
              101.0, 250.0, 777.0, 1000.0, 4096.0, 12345.0, 1e5,  333333.0, 1e6,  2.5e6, 7654321.0, 1e7})
            for (double desde : {0.0, 0.5, 1234567.25, -ancho / 2, 2147483000.0 - 1e7})
                QTest::addRow("%g desde %g", ancho, desde) << desde << ancho;
    }
    void etiquetasDelTiempo() {
        QFETCH(double, desde);
        QFETCH(double, ancho);
        if (!mostrado_) mostrado_ = std::make_unique<GraficoMostrado>();
        Grafico& g = mostrado_->g;
        g.xAxis->setRange(desde, desde + ancho);
        QCOMPARE(g.xAxis->range().size(), ancho);
        ComprobarEtiquetas(g, QTest::currentDataTag());
    }
    void cleanupTestCase() { mostrado_.reset(); }

    void etiquetasConOtroAnchoDeValores() {
        // labels of the value axis that take more room leave less for the time axis: its step is chosen for
        // the length it has after the layout
        GraficoMostrado m;
        m.g.xAxis->setRange(0, 45);
        ComprobarEtiquetas(m.g, "valores 0 .. 5");
        m.g.yAxis->setRange(-123456.5, -123450.25);
        ComprobarEtiquetas(m.g, "valores de seis cifras");
    }

    void elTiempoSeAcota() {
        GraficoMostrado m;
        Grafico& g = m.g;
        const QPoint centro = g.axisRect()->rect().center();
        // the wheel turned on and on: no narrower than a sample, no wider than the counters' half span
        Rueda(&g, centro, 200);
        QCOMPARE(g.xAxis->range().size(), kMuestrasMinimas);
        ComprobarEtiquetas(g, "una muestra", 1);
        QVERIFY(g.xAxis->tickVector().size() <= 2);
        Rueda(&g, centro, -600);
        QCOMPARE(g.xAxis->range().size(), kMuestrasMaximas);
        QVERIFY(g.xAxis->range().lower >= -kMuestraExtrema && g.xAxis->range().upper <= kMuestraExtrema);
        ComprobarEtiquetas(g, "media cuenta");
        // a rubber band narrower than a sample gives a sample
        g.xAxis->setRange(10, 20);
        g.replot(QCustomPlot::rpImmediateRefresh);
        Arrastrar(&g, Qt::LeftButton, Pixel(g, 14.1, 4), Pixel(g, 14.3, 1));
        QCOMPARE(g.xAxis->range().size(), 1.0);
        QVERIFY(std::abs(g.xAxis->range().center() - 14.2) < 0.05);
        // a range set from outside is bounded the same way
        g.xAxis->setRange(-3e9, -2.9e9);
        QCOMPARE(g.xAxis->range(), QCPRange(-kMuestraExtrema, -kMuestraExtrema + 1e8));
        g.yAxis->setRange(1000, 1000.0001);
        QVERIFY(std::abs(g.yAxis->range().size() - 1.0) < 1e-6);  // a thousandth of 1000
    }

    void elRectanguloAmpliaAmbosEjes() {
        GraficoMostrado m;
        Grafico& g = m.g;
        g.xAxis->setRange(0, 100);
        g.replot(QCustomPlot::rpImmediateRefresh);
        // from (20, 4) down to (60, -1)... within the plot: y -1 is below it, so up to 0.5
        const QPoint a = Pixel(g, 20, 4), b = Pixel(g, 60, 0.5);
        const double x0 = g.xAxis->pixelToCoord(a.x()), x1 = g.xAxis->pixelToCoord(b.x());
        const double y0 = g.yAxis->pixelToCoord(b.y()), y1 = g.yAxis->pixelToCoord(a.y());
        Arrastrar(&g, Qt::LeftButton, a, b);
        QCOMPARE(g.xAxis->range(), QCPRange(x0, x1));
        QCOMPARE(g.yAxis->range(), QCPRange(y0, y1));
        QVERIFY(!g.RangoCompleto());
        // upwards the same
        g.replot(QCustomPlot::rpImmediateRefresh);
        const QPoint c = Pixel(g, 30, 1), d = Pixel(g, 50, 3);
        const double y2 = g.yAxis->pixelToCoord(c.y()), y3 = g.yAxis->pixelToCoord(d.y());
        Arrastrar(&g, Qt::LeftButton, c, d);
        QCOMPARE(g.yAxis->range(), QCPRange(y2, y3));
        // a flat band zooms the time only
        g.replot(QCustomPlot::rpImmediateRefresh);
        const QCPRange valores = g.yAxis->range();
        Arrastrar(&g, Qt::LeftButton, Pixel(g, 35, 2), Pixel(g, 45, 2));
        QCOMPARE(g.yAxis->range(), valores);
        QVERIFY(std::abs(g.xAxis->range().lower - 35) < 0.5 && std::abs(g.xAxis->range().upper - 45) < 0.5);
        // right to left: back to the automatic ranges
        g.replot(QCustomPlot::rpImmediateRefresh);
        Arrastrar(&g, Qt::LeftButton, Pixel(g, 44, 3), Pixel(g, 36, 1));
        QVERIFY(g.RangoCompleto());
        QCOMPARE(g.yAxis->range(), QCPRange(0, 5));
    }

    void ruedaYBotonDerecho() {
        GraficoMostrado m;
        Grafico& g = m.g;
        g.xAxis->setRange(0, 100);
        g.replot(QCustomPlot::rpImmediateRefresh);
        const QPoint p = Pixel(g, 50, 2.5);
        // the wheel: the time alone, about the pointer
        Rueda(&g, p, 1);
        QVERIFY(g.xAxis->range().size() < 100);
        QVERIFY(std::abs(g.xAxis->range().center() - 50) < 1);
        QCOMPARE(g.yAxis->range(), QCPRange(0, 5));
        // Ctrl+wheel: the values alone; the time axis goes on following its points meanwhile
        g.RangoEntero();
        const QCPRange tiempo = g.xAxis->range();
        Rueda(&g, p, -2, Qt::ControlModifier);
        QCOMPARE(g.xAxis->range(), tiempo);
        QVERIFY(g.RangoCompleto());
        QVERIFY(g.yAxis->range().size() > 5);
        QVERIFY(std::abs(g.yAxis->range().center() - 2.5) < 0.1);
        // the right button drags both ranges with the pointer
        g.xAxis->setRange(0, 100);
        g.yAxis->setRange(0, 5);
        g.replot(QCustomPlot::rpImmediateRefresh);
        const QPoint desde = Pixel(g, 50, 2.5), hasta = Pixel(g, 60, 3.5);
        const QPoint d = hasta - desde;
        const double dx = d.x() * 100.0 / g.axisRect()->width(), dy = d.y() * 5.0 / g.axisRect()->height();
        Arrastrar(&g, Qt::RightButton, desde, hasta);
        QVERIFY(std::abs(g.xAxis->range().lower - (0 - dx)) < 1e-9);
        QVERIFY(std::abs(g.yAxis->range().lower - (0 + dy)) < 1e-9);
        QVERIFY(g.yAxis->range().lower < -0.5);  // the points moved up: lower values came into view
        // a double click: the automatic ranges again
        QTest::mouseDClick(&g, Qt::LeftButton, {}, p);
        QVERIFY(g.RangoCompleto());
        QCOMPARE(g.yAxis->range(), QCPRange(0, 5));
    }

    void elNivelSeVeSobreLaReferencia() {
        // at the set-point the three lines meet: the level is drawn last, the reference first
        Serie series[3];
        for (int n = 0; n < 50; ++n) {
            series[0].Agregar(n, 2.0);
            series[1].Agregar(n, 2.0);
            series[2].Agregar(n, 2.0);
        }
        GraficoMostrado m;
        m.g.Series(&series[0], &series[1], &series[2]);
        // the pixels of each colour in the whole picture: level, action, reference
        auto contar = [&] {
            m.g.Actualizar();
            m.g.replot(QCustomPlot::rpImmediateRefresh);
            const QImage imagen = m.g.grab().toImage();
            std::array<int, 3> n{};
            for (int y = 0; y < imagen.height(); ++y)
                for (int x = 0; x < imagen.width(); ++x) {
                    const QColor c = imagen.pixelColor(x, y);
                    n[0] += c == kColorNivel;
                    n[1] += c == kColorAccion;
                    n[2] += c == kColorReferencia;
                }
            return n;
        };
        std::array<int, 3> n = contar();
        QVERIFY(n[0] > 250);
        QCOMPARE(n[1], 0);
        QCOMPARE(n[2], 0);
        // without the level, the action over the reference
        series[0].Limpiar();
        n = contar();
        QVERIFY(n[1] > 250);
        QCOMPARE(n[2], 0);
        // and the reference alone shows
        series[1].Limpiar();
        const std::array<int, 3> sola = contar();
        if (sola[2] <= 250) m.g.grab().save(QDir::temp().filePath("referencia_sola.png"));
        QVERIFY2(sola[2] > 250, qPrintable(QString::number(sola[2])));
    }

    // A second run without "Limpiar" starts again at sample 0: its points stand among the first run's by
    // x, and each run is drawn as its own line, so no line zig-zags between the two runs ("curtains").
    void cadaCorridaSuLinea() {
        Serie series[3];
        auto correr = [&](int muestras, double nivel) {
            for (Serie& s : series) s.NuevoTramo();
            for (int n = 0; n < muestras; ++n) {
                series[0].Agregar(n, nivel);
                series[1].Agregar(n, nivel + 0.5);
                series[2].Agregar(n, nivel);
            }
        };
        correr(200, 1.0);
        correr(100, 3.0);
        QCOMPARE(series[0].Tramos(), 2u);
        GraficoMostrado m;
        m.g.Series(&series[0], &series[1], &series[2]);
        m.g.Actualizar();
        m.g.replot(QCustomPlot::rpImmediateRefresh);
        // every line holds one run's points, in ascending x
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(m.g.LineasTramos(i).size(), 1);
            const double base = i == 1 ? 0.5 : 0.0;
            for (const auto& [linea, nivel, cuenta] :
                 {std::tuple{m.g.Linea(i), 1.0 + base, 200}, std::tuple{m.g.LineasTramos(i)[0], 3.0 + base, 100}}) {
                QCOMPARE(linea->data()->size(), cuenta);
                double antes = -1;
                for (const QCPGraphData& d : *linea->data()) {
                    QCOMPARE(d.value, nivel);
                    QVERIFY(d.key > antes);
                    antes = d.key;
                }
            }
        }
        // the picture: no red between the two levels, where the curtains were
        const QImage imagen = m.g.grab().toImage();
        const int fila = qRound(m.g.yAxis->coordToPixel(2.0));
        int rojos = 0;
        for (int x = 0; x < imagen.width(); ++x) rojos += imagen.pixelColor(x, fila) == kColorNivel;
        QCOMPARE(rojos, 0);
        // "Limpiar" leaves one run: the extra lines go
        for (Serie& s : series) s.Limpiar();
        correr(50, 2.0);
        m.g.Actualizar();
        m.g.replot(QCustomPlot::rpImmediateRefresh);
        QCOMPARE(series[0].Tramos(), 1u);
        for (int i = 0; i < 3; ++i) QVERIFY(m.g.LineasTramos(i).isEmpty());
        QCOMPARE(m.g.graphCount(), 3);
    }

    // A PID or fuzzy run keeps its last 100 samples: a zoom during it follows the newest ones with its width,
    // a scroll back holds the view (and says so) until the run leaves it empty, and the mouse never shows a
    // sample before 0.
    void laVistaSigueALaCorrida() {
        GraficoMostrado m;
        Grafico& g = m.g;
        Serie series[3];
        g.Series(&series[0], &series[1], &series[2]);
        int n = 0;
        auto avanzar = [&](int muestras) {
            for (int i = 0; i < muestras; ++i, ++n) {
                for (Serie& s : series) {
                    s.Agregar(n, 2 + std::sin(n * 0.1));
                    if (s.Cuenta() > 100) s.BorrarPrimero();
                }
                g.Actualizar();
            }
            g.replot(QCustomPlot::rpImmediateRefresh);
        };
        // points of the level inside the range shown, counted from the series itself
        auto visibles = [&] {
            const Serie& s = series[0];
            return s.PrimeroTras(g.XMax()) - s.PrimeroDesde(g.XMin());
        };
        avanzar(100);
        QCOMPARE(g.xAxis->range(), QCPRange(0, 99));
        const QPoint centro = g.axisRect()->rect().center();
        Rueda(&g, centro, 5);
        const double ancho = g.xAxis->range().size();
        QVERIFY(ancho < 60 && ancho >= 1);
        QVERIFY(g.SigueUltimas());
        QVERIFY(!g.RangoCompleto());
        for (int tramo : {1, 7, 50, 400}) {
            avanzar(tramo);
            QCOMPARE(g.XMax(), double(n - 1));
            QVERIFY(std::abs(g.xAxis->range().size() - ancho) < 1e-9);
            QVERIFY(visibles() > 0);
            QVERIFY(!g.AvisoFija() || !g.AvisoFija()->visible());
        }
        // a scroll back: the range stays where the user left it, and the chart says so
        g.replot(QCustomPlot::rpImmediateRefresh);
        Arrastrar(&g, Qt::RightButton, centro, centro + QPoint(g.axisRect()->width() / 4, 0));
        QVERIFY(g.VistaFija());
        const QCPRange fija = g.xAxis->range();
        QVERIFY(fija.upper < n - 1);
        QVERIFY(g.AvisoFija() && g.AvisoFija()->visible());
        QCOMPARE(g.AvisoFija()->text(), QStringLiteral("vista fija: doble clic para volver"));
        avanzar(3);
        QCOMPARE(g.xAxis->range(), fija);
        // a zoom of a fixed view stays fixed
        Rueda(&g, centro, 1);
        QVERIFY(g.VistaFija());
        // the run leaves the fixed view behind: it follows again rather than show nothing
        avanzar(150);
        QVERIFY(g.SigueUltimas());
        QCOMPARE(g.XMax(), double(n - 1));
        QVERIFY(visibles() > 0);
        QVERIFY(!g.AvisoFija()->visible());
        // a scroll that reaches the newest sample follows too
        g.replot(QCustomPlot::rpImmediateRefresh);
        Arrastrar(&g, Qt::RightButton, centro, centro + QPoint(10, 0));
        QVERIFY(g.VistaFija());
        Arrastrar(&g, Qt::RightButton, centro, centro - QPoint(40, 0));
        QVERIFY(g.SigueUltimas());
        // the double click: the whole range again
        QTest::mouseDClick(&g, Qt::LeftButton, Qt::NoModifier, centro);
        QVERIFY(g.RangoCompleto());
        QCOMPARE(g.xAxis->range(), QCPRange(series[0].X(0), n - 1));
        QVERIFY(!g.AvisoFija()->visible());
    }

    void sinMuestrasNegativas() {
        GraficoMostrado m;
        Grafico& g = m.g;
        Serie series[3];
        for (int n = 0; n < 30; ++n) series[0].Agregar(n, 1);
        g.Series(&series[0], &series[1], &series[2]);
        const QPoint centro = g.axisRect()->rect().center();
        // the wheel turned 70 notches out, then a drag to the right and a rubber band from the left edge
        for (int i = 0; i < 70; ++i) Rueda(&g, centro, -1);
        QVERIFY(g.xAxis->range().lower >= 0);
        g.RangoEntero();
        g.replot(QCustomPlot::rpImmediateRefresh);
        Arrastrar(&g, Qt::RightButton, centro, centro + QPoint(120, 0));
        QCOMPARE(g.xAxis->range().lower, 0.0);
        QCOMPARE(g.xAxis->range().size(), 29.0);
        g.replot(QCustomPlot::rpImmediateRefresh);
        for (const QString& e : g.xAxis->tickVectorLabels())
            QVERIFY2(!e.startsWith(QLatin1Char('-')), qPrintable(e));
    }
};

QTEST_MAIN(PruebaGrafico)
#include "grafico_test.moc"
