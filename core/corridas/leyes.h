#pragma once
// The laws of the runs, one file each; the runs' table makes each simulator its own (DefinicionCorrida::ley).

#include <memory>

#include "core/corridas/ley.h"

/// The open loop: the inflow is the excitation signal (Alto_Escalon for the step), plotted before the plant step.
std::unique_ptr<LeyCorrida> LeyEscalon();
/// The PID controller (core/corridas/pid.h).
std::unique_ptr<LeyCorrida> LeyPID();
/// The fuzzy controller: Controlador_Fuzzy infers a rate of change of the action from the error and its derivative.
std::unique_ptr<LeyCorrida> LeyFuzzy();
/// The relay experiment: an on/off inflow around the slider's level, with hysteresis (core/corridas/rele.cpp).
std::unique_ptr<LeyCorrida> LeyRele();
