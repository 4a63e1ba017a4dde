#include "ui/Parametros_Planta.h"

#include <QLineEdit>
#include <QPushButton>

TFrm_Parametros_Planta* Frm_Parametros_Planta = nullptr;

TFrm_Parametros_Planta::TFrm_Parametros_Planta(QWidget* padre)
    : DialogoParametros(QStringLiteral("Parametros"), 265, 284, padre) {
    CrearTitulo(QStringLiteral("Parámetros  Planta"), 59, 4);
    // two-line labels: resistance over its edit at the left, area over its edit at the right
    CrearEtiqueta(this, QStringLiteral("Resistencia "), 21, 34);
    CrearEtiqueta(this, QStringLiteral("Hidráulica"), 24, 49);
    CrearEtiqueta(this, QStringLiteral("Area del"), 170, 34);
    CrearEtiqueta(this, QStringLiteral("Tanque"), 173, 49);
    CrearEtiqueta(this, QStringLiteral("Nivel Máximo"), 85, 99);
    CrearEtiqueta(this, QStringLiteral("T Muestreo (mSeg)"), 69, 153);

    QLineEdit* resistencia = CrearEdit(this, "Resistencia", 27, 71, 59);
    QLineEdit* area = CrearEdit(this, "Area", 173, 71, 51);
    QLineEdit* hmax = CrearEdit(this, "HMax", 103, 124, 51);
    QLineEdit* t_sample = CrearEdit(this, "T_Sample", 103, 178, 51);
    Regresar->move(91, 211);

    OrdenTabulacion({resistencia, area, Regresar, t_sample, hmax});
    Centrar();
}
