#include "core/textos_indices.h"

#include "base/aritmetica.h"
#include "base/errores.h"
#include "base/numeros.h"

double LeerBandaEstablecimiento(const Textos& textos) {
    const double banda = aDouble(TextoAFlotante(textos.Texto(kBandaEstablecimiento), textos.Decimal()));
    if (!(banda > 0 && banda < 100)) throw ErrorTanque(kBandaFueraDeRango);
    return banda;
}
