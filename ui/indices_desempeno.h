#pragma once
// The window "Índices de Desempeño": for each run, the indices of the step going on (provisional until the
// next change of the reference or of the inflow) and of the last step finished, as the core computes them at
// every tick; and the settling band, a text like every other parameter, read at each run's start.

#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>

#include "core/observacion/indices.h"

class QLabel;
class QLineEdit;
class QTableWidget;
class Simulador;

/// The names of the indices, in the order of TextosIndices; `cortos` for a table's column headers.
QStringList NombresIndices(bool cortos);
/// The texts of one step's indices, with the locale's decimal separator; "—" where a value is not defined.
QStringList TextosIndices(const IndicesEscalon& e);
/// A number with `decimales` decimals and the locale's separator.
QString NumeroIndice(double x, int decimales);

class TFrm_Indices : public QWidget {
    Q_OBJECT
public:
    explicit TFrm_Indices(QWidget* padre);

    /// Brings the table in line with the core's indices; does nothing while the window is hidden.
    void Mostrar(const Simulador& simulador);

    QLineEdit* Banda_Establecimiento;
    QTableWidget* Tabla;  ///< one row per index; per run a column for the step going on and one for the last
    QLabel* Avisos;       ///< the band's message of a run that started with a bad band

private:
    void Columna(int columna, const std::optional<IndicesEscalon>& e);
};

/// The one indices window, created with the main window.
extern TFrm_Indices* Frm_Indices;
