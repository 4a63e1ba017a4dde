#pragma once
// How tanque-lote writes a tuning: the model the rules read, the gains, the margins and the predicted step, in
// Spanish text or in JSON (sintonizar and rele share it).

#include <nlohmann/json.hpp>

#include <string>

#include "sintonia/sintonia.h"

/// A number with up to 6 significant digits, "." as the point ("2", "0.25", "19.9999").
std::string Cifra(double v);

/// "En los segundos del control (...): tau = ..., theta = X + T/2 = Y s".
std::string TextoModeloReglas(const ModeloConRetardo& p, const Muestreo& m, const ModeloReglas& reglas);

/// The rule's lines: title, gains, margins, predicted step.
std::string TextoSintonia(const Sintonia& s);

/// "--Kp=20 --Ti=2 --Td=0": the texts that "Aplicar" would write, as options of a pid run.
std::string OpcionesPid(const Pid& pid);

nlohmann::ordered_json JsonModelo(const ModeloConRetardo& p, const Muestreo& m, const ModeloReglas& reglas);
nlohmann::ordered_json JsonSintonia(const Sintonia& s);
