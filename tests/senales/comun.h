#pragma once
// Helpers shared by the tests of the signals.

#include <cstdint>
#include <string>
#include <vector>

#include "base/errores.h"
#include "senales/generador.h"
#include "senales/parametros.h"
#include "tests/ayudas.h"

// Parameters of type t with the defaults for the rest.
inline ParametrosSenal De(TipoSenal t) {
    ParametrosSenal p;
    p.tipo = t;
    return p;
}

// Values 0 .. n-1 of a fresh generator, asked in order.
inline std::vector<double> Valores(const ParametrosSenal& p, std::int64_t n) {
    GeneradorSenal g(p);
    std::vector<double> v(static_cast<std::size_t>(n));
    for (std::int64_t i = 0; i < n; ++i) v[static_cast<std::size_t>(i)] = g.Valor(i);
    return v;
}

// How a set of parameters is named in a failure.
inline std::string Nombre(const ParametrosSenal& p) {
    return std::string(NombreTipo(p.tipo)) + " [" + std::to_string(p.minimo) + ", " + std::to_string(p.maximo) +
           "] periodo " + std::to_string(p.periodo) + " orden " + std::to_string(p.orden) + " semilla " +
           std::to_string(p.semilla) + " banda " + std::to_string(p.frecuenciaMin) + ".." +
           std::to_string(p.frecuenciaMax) + " K " + std::to_string(p.componentes) + " L " + std::to_string(p.longitud);
}
