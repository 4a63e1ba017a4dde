#pragma once
// The open-loop run's signal as the window names it: "Escalón", "PRBS orden 7", "Multiseno de 10 senos"...,
// for the tip of "Aplicar Escalón", the status bar and the identification's record.

#include <QString>

#include "senales/parametros.h"

/// The signal of `p`: its type's caption and, for the types that have one, the parameter that tells them apart.
QString NombreSenal(const ParametrosSenal& p);
/// The same from the dialog's texts as typed: the caption `tipo` and the parameter's text `orden` (PRBS) or
/// `componentes` (multisine); a caption that names no type is given as it is.
QString NombreSenal(const QString& tipo, const QString& orden, const QString& componentes);
/// The tip of the open-loop button: "Aplicar Escalón", then ": " and the signal when it is not the step.
QString PistaAplicarEscalon(const QString& senal);
