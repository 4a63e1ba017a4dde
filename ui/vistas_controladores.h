#pragma once
// The views of the controllers that the main window's "Opciones" menu opens after its original entries:
// "Índices de Desempeño", "Superficie de Control" and "Comparar Controladores...". They follow the core
// after each of its changes (Sincronizar), and the fuzzy dialog's rule grid is shaded by the last tick.

#include <QObject>

#include <cstdint>

class QAction;
class QMenu;
class QSlider;
class QWidget;
class Simulador;
class TFrm_Comparacion;
class TFrm_Superficie;

class VistasControladores : public QObject {
    Q_OBJECT
public:
    /// The views of `simulador`, windows of `ventana`; the comparison starts from `slider` when no schedule was
    /// read. Creates the indices window (hidden), whose band the runs read at their start.
    VistasControladores(QWidget* ventana, Simulador& simulador, const QSlider& slider);
    ~VistasControladores() override;

    /// Appends a separator and the three entries to the menu.
    void AgregarEntradas(QMenu* opciones);
    /// Brings the views in line with the core after it changed (Cambio bits).
    void Sincronizar(unsigned cambios);

    /// The windows, once opened; nullptr before.
    TFrm_Superficie* Superficie() const { return superficie_; }
    TFrm_Comparacion* Comparacion() const { return comparacion_; }

    QAction *IndicesDesempeno1 = nullptr, *SuperficieControl1 = nullptr, *CompararControladores1 = nullptr;

public slots:
    void IndicesDesempeno1Click();
    void SuperficieControl1Click();
    void CompararControladores1Click();

private:
    void Recalcular();
    void Sombrear();

    QWidget* ventana_;
    Simulador& simulador_;
    const QSlider& slider_;
    TFrm_Superficie* superficie_ = nullptr;
    TFrm_Comparacion* comparacion_ = nullptr;
    std::uint64_t inferencias_ = 0;  // the last inference shown
    bool fuzzyActivo_ = false;
    bool controladorNuevo_ = true;  // the surface has not been computed for the controller of now
    bool sinInferencia_ = true;     // no inference since the last initialisation
};
