// The main window driven as a user would: buttons, menu, slider, timers, chart and export.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

#include <fstream>
#include <functional>
#include <optional>

#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/Parametros_PID.h"
#include "ui/Parametros_Planta.h"
#include "ui/Parametros_Reac.h"
#include "ui/arranque.h"
#include "ui/estilo.h"
#include "ui/grafico.h"
#include "ui/rectangulo.h"

namespace {

DialogosPrueba* dialogos = nullptr;

QLineEdit* Edit(DialogoParametros* d, const char* nombre) { return d->Edits().find(nombre)->second; }

/// Runs `mientras` once the modal dialog that the next action opens is showing, then closes it.
void AlAbrirse(QWidget* esperado, std::function<void()> mientras, bool* visto) {
    QTimer::singleShot(0, [=] {
        *visto = QApplication::activeModalWidget() == esperado;
        if (mientras) mientras();
        esperado->close();
    });
}

}  // namespace

class PruebaPpal : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { PrepararAplicacion(); }

    void init() {
        dialogos = CrearVentanasDePrueba();
    }
    void cleanup() { DestruirVentanas(); }

    void arrancaComoSeDiseno() {
        QCOMPARE(Frm_Ppal->windowTitle(), QStringLiteral("Generación de Patrones para Identificación de una Planta"));
        QCOMPARE(Frm_Ppal->centralWidget()->size(), QSize(742, 417));
        QCOMPARE(Frm_Ppal->ToolButton13->geometry().left(), 139);
        QCOMPARE(Frm_Ppal->ToolButton10->geometry().left(), 216);
        QCOMPARE(Frm_Ppal->ToolButton4->toolTip(), QStringLiteral("Aplicar Escalón"));
        QCOMPARE(Frm_Ppal->Limpiar->geometry(), QRect(370, 2, 75, 25));
        QCOMPARE(Frm_Ppal->Archivo->geometry(), QRect(479, 1, 65, 25));
        QCOMPARE(Frm_Ppal->Chart1->geometry(), QRect(398, 29, 326, 299));
        QCOMPARE(Frm_Ppal->Track_Referencia->geometry(), QRect(111, 357, 208, 37));
        QCOMPARE(Frm_Ppal->Track_Referencia->value(), 2);
        QCOMPARE(Frm_Ppal->Ref_Label->text(), QStringLiteral("1"));
        QCOMPARE(Frm_Ppal->StatusBar1->geometry(), QRect(0, 398, 742, 19));
        QVERIFY(!Frm_Ppal->Nivel->isVisible());
        QVERIFY(!Frm_Ppal->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        for (QTimer* t : {Frm_Ppal->Timer1, Frm_Ppal->Timer4, Frm_Ppal->Timer5}) QVERIFY(!t->isActive());
        // the fuzzy system exists, empty, with the main window
        QCOMPARE(Frm_Ppal->Nucleo().Controlador_Fuzzy().Num_E, 0);
        QVERIFY(Frm_Parametros && Frm_Parametros_Planta && Frm_Parametros_Fuzzy && Frm_Parametros_PID);
        QVERIFY(!Frm_Parametros_Fuzzy->isVisible());
    }

    void cadaBotonYMenuAbreSuDialogo() {
        struct Caso {
            std::function<void()> pulsar;
            QWidget* dialogo;
        };
        const Caso casos[] = {
            {[] { Frm_Ppal->ToolButton5->click(); }, Frm_Parametros_Planta},
            {[] { Frm_Ppal->Parametros1->trigger(); }, Frm_Parametros_Planta},
            {[] { Frm_Ppal->ToolButton2->click(); }, Frm_Parametros},
            {[] { Frm_Ppal->ParametrosEscalon1->trigger(); }, Frm_Parametros},
            {[] { Frm_Ppal->ToolButton12->click(); }, Frm_Parametros_PID},
            {[] { Frm_Ppal->ParametrosPID1->trigger(); }, Frm_Parametros_PID},
            {[] { Frm_Ppal->ToolButton8->click(); }, Frm_Parametros_Fuzzy},
        };
        for (const Caso& c : casos) {
            bool visto = false;
            AlAbrirse(c.dialogo, nullptr, &visto);
            c.pulsar();
            QVERIFY(visto);
            QVERIFY(!c.dialogo->isVisible());
        }
        // "Acerca De" opens its box, and nothing else
        Frm_Ppal->AcercaDe1->trigger();
        QVERIFY(dialogos->mensajes.isEmpty());
        QWidget* acerca = QApplication::activeModalWidget();
        QVERIFY(acerca != nullptr);
        QCOMPARE(acerca->objectName(), QStringLiteral("AcercaDe"));
        acerca->close();
    }

    void unaCorridaTicaConSuTemporizadorYGrafica() {
        Frm_Ppal->ToolButton4->click();
        QVERIFY(Frm_Ppal->Timer1->isActive());
        QCOMPARE(Frm_Ppal->Timer1->interval(), kIntervaloTick);
        QTRY_VERIFY_WITH_TIMEOUT(Frm_Ppal->Nucleo().Series1().Cuenta() >= 3, 3000);
        QVERIFY(Frm_Ppal->Chart1->graph(0)->dataCount() >= 3);
        QVERIFY(Frm_Ppal->Nivel->isVisible());
        QCOMPARE(Frm_Ppal->Nivel->geometry().bottom(), kBarraFondo - 1);  // the bar's bottom edge stays put
        // the enabled set on screen follows the core
        for (QWidget* w :
             std::initializer_list<QWidget*>{Frm_Ppal->ToolButton1, Frm_Ppal->ToolButton5, Frm_Ppal->ToolButton13,
                                             Frm_Ppal->Limpiar, Frm_Ppal->Archivo, Frm_Ppal->Track_Referencia})
            QVERIFY(!w->isEnabled());
        for (QWidget* w : std::initializer_list<QWidget*>{Frm_Ppal->ToolButton4, Frm_Ppal->ToolButton8,
                                                          Frm_Ppal->ToolButton11, Frm_Ppal->ToolButton10})
            QVERIFY(w->isEnabled());
        Frm_Ppal->ToolButton4->click();
        QVERIFY(!Frm_Ppal->Timer1->isActive());
        QCOMPARE(dialogos->mensajes, QStringList{QStringLiteral("El Ciclo de lectura se ha parado")});
        QVERIFY(Frm_Ppal->Limpiar->isEnabled());
        QVERIFY(Frm_Ppal->Track_Referencia->isEnabled());
    }

    // "Dos Tanques" shows the upper tank with its bar, which grows with its level from the same bottom edge; a run
    // of one tank hides it again.
    void dosTanquesMuestraElTanqueSuperior() {
        QVERIFY(!Frm_Ppal->TanqueSuperior->isVisible());
        Frm_Parametros_Planta->Modelo_Planta->setCurrentText("Dos Tanques");
        Frm_Ppal->ToolButton4->click();
        QTRY_VERIFY_WITH_TIMEOUT(Frm_Ppal->Nucleo().Series1().Cuenta() >= 4, 3000);
        QVERIFY(Frm_Ppal->TanqueSuperior->isVisible());
        const int alto = Frm_Ppal->Nivel2->Alto();
        QVERIFY(alto > 0);
        QCOMPARE(Frm_Ppal->Nivel2->Top() + alto, kBarraSuperiorAlto + 1);
        QTRY_VERIFY_WITH_TIMEOUT(Frm_Ppal->Nivel2->Alto() > alto, 3000);
        // the upper tank fills first: its bar is ahead of the measured tank's
        QVERIFY(Frm_Ppal->Nivel2->Alto() / double(kBarraSuperiorAlto) >
                Frm_Ppal->Nivel->geometry().height() / double(kBarraAltoMaximo));
        Frm_Ppal->ToolButton4->click();
        Frm_Parametros_Planta->Modelo_Planta->setCurrentText("Lineal");
        Frm_Ppal->ToolButton4->click();
        QTRY_VERIFY_WITH_TIMEOUT(!Frm_Ppal->TanqueSuperior->isVisible(), 3000);
        Frm_Ppal->ToolButton4->click();
    }

    void elDesbordeDetieneElTemporizadorAntesDeSuMensaje() {
        Edit(Frm_Parametros, "Alto_Escalon")->setText("200");
        bool temporizadorParado = false;
        dialogos->alMostrar = [&] { temporizadorParado = !Frm_Ppal->Timer1->isActive(); };
        Frm_Ppal->ToolButton4->click();
        QTRY_VERIFY_WITH_TIMEOUT(!dialogos->mensajes.isEmpty(), 3000);
        QCOMPARE(dialogos->mensajes.first(), QStringLiteral("El Nivel del Tanque ha Superado el Máximo Permitido"));
        QVERIFY(temporizadorParado);
        // the bar is taller than the window it stands in, clipped to the client area
        QCOMPARE(Frm_Ppal->Nivel->geometry().top(), 0);
        QCOMPARE(Frm_Ppal->Nivel->geometry().bottom(), 275);
    }

    void etiquetaDeReferencia() {
        const QString esperado[] = {"0", "0.5", "1", "1.5", "2", "2.5", "3", "3.5", "4", "4.5", "5"};
        for (int p = 10; p >= 0; --p) {
            Frm_Ppal->Track_Referencia->setValue(p);
            QCOMPARE(Frm_Ppal->Ref_Label->text(), esperado[p]);
        }
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        Frm_Ppal->Track_Referencia->setValue(1);
        QCOMPARE(Frm_Ppal->Ref_Label->text(), QStringLiteral("0,5"));
    }

    void unTickLeeElEditMientrasSuDialogoEstaAbierto() {
        Frm_Ppal->ToolButton4->click();
        QTRY_VERIFY_WITH_TIMEOUT(Frm_Ppal->Nucleo().Series2().Cuenta() >= 1, 3000);
        bool visto = false;
        AlAbrirse(
            Frm_Parametros,
            [] {
                Edit(Frm_Parametros, "Alto_Escalon")->setText("1");
                const std::size_t antes = Frm_Ppal->Nucleo().Series2().Cuenta();
                QTRY_VERIFY_WITH_TIMEOUT(Frm_Ppal->Nucleo().Series2().Cuenta() > antes + 1, 3000);
            },
            &visto);
        Frm_Ppal->ParametrosEscalon1->trigger();  // the menu opens it during a run
        QVERIFY(visto);
        const Serie& accion = Frm_Ppal->Nucleo().Series2();
        QCOMPARE(accion.Y(accion.Cuenta() - 1), 1.0);
        QCOMPARE(accion.Y(0), 2.0);
    }

    void salirDelMenuTerminaUnProgramaQueCorre() {
        Frm_Ppal->ToolButton13->click();
        QVERIFY(Frm_Ppal->Timer4->isActive());
        QVERIFY(!Frm_Ppal->ToolButton1->isEnabled());  // the tool button is disabled, the menu entry is not
        Frm_Ppal->Salir1->trigger();
        QVERIFY(!Frm_Ppal->isVisible());
        QVERIFY(!Frm_Ppal->Timer4->isActive());
        QVERIFY(dialogos->mensajes.isEmpty());  // silently
    }

    // The load disturbance's line: absent with the default texts (the chart is the three series, nothing
    // more), drawn with a disturbance, its points the demand the texts ask for, in the step run and in the
    // PID run whose window of the last samples it shares with the level.
    void laPerturbacionSeDibujaSoloSiHayUna_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<int>("corrida");
        QTest::newRow("escalon sin") << "Ninguna" << int(Corrida::Escalon);
        QTest::newRow("pid sin") << "Ninguna" << int(Corrida::PID);
        QTest::newRow("escalon con") << QString::fromUtf8("Escalón") << int(Corrida::Escalon);
        QTest::newRow("pid con") << QString::fromUtf8("Escalón") << int(Corrida::PID);
    }
    void laPerturbacionSeDibujaSoloSiHayUna() {
        QFETCH(QString, tipo);
        QFETCH(int, corrida);
        const Corrida c = static_cast<Corrida>(corrida);
        Frm_Parametros_Planta->Perturbacion_Tipo->setCurrentText(tipo);
        Frm_Parametros_Planta->Edits().at("Perturbacion_Inicio")->setText(QStringLiteral("120"));
        Frm_Parametros_Planta->Edits().at("Perturbacion_Maximo")->setText(QStringLiteral("0") + QChar(SeparadorDecimal()) + QStringLiteral("25"));
        QToolButton* boton = c == Corrida::PID ? Frm_Ppal->ToolButton13 : Frm_Ppal->ToolButton4;
        Simulador& s = Frm_Ppal->Nucleo();
        boton->click();
        for (int i = 0; i < 150; ++i) s.AtenderTick(c);
        boton->click();
        Frm_Ppal->Chart1->replot(QCustomPlot::rpImmediateRefresh);
        if (tipo == "Ninguna") {
            QVERIFY(s.SeriePerturbacion().Vacia());
            QVERIFY(!Frm_Ppal->Chart1->LineaPerturbacion());
            QCOMPARE(Frm_Ppal->Chart1->graphCount(), 3);
            return;
        }
        QCPGraph* linea = Frm_Ppal->Chart1->LineaPerturbacion();
        QVERIFY(linea);
        QCOMPARE(Frm_Ppal->Chart1->graphCount(), 4);
        // the PID run keeps its last samples: the disturbance's as many as the level's, from the same one
        if (c == Corrida::PID) {
            QCOMPARE(s.SeriePerturbacion().Cuenta(), s.Series1().Cuenta());
            QCOMPARE(s.SeriePerturbacion().X(0), s.Series1().X(0));
        }
        QVERIFY(linea->data()->size() > 0);
        // nothing before the demand's first sample, the constant 0,25 from it on
        for (const QCPGraphData& d : *linea->data()) QCOMPARE(d.value, d.key < 120 ? 0.0 : 0.25);
        // "Limpiar" takes the line away with the points
        Frm_Ppal->Nucleo().LimpiarClick();
        Frm_Ppal->Chart1->replot(QCustomPlot::rpImmediateRefresh);
        QVERIFY(!Frm_Ppal->Chart1->LineaPerturbacion());
    }

    void laExportacionEscribeLoQueMuestraElGrafico() {
        const QString archivo = QDir::temp().filePath("tanque_prueba_ppal.txt");
        dialogos->registro = archivo;
        // a PID run of 150 ticks on an empty chart keeps the samples 49 to 149
        Simulador& s = Frm_Ppal->Nucleo();
        Frm_Ppal->ToolButton13->click();
        for (int i = 0; i < 150; ++i) s.AtenderTick(Corrida::PID);
        Frm_Ppal->ToolButton13->click();
        Frm_Ppal->Archivo->click();
        auto lineas = [&] {
            std::ifstream f(archivo.toStdString(), std::ios::binary);
            std::vector<std::string> v;
            for (std::string l; std::getline(f, l);) v.push_back(l);
            return v;
        };
        std::vector<std::string> todas = lineas();
        QCOMPARE(todas.size(), std::size_t{kMuestrasVentana});
        QCOMPARE(todas.front().substr(0, 5), std::string("   49"));
        QCOMPARE(todas.back().substr(0, 5), std::string("  149"));
        QCOMPARE(todas.back().back(), '\r');

        // zoomed into 60 .. 80: the lines up to the first point at or beyond 80
        Frm_Ppal->Chart1->xAxis->setRange(60, 80);
        QVERIFY(!Frm_Ppal->Chart1->RangoCompleto());
        Frm_Ppal->Archivo->click();
        todas = lineas();
        QCOMPARE(todas.size(), std::size_t{32});
        QCOMPARE(todas.back().substr(0, 5), std::string("   80"));

        // a cancelled dialog touches nothing
        dialogos->registro.reset();
        QFile::remove(archivo);
        Frm_Ppal->Archivo->click();
        QVERIFY(!QFile::exists(archivo));
        // a file that cannot be created: its message in a box
        dialogos->registro = QStringLiteral("/no/existe/tanque.txt");
        Frm_Ppal->Archivo->click();
        QCOMPARE(dialogos->mensajes.last(), QStringLiteral("Invalid filename"));
    }

    void laExportacionMuestraCadaFalloDeArchivo_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("mensaje");
        const QString carpeta = QDir::tempPath();
        QTest::newRow("disco lleno") << QStringLiteral("/dev/full") << QStringLiteral("Disk full");
        QTest::newRow("carpeta protegida") << QStringLiteral("/sys/tanque.txt") << QStringLiteral("File access denied");
        QTest::newRow("una carpeta") << carpeta << QStringLiteral("File access denied");
        QTest::newRow("carpeta inexistente")
            << carpeta + "/no_existe_tanque/a.txt" << QStringLiteral("Invalid filename");
        QTest::newRow("nombre largo") << carpeta + "/" + QString(300, 'a') + ".txt"
                                      << QStringLiteral("Invalid filename");
    }

    // A file that cannot be written: its message in a box, the chart as it was, no descriptor left open.
    void laExportacionMuestraCadaFalloDeArchivo() {
        QFETCH(QString, nombre);
        QFETCH(QString, mensaje);
        Simulador& s = Frm_Ppal->Nucleo();
        Frm_Ppal->ToolButton13->click();
        for (int i = 0; i < 3; ++i) s.AtenderTick(Corrida::PID);
        Frm_Ppal->ToolButton13->click();
        dialogos->mensajes.clear();
        const auto descriptores = [] {
            return QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size();
        };
        const auto antes = descriptores();
        dialogos->registro = nombre;
        Frm_Ppal->Archivo->click();
        QCOMPARE(dialogos->mensajes, QStringList{mensaje});
        QCOMPARE(descriptores(), antes);
        QCOMPARE(s.Series1().Cuenta(), std::size_t{3});
        QVERIFY(Frm_Ppal->Archivo->isEnabled());  // and it can be pressed again
        dialogos->registro = QDir::temp().filePath("tanque_prueba_ppal.txt");
        Frm_Ppal->Archivo->click();
        QCOMPARE(dialogos->mensajes.size(), 1);
    }

    void elGraficoDejaDeSeguirAlZoomYVuelveConDobleClic() {
        Simulador& s = Frm_Ppal->Nucleo();
        Frm_Ppal->ToolButton4->click();
        for (int i = 0; i < 50; ++i) s.AtenderTick(Corrida::Escalon);
        QCOMPARE(Frm_Ppal->Chart1->XMax(), 49.0);
        Frm_Ppal->Chart1->xAxis->setRange(10, 20);
        for (int i = 0; i < 5; ++i) s.AtenderTick(Corrida::Escalon);
        QCOMPARE(Frm_Ppal->Chart1->XMax(), 20.0);
        Frm_Ppal->Chart1->yAxis->setRange(-3, 1);
        QTest::mouseDClick(Frm_Ppal->Chart1, Qt::LeftButton);
        QVERIFY(Frm_Ppal->Chart1->RangoCompleto());
        QCOMPARE(Frm_Ppal->Chart1->XMin(), 0.0);
        QCOMPARE(Frm_Ppal->Chart1->XMax(), 54.0);
        QCOMPARE(Frm_Ppal->Chart1->yAxis->range(), QCPRange(0, 5));
        // "Limpiar" brings the values back to 0 to 5 as well
        Frm_Ppal->ToolButton4->click();
        Frm_Ppal->Chart1->yAxis->setRange(10, 20);
        Frm_Ppal->Limpiar->click();
        QCOMPARE(Frm_Ppal->Chart1->yAxis->range(), QCPRange(0, 5));
    }

    void laExportacionSigueSoloAlTiempo() {
        const QString archivo = QDir::temp().filePath("tanque_prueba_ppal_valores.txt");
        dialogos->registro = archivo;
        Simulador& s = Frm_Ppal->Nucleo();
        Frm_Ppal->ToolButton13->click();
        for (int i = 0; i < 30; ++i) s.AtenderTick(Corrida::PID);
        Frm_Ppal->ToolButton13->click();
        // the values zoomed with Ctrl+wheel: the time axis still shows its whole range, and all is written
        Grafico* g = Frm_Ppal->Chart1;
        const QPoint p = g->axisRect()->rect().center();
        QWheelEvent rueda(p, g->mapToGlobal(p), QPoint(), QPoint(0, 360), Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(g, &rueda);
        QVERIFY(g->yAxis->range().size() < 5);
        QVERIFY(g->RangoCompleto());
        Frm_Ppal->Archivo->click();
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().count('\n'), 30);
    }

    void fuentesPuntasYBarraOpaca() {
        // the menus take the window font, as the windows do
        for (QAction* a : Frm_Ppal->menuBar()->actions()) {
            QVERIFY(a->menu());
            QCOMPARE(a->menu()->font().pixelSize(), 11);
            QCOMPARE(a->menu()->font().family(), FuenteVentana().family());
        }
        // the chart's tip wraps at about 300 pixels instead of running across the window
        Grafico* g = Frm_Ppal->Chart1;
        QToolTip::showText(g->mapToGlobal(QPoint(100, 100)), g->toolTip(), g);
        QWidget* punta = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (QByteArray(w->metaObject()->className()) == "QTipLabel" && w->isVisible()) punta = w;
                return punta != nullptr;
            }(),
            2000);
        QVERIFY2(punta->width() >= 250 && punta->width() <= 330, qPrintable(QString::number(punta->width())));
        QVERIFY(punta->height() > 3 * punta->fontMetrics().height());
        QCOMPARE(punta->font().pixelSize(), 11);
        QToolTip::hideText();
        // the tool bar's strip covers the tank drawing's top rows: no white shows below the buttons
        auto* barra = Frm_Ppal->findChild<QWidget*>(QStringLiteral("ToolBar1"));
        QVERIFY(barra);
        const QImage imagen = Frm_Ppal->centralWidget()->grab().toImage();
        const QColor fondo = barra->palette().color(QPalette::Window);
        int distintos = 0;
        for (int y : {27, 28})
            for (int x = 24; x < 388; ++x) distintos += imagen.pixelColor(x, y) != fondo;
        QCOMPARE(distintos, 0);
    }

    void unFalloRepetidoVaALaBarraDeEstado() {
        Frm_Ppal->ToolButton4->click();
        Edit(Frm_Parametros, "Alto_Escalon")->setText("x");
        Simulador& s = Frm_Ppal->Nucleo();
        for (int i = 0; i < 3; ++i) s.AtenderTick(Corrida::Escalon);
        QCOMPARE(dialogos->mensajes, QStringList{QStringLiteral("'x' is not a valid floating point value")});
        QCOMPARE(Frm_Ppal->PanelEstado[0]->text(), QStringLiteral("'x' is not a valid floating point value (3 veces)"));
        // a good tick leaves the run's count in sight; the run's button takes it away
        Edit(Frm_Parametros, "Alto_Escalon")->setText("2");
        s.AtenderTick(Corrida::Escalon);
        QCOMPARE(Frm_Ppal->PanelEstado[0]->text(), QStringLiteral("'x' is not a valid floating point value (3 veces)"));
        Frm_Ppal->ToolButton4->click();
        QCOMPARE(Frm_Ppal->PanelEstado[0]->text(), QString());
    }

    // A text longer than the panel is cut, its count never: "(12 veces)" stays whole and in sight.
    void unTextoLargoEnLaBarraDeEstadoConservaLaCuenta() {
        Frm_Ppal->ToolButton4->click();
        Edit(Frm_Parametros, "Alto_Escalon")->setText(QString(200, QChar('x')));
        Simulador& s = Frm_Ppal->Nucleo();
        for (int i = 0; i < 12; ++i) s.AtenderTick(Corrida::Escalon);
        const QLabel* panel = Frm_Ppal->PanelEstado[0];
        QVERIFY2(panel->text().endsWith(QStringLiteral(" (12 veces)")), qPrintable(panel->text()));
        QVERIFY(panel->text().startsWith(QStringLiteral("'xxx")));
        QVERIFY2(panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->contentsRect().width(),
                 qPrintable(QStringLiteral("%1 px in %2: %3")
                                .arg(panel->fontMetrics().horizontalAdvance(panel->text()))
                                .arg(panel->contentsRect().width())
                                .arg(panel->text())));
        QCOMPARE(panel->toolTip(), QStringLiteral("'%1' is not a valid floating point value").arg(QString(200, 'x')));
    }

    void inicializarYAplicarFuzzyDesdeLaBarra() {
        Frm_Ppal->ToolButton10->click();
        QCOMPARE(dialogos->mensajes.last(),
                 QStringLiteral("El Controlador Fuzzy no ha sido inicializado. Use Inicializar Control Fuzzy."));
        Frm_Ppal->ToolButton11->click();
        QVERIFY(Frm_Ppal->Nucleo().FuzzyInicializado());
        Frm_Ppal->ToolButton10->click();
        QVERIFY(Frm_Ppal->Timer5->isActive());
        QVERIFY(!Frm_Ppal->ToolButton8->isEnabled());
        QVERIFY(Frm_Ppal->Track_Referencia->isEnabled());
        Frm_Ppal->Limpiar->setEnabled(true);  // as another run's stop would leave it
        Frm_Ppal->Nucleo().AtenderTick(Corrida::Fuzzy);
        Frm_Ppal->Limpiar->click();
        QCOMPARE(Frm_Ppal->Nucleo().Series1().Cuenta(), std::size_t{0});
        QVERIFY(!Frm_Ppal->Nivel->isVisible());
    }
};

QTEST_MAIN(PruebaPpal)
#include "ppal_test.moc"
