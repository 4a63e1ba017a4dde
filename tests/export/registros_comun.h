#pragma once
// A record to write in every format: the numbers of a run (Singles widened to Doubles), a skipped sample, signs
// that round to zero, values that fill the text record's fields, two additional columns and a description.

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "export/registros.h"

struct MuestraDePrueba {
    double muestra, accion, nivel;
    std::array<double, 2> adicionales;  // referencia, perturbacion
};

/// `n` samples from 0, sample 3 skipped (a point that lost its partner), then a few of extreme values.
inline std::vector<MuestraDePrueba> RegistroDePrueba(int n) {
    std::vector<MuestraDePrueba> r;
    for (int i = 0; i < n; ++i) {
        if (i == 3) continue;
        const float accion = static_cast<float>(2.0 + std::sin(i * 0.01) / 3.0);
        const float nivel = static_cast<float>(4.0 * (1.0 - std::exp(-i / 700.0)));
        r.push_back({static_cast<double>(i), accion, nivel, {2.5, i % 7 == 0 ? -0.125 : 0.0}});
    }
    r.push_back({static_cast<double>(n), 1000.0, -0.00001, {-12.5, 1e-300}});
    r.push_back({static_cast<double>(n + 1), -100.0, 71000.0, {0.1, -0.0}});
    return r;
}

/// Sample time 0.5 s, the two additional columns, a description with accents.
inline FormaRegistro FormaDePrueba() {
    return {0.5,
            {{"r", "referencia", "m"}, {"d", "perturbacion", "m^3/s"}},
            R"json({"formato": "tanque-descripcion", "version_formato": 1, "corrida": {"nombre": "Lazo abierto (Aplicar Escalón)"},)json"
            R"json( "registro": {"columnas": ["muestra", "accion", "nivel"], "lineas": 2}, "T_Sample": "500"})json"};
}

/// Writes the samples as `formato` to `ruta` and confirms.
inline void EscribirRegistro(FormatoRegistro formato, const std::string& ruta, const std::vector<MuestraDePrueba>& r,
                             const FormaRegistro& forma = FormaDePrueba()) {
    const auto escritor = AbrirRegistro(formato, ruta, forma);
    for (const MuestraDePrueba& m : r)
        escritor->Anadir(m.muestra, m.accion, m.nivel,
                         std::span<const double>(m.adicionales.data(), forma.adicionales.size()));
    escritor->Confirmar();
}
