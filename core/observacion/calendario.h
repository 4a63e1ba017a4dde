#pragma once
// The reference schedule that the PID and fuzzy runs read: the slider's position at each tick, kept as its
// changes, so that what the user did can be replayed without windows (CompararControladores).

#include <cstdint>
#include <span>
#include <vector>

#include "core/observacion/observador.h"
#include "core/textos.h"

/// From sample `muestra` on, the slider stands at `posicion` (its reference ReferenciaDe(posicion)).
struct CambioReferencia {
    std::int32_t muestra = 0;
    std::int32_t posicion = 0;
};

/// The positions that the runs' ticks read, as changes in increasing sample order; two changes in a row never
/// hold the same position.
class CalendarioGrabado : public ObservadorCorrida {
public:
    /// The tick of sample n read the slider at `posicion`. A sample at or before the last change kept starts
    /// another pass over the samples (a run started again, or a second run with its own counter): the changes
    /// from n on are dropped first, so that every sample keeps the position of its latest reading.
    void Anotar(std::int32_t n, std::int32_t posicion);
    void Limpiar() { cambios_.clear(); }
    // As a watcher of the runs.
    void PosicionLeida(std::int32_t n, std::int32_t posicion) override { Anotar(n, posicion); }
    void Limpiado() override { Limpiar(); }
    /// Empty before the first reading.
    const std::vector<CambioReferencia>& Cambios() const { return cambios_; }

private:
    std::vector<CambioReferencia> cambios_;
};

/// Samples that a comparison runs past the schedule's last change, at the least.
inline constexpr std::int64_t kMargenComparacion = 200;
/// Time constants of the plant (its truth's Tau) that a comparison runs past the last change, when more.
inline constexpr int kConstantesComparacion = 8;
/// The most samples a comparison runs past the last change.
inline constexpr std::int64_t kMargenComparacionMaximo = 100000;

/// The schedule to compare on: the recorded one, or, with none recorded, the slider's position from sample 0.
std::vector<CambioReferencia> CalendarioParaComparar(std::span<const CambioReferencia> grabado,
                                                     std::int32_t posicionActual);

/// Samples to run over `calendario`: up to its last change (included), then a margin for the response to
/// settle: kConstantesComparacion time constants of the plant at its sample period, read from the plant's
/// texts, but no fewer than kMargenComparacion samples nor more than kMargenComparacionMaximo; the least
/// margin when the plant's texts do not read or give no positive period. Never throws.
std::int64_t MuestrasParaComparar(std::span<const CambioReferencia> calendario, const Textos& textos);
