#pragma once
// The Simulation state: the one record of plant constants, plant state, control action and controller
// memories that the three runs share. Every number is 0 when the program starts.

#include <optional>

/// The constants of the plants beyond the linear tank (core/planta/tanques.h), read at a run's press; all 0 for
/// the linear tank of the original program, which keeps its own in Simulacion.
struct ConstantesTanques {
    int tanques = 0;        // 1, or 2 for the upper tank that drains into the measured one
    bool orificio = false;  // outflow k sqrt(h) instead of h / R
    bool exacto = false;    // the clock: n sub-steps of T / n (Exacto) instead of the program's of S(T / 10)
    double Area_1 = 0, R_1 = 0, K_1 = 0;               // the measured tank: area, resistance, discharge coefficient
    double Area_2 = 0, R_2 = 0, K_2 = 0, HMax_2 = 0;  // the upper tank, which spills above HMax_2
};

/// The pump's limits (core/planta/bomba.h), read at a run's press: an empty text is no limit, the default.
struct LimitesBomba {
    bool conMinimo = false, conMaximo = false;
    float minimo = 0, maximo = 0;  // Caudal_Min, Caudal_Max
    bool Activos() const { return conMinimo || conMaximo; }
};

/// What the PID's integral does while the pump sits at a limit.
enum class Antisaturacion {
    Ninguna,      ///< it goes on integrating (windup)
    Condicional,  ///< clamping: it holds while the action is beyond a limit and the error pushes it further
    Retrocalculo  ///< back-calculation: the difference between the applied and the computed action feeds it back
};

/// The PID's options beyond its gains (core/corridas/pid.h), read at its run's press; these defaults are the law of
/// the original program.
struct OpcionesPID {
    Antisaturacion antisaturacion = Antisaturacion::Ninguna;
    std::optional<double> Tt = std::nullopt;  ///< s; none: sqrt(Ti Td), or Ti when Td = 0
    std::optional<double> N = std::nullopt;   ///< the derivative's filter; none: no filter
    bool derivadaMedicion = false;
    double b = 1;
};

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
    // The state of the plants beyond the linear tank, in Doubles (0 for the linear tank of the original program).
    ConstantesTanques tanques;
    double Nivel_1 = 0;    // level of the measured tank
    double Nivel_2 = 0;    // level of the upper tank
    double Salido = 0;     // volume gone through the measured tank's outlet since the press
    double Derramado = 0;  // volume that the upper tank spilled since the press
    // The loop as in a lab: the pump's limits and what the controller asked of it (the applied inflow is
    // Accion_Control); the PID's derivative, filtered, and the measurement it differentiates.
    LimitesBomba bomba;
    OpcionesPID pid;
    float Accion_Comandada = 0;
    double Derivada_Ant = 0;
    double Medida_Ant = 0;
};
