#pragma once
// The messages that the runs show.

inline constexpr const char* kCicloParado = "El Ciclo de lectura se ha parado";
inline constexpr const char* kNivelSuperado = "El Nivel del Tanque ha Superado el Máximo Permitido";
inline constexpr const char* kMuestreoNoPositivo = "El Tiempo de Muestreo debe ser mayor que cero";
inline constexpr const char* kFuzzySinInicializar =
    "El Controlador Fuzzy no ha sido inicializado. Use Inicializar Control Fuzzy.";
inline constexpr const char* kReleCaudales =
    "El relé necesita un caudal alto mayor que el bajo (Rele_Alto > Rele_Bajo) y una histéresis no negativa.";
inline constexpr const char* kReleConOtraCorrida = "Pare las otras corridas antes del ensayo de relé.";
inline constexpr const char* kReleRetardo = "El retardo del relé (Rele_Retardo) va de 0 a 200 muestras.";
