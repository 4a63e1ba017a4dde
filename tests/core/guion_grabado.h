#pragma once
// A window's session without the window: a simulator driven by a script of what a user does, each action noted
// by the recorder just before it happens, as the window notes it. Its schedule and its chart are what a replay
// must give back.

#include <cstdint>
#include <string>
#include <vector>

#include "core/grabacion.h"
#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "tests/core/banco.h"

class SesionGrabada {
public:
    SesionGrabada() : textos(TextosIniciales('.')), sim(textos, posicion, mensajes) {}

    void Texto(const std::string& nombre, const std::string& texto) {
        g.Anotar(sim, EventoTexto{nombre, texto});
        textos.Poner(nombre, texto);
    }
    void Mover(std::int32_t p) {
        g.Anotar(sim, EventoPosicion{p});
        posicion.valor = p;
    }
    void Alternar(Corrida c) {
        g.Anotar(sim, EventoAlternar{c});
        sim.AtenderToggle(c);
    }
    void Ticks(Corrida c, int cuenta) {
        for (int k = 0; k < cuenta; ++k) {
            g.Anotar(sim, EventoTicks{c, 1});
            sim.AtenderTick(c);
        }
    }
    void Limpiar() {
        g.Anotar(sim, EventoLimpiar{});
        sim.Atender([this] { sim.LimpiarClick(); });
    }
    void InicializarFuzzy() {
        g.Anotar(sim, EventoInicializarFuzzy{});
        sim.Atender([this] { sim.ToolButton11Click(); });
    }

    /// Several hundred ticks of the three runs: texts changed while a run goes and while none does, the slider
    /// moved, starts and stops, a text that does not convert for a while, Limpiar, the fuzzy initialisation, the
    /// runs side by side, a signal with noise of two seeds, an overflow that stops a run whose queued ticks follow.
    void Guion() {
        Texto("Senal_Tipo", "PRBS");
        Texto("Ruido_Desviacion", "0.02");
        Texto("Ruido_Semilla", "7");
        Alternar(Corrida::Escalon);
        Ticks(Corrida::Escalon, 90);
        Texto("Senal_Maximo", "1.5");  // read at every tick
        Ticks(Corrida::Escalon, 40);
        Alternar(Corrida::Escalon);
        Mover(6);
        Texto("Kp", "3");
        Texto("Ruido_Semilla", "11");
        Alternar(Corrida::PID);
        Ticks(Corrida::PID, 70);
        Mover(8);
        Ticks(Corrida::PID, 30);
        Texto("Kp", "tres");  // the ticks fail and the run goes on
        Ticks(Corrida::PID, 3);
        Texto("Kp", "4");
        Ticks(Corrida::PID, 40);
        Limpiar();
        Ticks(Corrida::PID, 30);
        InicializarFuzzy();
        Alternar(Corrida::Fuzzy);
        for (int k = 0; k < 40; ++k) {
            Ticks(Corrida::PID, 1);
            Ticks(Corrida::Fuzzy, 1);
        }
        Alternar(Corrida::PID);
        Texto("KU", "2");
        Mover(3);
        Ticks(Corrida::Fuzzy, 80);
        Alternar(Corrida::Fuzzy);
        Texto("Senal_Tipo", "Escalón");
        Texto("Alto_Escalon", "3");
        Alternar(Corrida::Escalon);
        Ticks(Corrida::Escalon, 80);  // overflows at 71; the rest are ticks of a stopped timer
        Mover(5);
    }

    TextosMapa textos;
    PosicionValor posicion;
    Grabadora mensajes;
    Simulador sim;
    Grabacion g;
};
