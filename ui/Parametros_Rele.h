#pragma once
// The relay experiment's dialog: the inflow with the pump on and off, the hysteresis around the slider's level,
// and the samples of a pipe between the pump and the tank.

#include "ui/dialogo_parametros.h"

class TFrm_Parametros_Rele : public DialogoParametros {
    Q_OBJECT

public:
    explicit TFrm_Parametros_Rele(QWidget* padre = nullptr);
};

extern TFrm_Parametros_Rele* Frm_Parametros_Rele;
