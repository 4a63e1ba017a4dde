#pragma once
// The default texts of every edit of the dialogs and of the rule grid: the one table that the dialogs
// show at start-up and that the batch tool starts from.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/textos_mapa.h"
#include "fuzzy/reglas.h"

struct TextoPorDefecto {
    const char* nombre;
    const char* texto;  // with "." as decimal point
};

/// Every edit with its default text: plant, step, PID, the fuzzy sets and gains, the excitation signal and the
/// measurement noise (TextosSenal), then the indices' band.
std::span<const TextoPorDefecto> TextosPorDefecto();

/// The default text of the edit of that name ("" when there is no such edit), written with `decimal`.
std::string TextoPorDefectoDe(std::string_view nombre, char decimal);

/// The prefixes of the three fuzzy variables and the names of their panels.
inline constexpr std::array<const char*, 3> kPrefijosFuzzy{"E", "DE", "U"};
inline constexpr std::array<const char*, 3> kPanelesFuzzy{"Error", "Derivada Error", "Control"};

/// The default body of the rule grid: the output set named for error set `fila` and derivative set
/// `columna` (both from 0).
inline constexpr int kReglasPorDefecto[5][5] = {
    {0, 0, 0, 0, 0}, {0, 1, 1, 2, 2}, {1, 1, 2, 2, 3}, {2, 2, 3, 3, 4}, {4, 4, 4, 4, 4},
};

/// The name of a fuzzy set's edit: NombreFuzzy("E", "MN", "Tipo") is "E_MN_Tipo".
std::string NombreFuzzy(std::string_view prefijo, std::string_view etiqueta, std::string_view columna);

/// The text with its "." written as `decimal`.
std::string ConDecimal(std::string_view texto, char decimal);

/// Every edit of the table and every rule cell as `textos` holds them now, with its decimal separator.
TextosMapa CopiaDeTextos(const Textos& textos);

/// The names of every edit of the table and then of every rule cell, row by row: the texts that a set-up file holds.
std::vector<std::string> NombresDeTextos();

/// Every default text and rule cell, written with `decimal`.
TextosMapa TextosIniciales(char decimal);
