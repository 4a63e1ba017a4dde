#pragma once
// The window of "Comparar Controladores...": the runs that follow a reference (the PID and the fuzzy run) on the
// same reference schedule, run without windows, their levels and actions on one chart and their indices, step by
// step, in one table.

#include <QWidget>

#include <vector>

#include "core/comparacion.h"

class QCPGraph;
class QCustomPlot;
class QLabel;
class QTableWidget;

class TFrm_Comparacion : public QWidget {
    Q_OBJECT
public:
    explicit TFrm_Comparacion(QWidget* padre);

    /// Shows the result of CompararControladores over `calendario` and `muestras` samples.
    void Mostrar(const ResultadoComparacion& r, const std::vector<CambioReferencia>& calendario, std::int64_t muestras);

    /// The colour of the k-th run compared (its level; its action is the same, dashed): the PID's, the fuzzy
    /// controller's.
    static QColor ColorDe(std::size_t k);

    QCustomPlot* Grafico;  ///< graphs: reference, each run's level (PID, fuzzy), each run's action
    QTableWidget* Tabla;   ///< per step, a row of each run (PID, fuzzy)
    QLabel* Calendario;    ///< the schedule compared on

private:
    /// The graphs of the k-th run compared.
    QCPGraph* Nivel(std::size_t k) const;
    QCPGraph* Accion(std::size_t k) const;
};

/// The schedule as the window tells it: "Referencia 1 desde la muestra 0; 3 desde la 80. 521 muestras
/// (margen de 320 tras el último cambio)."
QString TextoCalendario(const std::vector<CambioReferencia>& calendario, std::int64_t muestras);
