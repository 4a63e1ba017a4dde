#pragma once
// The fuzzy controller as "Inicializar Control Fuzzy" builds it from the default texts.

#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "fuzzy/fis.h"
#include "tests/core/mudos.h"

inline FIS ControladorPorDefecto() {
    PosicionFija posicion;
    MensajesMudos mensajes;
    const TextosMapa textos = TextosIniciales('.');
    Simulador sim(textos, posicion, mensajes);
    sim.ToolButton11Click();
    return sim.Controlador_Fuzzy();
}
