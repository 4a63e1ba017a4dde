#pragma once
// The model that the tuning works on, and the time in which it counts.
//
// A plant model is K e^(-theta s) / ((tau1 s + 1)(tau2 s + 1)) in the plant's seconds; tau2 = 0 is the first
// order (the tank: K = R, tau1 = A R), two constants the two-tank plant.
//
// Two clocks. The program's PID counts T seconds per sample (T_Sample / 1000); the plant advances h seconds
// per sample, the integrator's 10 or 11 sub-steps of T / 10 (TiempoPorMuestra in core/planta.h: 0.50000006 s
// at 500 ms, 0.11 s at 100 ms). The rules and the loop are worked in the controller's seconds, so every time of
// the model is multiplied by T / h first: tuned in the plant's seconds, the gains would be wrong by h / T.
//
// The delay that the rules read (ModeloParaReglas):
//   theta_reglas = theta T / h + T / 2
// The program's PID computes its action from the level of the same tick, without a computation delay, and
// the plant receives that action held over the whole next sample: a zero-order hold, whose lag is that of a
// delay of half a period at the frequencies that matter to the loop. The discrete loop of lazo.h does not
// approximate the hold: it discretises the model exactly.
//
// A model identified from a record, y(k) = a y(k-1) + b u(k - nk) (identificacion/modelo.h): the level of
// line k of an open-loop record is measured at the end of the sample in which action k flows, and that of a
// closed-loop record before action k is computed, so that it answers action k-1. Without dead time the first
// shows nk = 0 (kRetardoLazoAbierto) and the second nk = 1 (kRetardoLazoCerrado); each sample of nk beyond
// that is one sample of dead time: theta = (nk - nk0) h (PlantaDeRegistro).

struct ModeloConRetardo {
    double K = 0;      ///< level per unit of inflow at steady state (the tank: R); positive
    double tau1 = 0;   ///< s, a time constant (the tank: A R); positive
    double tau2 = 0;   ///< s, the second time constant; 0 for a first-order model
    double theta = 0;  ///< s, the dead time of the plant and the sensor, without the hold's
};

struct Muestreo {
    double T = 0;  ///< s that the controller counts per sample (T_Sample / 1000)
    double h = 0;  ///< s that the plant advances per sample (TiempoPorMuestra(T); h = T for a record's model)
};

/// What the rules read: a model in the controller's seconds, tau1 >= tau2, its delay with the hold's T / 2.
struct ModeloReglas {
    double K = 0;
    double tau1 = 0;
    double tau2 = 0;
    double theta = 0;
};

/// Throws ErrorSintonia unless K > 0, tau1 > 0, tau2 >= 0 and theta >= 0, all finite.
void ComprobarPlanta(const ModeloConRetardo& p);

/// Throws ErrorSintonia unless T > 0 and h > 0, finite.
void ComprobarMuestreo(const Muestreo& m);

/// The plant with its times in the controller's seconds (times T / h). Throws ErrorSintonia.
ModeloConRetardo EnSegundosDelControl(const ModeloConRetardo& p, const Muestreo& m);

/// The model for the rules: the controller's seconds, the larger constant first, the hold's T / 2 in the
/// delay (the header above). Throws ErrorSintonia.
ModeloReglas ModeloParaReglas(const ModeloConRetardo& p, const Muestreo& m);

/// Skogestad's half rule: half of the second constant goes to the first and half to the delay,
/// K e^(-(theta + tau2/2) s) / ((tau1 + tau2/2) s + 1). A first-order model is returned as it is.
ModeloReglas MitadAlPrimerOrden(const ModeloReglas& m);

/// The plant of an identified first-order model: gain K, time constant Tau counted in the record's period T,
/// delay nk of a record whose runs show nk0 without dead time (0 open loop, 1 closed loop). h is the plant's
/// time per sample of the record (TiempoPorMuestra(T) for the simulator's records; T to keep the record's
/// own seconds): tau1 = Tau h / T, theta = (nk - nk0) h. Throws ErrorSintonia (nk < nk0, a bad model).
ModeloConRetardo PlantaDeRegistro(double K, double Tau, int nk, int nk0, double T, double h);

/// The continuous loop's ultimate point: the phase crossover w of the model (atan(w tau1) + atan(w tau2) +
/// w theta = pi), the gain Ku = 1 / |G(jw)| that a proportional controller would oscillate at, Pu = 2 pi / w.
struct PuntoCritico {
    double Ku = 0;
    double Pu = 0;  ///< s
    double w = 0;   ///< rad/s
};
/// Throws ErrorSintonia unless the model is good and has a delay (without one the phase never reaches -180 deg).
PuntoCritico Critico(const ModeloReglas& m);
