#pragma once
// tanque-lote identificar: the plant's K and Tau from a record file, by the methods of identificacion/, with the
// period and the delay from the record's description when it has one.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "export/lectura.h"
#include "tools/opciones_lote.h"

/// What the description beside a record says of its reading: the sample period and the delay.
struct DescripcionLeida {
    std::string nombre;          ///< the description's file
    std::optional<double> T;     ///< seconds, muestreo_s
    std::optional<int> retardo;  ///< alineacion.retardo; absent for a record of runs of different delays
    /// What it says of its record (registro.archivo, lineas, ultima_muestra, bytes, sha256), when it says it.
    std::optional<std::string> archivo;
    std::optional<std::int64_t> lineas, ultima, bytes;
    std::optional<std::string> sha256;
    /// Values that it holds but that cannot be used (a period that is not positive, a delay other than 0 or 1).
    std::vector<std::string> avisos;
    std::string verdad;          ///< corrida.planta.verdad as JSON text ("" when absent): the plant's truth
    /// The plant time a sample (verdad.tiempo_por_muestra_s, seconds): at 300 ms the program integrates 11
    /// sub-steps of T/10. 0 when the description does not say it.
    double tiempoMuestra = 0;
    /// The pump's limits of the run (corrida.lazo's Caudal_Min and Caudal_Max), when it had them: the samples at
    /// a limit are warned about.
    std::optional<double> caudalMinimo, caudalMaximo;
};

/// The largest description read: a description of this program takes a few kilobytes.
inline constexpr std::int64_t kMaximoDescripcion = 8 * 1024 * 1024;

/// The description beside `registro` (NombreDescripcion), when there is such a file. Throws ErrorLectura naming
/// it when it is not a description of this program (or is larger than kMaximoDescripcion), ErrorArchivo when it
/// cannot be read.
std::optional<DescripcionLeida> LeerDescripcion(const std::string& registro);

/// Why the description `d` does not describe the record `archivo` that was read as `r`, or nothing: its digest,
/// size, line count or last sample differ, or (for a description without a digest) its record's name. A name
/// that differs from a matching digest is no disagreement: the pair was renamed together.
std::optional<std::string> Discordancia(const DescripcionLeida& d, const std::string& archivo, const RegistroLeido& r);

/// The period in seconds of a T_Sample of `ms` milliseconds, as the plant stores it (a Single).
double PeriodoDeMs(std::int32_t ms);

/// identificar: reads the record and its description, estimates with each method, writes the results to the
/// descriptor `salida` (text in Spanish, or one JSON object with --json), the failures to `errores`. The delay
/// is --retardo, else the description's, else the one of smaller ARX loss, and every method uses it. Returns 0;
/// 1 when a file cannot be read, the record is refused (ARX's refusal, the reason every method shares), a method
/// asked for by --metodo fails, or the output cannot be written.
int CorrerIdentificar(const OpcionesLote& o, int salida, std::FILE* errores);
