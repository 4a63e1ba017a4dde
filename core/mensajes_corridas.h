#pragma once
// The messages that the runs show.

inline constexpr const char* kCicloParado = "El Ciclo de lectura se ha parado";
inline constexpr const char* kNivelSuperado = "El Nivel del Tanque ha Superado el Máximo Permitido";
inline constexpr const char* kMuestreoNoPositivo = "El Tiempo de Muestreo debe ser mayor que cero";
inline constexpr const char* kFuzzySinInicializar =
    "El Controlador Fuzzy no ha sido inicializado. Use Inicializar Control Fuzzy.";
