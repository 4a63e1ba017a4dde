#include "senales/gaussiana.h"

#include <algorithm>

#include "base/aritmetica.h"

SenalGaussiana::SenalGaussiana(const ParametrosSenal& p)
    : normal_(p.semilla, kDominioSenal),
      periodo_(p.periodo),
      minimo_(p.minimo),
      maximo_(p.maximo),
      // at extended precision, where (max + min) and (max - min) of any two Doubles are finite
      media_((static_cast<long double>(p.maximo) + p.minimo) * 0.5L),
      desviacion_((static_cast<long double>(p.maximo) - p.minimo) * 0.25L) {}

double SenalGaussiana::Valor(std::int64_t n) {
    // media + desviacion z, clipped at extended precision, rounded once
    const long double v = media_ + desviacion_ * normal_.Valor(n / periodo_);
    return aDouble(std::clamp<long double>(v, minimo_, maximo_));
}
