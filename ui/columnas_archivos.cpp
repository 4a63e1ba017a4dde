#include "ui/columnas_archivos.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QMimeDatabase>
#include <QTreeView>

namespace {

// QFileSystemModel's columns
constexpr int kTamano = 1;
constexpr int kClase = 2;
constexpr int kFecha = 3;

}  // namespace

QString ColumnasEnEspanol::Clase(const QString& ruta) const {
    if (const auto c = clases_.constFind(ruta); c != clases_.constEnd()) return *c;
    // the database picks the description's language from the default locale: Spanish for this one call only
    // (nothing runs in between on this thread, so no other text sees it)
    const QLocale antes;
    QLocale::setDefault(espanol_);
    const QMimeType tipo = QMimeDatabase().mimeTypeForFile(ruta);
    const QString clase = tipo.comment().isEmpty() ? tipo.name() : tipo.comment();
    QLocale::setDefault(antes);
    clases_.insert(ruta, clase);
    return clase;
}

QVariant ColumnasEnEspanol::data(const QModelIndex& indice, int rol) const {
    const auto* modelo = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (rol != Qt::DisplayRole || !modelo || indice.column() < kTamano || indice.column() > kFecha)
        return QIdentityProxyModel::data(indice, rol);
    const QModelIndex fuente = mapToSource(indice);
    // a folder has no size, and its kind ("Carpeta") comes from Qt's catalogue
    if (modelo->isDir(fuente) && indice.column() != kFecha) return QIdentityProxyModel::data(indice, rol);
    switch (indice.column()) {
        case kTamano: return espanol_.formattedDataSize(modelo->size(fuente));
        case kClase: return Clase(modelo->filePath(fuente));
        default: return espanol_.toString(modelo->lastModified(fuente), QLocale::ShortFormat);
    }
}

void ColumnasEnEspanolEn(QFileDialog& dialogo) {
    dialogo.setOption(QFileDialog::DontUseNativeDialog, true);
    dialogo.setProxyModel(new ColumnasEnEspanol(&dialogo));
    // the detail view's columns as wide as their titles and contents (the Spanish titles are longer than
    // the widths Qt gives them); the name takes the rest
    if (auto* vista = dialogo.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* cabecera = vista->header();
        cabecera->setStretchLastSection(false);
        cabecera->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int c = 1; c < cabecera->count(); ++c) cabecera->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
}
