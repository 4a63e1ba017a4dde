// The windows without a mouse and through a screen reader: the tab chain, the shortcuts, the menu bar from the
// keyboard, Escape on the views, and Qt's accessibility tree with a name on every interactive widget.

#include <QAccessible>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTableWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

#include <functional>

#include "tests/ui/ventanas_prueba.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/Parametros_PID.h"
#include "ui/Parametros_Planta.h"
#include "ui/Parametros_Reac.h"
#include "ui/Senal_Excitacion.h"
#include "ui/Identificacion_Planta.h"
#include "ui/comparacion_controladores.h"
#include "ui/carpeta_reciente.h"
#include "ui/grafico.h"
#include "ui/pista_decimal.h"
#include "ui/indices_desempeno.h"
#include "ui/superficie_control.h"
#include "ui/velocidad.h"
#include "ui/vistas_controladores.h"

namespace {

DialogosPrueba* dialogos = nullptr;

bool Interactivo(QAccessible::Role r) {
    switch (r) {
        case QAccessible::PushButton:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::ComboBox:
        case QAccessible::Slider:
        case QAccessible::SpinBox:
        case QAccessible::EditableText:
        case QAccessible::ButtonMenu:
        case QAccessible::ButtonDropDown:
        case QAccessible::Table:
        case QAccessible::List:
        case QAccessible::Tree: return true;
        default: return false;
    }
}

/// The interactive elements under `i` that a screen reader would announce without a name, as "role objectName".
void SinNombre(QAccessibleInterface* i, QStringList& faltan, int& vistos) {
    if (!i || i->state().invisible) return;
    if (Interactivo(i->role())) {
        ++vistos;
        const QString nombre = i->text(QAccessible::Name).trimmed();
        if (nombre.isEmpty()) faltan << QStringLiteral("%1 %2").arg(int(i->role())).arg(i->object() ? i->object()->objectName() : QString());
        // a description in HTML would be read out as its tags
        const QString d = i->text(QAccessible::Description);
        if (d.contains(QLatin1Char('<'))) faltan << QStringLiteral("HTML en %1: %2").arg(nombre, d);
        if (i->role() == QAccessible::Table) return;  // its cells are named by their texts
    }
    for (int k = 0; k < i->childCount(); ++k) SinNombre(i->child(k), faltan, vistos);
}

void TodoConNombre(QWidget* ventana, int minimo) {
    ventana->show();
    QVERIFY(QTest::qWaitForWindowExposed(ventana));
    QStringList faltan;
    int vistos = 0;
    SinNombre(QAccessible::queryAccessibleInterface(ventana), faltan, vistos);
    QVERIFY2(faltan.isEmpty(), qPrintable(ventana->objectName() + ": " + faltan.join(QStringLiteral("; "))));
    // the walk did reach the controls
    QVERIFY2(vistos >= minimo, qPrintable(QStringLiteral("%1: %2 controles").arg(ventana->objectName()).arg(vistos)));
}

QString Nombre(QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); }

void Activar(QWidget* w) {
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

}  // namespace

