#pragma once
// The identification of the plant from the chart's record: the samples that Archivo writes, the delay of the
// run that plotted them, every method that applies, and the truth (the plant that run integrated) beside them.

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/controles.h"
#include "core/simulador.h"
#include "identificacion/modelo.h"
#include "identificacion/registro.h"

/// How the truth beside the estimates was read from the plant.
enum class TipoVerdad {
    Lineal,     ///< the linear tank: K and Tau are the plant itself
    Orificio,   ///< the tank through an orifice: K and Tau of its linearisation at the record's mean level
    DosTanques  ///< two tanks: K / ((Tau s + 1) (T2 s + 1)), which no first-order model matches exactly
};

/// The plant behind the record, as the run integrated it: its truth (Planta::Verdad, or the tanks' linearisation
/// at the record's mean level) and its clock.
struct VerdadPlanta {
    TipoVerdad tipo = TipoVerdad::Lineal;
    double K = 0;               ///< the level per unit of inflow (the linear tank's R)
    double Tau = 0;             ///< seconds (the linear tank's A R; of two tanks the measured one's T1)
    double T2 = 0;              ///< seconds, the upper tank's time constant (two tanks; else 0)
    double nivelOperacion = 0;  ///< the mean level of the record, where a nonlinear plant is linearised
    bool derrama = false;       ///< whether the inflow of that level makes the upper tank spill
    double T = 0;               ///< the sample period, seconds
    int subpasos = 0;           ///< the integrator's sub-steps a sample (RK's of T / 10)
    double tiempoMuestra = 0;   ///< the time integrated a sample (subpasos T / 10), seconds
    double TauMuestras = 0;     ///< the time constant that the samples show, read with the period T; of two
                                ///< tanks their sum T1 + T2 (the first-order model of the same mean response
                                ///< time), against which a first-order estimate's Tau is measured
    /// Whether the samples show another time constant than A R: the original clock's 11 sub-steps a sample (as
    /// at 100 ms) make it 9 % shorter; its 10 Single sub-steps add up to T within a rounding of T, and the exact
    /// clock's 8 of T / 8 to T itself, and they show A R.
    bool Difieren() const { return std::abs(tiempoMuestra - T) > 1e-3 * T; }
};

/// One method's outcome: its estimate, or why it has none.
struct ResultadoMetodo {
    std::string metodo;  ///< "ARX", "OE", "escalón"
    std::optional<Identificacion> estimacion;
    std::string motivo;  ///< the refusal's text when there is no estimate
};

struct IdentificacionGrafico {
    Registro registro;  ///< the chart's samples, with their numbers and the run's period
    Corrida corrida = Corrida::Escalon;
    int retardo = 0;  ///< 0 for the step run, 1 for the PID and fuzzy runs
    VerdadPlanta verdad;
    std::vector<ResultadoMetodo> metodos;  ///< ARX and OE, and the step reading for the step run
    std::size_t elegido = 0;               ///< the method whose model is shown first: OE, else ARX
    /// The pump's limits of the last run, when it had them: the samples at a limit are warned about.
    std::optional<double> caudalMinimo, caudalMaximo;
};

/// The plant of the chart's last stretch: its truth and what the samples show; a tank through an orifice or two
/// tanks linearised at `nivelMedio` (the record's mean level). Throws ErrorIdentificacion (TextoSinVerdad) for a
/// plant without such a truth (or a nonlinear one without `nivelMedio`), ErrorPuntoFlotante on overflow.
VerdadPlanta VerdadDe(const OrigenGrafico& origen, std::optional<double> nivelMedio = std::nullopt);

/// The relative error (estimado - verdad) / verdad. Throws ErrorPuntoFlotante (a truth of 0).
double ErrorRelativo(double estimado, double verdad);

/// Identifies the plant from the samples that Archivo would write for this range. Throws ErrorIdentificacion
/// with the reason in Spanish: a run still going, an empty chart, points of more than one stretch of runs, a
/// run that overflowed before it made enough samples, a record too short or without response (ARX, which
/// every method starts from, refuses it). A method that fails alone (OE, the step reading) keeps its reason.
IdentificacionGrafico IdentificarGrafico(const Simulador& s, bool rangoCompleto, double xmin, double xmax);

// The texts of the refusals that belong to the chart rather than to the record.
std::string TextoCorridaActiva();
std::string TextoGraficoVacio();
std::string TextoVariasCorridas(const OrigenGrafico& origen);
std::string TextoDesbordeInmediato(Corrida corrida, std::size_t muestras);
std::string TextoSinVerdad();
/// The run's name as its button says it: "Escalón", "PID", "Fuzzy".
std::string TituloCorrida(Corrida c);
