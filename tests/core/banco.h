#pragma once
// A simulator with the default texts, a slider and a message recorder, for the tests of the runs.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "tests/ayudas.h"
#include "tests/core/mudos.h"

/// Records every message; a test may run something from inside a message, as the toolkit's nested
/// event loop does while a message box is open.
class Grabadora : public Mensajes {
public:
    void Mostrar(const std::string& texto) override {
        mostrados.push_back(texto);
        if (alMostrar) {
            auto f = std::move(alMostrar);
            alMostrar = nullptr;
            f();
        }
    }
    void Repetido(Corrida, const std::string& texto, int veces) override {
        repetidos.push_back(texto + " x" + std::to_string(veces));
    }
    void FinRepetido(Corrida) override { ++fines; }

    std::vector<std::string> mostrados;
    std::vector<std::string> repetidos;
    int fines = 0;
    std::function<void()> alMostrar;  // runs once, inside the next message
};

struct Banco {
    explicit Banco(char decimal = '.', Series series = Series::Guardar)
        : textos(TextosIniciales(decimal)), sim(textos, posicion, mensajes, series) {}
    TextosMapa textos;
    PosicionFija posicion;
    Grabadora mensajes;
    Simulador sim;

    /// The step and fuzzy runs active together, the step amplitude high enough to overflow at its first tick.
    void EscalonQueDesbordaYFuzzy() {
        sim.ToolButton11Click();
        textos.Poner("Alto_Escalon", "200");
        sim.ToolButton4Click();
        sim.ToolButton10Click();
    }
};
