#pragma once
// The fonts and colours of the windows: the nearest installed faces at the pixel heights of the design.

#include <QColor>
#include <QFont>

class QLabel;
class QWidget;

/// The window font: a plain sans-serif face at 11 pixels (the old "MS Sans Serif").
QFont FuenteVentana();
/// A sans-serif face at the given pixel height, for the reference labels of the main window.
QFont FuenteSans(int pixeles);
/// A serif face at the given pixel height (the old "Times New Roman"): 19 for titles, 16 for labels.
QFont FuenteSerif(int pixeles);

inline const QColor kRojoTitulo{255, 0, 0};
inline const QColor kAzulEtiqueta{0, 0, 255};

/// The colours of the chart's three series (level, control action, reference) and of their legend. The
/// reference is a darker yellow than pure yellow, which hardly shows on the window's grey.
inline const QColor kColorNivel{255, 0, 0};
inline const QColor kColorAccion{0, 128, 0};
inline const QColor kColorReferencia{230, 195, 0};
inline const QColor kColorPerturbacion{200, 100, 0};  ///< the load disturbance, dashed, only when one is on

/// The frame of every modal window, the parameter dialogs, the message boxes and the save dialog: a title
/// with the system menu and a close button, no minimise or maximise button. A modal window minimised would
/// leave the main window blocked with nothing on screen to unblock it. (Without CustomizeWindowHint an X11
/// window manager is told nothing and draws all its buttons.)
inline constexpr Qt::WindowFlags kMarcoModal =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
/// An identified model's simulated level, drawn dashed over the series.
inline const QColor kColorModelo{0, 0, 139};

/// Outer size of a dialog (frame included) to its client size: a sizeable border and a title bar.
inline constexpr int kMarcoAncho = 8;
inline constexpr int kMarcoAlto = 27;

/// The decimal separator of the user's locale ("." when it is not a single ASCII character).
char SeparadorDecimal();

/// A label of `texto` at (x, y) in `padre`, in `fuente` and `color`, as large as its text.
QLabel* EtiquetaEn(QWidget* padre, const QString& texto, int x, int y, const QFont& fuente, const QColor& color);
