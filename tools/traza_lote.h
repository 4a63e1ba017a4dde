#pragma once
// What the runs and the replay of tanque-lote write alike: the trace's lines, and the check that the record is not
// one of the other outputs.

#include <string>

#include "core/controles.h"

class Simulador;

/// The trace's first line.
inline constexpr const char* kCabeceraTraza =
    "n,accion,nivel,referencia,Volumen,Error_Ant,Integral,Salida_Fuzzy_Ant,Nivel_Top,Nivel_Height\n";

/// The trace's first line; with the pump's limits on, the column of the action that the controller asked for
/// after the others (the column "accion" is the inflow the pump gave).
std::string CabeceraTraza(bool conComandada);

/// Appends to `destino` the trace's line of the sample that a tick of `c` has just made, with the commanded action
/// last when `conComandada`.
void AnadirTraza(std::string& destino, const Simulador& sim, Corrida c, bool conComandada = false);

/// True when `ruta` names the file open at `fd`: the same file of the same device.
bool MismoArchivo(const std::string& ruta, int fd);
