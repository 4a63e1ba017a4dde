#pragma once
// The loop that the program's PID run closes, predicted: the exact discrete plant (sintonia/discreto.h), the
// action of tick k computed from the level of tick k and held over the next sample, and this program's law
//   I(k) = I(k-1) + (T / 2) (e(k) + e(k-1)),   u(k) = Kp ((I(k) / Ti + e(k)) + Td (e(k) - e(k-1)) / T),
//   C(z) = Kp (1 + (T / (2 Ti)) (1 + z^-1) / (1 - z^-1) + (Td / T) (1 - z^-1)),
// from rest (I, e and every past action 0: the state of a run's first tick). Pump limits are ignored: the
// prediction is the linear loop. Times in the controller's seconds (tick k at k T), frequencies in rad/s of
// that clock, up to the Nyquist frequency pi / T.

#include <optional>
#include <vector>

#include "sintonia/discreto.h"
#include "sintonia/reglas.h"

/// Robustness of the loop L(z) = C(z) P(z), read from a scan of 0 < w <= pi / T refined at the crossings.
struct Margenes {
    std::optional<double> ganancia;   ///< gain margin (a factor, 1 / |L| where the phase crosses -180 deg, the
                                      ///< smallest such with |L| < 1); absent if there is none
    std::optional<double> wGanancia;  ///< rad/s, where
    std::optional<double> fase;       ///< phase margin, degrees (180 + phase where |L| = 1, the smallest);
                                      ///< absent if |L| never crosses 1
    std::optional<double> wFase;      ///< rad/s, where
    double Ms = 0;                    ///< maximum sensitivity, max |1 / (1 + L)|
    double wMs = 0;                   ///< rad/s, where
};

/// A reference step from rest, as the PID run's first ticks meet it from an empty tank.
struct Prediccion {
    double T = 0;                           ///< s per sample: sample k at k T
    double referencia = 0;                  ///< the step's size (the reference; the level starts at 0)
    std::vector<double> nivel;              ///< y(k)
    std::vector<double> accion;             ///< u(k), computed at tick k
    std::optional<double> sobreimpulso;     ///< percent: max(0, peak / r - 1) x 100, the peak in the step's direction
    std::optional<double> establecimiento;  ///< s: the last entry into |y - r| <= banda |r| / 100,
                                            ///< interpolated at the band's edge; absent if it never stays
    double banda = 2;                       ///< percent of the step
};

struct AnalisisLazo {
    bool estable = false;               ///< every pole of the closed loop inside the unit circle
    Margenes margenes;                  ///< read whether stable or not; they mean something when stable
    std::optional<Prediccion> escalon;  ///< only for a stable loop
};

/// The most samples a prediction runs (it ends earlier, once the level has settled to 1e-6 of the step).
inline constexpr std::size_t kMaximoPrediccion = 200000;

/// The closed loop of the plant with these gains (the plant in its own seconds, sintonia/modelo.h).
/// Throws ErrorSintonia (a bad model, period or gains).
AnalisisLazo Analizar(const ModeloConRetardo& planta, const Muestreo& m, const Pid& pid, double referencia = 1, double banda = 2);

/// The margins alone, on the discrete plant.
Margenes CalcularMargenes(const PlantaDiscreta& p, const Pid& pid);

/// Whether every pole of the closed loop lies inside the unit circle: the winding of its characteristic
/// polynomial on the circle (the argument principle).
bool Estable(const PlantaDiscreta& p, const Pid& pid);

/// The step response until it settles (kMaximoPrediccion samples at most), with its indices.
Prediccion PredecirEscalon(const PlantaDiscreta& p, const Pid& pid, double referencia, double banda = 2);

/// C(z) at z = e^(j w T).
std::complex<double> RespuestaPid(const Pid& pid, double T, double w);

/// Throws ErrorSintonia unless Kp, Ti and Td are finite, Ti > 0 and Td >= 0.
void ComprobarPid(const Pid& pid);
