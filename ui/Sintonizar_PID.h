#pragma once
// The dialog "Sintonizar el PID": a tuning rule on the model of the last identification or on the plant's
// truth, the gains and margins of every rule in a table, the chosen rule's predicted step, and "Aplicar", which
// writes the chosen gains into the PID dialog's texts.

#include <QDialog>
#include <optional>
#include <vector>

#include "sintonia/sintonia.h"

class Dialogos;
class QCheckBox;
class QComboBox;
class QCPGraph;
class QCustomPlot;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TextosVentanas;

/// A model to tune on, with the words that say where it comes from.
struct FuenteSintonia {
    ModeloConRetardo modelo;
    Muestreo muestreo;
    QString descripcion;
};

class TFrm_Sintonizar : public QDialog {
    Q_OBJECT
public:
    /// The table's columns, after the rule's name.
    enum Columna { ColRegla, ColKp, ColTi, ColTd, ColMargenGanancia, ColMargenFase, ColMs, ColSobreimpulso,
                   ColEstablecimiento, kColumnas };

    TFrm_Sintonizar(QWidget* padre, Dialogos& dialogos, TextosVentanas& textos);

    /// The models the "Modelo" combo offers; any may be absent (no identification yet, a plant text that does
    /// not convert, no relay experiment read), and its entry is then disabled. Recomputes.
    void PonerFuentes(std::optional<FuenteSintonia> identificada, std::optional<FuenteSintonia> verdad,
                      std::optional<FuenteSintonia> rele = std::nullopt);
    /// The model's entries, in the combo's order.
    enum { FuenteIdentificada, FuenteVerdad, FuenteRele, kFuentes };
    /// "Ensayo de relé": enabled as the main window's entry, its caption as the run goes.
    void EstadoRele(bool habilitado, bool activo);

    /// The tuning of each rule, in the order of Regla (absent where the rule refused the model), as the table
    /// shows it.
    const std::vector<std::optional<Sintonia>>& Resultados() const { return resultados_; }
    /// The rule chosen in "Regla", whose step is drawn and whose gains "Aplicar" writes.
    Regla Elegida() const;

    QComboBox *Modelo, *ReglaCombo, *AccionCombo;
    QDoubleSpinBox* Perilla;
    QCheckBox* PerillaPorOmision;  ///< the knob at its default, the model's delay
    QLabel *Modelo_Label, *Perilla_Label, *Nota;
    QTableWidget* Tabla;
    QCustomPlot* Grafica;
    QPushButton *Aplicar, *Cerrar;
    QPushButton* EnsayoRele;  ///< starts the relay experiment on the main window, or stops it

signals:
    void PedirEnsayoRele();
    /// "Aplicar" wrote the gains of `s` into the PID dialog's texts.
    void Aplicado(const Sintonia& s);

public slots:
    void Recalcular();
    /// Writes Kp, Ti and Td of the chosen rule into the PID dialog's texts, with the texts' decimal separator.
    void AplicarClick();

private:
    void LlenarTabla();
    void Dibujar();
    const FuenteSintonia* Fuente() const;

    Dialogos& dialogos_;
    TextosVentanas& textos_;
    std::optional<FuenteSintonia> fuentes_[kFuentes];
    std::vector<std::optional<Sintonia>> resultados_;
    std::vector<QString> motivos_;
    QCPGraph *lineaNivel_ = nullptr, *lineaReferencia_ = nullptr;
};
