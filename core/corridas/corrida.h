#pragma once
// What makes each run what it is: one definition per run, in one table indexed by Corrida (core/corridas/tabla.cpp).
// Every name, set, delay and list of texts that the house knows a run by is read from here.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/controles.h"
#include "core/corridas/ley.h"

/// One run, as the program knows it.
struct DefinicionCorrida {
    Corrida id;
    const char* clave;        ///< "pid": the set-up files and tanque-lote
    const char* rotulo;       ///< "PID": the windows, as the run's button names it
    const char* nombreLargo;  ///< "Controlador PID": the record's description
    /// The controls that its start disables and a stop through its button enables again.
    Conjunto inicio;
    /// The controls that its overflow stop enables.
    Conjunto desborde;
    /// Milliseconds: its timer's interval before its button is first pressed (then kIntervaloTick).
    int intervaloInicial;
    /// nk of its record, y(n) depending on u(n - nk): 0 when the inflow of sample n flows before its level is
    /// measured (the open loop), 1 when the level is measured before the action is computed (the closed loops).
    int retardo;
    /// Its inflow is the excitation signal (Alto_Escalon for the step): its tick reads the signal's texts.
    bool conSenal;
    /// It reads the slider at every tick, as its reference; without one, its indices follow the steps of its
    /// inflow, which settle at the plant's gain times the inflow.
    bool leePosicion;
    /// The texts its tick reads before everything else, in their order (the sample time; the step's amplitude).
    std::span<const char* const> propios;
    /// The controller's gains, in the order its tick reads them after `propios` (none for the open loop).
    std::span<const char* const> ganancias;
    /// Makes its law (core/corridas/leyes.h).
    FabricaLey ley;
    /// An experiment on the plant (the relay) rather than a controller or the open loop: not named in the lists
    /// of runs that messages give (ClavesCorridas; the batch tool has a command of its own by its key, which
    /// still reads back through CorridaDeClave), and not one of the controllers that "Comparar" compares.
    bool experimento = false;
};

/// The definition of a run.
const DefinicionCorrida& Definicion(Corrida c);
/// Every run, in the order of Corrida.
std::span<const DefinicionCorrida> Corridas();
/// The run whose clave is `clave`, if any.
std::optional<Corrida> CorridaDeClave(std::string_view clave);
/// The claves of every run but the experiments for a message: `separador` between them but `ultimo` before the last one
/// (ClavesCorridas(", ", " y ") is "escalon, pid y fuzzy").
std::string ClavesCorridas(std::string_view separador, std::string_view ultimo);
