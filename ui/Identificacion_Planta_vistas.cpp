// The identification dialog's views beyond the record: the warnings, the residuals' correlations with their
// bands and verdict, the Bode plot, the scan of orders, the orifice tank's grey box.

#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include <cmath>

#include "ui/Identificacion_Planta.h"
#include "ui/estilo.h"
#include "ui/imagen_grafico.h"
#include "ui/textos_identificacion.h"

namespace {

QString Texto(const std::string& s) { return QString::fromStdString(s); }

const QColor kColorBanda{200, 0, 0};
const QColor kColorVerdad{0, 0, 0};
const QColor kColorEstimada{0, 128, 0};

QCPAxisRect* Rectangulo(QCustomPlot* p, int fila, const QString& x, const QString& y) {
    QCPAxisRect* r = fila == 0 ? p->axisRect() : new QCPAxisRect(p);
    if (fila > 0) p->plotLayout()->addElement(fila, 0, r);
    for (QCPAxis* eje : {r->axis(QCPAxis::atBottom), r->axis(QCPAxis::atLeft)}) {
        eje->setTickLabelFont(FuenteVentana());
        eje->setLabelFont(FuenteVentana());
    }
    r->axis(QCPAxis::atBottom)->setLabel(x);
    r->axis(QCPAxis::atLeft)->setLabel(y);
    return r;
}

QCPGraph* Linea(QCustomPlot* p, QCPAxisRect* r, const QPen& lapiz, const QString& nombre = {}) {
    QCPGraph* g = p->addGraph(r->axis(QCPAxis::atBottom), r->axis(QCPAxis::atLeft));
    g->setPen(lapiz);
    if (nombre.isEmpty())
        g->removeFromLegend();
    else
        g->setName(nombre);
    return g;
}

QCustomPlot* NuevaGrafica(QWidget* padre, const char* nombre, const QString& accesible) {
    auto* p = new QCustomPlot(padre);
    p->setObjectName(QString::fromLatin1(nombre));
    p->setAccessibleName(accesible);
    p->setNotAntialiasedElements(QCP::aeAll);
    p->setMinimumHeight(280);
    // every axis has its title already: the saved picture needs none of its own
    MenuImagen(p, {});
    return p;
}

QVector<double> Vector(const std::vector<double>& v) { return QVector<double>(v.begin(), v.end()); }

double Db(double magnitud) { return 20 * std::log10(magnitud); }

QTableWidgetItem* Celda(const QString& texto) {
    auto* item = new QTableWidgetItem(texto);
    item->setFlags(Qt::ItemIsEnabled);
    item->setTextAlignment(Qt::AlignVCenter | Qt::AlignRight);
    return item;
}

}  // namespace

