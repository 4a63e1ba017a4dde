#pragma once
// The PID dialog: proportional gain, integral time and derivative time.

#include "ui/dialogo_parametros.h"

class TFrm_Parametros_PID : public DialogoParametros {
    Q_OBJECT

public:
    explicit TFrm_Parametros_PID(QWidget* padre = nullptr);
};

extern TFrm_Parametros_PID* Frm_Parametros_PID;
