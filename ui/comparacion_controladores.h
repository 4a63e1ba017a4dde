#pragma once
// The window of "Comparar Controladores...": the PID and the fuzzy run on the same reference schedule, run
// without windows, their levels and actions on one chart and their indices, step by step, in one table.

#include <QWidget>

#include <vector>

#include "core/comparacion.h"

class QCustomPlot;
class QLabel;
class QTableWidget;

class TFrm_Comparacion : public QWidget {
    Q_OBJECT
public:
    explicit TFrm_Comparacion(QWidget* padre);

    /// Shows the result of CompararControladores over `calendario` and `muestras` samples.
    void Mostrar(const ResultadoComparacion& r, const std::vector<CambioReferencia>& calendario, std::int64_t muestras);

    /// The colours of the PID's and the fuzzy controller's lines (level; the action is the same, dashed).
    static QColor ColorPID();
    static QColor ColorFuzzy();

    QCustomPlot* Grafico;  ///< graphs: reference, PID level, fuzzy level, PID action, fuzzy action
    QTableWidget* Tabla;   ///< per step, a PID row then a fuzzy row
    QLabel* Calendario;    ///< the schedule compared on
};

/// The schedule as the window tells it: "Referencia 1 desde la muestra 0; 3 desde la 80. 521 muestras
/// (margen de 320 tras el último cambio)."
QString TextoCalendario(const std::vector<CambioReferencia>& calendario, std::int64_t muestras);
