#pragma once
// The texts of the excitation signal and of the measurement noise: their rows of the one table of default
// texts, and which of them the runs read at every tick.

#include <span>

#include "core/textos_por_defecto.h"
#include "senales/parametros.h"

/// The edit of the signal's type, a caption of TipoSenal.
inline constexpr const char* kSenalTipo = "Senal_Tipo";

/// Senal_Tipo, the signal's parameters in the order of Campo, then Ruido_Desviacion and Ruido_Semilla: the
/// last rows of TextosPorDefecto(), and the one list of these names. By default the step of today's run and no
/// noise; the other defaults suit the default plant (time constant A R = 20 s, 40 samples of 0.5 s): levels 0.5
/// to 2 (steady levels 1 to 4 of HMax 5), clocks of 10 samples (a quarter of the time constant), PRBS of order 6
/// (630 samples, about 16 time constants), a band from 0.01 to 0.2 of Nyquist (the plant's corner lies at 0.008)
/// for 10 sines on a period of 400 samples (10 time constants) and for a sweep of as many.
std::span<const TextoPorDefecto> TextosSenal();

/// The name of the edit of a parameter of the signal: its row of TextosSenal() ("Senal_Maximo" for Maximo).
const char* NombreCampo(Campo c);

/// The signal's texts, which the step run reads at every tick (Senal_Tipo, then the parameters that the type
/// uses; Alto_Escalon besides when the type is the step).
std::span<const char* const> TextosSenalEnCadaTick();
/// The noise's texts, which every run reads at every tick (Ruido_Semilla only when the deviation is above 0).
std::span<const char* const> TextosRuidoEnCadaTick();
