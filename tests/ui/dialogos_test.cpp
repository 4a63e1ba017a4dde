// The four parameter dialogs: layout, default texts, tab order, the keys that must not close them, and
// the rule grid of the fuzzy dialog.

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "ui/Parametros_Fuzzy.h"
#include "ui/Parametros_PID.h"
#include "ui/Parametros_Planta.h"
#include "ui/Parametros_Reac.h"

namespace {

enum Dialogo { Planta, Escalon, PID, Fuzzy };

std::unique_ptr<DialogoParametros> Crear(int cual) {
    switch (cual) {
        case Planta: return std::make_unique<TFrm_Parametros_Planta>();
        case Escalon: return std::make_unique<TFrm_Parametros>();
        case PID: return std::make_unique<TFrm_Parametros_PID>();
        default: return std::make_unique<TFrm_Parametros_Fuzzy>();
    }
}

// The fuzzy dialog's layout as the design gives it, to build the expected rows from.
const char* const kPref[3] = {"E", "DE", "U"};
const char* const kPanel[3] = {"Panel1", "Panel2", "Panel3"};
const char* const kSet[5] = {"MN", "Ne", "Ze", "Po", "MP"};
const char* const kCol[3] = {"Tipo", "Ancho", "Centro"};
const int kTop[5] = {48, 72, 92, 120, 140};
// Tipo, Ancho, Ancho, Centro per set, then the gain
const char* const kDefecto[3][16] = {
    {"1", "2.5", "-3.75", "0", "1.25", "-1.25", "0", "1.25", "0", "0", "1.25", "1.25", "2", "2.5", "3.75", "1"},
    {"1", "0.5", "-0.75", "0", "0.25", "-0.25", "0", "0.25", "0", "0", "0.25", "0.25", "2", "0.5", "0.75", "1"},
    {"3", "0", "-0.75", "3", "0", "-0.375", "3", "0", "0", "3", "0", "0.375", "3", "0", "0.75", "3"}};
const char* const kGan[3] = {"KE", "KDE", "KU"};
const QPoint kPosGan[3] = {{82, 168}, {104, 172}, {84, 176}};

QString Nombre(int v, int k, int c) { return QString("%1_%2_%3").arg(kPref[v], kSet[k], kCol[c]); }

// Shown and made the active window at once, as a click would, so that focus moves as on a desktop.
void Mostrar(QWidget* dialogo) {
    dialogo->show();
    QApplication::setActiveWindow(dialogo);
}

void Tab(QWidget* dialogo) { QTest::keyClick(dialogo->focusWidget(), Qt::Key_Tab); }

QPoint CentroCelda(RejillaReglas* r, int columna, int fila) {
    return r->visualItemRect(r->item(fila - 1, columna - 1)).center();
}

}  // namespace

