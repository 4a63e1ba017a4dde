#include "core/planta/bomba.h"

#include "base/errores.h"
#include "core/excitacion.h"
#include "core/lectura.h"

namespace {

bool Vacio(const std::string& t) { return t.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

LimitesBomba LeerLimitesBomba(const Textos& textos) {
    const TextosCompletos completos(textos);
    LimitesBomba l;
    if (!Vacio(completos.Texto(kCaudalMin))) {
        l.minimo = LeerSingle(completos, kCaudalMin);
        l.conMinimo = true;
    }
    if (!Vacio(completos.Texto(kCaudalMax))) {
        l.maximo = LeerSingle(completos, kCaudalMax);
        l.conMaximo = true;
    }
    if (l.conMinimo && l.conMaximo && l.minimo > l.maximo) {
        ErrorTanque e(kLimitesInvertidos);
        e.PonerCampo(kCaudalMin);
        throw e;
    }
    return l;
}

float Limitar(const LimitesBomba& l, float u) {
    // a NaN command stays NaN: the plant's step fails on it as it always has
    if (l.conMaximo && u > l.maximo) return l.maximo;
    if (l.conMinimo && u < l.minimo) return l.minimo;
    return u;
}

double Limitar(const LimitesBomba& l, double u) {
    if (l.conMaximo && u > l.maximo) return l.maximo;
    if (l.conMinimo && u < l.minimo) return l.minimo;
    return u;
}

bool EnLimite(const LimitesBomba& l, float u) {
    return (l.conMaximo && u >= l.maximo) || (l.conMinimo && u <= l.minimo);
}
