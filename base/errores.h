#pragma once
// The errors that end a handler. what() is the exact text that the user reads.

#include <stdexcept>
#include <string>
#include <utility>

/// What the doors of both programs catch for an event (the window's dispatch, the batch tool's run): every error
/// that may end a handler, the program's own (ErrorTanque) and the standard library's alike.
using ErrorDeManejador = std::exception;

/// Any error that ends a handler and is shown to the user as it stands.
class ErrorTanque : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    /// The name of the text whose reading failed (Kp, Reglas_3_4, ...); empty when the error is not about one.
    /// The window shows what() alone; the batch tool puts the name before it.
    const std::string& Campo() const { return campo_; }
    void PonerCampo(std::string campo) { campo_ = std::move(campo); }

private:
    std::string campo_;
};

/// Runs `f`; the message of an ErrorTanque that it throws goes to `motivo`, for a part of a result that may be
/// missing with its reason beside the rest.
template <class F>
void Intentar(F&& f, std::string& motivo) {
    try {
        f();
    } catch (const ErrorTanque& e) {
        motivo = e.what();
    }
}

/// A text that does not convert to a number.
class ErrorConversion : public ErrorTanque {
public:
    using ErrorTanque::ErrorTanque;
};

/// A division by zero, an invalid operation or an overflow in floating-point arithmetic.
class ErrorPuntoFlotante : public ErrorTanque {
public:
    using ErrorTanque::ErrorTanque;
};

/// A file that cannot be created, written or closed.
class ErrorArchivo : public ErrorTanque {
public:
    using ErrorTanque::ErrorTanque;
};

inline constexpr const char* kDivisionPorCero = "Floating point division by zero";
inline constexpr const char* kOperacionInvalida = "Invalid floating point operation";
inline constexpr const char* kDesbordamiento = "Floating point overflow";