class PruebaTeclado : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { PrepararAplicacion(); }
    void init() { dialogos = CrearVentanasDePrueba(); }
    void cleanup() { DestruirVentanas(); }

    void elTabuladorRecorreLaBarra() {
        Activar(Frm_Ppal);
        // from the first tool button, Tab reaches every tool button, Limpiar, Archivo, the slider and the speeds
        Frm_Ppal->ToolButton1->setFocus(Qt::TabFocusReason);
        QList<QWidget*> esperados{Frm_Ppal->ToolButton1,  Frm_Ppal->ToolButton5,  Frm_Ppal->ToolButton2,
                                  Frm_Ppal->ToolButton4,  Frm_Ppal->ToolButton12, Frm_Ppal->ToolButton13,
                                  Frm_Ppal->ToolButton8,  Frm_Ppal->ToolButton11, Frm_Ppal->ToolButton10,
                                  Frm_Ppal->ToolButtonSenal, Frm_Ppal->ToolButtonIdentificar, Frm_Ppal->Limpiar,
                                  Frm_Ppal->Archivo, Frm_Ppal->Track_Referencia};
        for (Velocidad v : kVelocidades) esperados << Frm_Ppal->Velocidad1->Boton(v);
        QList<QWidget*> vistos;
        for (int i = 0; i < esperados.size(); ++i) {
            vistos << QApplication::focusWidget();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(vistos, esperados);
        // the space presses the tool button that has the focus: the open-loop run starts and stops
        Frm_Ppal->ToolButton4->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Frm_Ppal->ToolButton4, Qt::Key_Space);
        QVERIFY(Frm_Ppal->Nucleo().Timer(Corrida::Escalon).Enabled);
        QTest::keyClick(Frm_Ppal->ToolButton4, Qt::Key_Space);
        QVERIFY(!Frm_Ppal->Nucleo().Timer(Corrida::Escalon).Enabled);
    }

    void losAtajos() {
        Activar(Frm_Ppal);
        Simulador& s = Frm_Ppal->Nucleo();
        // F5 starts the open-loop run (nothing chosen yet) and stops it; Ctrl+2 chooses the PID, which F5 then
        // stops and starts
        struct Paso {
            QKeySequence teclas;
            bool escalon, pid, fuzzy;
        };
        const Paso pasos[] = {
            {QKeySequence(Qt::Key_F5), true, false, false},  {QKeySequence(Qt::Key_F5), false, false, false},
            {QKeySequence(Qt::CTRL | Qt::Key_2), false, true, false}, {QKeySequence(Qt::Key_F5), false, false, false},
            {QKeySequence(Qt::Key_F5), false, true, false},  {QKeySequence(Qt::Key_F5), false, false, false},
            {QKeySequence(Qt::CTRL | Qt::Key_1), true, false, false}, {QKeySequence(Qt::CTRL | Qt::Key_1), false, false, false},
        };
        int n = 0;
        for (const Paso& p : pasos) {
            QTest::keySequence(Frm_Ppal, p.teclas);
            const QByteArray donde = QByteArray::number(n++) + " " + p.teclas.toString().toLatin1();
            QVERIFY2(s.Timer(Corrida::Escalon).Enabled == p.escalon, donde.constData());
            QVERIFY2(s.Timer(Corrida::PID).Enabled == p.pid, donde.constData());
            QVERIFY2(s.Timer(Corrida::Fuzzy).Enabled == p.fuzzy, donde.constData());
        }
        // a few samples to export
        QTest::keySequence(Frm_Ppal, QKeySequence(Qt::CTRL | Qt::Key_1));
        for (int i = 0; i < 5; ++i) s.AtenderTick(Corrida::Escalon);
        QTest::keySequence(Frm_Ppal, QKeySequence(Qt::CTRL | Qt::Key_1));
        QVERIFY(!s.Timer(Corrida::Escalon).Enabled);
        // Ctrl+E exports the chart, as Archivo does
        QTemporaryDir carpeta;
        dialogos->registro = carpeta.filePath(QStringLiteral("atajo.txt"));
        QTest::keySequence(Frm_Ppal, QKeySequence(Qt::CTRL | Qt::Key_E));
        QVERIFY(QFile::exists(*dialogos->registro));
        // Ctrl+L empties the chart
        QVERIFY(!s.Series1().Vacia());
        QTest::keySequence(Frm_Ppal, QKeySequence(Qt::CTRL | Qt::Key_L));
        QVERIFY(s.Series1().Vacia());
        // Alt+4 and Alt+1: the speeds
        QTest::keySequence(Frm_Ppal, QKeySequence(Qt::ALT | Qt::Key_4));
        QCOMPARE(Frm_Ppal->Velocidad1->Actual(), Velocidad::Maxima);
        QTest::keySequence(Frm_Ppal, QKeySequence(Qt::ALT | Qt::Key_1));
        QCOMPARE(Frm_Ppal->Velocidad1->Actual(), Velocidad::x1);
        // a disabled button is not pressed by its key: during the PID run the open-loop one is off
        QTest::keySequence(Frm_Ppal, QKeySequence(Qt::CTRL | Qt::Key_2));
        QVERIFY(s.Timer(Corrida::PID).Enabled);
        QTest::keySequence(Frm_Ppal, QKeySequence(Qt::CTRL | Qt::Key_1));
        QVERIFY(!s.Timer(Corrida::Escalon).Enabled);
        QTest::keySequence(Frm_Ppal, QKeySequence(Qt::Key_F5));
        QVERIFY(!s.Timer(Corrida::PID).Enabled);
    }

    void elMenuDesdeElTeclado() {
        Activar(Frm_Ppal);
        const QList<QAction*> menus = Frm_Ppal->menuBar()->actions();
        // F10 from the keyboard; Alt and an initial are shortcuts of their own, which the menu bar's Alt
        // handling takes first when driven offscreen: their shortcut is checked, then activated
        const std::tuple<const char*, QKeySequence, int> teclas[] = {
            {"AtajoMenu", QKeySequence(Qt::Key_F10), 0},
            {"AtajoArchivo", QKeySequence(Qt::ALT | Qt::Key_A), 0},
            {"AtajoOpciones", QKeySequence(Qt::ALT | Qt::Key_O), 1},
            {"AtajoAyuda", QKeySequence(Qt::ALT | Qt::Key_Y), 2}};
        for (const auto& [nombre, t, i] : teclas) {
            // the menu is asked to open (the offscreen platform cannot grab the keyboard, so it closes at once)
            QSignalSpy abre(menus[i]->menu(), &QMenu::aboutToShow);
            auto* atajo = Frm_Ppal->findChild<QShortcut*>(QString::fromLatin1(nombre));
            QVERIFY(atajo);
            QCOMPARE(atajo->key(), t);
            if (t == QKeySequence(Qt::Key_F10))
                QTest::keySequence(Frm_Ppal, t);
            else
                emit atajo->activated();
            QTRY_VERIFY2(abre.count() == 1, nombre);
            if (menus[i]->menu()->isVisible()) menus[i]->menu()->close();
            QTest::keyClick(Frm_Ppal->menuBar(), Qt::Key_Escape);
            QTest::qWait(10);
            Activar(Frm_Ppal);
            Frm_Ppal->Limpiar->setFocus();
        }
        // the titles stay as they were
        QCOMPARE(menus[0]->text(), QStringLiteral("Archivo"));
    }

    void escapeCierraLasVistas() {
        Activar(Frm_Ppal);
        Frm_Ppal->Vistas->IndicesDesempeno1->trigger();
        Frm_Ppal->Vistas->SuperficieControl1->trigger();
        Frm_Ppal->Vistas->CompararControladores1->trigger();
        for (QWidget* vista : std::initializer_list<QWidget*>{Frm_Indices, Frm_Ppal->Vistas->Superficie(),
                                                              Frm_Ppal->Vistas->Comparacion()}) {
            QVERIFY(vista);
            Activar(vista);
            QTest::keyClick(vista, Qt::Key_Escape);
            QTRY_VERIFY2(!vista->isVisible(), qPrintable(vista->objectName()));
        }
        // the parameter dialogs keep their behaviour: Escape leaves them open
        Frm_Parametros_PID->show();
        QTest::keyClick(Frm_Parametros_PID, Qt::Key_Escape);
        QVERIFY(Frm_Parametros_PID->isVisible());
        Frm_Parametros_PID->hide();
    }

    void losNombresDeLaVentanaPrincipal() {
        // the tool buttons by their tips, the slider, the chart with a plain description
        QCOMPARE(Nombre(Frm_Ppal->ToolButton13), QStringLiteral("Aplicar Controlador PID"));
        QCOMPARE(Nombre(Frm_Ppal->ToolButton1), QStringLiteral("Salir"));
        QCOMPARE(Nombre(Frm_Ppal->Track_Referencia), QStringLiteral("Referencia"));
        QCOMPARE(Nombre(Frm_Ppal->Chart1), QStringLiteral("Señales en el Tiempo"));
        const QString d = QAccessible::queryAccessibleInterface(Frm_Ppal->Chart1)->text(QAccessible::Description);
        QVERIFY2(d.startsWith(QStringLiteral("Arrastre a la derecha")), qPrintable(d));
        // the edits by the labels beside them
        QCOMPARE(Nombre(Frm_Parametros_PID->Edits().at("Ti")), QStringLiteral("Ti"));
        QCOMPARE(Nombre(Frm_Parametros_Planta->Edits().at("Resistencia")), QStringLiteral("Resistencia Hidráulica"));
        QCOMPARE(Nombre(Frm_Parametros_Planta->Edits().at("T_Sample")), QStringLiteral("T Muestreo (mSeg)"));
        QCOMPARE(Nombre(Frm_Parametros_Fuzzy->Edits().at("E_MN_Ancho")), QStringLiteral("Error MN Ancho"));
        QCOMPARE(Nombre(Frm_Senal_Excitacion->Edits().at("Ruido_Semilla")), QStringLiteral("Semilla"));
        QCOMPARE(Nombre(Frm_Indices->Banda_Establecimiento), QStringLiteral("Banda de Establecimiento (%)"));
    }

    void ningunControlSinNombre() {
        TodoConNombre(Frm_Ppal, 18);
        TodoConNombre(Frm_Parametros, 2);
        TodoConNombre(Frm_Parametros_Planta, 5);
        TodoConNombre(Frm_Parametros_PID, 4);
        TodoConNombre(Frm_Parametros_Fuzzy, 50);
        TodoConNombre(Frm_Senal_Excitacion, 10);
        TodoConNombre(Frm_Indices, 2);
        Frm_Ppal->Vistas->SuperficieControl1->trigger();
        TodoConNombre(Frm_Ppal->Vistas->Superficie(), 1);
        Frm_Ppal->Vistas->CompararControladores1->trigger();
        TodoConNombre(Frm_Ppal->Vistas->Comparacion(), 1);
        // the identification needs a record: a short open-loop run
        Frm_Ppal->ToolButton4->click();
        for (int i = 0; i < 200; ++i) Frm_Ppal->Nucleo().AtenderTick(Corrida::Escalon);
        Frm_Ppal->ToolButton4->click();
        Frm_Ppal->Identificar1->trigger();
        QVERIFY(Frm_Ppal->Frm_Identificacion);
        TodoConNombre(Frm_Ppal->Frm_Identificacion, 4);
    }

    // The fuzzy dialog says what its bare numbers stand for: tips on the headings, the edits and the rule
    // cells, a legend under the plots, and which way the grid reads; none of it over another control.
    void elDialogoFuzzySeExplica() {
        TFrm_Parametros_Fuzzy* d = Frm_Parametros_Fuzzy;
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        const QString tipos = QStringLiteral("0 triángulo, 1 hombro izquierdo, 2 hombro derecho, 3 constante");
        const QString salidas = QStringLiteral("0 MN, 1 Ne, 2 Ze, 3 Po, 4 MP");
        int encabezados = 0;
        for (QLabel* l : d->findChildren<QLabel*>())
            if (l->text() == QStringLiteral("Tipo")) {
                ++encabezados;
                QVERIFY2(l->toolTip().contains(tipos), qPrintable(l->toolTip()));
            }
        QCOMPARE(encabezados, 3);
        for (const char* e : {"E_MN_Tipo", "DE_Ze_Tipo", "U_MP_Tipo"})
            QVERIFY2(d->Edits().at(e)->toolTip().contains(tipos), e);
        QVERIFY(d->Reglas->toolTip().contains(QStringLiteral("Filas: error; columnas: derivada")));
        QVERIFY(d->Reglas->toolTip().contains(salidas));
        // row: the error's set, column: the derivative's
        QCOMPARE(d->Reglas->item(0, 4)->toolTip(),
                 QStringLiteral("Si el error es MN y la derivada es MP: salida (%1)").arg(salidas));
        QVERIFY(d->Reglas->item(3, 1)->toolTip().startsWith(QStringLiteral("Si el error es Po y la derivada es Ne")));
        QVERIFY(d->Leyenda->text().simplified().contains(tipos));
        QVERIFY(d->Leyenda->text().contains(salidas));
        QLabel* ejes = d->findChild<QLabel*>(QStringLiteral("EjesReglas"));
        QVERIFY(ejes);
        QVERIFY(ejes->text().contains(QStringLiteral("filas = error; columnas = derivada")));
        // inside the dialog and clear of every other control of the dialog
        // the grid's note lies inside the grid, under its last row
        const QRect ultima = d->Reglas->visualItemRect(d->Reglas->item(4, 4));
        const QPoint bajo = d->Reglas->viewport()->mapTo(d->Reglas, ultima.bottomRight());
        QVERIFY2(ejes->geometry().top() > bajo.y(), qPrintable(QStringLiteral("%1 / %2").arg(ejes->y()).arg(bajo.y())));
        QVERIFY(d->Reglas->rect().contains(ejes->geometry()));
        for (QLabel* nuevo : {d->Leyenda}) {
            const QFontMetrics m(nuevo->font());
            QVERIFY2(d->rect().contains(nuevo->geometry()),
                     qPrintable(QStringLiteral("%1 %2,%3 %4x%5 en %6x%7").arg(nuevo->objectName()).arg(nuevo->x()).arg(nuevo->y()).arg(nuevo->width()).arg(nuevo->height()).arg(d->width()).arg(d->height())));
            for (QWidget* otro : d->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (otro == nuevo || !otro->isVisible()) continue;
                QVERIFY2(!otro->geometry().intersects(nuevo->geometry()),
                         qPrintable(nuevo->objectName() + " / " + otro->objectName()));
            }
        }
        // the legend's lines all show within its height
        const QRect texto = QFontMetrics(d->Leyenda->font()).boundingRect(QRect(0, 0, 1000, 1000), 0, d->Leyenda->text());
        QVERIFY2(texto.height() <= d->Leyenda->height() && texto.width() <= d->Leyenda->width(),
                 qPrintable(QStringLiteral("%1 x %2").arg(texto.width()).arg(texto.height())));
        d->hide();
    }

    void laPistaDelSeparadorDecimal() {
        struct Caso {
            const char* mensaje;
            char decimal;
            const char* pista;
        };
        const Caso casos[] = {
            {"'2.5' is not a valid floating point value", ',', "use la coma decimal"},
            {"'-3.75' is not a valid floating point value", ',', "use la coma decimal"},
            {"' 2.5e3 ' is not a valid floating point value", ',', "use la coma decimal"},
            {"'2,5' is not a valid floating point value", '.', "use el punto decimal"},
            // not the separator's fault: the same text fails with either
            {"'1.2.3' is not a valid floating point value", ',', ""},
            {"'2.5x' is not a valid floating point value", ',', ""},
            {"'x' is not a valid floating point value", ',', ""},
            {"'2,5' is not a valid floating point value", ',', ""},
            {"'2.5' is not a valid integer value", ',', ""},
            {"El Ciclo de lectura se ha parado", ',', ""},
        };
        for (const Caso& c : casos)
            QCOMPARE(PistaDecimal(QString::fromUtf8(c.mensaje), c.decimal), QString::fromUtf8(c.pista));

        // under a Spanish locale the box keeps its text and the status bar gives the hint
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        Frm_Parametros->Edits().at("Alto_Escalon")->setText(QStringLiteral("2.5"));
        Frm_Ppal->ToolButton4->click();
        Frm_Ppal->Nucleo().AtenderTick(Corrida::Escalon);
        QCOMPARE(dialogos->mensajes, QStringList{QStringLiteral("'2.5' is not a valid floating point value")});
        QCOMPARE(Frm_Ppal->PanelEstado[0]->text(), QStringLiteral("'2.5': use la coma decimal"));
        // repeated, the hint leads, so that no cut hides it
        Frm_Ppal->Nucleo().AtenderTick(Corrida::Escalon);
        Frm_Ppal->Nucleo().AtenderTick(Corrida::Escalon);
        QVERIFY2(Frm_Ppal->PanelEstado[0]->text().startsWith(QStringLiteral("use la coma decimal: '2.5'")),
                 qPrintable(Frm_Ppal->PanelEstado[0]->text()));
        QVERIFY(Frm_Ppal->PanelEstado[0]->text().endsWith(QStringLiteral(" veces)")));
        if (Frm_Ppal->Nucleo().Timer(Corrida::Escalon).Enabled) Frm_Ppal->ToolButton4->click();
        QLocale::setDefault(QLocale::c());
    }

    // The file dialogs open where the user last saved or opened a file, from one session to the next.
    void lasCarpetasRecientes() {
        QStandardPaths::setTestModeEnabled(true);  // settings of the tests' own
        QTemporaryDir raiz;
        QVERIFY(QDir(raiz.path()).mkpath(QStringLiteral("datos")) && QDir(raiz.path()).mkpath(QStringLiteral("otra")));
        const QString datos = QDir(raiz.filePath(QStringLiteral("datos"))).absolutePath();
        const QString otra = QDir(raiz.filePath(QStringLiteral("otra"))).absolutePath();
        RecordarCarpeta(datos + QStringLiteral("/registro.red"));
        QCOMPARE(CarpetaReciente(), datos);
        QFileDialog dialogo;
        dialogo.setOption(QFileDialog::DontUseNativeDialog, true);
        dialogo.setAcceptMode(QFileDialog::AcceptSave);
        dialogo.setFileMode(QFileDialog::AnyFile);
        QString abierta;
        QTimer::singleShot(50, &dialogo, [&] {
            abierta = dialogo.directory().absolutePath();
            dialogo.setDirectory(otra);
            dialogo.selectFile(QStringLiteral("nueva.tanque"));
            QMetaObject::invokeMethod(&dialogo, "done", Q_ARG(int, QDialog::Accepted));
        });
        const std::optional<QString> elegido = EjecutarEnCarpetaReciente(dialogo);
        QCOMPARE(abierta, datos);
        QVERIFY(elegido.has_value());
        QCOMPARE(CarpetaReciente(), otra);
        // a folder removed since: the working directory again
        QVERIFY(QDir(otra).removeRecursively());
        QCOMPARE(CarpetaReciente(), QString());
    }
};

QTEST_MAIN(PruebaTeclado)
#include "teclado_test.moc"
