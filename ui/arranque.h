#pragma once
// Start-up: the main window first, then the four dialogs, each hidden, in a fixed order.

#include <memory>

#include "ui/dialogos.h"

/// Creates Frm_Ppal, then Frm_Parametros, Frm_Parametros_Planta, Frm_Parametros_Fuzzy and
/// Frm_Parametros_PID. `dialogos` replaces the message boxes and the save dialog (tests).
void CrearVentanas(std::unique_ptr<Dialogos> dialogos = nullptr);
/// Destroys the windows that CrearVentanas made, dialogs first.
void DestruirVentanas();
