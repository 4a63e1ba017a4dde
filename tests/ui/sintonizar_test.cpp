// The dialog "Sintonizar el PID" from the main window: its menu entry and tool button, the table against the
// tuning library and against SIMC's published formula, the knob, the model of an identification, the
// predicted step drawn, and "Aplicar" writing the PID dialog's texts.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>
#include <qcustomplot.h>

#include "core/planta/tanque.h"
#include "sintonia/sintonia.h"
#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_PID.h"
#include "ui/Parametros_Planta.h"
#include "ui/Sintonizar_PID.h"
#include "ui/arranque.h"

namespace {

DialogosPrueba* dialogos = nullptr;

TFrm_Sintonizar* Dialogo() { return Frm_Ppal->Frm_Sintonizar; }
QString Celda(int fila, int columna) { return Dialogo()->Tabla->item(fila, columna)->text(); }
QString TextoPid(const char* nombre) { return Frm_Parametros_PID->Edits().find(nombre)->second->text(); }

QString Numero(const std::optional<double>& v, int decimales) {
    return v ? QString::number(*v, 'f', decimales) : QStringLiteral("—");
}

// Every cell of the table is the library's figure for that rule on that plant.
void LaTablaEsLaDeSintonia(const ModeloConRetardo& p, const Muestreo& m, Accion accion, std::optional<double> perilla) {
    const Regla reglas[] = {Regla::Simc, Regla::Imc, Regla::Amigo, Regla::ZieglerNichols};
    QCOMPARE(Dialogo()->Tabla->rowCount(), 4);
    for (int f = 0; f < 4; ++f) {
        const Sintonia s = Sintonizar(p, m, reglas[f], accion, perilla);
        QCOMPARE(Celda(f, TFrm_Sintonizar::ColRegla), QString::fromStdString(s.titulo));
        QCOMPARE(Celda(f, TFrm_Sintonizar::ColKp), QString::fromStdString(TextoGanancia(s.pid.Kp)));
        QCOMPARE(Celda(f, TFrm_Sintonizar::ColTi), QString::fromStdString(TextoGanancia(s.pid.Ti)));
        QCOMPARE(Celda(f, TFrm_Sintonizar::ColTd), QString::fromStdString(TextoGanancia(s.pid.Td)));
        QCOMPARE(Celda(f, TFrm_Sintonizar::ColMargenGanancia), Numero(s.lazo.margenes.ganancia, 2));
        QCOMPARE(Celda(f, TFrm_Sintonizar::ColMargenFase), Numero(s.lazo.margenes.fase, 1));
        QCOMPARE(Celda(f, TFrm_Sintonizar::ColMs), Numero(s.lazo.margenes.Ms, 2));
        if (s.lazo.escalon) {
            QCOMPARE(Celda(f, TFrm_Sintonizar::ColSobreimpulso), Numero(s.lazo.escalon->sobreimpulso, 1));
            QCOMPARE(Celda(f, TFrm_Sintonizar::ColEstablecimiento), Numero(s.lazo.escalon->establecimiento, 2));
        } else {
            QCOMPARE(Celda(f, TFrm_Sintonizar::ColSobreimpulso), QStringLiteral("inestable"));
        }
    }
}

}  // namespace

class PruebaSintonizar : public QObject {
    Q_OBJECT
private slots:
    void init() { dialogos = CrearVentanasDePrueba(); }
    void cleanup() { DestruirVentanas(); }

    void laEntradaYElBotonVanTrasLosDeSiempre() {
        QList<QAction*> opciones;
        for (QAction* menu : Frm_Ppal->menuBar()->actions())
            if (menu->text() == QStringLiteral("Opciones")) opciones = menu->menu()->actions();
        const qsizetype identificar = opciones.indexOf(Frm_Ppal->Identificar1);
        QCOMPARE(opciones.indexOf(Frm_Ppal->Sintonizar1), identificar + 1);
        QCOMPARE(Frm_Ppal->Sintonizar1->text(), QStringLiteral("Sintonizar..."));
        QToolButton* b = Frm_Ppal->ToolButtonSintonizar;
        QCOMPARE(b->geometry(), QRect(293, 3, 23, 23));
        QCOMPARE(b->toolTip(), QStringLiteral("Sintonizar el PID"));
        QVERIFY(!b->icon().isNull());
        QCOMPARE(Frm_Ppal->ToolButton10->geometry(), QRect(216, 3, 23, 23));
        Frm_Ppal->Sintonizar1->trigger();
        QVERIFY(Dialogo() && Dialogo()->isVisible());
        QCOMPARE(Dialogo()->windowTitle(), QStringLiteral("Sintonizar el PID"));
    }

