// The charts saved as pictures: PNG, SVG and PDF files that their readers accept (the PNG and PDF signatures,
// the SVG parsed as XML), with the axis titles and the legend in the SVG's text, the chart on the screen
// unchanged; and the context menu that saves them, which a drag with the right button does not open.

#include <QtTest>
#include <QTemporaryDir>
#include <QMenu>
#include <QTimer>
#include <QXmlStreamReader>
#include <cmath>
#include <memory>

#include "core/serie.h"
#include "ui/grafico.h"
#include "ui/imagen_grafico.h"

namespace {

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The texts of an SVG's <text> elements, joined; empty with an error when it is not well-formed XML.
QString TextosSvg(const QByteArray& svg, QString& error) {
    QXmlStreamReader x(svg);
    QString textos;
    bool raiz = false;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && !raiz) raiz = x.name() == QLatin1String("svg");
        if (x.isStartElement() && x.name() == QLatin1String("text")) textos += x.readElementText() + QLatin1Char('|');
    }
    if (x.hasError()) error = x.errorString();
    if (!raiz) error += QStringLiteral(" (no <svg> root)");
    return textos;
}

void Enviar(QWidget* w, QEvent::Type tipo, QPoint p) {
    QMouseEvent e(tipo, p, w->mapToGlobal(p), tipo == QEvent::MouseMove ? Qt::NoButton : Qt::RightButton,
                  tipo == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

}  // namespace

class PruebaImagenes : public QObject {
    Q_OBJECT
    std::unique_ptr<Serie[]> series_;
    std::unique_ptr<Grafico> g_;

private slots:
    void init() {
        series_.reset(new Serie[3]);
        for (int n = 0; n < 200; ++n) {
            series_[0].Agregar(n, 2.5 + std::sin(n * 0.05));
            series_[1].Agregar(n, 1 + std::cos(n * 0.03));
            series_[2].Agregar(n, 3);
        }
        g_ = std::make_unique<Grafico>(nullptr);
        g_->resize(500, 320);
        g_->Series(&series_[0], &series_[1], &series_[2]);
        g_->show();
        g_->Actualizar();
    }
    void cleanup() { g_.reset(); }

    void losTresFormatosConTitulosYLeyenda_data() {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QByteArray>("firma");
        QTest::newRow("png") << QStringLiteral("png") << QByteArray("\x89PNG\r\n\x1a\n", 8);
        QTest::newRow("svg") << QStringLiteral("svg") << QByteArray("<?xml");
        QTest::newRow("pdf") << QStringLiteral("pdf") << QByteArray("%PDF-");
        QTest::newRow("otra") << QStringLiteral("imagen") << QByteArray("\x89PNG\r\n\x1a\n", 8);
    }
    void losTresFormatosConTitulosYLeyenda() {
        QFETCH(QString, extension);
        QFETCH(QByteArray, firma);
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("grafico.") + extension);
        const TitulosImagen titulos{QStringLiteral("Muestra"), QStringLiteral("Nivel (m)")};
        QCOMPARE(GuardarImagen(g_.get(), ruta, titulos), QString());
        const QByteArray datos = Leer(ruta);
        QVERIFY2(datos.startsWith(firma), datos.left(16).toHex().constData());
        if (extension == QLatin1String("svg")) {
            QString error;
            const QString textos = TextosSvg(datos, error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            for (const char* t : {"Muestra", "Nivel (m)", "Nivel", "Acción de control", "Referencia",
                                  "Señales en el Tiempo"})
                QVERIFY2(textos.contains(QString::fromUtf8(t)), qPrintable(QString::fromUtf8(t) + " in " + textos));
        }
        if (extension == QLatin1String("png")) {
            QImage imagen;
            QVERIFY(imagen.loadFromData(datos, "PNG"));
            QCOMPARE(imagen.size(), QSize(1000, 640));  // twice the chart's size, for print
        }
        // the chart on the screen as it was: no axis titles, no legend
        QVERIFY(g_->xAxis->label().isEmpty());
        QVERIFY(g_->yAxis->label().isEmpty());
        QVERIFY(!g_->legend->visible());
        QCOMPARE(g_->legend->itemCount(), 3);  // its three lines, none added
    }

    void unaCarpetaQueNoExisteLoDice() {
        const QString fallo =
            GuardarImagen(g_.get(), QStringLiteral("/no/existe/grafico.svg"), {QStringLiteral("x"), QStringLiteral("y")});
        QVERIFY2(fallo.startsWith(QStringLiteral("No se pudo guardar la imagen «grafico.svg»: ")), qPrintable(fallo));
        QCOMPARE(GuardarImagen(g_.get(), QStringLiteral("/no/existe/g.pdf"), {}),
                 QStringLiteral("No se pudo guardar la imagen «g.pdf»: no se pudo crear el archivo"));
    }

    void elMenuGuardaYUnArrastreNoLoAbre() {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("menu.pdf"));
        int pedidos = 0;
        QStringList mensajes;
        const DialogosImagen antes = PonerDialogosImagen(
            {[&](QWidget*) -> std::optional<QString> {
                 ++pedidos;
                 return ruta;
             },
             [&](QWidget*, const QString& t) { mensajes << t; }});
        QStringList entradas;
        bool abierto = false;
        // the menu is modal while it is open: read it and take its entry from inside
        auto alAbrirse = [&] {
            QTimer::singleShot(50, [&] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                if (!menu) return;
                abierto = true;
                for (QAction* a : menu->actions()) entradas << a->text();
                menu->actions().value(0)->trigger();
                menu->close();
            });
        };
        // a drag pans the view: no menu
        alAbrirse();
        Enviar(g_.get(), QEvent::MouseButtonPress, QPoint(200, 150));
        Enviar(g_.get(), QEvent::MouseMove, QPoint(240, 150));
        Enviar(g_.get(), QEvent::MouseButtonRelease, QPoint(240, 150));
        QTest::qWait(150);
        QVERIFY(!abierto);
        // a click: the menu, whose entry saves
        alAbrirse();
        Enviar(g_.get(), QEvent::MouseButtonPress, QPoint(200, 150));
        Enviar(g_.get(), QEvent::MouseButtonRelease, QPoint(201, 150));
        QTRY_VERIFY(abierto);
        QCOMPARE(entradas, QStringList{QStringLiteral("Guardar imagen...")});
        QCOMPARE(pedidos, 1);
        QVERIFY(Leer(ruta).startsWith("%PDF-"));
        QVERIFY(mensajes.isEmpty());
        PonerDialogosImagen(antes);
    }

    void losFiltrosDelDialogo() {
        QCOMPARE(FiltrosImagen(), QStringList({"Imagen PNG (*.png)", "Imagen vectorial SVG (*.svg)",
                                               "Documento PDF (*.pdf)"}));
    }
};

QTEST_MAIN(PruebaImagenes)
#include "imagenes_test.moc"
