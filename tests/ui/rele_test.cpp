// The relay experiment in the window: its entries after the original ones, its run started from "Opciones"
// and from the tuning dialog, its reading (against the analytic loop's ultimate gain and period) and its model
// offered to the tuning; the indices window comparing a PID run with the prediction of "Aplicar".

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <cmath>
#include <numbers>

#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Rele.h"
#include "ui/Sintonizar_PID.h"
#include "ui/arranque.h"
#include "ui/grafico.h"
#include "ui/indices_desempeno.h"

namespace {

DialogosPrueba* dialogos = nullptr;

void Poner(const char* nombre, const char* texto) {
    Frm_Parametros_Rele->Edits().find(nombre)->second->setText(QString::fromLatin1(texto));
}

// The analytic loop K e^(-theta s) / (tau s + 1): the phase crossover by bisection on atan(w tau) + w theta = pi.
std::pair<double, double> Ultimos(double K, double tau, double theta) {
    double a = 0, b = std::numbers::pi / theta;
    for (int i = 0; i < 200; ++i) {
        const double w = (a + b) / 2;
        (std::atan(w * tau) + w * theta < std::numbers::pi ? a : b) = w;
    }
    return {std::sqrt(1 + a * a * tau * tau) / K, 2 * std::numbers::pi / a};
}

// The relay run for n ticks from its entry, then stopped by it; the reading comes after the stop's box.
void CorrerRele(int n) {
    Frm_Ppal->EnsayoRele1->trigger();
    QVERIFY(Frm_Ppal->Timer6->isActive());
    QCOMPARE(Frm_Ppal->EnsayoRele1->text(), QStringLiteral("Parar Ensayo de Relé"));
    for (int i = 0; i < n; ++i) Frm_Ppal->Nucleo().AtenderTick(Corrida::Rele);
    Frm_Ppal->EnsayoRele1->trigger();
    QVERIFY(!Frm_Ppal->Timer6->isActive());
    QTRY_VERIFY(Frm_Ppal->UltimoEnsayoRele().has_value());
}

}  // namespace

class PruebaRele : public QObject {
    Q_OBJECT
private slots:
    void init() { dialogos = CrearVentanasDePrueba(); }
    void cleanup() { DestruirVentanas(); }

    void susEntradasVanTrasLasDeSiempre() {
        QList<QAction*> opciones;
        for (QAction* menu : Frm_Ppal->menuBar()->actions())
            if (menu->text() == QStringLiteral("Opciones")) opciones = menu->menu()->actions();
        const qsizetype sintonizar = opciones.indexOf(Frm_Ppal->Sintonizar1);
        QCOMPARE(opciones.indexOf(Frm_Ppal->EnsayoRele1), sintonizar + 1);
        QCOMPARE(opciones.indexOf(Frm_Ppal->ParametrosRele1), sintonizar + 2);
        // the window's original controls stay where they were
        QCOMPARE(Frm_Ppal->ToolButton10->geometry(), QRect(216, 3, 23, 23));
        QCOMPARE(Frm_Ppal->ToolButtonSintonizar->geometry(), QRect(293, 3, 23, 23));
        // the other runs keep it away, and it them
        Frm_Ppal->ToolButton13->click();
        QVERIFY(!Frm_Ppal->EnsayoRele1->isEnabled());
        Frm_Ppal->ToolButton13->click();
        QVERIFY(Frm_Ppal->EnsayoRele1->isEnabled());
        Frm_Ppal->EnsayoRele1->trigger();
        QVERIFY(!Frm_Ppal->ToolButton13->isEnabled() && !Frm_Ppal->ToolButton4->isEnabled());
        QVERIFY(!Frm_Ppal->ParametrosRele1->isEnabled());
        QVERIFY(Frm_Ppal->EnsayoRele1->isEnabled());  // to stop it
    }

