#pragma once
// A chart saved as a picture for a report: PNG, SVG or PDF by the name's extension, from its context menu
// ("Guardar imagen..."), with axis titles and the legend of its named lines.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QCustomPlot;
class QWidget;

/// The axis titles of a saved picture, for the axes that show none on the screen.
struct TitulosImagen {
    QString x;
    QString y;
};

/// Saves `grafico` as PNG, SVG or PDF by the extension of `nombre` (PNG for any other), at its size on the
/// screen, with the titles for untitled axes and a legend of the named lines, as it is saved only: the chart on
/// the screen does not change. Returns "" or the failure in Spanish.
QString GuardarImagen(QCustomPlot* grafico, const QString& nombre, const TitulosImagen& titulos);

/// Gives `grafico` a context menu with "Guardar imagen...": the name asked through the hook below, the
/// failure shown in a message.
void MenuImagen(QCustomPlot* grafico, const TitulosImagen& titulos);

/// The modal windows of the menu, which tests replace: the name (nothing when cancelled) and the message.
struct DialogosImagen {
    std::function<std::optional<QString>(QWidget*)> nombre;
    std::function<void(QWidget*, const QString&)> mensaje;
};
/// Puts `d` in place of Qt's save dialog and message box; returns those it replaced.
DialogosImagen PonerDialogosImagen(DialogosImagen d);

/// The filters of the picture's save dialog, PNG first.
QStringList FiltrosImagen();
