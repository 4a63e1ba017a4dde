#pragma once
// The PID dialog: proportional gain, integral time and derivative time; below them the anti-windup, the
// derivative's filter and input, and the set-point's weight.

#include "ui/dialogo_parametros.h"

class QComboBox;

class TFrm_Parametros_PID : public DialogoParametros {
    Q_OBJECT

public:
    explicit TFrm_Parametros_PID(QWidget* padre = nullptr);

    QComboBox *Antisaturacion, *Derivada;
};

extern TFrm_Parametros_PID* Frm_Parametros_PID;
