#include "ui/Parametros_Reac.h"

#include <QLineEdit>
#include <QPushButton>

TFrm_Parametros* Frm_Parametros = nullptr;

TFrm_Parametros::TFrm_Parametros(QWidget* padre) : DialogoParametros(QStringLiteral("Parametros"), 339, 196, padre) {
    CrearTitulo(QStringLiteral("Parámetros  Reacción"), 76, 10);
    CrearEtiqueta(this, QStringLiteral("Amplitud Escalón"), 115, 34);
    QLineEdit* alto = CrearEdit(this, "Alto_Escalon", 129, 56, 59);
    Regresar->move(127, 95);
    OrdenTabulacion({alto, Regresar});
    // this dialog opens at a fixed place, not centred
    move(270, 177);
}
