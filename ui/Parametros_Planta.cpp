#include "ui/Parametros_Planta.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/planta/bomba.h"
#include "core/planta/perturbacion.h"
#include "core/planta/sensor.h"
#include "core/planta/tanques.h"
#include "senales/tipo_senal.h"

TFrm_Parametros_Planta* Frm_Parametros_Planta = nullptr;

TFrm_Parametros_Planta::TFrm_Parametros_Planta(QWidget* padre)
    // the original controls keep their places; the models' controls come below them, in a taller dialog
    // the loop's controls (pump, sensor, disturbance) in a column of their own at the right
    : DialogoParametros(QStringLiteral("Parametros"), 540, 520, padre) {
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

    // the models of the plant and the integrator's clock (core/planta/tanques.h)
    constexpr int x = 140, ancho = 105;
    int y = 250;
    const auto fila = [&](const char* rotulo) {
        CrearEtiqueta(this, QString::fromUtf8(rotulo), 12, y + 1);
        const int esta = y;
        y += 29;
        return esta;
    };
    Modelo_Planta = CrearCombo(kModeloPlanta, {kModelosPlanta.begin(), kModelosPlanta.end()}, x, fila("Modelo"), ancho);
    Modelo_Planta->setToolTip(
        QStringLiteral("Lineal: el tanque del programa, caudal de salida = nivel / Resistencia.\n"
                       "Orificio: caudal de salida = Coef_Descarga × √nivel.\n"
                       "Dos Tanques: la entrada llena un tanque superior (Area_2) que desagua en el tanque medido; "
                       "sobre HMax_2 el superior derrama y ese caudal se pierde."));
    Integrador = CrearCombo(kIntegrador, {kIntegradores.begin(), kIntegradores.end()}, x, fila("Integrador"), ancho);
    Integrador->setToolTip(QStringLiteral(
        "Programa: los subpasos de T/10 del programa original (10 u 11: cada muestra puede abarcar 1,1·T).\n"
        "Exacto: 8 subpasos de T/8, cuya suma es T exactamente."));
    QLineEdit* coef = CrearEdit(this, "Coef_Descarga", x, fila("Coef. Descarga"), 70);
    coef->setToolTip(QStringLiteral(
        "k del orificio del tanque medido: caudal = k·√nivel. Por omisión 1.58113883 = √2,5: a la mitad de "
        "HMax (2,5) su resistencia linealizada 2·√h/k vale 2, la Resistencia por omisión."));
    Salida_Tanques = CrearCombo(kSalidaTanques, {kSalidas.begin(), kSalidas.end()}, x, fila("Salida Tanques"), ancho);
    Salida_Tanques->setToolTip(QStringLiteral(
        "La ley de salida de ambos tanques de Dos Tanques: Lineal (Resistencia, Resistencia_2) u Orificio "
        "(Coef_Descarga, Coef_Descarga_2)."));
    QLineEdit* area2 = CrearEdit(this, "Area_2", x, fila("Area Tanque 2"), 70);
    area2->setToolTip(QStringLiteral("Area del tanque superior de Dos Tanques."));
    QLineEdit* resistencia2 = CrearEdit(this, "Resistencia_2", x, fila("Resistencia 2"), 70);
    resistencia2->setToolTip(QStringLiteral("Resistencia de salida del tanque superior (Salida_Tanques Lineal)."));
    QLineEdit* coef2 = CrearEdit(this, "Coef_Descarga_2", x, fila("Coef. Descarga 2"), 70);
    coef2->setToolTip(QStringLiteral("k del orificio del tanque superior (Salida_Tanques Orificio)."));
    QLineEdit* hmax2 = CrearEdit(this, "HMax_2", x, fila("Nivel Máximo 2"), 70);
    hmax2->setToolTip(QStringLiteral(
        "Borde del tanque superior: lo que sube por encima se derrama fuera del sistema (no detiene la corrida)."));

    // the loop as in a lab (core/planta/bomba.h, sensor.h, perturbacion.h): empty limits, a perfect sensor and no
    // disturbance by default
    constexpr int x2 = 410, etiqueta2 = 270;
    y = 34;
    const auto fila2 = [&](const char* rotulo) {
        CrearEtiqueta(this, QString::fromUtf8(rotulo), etiqueta2, y + 1);
        const int esta = y;
        y += 29;
        return esta;
    };
    QLineEdit* qmin = CrearEdit(this, kCaudalMin, x2, fila2("Caudal Mínimo"), 70);
    qmin->setToolTip(QStringLiteral("El menor caudal que da la bomba en cada corrida; vacío: sin límite."));
    QLineEdit* qmax = CrearEdit(this, kCaudalMax, x2, fila2("Caudal Máximo"), 70);
    qmax->setToolTip(QStringLiteral("El mayor caudal que da la bomba en cada corrida; vacío: sin límite."));
    QLineEdit* retardo = CrearEdit(this, kSensorRetardo, x2, fila2("Sensor Retardo"), 70);
    retardo->setToolTip(QStringLiteral("Muestras de retardo del nivel medido (0 a 10000)."));
    QLineEdit* constante = CrearEdit(this, kSensorConstante, x2, fila2("Sensor Constante"), 70);
    constante->setToolTip(QStringLiteral("Segundos del retraso de primer orden del sensor; 0: ninguno."));
    QLineEdit* resolucion = CrearEdit(this, kSensorResolucion, x2, fila2("Sensor Resolución"), 70);
    resolucion->setToolTip(QStringLiteral("El paso de cuantización del nivel medido; 0: sin cuantizar."));
    std::vector<const char*> tipos{kSinPerturbacion};
    tipos.insert(tipos.end(), kNombresTipo.begin(), kNombresTipo.end());
    Perturbacion_Tipo = CrearCombo(kPerturbacionTipo, tipos, x2, fila2("Perturbación"), 110);
    Perturbacion_Tipo->setToolTip(QStringLiteral(
        "Un caudal que sale por una segunda salida del tanque, como una señal de excitación con sus textos "
        "propios y su semilla; el Escalón es el caudal constante Perturbacion_Maximo."));
    std::vector<QWidget*> orden{resistencia, area, Regresar, t_sample, hmax, Modelo_Planta, Integrador, coef,
                                Salida_Tanques, area2, resistencia2, coef2, hmax2, qmin, qmax, retardo, constante,
                                resolucion, Perturbacion_Tipo};
    const std::pair<const char*, const char*> perturbacion[] = {
        {"Perturbacion_Inicio", "Pert. Inicio"},       {"Perturbacion_Minimo", "Pert. Mínimo"},
        {"Perturbacion_Maximo", "Pert. Máximo"},       {"Perturbacion_Periodo", "Pert. Periodo"},
        {"Perturbacion_Orden", "Pert. Orden"},         {"Perturbacion_Semilla", "Pert. Semilla"},
        {"Perturbacion_Frecuencia_Min", "Pert. Frec. Mín."}, {"Perturbacion_Frecuencia_Max", "Pert. Frec. Máx."},
        {"Perturbacion_Componentes", "Pert. Componentes"}, {"Perturbacion_Longitud", "Pert. Longitud"}};
    for (const auto& [nombre, rotulo] : perturbacion) orden.push_back(CrearEdit(this, nombre, x2, fila2(rotulo), 70));

    OrdenTabulacion(orden);
    Centrar();
}
