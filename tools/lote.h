#pragma once
// The batch generator: one run of the simulator, ticked in a loop, without windows. The record and the trace are
// written as the samples are made, so that memory does not grow with the run.

#include <cstdio>
#include <optional>

#include "export/registro_memoria.h"

#include "tools/opciones_lote.h"

class Simulador;
struct MuestraGraficada;
struct IndicesEscalon;

/// What a caller of CorrerLote sees of the run as it goes, besides its outputs: the sweep keeps each case's
/// record in memory for its identification, and its steps' indices. Nothing here changes what the run does.
class OyenteLote {
public:
    virtual ~OyenteLote() = default;
    /// The run has started (its sample period is known).
    virtual void AlEmpezar(const Simulador&) {}
    /// A sample made, after the tick.
    virtual void AlMuestrear(const Simulador&, const MuestraGraficada&) {}
    /// With --indices: step `numero` (from 1), as it closes, and the last one after the run.
    virtual void AlCerrarEscalon(const IndicesEscalon&, std::size_t) {}
};

/// Runs what the options ask. The trace goes to the descriptor `traza` (-1 for none), messages to `errores`: those
/// of the program as "N: text" ("N: NOMBRE: text" for a text that did not convert), the tool's own as
/// "tanque-lote: ...". The file of --salida is opened before the run (a FIFO waits for its reader there) and holds,
/// once this returns, this run's record, whole, or what it held before when the record itself could not be written.
/// With --indices, the table of the steps' indices (or a JSON line a step) goes to `traza` instead of the trace,
/// each step as it closes and the last one after the run. Beside a record that is a file, its description
/// (NombreDescripcion, DescribirRegistro) is written as the record is: when it cannot be created neither file
/// changes.
/// Returns the exit status: 0; 1 when the start, a sample or an output failed; 2 when --salida is the trace's
/// output or the messages'. A trace that cannot be written ends there, and the run goes on only to complete the
/// record, if there is one; a trace whose reader has gone (EPIPE) is not an error.
/// `oyente`, when given, is told of the start, of each sample and of each step closed.
int CorrerLote(const OpcionesLote& opciones, int traza, std::FILE* errores, OyenteLote* oyente = nullptr);

/// CorrerLote, and every sample of the record (with --salida or without it) kept in `copia` too, opened with the
/// record's columns before the run: the arrays of the Python module, the very values the record's file gets.
int CorrerLote(const OpcionesLote& opciones, int traza, std::FILE* errores, std::optional<RegistroMemoria>& copia);

/// What the command line asks, as the program's main does it: a run (CorrerLote, its trace or indices on
/// `salida`), identificar or comparar (their text on `salida`). Returns the exit status.
int EjecutarLote(const OpcionesLote& opciones, int salida, std::FILE* errores);

/// Writes `texto` to the descriptor, for --help. Returns 0, or the errno of the failure.
int EscribirTexto(int fd, const char* texto);
