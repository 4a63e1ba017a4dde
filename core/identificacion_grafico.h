#pragma once
// The identification of the plant from the chart's record: the samples that Archivo writes, the delay of the
// run that plotted them, every method that applies, and the truth (the plant that run integrated) beside them.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/controles.h"
#include "core/simulador.h"
#include "identificacion/modelo.h"
#include "identificacion/registro.h"

/// The plant behind the record, as the run integrated it: its truth (Planta::Verdad) and its clock.
struct VerdadPlanta {
    double K = 0;              ///< the level per unit of inflow (the linear tank's R)
    double Tau = 0;            ///< seconds (the linear tank's A R)
    double T = 0;              ///< the sample period, seconds
    int subpasos = 0;          ///< the integrator's sub-steps a sample (RK's of T / 10)
    double tiempoMuestra = 0;  ///< the time integrated a sample (subpasos T / 10), seconds
    double TauMuestras = 0;    ///< the time constant that the samples show, read with the period T
    /// Whether the samples show another time constant than A R: 11 sub-steps a sample (as at 100 ms) make it
    /// 9 % shorter; with 10, ten Single sub-steps add up to T within a rounding of T, and they show A R.
    bool Difieren() const { return subpasos != 10; }
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
};

/// The plant of the chart's last stretch: its truth and what the samples show. Throws ErrorIdentificacion
/// (TextoSinVerdad) for a plant without a first-order truth, ErrorPuntoFlotante on overflow.
VerdadPlanta VerdadDe(const OrigenGrafico& origen);

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
