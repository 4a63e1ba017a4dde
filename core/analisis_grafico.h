#pragma once
// What the identification dialog shows beside its table, computed once for the chart's record: the warnings,
// each method's residual analysis, the frequency response of the record (ETFE over the input's periods, else
// Welch's) with the plant's and the models', the scan of orders and delays, and the orifice tank's grey box.

#include <optional>
#include <string>
#include <vector>

#include "core/identificacion_grafico.h"
#include "identificacion/avisos.h"
#include "identificacion/frecuencia.h"
#include "identificacion/ordenes.h"
#include "identificacion/orificio.h"
#include "identificacion/residuos.h"

struct AnalisisGrafico {
    Registro registro;  ///< the chart's record with its plant time a sample and its run's alignment
    std::vector<Aviso> avisos;
    /// Each method's residuals (an index of IdentificacionGrafico::metodos), or why there are none.
    std::vector<std::optional<AnalisisResiduos>> residuos;
    std::vector<std::string> sinResiduos;
    std::optional<RespuestaFrecuencia> estimada;  ///< ETFE or Welch, with its band
    std::string sinFrecuencia;
    std::vector<double> w;                      ///< the grid of the plant's and the models' lines, rad/s
    std::optional<RespuestaFrecuencia> verdad;  ///< the plant's hold equivalent (its linearisation if nonlinear)
    std::vector<std::optional<RespuestaFrecuencia>> modelos;  ///< each method's
    std::optional<Barrido> barrido;
    std::string sinBarrido;
    std::optional<ModeloOrificio> orificio;  ///< for the orifice tank only
    std::vector<double> nivelOrificio;       ///< its simulated level
    std::string sinOrificio;
};

/// The analysis of an identification of the chart. Never throws: what cannot be computed keeps its reason.
AnalisisGrafico AnalizarGrafico(const IdentificacionGrafico& g);

/// The plant's truth as a continuous transfer function in plant time: K / (Tau s + 1), of two tanks
/// K / ((T1 s + 1)(T2 s + 1)).
FuncionTransferencia FuncionVerdad(const VerdadPlanta& v);
