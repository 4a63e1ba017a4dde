#include "ui/Parametros_PID.h"

#include <QLineEdit>
#include <QPushButton>

TFrm_Parametros_PID* Frm_Parametros_PID = nullptr;

TFrm_Parametros_PID::TFrm_Parametros_PID(QWidget* padre)
    : DialogoParametros(QStringLiteral("Parametros"), 275, 180, padre) {
    CrearTitulo(QStringLiteral("Parámetros  PID"), 60, 10);
    CrearEtiqueta(this, QStringLiteral("Kp"), 30, 42);
    CrearEtiqueta(this, QStringLiteral("Ti"), 126, 42);
    CrearEtiqueta(this, QStringLiteral("Td"), 222, 42);

    Regresar->move(106, 109);
    QLineEdit* kp = CrearEdit(this, "Kp", 28, 64, 51);
    QLineEdit* ti = CrearEdit(this, "Ti", 116, 64, 51);
    QLineEdit* td = CrearEdit(this, "Td", 204, 64, 51);

    // Regresar comes first, so it holds the focus when the dialog opens
    OrdenTabulacion({Regresar, kp, ti, td});
    Centrar();
}
