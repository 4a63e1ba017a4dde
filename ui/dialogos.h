#pragma once
// The modal windows that the main window opens for a message or a file name. Tests put recorders in
// their place, so that no test waits on a modal window.

#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>

class QMessageBox;
class QWidget;

class Dialogos {
public:
    virtual ~Dialogos() = default;
    /// Shows the text in a message box and returns when the user has dismissed it. The box belongs to the
    /// modal window open at the time (a dialog over `padre`), or else to `padre`.
    virtual void Mensaje(QWidget* padre, const QString& texto) = 0;
    /// Asks for the name of the export file; nothing when the user cancels.
    virtual std::optional<QString> ArchivoParaGuardar(QWidget* padre) = 0;
    /// Asks for a record file to read; nothing when the user cancels (and by default: a stand-in that does not
    /// answer it cancels).
    virtual std::optional<QString> ArchivoParaAbrir(QWidget* padre);
    /// Asks for the name of a set-up file to write; nothing when the user cancels (and by default).
    virtual std::optional<QString> ConfiguracionParaGuardar(QWidget* padre);
    /// Asks for a set-up file to read; nothing when the user cancels (and by default).
    virtual std::optional<QString> ConfiguracionParaAbrir(QWidget* padre);
};

/// The filters of the set-up files' dialogs.
inline const QStringList kFiltrosConfiguracion{QStringLiteral("Configuraciones de Tanque (*.tanque)"),
                                               QStringLiteral("Todos los archivos (*)")};

/// The filters of the save dialog, the first one shown at first.
/// CSV, MAT and HDF5 follow the text records: a name under their filter gets their extension.
inline const QStringList kFiltrosGuardar{QStringLiteral("Textos (*.txt)"), QStringLiteral("Registros (*.red)"),
                                         QStringLiteral("CSV, para hojas de cálculo y pandas (*.csv)"),
                                         QStringLiteral("MAT de Octave y MATLAB (*.mat)"),
                                         QStringLiteral("HDF5, para h5py y MATLAB (*.h5)"),
                                         QStringLiteral("Todos los archivos (*)")};

/// The real ones: a QMessageBox, one at a time; Qt's own QFileDialog (not the desktop's, so that Qt's
/// translation reaches its texts) with the filters above and the default suffix "red".
class DialogosQt : public Dialogos {
public:
    void Mensaje(QWidget* padre, const QString& texto) override;
    std::optional<QString> ArchivoParaGuardar(QWidget* padre) override;
    /// A QFileDialog for an existing file: records ("*.red", "*.txt") first, then any file.
    std::optional<QString> ArchivoParaAbrir(QWidget* padre) override;
    /// Qt's QFileDialog with the set-up filters and the default suffix "tanque"; it asks before replacing a file.
    std::optional<QString> ConfiguracionParaGuardar(QWidget* padre) override;
    std::optional<QString> ConfiguracionParaAbrir(QWidget* padre) override;

private:
    QPointer<QMessageBox> abierta_;  // the box on screen, until it is dismissed
};
