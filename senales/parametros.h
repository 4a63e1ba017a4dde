#pragma once
// The parameters of an excitation signal, which of them each type uses, and their check.

#include <array>
#include <cstdint>
#include <string>

#include "senales/tipo_senal.h"

struct ParametrosSenal {
    TipoSenal tipo = TipoSenal::Escalon;
    double minimo = 0.5;          // lowest level
    double maximo = 2.0;          // highest level
    std::int32_t periodo = 10;    // samples per clock of the binary signals; longest hold of the random
                                  // levels; hold of each Gaussian value
    std::int32_t orden = 6;       // of the PRBS, 2 to 20: 2^orden - 1 clocks per period
    std::uint64_t semilla = 1;    // of the random signals; the PRBS's starting state
    double frecuenciaMin = 0.01;  // band edges as fractions of the Nyquist frequency, in (0, 1]
    double frecuenciaMax = 0.2;
    std::int32_t componentes = 10;  // sines of the multisine
    std::int32_t longitud = 400;    // samples in the multisine's period and in one sweep of the chirp

    bool operator==(const ParametrosSenal&) const = default;
};

/// The parameters after the type, in the order in which the reader takes their texts.
enum class Campo { Minimo, Maximo, Periodo, Orden, Semilla, FrecuenciaMin, FrecuenciaMax, Componentes, Longitud };
inline constexpr int kCampos = 9;

/// Which parameters each type uses; the others are neither read nor checked, and a dialog may disable them.
// clang-format off
inline constexpr std::array<std::array<bool, kCampos>, kTiposSenal> kUsa{{
    //  min    max    per    orden  semil  fmin   fmax   comp   long
    {false, false, false, false, false, false, false, false, false},  // Escalon: Alto_Escalon, as today
    {true,  true,  true,  true,  true,  false, false, false, false},  // PRBS
    {true,  true,  true,  false, true,  false, false, false, false},  // BinariaAleatoria
    {true,  true,  true,  false, true,  false, false, false, false},  // NivelesAleatorios
    {true,  true,  false, false, false, true,  true,  true,  true },  // Multiseno: Schroeder phases, no seed
    {true,  true,  false, false, false, true,  true,  false, true },  // Barrido
    {true,  true,  true,  false, true,  false, false, false, false},  // Gaussiana
}};
// clang-format on

inline bool Usa(TipoSenal t, Campo c) { return kUsa[static_cast<int>(t)][static_cast<int>(c)]; }

inline constexpr std::int32_t kOrdenMinimo = 2;
inline constexpr std::int32_t kOrdenMaximo = 20;
inline constexpr std::int32_t kComponentesMaximas = 1000;
inline constexpr std::int32_t kLongitudMaxima = 1000000;

inline constexpr const char* kMensajeNiveles = "El mínimo de la señal no puede ser mayor que el máximo";
inline constexpr const char* kMensajePeriodo = "El periodo de la señal debe ser de al menos 1 muestra";
inline constexpr const char* kMensajeOrden = "El orden de la PRBS debe estar entre 2 y 20";
inline constexpr const char* kMensajeBanda =
    "Las frecuencias de la banda deben estar en (0, 1], como fracciones de la frecuencia de Nyquist";
inline constexpr const char* kMensajeBandaInvertida =
    "La frecuencia mínima de la banda no puede ser mayor que la máxima";
inline constexpr const char* kMensajeComponentes = "El número de componentes debe ser al menos 1";
inline constexpr const char* kMensajeMuchasComponentes = "El número de componentes no puede pasar de 1000";
inline constexpr const char* kMensajeLongitudCorta = "La longitud de la señal debe ser de al menos 2 muestras";
inline constexpr const char* kMensajeLongitudLarga = "La longitud de la señal no puede pasar de 1000000 muestras";

/// "La banda solo admite N componentes con esa longitud": the multisine asks for more sines than the band
/// holds frequencies of its period's grid.
std::string MensajeRejilla(std::int64_t admitidas);

/// Checks the parameters that p's type uses, in the order of Campo (the band's edges before their order, the
/// lower limits before the upper ones; last, the multisine's grid). Throws ErrorTanque with the first fault's
/// message.
void ComprobarSenal(const ParametrosSenal& p);
