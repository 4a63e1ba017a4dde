#pragma once
// tanque-lote sintonizar: a rule's gains for the PID dialog, from a record's identified model or from the true
// plant of the texts, with what those gains do in the program's discrete loop (margins, Ms, predicted step).

#include <cstdio>
#include <optional>
#include <string>

#include "sintonia/modelo.h"
#include "tools/opciones_lote.h"

/// The true plant of the texts (the defaults under the options' --NOMBRE=TEXTO) as the tuning reads it: its
/// first-order truth, the PID's period and the time the plant advances per sample.
struct PlantaVerdadera {
    ModeloConRetardo modelo;
    Muestreo muestreo;
    double nivelMaximo = 0;  ///< HMax
};

/// Throws ErrorTanque (a text that does not convert, a plant without a first-order truth).
PlantaVerdadera PlantaDeLosTextos(const OpcionesLote& o);

/// sintonizar: writes the model, the rule's gains and the loop's indices to the descriptor `salida` (text in
/// Spanish, or one JSON object with --json), failures to `errores`. Returns 0; 1 when the record cannot be read
/// or identified, the rule refuses the model, or the output cannot be written.
int CorrerSintonizar(const OpcionesLote& o, int salida, std::FILE* errores);
