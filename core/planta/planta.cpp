#include "core/planta/planta.h"

#include "core/excitacion.h"
#include "core/planta/tanque.h"
#include "core/planta/tanques.h"

const Planta& PlantaDe(const Textos& textos) {
    // texts made before these choices existed read as their defaults: the linear tank, the program's clock
    const int modelo = OpcionDeTexto(kModeloPlanta, TextoODefecto(textos, kModeloPlanta), kModelosPlanta);
    const bool exacto = OpcionDeTexto(kIntegrador, TextoODefecto(textos, kIntegrador), kIntegradores) == 1;
    switch (modelo) {
    case 1:
        return TanqueOrificio(exacto);
    case 2:
        return DosTanques(OpcionDeTexto(kSalidaTanques, TextoODefecto(textos, kSalidaTanques), kSalidas) == 1, exacto);
    default:
        return exacto ? TanqueLinealExacto() : TanqueLineal();
    }
}
