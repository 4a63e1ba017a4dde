#include "ui/dialogos.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

// Beyond this length a message is shortened in the box; the whole text is under "Show Details".
constexpr qsizetype kLargoVisible = 600;

}  // namespace

void DialogosQt::Mensaje(QWidget* padre, const QString& texto) {
    QMessageBox caja(padre);
    caja.setWindowTitle(QApplication::applicationName());
    caja.setIcon(QMessageBox::NoIcon);
    caja.setStandardButtons(QMessageBox::Ok);
    caja.setTextFormat(Qt::PlainText);
    if (texto.size() > kLargoVisible) {
        // a text of a million characters would take the box ages to lay out
        caja.setText(texto.left(kLargoVisible / 2) + QStringLiteral(" … ") + texto.right(kLargoVisible / 4));
        caja.setDetailedText(texto);
    } else {
        caja.setText(texto);
    }
    caja.exec();
}

std::optional<QString> DialogosQt::ArchivoParaGuardar(QWidget* padre) {
    QFileDialog dialogo(padre);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setNameFilter(QStringLiteral("Textos (*.txt)"));
    // a name typed without an extension becomes a ".red" record, whatever the filter shows: records have
    // always been saved so, and the scripts that read them look for that suffix
    dialogo.setDefaultSuffix(QStringLiteral("red"));
    // an export replaces the file it is given without asking, as the program always has
    dialogo.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return std::nullopt;
    return dialogo.selectedFiles().first();
}

std::optional<QString> Dialogos::ArchivoParaAbrir(QWidget*) { return std::nullopt; }

std::optional<QString> DialogosQt::ArchivoParaAbrir(QWidget* padre) {
    QFileDialog dialogo(padre);
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    dialogo.setNameFilters({QStringLiteral("Registros (*.red *.txt)"), QStringLiteral("Todos los archivos (*)")});
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return std::nullopt;
    return dialogo.selectedFiles().first();
}
