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
    void Mostrar(IdentificacionGrafico g);

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

public slots:
    void SuperponerClick();
    void ValidarClick();

private:
    void LlenarTabla();
    void Dibujar();
    QString TextoNota() const;

    Dialogos& dialogos_;
    Grafico* grafico_;
    IdentificacionGrafico g_;
    std::size_t elegido_ = 0;
    std::vector<double> nivelModelo_;
    QCPAxisRect* rectResiduo_ = nullptr;
    QCPGraph *lineaRegistro_ = nullptr, *lineaModelo_ = nullptr, *lineaResiduo_ = nullptr;
};
