#include "senales/parametros.h"

#include <string>

#include "base/errores.h"
#include "senales/multiseno.h"

namespace {

// (0, 1], a NaN refused too
bool EnBanda(double f) { return f > 0.0 && f <= 1.0; }

}  // namespace

std::string MensajeRejilla(std::int64_t admitidas) {
    return "La banda solo admite " + std::to_string(admitidas) +
           (admitidas == 1 ? " componente" : " componentes") + " con esa longitud";
}

void ComprobarSenal(const ParametrosSenal& p) {
    const auto usa = [&](Campo c) { return Usa(p.tipo, c); };
    if (usa(Campo::Minimo) && usa(Campo::Maximo) && !(p.minimo <= p.maximo)) throw ErrorTanque(kMensajeNiveles);
    if (usa(Campo::Periodo) && p.periodo < 1) throw ErrorTanque(kMensajePeriodo);
    if (usa(Campo::Orden) && (p.orden < kOrdenMinimo || p.orden > kOrdenMaximo)) throw ErrorTanque(kMensajeOrden);
    if (usa(Campo::FrecuenciaMin) && usa(Campo::FrecuenciaMax)) {
        if (!EnBanda(p.frecuenciaMin) || !EnBanda(p.frecuenciaMax)) throw ErrorTanque(kMensajeBanda);
        if (p.frecuenciaMin > p.frecuenciaMax) throw ErrorTanque(kMensajeBandaInvertida);
    }
    if (usa(Campo::Componentes)) {
        if (p.componentes < 1) throw ErrorTanque(kMensajeComponentes);
        if (p.componentes > kComponentesMaximas) throw ErrorTanque(kMensajeMuchasComponentes);
    }
    if (usa(Campo::Longitud)) {
        if (p.longitud < 2) throw ErrorTanque(kMensajeLongitudCorta);
        if (p.longitud > kLongitudMaxima) throw ErrorTanque(kMensajeLongitudLarga);
    }
    if (p.tipo == TipoSenal::Multiseno) {
        const Rejilla r = RejillaMultiseno(p.frecuenciaMin, p.frecuenciaMax, p.longitud);
        if (r.cuenta < p.componentes) throw ErrorTanque(MensajeRejilla(r.cuenta));
    }
}
