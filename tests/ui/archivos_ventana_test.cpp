// The window's files in other programs' formats: "Archivo" writes CSV, MAT and HDF5 by the name's extension,
// with the description beside; the fuzzy dialog exports its controller to .fis, .fll and .fcl and imports it
// back to the same texts, names what does not fit, and keeps its layout.

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/archivos_fuzzy.h"

namespace {

DialogosPrueba* dialogos = nullptr;

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every text of the dialog that a controller file holds: the edits, then the 25 rule cells.
QStringList TextosFuzzy() {
    QStringList t;
    for (const auto& [nombre, edit] : Frm_Parametros_Fuzzy->Edits()) t << QString::fromStdString(nombre) + "=" + edit->text();
    for (int f = 1; f <= 5; ++f)
        for (int c = 1; c <= 5; ++c) t << Frm_Parametros_Fuzzy->Celda(c, f);
    return t;
}

}  // namespace

class PruebaArchivosVentana : public QObject {
    Q_OBJECT
    QTemporaryDir carpeta_;
    QString nombre_;
    QStringList mensajes_;
    DialogosFuzzy antes_;

private slots:
    void init() {
        dialogos = CrearVentanasDePrueba();
        mensajes_.clear();
        antes_ = PonerDialogosFuzzy({[this](QWidget*, bool) -> std::optional<QString> { return nombre_; },
                                     [this](QWidget*, const QString& t) { mensajes_ << t; }});
    }
    void cleanup() {
        PonerDialogosFuzzy(antes_);
        DestruirVentanas();
    }

    void archivoEscribeCadaFormatoConSuDescripcion_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QByteArray>("firma");
        QTest::newRow("csv") << QStringLiteral("v.csv") << QByteArray("# tanque, registro de identificación: periodo de muestreo Ts = 0.5 s\r\n"
                                                       "muestra,tiempo [s],accion [m^3/s],nivel [m],referencia [m]\r\n");
        QTest::newRow("mat") << QStringLiteral("v.mat") << QByteArray("MATLAB 5.0 MAT-file");
        QTest::newRow("h5") << QStringLiteral("v.h5") << QByteArray("\x89HDF\r\n\x1a\n", 8);
    }
    void archivoEscribeCadaFormatoConSuDescripcion() {
        QFETCH(QString, nombre);
        QFETCH(QByteArray, firma);
        const QString ruta = carpeta_.filePath(nombre);
        dialogos->registro = ruta;
        Simulador& s = Frm_Ppal->Nucleo();
        Frm_Ppal->ToolButton13->click();
        for (int i = 0; i < 30; ++i) s.AtenderTick(Corrida::PID);
        Frm_Ppal->ToolButton13->click();
        dialogos->mensajes.clear();  // the stop's own message
        Frm_Ppal->Archivo->click();
        QVERIFY2(dialogos->mensajes.isEmpty(), qPrintable(dialogos->mensajes.join('\n')));
        const QByteArray datos = Leer(ruta);
        QVERIFY2(datos.startsWith(firma), datos.left(80).constData());
        if (nombre.endsWith(".csv")) QCOMPARE(datos.count("\r\n"), 2 + 30);  // the comment, the header, 30 samples
        const QByteArray json = Leer(ruta + ".json");
        QVERIFY2(json.contains("\"sha256\""), json.left(200).constData());
        QVERIFY(json.contains("\"lineas\": 30"));
    }

    void losBotonesNoMuevenElDialogo() {
        TFrm_Parametros_Fuzzy* d = Frm_Parametros_Fuzzy;
        QCOMPARE(d->Regresar->pos(), QPoint(222, 461));
        for (QPushButton* b : {d->Importar, d->Exportar}) {
            QVERIFY(b->geometry().right() < d->Regresar->x());
            QVERIFY(b->y() > d->Panel3->geometry().bottom());
            QVERIFY(b->geometry().bottom() < d->height());
        }
        QCOMPARE(d->Importar->text(), QStringLiteral("Importar..."));
        QCOMPARE(d->Exportar->text(), QStringLiteral("Exportar..."));
    }

    void exportaEImportaLosMismosTextos_data() {
        QTest::addColumn<QString>("nombre");
        for (const char* n : {"c.fis", "c.fll", "c.fcl"}) QTest::newRow(n) << QString::fromLatin1(n);
    }
    void exportaEImportaLosMismosTextos() {
        QFETCH(QString, nombre);
        TFrm_Parametros_Fuzzy* d = Frm_Parametros_Fuzzy;
        const QStringList originales = TextosFuzzy();
        nombre_ = carpeta_.filePath(nombre);
        d->Exportar->click();
        QCOMPARE(mensajes_, QStringList());
        const QByteArray archivo = Leer(nombre_);
        QVERIFY(archivo.contains("tanque: KE = "));
        // other texts in the dialog, then the file's again
        d->Edits().at("E_MN_Centro")->setText("-7");
        d->Edits().at("KU")->setText("9");
        d->Reglas->PonerCelda(3, 3, "1");
        QVERIFY(TextosFuzzy() != originales);
        d->Importar->click();
        QCOMPARE(mensajes_, QStringList());
        QCOMPARE(TextosFuzzy(), originales);
    }

    void loQueNoCabeSeNombraYNadaCambia() {
        TFrm_Parametros_Fuzzy* d = Frm_Parametros_Fuzzy;
        const QStringList originales = TextosFuzzy();
        nombre_ = carpeta_.filePath("malo.fll");
        {
            std::ofstream f(nombre_.toStdString());
            f << "Engine: e\nInputVariable: a\nInputVariable: b\nInputVariable: c\n";
        }
        d->Importar->click();
        QCOMPARE(mensajes_.size(), 1);
        QVERIFY2(mensajes_[0].startsWith("No se pudo importar el controlador: malo.fll"), qPrintable(mensajes_[0]));
        QCOMPARE(TextosFuzzy(), originales);
        // a name of another format, and a width the formats cannot hold
        mensajes_.clear();
        nombre_ = carpeta_.filePath("c.txt");
        d->Exportar->click();
        QCOMPARE(mensajes_, QStringList{"No se pudo exportar el controlador: «c.txt» no es un archivo .fis, .fll ni .fcl"});
        mensajes_.clear();
        d->Edits().at("E_Ze_Ancho")->setText("-1");
        nombre_ = carpeta_.filePath("d.fis");
        d->Exportar->click();
        QCOMPARE(mensajes_.size(), 1);
        QVERIFY2(mensajes_[0].startsWith("No se pudo exportar el controlador a «d.fis»: E_Ze_Ancho: "),
                 qPrintable(mensajes_[0]));
        QVERIFY(!QFile::exists(nombre_));
    }
};

QTEST_MAIN(PruebaArchivosVentana)
#include "archivos_ventana_test.moc"
