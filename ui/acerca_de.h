#pragma once
// "Ayuda > Acerca De": the program's name, its version and one line of what it is.

#include <QString>

class QMessageBox;
class QWidget;

/// The version of the build, from the project's version.
QString VersionPrograma();
/// The about box over `padre`, made and shown window-modal (it deletes itself when closed).
QMessageBox* MostrarAcercaDe(QWidget* padre);
