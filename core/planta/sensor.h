#pragma once
// The level sensor: a transport delay of Sensor_Retardo samples, a first-order lag of Sensor_Constante seconds and
// a quantisation step Sensor_Resolucion, on top of the measurement's noise. The controllers and the record see its
// output; the plant, the overflow and the truth go on with the true level. All 0 (the default) is the perfect
// sensor of before, bit for bit.

#include <cstdint>
#include <vector>

#include "core/textos.h"

inline constexpr const char* kSensorRetardo = "Sensor_Retardo";
inline constexpr const char* kSensorConstante = "Sensor_Constante";
inline constexpr const char* kSensorResolucion = "Sensor_Resolucion";
inline constexpr std::int32_t kRetardoMaximo = 10000;
inline constexpr const char* kRetardoFuera = "Sensor_Retardo debe estar entre 0 y 10000 muestras";
inline constexpr const char* kConstanteNegativa = "Sensor_Constante no puede ser negativa";
inline constexpr const char* kResolucionNegativa = "Sensor_Resolucion no puede ser negativa";

struct ConstantesSensor {
    std::int32_t retardo = 0;  ///< samples
    double constante = 0;      ///< s, the lag's time constant
    double resolucion = 0;     ///< the quantisation step; 0: none
    bool Activo() const { return retardo > 0 || constante > 0 || resolucion > 0; }
};

/// Reads the sensor's texts (a text the texts lack takes its default). Throws ErrorConversion or ErrorTanque,
/// naming the text.
ConstantesSensor LeerSensor(const Textos& textos);

/// The sensor's memory over one run: the true levels still on their way and the lag's output.
class Sensor {
public:
    /// A run's press: the tank is empty, so the delay line and the lag start at the level 0. T, the sample period.
    void Empezar(const ConstantesSensor& c, double T);
    /// The true level of this sample through the delay and the lag: x(n - d), then z = a z + (1 - a) x with
    /// a = exp(-T / Tc), the lag's exact response to a level held over each sample.
    double Filtrar(double y);
    /// The measurement rounded to the nearest multiple of the resolution.
    float Cuantizar(float medida) const;
    const ConstantesSensor& Constantes() const { return c_; }

private:
    ConstantesSensor c_;
    double a_ = 0;
    double z_ = 0;
    std::vector<double> linea_;  // ring of the last `retardo` true levels
    std::size_t cabeza_ = 0;
};
