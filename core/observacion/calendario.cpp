#include "core/observacion/calendario.h"

#include <algorithm>
#include <cmath>

#include "base/errores.h"
#include "core/planta/planta.h"
#include "core/simulacion.h"

void CalendarioGrabado::Anotar(std::int32_t n, std::int32_t posicion) {
    while (!cambios_.empty() && cambios_.back().muestra >= n) cambios_.pop_back();
    if (cambios_.empty() || cambios_.back().posicion != posicion) cambios_.push_back({n, posicion});
}

std::vector<CambioReferencia> CalendarioParaComparar(std::span<const CambioReferencia> grabado,
                                                     std::int32_t posicionActual) {
    if (grabado.empty()) return {{0, posicionActual}};
    return {grabado.begin(), grabado.end()};
}

std::int64_t MuestrasParaComparar(std::span<const CambioReferencia> calendario, const Textos& textos) {
    std::int64_t ultimo = 0;
    for (const CambioReferencia& c : calendario) ultimo = std::max<std::int64_t>(ultimo, c.muestra);
    std::int64_t margen = kMargenComparacion;
    Simulacion s;
    try {
        const Planta& planta = PlantaDe(textos);
        planta.LeerParametros(s, textos);
        const std::optional<ModeloPrimerOrden> verdad = planta.Verdad(s);
        if (s.T_Muestreo > 0 && verdad) {
            // kConstantesComparacion Tau / T samples, in doubles: no Single is stored and no user sees it
            const double muestras = std::ceil(kConstantesComparacion * verdad->Tau / s.T_Muestreo);
            if (muestras > static_cast<double>(margen))
                margen = muestras < static_cast<double>(kMargenComparacionMaximo) ? static_cast<std::int64_t>(muestras)
                                                                                  : kMargenComparacionMaximo;
        }
    } catch (const ErrorTanque&) {
        // the comparison's own runs will meet the same texts and say what is wrong with them
    }
    return ultimo + 1 + margen;
}
