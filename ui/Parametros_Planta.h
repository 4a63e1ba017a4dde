#pragma once
// The plant dialog: hydraulic resistance, tank area, maximum level and sample time; below them the plant's model
// (Lineal, Orificio, Dos Tanques), the integrator's clock and the constants of the orifice and the upper tank.

#include "ui/dialogo_parametros.h"

class QComboBox;

class TFrm_Parametros_Planta : public DialogoParametros {
    Q_OBJECT

public:
    explicit TFrm_Parametros_Planta(QWidget* padre = nullptr);

    QComboBox *Modelo_Planta, *Integrador, *Salida_Tanques, *Perturbacion_Tipo;
};

extern TFrm_Parametros_Planta* Frm_Parametros_Planta;
