#pragma once
// What each run read, for the description of a record: the texts at its start, the changes of the texts that it
// reads at every tick, the plant and the fuzzy controller it took; and which run made each point of the level
// series. Bounded: a run keeps at most kCambiosMaximos changes and texts of at most kLargoMaximoTexto bytes, and
// only the runs that still have points on the chart (and the last one of each kind) are kept.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/controles.h"
#include "core/interfaces.h"
#include "core/simulacion.h"
#include "core/lecturas_tick.h"
#include "core/observacion/observador.h"
#include "core/planta/planta.h"
#include "core/textos.h"
#include "fuzzy/fis.h"

inline constexpr std::size_t kCambiosMaximos = 1000;
inline constexpr std::size_t kLargoMaximoTexto = 256;

/// A text that a run saw change: from the tick of counter `muestra` on, it read `texto`.
struct CambioTexto {
    std::int32_t muestra = 0;
    std::string nombre;
    std::string texto;
    bool operator==(const CambioTexto&) const = default;
};

/// One fuzzy set as the controller held it.
struct ConjuntoLeido {
    std::int32_t tipo = 0;
    double ancho = 0;
    double centro = 0;
};

/// One run, from the press of its button.
struct BitacoraCorrida {
    std::uint64_t numero = 0;  // 1, 2, ...: the runs started since the program began, of every kind
    Corrida corrida = Corrida::Escalon;
    /// The texts at the start, in the order of TextosAlEmpezar (a text longer than kLargoMaximoTexto bytes is
    /// cut there, with "..." after it); the slider's position as kTrackReferencia.
    std::vector<std::pair<std::string, std::string>> inicio;
    /// The decimal separator that the texts were written with.
    char decimal = '.';
    /// The changes seen at the ticks, in order; the first kCambiosMaximos, and how many more came.
    std::vector<CambioTexto> cambios;
    std::uint64_t cambiosOmitidos = 0;
    /// The plant constants that the start stored, and the plant's truth and clock with them.
    float T_Muestreo = 0, Nivel_Max = 0;
    std::optional<ModeloPrimerOrden> verdad;
    RelojPlanta reloj;
    /// The plant's constants as the start read them (its state empty), and the sum and count of the run's levels,
    /// for the truth at the record's operating point (core/planta/verdad.h).
    Simulacion constantes;
    /// The texts of the pump, the disturbance, the sensor and the PID's options that differ from their defaults
    /// at the start, in the order of TextosLazo(): none for a loop as it was before them.
    std::vector<std::pair<std::string, std::string>> lazo;
    double sumaNiveles = 0;
    std::int64_t niveles = 0;
    /// Fuzzy run: the sets of the error, its derivative and the action (5 each), and the rule table (row: error
    /// set, column: derivative set), as Controlador_Fuzzy held them at the start.
    std::vector<ConjuntoLeido> conjuntos;
    std::vector<std::vector<std::int32_t>> reglas;

    /// The text at the start of `nombre` ("" when the run does not read it).
    std::string AlEmpezar(std::string_view nombre) const;
};

/// The texts of the loop as in a lab: the pump's limits, the PID's options, the disturbance and the sensor.
std::span<const char* const> TextosLazo();

/// The texts that a run reads at every tick, in the order it reads them (kTrackReferencia is the slider).
std::span<const char* const> TextosDeCadaTick(Corrida corrida);
/// The texts kept at a run's start on the plant `planta`: the plant's, then those of TextosDeCadaTick not already
/// among them.
std::vector<const char*> TextosAlEmpezar(Corrida corrida, const Planta& planta);

class Bitacoras : public ObservadorCorrida {
public:
    Bitacoras();

    /// A run has started: keeps its texts, the plant `planta` with the constants of `estado` and, for the fuzzy
    /// run, the sets and rules of `fuzzy`. An edit that the texts lack is kept with its default text.
    void Empezar(Corrida corrida, const Textos& textos, const Posicion& posicion, const Simulacion& estado,
                 const Planta& planta, const FIS& fuzzy);
    /// At the start of the tick of counter n: the run's texts of every tick that differ from those it saw last
    /// become changes. Reads nothing while the texts' Version() stays the same (the slider is read always).
    void Vigilar(Corrida corrida, std::int32_t n, const Textos& textos, const Posicion& posicion);

    // The level series, point by point: which run made each.
    /// The last run of `corrida` put a point at index i of the level series.
    void Agregado(Corrida corrida, std::size_t i);
    void PrimeroBorrado();
    void Limpiado() override;

    // As a watcher of the runs.
    void Empezo(const InicioCorrida& i) override {
        Empezar(i.corrida, i.textos, i.posicion, i.estado, i.planta, i.fuzzy);
    }
    void AntesDelTick(Corrida c, std::int32_t n, const Textos& t, const Posicion& p) override { Vigilar(c, n, t, p); }
    void NivelGraficado(Corrida c, std::size_t j, std::optional<std::size_t>) override { Agregado(c, j); }
    void PrimerosABorrar() override { PrimeroBorrado(); }
    void Muestra(const MuestraTick& m) override;

    /// The run that made point i of the level series; nullptr when unknown.
    const BitacoraCorrida* De(std::size_t i) const;
    /// The last run of that kind that started; nullptr before the first.
    const BitacoraCorrida* Ultima(Corrida corrida) const;
    /// How many runs are kept.
    std::size_t Guardadas() const;

private:
    static constexpr std::uint16_t kSinRanura = 0xFFFF;
    struct Ranura {
        std::unique_ptr<BitacoraCorrida> bitacora;
        std::size_t puntos = 0;
    };
    // What a run saw last of its texts of every tick.
    struct Vista {
        std::uint64_t version = 0;
        std::vector<std::string> textos;
        std::int32_t posicion = 0;
    };

    void Soltar(std::uint16_t r);
    void Anotar(BitacoraCorrida& b, std::int32_t n, const char* nombre, const std::string& texto);

    std::vector<Ranura> ranuras_;
    std::vector<std::uint16_t> libres_;
    std::deque<std::uint16_t> puntos_;  // the run's slot of each point of the level series
    std::array<std::uint16_t, kNumCorridas> ultima_;
    std::array<Vista, kNumCorridas> vistas_;
    std::uint64_t corridas_ = 0;
};
