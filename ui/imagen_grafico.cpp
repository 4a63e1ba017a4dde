#include "ui/imagen_grafico.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSaveFile>
#include <QSvgGenerator>
#include <qcustomplot.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

std::optional<QString> NombreQt(QWidget* padre) {
    QFileDialog dialogo(padre, QStringLiteral("Guardar imagen"));
    dialogo.setOption(QFileDialog::DontUseNativeDialog, true);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setNameFilters(FiltrosImagen());
    dialogo.setDefaultSuffix(QStringLiteral("png"));
    QObject::connect(&dialogo, &QFileDialog::filterSelected, &dialogo, [&dialogo](const QString& f) {
        dialogo.setDefaultSuffix(f.section(QStringLiteral("*."), 1).chopped(1));
    });
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return std::nullopt;
    return dialogo.selectedFiles().first();
}

void MensajeQt(QWidget* padre, const QString& texto) {
    QMessageBox::warning(padre, QStringLiteral("Guardar imagen"), texto);
}

DialogosImagen& Dialogos() {
    static DialogosImagen d{NombreQt, MensajeQt};
    return d;
}

// What the picture adds to the chart on the screen, taken back when it is saved.
class Preparacion {
public:
    Preparacion(QCustomPlot* g, const TitulosImagen& t) : g_(g) {
        for (auto [eje, titulo] : {std::pair{g->xAxis, t.x}, {g->yAxis, t.y}})
            if (eje->label().isEmpty() && !titulo.isEmpty()) {
                eje->setLabel(titulo);
                titulados_.push_back(eje);
            }
        if (!g->legend->visible()) {
            // the lines without a name (a run's later stretches, helpers) stay out of the legend
            for (int i = 0; i < g->plottableCount(); ++i) {
                QCPAbstractPlottable* p = g->plottable(i);
                if (p->name().isEmpty() && p->removeFromLegend()) fuera_.push_back(p);
            }
            if (g->legend->itemCount() > 0) {
                g->legend->setVisible(true);
                leyenda_ = true;
            }
        }
        g->replot(QCustomPlot::rpImmediateRefresh);
    }
    ~Preparacion() {
        for (QCPAxis* eje : titulados_) eje->setLabel(QString());
        for (QCPAbstractPlottable* p : fuera_) p->addToLegend();
        if (leyenda_) g_->legend->setVisible(false);
        g_->replot(QCustomPlot::rpQueuedReplot);
    }
    Preparacion(const Preparacion&) = delete;
    Preparacion& operator=(const Preparacion&) = delete;

private:
    QCustomPlot* g_;
    std::vector<QCPAxis*> titulados_;
    std::vector<QCPAbstractPlottable*> fuera_;
    bool leyenda_ = false;
};

QString Fallo(const QString& nombre, const QString& causa) {
    return QStringLiteral("No se pudo guardar la imagen «%1»: %2").arg(QFileInfo(nombre).fileName(), causa);
}

}  // namespace

QStringList FiltrosImagen() {
    return {QStringLiteral("Imagen PNG (*.png)"), QStringLiteral("Imagen vectorial SVG (*.svg)"),
            QStringLiteral("Documento PDF (*.pdf)")};
}

QString GuardarImagen(QCustomPlot* g, const QString& nombre, const TitulosImagen& titulos) {
    const QString extension = QFileInfo(nombre).suffix().toLower();
    const int ancho = std::max(g->width(), 320), alto = std::max(g->height(), 200);
    Preparacion preparacion(g, titulos);
    if (extension == QLatin1String("pdf")) {
        // savePdf writes the file itself and says only whether it could
        if (!g->savePdf(nombre, ancho, alto, QCP::epNoCosmetic, QStringLiteral("tanque"), QFileInfo(nombre).baseName()))
            return Fallo(nombre, QStringLiteral("no se pudo crear el archivo"));
        return {};
    }
    QSaveFile archivo(nombre);
    if (!archivo.open(QIODevice::WriteOnly)) return Fallo(nombre, archivo.errorString());
    if (extension == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&archivo);
        svg.setSize(QSize(ancho, alto));
        svg.setViewBox(QRect(0, 0, ancho, alto));
        svg.setTitle(QFileInfo(nombre).baseName());
        svg.setDescription(QStringLiteral("tanque"));
        QCPPainter pintor;
        if (!pintor.begin(&svg)) return Fallo(nombre, QStringLiteral("no se pudo dibujar el SVG"));
        // lines and texts as vectors: no tick label cached as a pixmap
        pintor.setMode(QCPPainter::pmVectorized);
        pintor.setMode(QCPPainter::pmNoCaching);
        g->toPainter(&pintor, ancho, alto);
        pintor.end();
    } else if (!g->toPixmap(ancho, alto, 2.0).save(&archivo, "PNG")) {
        return Fallo(nombre, archivo.errorString());
    }
    if (!archivo.commit()) return Fallo(nombre, archivo.errorString());
    return {};
}

void MenuImagen(QCustomPlot* g, const TitulosImagen& titulos) {
    g->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(g, &QWidget::customContextMenuRequested, g, [g, titulos](const QPoint& donde) {
        QMenu menu(g);
        menu.setObjectName(QStringLiteral("MenuImagen"));
        QAction* guardar = menu.addAction(QStringLiteral("Guardar imagen..."));
        QObject::connect(guardar, &QAction::triggered, g, [g, titulos] {
            const std::optional<QString> nombre = Dialogos().nombre(g->window());
            if (!nombre) return;
            const QString fallo = GuardarImagen(g, *nombre, titulos);
            if (!fallo.isEmpty()) Dialogos().mensaje(g->window(), fallo);
        });
        menu.exec(g->mapToGlobal(donde));
    });
}

DialogosImagen PonerDialogosImagen(DialogosImagen d) { return std::exchange(Dialogos(), std::move(d)); }
