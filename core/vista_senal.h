#pragma once
// What the signal dialog shows of its texts: the inflow that the open-loop run would take at its first samples,
// the power spectrum of the signal, and the steady level that the signal's maximum would give against the tank's
// maximum (advice only: the run takes the texts as they are).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/textos.h"
#include "senales/espectro.h"
#include "senales/generador.h"
#include "senales/parametros.h"

/// Samples of the drawing.
inline constexpr int kMuestrasVista = 400;
/// Most samples that the spectrum takes.
inline constexpr std::int64_t kMuestrasEspectroMaximas = 1 << 16;

struct VistaSenal {
    /// The message of the first bad signal text (or of Alto_Escalon for the step); then nothing is drawn.
    std::optional<std::string> error;
    ParametrosSenal parametros;
    /// The inflow of samples 0 .. kMuestrasVista - 1, as the run stores it (Singles).
    std::vector<double> valores;
    Espectro espectro;

    /// The message of a bad Resistencia, HMax or maximum; then there is no advice.
    std::optional<std::string> errorEstacionario;
    /// The level at which the signal's maximum (Alto_Escalon for the step) settles on the plant (Planta::Estacionario,
    /// the maximum times Resistencia on the linear tank), and HMax.
    double estacionario = 0;
    double nivelMaximo = 0;
    bool desborda = false;
};

/// How many samples the spectrum of `p` takes: one period of a periodic signal (the PRBS's (2^orden - 1) periodo
/// samples, the multisine's and the sweep's longitud), so that every bin is a harmonic of it and none leaks;
/// 4096 samples of a random one; kMuestrasVista of the step; at most kMuestrasEspectroMaximas.
std::int64_t MuestrasEspectro(const ParametrosSenal& p);

/// Reads the signal's texts (an edit that the texts lack taking its default) and what the dialog shows of them.
/// Throws nothing: a bad text's message goes into the result. With `generador`, the generator of the same
/// parameters is used again, and a new one is left there (a multisine of 1000 sines on a period of 10^6 samples
/// takes seconds to prepare).
VistaSenal VerSenal(const Textos& textos, std::optional<GeneradorSenal>* generador = nullptr);
