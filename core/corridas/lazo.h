#pragma once
// What the closed loops read first at each of their ticks.

#include <cstdint>

#include "core/corridas/corrida.h"
#include "core/corridas/ley.h"

/// The controller's sample time, its three gains and the reference.
struct LecturasLazo {
    double T;  ///< s
    double ganancia[3];
    double referencia;
};

/// Reads T_Sample (milliseconds, converted as a floating-point number), the run's three gains and the slider,
/// in this order before anything else happens, so that a text that does not convert changes nothing. Throws
/// ErrorConversion or ErrorPuntoFlotante, naming the text.
LecturasLazo LeerLazo(PasoDeCorrida& paso, const DefinicionCorrida& corrida, std::int32_t n);
