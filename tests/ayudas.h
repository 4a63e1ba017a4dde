#pragma once
// What many tests need: the text of the error that a call throws, the bits of a number, and stand-ins for
// the slider and the messages that do nothing.

#include <bit>
#include <cstdint>
#include <string>

#include "core/interfaces.h"

/// The what() of the error of type E that f throws; "(sin error)" when it throws none.
template <typename E, typename F>
std::string TextoDelError(F&& f) {
    try {
        f();
    } catch (const E& error) {
        return error.what();
    }
    return "(sin error)";
}

inline std::uint32_t Bits(float f) { return std::bit_cast<std::uint32_t>(f); }
inline std::uint64_t Bits(double d) { return std::bit_cast<std::uint64_t>(d); }

/// A slider that stays where it is put (at its initial position 2 unless moved).
class PosicionFija : public Posicion {
public:
    std::int32_t Leer() const override { return valor; }
    std::int32_t valor = 2;
};

/// Messages that go nowhere.
class MensajesMudos : public Mensajes {
public:
    void Mostrar(const std::string&) override {}
    void Repetido(Corrida, const std::string&, int) override {}
    void FinRepetido(Corrida) override {}
};