class PruebaDialogos : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void marco_data() {
        QTest::addColumn<int>("cual");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QSize>("exterior");
        QTest::addColumn<int>("edits");
        // the plant dialog grows downwards by the models' controls and to the right by the loop's (pump, sensor,
        // disturbance); the original ones stay where they are
        QTest::newRow("planta") << int(Planta) << "Parametros" << QSize(540, 520) << 24;
        QTest::newRow("escalon") << int(Escalon) << "Parametros" << QSize(339, 196) << 1;
        // the PID dialog grows downwards by its options (Tt, N, b and two combos)
        QTest::newRow("pid") << int(PID) << "Parametros" << QSize(275, 320) << 6;
        // the fuzzy dialog grows to the right by the column of the sets' plots; its controls stay where they are
        QTest::newRow("fuzzy") << int(Fuzzy) << "Parametros del Controlador" << QSize(880, 531) << 48;
    }
    void marco() {
        QFETCH(int, cual);
        QFETCH(QString, titulo);
        QFETCH(QSize, exterior);
        QFETCH(int, edits);
        auto d = Crear(cual);
        d->show();
        QCOMPARE(d->windowTitle(), titulo);
        QCOMPARE(d->size(), exterior - QSize(8, 27));
        QCOMPARE(d->font().pixelSize(), 11);
        // modal: a close button, and neither minimise nor maximise (a minimised modal dialog would leave
        // the main window blocked with nothing on screen)
        const Qt::WindowFlags marco = d->windowFlags();
        QVERIFY(marco.testFlag(Qt::CustomizeWindowHint) && marco.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!marco.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!marco.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(int(d->Edits().size()), edits);
        const QRect pantalla = QGuiApplication::primaryScreen()->geometry();
        const QPoint centrado((pantalla.width() - exterior.width()) / 2, (pantalla.height() - exterior.height()) / 2);
        QCOMPARE(d->pos(), cual == Escalon ? QPoint(270, 177) : centrado);
    }

    void controles_data() {
        QTest::addColumn<int>("cual");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("padre");
        QTest::addColumn<QRect>("geometria");
        QTest::addColumn<QString>("texto");
        auto fila = [](int cual, const QString& n, const char* padre, QRect g, const char* t) {
            QTest::addRow("%d %s", cual, qPrintable(n)) << cual << n << QString(padre) << g << QString(t);
        };
        fila(Planta, "Resistencia", "", {27, 71, 59, 21}, "2");
        fila(Planta, "Area", "", {173, 71, 51, 21}, "10");
        fila(Planta, "HMax", "", {103, 124, 51, 21}, "5");
        fila(Planta, "T_Sample", "", {103, 178, 51, 21}, "500");
        fila(Planta, "Regresar", "", {91, 211, 75, 25}, "Regresar");
        fila(Escalon, "Alto_Escalon", "", {129, 56, 59, 21}, "2");
        fila(Escalon, "Regresar", "", {127, 95, 75, 25}, "Regresar");
        fila(PID, "Kp", "", {28, 64, 51, 21}, "2");
        fila(PID, "Ti", "", {116, 64, 51, 21}, "5");
        fila(PID, "Td", "", {204, 64, 51, 21}, "0");
        fila(PID, "Regresar", "", {106, 109, 75, 25}, "Regresar");
        fila(Fuzzy, "Regresar", "", {222, 461, 75, 25}, "Regresar");
        fila(Fuzzy, "Panel1", "", {4, 36, 245, 205}, "");
        fila(Fuzzy, "Panel2", "", {264, 36, 245, 205}, "");
        fila(Fuzzy, "Panel3", "", {8, 248, 245, 209}, "");
        fila(Fuzzy, "Panel4", "", {260, 248, 253, 209}, "");
        fila(Fuzzy, "Reglas", "Panel4", {8, 28, 237, 169}, "");
        for (int v = 0; v < 3; ++v) {
            const int x[3] = {84, 136, v == 2 ? 184 : 188};
            for (int k = 0; k < 5; ++k)
                for (int c = 0; c < 3; ++c)
                    fila(Fuzzy, Nombre(v, k, c), kPanel[v], {x[c], c == 2 && k == 2 ? 96 : kTop[k], 45, 21},
                         kDefecto[v][3 * k + c]);
            fila(Fuzzy, kGan[v], kPanel[v], {kPosGan[v], QSize(45, 21)}, kDefecto[v][15]);
        }
    }
    void controles() {
        QFETCH(int, cual);
        QFETCH(QString, nombre);
        QFETCH(QString, padre);
        QFETCH(QRect, geometria);
        QFETCH(QString, texto);
        auto d = Crear(cual);
        auto* w = d->findChild<QWidget*>(nombre);
        QVERIFY(w);
        QCOMPARE(w->parentWidget()->objectName(), padre);
        QCOMPARE(w->geometry(), geometria);
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            QCOMPARE(e->text(), texto);
            QCOMPARE(d->Edits().at(nombre.toStdString()), e);
            QCOMPARE(e->font().pixelSize(), 11);
        } else if (auto* b = qobject_cast<QPushButton*>(w)) {
            QCOMPARE(b->text(), texto);
            QVERIFY(!b->isDefault() && !b->autoDefault());
        }
    }

    void etiquetas_data() {
        QTest::addColumn<int>("cual");
        QTest::addColumn<QString>("padre");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QPoint>("posicion");
        auto fila = [](int cual, const char* padre, const QString& t, QPoint p) {
            QTest::addRow("%d %s %s", cual, padre, qPrintable(t)) << cual << QString(padre) << t << p;
        };
        fila(Planta, "", "Parámetros  Planta", {59, 4});
        fila(Planta, "", "Resistencia ", {21, 34});
        fila(Planta, "", "Hidráulica", {24, 49});
        fila(Planta, "", "Area del", {170, 34});
        fila(Planta, "", "Tanque", {173, 49});
        fila(Planta, "", "Nivel Máximo", {85, 99});
        fila(Planta, "", "T Muestreo (mSeg)", {69, 153});
        fila(Escalon, "", "Parámetros  Reacción", {76, 10});
        fila(Escalon, "", "Amplitud Escalón", {115, 34});
        fila(PID, "", "Parámetros  PID", {60, 10});
        fila(PID, "", "Kp", {30, 42});
        fila(PID, "", "Ti", {126, 42});
        fila(PID, "", "Td", {222, 42});
        fila(Fuzzy, "", "Parámetros  Fuzzy", {193, 6});
        fila(Fuzzy, "Panel4", "Matriz de Reglas", {84, 6});
        const char* titulos[3] = {"Error", "Derivada Error", "Control"};
        const int xTitulo[3] = {144, 96, 116};
        const QPoint filas[6] = {{18, 50}, {18, 74}, {22, 94}, {22, 118}, {18, 142}, {17, 170}};
        for (int v = 0; v < 3; ++v) {
            fila(Fuzzy, kPanel[v], titulos[v], {xTitulo[v], 6});
            for (int c = 0; c < 3; ++c) fila(Fuzzy, kPanel[v], kCol[c], {92 + 44 * c, 30});
            for (int k = 0; k < 6; ++k) fila(Fuzzy, kPanel[v], k < 5 ? kSet[k] : "Gan", filas[k]);
        }
    }
    void etiquetas() {
        QFETCH(int, cual);
        QFETCH(QString, padre);
        QFETCH(QString, texto);
        QFETCH(QPoint, posicion);
        auto d = Crear(cual);
        QWidget* p = padre.isEmpty() ? d.get() : d->findChild<QWidget*>(padre);
        QLabel* etiqueta = nullptr;
        for (QLabel* l : p->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            if (l->text() == texto) etiqueta = l;
        QVERIFY(etiqueta);
        QCOMPARE(etiqueta->pos(), posicion);
        QCOMPARE(etiqueta->size(), etiqueta->sizeHint());
        const bool titulo = texto.startsWith("Parámetros  ");
        QCOMPARE(etiqueta->font().pixelSize(), titulo ? 19 : 16);
        QVERIFY(etiqueta->font().family().contains("Serif"));
        QCOMPARE(etiqueta->palette().color(QPalette::WindowText), titulo ? QColor(Qt::red) : QColor(Qt::blue));
    }

    void tabulacion_data() {
        QTest::addColumn<int>("cual");
        QTest::addColumn<QStringList>("orden");
        QTest::newRow("planta") << int(Planta)
                                << QStringList{"Resistencia",   "Area",          "Regresar",  "T_Sample", "HMax",
                                               "Modelo_Planta", "Integrador",    "Coef_Descarga",
                                               "Salida_Tanques", "Area_2",       "Resistencia_2",
                                               "Coef_Descarga_2", "HMax_2",
                                               // the loop's column
                                               "Caudal_Min", "Caudal_Max", "Sensor_Retardo", "Sensor_Constante",
                                               "Sensor_Resolucion", "Perturbacion_Tipo", "Perturbacion_Inicio",
                                               "Perturbacion_Minimo", "Perturbacion_Maximo", "Perturbacion_Periodo",
                                               "Perturbacion_Orden", "Perturbacion_Semilla",
                                               "Perturbacion_Frecuencia_Min", "Perturbacion_Frecuencia_Max",
                                               "Perturbacion_Componentes", "Perturbacion_Longitud"};
        QTest::newRow("escalon") << int(Escalon) << QStringList{"Alto_Escalon", "Regresar"};
        QTest::newRow("pid") << int(PID)
                             << QStringList{"Regresar", "Kp", "Ti", "Td", "Antisaturacion", "Tt", "N", "Derivada", "b"};
        QStringList fuzzy{"Regresar"};
        const int orden[15][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 0}, {2, 1},
                                  {2, 2}, {3, 0}, {4, 0}, {3, 1}, {4, 1}, {4, 2}, {3, 2}};
        for (int v = 0; v < 3; ++v) {
            for (auto [k, c] : orden) fuzzy << Nombre(v, k, c);
            fuzzy << kGan[v];
        }
        QTest::newRow("fuzzy") << int(Fuzzy) << (fuzzy << "Reglas");
    }
    void tabulacion() {
        QFETCH(int, cual);
        QFETCH(QStringList, orden);
        auto d = Crear(cual);
        Mostrar(d.get());
        QStringList recorrido{d->focusWidget()->objectName()};
        for (int i = 1; i <= orden.size(); ++i) {
            Tab(d.get());
            recorrido << d->focusWidget()->objectName();
        }
        // past the last control the focus comes round to the first, except in the grid, which keeps it
        QCOMPARE(recorrido, orden + QStringList{cual == Fuzzy ? "Reglas" : orden.first()});
    }

    // The models' controls below the original ones: each combo offers its choices with the default chosen, each
    // edit holds its default text, none overlaps another or reaches above Regresar's bottom edge, and each tells
    // in its tip what it is for (the orifice's default k and why).
    void controlesDeLosModelos() {
        TFrm_Parametros_Planta d;
        struct Combo {
            const char* nombre;
            QStringList opciones;
            const char* defecto;
        };
        for (const Combo& c : {Combo{"Modelo_Planta", {"Lineal", "Orificio", "Dos Tanques"}, "Lineal"},
                               Combo{"Integrador", {"Programa", "Exacto"}, "Programa"},
                               Combo{"Salida_Tanques", {"Lineal", "Orificio"}, "Lineal"}}) {
            auto* combo = d.findChild<QComboBox*>(c.nombre);
            QVERIFY2(combo, c.nombre);
            QStringList opciones;
            for (int i = 0; i < combo->count(); ++i) opciones << combo->itemText(i);
            QCOMPARE(opciones, c.opciones);
            QCOMPARE(combo->currentText(), QString(c.defecto));
            QVERIFY(d.Combos().count(c.nombre) == 1);
        }
        const std::pair<const char*, const char*> edits[] = {{"Coef_Descarga", "1.58113883"}, {"Area_2", "10"},
                                                             {"Resistencia_2", "2"}, {"Coef_Descarga_2", "1.58113883"},
                                                             {"HMax_2", "5"}};
        for (const auto& [nombre, texto] : edits) QCOMPARE(d.Edits().at(nombre)->text(), QString(texto));
        QVERIFY(d.findChild<QLineEdit*>("Coef_Descarga")->toolTip().contains("1.58113883"));
        QVERIFY(d.findChild<QComboBox*>("Modelo_Planta")->toolTip().contains("derrama"));
        QList<QRect> lugares;
        for (const char* n : {"Modelo_Planta", "Integrador", "Coef_Descarga", "Salida_Tanques", "Area_2",
                              "Resistencia_2", "Coef_Descarga_2", "HMax_2"}) {
            const QRect r = d.findChild<QWidget*>(n)->geometry();
            QVERIFY2(r.top() > d.Regresar->geometry().bottom(), n);
            QVERIFY2(QRect(QPoint(0, 0), d.size()).contains(r), n);
            for (const QRect& otro : lugares) QVERIFY2(!otro.intersects(r), n);
            lugares << r;
        }
    }

    // The loop's controls: the plant dialog's column at the right of every original and model control, the PID's
    // options below its Regresar; each combo offers its choices with the default chosen, each edit its default
    // text, none overlaps another and all lie inside their dialog.
    void controlesDelLazo() {
        TFrm_Parametros_Planta planta;
        TFrm_Parametros_PID pid;
        struct Combo {
            const DialogoParametros* d;
            const char* nombre;
            QStringList opciones;
            const char* defecto;
        };
        for (const Combo& c :
             {Combo{&pid, "Antisaturacion", {"Ninguna", "Condicional", "Retrocalculo"}, "Ninguna"},
              Combo{&pid, "Derivada", {"Error", "Medicion"}, "Error"},
              Combo{&planta, "Perturbacion_Tipo",
                    {"Ninguna", "Escalón", "PRBS", "Binaria aleatoria", "Niveles aleatorios", "Multiseno", "Barrido",
                     "Gaussiana"},
                    "Ninguna"}}) {
            auto* combo = c.d->findChild<QComboBox*>(c.nombre);
            QVERIFY2(combo, c.nombre);
            QStringList opciones;
            for (int i = 0; i < combo->count(); ++i) opciones << combo->itemText(i);
            QCOMPARE(opciones, c.opciones);
            QCOMPARE(combo->currentText(), QString(c.defecto));
            QVERIFY(c.d->Combos().count(c.nombre) == 1);
        }
        const std::pair<const char*, const char*> edits[] = {
            {"Caudal_Min", ""},         {"Caudal_Max", ""},          {"Sensor_Retardo", "0"},
            {"Sensor_Constante", "0"},  {"Sensor_Resolucion", "0"},  {"Perturbacion_Inicio", "0"},
            {"Perturbacion_Maximo", "0.5"}, {"Perturbacion_Semilla", "2"}};
        for (const auto& [nombre, texto] : edits) QCOMPARE(planta.Edits().at(nombre)->text(), QString(texto));
        for (const auto& [nombre, texto] : {std::pair{"Tt", ""}, std::pair{"N", ""}, std::pair{"b", "1"}})
            QCOMPARE(pid.Edits().at(nombre)->text(), QString(texto));
        QVERIFY(pid.findChild<QComboBox*>("Antisaturacion")->toolTip().contains("windup"));
        // the plant dialog's original and model controls all end left of the loop's column
        int derecha = 0;
        for (QWidget* w : planta.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!w->objectName().startsWith("Caudal_") && !w->objectName().startsWith("Sensor_") &&
                !w->objectName().startsWith("Perturbacion_") && !w->objectName().isEmpty())
                derecha = std::max(derecha, w->geometry().right());
        QList<QRect> lugares;
        for (const auto& [nombre, texto] : planta.Edits()) {
            const QString n = QString::fromStdString(nombre);
            if (!n.startsWith("Caudal_") && !n.startsWith("Sensor_") && !n.startsWith("Perturbacion_")) continue;
            const QRect r = texto->geometry();
            QVERIFY2(r.left() > derecha, nombre.c_str());
            QVERIFY2(QRect(QPoint(0, 0), planta.size()).contains(r), nombre.c_str());
            for (const QRect& otro : lugares) QVERIFY2(!otro.intersects(r), nombre.c_str());
            lugares << r;
        }
        QCOMPARE(lugares.size(), 15);
        lugares.clear();
        for (const char* n : {"Antisaturacion", "Tt", "N", "Derivada", "b"}) {
            const QRect r = pid.findChild<QWidget*>(n)->geometry();
            QVERIFY2(r.top() > pid.Regresar->geometry().bottom(), n);
            QVERIFY2(QRect(QPoint(0, 0), pid.size()).contains(r), n);
            for (const QRect& otro : lugares) QVERIFY2(!otro.intersects(r), n);
            lugares << r;
        }
    }

    void teclasNoCierran_data() { marco_data(); }
    void teclasNoCierran() {
        QFETCH(int, cual);
        auto d = Crear(cual);
        QStringList visto;
        QTimer::singleShot(0, d.get(), [&] {
            const QList<QWidget*> focos{d->Edits().begin()->second, d->Regresar};
            for (QWidget* w : focos) {
                w->setFocus();
                for (Qt::Key tecla : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
                    QTest::keyClick(w, tecla);
                    visto << (d->isVisible() ? "abierto" : "cerrado");
                }
            }
            QTest::mouseClick(d->Regresar, Qt::LeftButton);
            visto << (d->isVisible() ? "abierto" : "cerrado");
            if (d->isVisible()) d->done(0);
        });
        d->exec();
        QCOMPARE(visto, QStringList(6, "abierto") << "cerrado");
    }

    void cierreConservaTextos_data() { marco_data(); }
    void cierreConservaTextos() {
        QFETCH(int, cual);
        auto d = Crear(cual);
        QLineEdit* e = d->Edits().begin()->second;
        for (bool porRegresar : {false, true}) {
            Mostrar(d.get());
            e->selectAll();
            QTest::keyClicks(e, porRegresar ? "x" : "7,5");
            if (porRegresar)
                QTest::mouseClick(d->Regresar, Qt::LeftButton);
            else
                d->close();
            QVERIFY(!d->isVisible());
            QCOMPARE(e->text(), porRegresar ? "x" : "7,5");
        }
        Mostrar(d.get());
        QCOMPARE(e->text(), "x");
    }

    void reglasPorDefecto() {
        TFrm_Parametros_Fuzzy d;
        const char* cuerpo[5] = {"00000", "01122", "11223", "22334", "44444"};
        QCOMPARE(d.Celda(0, 0), "");
        for (int k = 1; k <= 5; ++k) {
            QCOMPARE(d.Celda(0, k), kSet[k - 1]);
            QCOMPARE(d.Celda(k, 0), kSet[k - 1]);
            QCOMPARE(d.Reglas->horizontalHeaderItem(k - 1)->text(), kSet[k - 1]);
            QCOMPARE(d.Reglas->verticalHeaderItem(k - 1)->text(), kSet[k - 1]);
            for (int c = 1; c <= 5; ++c) QCOMPARE(d.Celda(c, k), QString(cuerpo[k - 1][c - 1]));
        }
        QCOMPARE(d.Reglas->columnWidth(0), 35);
        QCOMPARE(d.Reglas->rowHeight(0), 25);
        QCOMPARE(d.Reglas->horizontalHeader()->height(), 25);
        QCOMPARE(d.Reglas->verticalHeader()->width(), 35);
    }

    void reglasEdicionYSeleccion() {
        TFrm_Parametros_Fuzzy d;
        Mostrar(&d);
        RejillaReglas* r = d.Reglas;
        r->setFocus();
        // typing on a body cell edits it in place; Enter commits
        QTest::mouseClick(r->viewport(), Qt::LeftButton, {}, CentroCelda(r, 2, 3));
        QTest::keyClicks(r, "4");
        QTest::keyClick(d.focusWidget(), Qt::Key_Return);
        // the delegate commits through a queued call
        QCoreApplication::processEvents();
        QCOMPARE(d.Celda(2, 3), "4");
        // Tab moves from cell to cell, row by row, commits a cell being edited and stays in the grid
        Tab(&d);
        QTest::keyClicks(r, "0");
        Tab(&d);
        QCOMPARE(d.Celda(3, 3), "0");
        QCOMPARE(QPoint(r->currentColumn(), r->currentRow()), QPoint(3, 2));
        // Escape drops the editor that Tab opened on the next cell, and leaves the dialog open
        QTest::keyClick(d.focusWidget(), Qt::Key_Escape);
        QCOMPARE(d.focusWidget(), r);
        QVERIFY(d.isVisible());
        r->setCurrentCell(4, 4);
        Tab(&d);
        QCOMPARE(QPoint(r->currentColumn(), r->currentRow()), QPoint(0, 0));
        QCOMPARE(d.focusWidget(), r);
        // a range of body cells is selected by dragging
        QTest::mousePress(r->viewport(), Qt::LeftButton, {}, CentroCelda(r, 1, 1));
        QTest::mouseMove(r->viewport(), CentroCelda(r, 3, 2));
        QTest::mouseRelease(r->viewport(), Qt::LeftButton, {}, CentroCelda(r, 3, 2));
        QCOMPARE(r->selectedItems().size(), 6);
        // the header cells can be neither selected nor edited
        r->clearSelection();
        QHeaderView* cabecera = r->horizontalHeader();
        const QPoint enCabecera(cabecera->sectionViewportPosition(2) + 10, 12);
        QTest::mouseClick(cabecera->viewport(), Qt::LeftButton, {}, enCabecera);
        QTest::mouseDClick(cabecera->viewport(), Qt::LeftButton, {}, enCabecera);
        QVERIFY(r->selectedItems().isEmpty());
        QCOMPARE(d.focusWidget(), r);
        QCOMPARE(d.Celda(3, 0), "Ze");
    }

    void anchoTecleadoSobreviveReactivacion() {
        TFrm_Parametros_Fuzzy d;
        Mostrar(&d);
        QLineEdit* ancho = d.Edits().at("E_MN_Ancho");
        ancho->selectAll();
        QTest::keyClicks(ancho, "3.5");
        d.close();
        Mostrar(&d);
        // activated again after another window of the program had the activation
        QWidget otra;
        Mostrar(&otra);
        Mostrar(&d);
        QVERIFY(d.isActiveWindow());
        QCOMPARE(ancho->text(), "3.5");
        QCOMPARE(d.Edits().at("E_MN_Centro")->text(), "-3.75");
    }

    void separadorDecimal_data() {
        QTest::addColumn<QLocale>("local");
        QTest::addColumn<QStringList>("textos");
        QTest::newRow("coma") << QLocale(QLocale::Spanish, QLocale::Spain)
                              << QStringList{"2,5", "-3,75", "0,25", "-0,375"};
        QTest::newRow("punto") << QLocale(QLocale::English, QLocale::UnitedStates)
                               << QStringList{"2.5", "-3.75", "0.25", "-0.375"};
    }
    void separadorDecimal() {
        QFETCH(QLocale, local);
        QFETCH(QStringList, textos);
        QLocale::setDefault(local);
        TFrm_Parametros_Fuzzy d;
        QLocale::setDefault(QLocale::c());
        QStringList vistos;
        for (const char* n : {"E_MN_Ancho", "E_MN_Centro", "DE_Po_Ancho", "U_Ne_Centro"})
            vistos << d.Edits().at(n)->text();
        QCOMPARE(vistos, textos);
        QCOMPARE(d.Edits().at("KU")->text(), "3");
    }
};

QTEST_MAIN(PruebaDialogos)
#include "dialogos_test.moc"
