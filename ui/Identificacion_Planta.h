#pragma once
// The dialog "Identificación de la Planta": the estimates of every method beside the plant's truth, the
// record's level with a model's simulated level over it and the residuals under it, and the model drawn on the
// main chart ("Superponer") or tried on another record ("Validar"); the record's warnings, and in tabs the
// residuals' correlations with their verdict, the Bode plot, the scan of orders and, for the orifice tank, the
// grey-box model beside the linear one.

#include <QDialog>
#include <vector>

#include "core/analisis_grafico.h"
#include "core/identificacion_grafico.h"

class Dialogos;
class Grafico;
class QCPAxisRect;
class QCPGraph;
class QCustomPlot;
class QLabel;
class QPushButton;
class QTableWidget;
class QTabWidget;

class TFrm_Identificacion : public QDialog {
    Q_OBJECT
public:
    /// `dialogos` shows its messages and the open dialog; `grafico` is the main chart that Superponer draws on.
    TFrm_Identificacion(QWidget* padre, Dialogos& dialogos, Grafico* grafico);

    /// Shows an identification: the table, the chosen method's model on the chart; no validation yet.
    /// `senal` names the open-loop run's signal ("PRBS orden 7") when it was not the step.
    void Mostrar(IdentificacionGrafico g, const QString& senal = {});

    const IdentificacionGrafico& Resultado() const { return g_; }
    /// The method whose model is shown, superposed and validated (an index of Resultado().metodos).
    std::size_t Elegido() const { return elegido_; }
    /// Chooses the method of that index, if it has an estimate; the table's row does the same.
    void Elegir(std::size_t metodo);
    /// The chosen model's simulated level at each sample of the record.
    const std::vector<double>& NivelModelo() const { return nivelModelo_; }

    QTableWidget* Tabla;
    QLabel *Registro_Label, *Nota, *Validacion;
    QCustomPlot* Grafica;
    /// The record's warnings (hidden when there is none); the grey box of the orifice tank (hidden for others).
    QLabel *Avisos, *Orificio;
    /// Tabs: "Registro" (Grafica), "Residuos", "Bode", "Órdenes".
    QTabWidget* Vistas;
    QLabel* Veredicto;  ///< the chosen method's residual verdict and its two tests
    /// Autocorrelation of the residuals (lags 1 .. M) over their cross-correlation with the input (-M .. M),
    /// each with its 99 % band.
    QCustomPlot* GraficaResiduos;
    /// Magnitude (dB) over phase (degrees) on a logarithmic frequency axis: the record's estimate with its band,
    /// the plant and the chosen model.
    QCustomPlot* GraficaBode;
    QLabel* NotaBode;
    QTableWidget* TablaOrdenes;
    QLabel* NotaOrdenes;
    const AnalisisGrafico& Analisis() const { return analisis_; }
    QPushButton *Superponer, *Validar, *Cerrar;
    /// The validation record's level against the model's, in a window of its own; made at the first "Validar".
    QWidget* VentanaValidacion = nullptr;
    QCustomPlot* GraficaValidacion = nullptr;

public slots:
    void SuperponerClick();
    void ValidarClick();

private:
    void ConstruirPestanas();
    void LlenarTabla();
    void Dibujar();
    void DibujarResiduos();
    void DibujarBode();
    void LlenarOrdenes();
    void MostrarAvisos();
    QString TextoNota() const;
    void DibujarValidacion(const QString& archivo, const std::vector<double>& muestras,
                           const std::vector<double>& nivel, const std::vector<double>& modelo);

    Dialogos& dialogos_;
    Grafico* grafico_;
    IdentificacionGrafico g_;
    AnalisisGrafico analisis_;
    QCPGraph* lineaOrificio_ = nullptr;
    std::size_t elegido_ = 0;
    std::vector<double> nivelModelo_;
    QCPAxisRect* rectResiduo_ = nullptr;
    QCPGraph *lineaRegistro_ = nullptr, *lineaModelo_ = nullptr, *lineaResiduo_ = nullptr;
};
