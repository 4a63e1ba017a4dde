#pragma once
// The window "Índices de Desempeño": for each run, the indices of the step going on (provisional until the
// next change of the reference or of the inflow) and of the last step finished, as the core computes them at
// every tick; and the settling band, a text like every other parameter, read at each run's start.

#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>
#include <vector>

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

/// The closed-loop step that "Aplicar" of the tuning dialog predicted for a unit reference step from rest
/// (sintonia/lazo.h), which the next PID runs are compared with.
struct PrediccionAplicada {
    QString titulo;                         ///< the rule and the gains written, "SIMC PI: Kp = 20, Ti = 2, Td = 0"
    double T = 0;                           ///< s per sample
    std::vector<double> nivel;              ///< the level of each sample
    std::optional<double> sobreimpulso;     ///< percent
    std::optional<double> establecimiento;  ///< s, in a band of 2 %
    double iae = 0;                         ///< sum |1 - y| T over the prediction, as the indices sum it
};

/// The comparison's rows: predicted and measured side by side.
QStringList NombresComparacion();

class TFrm_Indices : public QWidget {
    Q_OBJECT
public:
    explicit TFrm_Indices(QWidget* padre);

    /// Brings the table in line with the core's indices; does nothing while the window is hidden.
    void Mostrar(const Simulador& simulador);

    QLineEdit* Banda_Establecimiento;
    QTableWidget* Tabla;  ///< one row per index; per run a column for the step going on and one for the last
    QLabel* Avisos;       ///< the band's message of a run that started with a bad band

    /// The prediction of the last "Aplicar", or none; shows the comparison with the PID run's step going on.
    void PonerPrediccion(std::optional<PrediccionAplicada> p);
    const std::optional<PrediccionAplicada>& Prediccion() const { return prediccion_; }
    QLabel* Sintonia_Label;   ///< which tuning is compared, hidden without one
    QTableWidget* Comparacion;  ///< rows NombresComparacion, columns predicted and measured

private:
    void Comparar(const Simulador& simulador);
    std::optional<PrediccionAplicada> prediccion_;
    int altoSinComparacion_ = 0;

    void Columna(int columna, const std::optional<IndicesEscalon>& e);
    // the row of the time at a pump limit, shown (and the window one row taller) only while a run has one
    void MostrarFilaSaturado(bool mostrar);
    int filaSaturado_ = 0;
};

/// The one indices window, created with the main window.
extern TFrm_Indices* Frm_Indices;
