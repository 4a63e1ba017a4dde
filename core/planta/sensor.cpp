#include "core/planta/sensor.h"

#include <cmath>

#include "base/errores.h"
#include "core/excitacion.h"
#include "core/lectura.h"

namespace {

[[noreturn]] void Rechazar(const char* mensaje, const char* campo) {
    ErrorTanque e(mensaje);
    e.PonerCampo(campo);
    throw e;
}

}  // namespace

ConstantesSensor LeerSensor(const Textos& textos) {
    const TextosCompletos t(textos);
    ConstantesSensor c;
    c.retardo = LeerEntero(t, kSensorRetardo);
    if (c.retardo < 0 || c.retardo > kRetardoMaximo) Rechazar(kRetardoFuera, kSensorRetardo);
    c.constante = LeerDouble(t, kSensorConstante);
    if (!(c.constante >= 0)) Rechazar(kConstanteNegativa, kSensorConstante);
    c.resolucion = LeerDouble(t, kSensorResolucion);
    if (!(c.resolucion >= 0)) Rechazar(kResolucionNegativa, kSensorResolucion);
    return c;
}

void Sensor::Empezar(const ConstantesSensor& c, double T) {
    c_ = c;
    a_ = c.constante > 0 ? std::exp(-T / c.constante) : 0;
    z_ = 0;
    linea_.assign(static_cast<std::size_t>(c.retardo), 0.0);
    cabeza_ = 0;
}

double Sensor::Filtrar(double y) {
    double x = y;
    if (!linea_.empty()) {
        // the oldest level leaves the line as this one enters it
        x = linea_[cabeza_];
        linea_[cabeza_] = y;
        cabeza_ = (cabeza_ + 1) % linea_.size();
    }
    if (c_.constante > 0) {
        z_ = a_ * z_ + (1 - a_) * x;
        return z_;
    }
    return x;
}

float Sensor::Cuantizar(float medida) const {
    if (!(c_.resolucion > 0)) return medida;
    return static_cast<float>(std::round(static_cast<double>(medida) / c_.resolucion) * c_.resolucion);
}
