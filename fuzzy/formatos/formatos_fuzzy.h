#pragma once
// The fuzzy controller in the files of other programs: .fis (the fuzzy toolkits of MATLAB and Octave), .fll
// (fuzzylite's language) and .fcl (IEC 61131-7's Fuzzy Control Language).
//
// Each file holds the same law as FIS::Inferir: two inputs (the scaled error, its scaled derivative), five
// sets each, one output whose five sets stand for their centres, 25 rules whose strength is the minimum of
// their two degrees, and the output as the strength-weighted average of the named centres, each rule counted by
// itself. In each format:
// - .fis: Sugeno, AndMethod 'min', AggMethod 'sum', DefuzzMethod 'wtaver', output sets 'constant'. A triangle
//   is 'trimf' [c-w c c+w]; a shoulder is 'trapmf' whose flat side reaches ±1e308 (the toolkits refuse an
//   infinite corner), the constant one 'trapmf' [-1e308 -5e307 5e307 1e308]: the same degrees for every input
//   within ±5e307.
// - .fll: Takagi-Sugeno, WeightedAverage, conjunction Minimum, activation General, output terms Constant; a
//   triangle is Triangle, a shoulder Ramp, the constant one Constant 1.
// - .fcl: points (x, degree), the degree held beyond the first and the last; outputs are singletons,
//   ACT MIN, ACCU NSUM and METHOD COGS (the normalised sum scales every singleton alike, so COGS gives the
//   weighted average of all the rules); DEFAULT := NC where no rule fires, where this program stops the tick
//   with an invalid operation and the inflow stays as it was.
// The gains are not part of the inference: the run multiplies the error by KE, the derivative of that by KDE,
// and the integral of the output by KU. The files carry them, with the texts a format has no place for, as
// notes in comments ("tanque: KE = 1"), which other programs read past. The ranges written are the sets' axis
// (RangoEje); no program is told to clip its inputs to them.
//
// Numbers travel exactly: the corners are the decimal sums of the texts (c - w, c + w), and a text comes back
// from the file as the one form of its number (TextoDecimal): the dialog's default texts, and any text written
// in that form, come back identical.

#include <optional>
#include <string>
#include <string_view>

#include "base/errores.h"
#include "fuzzy/formatos/controlador.h"

enum class FormatoFuzzy { Fis, Fll, Fcl };

/// A controller file that does not fit this controller, or is not a file of its format: what() names the
/// file, the line where there is one, and what does not fit ("reglas.fis, línea 12: ...").
class ErrorImportacion : public ErrorTanque {
public:
    using ErrorTanque::ErrorTanque;
};

/// The format of a file by its extension (.fis, .fll, .fcl, in any case); nothing for another.
std::optional<FormatoFuzzy> FormatoFuzzyDe(std::string_view nombre);

/// The controller of `textos` as a file of `formato`, lines ending in LF. Throws what LeerControlador throws
/// (the error names its text in Campo()), and ErrorTanque for a set that .fis cannot hold (a corner beyond
/// ±5e307, or a triangle too narrow for its centre to be three different Doubles).
std::string ExportarControlador(FormatoFuzzy formato, const TextosControlador& textos);

/// The texts of the controller in `contenido`, the whole text of a file of `formato`, written with `decimal`:
/// the 45 texts of the sets and the 25 rule cells always, KE, KDE and KU when the file has them. `archivo`
/// only names the file in messages. Throws ErrorImportacion.
TextosControlador ImportarControlador(FormatoFuzzy formato, std::string_view contenido, const std::string& archivo,
                                      char decimal);