void TFrm_Identificacion::ConstruirPestanas() {
    Vistas = new QTabWidget(this);
    Vistas->setObjectName("Vistas");
    Vistas->addTab(Grafica, QStringLiteral("Registro"));

    auto* residuos = new QWidget(Vistas);
    auto* columnaResiduos = new QVBoxLayout(residuos);
    Veredicto = new QLabel(residuos);
    Veredicto->setObjectName("Veredicto");
    Veredicto->setWordWrap(true);
    GraficaResiduos = NuevaGrafica(residuos, "GraficaResiduos", QStringLiteral("Correlaciones de los residuos"));
    Rectangulo(GraficaResiduos, 0, QStringLiteral("Retraso (muestras)"),
               QStringLiteral("Autocorrelación de los residuos"));
    Rectangulo(GraficaResiduos, 1, QStringLiteral("Retraso (muestras)"), QStringLiteral("Correlación residuo-entrada"));
    columnaResiduos->addWidget(Veredicto);
    columnaResiduos->addWidget(GraficaResiduos, 1);
    Vistas->addTab(residuos, QStringLiteral("Residuos"));

    auto* bode = new QWidget(Vistas);
    auto* columnaBode = new QVBoxLayout(bode);
    GraficaBode = NuevaGrafica(bode, "GraficaBode", QStringLiteral("Diagrama de Bode"));
    QCPAxisRect* magnitud = Rectangulo(GraficaBode, 0, QString(), QStringLiteral("Magnitud (dB)"));
    QCPAxisRect* fase = Rectangulo(GraficaBode, 1, QStringLiteral("Frecuencia (rad/s)"), QStringLiteral("Fase (°)"));
    auto* margenes = new QCPMarginGroup(GraficaBode);
    for (QCPAxisRect* r : {magnitud, fase}) {
        r->setMarginGroup(QCP::msLeft | QCP::msRight, margenes);
        r->axis(QCPAxis::atBottom)->setScaleType(QCPAxis::stLogarithmic);
        r->axis(QCPAxis::atBottom)->setTicker(QSharedPointer<QCPAxisTickerLog>::create());
    }
    connect(magnitud->axis(QCPAxis::atBottom), qOverload<const QCPRange&>(&QCPAxis::rangeChanged),
            fase->axis(QCPAxis::atBottom), qOverload<const QCPRange&>(&QCPAxis::setRange));
    GraficaBode->legend->setVisible(true);
    GraficaBode->legend->setFont(FuenteVentana());
    magnitud->insetLayout()->setInsetAlignment(0, Qt::AlignBottom | Qt::AlignLeft);
    NotaBode = new QLabel(bode);
    NotaBode->setObjectName("NotaBode");
    NotaBode->setWordWrap(true);
    columnaBode->addWidget(GraficaBode, 1);
    columnaBode->addWidget(NotaBode);
    Vistas->addTab(bode, QStringLiteral("Bode"));

    auto* ordenes = new QWidget(Vistas);
    auto* columnaOrdenes = new QVBoxLayout(ordenes);
    NotaOrdenes = new QLabel(ordenes);
    NotaOrdenes->setObjectName("NotaOrdenes");
    NotaOrdenes->setWordWrap(true);
    TablaOrdenes = new QTableWidget(0, 8, ordenes);
    TablaOrdenes->setObjectName("TablaOrdenes");
    TablaOrdenes->setAccessibleName(QStringLiteral("Barrido de órdenes y retardos"));
    TablaOrdenes->setHorizontalHeaderLabels(
        {QStringLiteral("Modelo"), QStringLiteral("na / nf"), QStringLiteral("nb"), QStringLiteral("nk"),
         QStringLiteral("Parámetros"), QStringLiteral("Pérdida"), QStringLiteral("AIC"), QStringLiteral("Elegido")});
    TablaOrdenes->verticalHeader()->setVisible(false);
    TablaOrdenes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TablaOrdenes->horizontalHeader()->setStretchLastSection(true);
    columnaOrdenes->addWidget(NotaOrdenes);
    columnaOrdenes->addWidget(TablaOrdenes, 1);
    Vistas->addTab(ordenes, QStringLiteral("Órdenes"));
}

void TFrm_Identificacion::MostrarAvisos() {
    QStringList lineas;
    for (const Aviso& a : analisis_.avisos) lineas << QStringLiteral("Aviso: ") + Texto(a.texto);
    Avisos->setText(lineas.join(QStringLiteral("\n")));
    Avisos->setVisible(!lineas.isEmpty());

    if (analisis_.orificio) {
        const ModeloOrificio& o = *analisis_.orificio;
        const Identificacion& e = *g_.metodos[g_.elegido].estimacion;
        Orificio->setText(QStringLiteral("Caja gris del orificio, A dh/dt = u − c√h: A = %1, c = %2, ajuste %3 % "
                                         "(el modelo lineal %4: %5 %). Su nivel simulado va en la pestaña Registro.")
                              .arg(o.error_A ? ConError(o.A, *o.error_A, 5) : Numero(o.A, 5),
                                   o.error_c ? ConError(o.c, *o.error_c, 5) : Numero(o.c, 5), Fijo(o.ajuste, 3),
                                   Texto(e.metodo), Fijo(e.ajuste, 3)));
        Orificio->show();
    } else if (!analisis_.sinOrificio.empty()) {
        Orificio->setText(QStringLiteral("Caja gris del orificio: sin estimación: ") + Texto(analisis_.sinOrificio));
        Orificio->show();
    } else {
        Orificio->hide();
    }
    if (!lineaOrificio_) {
        lineaOrificio_ = Grafica->addGraph();
        lineaOrificio_->setPen(QPen(kColorEstimada, 1, Qt::DotLine));
        lineaOrificio_->setName(QStringLiteral("Nivel de la caja gris del orificio"));
    }
    const bool hay = analisis_.orificio.has_value() && !analisis_.nivelOrificio.empty();
    if (hay)
        lineaOrificio_->setData(Vector(g_.registro.muestras), Vector(analisis_.nivelOrificio), true);
    else
        lineaOrificio_->data()->clear();
    lineaOrificio_->setVisible(hay);
    if (hay)
        lineaOrificio_->addToLegend();
    else
        lineaOrificio_->removeFromLegend();
}