    // 4 samples of pipe before the default tank (K = 2, A R = 20 s, T = 0.5 s): theta = 4 T + T / 2.
    void daKuYPuDelLazoAnalitico() {
        Poner("Rele_Retardo", "4");
        Poner("Rele_Alto", "2");
        Poner("Rele_Histeresis", "0.01");
        Frm_Ppal->Track_Referencia->setValue(4);  // the working level 2
        CorrerRele(3000);
        const ResultadoEnsayoRele& r = *Frm_Ppal->UltimoEnsayoRele();
        QVERIFY2(r.analisis.has_value(), r.mensaje.c_str());
        const auto [Ku, Pu] = Ultimos(2, 20, 4 * 0.5 + 0.25);
        QVERIFY2(std::abs(r.analisis->Ku / Ku - 1) < 0.02, qPrintable(QString::number(r.analisis->Ku)));
        QVERIFY2(std::abs(r.analisis->Pu / Pu - 1) < 0.02, qPrintable(QString::number(r.analisis->Pu)));
        QCOMPARE(r.rele.nivel, 2.0);
        QVERIFY(dialogos->mensajes.size() >= 2);
        QCOMPARE(dialogos->mensajes.at(dialogos->mensajes.size() - 2), QStringLiteral("El Ciclo de lectura se ha parado"));
        QVERIFY2(dialogos->mensajes.back().startsWith(QStringLiteral("Ensayo de relé: 10 ciclos sostenidos")),
                 qPrintable(dialogos->mensajes.back()));
        QVERIFY(dialogos->mensajes.back().contains(QStringLiteral("Ku = ")));
        // the chart drew the oscillation as any run
        QVERIFY(Frm_Ppal->Nucleo().Series1().Cuenta() > 100);
    }

    // From the tuning dialog: its button runs the experiment on the main window, and its model is then chosen.
    void elDialogoDeSintoniaLoUsa() {
        Frm_Ppal->Sintonizar1->trigger();
        TFrm_Sintonizar* d = Frm_Ppal->Frm_Sintonizar;
        auto* modelo = qobject_cast<QStandardItemModel*>(d->Modelo->model());
        QVERIFY(!modelo->item(TFrm_Sintonizar::FuenteRele)->isEnabled());
        Poner("Rele_Retardo", "2");
        Frm_Ppal->Track_Referencia->setValue(5);
        d->EnsayoRele->click();
        QVERIFY(Frm_Ppal->Timer6->isActive());
        QCOMPARE(d->EnsayoRele->text(), QStringLiteral("Parar el ensayo"));
        for (int i = 0; i < 2000; ++i) Frm_Ppal->Nucleo().AtenderTick(Corrida::Rele);
        d->EnsayoRele->click();
        QTRY_VERIFY(Frm_Ppal->UltimoEnsayoRele().has_value());
        QCOMPARE(d->EnsayoRele->text(), QStringLiteral("Ensayo de relé"));
        QVERIFY(modelo->item(TFrm_Sintonizar::FuenteRele)->isEnabled());
        QCOMPARE(d->Modelo->currentIndex(), static_cast<int>(TFrm_Sintonizar::FuenteRele));
        QVERIFY2(d->Modelo_Label->text().startsWith(QStringLiteral("Ensayo de relé: Ku = ")),
                 qPrintable(d->Modelo_Label->text()));
        // the relay's model is the tank's with its pipe: K = 2, Tau = 20 s, theta = 2 T = 1 s, within 5 %
        const ModeloConRetardo& m = *Frm_Ppal->UltimoEnsayoRele()->analisis->modelo;
        QVERIFY(std::abs(m.K / 2 - 1) < 0.05);
        QVERIFY(std::abs(m.tau1 / 20 - 1) < 0.05);
        QVERIFY2(std::abs(m.theta / 1 - 1) < 0.05, qPrintable(QString::number(m.theta)));
        QVERIFY(d->Resultados()[0].has_value());
    }

