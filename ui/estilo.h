#pragma once
// The fonts and colours of the windows: the nearest installed faces at the pixel heights of the design.

#include <QColor>
#include <QFont>

/// The window font: a plain sans-serif face at 11 pixels (the old "MS Sans Serif").
QFont FuenteVentana();
/// A sans-serif face at the given pixel height, for the reference labels of the main window.
QFont FuenteSans(int pixeles);
/// A serif face at the given pixel height (the old "Times New Roman"): 19 for titles, 16 for labels.
QFont FuenteSerif(int pixeles);

inline const QColor kRojoTitulo{255, 0, 0};
inline const QColor kAzulEtiqueta{0, 0, 255};

/// The colours of the chart's three series (level, control action, reference) and of their legend.
inline const QColor kColorNivel{255, 0, 0};
inline const QColor kColorAccion{0, 128, 0};
inline const QColor kColorReferencia{255, 255, 0};
/// An identified model's simulated level, drawn dashed over the series.
inline const QColor kColorModelo{0, 0, 139};

/// Outer size of a dialog (frame included) to its client size: a sizeable border and a title bar.
inline constexpr int kMarcoAncho = 8;
inline constexpr int kMarcoAlto = 27;

/// The decimal separator of the user's locale ("." when it is not a single ASCII character).
char SeparadorDecimal();
