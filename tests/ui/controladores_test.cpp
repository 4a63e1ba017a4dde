// The views of the controllers: the plots of the sets in the fuzzy dialog, the control surface with its
// marker, the rule grids shaded by the last tick, the indices window and the comparison of the controllers.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSlider>
#include <QTableWidget>
#include <QMessageBox>
#include <QtTest>
#include <qcustomplot.h>

#include <cmath>
#include <limits>

#include "core/comparacion.h"
#include "core/textos_indices.h"
#include "core/textos_por_defecto.h"
#include "fuzzy/fuerzas.h"
#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/Parametros_Planta.h"
#include "ui/arranque.h"
#include "ui/comparacion_controladores.h"
#include "ui/estilo.h"
#include "ui/graficos_conjuntos.h"
#include "ui/indices_desempeno.h"
#include "ui/superficie_control.h"
#include "ui/vistas_controladores.h"

Q_DECLARE_METATYPE(std::vector<Hueco>)

namespace {

DialogosPrueba* dialogos = nullptr;

QLineEdit* Edit(const char* nombre) { return Frm_Parametros_Fuzzy->Edits().at(nombre); }

void Teclear(QLineEdit* e, const QString& texto) {
    e->selectAll();
    QTest::keyClicks(e, texto);
    QCoreApplication::processEvents();
}

// The plot as it draws itself on screen.
QImage Imagen(QCustomPlot* g) {
    g->replot(QCustomPlot::rpImmediateRefresh);
    const QImage img = g->grab().toImage();
    if (qEnvironmentVariableIsSet("TANQUE_VOLCAR"))
        img.save(QStringLiteral("/tmp/controladores_%1.png").arg(QTest::currentTestFunction()));
    return img;
}

bool Parecido(QRgb a, const QColor& b, int tolerancia = 0) {
    return std::abs(qRed(a) - b.red()) <= tolerancia && std::abs(qGreen(a) - b.green()) <= tolerancia &&
           std::abs(qBlue(a) - b.blue()) <= tolerancia;
}

// Pixels of the colour in column x between rows y0 and y1 (both included).
int EnColumna(const QImage& img, int x, int y0, int y1, const QColor& color) {
    int n = 0;
    for (int y = std::max(0, y0); y <= std::min(img.height() - 1, y1); ++y) n += Parecido(img.pixel(x, y), color);
    return n;
}

QStringList Celdas(QTableWidget* t, int columna) {
    QStringList v;
    for (int f = 0; f < t->rowCount(); ++f) v << t->item(f, columna)->text();
    return v;
}

QStringList Fila(QTableWidget* t, int fila) {
    QStringList v;
    for (int c = 0; c < t->columnCount(); ++c) v << (t->item(fila, c) ? t->item(fila, c)->text() : QString());
    return v;
}

}  // namespace

