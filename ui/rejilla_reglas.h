#pragma once
// The rule grid: 6 x 6 cells, a fixed header row and column around a 5 x 5 body of texts that the user
// selects by range and edits in place.

#include <QString>
#include <QTableWidget>

class RejillaReglas : public QTableWidget {
    Q_OBJECT

public:
    explicit RejillaReglas(QWidget* padre);

    /// The text of cell (columna, fila), both 0 to 5; row 0 and column 0 are the headers, the corner is "".
    QString Celda(int columna, int fila) const;
    /// Writes the text of cell (columna, fila), a header cell when `columna` or `fila` is 0.
    void PonerCelda(int columna, int fila, const QString& texto);

private:
    // the item of a cell in grid coordinates; nullptr for the corner and outside the grid
    QTableWidgetItem* Casilla(int columna, int fila) const;
};
