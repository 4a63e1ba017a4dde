#include "identificacion/registro.h"

#include <algorithm>
#include <cmath>

#include "identificacion/rechazos.h"

double NumeroDeMuestra(const Registro& r, std::size_t k) {
    return r.muestras.empty() ? r.primeraMuestra + static_cast<double>(k) : r.muestras[k];
}

void ComprobarRegistro(const Registro& r) {
    if (!(r.T > 0) || !std::isfinite(r.T)) throw ErrorIdentificacion(TextoPeriodoInvalido());
    if (!(r.tiempoMuestra >= 0) || !std::isfinite(r.tiempoMuestra))
        throw ErrorIdentificacion(TextoTiempoMuestraInvalido());
    if (r.retardoCorrida) ComprobarRetardo(*r.retardoCorrida);
    const std::size_t n = r.accion.size();
    if (r.nivel.size() != n || (!r.muestras.empty() && r.muestras.size() != n))
        throw ErrorIdentificacion(TextoLongitudesDistintas(r.accion.size(), r.nivel.size(), r.muestras.size()));
    if (n < kMinimoMuestras) throw ErrorIdentificacion(TextoRegistroCorto(n, kMinimoMuestras));
    for (std::size_t k = 0; k < n; ++k) {
        if (!std::isfinite(r.accion[k])) throw ErrorIdentificacion(TextoNoFinito("una acción", NumeroDeMuestra(r, k)));
        if (!std::isfinite(r.nivel[k])) throw ErrorIdentificacion(TextoNoFinito("un nivel", NumeroDeMuestra(r, k)));
    }
    for (std::size_t k = 1; k < r.muestras.size(); ++k)
        // a sample number is a whole Double far below 2^53: one more is exact
        if (r.muestras[k] != r.muestras[k - 1] + 1)
            throw ErrorIdentificacion(TextoMuestrasSaltadas(r.muestras[k - 1], r.muestras[k]));
}

void ComprobarExcitacion(const Registro& r) {
    if (std::all_of(r.accion.begin(), r.accion.end(), [](double u) { return u == 0; }))
        throw ErrorIdentificacion(TextoEntradaNula());
    const double y0 = r.nivel.front();
    if (std::all_of(r.nivel.begin(), r.nivel.end(), [y0](double y) { return y == y0; }))
        throw ErrorIdentificacion(TextoSalidaConstante());
}

void ComprobarRetardo(int retardo) {
    if (retardo != kRetardoLazoAbierto && retardo != kRetardoLazoCerrado)
        throw ErrorIdentificacion(TextoRetardoInvalido(retardo));
}