void TFrm_Identificacion::DibujarResiduos() {
    GraficaResiduos->clearGraphs();
    const std::optional<AnalisisResiduos>& a =
        elegido_ < analisis_.residuos.size() ? analisis_.residuos[elegido_] : std::nullopt;
    const QString metodo = Texto(g_.metodos[elegido_].metodo);
    if (!a) {
        Veredicto->setText(QStringLiteral("Residuos de %1: sin análisis: %2")
                               .arg(metodo, elegido_ < analisis_.sinResiduos.size()
                                                ? Texto(analisis_.sinResiduos[elegido_])
                                                : QString()));
        GraficaResiduos->replot(QCustomPlot::rpQueuedReplot);
        return;
    }
    QString pruebas;
    if (!a->redondeo)
        pruebas =
            QStringLiteral(" Blancura: Q = %1 (umbral %2, %3). Independencia de la entrada: S = %4 (umbral %5, %6).")
                .arg(Corto(a->blancura), Corto(a->umbralBlancura),
                     a->blanco ? QStringLiteral("pasa") : QStringLiteral("no pasa"), Corto(a->independencia),
                     Corto(a->umbralIndependencia),
                     a->independiente ? QStringLiteral("pasa") : QStringLiteral("no pasa"));
    else
        pruebas = QStringLiteral(" Los residuos son del tamaño del redondeo del registro.");
    Veredicto->setText(QStringLiteral("Residuos de %1: %2.").arg(metodo, Texto(a->texto)) + pruebas +
                       QStringLiteral(" Bandas del 99 %."));

    QCPAxisRect* arriba = GraficaResiduos->axisRects().at(0);
    QCPAxisRect* abajo = GraficaResiduos->axisRects().at(1);
    const QPen barra(kColorModelo, 2), banda(kColorBanda, 1, Qt::DashLine);
    // the autocorrelation from lag 1 (rho(0) = 1 says nothing)
    QVector<double> t, v;
    for (std::size_t k = 1; k < a->autocorrelacion.size(); ++k) {
        t << static_cast<double>(k);
        v << a->autocorrelacion[k];
    }
    QCPGraph* auto_ = Linea(GraficaResiduos, arriba, barra);
    auto_->setLineStyle(QCPGraph::lsImpulse);
    auto_->setData(t, v, true);
    const double b = a->bandaAutocorrelacion;
    for (double signo : {1.0, -1.0})
        Linea(GraficaResiduos, arriba, banda)
            ->setData({0.0, t.isEmpty() ? 1.0 : t.back() + 1}, {signo * b, signo * b}, true);
    arriba->axis(QCPAxis::atBottom)->setRange(0, t.isEmpty() ? 1 : t.back() + 1);
    double maximo = 1.5 * b;
    for (double x : v) maximo = std::max(maximo, 1.1 * std::abs(x));
    arriba->axis(QCPAxis::atLeft)->setRange(-maximo, maximo);

    QVector<double> tc, vc, alta, baja;
    for (std::size_t k = 0; k < a->retrasosCruzados.size(); ++k) {
        tc << a->retrasosCruzados[k];
        vc << a->correlacionCruzada[k];
        alta << a->bandaCruzada[k];
        baja << -a->bandaCruzada[k];
    }
    QCPGraph* cruzada = Linea(GraficaResiduos, abajo, barra);
    cruzada->setLineStyle(QCPGraph::lsImpulse);
    cruzada->setData(tc, vc, true);
    for (const QVector<double>* limite : {&alta, &baja}) {
        QCPGraph* l = Linea(GraficaResiduos, abajo, banda);
        l->setLineStyle(QCPGraph::lsStepCenter);
        l->setData(tc, *limite, true);
    }
    double maximoC = 0;
    for (std::size_t k = 0; k < static_cast<std::size_t>(vc.size()); ++k)
        maximoC =
            std::max({maximoC, 1.1 * std::abs(vc[static_cast<qsizetype>(k)]), 1.5 * alta[static_cast<qsizetype>(k)]});
    if (!(maximoC > 0)) maximoC = 1;
    if (!tc.isEmpty()) abajo->axis(QCPAxis::atBottom)->setRange(tc.front() - 1, tc.back() + 1);
    abajo->axis(QCPAxis::atLeft)->setRange(-maximoC, maximoC);
    GraficaResiduos->replot(QCustomPlot::rpQueuedReplot);
}

