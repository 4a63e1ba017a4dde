#pragma once
// What the three readers of controller files share: the file's sets and rules gathered as they come, the
// notes that carry what a format has no place for, and the one form of their messages.
//
// A note is a comment line "tanque: NOMBRE = VALOR" (after the comment's mark): the gains KE, KDE and KU, and
// of a set the texts that its shape in the file leaves out (the shape and width of a set of the control, which
// other programs take as a constant; the width and centre of an input set that is constant one).

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "fuzzy/formatos/controlador.h"
#include "fuzzy/formatos/formatos_fuzzy.h"

/// Which texts of a set its shape in the file gives.
enum Portado : unsigned { kPortaTipo = 1, kPortaAncho = 2, kPortaCentro = 4, kPortaTodo = 7 };

/// The line of a note: "tanque: KE = 1".
std::string Nota(std::string_view nombre, std::string_view valor);

class Importacion {
public:
    explicit Importacion(std::string archivo) : archivo_(std::move(archivo)) {}

    /// Throws ErrorImportacion "archivo, línea N: que" ("archivo: que" for line 0).
    [[noreturn]] void Fallar(std::size_t linea, const std::string& que) const;

    /// The text of a comment (without its marks): a note is kept, anything else left aside.
    void Comentario(std::string_view texto, std::size_t linea);
    /// Set `k` of group `g`, defined at `linea` with the texts that `portados` says.
    void Conjunto(std::size_t g, std::size_t k, const ConjuntoFuzzy& c, unsigned portados, std::size_t linea);
    /// The rule of error set `i` and derivative set `j` (from 0): output set `salida` (from 0). A pair given
    /// twice is refused.
    void Regla(std::size_t i, std::size_t j, std::int32_t salida, std::size_t linea);

    /// A number of the file ("." as the point, an exponent): what() names `que` when it is none, or not a
    /// finite Double.
    Decimal Numero(std::string_view texto, std::size_t linea, const std::string& que) const;
    /// The width of the triangle of corners a, b, c, refused unless both its sides are that width; `que` names it.
    Decimal AnchoTriangulo(const Decimal& a, const Decimal& b, const Decimal& c, std::size_t linea,
                           const std::string& que) const;
    /// A whole number of the file.
    std::int64_t Entero(std::string_view texto, std::size_t linea, const std::string& que) const;

    /// The controller: the notes applied, the texts that neither the file nor a note gives at their defaults
    /// (a control set constant, of width 0; width and centre 0), every set checked (ComprobarConjunto) and every
    /// rule present. Throws ErrorImportacion.
    ControladorFuzzy Terminar();

private:
    struct Linea {
        std::string valor;
        std::size_t linea;
    };
    void AplicarNota(const std::string& nombre, const Linea& nota);

    std::string archivo_;
    ControladorFuzzy c_;
    std::array<std::array<unsigned, 5>, 3> portados_{};
    std::array<std::array<std::size_t, 5>, 3> lineasConjunto_{};  // 0 while the set is not defined
    std::array<std::array<std::size_t, 5>, 5> lineasRegla_{};     // 0 while the rule is not defined
    std::map<std::string, Linea, std::less<>> notas_;
};

/// The lines of a text, each without its end (LF or CR LF), numbered from 1.
template <typename F>
void PorLineas(std::string_view contenido, F&& cada) {
    std::size_t numero = 0;
    while (!contenido.empty()) {
        std::size_t fin = contenido.find('\n');
        std::string_view linea = contenido.substr(0, fin);
        contenido = fin == std::string_view::npos ? std::string_view() : contenido.substr(fin + 1);
        if (!linea.empty() && linea.back() == '\r') linea.remove_suffix(1);
        cada(linea, ++numero);
    }
}

/// `texto` without blanks at either end.
std::string_view Recortado(std::string_view texto);
/// The words of `texto` split at blanks.
std::vector<std::string_view> Palabras(std::string_view texto);
/// ASCII letters in lower case, for names compared without regard to case.
std::string Minusculas(std::string_view texto);
/// The number as a file writes it: shortest digits that read back as the same Double.
std::string TextoDoble(double x);
