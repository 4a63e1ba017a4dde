#include "core/observacion/indices_corrida.h"

#include "base/errores.h"
#include "core/corridas/corrida.h"
#include "core/textos_indices.h"

AjustesIndices AjustesIndicesDe(Corrida corrida, double banda, const Simulacion& s, const Planta& planta) {
    AjustesIndices a;
    a.banda = banda;
    if (!Definicion(corrida).leePosicion)
        if (const std::optional<ModeloPrimerOrden> m = planta.Verdad(s)) a.ganancia = m->K;
    return a;
}

void IndicesCorridas::Empezo(const InicioCorrida& inicio) {
    IndicesCorrida& i = indices_[static_cast<std::size_t>(inicio.corrida)];
    double banda = AjustesIndices{}.banda;
    i.fallo.reset();
    try {
        banda = LeerBandaEstablecimiento(inicio.textos);
    } catch (const ErrorTanque& e) {
        // the run starts all the same; its indices say why they have no values
        i.fallo = e.what();
    }
    i.indices = IndicesRespuesta(AjustesIndicesDe(inicio.corrida, banda, inicio.estado, inicio.planta));
}

void IndicesCorridas::Muestra(const MuestraTick& m) {
    IndicesCorrida& i = indices_[static_cast<std::size_t>(m.corrida)];
    if (i.fallo) return;
    i.indices.Agregar({m.n, m.T, m.referencia, m.nivel, m.accion, m.saturada});
}

void IndicesCorridas::Limpiado() {
    for (IndicesCorrida& i : indices_) i.indices.Reiniciar();
}
