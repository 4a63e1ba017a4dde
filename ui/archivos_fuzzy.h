#pragma once
// The fuzzy controller of the dialog to and from the files of other programs (.fis, .fll, .fcl): its buttons
// "Importar..." and "Exportar...", under the sets of the control, and what they do.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QPushButton;
class QWidget;
class TFrm_Parametros_Fuzzy;

/// Writes the dialog's sets, gains and rules to `nombre` in the format of its extension. Returns "" or the
/// failure in Spanish, naming the text that does not fit.
QString ExportarFuzzy(const TFrm_Parametros_Fuzzy& dialogo, const QString& nombre);
/// Puts the controller of the file `nombre` into the dialog's edits and rule grid, with the dialog's decimal
/// separator; a gain the file lacks keeps the dialog's. Returns "" or, the dialog unchanged, the failure in
/// Spanish naming the file, its line and what does not fit.
QString ImportarFuzzy(TFrm_Parametros_Fuzzy& dialogo, const QString& nombre);

/// Connects the dialog's two buttons: each asks for a name and shows its failure.
void BotonesArchivosFuzzy(TFrm_Parametros_Fuzzy& dialogo, QPushButton* importar, QPushButton* exportar);

/// The modal windows of the buttons, which tests replace: the file's name (to write when `guardar`; nothing
/// when cancelled) and the message.
struct DialogosFuzzy {
    std::function<std::optional<QString>(QWidget*, bool guardar)> nombre;
    std::function<void(QWidget*, const QString&)> mensaje;
};
/// Puts `d` in place of Qt's file dialog and message box; returns those it replaced.
DialogosFuzzy PonerDialogosFuzzy(DialogosFuzzy d);

/// The filters of the file dialogs: the three formats, then all of them.
QStringList FiltrosFuzzy();
