#pragma once
// The step dialog: the amplitude of the open-loop inflow step.

#include "ui/dialogo_parametros.h"

class TFrm_Parametros : public DialogoParametros {
    Q_OBJECT

public:
    explicit TFrm_Parametros(QWidget* padre = nullptr);
};

extern TFrm_Parametros* Frm_Parametros;
