#pragma once
// The fuzzy controller as plain data, between its texts and the files of other programs: the five sets of the
// error, of its derivative and of the control (shape, width and centre), the gains KE, KDE and KU, and the 25
// rules. The texts are named as the fuzzy dialog names its edits (E_MN_Tipo, DE_Po_Ancho, U_Ze_Centro, KE)
// and its rule cells (Reglas_F_C: row F is the error set, column C the derivative set, both 1 to 5).

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzzy/formatos/decimal.h"

/// The texts of the controller by name, written with `decimal` as the point.
struct TextosControlador {
    std::map<std::string, std::string, std::less<>> textos;
    char decimal = '.';
};

/// The three variables: prefix of their edits and the panel that names them in messages.
struct GrupoFuzzy {
    const char* prefijo;
    const char* panel;
};
inline constexpr std::array<GrupoFuzzy, 3> kGruposFuzzy{{{"E", "Error"}, {"DE", "Derivada Error"}, {"U", "Control"}}};
inline constexpr std::array<const char*, 3> kGanancias{"KE", "KDE", "KU"};
inline constexpr std::array<const char*, 3> kColumnasConjunto{"Tipo", "Ancho", "Centro"};

/// The name of an edit of set `k` (0 MN to 4 MP) of group `g` (0 error, 1 derivative, 2 control): E_MN_Tipo.
std::string NombreConjunto(std::size_t g, std::size_t k, std::size_t columna);
/// The name of the rule cell of error set `i` and derivative set `j` (both from 0): Reglas_{i+1}_{j+1}.
std::string NombreRegla(std::size_t i, std::size_t j);
/// The 73 names in the dialog's order: the sets of each group with its gain after them, then the rules row by row.
std::vector<std::string> NombresControlador();

/// One set. Shapes as FDP: 0 triangle, 1 left shoulder, 2 right shoulder, 3 constant one.
struct ConjuntoFuzzy {
    std::int32_t tipo = 3;
    Decimal ancho;
    Decimal centro;
};

struct ControladorFuzzy {
    std::array<std::array<ConjuntoFuzzy, 5>, 3> conjuntos;  // [group][set]
    std::array<std::optional<Decimal>, 3> ganancias;        // KE, KDE, KU; nothing when a file gives none
    std::array<std::array<std::int32_t, 5>, 5> reglas{};    // [error set][derivative set]: output set, 0 to 4
};

/// The controller of the texts, read as "Inicializar Control Fuzzy" reads them, and the gains as the run
/// reads them. Throws ErrorConversion at a text that does not convert, ErrorPuntoFlotante for a number beyond
/// the Double range, and ErrorTanque (ComprobarConjunto, ComprobarRegla) for what no other program can
/// express; each error names its text in Campo().
ControladorFuzzy LeerControlador(const TextosControlador& textos);

/// Throws ErrorTanque when set `k` of group `g` has a shape that other programs cannot give: an input set of a
/// shape other than 0 to 3 (it keeps the degree it had), or with a sloped side of width 0 (as the
/// initialisation) or of a negative width (its degrees pass 1). A set of the control is never evaluated:
/// anything goes. Every number must be a finite Double.
void ComprobarConjunto(std::size_t g, std::size_t k, const ConjuntoFuzzy& c);

/// The texts of the controller: every set and rule, and the gains that it has.
TextosControlador TextosDe(const ControladorFuzzy& c, char decimal);

/// The range that a file gives group `g`: RangoEje of its sets (every corner inside it, and a margin).
std::array<double, 2> RangoGrupo(const ControladorFuzzy& c, std::size_t g);
