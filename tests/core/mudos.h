#pragma once
// Stand-ins for the slider and the messages of the simulator, for tests, benchmarks and fuzz targets that
// only drive it.

#include <cstdint>
#include <string>

#include "core/interfaces.h"

/// A slider that stays where it is put (at its initial position unless moved).
using PosicionFija = PosicionValor;

/// Messages that go nowhere.
class MensajesMudos : public Mensajes {
public:
    void Mostrar(const std::string&) override {}
    void Repetido(Corrida, const std::string&, int) override {}
    void FinRepetido(Corrida) override {}
};
