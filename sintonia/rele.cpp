#include "sintonia/rele.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sintonia/discreto.h"
#include "sintonia/rechazos.h"

namespace {

constexpr double kPi = std::numbers::pi;

// The cycles of the record: the ticks at which the action goes from `bajo` to `alto`.
std::vector<std::size_t> Encendidos(std::span<const double> u, const Rele& r) {
    const double medio = (r.alto + r.bajo) / 2;
    std::vector<std::size_t> k;
    for (std::size_t i = 1; i < u.size(); ++i)
        if (u[i] > medio && u[i - 1] <= medio) k.push_back(i);
    return k;
}

void ComprobarRegistro(std::span<const double> u, std::span<const double> y, double T) {
    if (u.size() != y.size()) throw ErrorSintonia(TextoRegistroRele(u.size(), y.size()));
    if (!(std::isfinite(T) && T > 0)) throw ErrorSintonia(TextoMuestreo(T, T));
    for (std::size_t k = 0; k < u.size(); ++k)
        if (!std::isfinite(u[k]) || !std::isfinite(y[k])) throw ErrorSintonia(TextoReleNoFinito(k));
}

// Periods and amplitudes of the analysed cycles; refuses an oscillation that wanders.
void LeerCiclos(std::span<const double> y, const std::vector<std::size_t>& on, double T, AnalisisRele& a) {
    std::vector<double> periodos, amplitudes;
    for (std::size_t c = 0; c + 1 < on.size(); ++c) {
        const auto [lo, hi] = std::minmax_element(y.begin() + on[c], y.begin() + on[c + 1]);
        periodos.push_back(static_cast<double>(on[c + 1] - on[c]) * T);
        amplitudes.push_back((*hi - *lo) / 2);
    }
    a.ciclos = periodos.size();
    a.desde = on.front();
    a.hasta = on.back();
    a.periodo = static_cast<double>(a.hasta - a.desde) * T / static_cast<double>(a.ciclos);
    const auto [pMin, pMax] = std::minmax_element(periodos.begin(), periodos.end());
    // a sampled relay switches at ticks: its cycles may differ by a sample
    if (*pMax - *pMin > 0.25 * a.periodo + 1.01 * T) throw ErrorSintonia(TextoOscilacionIrregular(*pMin, *pMax));
    const auto [aMin, aMax] = std::minmax_element(amplitudes.begin(), amplitudes.end());
    if (*aMax - *aMin > 0.15 * *aMax) throw ErrorSintonia(TextoOscilacionNoSostenida(*aMin, *aMax));
    double suma = 0;
    for (double v : amplitudes) suma += v;
    a.amplitud = suma / static_cast<double>(amplitudes.size());
    const auto [yMin, yMax] = std::minmax_element(y.begin() + a.desde, y.begin() + a.hasta);
    a.nivelMinimo = *yMin;
    a.nivelMaximo = *yMax;
}

// The first harmonics over the whole cycles, their ratio, and the ratio of the means.
void LeerArmonicos(std::span<const double> u, std::span<const double> y, double T, const OpcionesRele& o,
                   AnalisisRele& a) {
    const double w = 2 * kPi / a.periodo;
    std::complex<double> Y1, U1;
    double sy = 0, su = 0;
    for (std::size_t k = a.desde; k < a.hasta; ++k) {
        const std::complex<double> giro = std::polar(1.0, -w * static_cast<double>(k - a.desde) * T);
        Y1 += y[k] * giro;
        U1 += u[k] * giro;
        sy += y[k];
        su += u[k];
    }
    a.punto = Y1 / U1;
    if (o.ganancia) {
        a.K = *o.ganancia;
    } else {
        if (su == 0) throw ErrorSintonia(TextoAccionMedia());
        a.K = sy / su;
    }
    a.modelo = AjustarPrimerOrden(a.punto, w, a.K, T);
    if (a.modelo) {
        const PuntoCritico c = Critico(ModeloParaReglas(*a.modelo, {T, T}));
        a.Ku = c.Ku;
        a.Pu = c.Pu;
    } else {
        a.Ku = 1 / std::abs(a.punto);
        a.Pu = a.periodo;
        a.aviso = TextoSinModeloRele();
    }
}

}  // namespace

void ComprobarRele(const Rele& r) {
    const bool finitos =
        std::isfinite(r.nivel) && std::isfinite(r.alto) && std::isfinite(r.bajo) && std::isfinite(r.histeresis);
    if (!finitos || !(r.alto > r.bajo) || !(r.histeresis >= 0))
        throw ErrorSintonia(TextoRele(r.alto, r.bajo, r.histeresis));
}

double AccionRele(const Rele& r, double y, double anterior) {
    const double e = r.nivel - y;
    if (e > r.histeresis) return r.alto;
    if (e < -r.histeresis) return r.bajo;
    return anterior > (r.alto + r.bajo) / 2 ? r.alto : r.bajo;
}

CorridaRele SimularRele(const ModeloConRetardo& p, const Muestreo& m, const Rele& r, std::size_t muestras) {
    ComprobarRele(r);
    const PlantaDiscreta d = Discretizar(p, m);
    PlantaEnMarcha planta(d);
    CorridaRele c;
    c.accion.reserve(muestras);
    c.nivel.reserve(muestras);
    double u = 0;
    for (std::size_t k = 0; k < muestras; ++k) {
        const double y = planta.Nivel();
        u = AccionRele(r, y, u);
        c.nivel.push_back(y);
        c.accion.push_back(u);
        planta.Avanzar(u);
    }
    return c;
}

AnalisisRele AnalizarRele(std::span<const double> u, std::span<const double> y, double T, const Rele& r,
                          const OpcionesRele& o) {
    ComprobarRele(r);
    ComprobarRegistro(u, y, T);
    std::vector<std::size_t> on = Encendidos(u, r);
    // the first cycle still carries the filling of the tank
    const std::size_t ciclos = on.size() < 2 ? 0 : on.size() - 2;
    if (ciclos < kMinimoCiclos) throw ErrorSintonia(TextoSinOscilacion(ciclos, kMinimoCiclos));
    on.erase(on.begin(), on.end() - static_cast<std::ptrdiff_t>(std::min(ciclos, kMaximoCiclos) + 1));

    AnalisisRele a;
    a.d = (r.alto - r.bajo) / 2;
    LeerCiclos(y, on, T, a);
    if (a.nivelMinimo <= 0) throw ErrorSintonia(TextoOscilacionVacia(a.nivelMinimo));
    if (o.nivelMaximo && a.nivelMaximo > *o.nivelMaximo)
        throw ErrorSintonia(TextoOscilacionDesborda(a.nivelMaximo, *o.nivelMaximo));
    // Astrom and Hagglund's describing function with the hysteresis
    a.KuClasico = 4 * a.d / (kPi * std::sqrt(a.amplitud * a.amplitud - r.histeresis * r.histeresis));
    LeerArmonicos(u, y, T, o, a);
    return a;
}

AnalisisRele PredecirRele(const ModeloConRetardo& p, const Muestreo& m, const Rele& r, const OpcionesRele& o) {
    const ModeloReglas reglas = ModeloParaReglas(p, m);
    // the filling (five time constants at most for an inflow that reaches the level) and 20 ultimate periods
    const double duracion = 5 * (reglas.tau1 + reglas.tau2 + reglas.theta) + 20 * Critico(reglas).Pu;
    const double muestras = std::min(std::ceil(duracion / m.T), 1e6);
    const CorridaRele c = SimularRele(p, m, r, static_cast<std::size_t>(muestras));
    return AnalizarRele(c.accion, c.nivel, m.T, r, o);
}
