#include "core/textos_indices.h"

#include "base/aritmetica.h"
#include "base/errores.h"
#include "base/numeros.h"

namespace {

constexpr TextoPorDefecto kTabla[] = {
    {kBandaEstablecimiento, "2"},
};

}  // namespace

std::span<const TextoPorDefecto> TextosPorDefectoIndices() { return kTabla; }

double LeerBandaEstablecimiento(const Textos& textos) {
    const double banda = aDouble(TextoAFlotante(textos.Texto(kBandaEstablecimiento), textos.Decimal()));
    if (!(banda > 0 && banda < 100)) throw ErrorTanque(kBandaFueraDeRango);
    return banda;
}

void CompletarTextosIndices(TextosMapa& textos) {
    for (const TextoPorDefecto& t : kTabla)
        if (!textos.Existe(t.nombre)) textos.Poner(t.nombre, ConDecimal(t.texto, textos.Decimal()));
}
