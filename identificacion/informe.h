#pragma once
// The identification's results as a tool prints them: text in Spanish and JSON (one object each, as a string:
// the JSON library stays inside identificacion/). A caller that builds its own JSON parses these objects into it.

#include <string>
#include <vector>

#include "identificacion/avisos.h"
#include "identificacion/frecuencia.h"
#include "identificacion/lineal.h"
#include "identificacion/ordenes.h"
#include "identificacion/orificio.h"
#include "identificacion/residuos.h"

/// {"estructura", "orden", "nb", "retardo", "T", "tiempo_por_muestra_s", "retardo_corrida", "F", "B", "perdida",
/// "ecuaciones", "errores" (of f1 .. fn, b1 .. bm, or null), "continuo": {"num", "den", "retardo_s", "ganancia",
/// "polos": [{"re", "im"}], "texto"} or null with "sin_continuo" (the reason), "octave", "python"}.
std::string JsonModelo(const ModeloLineal& m);

/// {"veredicto": "explica" | "dinamica_sin_explicar" | "retardo" | "ruido_no_blanco", "texto", "retardo_sugerido",
/// "redondeo", "muestras", "blancura": {"Q", "umbral", "grados", "pasa"}, "independencia": {"S", "umbral",
/// "grados", "desde_retraso", "pasa"}, "autocorrelacion": {"retrasos", "valores", "banda"},
/// "correlacion_cruzada": {"retrasos", "valores", "banda"}}.
std::string JsonResiduos(const AnalisisResiduos& a);

/// [{"tipo": "nivel_cero" | "limite_bomba" | "entrada_constante" | "banda_baja" | "registro_corto" | "arx_sesgado",
/// "texto", "muestras"}].
std::string JsonAvisos(const std::vector<Aviso>& avisos);

/// {"criterio": "AIC" | "FPE" | "validacion", "ecuaciones", "retardo_minimo", "arx" and "oe": {"elegido": the
/// row, "modelo": JsonModelo of it, "filas": [{"n", "nb", "nk", "parametros", "perdida", "aic", "fpe",
/// "error_validacion", "ajuste_validacion", "recortado"}] ranked}}.
std::string JsonBarrido(const Barrido& b);

/// {"metodo", "confianza", "promedios", "w" (rad/s), "magnitud", "fase" (degrees), "magnitud_baja",
/// "magnitud_alta", "fase_baja", "fase_alta", "coherencia"}.
std::string JsonRespuesta(const RespuestaFrecuencia& f);

/// {"modelo": "orificio", "ecuacion", "A", "c", "A_err", "c_err", "retardo", "ajuste", "error_rms", "iteraciones"}.
std::string JsonOrificio(const ModeloOrificio& m);

/// The text blocks, each line indented by two spaces under a title line.
std::string TextoModelo(const ModeloLineal& m);  ///< continuo, octave, python (or why there is no continuous form)
std::string TextoResiduos(const AnalisisResiduos& a);
std::string TextoAvisos(const std::vector<Aviso>& avisos);
std::string TextoBarrido(const Barrido& b, std::size_t filas = 10);  ///< the best `filas` rows of each table
std::string TextoOrificio(const ModeloOrificio& m);
