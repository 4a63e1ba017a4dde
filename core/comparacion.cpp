#include "core/comparacion.h"

#include <stdexcept>

#include "base/errores.h"
#include "core/corridas/corrida.h"
#include "core/simulador.h"
#include "core/textos_indices.h"
#include "core/textos_por_defecto.h"

namespace {

// The messages of a run without windows: kept, the last one is what stopped it.
class MensajesGuardados : public Mensajes {
public:
    void Mostrar(const std::string& texto) override { ultimo = texto; }
    void Repetido(Corrida, const std::string& texto, int) override { ultimo = texto; }
    void FinRepetido(Corrida) override {}
    std::optional<std::string> ultimo;
};

}  // namespace

std::vector<Corrida> CorridasComparadas() {
    std::vector<Corrida> c;
    for (const DefinicionCorrida& d : Corridas())
        if (d.leePosicion && !d.experimento) c.push_back(d.id);
    return c;
}

const ResultadoCorrida& ResultadoComparacion::De(Corrida c) const {
    for (const ResultadoCorrida& r : corridas)
        if (r.corrida == c) return r;
    throw std::out_of_range("la corrida no se comparó");
}

std::int32_t PosicionProgramada(std::span<const CambioReferencia> calendario, std::int32_t n) {
    const CambioReferencia* elegido = nullptr;
    for (const CambioReferencia& c : calendario)
        if (c.muestra <= n && (!elegido || c.muestra >= elegido->muestra)) elegido = &c;
    return elegido ? elegido->posicion : kPosicionInicial;
}

ResultadoCorrida CorrerConIndices(const TextosMapa& textos, Corrida corrida,
                                  std::span<const CambioReferencia> calendario, std::int64_t muestras) {
    TextosMapa copia = textos;
    if (!copia.Existe(kBandaEstablecimiento))
        copia.Poner(kBandaEstablecimiento, TextoPorDefectoDe(kBandaEstablecimiento, copia.Decimal()));
    AjustesIndices ajustes;
    ajustes.banda = LeerBandaEstablecimiento(copia);

    PosicionValor posicion;
    posicion.valor = PosicionProgramada(calendario, 0);
    MensajesGuardados mensajes;
    Simulador sim(copia, posicion, mensajes);
    ResultadoCorrida r;
    r.corrida = corrida;
    try {
        if (corrida == Corrida::Fuzzy) sim.ToolButton11Click();
        sim.Alternar(corrida);
    } catch (const ErrorTanque& e) {
        r.fallo = e.what();
        return r;
    }
    if (!sim.Timer(corrida).Enabled) {
        r.fallo = mensajes.ultimo;  // the start was refused with a message
        return r;
    }
    IndicesRespuesta indices(AjustesIndicesDe(corrida, ajustes.banda, sim.Estado(), sim.PlantaActual()));

    for (std::int64_t k = 0; k < muestras && sim.Timer(corrida).Enabled; ++k) {
        posicion.valor = PosicionProgramada(calendario, sim.Timer(corrida).Tag);
        try {
            sim.Tick(corrida);
        } catch (const ErrorTanque& e) {
            r.fallo = e.what();
            break;
        }
        const MuestraGraficada& m = sim.UltimaMuestra();
        r.muestras.push_back({m.n, m.nivel, m.accion, m.referencia});
        const std::uint64_t cerrados = indices.Terminados();
        indices.Agregar({m.n, sim.Estado().T_Muestreo,
                         m.conReferencia ? std::optional<double>(m.referencia) : std::nullopt, m.nivel, m.accion,
                         sim.Saturada()});
        if (indices.Terminados() != cerrados) r.escalones.push_back(*indices.Anterior());
        // the overflow stop: the tick went on to its end after the message
        if (!sim.Timer(corrida).Enabled) r.fallo = mensajes.ultimo;
    }
    if (std::optional<IndicesEscalon> a = indices.Actual()) r.escalones.push_back(*a);
    return r;
}

ResultadoComparacion CompararControladores(const TextosMapa& textos, std::span<const CambioReferencia> calendario,
                                           std::int64_t muestras) {
    ResultadoComparacion r;
    for (Corrida c : CorridasComparadas()) r.corridas.push_back(CorrerConIndices(textos, c, calendario, muestras));
    return r;
}
