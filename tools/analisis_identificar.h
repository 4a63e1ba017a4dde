#pragma once
// What identificar shows beside the estimates: the record's warnings, the residuals of the model it shows
// first, and on request the scan of orders and delays, the frequency response and the model written to a file
// that Octave or Python reads back.

#include <optional>
#include <string>
#include <vector>

#include "identificacion/avisos.h"
#include "identificacion/frecuencia.h"
#include "identificacion/lineal.h"
#include "identificacion/oe.h"
#include "identificacion/ordenes.h"
#include "identificacion/orificio.h"
#include "identificacion/residuos.h"
#include "tools/opciones_lote.h"

/// The files a model is written to, by their extension.
enum class FormatoModelo { Json, Octave, Python };

/// The format of ".json", ".m", ".py"; nothing for another name.
std::optional<FormatoModelo> ExtensionModelo(const std::string& archivo);

struct AnalisisIdentificar {
    std::vector<Aviso> avisos;
    bool arxSesgado = false;     ///< then ARX's ± does not measure its error
    std::string metodoResiduos;  ///< the model whose residuals are tested ("OE", else "ARX")
    std::optional<AnalisisResiduos> residuos;
    std::string sinResiduos;  ///< why there are none
    std::optional<Barrido> barrido;
    std::string sinBarrido;
    std::optional<RespuestaFrecuencia> frecuencia, delModelo;
    std::string sinFrecuencia;
    std::optional<ModeloOrificio> orificio;  ///< the grey box, when the record's plant is the orifice tank
    std::string sinOrificio;
    /// What --modelo writes: the scan's choice (OE, else ARX) with --ordenes, else the model shown first.
    std::optional<ModeloLineal> modelo;
    std::string sinModelo;
};

/// The analysis of the record `r` with its first-order estimates (either may be absent), the plant's truth as
/// the description's JSON text ("" without one), the validation record of --validar (may be null) and the run's
/// pump limits (from its description).
AnalisisIdentificar AnalizarIdentificacion(const Registro& r, const Identificacion* arx, const IdentificacionOe* oe,
                                           const OpcionesIdentificar& op, const std::string& verdad,
                                           const Registro* validacion, const OpcionesAvisos& limites = {});

/// The text blocks after the methods' (warnings first), and the JSON keys "avisos", "residuos", "ordenes",
/// "frecuencia", "orificio" as one object.
std::string TextoAnalisis(const AnalisisIdentificar& a);
std::string JsonAnalisis(const AnalisisIdentificar& a);

/// The contents of the model's file in `formato`: JsonModelo, or the line of Octave or Python that rebuilds it.
/// Throws ErrorIdentificacion for a model with no continuous form (no line rebuilds it).
std::string ArchivoModelo(const ModeloLineal& m, FormatoModelo formato);
