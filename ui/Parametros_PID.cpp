#include "ui/Parametros_PID.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/corridas/pid.h"

TFrm_Parametros_PID* Frm_Parametros_PID = nullptr;

TFrm_Parametros_PID::TFrm_Parametros_PID(QWidget* padre)
    // the original controls keep their places; the PID's options come below them, in a taller dialog
    : DialogoParametros(QStringLiteral("Parametros"), 275, 320, padre) {
    CrearTitulo(QStringLiteral("Parámetros  PID"), 60, 10);
    CrearEtiqueta(this, QStringLiteral("Kp"), 30, 42);
    CrearEtiqueta(this, QStringLiteral("Ti"), 126, 42);
    CrearEtiqueta(this, QStringLiteral("Td"), 222, 42);

    Regresar->move(106, 109);
    QLineEdit* kp = CrearEdit(this, "Kp", 28, 64, 51);
    QLineEdit* ti = CrearEdit(this, "Ti", 116, 64, 51);
    QLineEdit* td = CrearEdit(this, "Td", 204, 64, 51);

    // what the PID knows of its actuator and its sensor (core/corridas/pid.h); the defaults are the law of before
    constexpr int x = 140, ancho = 105;
    int y = 145;
    const auto fila = [&](const char* rotulo) {
        CrearEtiqueta(this, QString::fromUtf8(rotulo), 12, y + 1);
        const int esta = y;
        y += 29;
        return esta;
    };
    Antisaturacion = CrearCombo(kAntisaturacion, {std::begin(kAntisaturaciones), std::end(kAntisaturaciones)}, x,
                                fila("Antisaturación"), ancho);
    Antisaturacion->setToolTip(QStringLiteral(
        "Con Caudal_Min o Caudal_Max (diálogo de la planta): Ninguna, la integral sigue creciendo (windup); "
        "Condicional, no integra mientras la acción pasa un límite y el error la empuja más allá; Retrocalculo, la "
        "diferencia entre la acción aplicada y la calculada vuelve a la integral con el tiempo Tt."));
    QLineEdit* tt = CrearEdit(this, kTt, x, fila("Tt (s)"), 70);
    tt->setToolTip(QStringLiteral("Tiempo de seguimiento del retrocálculo; vacío: √(Ti·Td), o Ti si Td = 0."));
    QLineEdit* n = CrearEdit(this, kFiltroN, x, fila("Filtro N"), 70);
    n->setToolTip(QStringLiteral("La derivada pasa por un filtro de constante Td/N; vacío: sin filtro."));
    Derivada = CrearCombo(kDerivada, {std::begin(kDerivadas), std::end(kDerivadas)}, x, fila("Derivada de"), ancho);
    Derivada->setToolTip(
        QStringLiteral("Error: la derivada de r − y. Medicion: la de −y, sin golpe cuando cambia la referencia."));
    QLineEdit* b = CrearEdit(this, kPesoB, x, fila("Peso b"), 70);
    b->setToolTip(QStringLiteral("El peso de la referencia en el término proporcional: Kp·(b·r − y)."));

    // Regresar comes first, so it holds the focus when the dialog opens
    OrdenTabulacion({Regresar, kp, ti, td, Antisaturacion, tt, n, Derivada, b});
    Centrar();
}
