#pragma once
// The fixed numbers of the main window that the runs decide: where the level bar stands, how many samples
// the closed-loop charts keep, how often the runs tick.

#include <cstdint>

/// The level bar's bottom edge, in pixels of the main window: the bar grows upwards from it.
inline constexpr std::int32_t kBarraFondo = 276;
/// The bar's height at the maximum level, in pixels; a higher level draws a taller bar (it is not limited).
inline constexpr std::int32_t kBarraAltoMaximo = 167;
/// The upper tank's bar (Dos Tanques): this many pixels at HMax_2.
inline constexpr std::int32_t kBarraSuperiorAlto = 80;
/// The PID and fuzzy runs keep this many samples on the chart, deleting the oldest as each new one comes.
inline constexpr std::int32_t kMuestrasVentana = 101;
/// The interval of a run's timer once its button has been pressed, in milliseconds, whatever the sample time.
inline constexpr int kIntervaloTick = 100;
/// The interval the PID and fuzzy timers carry before their button is first pressed; never used to tick.
inline constexpr int kIntervaloInicialLazo = 1000;
