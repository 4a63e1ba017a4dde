#include "identificacion/escalon.h"

#include <algorithm>
#include <cmath>

#include "base/aritmetica.h"
#include "identificacion/rechazos.h"

namespace {

IdentificacionEscalon Leer(const Registro& r, int retardo) {
    ComprobarRegistro(r);
    ComprobarRetardo(retardo);
    const std::vector<double>& u = r.accion;
    const std::vector<double>& y = r.nivel;
    const std::size_t n = y.size();

    IdentificacionEscalon e;
    // the step: the first sample whose action differs from the first one's
    std::size_t j = 1;
    while (j < n && u[j] == u[0]) ++j;
    if (j == n) {
        if (u[0] == 0) throw ErrorIdentificacion(TextoSinEscalon());
        e.desde_reposo = true;
        j = 0;
    } else {
        for (std::size_t k = j + 1; k < n; ++k)
            if (u[k] != u[j])
                throw ErrorIdentificacion(TextoVariosEscalones(NumeroDeMuestra(r, j), NumeroDeMuestra(r, k)));
    }
    e.inicio = j;
    e.accion_antes = e.desde_reposo ? 0.0 : u[j - 1];
    e.accion_despues = u[j];

    // Time 0 is when the new action starts to flow: sample j - 1 + retardo holds the level then (before the
    // record's first sample, from rest without delay: the empty tank). Sample k is at (k - cero) T.
    const std::ptrdiff_t cero = static_cast<std::ptrdiff_t>(j) - 1 + retardo;
    e.nivel_antes = cero < 0 ? 0.0 : y[static_cast<std::size_t>(cero)];
    const std::size_t primera = static_cast<std::size_t>(cero + 1);  // the first sample after time 0
    const std::size_t despues = n - primera;
    if (despues == 0) throw ErrorIdentificacion(TextoEscalonAlFinal());

    const std::size_t cola = std::max<std::size_t>(1, despues / 20);
    long double suma = 0;
    for (std::size_t k = n - cola; k < n; ++k) suma += y[k];
    e.nivel_final = aDouble(suma / static_cast<long double>(cola));
    const long double cambio = static_cast<long double>(e.nivel_final) - e.nivel_antes;
    if (cambio == 0) throw ErrorIdentificacion(TextoEscalonSinCambio());

    // the first sample at or past 63.2 % of the change, and the straight line from the sample before it
    // (the fractions f(k) = (y(k) - y0) / change; f = 0 at time 0). The search ends inside the record: one
    // sample of the tail at least is as far from y0 as the tail's mean, f >= 1 there.
    long double f_antes = 0;
    std::size_t k = primera;
    for (; k + 1 < n; ++k) {
        const long double f = Dividir(static_cast<long double>(y[k]) - e.nivel_antes, cambio);
        if (f >= kFraccionTau) break;
        f_antes = f;
    }
    const long double f = Dividir(static_cast<long double>(y[k]) - e.nivel_antes, cambio);
    // t = t(k-1) + (0.632 - f(k-1)) / (f(k) - f(k-1)) T, with t(k-1) = (k - 1 - cero) T
    const long double pasos = static_cast<long double>(static_cast<std::ptrdiff_t>(k) - 1 - cero) +
                              Dividir(kFraccionTau - f_antes, f - f_antes);
    const double Tau = aDouble(pasos * r.T);
    const double duracion = aDouble(static_cast<long double>(despues) * r.T);
    if (duracion < 5.0L * Tau) throw ErrorIdentificacion(TextoEscalonSinAsentar(Tau, duracion));

    // K = change of level / change of action
    const double K = aDouble(Dividir(cambio, static_cast<long double>(e.accion_despues) - e.accion_antes));
    // the discrete model with this K and Tau: a = e^(-T / Tau), b = K (1 - a)
    const long double a = std::exp(-Dividir(r.T, Tau));
    const ModeloDiscreto m{aDouble(a), aDouble(K * (1.0L - a)), retardo, r.T};
    static_cast<Identificacion&>(e) = Completar("escalón", m, std::nullopt, r);
    // the reading itself, not its round trip through a and b
    e.K = K;
    e.Tau = Tau;
    return e;
}

}  // namespace

IdentificacionEscalon LeerEscalon(const Registro& r, int retardo) {
    return SinDesbordar([&] { return Leer(r, retardo); });
}
