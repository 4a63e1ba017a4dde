// The excitation signal dialog: its edits by name as the runs read them, the edits that each type uses, the
// drawing and spectrum as the texts change, a bad text's message, the overflow advice; its tool button and menu
// entry; a PRBS run of the main window.

#include <qcustomplot.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <optional>

#include "base/aritmetica.h"
#include "core/lectura_senal.h"
#include "core/textos_senal.h"
#include "core/vista_senal.h"
#include "senales/generador.h"
#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Planta.h"
#include "ui/Identificacion_Planta.h"
#include "ui/Senal_Excitacion.h"
#include "ui/arranque.h"
#include "ui/estilo.h"
#include "ui/textos_ventanas.h"

namespace {

DialogosPrueba* dialogos = nullptr;

QLineEdit* Edit(const char* nombre) { return Frm_Senal_Excitacion->Edits().find(nombre)->second; }

// The drawing's points as the plot holds them.
QVector<double> Valores(QCustomPlot* g) {
    QVector<double> v;
    for (auto i = g->graph(0)->data()->constBegin(); i != g->graph(0)->data()->constEnd(); ++i) v.push_back(i->value);
    return v;
}

QColor ColorDe(QLabel* l) { return l->palette().color(QPalette::WindowText); }

}  // namespace

class PruebaSenal : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dialogos = CrearVentanasDePrueba();
    }
    void cleanup() { DestruirVentanas(); }

    void losTextosDeLasCorridasSonLosDelDialogo() {
        TextosVentanas textos;
        QCOMPARE(Frm_Senal_Excitacion->Senal_Tipo->count(), kTiposSenal);
        for (int i = 0; i < kTiposSenal; ++i)
            QCOMPARE(Frm_Senal_Excitacion->Senal_Tipo->itemText(i), QString::fromUtf8(kNombresTipo[i]));
        // every text of the signal and the noise by its name, with its default text
        for (const TextoPorDefecto& t : TextosSenal()) {
            QVERIFY2(textos.Existe(t.nombre), t.nombre);
            QCOMPARE(QString::fromStdString(textos.Texto(t.nombre)), QString::fromUtf8(t.texto));
            QCOMPARE(*Frm_Senal_Excitacion->Texto(t.nombre), QString::fromUtf8(t.texto));
            if (std::string_view(t.nombre) != "Senal_Tipo") QCOMPARE(Edit(t.nombre)->objectName(), QString(t.nombre));
        }
        QCOMPARE(Frm_Senal_Excitacion->Senal_Tipo->objectName(), QStringLiteral("Senal_Tipo"));
        Frm_Senal_Excitacion->Senal_Tipo->setCurrentIndex(static_cast<int>(TipoSenal::NivelesAleatorios));
        QCOMPARE(QString::fromStdString(textos.Texto("Senal_Tipo")), QStringLiteral("Niveles aleatorios"));
        Edit("Ruido_Desviacion")->setText("0.25");
        QCOMPARE(textos.Texto("Ruido_Desviacion"), std::string("0.25"));
        QVERIFY(!Frm_Senal_Excitacion->Texto("Kp"));
        QVERIFY(!textos.Existe("No_Existe"));
    }

    void soloSeHabilitanLosTextosDelTipo() {
        const char* nombres[kCampos] = {"Senal_Minimo",         "Senal_Maximo",      "Senal_Periodo",
                                        "Senal_Orden",          "Senal_Semilla",     "Senal_Frecuencia_Min",
                                        "Senal_Frecuencia_Max", "Senal_Componentes", "Senal_Longitud"};
        for (int t = kTiposSenal - 1; t >= 0; --t) {
            Frm_Senal_Excitacion->Senal_Tipo->setCurrentIndex(t);
            for (int c = 0; c < kCampos; ++c)
                QVERIFY2(Edit(nombres[c])->isEnabled() == kUsa[t][c],
                         qPrintable(QString("%1 %2").arg(kNombresTipo[t], nombres[c])));
            // the noise is every run's
            QVERIFY(Edit("Ruido_Desviacion")->isEnabled());
            QVERIFY(Edit("Ruido_Semilla")->isEnabled());
        }
    }

    void elDibujoSigueALosTextos() {
        QCustomPlot* g = Frm_Senal_Excitacion->Grafica;
        // the step: Alto_Escalon at every sample
        QVector<double> v = Valores(g);
        QCOMPARE(v.size(), kMuestrasVista);
        for (double x : v) QCOMPARE(x, 2.0);
        Frm_Senal_Excitacion->Senal_Tipo->setCurrentText("PRBS");
        Edit("Senal_Orden")->setText("5");
        Edit("Senal_Periodo")->setText("3");
        ParametrosSenal p;
        p.tipo = TipoSenal::PRBS;
        p.orden = 5;
        p.periodo = 3;
        GeneradorSenal prbs(p);
        v = Valores(g);
        QCOMPARE(v.size(), kMuestrasVista);
        for (int n = 0; n < kMuestrasVista; ++n) QCOMPARE(v[n], static_cast<double>(aSingle(prbs.Valor(n))));
        // the spectrum of one period: (2^5 - 1) x 3 samples, bins 1 to 46 (the mean's bin is left out)
        QCOMPARE(Frm_Senal_Excitacion->Espectro->graph(0)->dataCount(), 46);
        Edit("Senal_Maximo")->setText("1.25");
        v = Valores(g);
        QCOMPARE(*std::max_element(v.begin(), v.end()), 1.25);
        Frm_Senal_Excitacion->Senal_Tipo->setCurrentText("Multiseno");
        QCOMPARE(Frm_Senal_Excitacion->Espectro->graph(0)->dataCount(), 200);  // 400 samples
        QVERIFY(Valores(g) != v);
    }

    void unTextoMaloMuestraSuMensajeEnLugarDelDibujo() {
        Frm_Senal_Excitacion->show();
        Frm_Senal_Excitacion->Senal_Tipo->setCurrentText("PRBS");
        QVERIFY(Frm_Senal_Excitacion->Mensaje->isHidden());
        Edit("Senal_Periodo")->setText("x");
        QVERIFY(Frm_Senal_Excitacion->Mensaje->isVisible());
        QCOMPARE(Frm_Senal_Excitacion->Mensaje->text(), QStringLiteral("'x' is not a valid integer value"));
        QCOMPARE(Frm_Senal_Excitacion->Grafica->graph(0)->dataCount(), 0);
        QCOMPARE(Frm_Senal_Excitacion->Espectro->graph(0)->dataCount(), 0);
        Edit("Senal_Periodo")->setText("10");
        Edit("Senal_Orden")->setText("21");
        QCOMPARE(Frm_Senal_Excitacion->Mensaje->text(), QString::fromUtf8(kMensajeOrden));
        Edit("Senal_Orden")->setText("6");
        QVERIFY(Frm_Senal_Excitacion->Mensaje->isHidden());
        QCOMPARE(Frm_Senal_Excitacion->Grafica->graph(0)->dataCount(), kMuestrasVista);
        // a text the type does not use is not read
        Edit("Senal_Longitud")->setText("x");
        QVERIFY(Frm_Senal_Excitacion->Mensaje->isHidden());
        Frm_Senal_Excitacion->close();
    }

    // The red message keeps the conversion's text and adds the hint only when the other separator is the fault.
    void elMensajeRojoDiceQueSeparadorUsar() {
        struct Caso {
            QLocale local;
            const char* texto;
            const char* esperado;
        };
        const Caso casos[] = {
            {QLocale(QLocale::Spanish, QLocale::Spain), "2.5",
             "'2.5' is not a valid floating point value (use la coma decimal)"},
            {QLocale::c(), "2,5", "'2,5' is not a valid floating point value (use el punto decimal)"},
            {QLocale(QLocale::Spanish, QLocale::Spain), "2.5x", "'2.5x' is not a valid floating point value"},
            {QLocale::c(), "abc", "'abc' is not a valid floating point value"},
        };
        const QLocale antes;
        const QString maximo = Edit("Senal_Maximo")->text(), minimo = Edit("Senal_Minimo")->text();
        Frm_Senal_Excitacion->show();
        Frm_Senal_Excitacion->Senal_Tipo->setCurrentText("PRBS");
        Edit("Senal_Minimo")->setText("0");  // a number under either separator: the maximum is read next
        for (const Caso& c : casos) {
            QLocale::setDefault(c.local);
            Edit("Senal_Maximo")->setText(QString::fromLatin1(c.texto));
            QVERIFY(Frm_Senal_Excitacion->Mensaje->isVisible());
            QCOMPARE(Frm_Senal_Excitacion->Mensaje->text(), QString::fromUtf8(c.esperado));
        }
        QLocale::setDefault(antes);
        Edit("Senal_Maximo")->setText(maximo);
        Edit("Senal_Minimo")->setText(minimo);
        QVERIFY(Frm_Senal_Excitacion->Mensaje->isHidden());
        Frm_Senal_Excitacion->close();
    }

    void elAvisoDeDesbordeSePoneRojo() {
        QLabel* aviso = Frm_Senal_Excitacion->Estacionario;
        Frm_Senal_Excitacion->Senal_Tipo->setCurrentText("Gaussiana");
        QCOMPARE(aviso->text(), QStringLiteral("Nivel estacionario del máximo: 4 (Nivel Máximo 5)"));
        QCOMPARE(ColorDe(aviso), kAzulEtiqueta);
        Edit("Senal_Maximo")->setText("3");
        QCOMPARE(aviso->text(),
                 QStringLiteral("Nivel estacionario del máximo: 6 (Nivel Máximo 5): el tanque desbordaría"));
        QCOMPARE(ColorDe(aviso), kRojoTitulo);
        // advice only: the drawing keeps the user's levels
        const QVector<double> v = Valores(Frm_Senal_Excitacion->Grafica);
        QVERIFY(*std::max_element(v.begin(), v.end()) > 2.5);
        // the plant's maximum changed in its dialog: the advice follows when the dialog shows again
        Frm_Parametros_Planta->Edits().find("HMax")->second->setText("7");
        Frm_Senal_Excitacion->show();
        QCOMPARE(ColorDe(aviso), kAzulEtiqueta);
        QCOMPARE(aviso->text(), QStringLiteral("Nivel estacionario del máximo: 6 (Nivel Máximo 7)"));
        Frm_Senal_Excitacion->close();
        // the step's maximum is its amplitude
        Frm_Senal_Excitacion->Senal_Tipo->setCurrentText("Escalón");
        QCOMPARE(aviso->text(), QStringLiteral("Nivel estacionario del máximo: 4 (Nivel Máximo 7)"));
    }

    void suBotonYSuMenuLoAbren() {
        QCOMPARE(Frm_Ppal->ToolButtonSenal->geometry(), QRect(247, 3, 23, 23));
        QCOMPARE(Frm_Ppal->ToolButtonSenal->toolTip(), QStringLiteral("Configurar Señal de Excitación"));
        QCOMPARE(Frm_Ppal->centralWidget()->size(), QSize(742, 417));
        // in "Opciones", after the original entries and a separator
        QList<QAction*> opciones;
        for (QAction* menu : Frm_Ppal->menuBar()->actions())
            if (menu->text() == QStringLiteral("Opciones")) opciones = menu->menu()->actions();
        const int pid = static_cast<int>(opciones.indexOf(Frm_Ppal->ParametrosPID1));
        QVERIFY(pid >= 0 && pid + 5 < opciones.size());
        QVERIFY(opciones[pid + 1]->isSeparator());
        // the fuzzy controller's two entries come first, then a separator and the signal
        QCOMPARE(opciones[pid + 2], Frm_Ppal->ParametrosFuzzy1);
        QCOMPARE(opciones[pid + 3], Frm_Ppal->InicializarFuzzy1);
        QVERIFY(opciones[pid + 4]->isSeparator());
        QCOMPARE(opciones[pid + 5], Frm_Ppal->SenalExcitacion1);
        QCOMPARE(Frm_Ppal->SenalExcitacion1->text(), QStringLiteral("Señal de Excitación"));
        for (const std::function<void()>& abrir :
             {std::function<void()>([] { Frm_Ppal->ToolButtonSenal->click(); }),
              std::function<void()>([] { Frm_Ppal->SenalExcitacion1->trigger(); })}) {
            bool modal = false;
            QTimer::singleShot(0, [&] {
                modal = QApplication::activeModalWidget() == Frm_Senal_Excitacion;
                Frm_Senal_Excitacion->Regresar->click();
            });
            abrir();
            QVERIFY(modal);
            QVERIFY(!Frm_Senal_Excitacion->isVisible());
        }
        // the button stays within reach during a run
        Frm_Ppal->ToolButton4->click();
        QVERIFY(Frm_Ppal->ToolButtonSenal->isEnabled());
        Frm_Ppal->ToolButton4->click();
    }

    void unaCorridaConPRBSYRuido() {
        Frm_Senal_Excitacion->Senal_Tipo->setCurrentText("PRBS");
        Edit("Ruido_Desviacion")->setText("0.05");
        Simulador& s = Frm_Ppal->Nucleo();
        Frm_Ppal->ToolButton4->click();
        for (int n = 0; n < 200; ++n) s.AtenderTick(Corrida::Escalon);
        Frm_Ppal->ToolButton4->click();
        GeneradorSenal prbs(LeerSenal(TextosVentanas()));
        for (std::size_t n = 0; n < 200; ++n)
            QCOMPARE(s.Series2().Y(n), static_cast<double>(aSingle(prbs.Valor(static_cast<std::int64_t>(n)))));
        QCOMPARE(s.Excitaciones().RuidoLeido().desviacion, 0.05);
        QCOMPARE(dialogos->mensajes, QStringList{QStringLiteral("El Ciclo de lectura se ha parado")});
        // a bad text of the dialog reaches the run as every other text does
        Edit("Senal_Orden")->setText("1");
        Frm_Ppal->ToolButton4->click();
        s.AtenderTick(Corrida::Escalon);
        QCOMPARE(dialogos->mensajes.last(), QString::fromUtf8(kMensajeOrden));
        Frm_Ppal->ToolButton4->click();
    }

    // The window says which signal the open-loop run applies: its button's tip, the status bar and the
    // identification's record; the step keeps the original tip and an empty panel.
    void laVentanaDiceQueSenalCorre() {
        QComboBox* tipo = Frm_Senal_Excitacion->Senal_Tipo;
        struct Caso {
            const char* tipo;
            const char* orden;
            const char* pista;
        };
        const Caso casos[] = {
            {"PRBS", "7", "Aplicar Escalón: PRBS orden 7"},
            {"PRBS", "9", "Aplicar Escalón: PRBS orden 9"},
            {"Multiseno", "9", "Aplicar Escalón: Multiseno de 10 senos"},
            {"Barrido", "9", "Aplicar Escalón: Barrido"},
            {"Escalón", "9", "Aplicar Escalón"},
        };
        for (const Caso& c : casos) {
            tipo->setCurrentText(QString::fromUtf8(c.tipo));
            Edit("Senal_Orden")->setText(QString::fromUtf8(c.orden));
            QCOMPARE(Frm_Ppal->ToolButton4->toolTip(), QString::fromUtf8(c.pista));
            const QString panel = QString::fromUtf8(c.tipo) == QStringLiteral("Escalón") ? QString() : QString::fromUtf8(c.pista);
            QCOMPARE(Frm_Ppal->PanelEstado[1]->text(), panel);
        }
        // the accessible name stays the button's own
        QCOMPARE(Frm_Ppal->ToolButton4->accessibleName(), QStringLiteral("Aplicar Escalón"));
        // a PRBS record is named by its signal in the identification
        tipo->setCurrentText(QStringLiteral("PRBS"));
        Edit("Senal_Orden")->setText(QStringLiteral("7"));
        Simulador& s = Frm_Ppal->Nucleo();
        Frm_Ppal->ToolButton4->click();
        for (int n = 0; n < 300; ++n) s.AtenderTick(Corrida::Escalon);
        Frm_Ppal->ToolButton4->click();
        Frm_Ppal->Identificar1->trigger();
        QVERIFY(Frm_Ppal->Frm_Identificacion);
        const QString registro = Frm_Ppal->Frm_Identificacion->Registro_Label->text();
        QVERIFY2(registro.contains(QStringLiteral("de la señal PRBS orden 7,")), qPrintable(registro));
        QVERIFY2(!registro.contains(QStringLiteral("corrida Escalón")), qPrintable(registro));
        Frm_Ppal->Frm_Identificacion->close();
    }
};

QTEST_MAIN(PruebaSenal)
#include "senal_test.moc"
