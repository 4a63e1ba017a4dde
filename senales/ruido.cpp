#include "senales/ruido.h"

#include <algorithm>

#include "base/aritmetica.h"

void ComprobarRuido(const ParametrosRuido& p) {
    if (!(p.desviacion >= 0.0)) throw ErrorTanque(kMensajeRuidoNegativo);
}

namespace {

const ParametrosRuido& Comprobado(const ParametrosRuido& p) {
    ComprobarRuido(p);
    return p;
}

}  // namespace

Ruido::Ruido(const ParametrosRuido& p) : desviacion_(Comprobado(p).desviacion), normal_(p.semilla, kDominioRuido) {}

double Ruido::Valor(std::int64_t n) {
    if (Nulo()) return 0.0;
    return aDouble(desviacion_ * normal_.Valor(std::max<std::int64_t>(n, 0)));
}
