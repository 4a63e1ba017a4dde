// "Grabar": what the user does in the window, recorded and saved with the set-up, is replayed by the core's
// Reproducir into the very record that the window exported, with the same messages; the schedule holds each
// action once, at its sample.

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <optional>
#include <string>
#include <vector>

#include "core/configuracion.h"
#include "core/configuracion_textos.h"
#include "core/grabacion.h"
#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/Parametros_PID.h"
#include "ui/arranque.h"
#include "ui/configuraciones.h"
#include "ui/grabador.h"

namespace {

class MensajesGrabados : public Mensajes {
public:
    void Mostrar(const std::string& texto) override { textos.append(QString::fromStdString(texto)); }
    void Repetido(Corrida, const std::string&, int) override {}
    void FinRepetido(Corrida) override {}
    QStringList textos;
};

DialogosPrueba* dialogos = nullptr;

QLineEdit* Edit(DialogoParametros* d, const char* nombre) { return d->Edits().find(nombre)->second; }

QByteArray Bytes(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no file)");
}

void Ticks(void (TFrm_Ppal::*tick)(), int n) {
    for (int i = 0; i < n; ++i) (Frm_Ppal->*tick)();
}

}  // namespace

class PruebaGrabacion : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(carpeta_.isValid());
        PrepararAplicacion();
    }
    void init() {
        QSettings(QStringLiteral("tanque"), QStringLiteral("tanque")).clear();
        dialogos = CrearVentanasDePrueba();
    }
    void cleanup() { DestruirVentanas(); }

    void loGrabadoSeReproduceIgual() {
        TFrm_Ppal* p = Frm_Ppal;
        GrabadorVentana* g = p->Grabador;
        QCOMPARE(g->Grabar1->text(), QStringLiteral("Grabar"));
        QLineEdit* kp = Edit(Frm_Parametros_PID, "Kp");
        kp->setText("2.5");  // before the press: a text of the set-up
        g->Grabar1->trigger();
        QVERIFY(g->Grabando());
        kp->setText("3");
        emit kp->editingFinished();  // the edit is left
        p->ToolButton13->click();
        Ticks(&TFrm_Ppal::Timer4Timer, 6);
        p->Track_Referencia->setValue(6);
        Ticks(&TFrm_Ppal::Timer4Timer, 5);
        Edit(Frm_Parametros_PID, "Ti")->setText("4");  // typed during the run, not left: the next tick reads it
        Ticks(&TFrm_Ppal::Timer4Timer, 5);
        p->ToolButton13->click();
        Frm_Parametros_Fuzzy->Reglas->PonerCelda(3, 3, QStringLiteral("4"));
        p->ToolButton11->click();
        p->ToolButton10->click();
        Ticks(&TFrm_Ppal::Timer5Timer, 8);
        p->Track_Referencia->setValue(3);
        Ticks(&TFrm_Ppal::Timer5Timer, 4);
        p->ToolButton10->click();
        Edit(Frm_Parametros_PID, "Td")->setText("0.5");  // after the last action: saved at the end

        const QString registro = carpeta_.filePath("ventana.txt");
        const QString archivo = carpeta_.filePath("grabado.tanque");
        dialogos->registro = registro;
        p->Archivo->click();
        dialogos->configuracionGuardar = archivo;
        p->Configuraciones->GuardarConfiguracion1->trigger();
        const QStringList mensajes = dialogos->mensajes;
        QCOMPARE(mensajes, QStringList(2, QStringLiteral("El Ciclo de lectura se ha parado")));

        const Configuracion c = LeerArchivoConfiguracion(archivo.toStdString(), NombresConfiguracion()).configuracion;
        // the texts and the slider of the press
        QCOMPARE(c.textos.at("Kp"), std::string("2.5"));
        QCOMPARE(c.textos.at("Reglas_3_3"), std::string("2"));
        QCOMPARE(c.posicion, std::optional<std::int32_t>(2));
        QVERIFY(c.programa);
        using E = EventoPrograma;
        const std::optional<std::int32_t> nada;
        const std::vector<E> esperado = {
            {EventoTexto{"Kp", "3"}, nada},
            {EventoAlternar{Corrida::PID}, 0},
            {EventoTicks{Corrida::PID, 6}, 0},
            {EventoPosicion{6}, 6},
            {EventoTicks{Corrida::PID, 5}, 6},
            {EventoTexto{"Ti", "4"}, 11},
            {EventoTicks{Corrida::PID, 5}, 11},
            {EventoAlternar{Corrida::PID}, 16},
            {EventoTexto{"Reglas_3_3", "4"}, nada},
            {EventoInicializarFuzzy{}, nada},
            {EventoAlternar{Corrida::Fuzzy}, 0},
            {EventoTicks{Corrida::Fuzzy, 8}, 0},
            {EventoPosicion{3}, 8},
            {EventoTicks{Corrida::Fuzzy, 4}, 8},
            {EventoAlternar{Corrida::Fuzzy}, 12},
            {EventoTexto{"Td", "0.5"}, nada},
        };
        QCOMPARE(c.programa->size(), esperado.size());
        for (std::size_t i = 0; i < esperado.size(); ++i)
            QVERIFY2((*c.programa)[i] == esperado[i],
                     qPrintable(QStringLiteral("event %1: %2")
                                    .arg(i + 1)
                                    .arg(QString::fromStdString(DescribirAccion((*c.programa)[i].accion)))));

        // the replay without windows, from the default texts with the set-up's put over them
        TextosMapa textos = TextosIniciales('.');
        PosicionValor posicion;
        AplicarConfiguracion(c, textos, posicion);
        MensajesGrabados replica;
        Simulador s(textos, posicion, replica);
        Reproducir(s, textos, posicion, *c.programa);
        const QString reproducido = carpeta_.filePath("reproducido.txt");
        s.ArchivoClick(reproducido.toStdString(), true, 0, 0);
        QCOMPARE(Bytes(reproducido), Bytes(registro));
        QVERIFY(Bytes(registro).size() > 20 * 25);  // both runs are in it
        QCOMPARE(replica.textos, mensajes);
    }

    void sinGrabarNoSeGuardaPrograma() {
        GrabadorVentana* g = Frm_Ppal->Grabador;
        g->Grabar1->trigger();
        Frm_Ppal->ToolButton13->click();
        Ticks(&TFrm_Ppal::Timer4Timer, 3);
        Frm_Ppal->ToolButton13->click();
        g->Grabar1->trigger();  // the recording ends
        QVERIFY(!g->Grabando());
        QVERIFY(!g->Grabado());
        const auto nombre = Frm_Ppal->Configuraciones->Guardar(carpeta_.filePath("sin-programa"));
        QVERIFY(nombre);
        QVERIFY(!LeerArchivoConfiguracion(nombre->toStdString(), NombresConfiguracion()).configuracion.programa);
    }

    void noSeGrabaConUnaCorridaActiva() {
        Frm_Ppal->ToolButton13->click();
        dialogos->mensajes.clear();
        Frm_Ppal->Grabador->Grabar1->trigger();
        QVERIFY(!Frm_Ppal->Grabador->Grabando());
        QVERIFY(!Frm_Ppal->Grabador->Grabar1->isChecked());
        QCOMPARE(dialogos->mensajes.size(), 1);
        QVERIFY(dialogos->mensajes.first().startsWith(QStringLiteral("Pare las corridas")));
    }

private:
    QTemporaryDir carpeta_;
};

QTEST_MAIN(PruebaGrabacion)
#include "grabacion_test.moc"
