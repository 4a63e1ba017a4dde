#include "core/observacion/indices_corrida.h"

#include "core/corridas/corrida.h"

AjustesIndices AjustesIndicesDe(Corrida corrida, double banda, const Simulacion& s, const Planta& planta) {
    AjustesIndices a;
    a.banda = banda;
    if (!Definicion(corrida).leePosicion)
        if (const std::optional<ModeloPrimerOrden> m = planta.Verdad(s)) a.ganancia = m->K;
    return a;
}
