#pragma once
// The bound of the chart's memory: the open-loop run keeps every sample since the last "Limpiar" (the closed-loop
// runs keep kMuestrasVentana), so a run at "Máxima", some 80,000 samples a second, would take the machine's
// memory within the hour. It stops instead, as at an overflow, once the chart holds kMaximoPuntosGrafico levels
// (about 36 bytes a sample: some 600 MB); "Archivo" still exports them all, and "Limpiar" makes room again.

#include <cstddef>

inline constexpr std::size_t kMaximoPuntosGrafico = std::size_t{1} << 24;
inline constexpr const char* kGraficoLleno =
    "El gráfico guarda ya 16777216 muestras (unos 600 MB de memoria) y la corrida se ha parado: use Archivo para "
    "guardarlas y Limpiar para empezar otra vez.";
