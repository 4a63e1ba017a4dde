#pragma once
// Names for the screen readers: every control that takes the keyboard gets the text of the label that a
// sighted user reads beside it, so that no interactive widget of a window is announced without a name.

#include <QString>

class QWidget;

/// Gives each control under `raiz` that has no accessible name one: the label at its left on the same row,
/// else the labels stacked right above it, else its tip as plain text, else its own text. A name set before
/// is kept.
void NombrarControles(QWidget* raiz);

/// Rich text (a tip's HTML) as the plain text a screen reader speaks.
QString TextoPlano(const QString& texto);

/// Escape closes `vista`, a window of its own that is no dialog (the views of the controllers).
void CerrarConEscape(QWidget* vista);
