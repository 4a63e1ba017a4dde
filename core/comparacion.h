#pragma once
// The runs with their response indices, without windows: one run driven tick by tick over a reference
// schedule, and the runs that follow a reference (the PID and fuzzy runs) side by side on the same texts and
// schedule.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/controles.h"
#include "core/observacion/calendario.h"
#include "core/observacion/indices.h"
#include "core/textos_mapa.h"

/// One tick's sample as the chart plots it; the step run's reference is 0.
struct MuestraCorrida {
    std::int32_t n = 0;
    float nivel = 0;
    float accion = 0;
    double referencia = 0;
};

struct ResultadoCorrida {
    Corrida corrida = Corrida::Escalon;
    std::vector<MuestraCorrida> muestras;
    /// The indices of every step: the closed ones, then the last one as it stood when the run ended.
    std::vector<IndicesEscalon> escalones;
    /// What ended the run early: the message of a start refused or of the overflow stop, or the what() of the
    /// error that a handler threw.
    std::optional<std::string> fallo;
};

/// The runs compared, each with its result, in the order of CorridasComparadas().
struct ResultadoComparacion {
    std::vector<ResultadoCorrida> corridas;
    /// The result of run `c`, which must be one of those compared.
    const ResultadoCorrida& De(Corrida c) const;
};

/// The runs that a comparison runs side by side: those that follow the slider's reference, in the order of Corrida.
std::vector<Corrida> CorridasComparadas();

/// The slider's position at sample n: that of the last change at or before n (the changes in any order).
std::int32_t PosicionProgramada(std::span<const CambioReferencia> calendario, std::int32_t n);

/// One run in a Simulador of its own over a copy of `textos` (the fuzzy run initialises its controller
/// first, ToolButton11Click), started by its button and ticked up to `muestras` times, the slider set from
/// the schedule before each tick. A tick that throws ends the run, and so does the overflow stop. The
/// indices use the band of Banda_Establecimiento (its default when the texts lack it), the plant's sample
/// period, and in the step run the plant's gain (AjustesIndicesDe). Throws ErrorTanque, before running, for a band text
/// that does not convert or lies outside (0, 100).
ResultadoCorrida CorrerConIndices(const TextosMapa& textos, Corrida corrida,
                                  std::span<const CambioReferencia> calendario, std::int64_t muestras);

/// Each of CorridasComparadas(), as CorrerConIndices does it.
ResultadoComparacion CompararControladores(const TextosMapa& textos, std::span<const CambioReferencia> calendario,
                                           std::int64_t muestras);
