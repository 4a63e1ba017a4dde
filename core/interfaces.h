#pragma once
// What the simulator asks of the world besides the texts: the slider's position and the messages.

#include <cstdint>
#include <exception>
#include <string>

#include "base/aritmetica.h"
#include "core/controles.h"

/// The reference slider.
class Posicion {
public:
    virtual ~Posicion() = default;
    /// The integer position of Track_Referencia.
    virtual std::int32_t Leer() const = 0;
};

/// The slider's position when the program starts.
inline constexpr std::int32_t kPosicionInicial = 2;

/// The reference of a slider's position: its whole positions give the reference in steps of 0.5.
inline double ReferenciaDe(std::int32_t posicion) { return aDouble(posicion * 0.5L); }

/// A slider that stays where it is put: the one that a replay or a comparison moves.
class PosicionValor : public Posicion {
public:
    std::int32_t Leer() const override { return valor; }
    std::int32_t valor = kPosicionInicial;
};

/// How the user is told things.
class Mensajes {
public:
    virtual ~Mensajes() = default;
    /// Shows the text and returns when the user has dismissed it. Other ticks may run meanwhile.
    virtual void Mostrar(const std::string& texto) = 0;
    /// An error that ended a handler: the window shows its text; the batch tool names the text that failed too
    /// (ErrorTanque::Campo).
    virtual void MostrarError(const std::exception& e) { Mostrar(e.what()); }
    /// A failure whose text was shown already came again at a run's tick, the `veces`-th time since the run's
    /// button was pressed (good ticks between or not): a notice that does not wait for the user.
    virtual void Repetido(Corrida corrida, const std::string& texto, int veces) = 0;
    /// The run's button was pressed: the count starts afresh and its notice can go.
    virtual void FinRepetido(Corrida corrida) = 0;
};
