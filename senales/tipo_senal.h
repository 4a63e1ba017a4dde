#pragma once
// The kinds of excitation signal and their captions.

#include <array>
#include <string_view>

/// The excitation signals of the open-loop run. Escalon is the step of today's run, which the core makes
/// by its own path.
enum class TipoSenal { Escalon, PRBS, BinariaAleatoria, NivelesAleatorios, Multiseno, Barrido, Gaussiana };

inline constexpr int kTiposSenal = 7;

/// The captions, in the order of TipoSenal.
inline constexpr std::array<const char*, kTiposSenal> kNombresTipo{
    "Escalón", "PRBS", "Binaria aleatoria", "Niveles aleatorios", "Multiseno", "Barrido", "Gaussiana"};

/// The caption of a type.
inline const char* NombreTipo(TipoSenal t) { return kNombresTipo[static_cast<int>(t)]; }

/// The type named by a caption, also without its accent, in any case of the letters, with '_' or '-' for
/// the blanks and blanks around ("escalon", "PRBS", "binaria_aleatoria"). Throws ErrorTanque listing the
/// captions for any other text.
TipoSenal TipoDeTexto(std::string_view texto);
