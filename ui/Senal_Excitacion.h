#pragma once
// The excitation signal dialog: the open-loop run's signal (its type and parameters) and the measurement noise,
// with a drawing of the signal that the texts give, its power spectrum, and the steady level that the signal's
// maximum would give against the tank's maximum level.

#include <optional>
#include <string_view>

#include "senales/generador.h"
#include "ui/dialogo_parametros.h"

class QComboBox;
class QCustomPlot;
class QLabel;
class QShowEvent;

class TFrm_Senal_Excitacion : public DialogoParametros {
    Q_OBJECT

public:
    explicit TFrm_Senal_Excitacion(QWidget* padre = nullptr);

    /// The text of Senal_Tipo (the combo's caption) or of an edit of this dialog; nothing for another name.
    std::optional<QString> Texto(std::string_view nombre) const;

    QComboBox* Senal_Tipo;
    QCustomPlot* Grafica;   ///< the inflow of the first samples
    QCustomPlot* Espectro;  ///< its power spectrum
    QLabel* Mensaje;        ///< a bad text's message, shown instead of the drawing
    QLabel* Estacionario;   ///< the steady level of the signal's maximum against HMax; red when above it
    QLabel* EtiquetaRuido;

public slots:
    /// Reads the texts again: the edits that the type uses enabled, the drawing, the spectrum and the advice.
    void Actualizar();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    std::optional<GeneradorSenal> generador_;  // of the texts drawn last, built again only when they change
};

extern TFrm_Senal_Excitacion* Frm_Senal_Excitacion;