void TFrm_Identificacion::DibujarBode() {
    GraficaBode->clearPlottables();
    QCPAxisRect* magnitud = GraficaBode->axisRects().at(0);
    QCPAxisRect* fase = GraficaBode->axisRects().at(1);
    QStringList nota;
    double wmin = INFINITY, wmax = 0;
    if (const std::optional<RespuestaFrecuencia>& e = analisis_.estimada) {
        QVector<double> w, m, f, mMenos, mMas, fMenos, fMas;
        for (std::size_t i = 0; i < e->w.size(); ++i) {
            if (!(e->w[i] > 0) || !(e->magnitud[i] > 0)) continue;
            const double db = Db(e->magnitud[i]);
            w << e->w[i];
            m << db;
            f << e->fase[i];
            mMenos << (e->magnitudBaja[i] > 0 ? db - Db(e->magnitudBaja[i]) : 0);
            mMas << Db(e->magnitudAlta[i]) - db;
            fMenos << e->fase[i] - e->faseBaja[i];
            fMas << e->faseAlta[i] - e->fase[i];
            wmin = std::min(wmin, e->w[i]);
            wmax = std::max(wmax, e->w[i]);
        }
        const QString nombre = e->metodo == "ETFE"
                                   ? QStringLiteral("ETFE (%1 periodos) y su banda del 99 %").arg(e->promedios)
                                   : QStringLiteral("Welch (%1 segmentos) y su banda del 99 %").arg(e->promedios);
        const struct {
            QCPAxisRect* r;
            QVector<double>*y, *menos, *mas;
        } partes[] = {{magnitud, &m, &mMenos, &mMas}, {fase, &f, &fMenos, &fMas}};
        for (const auto& p : partes) {
            QCPGraph* g = Linea(GraficaBode, p.r, QPen(kColorEstimada, 1), p.r == magnitud ? nombre : QString());
            g->setLineStyle(e->metodo == "ETFE" ? QCPGraph::lsNone : QCPGraph::lsLine);
            g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, 4));
            g->setData(w, *p.y, true);
            auto* barras = new QCPErrorBars(p.r->axis(QCPAxis::atBottom), p.r->axis(QCPAxis::atLeft));
            barras->removeFromLegend();
            barras->setDataPlottable(g);
            barras->setData(*p.menos, *p.mas);
            barras->setPen(QPen(kColorEstimada.lighter(150), 1));
        }
        nota << (e->metodo == "ETFE"
                     ? QStringLiteral("ETFE: la acción se repite; el cociente de las transformadas promediadas sobre "
                                      "%1 periodos, en las frecuencias excitadas.")
                           .arg(e->promedios)
                     : QStringLiteral("Welch: la acción no se repite; estimación suavizada con %1 segmentos.")
                           .arg(e->promedios));
    } else {
        nota << QStringLiteral("Sin respuesta estimada del registro: ") + Texto(analisis_.sinFrecuencia);
    }
    const QVector<double> w = Vector(analisis_.w);
    const auto trazar = [&](const RespuestaFrecuencia& r, const QPen& lapiz, const QString& nombre) {
        QVector<double> m, f;
        for (std::size_t i = 0; i < r.w.size(); ++i) {
            m << Db(r.magnitud[i]);
            f << r.fase[i];
        }
        Linea(GraficaBode, magnitud, lapiz, nombre)->setData(w, m, true);
        Linea(GraficaBode, fase, lapiz)->setData(w, f, true);
    };
    if (analisis_.verdad) {
        trazar(
            *analisis_.verdad, QPen(kColorVerdad, 1),
            g_.verdad.tipo == TipoVerdad::Lineal ? QStringLiteral("Planta") : QStringLiteral("Planta (linealizada)"));
    }
    if (elegido_ < analisis_.modelos.size() && analisis_.modelos[elegido_])
        trazar(*analisis_.modelos[elegido_], QPen(kColorModelo, 1, Qt::DashLine),
               QStringLiteral("Modelo (%1)").arg(Texto(g_.metodos[elegido_].metodo)));
    if (!w.isEmpty()) {
        wmin = std::min(wmin, w.front());
        wmax = std::max(wmax, w.back());
    }
    if (wmax > 0) magnitud->axis(QCPAxis::atBottom)->setRange(wmin, wmax);
    for (QCPAxisRect* r : {magnitud, fase}) {
        bool hay = false;
        QCPRange rango;
        for (QCPAbstractPlottable* p : r->plottables()) {
            const QCPRange v = p->getValueRange(hay);
            if (hay)
                rango = rango.size() > 0 ? QCPRange(std::min(rango.lower, v.lower), std::max(rango.upper, v.upper)) : v;
        }
        if (rango.size() > 0) {
            r->axis(QCPAxis::atLeft)->setRange(rango);
            r->axis(QCPAxis::atLeft)->scaleRange(1.1, rango.center());
        }
    }
    nota << QStringLiteral(
                "Frecuencias en rad/s del tiempo de la planta (%1 s por muestra); la planta y los modelos "
                "con la acción retenida durante cada muestra, como la aplica el programa.")
                .arg(Corto(analisis_.registro.TiempoMuestra()));
    NotaBode->setText(nota.join(QStringLiteral(" ")));
    GraficaBode->replot(QCustomPlot::rpQueuedReplot);
}

