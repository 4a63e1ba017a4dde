#include "identificacion/avisos.h"

#include <algorithm>
#include <cmath>

#include "identificacion/frecuencia.h"
#include "identificacion/rechazos.h"

namespace {

std::string Porcentaje(double fraccion) { return TextoNumero(std::round(1000 * fraccion) / 10) + " %"; }

void NivelCero(const Registro& r, std::vector<Aviso>& avisos) {
    // from the first level above 0: an empty tank at the start is the linear plant at rest
    const auto subio = std::find_if(r.nivel.begin(), r.nivel.end(), [](double y) { return y > 0; });
    const auto n = static_cast<std::size_t>(std::count_if(subio, r.nivel.end(), [](double y) { return y <= 0; }));
    if (n > 0)
        avisos.push_back({TipoAviso::NivelCero,
                          "El nivel está en 0 en " + std::to_string(n) +
                              " muestras: el tanque se vació y su volumen quedó recortado en 0, algo que ningún "
                              "modelo lineal describe; el modelo sale sesgado.",
                          n});
}

void LimiteBomba(const Registro& r, const OpcionesAvisos& o, std::vector<Aviso>& avisos) {
    if (!o.accionMinima && !o.accionMaxima) return;
    // from the first change of the action: the rest before a step is no limit reached
    const auto cambio = std::adjacent_find(r.accion.begin(), r.accion.end(), std::not_equal_to<>());
    const auto n = static_cast<std::size_t>(
        cambio == r.accion.end() ? 0 : std::count_if(cambio + 1, r.accion.end(), [&](double u) {
            return (o.accionMinima && u <= *o.accionMinima) || (o.accionMaxima && u >= *o.accionMaxima);
        }));
    if (n > 0)
        avisos.push_back({TipoAviso::LimiteBomba,
                          "La acción está en un límite de la bomba en " + std::to_string(n) +
                              " muestras: lo que pidió el control no es lo que entró al tanque, y el modelo lineal "
                              "no lo describe.",
                          n});
}

}  // namespace

std::vector<Aviso> AvisosRegistro(const Registro& r, const OpcionesAvisos& o, std::optional<double> Tau) {
    ComprobarRegistro(r);
    std::vector<Aviso> avisos;
    NivelCero(r, avisos);
    LimiteBomba(r, o, avisos);
    const bool constante =
        std::all_of(r.accion.begin(), r.accion.end(), [&](double u) { return u == r.accion.front(); });
    if (constante)
        avisos.push_back({TipoAviso::EntradaConstante,
                          "La acción es la misma en todo el registro: sólo el arranque desde el estado inicial "
                          "excita la planta, y un modelo de más de un polo no queda determinado.",
                          0});
    if (Tau && *Tau > 0 && std::isfinite(*Tau)) {
        if (!constante) {
            const double fraccion = FraccionPorEncima(r, 1 / *Tau);
            if (fraccion < kFraccionBandaMinima)
                avisos.push_back({TipoAviso::BandaBaja,
                                  "Sólo el " + Porcentaje(fraccion) +
                                      " de la variación de la acción es más rápida que la planta (1/Tau = " +
                                      TextoNumero(1 / *Tau) +
                                      " rad/s): el registro muestra su ganancia más que su dinámica, y Tau queda "
                                      "mal determinado.",
                                  0});
        }
        const double duracion = static_cast<double>(r.nivel.size()) * r.TiempoMuestra();
        if (duracion < kTausMinimos * *Tau)
            avisos.push_back({TipoAviso::RegistroCorto,
                              "El registro dura " + TextoNumero(duracion) + " s, menos de cinco constantes de tiempo (" +
                                  TextoNumero(kTausMinimos * *Tau) +
                                  " s): la planta no llega a mostrar cómo se asienta, y el modelo puede errar.",
                              0});
    }
    return avisos;
}

std::optional<Aviso> AvisoSesgoArx(const Identificacion& arx, const Identificacion& oe) {
    if (!oe.error_Tau) return std::nullopt;
    // against OE's standard error alone: ARX's own, under that noise, is wider than its spread and would hide it
    const double diferencia = std::abs(arx.Tau - oe.Tau), error = *oe.error_Tau;
    if (!(diferencia > kErroresSesgo * error) || !(diferencia > kSesgoRelativoMinimo * std::abs(oe.Tau)))
        return std::nullopt;
    return Aviso{TipoAviso::ArxSesgado,
                 "ARX está sesgado por el ruido del nivel: su Tau (" + TextoNumero(arx.Tau) + " s) está a " +
                     TextoNumero(error > 0 ? diferencia / error : INFINITY) + " errores estándar del de OE (" +
                     TextoNumero(oe.Tau) +
                     " s). El ± de ARX supone un error de ecuación blanco y no mide su error: use OE.",
                 0};
}

std::vector<Aviso> Avisos(const Registro& r, const OpcionesAvisos& o, const Identificacion* arx,
                          const Identificacion* oe) {
    const Identificacion* modelo = oe ? oe : arx;
    std::vector<Aviso> avisos =
        AvisosRegistro(r, o, modelo ? std::optional<double>(modelo->TauContinuo()) : std::nullopt);
    if (arx && oe)
        if (std::optional<Aviso> a = AvisoSesgoArx(*arx, *oe)) avisos.push_back(std::move(*a));
    return avisos;
}
