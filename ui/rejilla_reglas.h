#pragma once
// The rule grid: 6 x 6 cells, a fixed header row and column around a 5 x 5 body of texts that the user
// selects by range and edits in place.

#include <QColor>
#include <QString>
#include <QTableWidget>

#include <optional>

#include "fuzzy/fuerzas.h"

class RejillaReglas : public QTableWidget {
    Q_OBJECT

public:
    explicit RejillaReglas(QWidget* padre);

    /// The text of cell (columna, fila), both 0 to 5; row 0 and column 0 are the headers, the corner is "".
    QString Celda(int columna, int fila) const;
    /// Writes the text of cell (columna, fila), a header cell when `columna` or `fila` is 0.
    void PonerCelda(int columna, int fila, const QString& texto);

    /// Shades each body cell by the strength with which its rule fired (row: error set, column: derivative
    /// set); nothing takes the shading away. Repaints only the cells whose strength changed.
    void PonerFuerzas(const std::optional<TablaFuerzas>& fuerzas);
    /// The strength that shades body cell (columna, fila), both 1 to 5; nothing without shading.
    std::optional<double> Fuerza(int columna, int fila) const;
    /// White for 0 to dark blue for 1, linear in each channel; a strength outside 0 to 1 is held at its end.
    static QColor ColorFuerza(double fuerza);

private:
    // the item of a cell in grid coordinates; nullptr for the corner and outside the grid
    QTableWidgetItem* Casilla(int columna, int fila) const;

    std::optional<TablaFuerzas> fuerzas_;
};
