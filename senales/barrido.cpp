#include "senales/barrido.h"

#include <algorithm>

#include "base/aritmetica.h"
#include "senales/elementales.h"

SenalBarrido::SenalBarrido(const ParametrosSenal& p)
    : longitud_(p.longitud),
      minimo_(p.minimo),
      maximo_(p.maximo),
      f0_(static_cast<long double>(p.frecuenciaMin) * 0.5L),
      pendiente_(Dividir(static_cast<long double>(p.frecuenciaMax) - p.frecuenciaMin, 4.0L * p.longitud)),
      media_((static_cast<long double>(p.maximo) + p.minimo) * 0.5L),
      amplitud_((static_cast<long double>(p.maximo) - p.minimo) * 0.5L) {}

double SenalBarrido::Valor(std::int64_t n) {
    const long double t = static_cast<long double>(n % longitud_);
    // phase in turns: (f0 t + (f1 - f0) t^2 / (2 L)) / 2, below L / 2 turns
    const long double vueltas = t * (f0_ + pendiente_ * t);
    return aDouble(std::clamp<long double>(media_ + amplitud_ * SenoVueltas(vueltas), minimo_, maximo_));
}
