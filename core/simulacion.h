#pragma once
// The Simulation state: the one record of plant constants, plant state, control action and controller
// memories that the three runs share. Every number is 0 when the program starts.

struct Simulacion {
    float Volumen = 0;            // volume of water in the tank, the plant state
    float Accion_Control = 0;     // inflow, constant over one sample period
    float T_Muestreo = 0;         // sample period in seconds
    float R_Hidraulica = 0;       // hydraulic resistance R
    float Tau = 0;                // time constant A x R (the area itself is not kept)
    float Nivel_Max = 0;          // maximum permitted level
    float Error_Ant = 0;          // error of the previous tick (PID and fuzzy runs)
    float Integral = 0;           // trapezoid accumulator (PID: of the error; fuzzy: of the crisp output)
    float D_Error = 0;            // scaled derivative of the error in the fuzzy run
    double Salida_Fuzzy = 0;      // crisp output of the current fuzzy tick
    double Salida_Fuzzy_Ant = 0;  // crisp output of the previous fuzzy tick
};
