// The pictures of docs/formatos*.png, taken under Xvfb: the main chart's context menu, the fuzzy dialog with its
// Importar/Exportar buttons and the message of a file that does not fit; and the chart saved as SVG and PDF
// beside them (formatos-grafico.svg, .pdf), for a look at what a report gets. Not a test.
//   capturas_formatos CARPETA [SVG_DE_TANQUE_LOTE]

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>
#include <QToolButton>

#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/archivos_fuzzy.h"
#include "ui/grafico.h"
#include "ui/imagen_grafico.h"

namespace {

void Asentar() {
    for (int i = 0; i < 10; ++i) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// The screen around `w` and what pops up over it.
void Pantalla(QWidget* w, const QDir& carpeta, const char* nombre) {
    Asentar();
    const QRect r = w->window()->frameGeometry().adjusted(-4, -4, 160, 60);
    QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width(), r.height())
        .save(carpeta.filePath(QString::fromLatin1(nombre)));
}

// An SVG as Qt's renderer draws it, on white, to look at.
void SvgComoPng(const QString& svg, const QString& png) {
    QSvgRenderer r(svg);
    QImage imagen(r.defaultSize() * 2, QImage::Format_RGB32);
    imagen.fill(Qt::white);
    QPainter p(&imagen);
    r.render(&p);
    p.end();
    imagen.save(png);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDir carpeta(argc > 1 ? argv[1] : "docs");
    CrearVentanas(std::make_unique<DialogosPrueba>());
    Frm_Ppal->show();
    Frm_Ppal->move(20, 20);
    Simulador& s = Frm_Ppal->Nucleo();
    Frm_Ppal->ToolButton13->click();
    for (QTimer* t : {Frm_Ppal->Timer1, Frm_Ppal->Timer4, Frm_Ppal->Timer5}) t->stop();
    for (int k = 0; k < 120; ++k) {
        Frm_Ppal->Track_Referencia->setValue(k < 60 ? 2 : 4);
        s.AtenderTick(Corrida::PID);
    }
    Frm_Ppal->ToolButton13->click();
    Asentar();
    Grafico* g = Frm_Ppal->Chart1;
    const TitulosImagen t{QStringLiteral("Muestra"), QStringLiteral("Nivel (m) y acción de control (m³/s)")};
    GuardarImagen(g, carpeta.filePath("formatos-grafico.svg"), t);
    GuardarImagen(g, carpeta.filePath("formatos-grafico.pdf"), t);
    GuardarImagen(g, carpeta.filePath("formatos-grafico-guardado.png"), t);
    SvgComoPng(carpeta.filePath("formatos-grafico.svg"), carpeta.filePath("formatos-grafico-svg.png"));
    // the batch tool's own SVG (tanque-lote --grafico), when one is given
    if (argc > 2) SvgComoPng(QString::fromLocal8Bit(argv[2]), carpeta.filePath("formatos-grafico-lote.png"));

    // the context menu, open over the chart
    QTimer::singleShot(300, [&] {
        Pantalla(Frm_Ppal, carpeta, "formatos-menu-grafico.png");
        if (QWidget* m = QApplication::activePopupWidget()) m->close();
    });
    emit g->customContextMenuRequested(QPoint(g->width() / 2, g->height() / 2));

    // the fuzzy dialog, and the message of a file that does not fit
    Frm_Parametros_Fuzzy->show();
    Frm_Parametros_Fuzzy->move(20, 20);
    const QString malo = QDir::temp().filePath("capturas_malo.fis");
    {
        QFile f(malo);
        f.open(QIODevice::WriteOnly);
        f.write("[System]\nName='otro'\nType='mamdani'\nNumInputs=3\n");
    }
    PonerDialogosFuzzy({[&](QWidget*, bool) -> std::optional<QString> { return malo; },
                        [&](QWidget* padre, const QString& texto) {
                            QTimer::singleShot(300, [&] {
                                Pantalla(Frm_Parametros_Fuzzy, carpeta, "formatos-fuzzy-importar.png");
                                if (QWidget* m = QApplication::activeModalWidget()) m->close();
                            });
                            QMessageBox::warning(padre, QStringLiteral("Controlador fuzzy"), texto);
                        }});
    Frm_Parametros_Fuzzy->Importar->click();
    DestruirVentanas();
    return 0;
}
