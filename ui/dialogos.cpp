#include "ui/dialogos.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "core/descripcion.h"
#include "export/par.h"
#include "ui/carpeta_reciente.h"
#include "ui/columnas_archivos.h"
#include "ui/estilo.h"

namespace {

// Beyond this length a message is shortened in the box; the whole text is under "Mostrar los detalles".
constexpr qsizetype kLargoVisible = 600;

}  // namespace

void DialogosQt::Mensaje(QWidget* padre, const QString& texto) {
    // A box shows while the ticks go on, and a tick may bring the next message (two runs that overflow
    // together): it waits until the box on screen is dismissed, then shows its own. The wait is a loop of
    // its own, nested in the first box's, so it ends at the dismissal, before the first call can return.
    while (abierta_) {
        QEventLoop espera;
        QObject::connect(abierta_, &QDialog::finished, &espera, &QEventLoop::quit);
        QObject::connect(abierta_, &QObject::destroyed, &espera, &QEventLoop::quit);  // gone with its owner
        espera.exec();
    }
    // over the dialog that is open, if one is, rather than behind it or over the main window
    QWidget* dueno = QApplication::activeModalWidget();
    QMessageBox caja(dueno ? dueno : padre);
    caja.setWindowFlags(kMarcoModal);
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
    abierta_ = &caja;
    // connected before any waiting call connects its loop, so the box is no longer the open one when they
    // go on
    QObject::connect(&caja, &QDialog::finished, &caja, [this] { abierta_ = nullptr; });
    caja.exec();
}

std::optional<QString> DialogosQt::ArchivoParaGuardar(QWidget* padre) {
    QFileDialog dialogo(padre);
    dialogo.setWindowFlags(kMarcoModal);
    dialogo.setOption(QFileDialog::DontUseNativeDialog, true);
    ColumnasEnEspanolEn(dialogo);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setNameFilters(kFiltrosGuardar);
    // a name typed without an extension becomes a ".red" record, whatever the filter shows: records have
    // always been saved so, and the scripts that read them look for that suffix; the second filter shows them
    dialogo.setDefaultSuffix(QStringLiteral("red"));
    // ... except under the filter of another format, whose extension it takes
    QObject::connect(&dialogo, &QFileDialog::filterSelected, &dialogo, [&dialogo](const QString& filtro) {
        for (const char* e : {"csv", "mat", "h5"})
            if (filtro.endsWith(QStringLiteral("(*.%1)").arg(QLatin1String(e)))) {
                dialogo.setDefaultSuffix(QLatin1String(e));
                return;
            }
        dialogo.setDefaultSuffix(QStringLiteral("red"));
    });
    // Qt would ask for the record only: the question below names its description too, which the user never typed
    dialogo.setOption(QFileDialog::DontConfirmOverwrite, true);
    for (;;) {
        const std::optional<QString> elegido = EjecutarEnCarpetaReciente(dialogo);
        if (!elegido) return std::nullopt;
        const QString nombre = *elegido;
        const std::string registro = nombre.toStdString();
        const std::optional<std::string> pregunta = PreguntaReemplazo(registro, NombreDescripcion(registro));
        if (!pregunta) return nombre;
        QMessageBox caja(QMessageBox::Question, QApplication::applicationName(), QString::fromStdString(*pregunta),
                         QMessageBox::Yes | QMessageBox::No, &dialogo);
        caja.setWindowFlags(kMarcoModal);
        caja.setDefaultButton(QMessageBox::No);
        caja.button(QMessageBox::Yes)->setText(QStringLiteral("Sí"));
        caja.button(QMessageBox::No)->setText(QStringLiteral("No"));
        if (caja.exec() == QMessageBox::Yes) return nombre;
        // "No": the dialog again, to choose another name
    }
}

std::optional<QString> Dialogos::ArchivoParaAbrir(QWidget*) { return std::nullopt; }
std::optional<QString> Dialogos::ConfiguracionParaGuardar(QWidget*) { return std::nullopt; }
std::optional<QString> Dialogos::ConfiguracionParaAbrir(QWidget*) { return std::nullopt; }

std::optional<QString> DialogosQt::ArchivoParaAbrir(QWidget* padre) {
    QFileDialog dialogo(padre);
    dialogo.setWindowTitle(QStringLiteral("Validar con un registro"));
    ColumnasEnEspanolEn(dialogo);
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    dialogo.setNameFilters({QStringLiteral("Registros (*.red *.txt)"), QStringLiteral("Todos los archivos (*)")});
    return EjecutarEnCarpetaReciente(dialogo);
}

namespace {

std::optional<QString> DialogoConfiguracion(QWidget* padre, bool guardar) {
    QFileDialog dialogo(padre);
    dialogo.setWindowFlags(kMarcoModal);
    // Qt's own dialog, so that its texts come in Spanish with the rest
    dialogo.setOption(QFileDialog::DontUseNativeDialog, true);
    ColumnasEnEspanolEn(dialogo);
    dialogo.setWindowTitle(guardar ? QStringLiteral("Guardar Configuración") : QStringLiteral("Abrir Configuración"));
    dialogo.setAcceptMode(guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogo.setFileMode(guardar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialogo.setNameFilters(kFiltrosConfiguracion);
    dialogo.setDefaultSuffix(QStringLiteral("tanque"));
    return EjecutarEnCarpetaReciente(dialogo);
}

}  // namespace

std::optional<QString> DialogosQt::ConfiguracionParaGuardar(QWidget* padre) {
    return DialogoConfiguracion(padre, true);
}

std::optional<QString> DialogosQt::ConfiguracionParaAbrir(QWidget* padre) { return DialogoConfiguracion(padre, false); }