    // A pump that cannot lift the tank to the working level: no oscillation, and the box says why.
    void sinOscilacionLoDice() {
        Poner("Rele_Alto", "0.5");  // at most 1 with R = 2, below the working level 2
        Frm_Ppal->Track_Referencia->setValue(4);
        CorrerRele(600);
        QVERIFY(!Frm_Ppal->UltimoEnsayoRele()->analisis);
        QVERIFY2(dialogos->mensajes.back().startsWith(
                     QStringLiteral("El ensayo de relé no da Ku ni Pu: No se encontró una oscilación sostenida")),
                 qPrintable(dialogos->mensajes.back()));
        // a pump of 4 behind 20 s of pipe: the first swing passes HMax = 5, the overflow stops the run
        Poner("Rele_Alto", "4");
        Poner("Rele_Retardo", "40");
        dialogos->mensajes.clear();
        Frm_Ppal->EnsayoRele1->trigger();
        for (int i = 0; i < 400 && Frm_Ppal->Nucleo().Timer(Corrida::Rele).Enabled; ++i)
            Frm_Ppal->Nucleo().AtenderTick(Corrida::Rele);
        QVERIFY(!Frm_Ppal->Nucleo().Timer(Corrida::Rele).Enabled);
        QTRY_COMPARE(dialogos->mensajes.size(), 2);
        QVERIFY2(dialogos->mensajes.back().startsWith(QStringLiteral("El ensayo de relé no da Ku ni Pu: ")),
                 qPrintable(dialogos->mensajes.back()));
        QVERIFY(dialogos->mensajes.contains(QStringLiteral("El Nivel del Tanque ha Superado el Máximo Permitido")));
        QVERIFY(!Frm_Ppal->UltimoEnsayoRele()->analisis);
    }

    // After "Aplicar" the indices window shows the rule's prediction beside the PID run's step, and the chart
    // draws the predicted step over the response; both within 5 % on the default tank.
    void losIndicesComparanConLaPrediccion() {
        Frm_Ppal->Sintonizar1->trigger();
        TFrm_Sintonizar* d = Frm_Ppal->Frm_Sintonizar;
        QVERIFY(Frm_Indices);
        Frm_Indices->show();
        QVERIFY(!Frm_Indices->Comparacion->isVisible());
        d->Aplicar->click();
        QVERIFY(Frm_Indices->Comparacion->isVisible());
        QVERIFY2(Frm_Indices->Sintonia_Label->text().startsWith(QStringLiteral("Sintonía aplicada: SIMC (Skogestad) PI: Kp = 20,")),
                 qPrintable(Frm_Indices->Sintonia_Label->text()));
        Frm_Ppal->Track_Referencia->setValue(4);
        Frm_Ppal->ToolButton13->click();
        QVERIFY(Frm_Ppal->Chart1->Modelo());
        QCOMPARE(Frm_Ppal->Chart1->Modelo()->data()->begin()->key, 0.0);
        for (int i = 0; i < 200; ++i) Frm_Ppal->Nucleo().AtenderTick(Corrida::PID);
        Frm_Indices->Mostrar(Frm_Ppal->Nucleo());
        const Prediccion& p = *d->Resultados()[0]->lazo.escalon;
        // the prediction's value is the rule's; the measured, the run's indices
        QCOMPARE(Frm_Indices->Comparacion->item(1, 0)->text(), NumeroIndice(*p.establecimiento, 2));
        const IndicesEscalon e = *Frm_Ppal->Nucleo().Indices(Corrida::PID).indices.Actual();
        QCOMPARE(Frm_Indices->Comparacion->item(1, 1)->text(), NumeroIndice(*e.tiempoEstablecimiento, 2));
        QVERIFY(std::abs(*e.tiempoEstablecimiento / *p.establecimiento - 1) < 0.05);
        const double iaePredicho = Frm_Indices->Comparacion->item(2, 0)->text().toDouble();
        QVERIFY2(std::abs(iaePredicho / *e.IAE - 1) < 0.05, qPrintable(QString::number(iaePredicho)));
        // the predicted level at a sample is twice the unit prediction (the reference 2)
        QCOMPARE(Frm_Ppal->Chart1->Modelo()->data()->at(10)->value, 2 * p.nivel[10]);
        Frm_Ppal->ToolButton13->click();
    }
};

QTEST_MAIN(PruebaRele)
#include "rele_test.moc"
