#pragma once
// The fuzzy controller as "Inicializar Control Fuzzy" builds it from the default texts.

#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "fuzzy/fis.h"

inline FIS ControladorPorDefecto() {
    struct : Posicion {
        std::int32_t Leer() const override { return 2; }
    } posicion;
    struct : Mensajes {
        void Mostrar(const std::string&) override {}
        void Repetido(Corrida, const std::string&, int) override {}
        void FinRepetido(Corrida) override {}
    } mensajes;
    const TextosMapa textos = TextosIniciales('.');
    Simulador sim(textos, posicion, mensajes);
    sim.ToolButton11Click();
    return sim.Controlador_Fuzzy();
}
