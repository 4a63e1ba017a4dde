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
    /// A failure whose text was shown already came again at a run's tick, the `veces`-th time since the run's
    /// button was pressed (good ticks between or not): a notice that does not wait for the user.
    virtual void Repetido(Corrida corrida, const std::string& texto, int veces) = 0;
    /// The run's button was pressed: the count starts afresh and its notice can go.
    virtual void FinRepetido(Corrida corrida) = 0;
};
