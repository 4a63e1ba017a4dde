#pragma once
// Records made by the real plant code, for the tests of the identification: the open-loop run driven sample
// by sample, the PID and fuzzy runs of the headless simulator, and the signals and noise that feed them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "identificacion/registro.h"

/// A plant as its dialog's texts give it.
struct PlantaDeTextos {
    const char* area;
    const char* resistencia;
    const char* t_ms;  ///< sample period in milliseconds
    double A, R, T;    ///< the same, as numbers (T in seconds)
    const char* kp;    ///< the PID's gain for the closed-loop runs
    const char* ku;    ///< the fuzzy controller's output gain
    std::string Nombre() const;
};

/// The default plant and three others. The closed loops keep the default gains, except on the last plant:
/// sampled at Tau / 4, its loops ring with them until the tank runs empty, where RK clamps the volume at 0,
/// and no linear model describes that. With gain 1 they stay in the linear range.
inline const PlantaDeTextos kPlantas[] = {
    {"10", "2", "500", 10, 2, 0.5, "2", "3"},
    {"5", "1", "100", 5, 1, 0.1, "2", "3"},
    {"20", "0.5", "500", 20, 0.5, 0.5, "2", "3"},
    {"2", "4", "2000", 2, 4, 2.0, "1", "1"},
};

/// How many RK4 sub-steps of h = T / 10 (a Single) the plant takes for one sample: the Single clock runs on
/// while T >= t, so that a sum of ten h that falls short of T, or equals it, takes an eleventh.
int SubpasosPorMuestra(const PlantaDeTextos& p);

/// The time constant that the plant's samples show when read with the nominal period T: A R T / (m h), the
/// plant integrating m sub-steps of h per sample. A R itself when m h = T to rounding.
double TauDeLasMuestras(const PlantaDeTextos& p);

/// The open-loop run, sample by sample: Accion_Control = u(n), x = RK(s, x), y(n) = CalcularNivel(s, x), from
/// an empty tank, with the plant's parameters read from its texts (HMax far above any level). T nominal.
Registro LazoAbierto(const PlantaDeTextos& p, const std::vector<float>& u);

/// An action `antes` up to sample `inicio`, then `despues`.
std::vector<float> Escalon(std::size_t n, std::size_t inicio, float antes, float despues);

/// A pseudo-random binary sequence between `bajo` and `alto`: the bits of a 16-bit maximal-length LFSR
/// (x^16 + x^14 + x^13 + x^11 + 1), each held for `retencion` samples.
std::vector<float> Prbs(std::size_t n, int retencion, float bajo, float alto, std::uint16_t semilla = 0xACE1u);

/// A mean plus a sum of sines of periods `periodos` (in samples), amplitude `amplitud` each, Schroeder phases.
std::vector<float> Multiseno(std::size_t n, float media, float amplitud, const std::vector<double>& periodos);

/// The PID run of the simulator with the default texts but the plant's and its gain, n ticks. The slider is moved to
/// position `cambios[i].second` at tick `cambios[i].first` (before the tick). Read from UltimaMuestra().
/// Fails the test if the tank ran empty after the first sample (the volume clamped: not the linear plant).
Registro CorridaPid(const PlantaDeTextos& p, std::size_t n, const std::vector<std::pair<std::size_t, int>>& cambios);

/// The fuzzy run, the same way: ToolButton11Click, ToolButton10Click, then Timer5Timer ticks.
Registro CorridaFuzzy(const PlantaDeTextos& p, std::size_t n, const std::vector<std::pair<std::size_t, int>>& cambios);

/// The open-loop record `r` (from an empty tank) lined up as the PID and fuzzy runs line theirs: line k holds
/// action k and the level before it flows, (u(k), y(k-1)), with y(-1) = 0.
Registro ComoLazoCerrado(const Registro& r);

/// Gaussian noise of deviation `sigma` added to every level: mt19937_64 and the Box-Muller transform.
void AnadirRuido(Registro& r, double sigma, std::uint64_t semilla);
