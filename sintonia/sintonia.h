#pragma once
// The one call of the "Sintonizar" dialog and of `tanque-lote sintonizar`: a rule's gains on a plant, rounded as
// the PID dialog's texts will hold them, and the discrete loop that those gains close (margins, Ms, the
// predicted step). Every piece is also callable alone: modelo.h, reglas.h, lazo.h, rele.h.

#include <optional>
#include <string>
#include <vector>

#include "sintonia/lazo.h"
#include "sintonia/modelo.h"
#include "sintonia/reglas.h"

struct Sintonia {
    std::string titulo;  ///< the rule's name as a window shows it (TituloRegla, TituloReglaUltima)
    Accion accion = Accion::PI;
    Ganancias ganancias;  ///< as the rule gave them
    Pid pid;              ///< rounded to the texts' 4 digits (Redondeado): what "Aplicar" writes
    AnalisisLazo lazo;    ///< of the plant with `pid`
};

/// A rule from a model (the plant in its own seconds, the PID's period and the plant's time per sample).
/// Throws ErrorSintonia.
Sintonia Sintonizar(const ModeloConRetardo& p, const Muestreo& m, Regla regla, Accion accion, std::optional<double> perilla = {},
                    double referencia = 1);

/// A closed-loop rule from Ku and Pu, the loop analysed on the plant p (the relay's model, or the true one).
/// Throws ErrorSintonia.
Sintonia SintonizarUltima(const ModeloConRetardo& p, const Muestreo& m, ReglaUltima regla, Accion accion, double Ku, double Pu,
                          double referencia = 1);

/// Every rule from a model, in the order of Regla, for a table that compares them (the knob applies to
/// SIMC and IMC). Throws ErrorSintonia.
std::vector<Sintonia> TodasLasReglas(const ModeloConRetardo& p, const Muestreo& m, Accion accion,
                                     std::optional<double> perilla = {}, double referencia = 1);
