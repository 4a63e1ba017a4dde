// The real message boxes and save dialog: in Spanish under any locale that Qt has no texts for, over the
// dialog that is open, one box at a time, and the save dialog with its filters and whole columns. Run
// twice by ctest, under LANG=es_ES.UTF-8 and under LANG=C.

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>
#include <QtTest>

#include <functional>

#include "ui/Parametros_PID.h"
#include "ui/arranque.h"
#include "ui/carpeta_reciente.h"
#include "ui/dialogos.h"
#include "ui/estilo.h"
#include "ui/traducciones.h"

namespace {

QList<QMessageBox*> CajasVisibles() {
    QList<QMessageBox*> cajas;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* c = qobject_cast<QMessageBox*>(w); c && c->isVisible()) cajas << c;
    return cajas;
}

QString SinAceleradores(QString t) { return t.remove(QLatin1Char('&')); }

// Runs `mientras` on the modal window that the next call opens, once it shows, then rejects it.
void AlAbrirseModal(std::function<void(QWidget*)> mientras) {
    auto* reloj = new QTimer;
    reloj->setInterval(5);
    QObject::connect(reloj, &QTimer::timeout, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        reloj->stop();
        reloj->deleteLater();
        mientras(modal);
        if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
    });
    reloj->start();
}

bool SinMinimizarNiMaximizar(const QWidget* w) {
    const Qt::WindowFlags f = w->windowFlags();
    return f.testFlag(Qt::CustomizeWindowHint) && f.testFlag(Qt::WindowCloseButtonHint) &&
           !f.testFlag(Qt::WindowMinimizeButtonHint) && !f.testFlag(Qt::WindowMaximizeButtonHint);
}

}  // namespace

