// What the runs only observe: each run's response indices. Nothing here changes what a run does or records.

#include "base/errores.h"
#include "core/simulador.h"
#include "core/textos_indices.h"

void Simulador::EmpezarIndices(Corrida corrida) {
    IndicesCorrida& i = indices_[static_cast<std::size_t>(corrida)];
    AjustesIndices ajustes;
    i.fallo.reset();
    try {
        ajustes.banda = LeerBandaEstablecimiento(textos_);
    } catch (const ErrorTanque& e) {
        // the run starts all the same; its indices say why they have no values
        i.fallo = e.what();
    }
    i.indices = IndicesRespuesta(AjustesIndicesDe(corrida, ajustes.banda, estado_, *planta_));
    pendientes_ |= CambioIndices;
}

void Simulador::AnotarIndices(Corrida corrida) {
    IndicesCorrida& i = indices_[static_cast<std::size_t>(corrida)];
    if (i.fallo) return;
    const MuestraGraficada& m = ultima_;
    i.indices.Agregar({m.n, estado_.T_Muestreo, m.conReferencia ? std::optional<double>(m.referencia) : std::nullopt,
                       m.nivel, m.accion});
    pendientes_ |= CambioIndices;
}
