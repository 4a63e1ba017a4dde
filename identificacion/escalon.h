#pragma once
// The classical reading of a step response, the first one students learn: the gain from the final value
// (change of level over change of action) and the time constant where the level has made 63.2 % of its
// change, interpolated between samples.

#include <cstddef>

#include "identificacion/modelo.h"
#include "identificacion/registro.h"

struct IdentificacionEscalon : Identificacion {
    std::size_t inicio = 0;     ///< place of the first sample with the new action (0 for a step from rest)
    bool desde_reposo = false;  ///< the action never changes: a step from an empty tank at the record's start
    double accion_antes = 0, accion_despues = 0;
    double nivel_antes = 0;  ///< the level when the new action starts to flow
    double nivel_final = 0;  ///< the mean of the last twentieth of the samples after the step (at least one)
};

/// The fraction of the change at which the time constant is read: 1 - e^-1 = 0.632...
inline constexpr double kFraccionTau = 0.63212055882855767;

/// Reads a step record: an action constant before and after one change, or constant throughout and non-zero
/// (a step from an empty tank at the start, the open-loop step run). The time of sample k after a change at
/// sample j is (k - j + 1 - retardo) T. K and Tau as read; a = e^(-T / Tau), b = K (1 - a); no standard errors.
/// Throws ErrorIdentificacion: no step, more than one change, a step with no sample after it, a level that
/// does not change, or has not settled (the record must last five time constants after the step).
IdentificacionEscalon LeerEscalon(const Registro& r, int retardo = kRetardoLazoAbierto);