class PruebaMensajes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QApplication::setApplicationName(QStringLiteral("tanque"));
        PrepararAplicacion();
    }

    void elTraductorEstaInstalado() {
        // Qt's own texts come out in Spanish under es_ES and under C alike
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Save"), QStringLiteral("Guardar"));
        QCOMPARE(QCoreApplication::translate("QMessageBox", "Show Details..."),
                 QStringLiteral("Mostrar los detalles..."));
        QCOMPARE(QApplication::font().pixelSize(), FuenteVentana().pixelSize());
        QCOMPARE(QApplication::font().family(), FuenteVentana().family());
    }

    void idiomaDelUsuarioOEspanol_data() {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("catalogo");
        QTest::newRow("español de España") << "es_ES"
                                           << "qtbase_es.qm";
        QTest::newRow("español de México") << "es_MX"
                                           << "qtbase_es.qm";
        QTest::newRow("alemán: el suyo") << "de_DE"
                                         << "qtbase_de.qm";
        QTest::newRow("francés: el suyo") << "fr_FR"
                                          << "qtbase_fr.qm";
        QTest::newRow("C: español") << "C"
                                    << "qtbase_es.qm";
        QTest::newRow("suajili, sin catálogo: español") << "sw_KE"
                                                        << "qtbase_es.qm";
        QTest::newRow("portugués de Portugal, sin catálogo: español") << "pt_PT"
                                                                      << "qtbase_es.qm";
    }
    void idiomaDelUsuarioOEspanol() {
        QFETCH(QString, local);
        QFETCH(QString, catalogo);
        QTranslator t;
        QVERIFY(CargarTraduccionQt(t, QLocale(local)));
        QCOMPARE(QFileInfo(t.filePath()).fileName(), catalogo);
        QCOMPARE(QFileInfo(t.filePath()).absolutePath(),
                 QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).absolutePath());
    }

    void lasClasesDeArchivoTambien() {
        // Qt 6 asks for the kinds of file under a context that the Spanish catalogue does not have yet
        TraductorQt t;
        QVERIFY(CargarTraduccionQt(t, QLocale(QLocale::Spanish, QLocale::Spain)));
        QCOMPARE(t.translate("QAbstractFileIconProvider", "Folder", "All other platforms"), QStringLiteral("Carpeta"));
        QCOMPARE(t.translate("QAbstractFileIconProvider", "%1 File"), QStringLiteral("Archivo %1"));
        QCOMPARE(t.translate("QFileDialog", "Look in:"), QStringLiteral("Ver en:"));
        QCOMPARE(t.translate("QAbstractFileIconProvider", "no es un texto de Qt"), QString());
        QCOMPARE(t.translate("OtroContexto", "Folder"), QString());
    }

    void elDialogoDeGuardar() {
        // a folder with a record, a text and a name long enough to need the columns' width
        QTemporaryDir carpeta;
        QVERIFY(carpeta.isValid());
        for (const char* nombre : {"registro.red", "registro.txt", "otro.dat"}) {
            QFile f(carpeta.filePath(QString::fromLatin1(nombre)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("0\r\n");
        }
        QVERIFY(QDir(carpeta.path()).mkdir(QStringLiteral("registros")));
        const QString antes = QDir::currentPath();
        QDir::setCurrent(carpeta.path());
        DialogosQt dialogos;
        bool visto = false;
        AlAbrirseModal([&](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            QVERIFY(d);
            visto = true;
            // Qt's own dialog, whose texts the translation reaches
            QVERIFY(d->testOption(QFileDialog::DontUseNativeDialog));
            QCOMPARE(d->windowTitle(), QStringLiteral("Guardar como"));
            auto* botones = d->findChild<QDialogButtonBox*>();
            QVERIFY(botones);
            QPushButton* aceptar = qobject_cast<QPushButton*>(botones->buttons().value(0));
            for (QAbstractButton* b : botones->buttons())
                if (botones->buttonRole(b) == QDialogButtonBox::AcceptRole) aceptar = qobject_cast<QPushButton*>(b);
            QVERIFY(aceptar);
            QCOMPARE(SinAceleradores(aceptar->text()), QStringLiteral("Guardar"));
            QCOMPARE(SinAceleradores(botones->button(QDialogButtonBox::Cancel)->text()), QStringLiteral("Cancelar"));
            // the filters, the first one selected; a name without extension still becomes a record
            QCOMPARE(d->nameFilters(),
                     QStringList({"Textos (*.txt)", "Registros (*.red)", "CSV, para hojas de cálculo y pandas (*.csv)",
                                  "MAT de Octave y MATLAB (*.mat)", "HDF5, para h5py y MATLAB (*.h5)",
                                  "Todos los archivos (*)"}));
            QCOMPARE(d->selectedNameFilter(), QStringLiteral("Textos (*.txt)"));
            QCOMPARE(d->defaultSuffix(), QStringLiteral("red"));
            // the other formats' filters give their extension to a bare name, the text ones ".red" again
            for (const auto& [filtro, sufijo] : {std::pair{2, "csv"}, {3, "mat"}, {4, "h5"}, {0, "red"}, {5, "red"}}) {
                d->selectNameFilter(kFiltrosGuardar[filtro]);
                emit d->filterSelected(kFiltrosGuardar[filtro]);
                QCOMPARE(d->defaultSuffix(), QString::fromLatin1(sufijo));
            }
            d->selectNameFilter(kFiltrosGuardar[0]);
            QVERIFY(d->testOption(QFileDialog::DontConfirmOverwrite));
            QVERIFY(SinMinimizarNiMaximizar(d));
            // every column at least as wide as its title and its contents
            auto* vista = d->findChild<QTreeView*>(QStringLiteral("treeView"));
            QVERIFY(vista);
            // the folder first, then the files that the filter lets through
            auto fila = [vista](int f, int c = 0) {
                return vista->model()->index(f, c, vista->rootIndex()).data().toString();
            };
            QTRY_COMPARE_WITH_TIMEOUT(fila(1), QStringLiteral("registro.txt"), 5000);
            QCOMPARE(vista->model()->rowCount(vista->rootIndex()), 2);
            QCOMPARE(fila(0), QStringLiteral("registros"));
            QCOMPARE(fila(0, 2), QStringLiteral("Carpeta"));
            QHeaderView* cabecera = vista->header();
            QApplication::processEvents();
            for (int c = 0; c < cabecera->count(); ++c) {
                if (cabecera->isSectionHidden(c)) continue;
                const QString titulo = vista->model()->headerData(c, Qt::Horizontal).toString();
                const int ancho = cabecera->sectionSize(c);
                QVERIFY2(ancho >= cabecera->fontMetrics().horizontalAdvance(titulo) + 8,
                         qPrintable(QStringLiteral("'%1' %2 pixels").arg(titulo).arg(ancho)));
                const QAbstractItemView* v = vista;  // its size hint is public there
                QVERIFY2(c == 0 || ancho >= v->sizeHintForColumn(c),
                         qPrintable(QStringLiteral("'%1' cuts its contents").arg(titulo)));
            }
            // the record shows under the second filter
            d->selectNameFilter(kFiltrosGuardar[1]);
            QTRY_COMPARE_WITH_TIMEOUT(fila(1), QStringLiteral("registro.red"), 5000);
            QCOMPARE(vista->model()->rowCount(vista->rootIndex()), 2);
            d->selectNameFilter(kFiltrosGuardar.last());
            QTRY_COMPARE_WITH_TIMEOUT(vista->model()->rowCount(vista->rootIndex()), 4, 5000);
        });
        QCOMPARE(dialogos.ArchivoParaGuardar(nullptr), std::nullopt);
        QDir::setCurrent(antes);
        QVERIFY(visto);
    }

    // Every file dialog writes the size, kind and date of a file the Spanish way, under LANG=C too, where Qt
    // would write "2.55 KiB", "plain text document" and "9 Dec 2026 02:25:59".
    void lasColumnasDeLosDialogosEnEspanol() {
        QTemporaryDir carpeta;
        QVERIFY(carpeta.isValid());
        const QDateTime cuando(QDate(2026, 12, 9), QTime(2, 25, 59));
        for (const char* nombre : {"registro.txt", "ensayo.tanque"}) {
            QFile f(carpeta.filePath(QString::fromLatin1(nombre)));
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.write(QByteArray(2610, 'a') + "\n");  // 2611 bytes of plain text
            QVERIFY(f.flush());  // written before its time is set, which a later write would move
            QVERIFY(f.setFileTime(cuando, QFileDevice::FileModificationTime));
        }
        QVERIFY(QDir(carpeta.path()).mkdir(QStringLiteral("registros")));
        // the dialogs open in the folder used last (Qt's own memory of it would take the last test's)
        QStandardPaths::setTestModeEnabled(true);
        RecordarCarpeta(carpeta.filePath(QStringLiteral("registro.txt")));
        DialogosQt dialogos;
        const std::function<std::optional<QString>()> abrir[] = {
            [&] { return dialogos.ArchivoParaGuardar(nullptr); },
            [&] { return dialogos.ArchivoParaAbrir(nullptr); },
            [&] { return dialogos.ConfiguracionParaAbrir(nullptr); },
            [&] { return dialogos.ConfiguracionParaGuardar(nullptr); },
        };
        int vistos = 0;
        for (const auto& dialogo : abrir) {
            AlAbrirseModal([&](QWidget* w) {
                auto* d = qobject_cast<QFileDialog*>(w);
                QVERIFY(d);
                QVERIFY(d->testOption(QFileDialog::DontUseNativeDialog));
                auto* vista = d->findChild<QTreeView*>(QStringLiteral("treeView"));
                QVERIFY(vista);
                auto celda = [vista](int f, int c) {
                    return vista->model()->index(f, c, vista->rootIndex()).data().toString();
                };
                QTRY_COMPARE_WITH_TIMEOUT(vista->model()->rowCount(vista->rootIndex()), 2, 5000);
                QCOMPARE(celda(0, 0), QStringLiteral("registros"));
                QCOMPARE(celda(0, 2), QStringLiteral("Carpeta"));
                QCOMPARE(celda(0, 3), QLocale(QLocale::Spanish, QLocale::Spain)
                                          .toString(QFileInfo(carpeta.filePath("registros")).lastModified(),
                                                    QLocale::ShortFormat));
                QCOMPARE(celda(1, 1), QStringLiteral("2,55 KiB"));
                QCOMPARE(celda(1, 2), QStringLiteral("documento de texto sencillo"));
                QCOMPARE(celda(1, 3), QStringLiteral("9/12/26 2:25"));
                // the titles too
                QCOMPARE(vista->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Tamaño"));
                QCOMPARE(vista->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Tipo"));
                // each column as wide as what it shows
                QApplication::processEvents();
                for (int c = 1; c < vista->header()->count(); ++c) {
                    if (vista->header()->isSectionHidden(c)) continue;
                    const QAbstractItemView* v = vista;
                    QVERIFY2(vista->header()->sectionSize(c) >= v->sizeHintForColumn(c), qPrintable(celda(1, c)));
                }
                ++vistos;
            });
            QCOMPARE(dialogo(), std::nullopt);
        }
        QCOMPARE(vistos, 4);
    }

    void laCajaEnEspanolYConLaFuenteDelPrograma() {
        DialogosQt dialogos;
        bool visto = false;
        AlAbrirseModal([&](QWidget* w) {
            auto* caja = qobject_cast<QMessageBox*>(w);
            QVERIFY(caja);
            visto = true;
            QCOMPARE(caja->buttons().size(), 2);  // "Aceptar" and the details' button
            QCOMPARE(SinAceleradores(caja->button(QMessageBox::Ok)->text()), QStringLiteral("Aceptar"));
            QAbstractButton* detalles = nullptr;
            for (QAbstractButton* b : caja->buttons())
                if (caja->buttonRole(b) == QMessageBox::ActionRole) detalles = b;
            QVERIFY(detalles);
            QCOMPARE(detalles->text(), QStringLiteral("Mostrar los detalles..."));
            QCOMPARE(caja->font().pixelSize(), 11);
            QCOMPARE(caja->font().family(), FuenteVentana().family());
            QVERIFY(SinMinimizarNiMaximizar(caja));
        });
        dialogos.Mensaje(nullptr, QString(700, QLatin1Char('x')));
        QVERIFY(visto);
    }

    void laCajaPerteneceAlDialogoAbierto() {
        QWidget principal;
        principal.show();
        TFrm_Parametros_PID dialogo;
        QVERIFY(SinMinimizarNiMaximizar(&dialogo));
        DialogosQt dialogos;
        QWidget* padreDeLaCaja = nullptr;
        bool visto = false;
        // the dialog opens; a tick brings a message for the main window
        QTimer::singleShot(0, &dialogo, [&] {
            AlAbrirseModal([&](QWidget* w) {
                visto = qobject_cast<QMessageBox*>(w) != nullptr;
                padreDeLaCaja = w->parentWidget();
            });
            dialogos.Mensaje(&principal, QStringLiteral("El Nivel del Tanque ha Superado el Máximo Permitido"));
            dialogo.close();
        });
        dialogo.exec();
        QVERIFY(visto);
        QCOMPARE(padreDeLaCaja, &dialogo);
        // with no dialog open, it belongs to the window it is given
        AlAbrirseModal([&](QWidget* w) { padreDeLaCaja = w->parentWidget(); });
        dialogos.Mensaje(&principal, QStringLiteral("El Ciclo de lectura se ha parado"));
        QCOMPARE(padreDeLaCaja, &principal);
    }

    void unaCajaALaVez() {
        // Two runs overflow in the same moment: the second run's tick comes while the first box shows. Its
        // box waits until the first is dismissed, and its call returns when its own is.
        DialogosQt dialogos;
        QStringList vistas, terminadas;
        int masVisibles = 0;
        bool llegoLaSegunda = false;
        QTimer usuario;  // looks at the screen every few milliseconds and dismisses what it sees
        usuario.setInterval(5);
        connect(&usuario, &QTimer::timeout, [&] {
            const QList<QMessageBox*> cajas = CajasVisibles();
            masVisibles = std::max(masVisibles, static_cast<int>(cajas.size()));
            if (!llegoLaSegunda || cajas.isEmpty()) return;
            // the box in front: the one shown last, when (wrongly) there are two
            auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!caja) return;
            vistas << caja->text();
            caja->button(QMessageBox::Ok)->click();
        });
        QTimer::singleShot(0, [&] {
            llegoLaSegunda = true;
            dialogos.Mensaje(nullptr, QStringLiteral("segunda"));
            terminadas << QStringLiteral("segunda");
        });
        usuario.start();
        dialogos.Mensaje(nullptr, QStringLiteral("primera"));
        terminadas << QStringLiteral("primera");
        // a third message after both: shown at once
        dialogos.Mensaje(nullptr, QStringLiteral("tercera"));
        terminadas << QStringLiteral("tercera");
        usuario.stop();
        QCOMPARE(masVisibles, 1);
        QCOMPARE(vistas, QStringList({"primera", "segunda", "tercera"}));
        QCOMPARE(terminadas, QStringList({"segunda", "primera", "tercera"}));
    }
};

QTEST_MAIN(PruebaMensajes)
#include "mensajes_test.moc"
