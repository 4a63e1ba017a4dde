#pragma once
// The folder that the file dialogs open in: the one where the user last saved or opened a file, kept in the
// settings from one session to the next.

#include <QString>

#include <optional>

class QFileDialog;

/// The folder last used; empty before any (the dialog then opens in the working directory, as it always did).
QString CarpetaReciente();
/// Keeps the folder of `archivo` as the last used.
void RecordarCarpeta(const QString& archivo);
/// Opens `dialogo` in the folder last used, runs it and, once accepted, keeps the folder of its first file.
/// Returns that file, or nothing when cancelled.
std::optional<QString> EjecutarEnCarpetaReciente(QFileDialog& dialogo);
