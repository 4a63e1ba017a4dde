#pragma once
// The data of an identification: a record of the plant's input and output, sample by sample.

#include <cstddef>
#include <optional>
#include <vector>

/// A record: the inflow u(k) and the level y(k) of each sample k = 0 .. N-1, and the sample period.
struct Registro {
    std::vector<double> accion;    ///< u(k), the control action (the plant's input)
    std::vector<double> nivel;     ///< y(k), the level (its output)
    double T = 0;                  ///< sample period in seconds
    std::vector<double> muestras;  ///< the sample numbers of a record file; may be left empty
    /// The plant time in seconds that one sample holds (the description's tiempo_por_muestra_s: the program
    /// integrates 11 sub-steps of T / 10 at 100 ms, 1.1 T); 0 when unknown, read as T.
    double tiempoMuestra = 0;
    /// The delay of the run that made the record (its alignment, kRetardoLazoAbierto or kRetardoLazoCerrado),
    /// when its description says it: the scans of delays start there, and a model's dead time counts from it.
    std::optional<int> retardoCorrida = std::nullopt;
    /// The number of sample 0 when `muestras` is empty (a record read compactly, its numbers consecutive).
    double primeraMuestra = 0;

    /// The plant time of one sample: tiempoMuestra, or T when it is unknown.
    double TiempoMuestra() const { return tiempoMuestra > 0 ? tiempoMuestra : T; }
};

/// How the level of line k of a record relates to the actions: with delay 0 it is measured at the end of the
/// sample in which action k flows (the open-loop run), with delay 1 before action k is computed, so that it
/// answers to action k-1 (the PID and fuzzy runs).
inline constexpr int kRetardoLazoAbierto = 0;
inline constexpr int kRetardoLazoCerrado = 1;

/// The fewest samples a record may have: nine equations of two unknowns leave seven degrees of freedom for
/// the noise variance behind the standard errors.
inline constexpr std::size_t kMinimoMuestras = 10;

/// Checks what every method needs: a positive finite period (and plant time a sample, when given; a run's delay
/// of 0 or 1, when given), columns of one length, at least kMinimoMuestras
/// samples, finite values, consecutive sample numbers (when given). Throws ErrorIdentificacion.
void ComprobarRegistro(const Registro& r);

/// Checks that the record carries something to identify: an action that is not zero throughout and a level
/// that changes. A constant non-zero action is accepted: from an empty tank it is the open-loop step run,
/// whose rising level identifies both parameters. Throws ErrorIdentificacion.
void ComprobarExcitacion(const Registro& r);

/// Throws ErrorIdentificacion unless `retardo` is 0 or 1.
void ComprobarRetardo(int retardo);

/// The number of sample k in messages: its sample number if the record has them, else k.
double NumeroDeMuestra(const Registro& r, std::size_t k);