    // Without an identification the plant's truth: the default tank, K = 2, A R = 20 s, theta = T/2 = 0.25 s.
    // SIMC (Skogestad 2003): Kp = tau / (K (tc + theta)) = 20, Ti = min(tau, 4 (tc + theta)) = 2.
    void laVerdadDaLaTablaDeSintonia() {
        Frm_Ppal->ToolButtonSintonizar->click();
        TFrm_Sintonizar* d = Dialogo();
        QCOMPARE(d->Modelo->currentIndex(), 1);
        auto* modelo = qobject_cast<QStandardItemModel*>(d->Modelo->model());
        QVERIFY(!modelo->item(0)->isEnabled());
        QCOMPARE(Celda(0, TFrm_Sintonizar::ColKp), QStringLiteral("20"));
        QCOMPARE(Celda(0, TFrm_Sintonizar::ColTi), QStringLiteral("2"));
        const Muestreo m{0.5, TiempoPorMuestra(0.5f)};
        LaTablaEsLaDeSintonia({2, 20, 0, 0}, m, Accion::PI, std::nullopt);
        QCOMPARE(d->Perilla->value(), 0.25);
        // the PID, and a knob of 2 s: IMC's PID of Rivera, Morari and Skogestad, Ti = tau + theta / 2
        d->AccionCombo->setCurrentIndex(1);
        d->ReglaCombo->setCurrentIndex(1);
        d->PerillaPorOmision->setChecked(false);
        d->Perilla->setValue(2);
        LaTablaEsLaDeSintonia({2, 20, 0, 0}, m, Accion::PID, 2.0);
        QCOMPARE(Celda(1, TFrm_Sintonizar::ColTi), QStringLiteral("20.12"));
        // the chosen rule's step is drawn
        QVERIFY(d->Grafica->graph(1)->dataCount() > 10);
        // a plant text that changed is read at the next press
        Frm_Parametros_Planta->Edits().find("Resistencia")->second->setText(QStringLiteral("4"));
        Frm_Ppal->ToolButtonSintonizar->click();
        LaTablaEsLaDeSintonia({4, 40, 0, 0}, m, Accion::PID, 2.0);
    }

    void aplicarEscribeLosTextosDelPid() {
        Frm_Ppal->ToolButtonSintonizar->click();
        TFrm_Sintonizar* d = Dialogo();
        d->ReglaCombo->setCurrentIndex(2);  // AMIGO
        d->AccionCombo->setCurrentIndex(1);
        const Sintonia s = Sintonizar({2, 20, 0, 0}, {0.5, TiempoPorMuestra(0.5f)}, Regla::Amigo, Accion::PID);
        d->Aplicar->click();
        QCOMPARE(TextoPid("Kp"), QString::fromStdString(TextoGanancia(s.pid.Kp)));
        QCOMPARE(TextoPid("Ti"), QString::fromStdString(TextoGanancia(s.pid.Ti)));
        QCOMPARE(TextoPid("Td"), QString::fromStdString(TextoGanancia(s.pid.Td)));
        QVERIFY(dialogos->mensajes.isEmpty());
        // the PID run then reads them: its first action is Kp ((T / 2) e / Ti + e) + Kp Td e / T, e = 1
        Frm_Ppal->ToolButton13->click();
        Frm_Ppal->Nucleo().AtenderTick(Corrida::PID);
        const Pid& p = s.pid;
        const double u = p.Kp * ((0.25 / p.Ti + 1) + p.Td / 0.5);
        QVERIFY(std::abs(Frm_Ppal->Nucleo().Estado().Accion_Control / u - 1) < 1e-5);
        Frm_Ppal->ToolButton13->click();
    }

    // After a step run and "Identificar...", the identified model comes first, and its gains are the truth's
    // within the identification's error.
    void laIdentificacionEsElModeloPorOmision() {
        Frm_Ppal->ToolButton4->click();
        for (int i = 0; i < 400; ++i) Frm_Ppal->Nucleo().AtenderTick(Corrida::Escalon);
        Frm_Ppal->ToolButton4->click();
        Frm_Ppal->ToolButtonIdentificar->click();
        QVERIFY(Frm_Ppal->Frm_Identificacion);
        Frm_Ppal->ToolButtonSintonizar->click();
        TFrm_Sintonizar* d = Dialogo();
        QCOMPARE(d->Modelo->currentIndex(), 0);
        QVERIFY2(d->Modelo_Label->text().contains(QStringLiteral("Escalón")), qPrintable(d->Modelo_Label->text()));
        QVERIFY(d->Resultados()[0]);
        QVERIFY(std::abs(d->Resultados()[0]->pid.Kp / 20 - 1) < 0.01);
        QVERIFY(std::abs(d->Resultados()[0]->pid.Ti / 2 - 1) < 0.01);
        d->Modelo->setCurrentIndex(1);
        QCOMPARE(Celda(0, TFrm_Sintonizar::ColKp), QStringLiteral("20"));
    }
};

QTEST_MAIN(PruebaSintonizar)
#include "sintonizar_test.moc"
