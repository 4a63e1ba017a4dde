#pragma once
// Start-up: what the whole application shares, then the main window, then the five dialogs, each hidden,
// in a fixed order, each named text registered as its window is made (ui/campos_ventanas.h).

#include <memory>

#include "ui/dialogos.h"

/// Before any window: Qt's own texts in the user's language, Spanish where Qt has none for it
/// (ui/traducciones.h), and the window font for every window, menus, message boxes and tool tips included.
void PrepararAplicacion();
/// Creates Frm_Ppal, then Frm_Parametros, Frm_Parametros_Planta, Frm_Parametros_Fuzzy, Frm_Parametros_PID and
/// Frm_Senal_Excitacion. `dialogos` replaces the message boxes and the save dialog (tests).
void CrearVentanas(std::unique_ptr<Dialogos> dialogos = nullptr);
/// Destroys the windows that CrearVentanas made, dialogs first.
void DestruirVentanas();
