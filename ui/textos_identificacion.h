#pragma once
// Numbers as the identification dialog writes them: the user's decimal separator, significant digits, and a
// dash for a value that is not a finite number, so that neither "nan" nor "inf" ever reaches the screen.

#include <QString>

/// `v` with `cifras` significant digits (trailing zeros kept), in exponent form when very small or large; "—"
/// when `v` is not finite.
QString Numero(double v, int cifras);

/// `v` with at most 6 significant digits and no trailing zeros, as the dialogs' edits write numbers: 0.1, 18.1818.
QString Corto(double v);

/// "v ± e": the value with `cifras` significant digits, its standard error with 2.
QString ConError(double v, double error, int cifras);

/// A relative error in percent with its sign: 0.0012 as "+0.12 %".
QString Porcentaje(double relativo);

/// `v` with `decimales` fixed decimals ("—" when not finite).
QString Fijo(double v, int decimales);
