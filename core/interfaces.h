#pragma once
// What the simulator asks of the world besides the texts: the slider's position and the messages.

#include <cstdint>
#include <string>

#include "core/controles.h"

/// The reference slider.
class Posicion {
public:
    virtual ~Posicion() = default;
    /// The integer position of Track_Referencia.
    virtual std::int32_t Leer() const = 0;
};

/// How the user is told things.
class Mensajes {
public:
    virtual ~Mensajes() = default;
    /// Shows the text and returns when the user has dismissed it. Other ticks may run meanwhile.
    virtual void Mostrar(const std::string& texto) = 0;
    /// The same failure came again at a run's tick, `veces` times in a row so far: a notice that does
    /// not wait for the user.
    virtual void Repetido(Corrida corrida, const std::string& texto, int veces) = 0;
    /// The run's repeated failure has stopped; its notice can go.
    virtual void FinRepetido(Corrida corrida) = 0;
};
