#pragma once
// The dialog "Identificación de la Planta": the estimates of every method beside the plant's truth, the
// record's level with a model's simulated level over it and the residuals under it, and the model drawn on the
// main chart ("Superponer") or tried on another record ("Validar").

#include <QDialog>
#include <vector>

#include "core/identificacion_grafico.h"

class Dialogos;
class Grafico;
class QCPAxisRect;
class QCPGraph;
class QCustomPlot;
class QLabel;
class QPushButton;
class QTableWidget;

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
    QPushButton *Superponer, *Validar, *Cerrar;
    /// The validation record's level against the model's, in a window of its own; made at the first "Validar".
    QWidget* VentanaValidacion = nullptr;
    QCustomPlot* GraficaValidacion = nullptr;

public slots:
    void SuperponerClick();
    void ValidarClick();

private:
    void LlenarTabla();
    void Dibujar();
    QString TextoNota() const;
    void DibujarValidacion(const QString& archivo, const std::vector<double>& muestras,
                           const std::vector<double>& nivel, const std::vector<double>& modelo);

    Dialogos& dialogos_;
    Grafico* grafico_;
    IdentificacionGrafico g_;
    std::size_t elegido_ = 0;
    std::vector<double> nivelModelo_;
    QCPAxisRect* rectResiduo_ = nullptr;
    QCPGraph *lineaRegistro_ = nullptr, *lineaModelo_ = nullptr, *lineaResiduo_ = nullptr;
};
