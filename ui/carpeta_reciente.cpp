#include "ui/carpeta_reciente.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kClave = QStringLiteral("dialogos/carpeta");

QSettings Ajustes() { return QSettings(QStringLiteral("tanque"), QStringLiteral("tanque")); }

}  // namespace

QString CarpetaReciente() {
    const QString carpeta = Ajustes().value(kClave).toString();
    // a folder removed since opens the working directory again
    return !carpeta.isEmpty() && QDir(carpeta).exists() ? carpeta : QString();
}

void RecordarCarpeta(const QString& archivo) {
    if (archivo.isEmpty()) return;
    QSettings ajustes = Ajustes();
    // a folder chosen as such (the dialog's answer when a name was not typed) is itself the folder
    const QFileInfo f(archivo);
    ajustes.setValue(kClave, f.isDir() ? f.absoluteFilePath() : f.absolutePath());
}

std::optional<QString> EjecutarEnCarpetaReciente(QFileDialog& dialogo) {
    if (const QString carpeta = CarpetaReciente(); !carpeta.isEmpty()) dialogo.setDirectory(carpeta);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return std::nullopt;
    const QString archivo = dialogo.selectedFiles().first();
    RecordarCarpeta(archivo);
    return archivo;
}
