#include "core/textos_indices.h"

#include "base/aritmetica.h"
#include "base/errores.h"
#include "base/numeros.h"
#include "core/lectura.h"

double LeerBandaEstablecimiento(const Textos& textos) {
    // named, so that the batch tool says which text failed
    return ConNombre(kBandaEstablecimiento, [&] {
        const double banda = aDouble(TextoAFlotante(textos.Texto(kBandaEstablecimiento), textos.Decimal()));
        if (!(banda > 0 && banda < 100)) throw ErrorTanque(kBandaFueraDeRango);
        return banda;
    });
}
