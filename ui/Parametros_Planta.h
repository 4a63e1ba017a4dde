#pragma once
// The plant dialog: hydraulic resistance, tank area, maximum level and sample time.

#include "ui/dialogo_parametros.h"

class TFrm_Parametros_Planta : public DialogoParametros {
    Q_OBJECT

public:
    explicit TFrm_Parametros_Planta(QWidget* padre = nullptr);
};

extern TFrm_Parametros_Planta* Frm_Parametros_Planta;