void TFrm_Identificacion::LlenarOrdenes() {
    TablaOrdenes->clearContents();
    if (!analisis_.barrido) {
        TablaOrdenes->setRowCount(0);
        NotaOrdenes->setText(QStringLiteral("Sin barrido de órdenes: ") + Texto(analisis_.sinBarrido));
        return;
    }
    const Barrido& b = *analisis_.barrido;
    constexpr std::size_t kFilas = 6;  // the best of each table: the rest ranks only lower
    // the best rows of each table, and its choice after them when it ranks lower
    const auto indices = [&](const std::vector<FilaBarrido>& tabla, std::size_t elegido) {
        std::vector<std::size_t> i;
        for (std::size_t k = 0; k < tabla.size() && k < kFilas; ++k) i.push_back(k);
        if (elegido >= kFilas && elegido < tabla.size()) i.push_back(elegido);
        return i;
    };
    const std::vector<std::size_t> deArx = indices(b.arx, b.elegidoArx), deOe = indices(b.oe, b.elegidoOe);
    TablaOrdenes->setRowCount(static_cast<int>(deArx.size() + deOe.size()));
    int fila = 0;
    const auto llenar = [&](const std::vector<FilaBarrido>& tabla, const std::vector<std::size_t>& cuales,
                            std::size_t elegido) {
        for (std::size_t i : cuales) {
            const FilaBarrido& f = tabla[i];
            auto* modelo = Celda(Texto(f.estructura));
            modelo->setTextAlignment(Qt::AlignVCenter | Qt::AlignLeft);
            TablaOrdenes->setItem(fila, 0, modelo);
            TablaOrdenes->setItem(fila, 1, Celda(QString::number(f.n)));
            TablaOrdenes->setItem(fila, 2, Celda(QString::number(f.nb)));
            TablaOrdenes->setItem(fila, 3, Celda(QString::number(f.nk)));
            TablaOrdenes->setItem(fila, 4, Celda(QString::number(f.parametros)));
            TablaOrdenes->setItem(fila, 5, Celda(Numero(f.perdida, 4)));
            TablaOrdenes->setItem(fila, 6, Celda(Numero(f.aic, 6)));
            TablaOrdenes->setItem(fila, 7, Celda(i == elegido ? QStringLiteral("sí") : QString()));
            TablaOrdenes->item(fila, 7)->setTextAlignment(Qt::AlignVCenter | Qt::AlignLeft);
            ++fila;
        }
    };
    llenar(b.arx, deArx, b.elegidoArx);
    llenar(b.oe, deOe, b.elegidoOe);
    TablaOrdenes->resizeColumnsToContents();
    QString eleccion;
    if (!b.arx.empty())
        eleccion = QStringLiteral(" Elegidos: ARX(%1, %2, %3)")
                       .arg(b.arx[b.elegidoArx].n)
                       .arg(b.arx[b.elegidoArx].nb)
                       .arg(b.arx[b.elegidoArx].nk);
    if (!b.oe.empty())
        eleccion += QStringLiteral(" y OE(%1, %2, %3)")
                        .arg(b.oe[b.elegidoOe].nb)
                        .arg(b.oe[b.elegidoOe].n)
                        .arg(b.oe[b.elegidoOe].nk);
    NotaOrdenes->setText(
        QStringLiteral("ARX(na, nb, nk) y OE(nb, nf, nk) con na, nf hasta 4 y nk desde %1 hasta 10, "
                       "ordenados por AIC sobre %2 ecuaciones (los %3 mejores de cada uno, y el elegido); el "
                       "elegido es el de menos parámetros cuyos residuos no dependen de la entrada.")
            .arg(b.retardoMinimo)
            .arg(b.ecuaciones)
            .arg(kFilas) +
        eleccion + QStringLiteral("."));
}