class PruebaControladores : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dialogos = CrearVentanasDePrueba();
    }
    void cleanup() {
        DestruirVentanas();
        QLocale::setDefault(QLocale::c());
    }

    void lasEntradasVanTrasLasDelMenu() {
        QMenu* opciones = nullptr;
        for (QAction* a : Frm_Ppal->menuBar()->actions())
            if (a->text() == "Opciones") opciones = a->menu();
        QVERIFY(opciones);
        QStringList textos;
        for (QAction* a : opciones->actions()) textos << (a->isSeparator() ? "-" : a->text());
        // the original entries first, as they were; the views' block, after a separator, closes the menu
        QCOMPARE(textos.mid(0, 3), (QStringList{"Parametros Planta", "Parametros Escalon", "Parametros PID"}));
        QCOMPARE(textos.mid(textos.size() - 4),
                 (QStringList{"-", "Índices de Desempeño", "Superficie de Control", "Comparar Controladores..."}));
        QCOMPARE(Frm_Ppal->centralWidget()->size(), QSize(742, 417));
        // non-modal windows of the main window's
        Frm_Ppal->Vistas->IndicesDesempeno1->trigger();
        Frm_Ppal->Vistas->SuperficieControl1->trigger();
        QVERIFY(Frm_Indices->isVisible() && Frm_Ppal->Vistas->Superficie()->isVisible());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(Frm_Indices->windowTitle(), QStringLiteral("Índices de Desempeño"));
        QCOMPARE(Frm_Ppal->Vistas->Superficie()->windowTitle(), QStringLiteral("Superficie de Control"));
    }

    // "Acerca De" names the program and the project's version; the fuzzy buttons have their menu entries
    // after the original ones, enabled as the buttons are
    void acercaDeYEntradasFuzzy() {
        Frm_Ppal->AcercaDe1->trigger();
        auto* caja = Frm_Ppal->findChild<QMessageBox*>("AcercaDe");
        QVERIFY(caja);
        QVERIFY(caja->isVisible());
        QCOMPARE(caja->text(), QString::fromUtf8("Tanque " TANQUE_VERSION_PRUEBA));
        QVERIFY(!caja->informativeText().isEmpty());
        caja->close();
        QList<QAction*> opciones;
        for (QAction* a : Frm_Ppal->menuBar()->actions())
            if (a->text() == "Opciones") opciones = a->menu()->actions();
        const qsizetype pid = opciones.indexOf(Frm_Ppal->ParametrosPID1);
        QVERIFY(opciones.at(pid + 1)->isSeparator());
        QCOMPARE(opciones.at(pid + 2), Frm_Ppal->ParametrosFuzzy1);
        QCOMPARE(opciones.at(pid + 3), Frm_Ppal->InicializarFuzzy1);
        QCOMPARE(Frm_Ppal->ParametrosFuzzy1->text(), QStringLiteral("Configurar Control Fuzzy"));
        bool abierto = false;
        QTimer::singleShot(0, [&] {
            abierto = Frm_Parametros_Fuzzy->isVisible();
            Frm_Parametros_Fuzzy->reject();
        });
        Frm_Ppal->ParametrosFuzzy1->trigger();  // the dialog is modal: the timer closes it
        QVERIFY(abierto);
    }

    void elDialogoCreceALaDerecha() {
        GraficosConjuntos* g = Frm_Parametros_Fuzzy->Graficos;
        QVERIFY(g->geometry().left() >= 522);
        QVERIFY(g->geometry().right() < Frm_Parametros_Fuzzy->width());
        QVERIFY(g->geometry().bottom() < Frm_Parametros_Fuzzy->height());
        for (const char* panel : {"Panel1", "Panel2", "Panel3", "Panel4"})
            QVERIFY(!Frm_Parametros_Fuzzy->findChild<QWidget*>(panel)->geometry().intersects(g->geometry()));
    }

    // The three headings of each panel of sets stand apart, each over its own column and in its own order.
    void losEncabezadosDeLasColumnasNoSeTocan() {
        for (const char* panel : {"Panel1", "Panel2", "Panel3"}) {
            auto* p = Frm_Parametros_Fuzzy->findChild<QWidget*>(panel);
            QVERIFY(p);
            QRect anterior;
            for (const char* columna : {"Tipo", "Ancho", "Centro"}) {
                auto* e = p->findChild<QLabel*>(QStringLiteral("Encabezado_%1").arg(columna));
                QVERIFY2(e, columna);
                QCOMPARE(e->text(), QString::fromLatin1(columna));
                // as wide as its text, so that the gap below is the one the eye sees
                QVERIFY(e->width() >= e->fontMetrics().horizontalAdvance(e->text()));
                if (!anterior.isNull()) QVERIFY2(e->x() >= anterior.right() + 1 + 4, qPrintable(panel + QString(" ") + columna));
                QVERIFY(e->geometry().right() < p->width());
                anterior = e->geometry();
            }
        }
    }

    // Each set's peak (or knee) is drawn at its centre and at a degree of 1, in the set's colour; beside it
    // the line is lower. A centre typed anew moves the peak.
    void elPicoDeCadaConjuntoEstaEnSuCentro() {
        TFrm_Parametros_Fuzzy* d = Frm_Parametros_Fuzzy;
        d->show();
        struct Caso {
            int grupo, k;
            bool izquierda, derecha;  // the side on which the line falls from the peak
        };
        for (const Caso& c : {Caso{0, 0, false, true}, Caso{0, 1, true, true}, Caso{0, 2, true, true},
                              Caso{0, 3, true, true}, Caso{0, 4, true, false}, Caso{1, 2, true, true}}) {
            GraficoConjuntos* v = d->Graficos->Variable(c.grupo);
            QCustomPlot* g = v->Grafico;
            const QImage img = Imagen(g);
            const char* prefijo = c.grupo == 0 ? "E" : "DE";
            const QString nombre =
                QStringLiteral("%1_%2_Centro").arg(prefijo, std::array{"MN", "Ne", "Ze", "Po", "MP"}[c.k]);
            const double centro = d->Edits().at(nombre.toStdString())->text().toDouble();
            const int px = qRound(g->xAxis->coordToPixel(centro)), py = qRound(g->yAxis->coordToPixel(1));
            const QColor color = GraficoConjuntos::ColorConjunto(c.k);
            QVERIFY2(EnColumna(img, px, py - 2, py + 2, color) > 0, qPrintable(nombre));
            if (c.izquierda) QVERIFY2(EnColumna(img, px - 12, py - 2, py + 2, color) == 0, qPrintable(nombre));
            if (c.derecha) QVERIFY2(EnColumna(img, px + 12, py - 2, py + 2, color) == 0, qPrintable(nombre));
            // and half-way down at half a width on a sloped side
            if (c.derecha) {
                const double ancho =
                    d->Edits().at(QString(nombre).replace("Centro", "Ancho").toStdString())->text().toDouble();
                const int x0 = qRound(g->xAxis->coordToPixel(centro + ancho / 2));
                const int y0 = qRound(g->yAxis->coordToPixel(0.5));
                QVERIFY2(EnColumna(img, x0, y0 - 2, y0 + 2, color) > 0, qPrintable(nombre));
            }
        }
        // typed: Ze of the error to 0.5, the peak follows at once
        Teclear(Edit("E_Ze_Centro"), "0.5");
        QCustomPlot* g = d->Graficos->Variable(0)->Grafico;
        const QImage img = Imagen(g);
        const int px = qRound(g->xAxis->coordToPixel(0.5)), py = qRound(g->yAxis->coordToPixel(1));
        const QColor ze = GraficoConjuntos::ColorConjunto(2);
        QVERIFY(EnColumna(img, px, py - 2, py + 2, ze) > 0);
        QCOMPARE(EnColumna(img, qRound(g->xAxis->coordToPixel(0)), py - 2, py + 2, ze), 0);
        // the control's constant sets stand at their centres, from 0 to 1
        QCustomPlot* u = d->Graficos->Variable(2)->Grafico;
        const QImage iu = Imagen(u);
        const int xu = qRound(u->xAxis->coordToPixel(-0.375));
        const QColor ne = GraficoConjuntos::ColorConjunto(1);
        QVERIFY(EnColumna(iu, xu, qRound(u->yAxis->coordToPixel(0.9)), qRound(u->yAxis->coordToPixel(0.1)), ne) > 10);
    }

    void unHuecoSeSombreaYSeDice_data() {
        QTest::addColumn<QLocale>("local");
        QTest::addColumn<QString>("texto");
        QTest::newRow("punto")
            << QLocale::c()
            << "Huecos sin cobertura entre -0.75 y -0.2 y entre 0.2 y 0.75: el controlador fallará allí";
        QTest::newRow("coma")
            << QLocale(QLocale::Spanish, QLocale::Spain)
            << "Huecos sin cobertura entre -0,75 y -0,2 y entre 0,2 y 0,75: el controlador fallará allí";
    }
    void unHuecoSeSombreaYSeDice() {
        QFETCH(QLocale, local);
        QFETCH(QString, texto);
        // the dialogs write their texts in the locale's notation when they are created
        cleanup();
        QLocale::setDefault(local);
        CrearVentanas(std::make_unique<DialogosPrueba>());
        const QChar d(local.decimalPoint().at(0));
        TFrm_Parametros_Fuzzy* dialogo = Frm_Parametros_Fuzzy;
        dialogo->show();
        GraficoConjuntos* v = dialogo->Graficos->Variable(0);
        QVERIFY(v->Huecos->text().isEmpty());
        QVERIFY(v->HuecosDibujados().empty());
        Teclear(Edit("E_Ne_Ancho"), QString("0.5").replace('.', d));
        Teclear(Edit("E_Ze_Ancho"), QString("0.2").replace('.', d));
        // one gap while Po is as it was
        QCOMPARE(v->HuecosDibujados().size(), std::size_t{1});
        Teclear(Edit("E_Po_Ancho"), QString("0.5").replace('.', d));
        QCOMPARE(v->HuecosDibujados().size(), std::size_t{2});
        QCOMPARE(v->HuecosDibujados()[0], (Hueco{-0.75, -0.2}));
        QCOMPARE(v->Huecos->text(), texto);
        QCustomPlot* g = v->Grafico;
        const QImage img = Imagen(g);
        const int y = qRound(g->yAxis->coordToPixel(0.6));  // clear of the grid line at 0.5
        for (double x : {-0.5, 0.5}) {
            const QRgb p = img.pixel(qRound(g->xAxis->coordToPixel(x)), y);
            QVERIFY2(qRed(p) == 255 && qGreen(p) < 220 && qBlue(p) < 220 && qGreen(p) > 100,
                     qPrintable(QStringLiteral("x %1: %2").arg(x).arg(QColor(p).name())));
        }
        // no shade where a set covers, at half height between the lines
        const QRgb fuera = img.pixel(qRound(g->xAxis->coordToPixel(-2.5)), qRound(g->yAxis->coordToPixel(0.25)));
        QVERIFY(Parecido(fuera, Qt::white));
        // the derivative's plot has none
        QVERIFY(dialogo->Graficos->Variable(1)->Huecos->text().isEmpty());
    }

    void elTextoDeLosHuecos_data() {
        QTest::addColumn<std::vector<Hueco>>("huecos");
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<QString>("texto");
        QTest::newRow("ninguno") << std::vector<Hueco>{} << QChar(',') << QString();
        QTest::newRow("uno") << std::vector<Hueco>{{-0.35000000000000003, -0.2}} << QChar(',')
                             << "Hueco sin cobertura entre -0,35 y -0,2: el controlador fallará allí";
        QTest::newRow("un punto") << std::vector<Hueco>{{0.5, 0.5}} << QChar('.')
                                  << "Hueco sin cobertura en 0.5: el controlador fallará allí";
        QTest::newRow("tres") << std::vector<Hueco>{{-3, -2.5}, {0, 0}, {1.0 / 3, 1}} << QChar(',')
                              << "Huecos sin cobertura entre -3 y -2,5, en 0 y entre 0,333333 y 1: el controlador "
                                 "fallará allí";
    }
    void elTextoDeLosHuecos() {
        QFETCH(std::vector<Hueco>, huecos);
        QFETCH(QChar, decimal);
        QFETCH(QString, texto);
        QCOMPARE(TextoHuecos(huecos, decimal), texto);
    }

    void unTextoQueNoConvierteSeMuestraEnLugarDelGrafico() {
        GraficoConjuntos* de = Frm_Parametros_Fuzzy->Graficos->Variable(1);
        Frm_Parametros_Fuzzy->show();
        Teclear(Edit("DE_Po_Ancho"), "x");
        QVERIFY(de->Mensaje->isVisible());
        QVERIFY(!de->Grafico->isVisible());
        QCOMPARE(de->Mensaje->text(), QStringLiteral("'x' is not a valid floating point value"));
        QVERIFY(Frm_Parametros_Fuzzy->Graficos->Variable(0)->Grafico->isVisible());
        Teclear(Edit("DE_Po_Ancho"), "0");
        QCOMPARE(de->Mensaje->text(), QStringLiteral("El conjunto Po de Derivada Error tiene ancho 0"));
        Teclear(Edit("DE_Po_Ancho"), "0.25");
        QVERIFY(!de->Mensaje->isVisible());
        QVERIFY(de->Grafico->isVisible());
    }

    // The map is the controller's output: every cell is Inferir at its point, a failed point NaN and grey.
    void laSuperficieEsInferir_data() {
        QTest::addColumn<bool>("huecos");
        QTest::newRow("por defecto") << false;
        QTest::newRow("con huecos") << true;
    }
    void laSuperficieEsInferir() {
        QFETCH(bool, huecos);
        if (huecos) {
            Edit("E_Ne_Ancho")->setText("0.5");
            Edit("E_Ze_Ancho")->setText("0.2");
            Edit("E_Po_Ancho")->setText("0.5");
        }
        Frm_Ppal->Vistas->SuperficieControl1->trigger();
        TFrm_Superficie* s = Frm_Ppal->Vistas->Superficie();
        QVERIFY(s->Mensaje->isVisible());
        QCOMPARE(s->Mensaje->text(), QString::fromUtf8(kFuzzySinInicializar));
        Frm_Ppal->ToolButton11->click();
        QVERIFY(s->Actual().has_value());
        QVERIFY(s->Mapa->isVisible());
        FIS fis = Frm_Ppal->Nucleo().Controlador_Fuzzy();
        QCPColorMapData* datos = s->Colores->data();
        QCOMPARE(datos->keySize(), 101);
        QCOMPARE(datos->valueSize(), 101);
        int fallidos = 0;
        for (int i = 0; i < 101; i += 5) {
            for (int j = 0; j < 101; j += 4) {
                const double e = s->Actual()->E(i), de = s->Actual()->DE(j);
                double esperado = std::numeric_limits<double>::quiet_NaN();
                try {
                    esperado = fis.Inferir(e, de);
                } catch (const ErrorTanque&) {
                    ++fallidos;
                }
                const double celda = datos->cell(i, j);
                if (std::isnan(esperado))
                    QVERIFY(std::isnan(celda));
                else
                    QCOMPARE(celda, esperado);
                double clave, valor;
                datos->cellToCoord(i, j, &clave, &valor);
                QCOMPARE(clave, e);
                QCOMPARE(valor, de);
            }
        }
        QCOMPARE(fallidos > 0, huecos);
        // a failed point is grey on screen, a point with a value is not
        const QImage img = Imagen(s->Mapa);
        const int j = 50;
        for (int i : {25, 50, 70}) {
            const QPoint p(qRound(s->Mapa->xAxis->coordToPixel(s->Actual()->E(i))),
                           qRound(s->Mapa->yAxis->coordToPixel(s->Actual()->DE(j))));
            const bool falla = !s->Actual()->Valor(i, j).has_value();
            QCOMPARE(Parecido(img.pixel(p), TFrm_Superficie::ColorFallo()), falla);
        }
        QCOMPARE(s->Fallidos->text().contains("gris"), huecos);
    }

    // During a fuzzy run each tick shades both rule grids by the strengths that the core reports, the
    // minimum of the two input degrees, and moves the marker to the tick's inputs.
    void cadaTickSombreaLasReglasYMueveElMarcador() {
        Frm_Ppal->ToolButton11->click();
        Frm_Ppal->Vistas->SuperficieControl1->trigger();
        TFrm_Superficie* sup = Frm_Ppal->Vistas->Superficie();
        RejillaReglas* dialogo = Frm_Parametros_Fuzzy->Reglas;
        QVERIFY(!dialogo->Fuerza(1, 1));  // no inference yet: the grid as designed
        Edit("KDE")->setText("4");
        Frm_Ppal->ToolButton10->click();
        const Simulador& s = Frm_Ppal->Nucleo();
        for (int k = 0; k < 40; ++k) {
            Frm_Ppal->Track_Referencia->setValue(k < 10 ? 2 : k < 25 ? 5 : 3);
            Frm_Ppal->Timer5Timer();
            const EntradaFuzzy& x = s.UltimaEntradaFuzzy();
            const TablaFuerzas f = FuerzasUltimaInferencia(s.Controlador_Fuzzy());
            bool alguna = false;
            for (int fila = 1; fila <= 5; ++fila) {
                for (int columna = 1; columna <= 5; ++columna) {
                    FDP e = s.Controlador_Fuzzy().Conjuntos_E[fila - 1];
                    FDP de = s.Controlador_Fuzzy().Conjuntos_DE[columna - 1];
                    e.Evaluar(x.error);
                    de.Evaluar(x.derivada);
                    const double minimo = std::min(e.Leer_Grado(), de.Leer_Grado());
                    QCOMPARE(f[fila - 1][columna - 1], minimo);
                    QCOMPARE(dialogo->Fuerza(columna, fila), std::optional<double>(minimo));
                    QCOMPARE(sup->Reglas->Fuerza(columna, fila), std::optional<double>(minimo));
                    alguna = alguna || minimo > 0;
                }
            }
            QVERIFY(alguna);
            QCOMPARE(sup->Rastro().size(), std::min<std::size_t>(k + 1, TFrm_Superficie::kRastro));
            QCOMPARE(sup->Rastro().back(), std::make_pair(x.error, x.derivada));
            QCOMPARE(static_cast<float>(x.error), s.Estado().Error_Ant);
            QCOMPARE(x.derivada, static_cast<double>(s.Estado().D_Error));
        }
        // the marker is drawn where the last inference was, over the map
        {
            const QImage img = Imagen(sup->Mapa);
            const QPoint p(qRound(sup->Mapa->xAxis->coordToPixel(sup->Rastro().back().first)),
                           qRound(sup->Mapa->yAxis->coordToPixel(sup->Rastro().back().second)));
            QVERIFY(sup->Mapa->axisRect()->rect().contains(p));
            QVERIFY(Parecido(img.pixel(p), Qt::yellow));
        }
        // the shade painted in each cell is the strength's colour
        sup->Reglas->viewport()->repaint();
        const QImage img = sup->Reglas->viewport()->grab().toImage();
        for (int fila = 1; fila <= 5; ++fila) {
            for (int columna = 1; columna <= 5; ++columna) {
                const QRect r = sup->Reglas->visualItemRect(sup->Reglas->item(fila - 1, columna - 1));
                const QColor esperado = RejillaReglas::ColorFuerza(*sup->Reglas->Fuerza(columna, fila));
                QVERIFY2(Parecido(img.pixel(r.topLeft() + QPoint(3, 3)), esperado, 1),
                         qPrintable(QStringLiteral("celda %1 %2").arg(columna).arg(fila)));
            }
        }
        QCOMPARE(RejillaReglas::ColorFuerza(0), QColor(255, 255, 255));
        QCOMPARE(RejillaReglas::ColorFuerza(1), QColor(0, 0, 139));
        // the dialog's grid shows the last tick's shading when opened
        Frm_Parametros_Fuzzy->show();
        QCOMPARE(dialogo->Fuerza(3, 3), sup->Reglas->Fuerza(3, 3));
        // a new initialisation: no inference by this controller yet; a new run starts the trail afresh
        Frm_Ppal->ToolButton10->click();
        Frm_Ppal->ToolButton11->click();
        QVERIFY(!dialogo->Fuerza(3, 3));
        QVERIFY(sup->Rastro().empty());
        Frm_Ppal->ToolButton10->click();
        Frm_Ppal->Timer5Timer();
        QCOMPARE(sup->Rastro().size(), std::size_t{1});
    }

    // A tick repaints only around the pieces of the trail that changed: what the screen holds after many ticks
    // is what a whole repaint draws.
    void elMarcadorSeRepintaSoloDondeCambia() {
        Frm_Ppal->ToolButton11->click();
        Frm_Ppal->Vistas->SuperficieControl1->trigger();
        TFrm_Superficie* sup = Frm_Ppal->Vistas->Superficie();
        QVERIFY(QTest::qWaitForWindowExposed(sup));
        QScreen* pantalla = sup->screen();
        auto enPantalla = [&] {
            QCoreApplication::processEvents();
            return pantalla->grabWindow(sup->winId()).toImage();
        };
        sup->Mapa->replot(QCustomPlot::rpImmediateRefresh);
        sup->repaint();
        const QImage vacio = enPantalla();
        for (int k = 0; k < 60; ++k) {
            // a loop that wanders over the map and out of it
            sup->Marcar(6 * std::sin(k * 0.37), 1.2 * std::cos(k * 0.23) + (k % 17 == 0 ? 3 : 0));
            QCoreApplication::processEvents();
        }
        const QImage poco = enPantalla();
        sup->repaint();
        const QImage todo = enPantalla();
        QVERIFY(poco != vacio);
        QCOMPARE(poco, todo);
        // taken away as a whole
        sup->BorrarRastro();
        const QImage borrado = enPantalla();
        QCOMPARE(borrado, vacio);
    }

    // With the pump's limits on the table gains the time at a limit: the samples the core said were
    // saturated, counted here tick by tick, times the sampling period. Without limits the row is not there.
    void elTiempoSaturadoConLimitesDeLaBomba() {
        Frm_Ppal->Vistas->IndicesDesempeno1->trigger();
        QTableWidget* t = Frm_Indices->Tabla;
        const int filas = t->rowCount();
        const int alto = Frm_Indices->height();
        Frm_Parametros_Planta->Edits().at("Caudal_Min")->setText(QStringLiteral("0"));
        Frm_Parametros_Planta->Edits().at("Caudal_Max")->setText(QStringLiteral("1") + QChar(SeparadorDecimal()) + QStringLiteral("75"));
        const Simulador& s = Frm_Ppal->Nucleo();
        Frm_Ppal->Track_Referencia->setValue(4);
        Frm_Ppal->ToolButton13->click();
        int saturadas = 0;
        for (int k = 0; k < 80; ++k) {
            Frm_Ppal->Timer4Timer();
            saturadas += s.Saturada().value_or(false);
        }
        Frm_Ppal->ToolButton13->click();
        QVERIFY(saturadas > 0);  // the empty tank's step asks for more than the pump gives
        QCOMPARE(t->rowCount(), filas + 1);
        QCOMPARE(t->verticalHeaderItem(filas)->text(), QStringLiteral("Tiempo saturado (s)"));
        QCOMPARE(Frm_Indices->height(), alto + 20);
        QString celda = t->item(filas, 2)->text();
        bool numero = false;
        const double segundos = celda.replace(QChar(','), QChar('.')).toDouble(&numero);
        QVERIFY2(numero, qPrintable(celda));
        QVERIFY(std::abs(segundos - saturadas * s.Estado().T_Muestreo) < 0.006);
        QCOMPARE(t->item(filas, 0)->text(), QStringLiteral("—"));  // the step run saw no limit
    }

    // The window shows what the core computed, the step going on and the last finished, at every tick.
    void losIndicesSonLosDelNucleo() {
        Frm_Ppal->Vistas->IndicesDesempeno1->trigger();
        QTableWidget* t = Frm_Indices->Tabla;
        QCOMPARE(Frm_Indices->Banda_Establecimiento->text(), QStringLiteral("2"));
        QCOMPARE(Celdas(t, 2), QStringList(13, "—"));
        const Simulador& s = Frm_Ppal->Nucleo();
        Frm_Indices->Banda_Establecimiento->setText("5");
        Frm_Ppal->ToolButton13->click();
        for (int k = 0; k < 160; ++k) {
            Frm_Ppal->Track_Referencia->setValue(k < 60 ? 2 : 6);
            Frm_Ppal->Timer4Timer();
            const IndicesRespuesta& i = s.Indices(Corrida::PID).indices;
            QCOMPARE(Celdas(t, 2), TextosIndices(*i.Actual()));
            if (i.Anterior())
                QCOMPARE(Celdas(t, 3), TextosIndices(*i.Anterior()));
            else
                QCOMPARE(Celdas(t, 3), QStringList(13, "—"));
        }
        QCOMPARE(s.Indices(Corrida::PID).indices.Ajustes().banda, 5.0);
        QCOMPARE(Celdas(t, 3)[0], QStringLiteral("0 a 59"));
        QCOMPARE(Celdas(t, 2)[11], QStringLiteral("provisional"));
        QCOMPARE(Celdas(t, 3)[11], QStringLiteral("terminado"));
        QCOMPARE(Celdas(t, 0), QStringList(13, "—"));  // the step run gave nothing
        // a band that does not read: the run goes on, its indices say why they are empty
        Frm_Ppal->ToolButton13->click();
        dialogos->mensajes.clear();
        Frm_Indices->Banda_Establecimiento->setText("cinco");
        Frm_Ppal->ToolButton13->click();
        QVERIFY(Frm_Ppal->Timer4->isActive());
        Frm_Ppal->Timer4Timer();
        QCOMPARE(dialogos->mensajes, QStringList{});
        QCOMPARE(Celdas(t, 2), QStringList(13, "—"));
        QCOMPARE(Frm_Indices->Avisos->text(),
                 QStringLiteral("PID: sin índices en esta corrida: 'cinco' is not a valid floating point value"));
        // numbers with the locale's separator
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        IndicesEscalon e;
        e.inicial = 1.5;
        e.tiempoSubida = 12.25;
        QCOMPARE(TextosIndices(e)[1], QStringLiteral("1,5000"));
        QCOMPARE(TextosIndices(e)[8], QStringLiteral("12,25"));
        QLocale::setDefault(QLocale::c());
    }

    // "Comparar" replays what the slider did since the last Limpiar, for the PID and the fuzzy controller.
    void compararRepiteElCalendarioLeido() {
        Frm_Ppal->ToolButton13->click();
        for (int k = 0; k < 120; ++k) {
            Frm_Ppal->Track_Referencia->setValue(k < 40 ? 2 : 7);
            Frm_Ppal->Timer4Timer();
        }
        Frm_Ppal->ToolButton13->click();
        Frm_Ppal->Track_Referencia->setValue(6);  // now: not what the runs read
        Frm_Ppal->Vistas->CompararControladores1->trigger();
        TFrm_Comparacion* c = Frm_Ppal->Vistas->Comparacion();
        QVERIFY(c && c->isVisible());
        const std::vector<CambioReferencia> calendario{{0, 2}, {40, 7}};
        TextosMapa textos = TextosIniciales('.');
        const std::int64_t muestras = 41 + 320;
        const ResultadoComparacion r = CompararControladores(textos, calendario, muestras);
        QCOMPARE(c->Calendario->text(),
                 QStringLiteral("Referencia 1 desde la muestra 0; 3.5 desde la 40. 361 muestras (margen de 320 tras "
                                "el último cambio)."));
        QCOMPARE(c->Grafico->graph(1)->dataCount(), static_cast<int>(r.De(Corrida::PID).muestras.size()));
        QCOMPARE(c->Grafico->graph(2)->dataCount(), static_cast<int>(r.De(Corrida::Fuzzy).muestras.size()));
        QCOMPARE(c->Grafico->graph(1)->data()->at(100)->value,
                 static_cast<double>(r.De(Corrida::PID).muestras[100].nivel));
        QCOMPARE(c->Grafico->graph(2)->data()->at(100)->value,
                 static_cast<double>(r.De(Corrida::Fuzzy).muestras[100].nivel));
        // both rows of each step
        QCOMPARE(c->Tabla->rowCount(), 4);
        for (int f = 0; f < 4; ++f) {
            const IndicesEscalon& e = (f % 2 == 0 ? r.De(Corrida::PID) : r.De(Corrida::Fuzzy)).escalones[f / 2];
            const QStringList t = TextosIndices(e);
            const QStringList fila = Fila(c->Tabla, f);
            QCOMPARE(fila[0], f % 2 == 0 ? QStringLiteral("PID") : QStringLiteral("Fuzzy"));
            QCOMPARE(fila[1], t[1] + " → " + t[2]);
            QCOMPARE(fila[2], t[0]);
            QCOMPARE(fila.mid(3), t.mid(3, 8));
        }
        // after Limpiar nothing is recorded: the slider's position from sample 0
        Frm_Ppal->Limpiar->click();
        Frm_Ppal->Vistas->CompararControladores1->trigger();
        QVERIFY(c->Calendario->text().startsWith("Referencia 3 desde la muestra 0. 321 muestras"));
        QCOMPARE(c->Tabla->rowCount(), 2);
        // a band that does not read: its message, the window as it was
        Frm_Indices->Banda_Establecimiento->setText("200");
        Frm_Ppal->Vistas->CompararControladores1->trigger();
        QCOMPARE(dialogos->mensajes.last(), QString::fromUtf8(kBandaFueraDeRango));
        QCOMPARE(c->Tabla->rowCount(), 2);
    }

    void unaCorridaQueFallaDiceElMotivo() {
        Edit("E_Ze_Ancho")->setText("0");
        Frm_Ppal->Vistas->CompararControladores1->trigger();
        TFrm_Comparacion* c = Frm_Ppal->Vistas->Comparacion();
        QCOMPARE(c->Tabla->rowCount(), 2);
        QCOMPARE(Fila(c->Tabla, 0)[0], QStringLiteral("PID"));
        QCOMPARE(Fila(c->Tabla, 1)[0], QStringLiteral("Fuzzy"));
        QCOMPARE(Fila(c->Tabla, 1)[1], QStringLiteral("La corrida no empezó: El conjunto Ze de Error tiene ancho 0"));
    }

    // Comparar's legend lies outside the plot, and two slider keystrokes in a row make one step, measured from
    // the level where the tank stood at the first of them.
    void compararLeyendaFueraYPulsacionesUnidas() {
        Frm_Ppal->ToolButton13->click();
        for (int k = 0; k < 300; ++k) {
            // reference 1, then 2 from sample 40, then Left twice: 1.5 at sample 200 alone, 1 from 201
            Frm_Ppal->Track_Referencia->setValue(k < 40 ? 2 : k < 200 ? 4 : k == 200 ? 3 : 2);
            Frm_Ppal->Timer4Timer();
        }
        Frm_Ppal->ToolButton13->click();
        Frm_Ppal->Vistas->CompararControladores1->trigger();
        TFrm_Comparacion* c = Frm_Ppal->Vistas->Comparacion();
        QVERIFY(c && c->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(c));
        c->Grafico->replot(QCustomPlot::rpImmediateRefresh);
        const QRect datos = c->Grafico->axisRect()->rect();
        const QRect leyenda = c->Grafico->legend->outerRect();
        QVERIFY(leyenda.isValid());
        QVERIFY2(!leyenda.intersects(datos), "the legend covers the plot");
        QVERIFY(c->Grafico->rect().contains(leyenda));
        QCOMPARE(c->Grafico->legend->itemCount(), 5);
        // three steps for each run: the keystrokes are one
        QCOMPARE(c->Tabla->rowCount(), 6);
        const std::vector<CambioReferencia> calendario{{0, 2}, {40, 4}, {200, 3}, {201, 2}};
        const ResultadoComparacion r = CompararControladores(TextosIniciales('.'), calendario, 201 + 320);
        for (Corrida corrida : {Corrida::PID, Corrida::Fuzzy}) {
            const ResultadoCorrida& rc = r.De(corrida);
            QCOMPARE(rc.escalones.size(), std::size_t{3});
            const IndicesEscalon& e = rc.escalones[2];
            QCOMPARE(e.primera, 200);
            QCOMPARE(e.unidos, 1);
            QCOMPARE(*e.objetivo, 1.0);
            // from the level of the step's first sample, as the run plotted it
            QCOMPARE(e.inicial, static_cast<double>(rc.muestras[200].nivel));
            QVERIFY(std::abs(e.inicial - 2.0) < 0.2);
        }
        const QStringList fila = Fila(c->Tabla, 4);
        QVERIFY2(fila[1].endsWith(QStringLiteral(" (+1)")), qPrintable(fila[1]));
        QVERIFY(c->Tabla->item(4, 1)->toolTip().contains(QStringLiteral("una sola muestra")));
        QVERIFY(!Fila(c->Tabla, 2)[1].contains(QStringLiteral("(+")));
    }
};

QTEST_MAIN(PruebaControladores)
#include "controladores_test.moc"
