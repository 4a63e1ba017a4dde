#pragma once
// tanque-lote barrido: many runs of one manifest, each case its texts and its seeds, each summarised in one line
// of JSON. A case's texts and seeds depend only on the manifest and the case's index, so a sweep split into
// shares (--parte), run on threads (--hilos) or on other machines gives the same lines.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/controles.h"
#include "tools/opciones_lote.h"

/// The texts of the runs' seeds: a case gets its own unless the manifest gives them.
inline constexpr const char* kTextosSemilla[] = {"Ruido_Semilla", "Senal_Semilla", "Perturbacion_Semilla"};

/// The identification applied to each case's record.
enum class MetodoBarrido { Ninguno, Arx, Oe, Escalon };

/// One name of a Latin hypercube and its range [minimo, maximo].
struct RangoBarrido {
    std::string nombre;
    double minimo = 0, maximo = 0;
};

/// A sweep as its manifest gives it. The cases are `explicitos` (a CSV, or JSON's "casos"), else the cartesian
/// product of `rejilla` (in the listed order, the last name fastest), else `casosHipercubo` points of the Latin
/// hypercube over `rangos`.
struct Manifiesto {
    std::uint64_t semilla = 0;
    Corrida corrida = Corrida::Escalon;
    std::int32_t muestras = 0;
    MetodoBarrido metodo = MetodoBarrido::Oe;
    /// the texts of every case, in the manifest's order, before those that vary
    std::vector<std::pair<std::string, std::string>> textos;
    std::vector<std::pair<std::string, std::vector<std::string>>> rejilla;
    std::vector<RangoBarrido> rangos;
    std::size_t casosHipercubo = 0;
    std::vector<std::string> columnas;                 ///< the names of the explicit cases
    std::vector<std::vector<std::string>> explicitos;  ///< one row of texts a case, in the order of `columnas`
    /// the hypercube's stratum of each case in each dimension: estratos[d][i], a permutation of 0 .. n-1
    std::vector<std::vector<std::size_t>> estratos;
    /// and where in its stratum the point lies, in [0, 1): posiciones[d][i]
    std::vector<std::vector<double>> posiciones;
};

/// Reads a manifest: JSON when the file's extension is .json or its first non-blank byte is '{', else CSV.
/// Throws std::invalid_argument with the reason in Spanish (a file that cannot be read, bad JSON, an unknown
/// text name, an empty grid or range...).
Manifiesto LeerManifiesto(const std::string& ruta);

/// The same from the manifest's text; `json` chooses the format.
Manifiesto LeerManifiestoDeTexto(const std::string& texto, bool json);

/// How many cases the manifest has.
std::size_t NumeroDeCasos(const Manifiesto& m);

/// The seed of the text `nombre` (one of kTextosSemilla) of case `i`: from the manifest's seed and the index
/// alone, through SplitMix64's finaliser.
std::uint64_t SemillaDelCaso(std::uint64_t semilla, const std::string& nombre, std::size_t i);

/// The texts that case `i` (from 0) sets, in order: the manifest's fixed texts, then those that vary. Throws
/// std::out_of_range for an index beyond the cases.
std::vector<std::pair<std::string, std::string>> TextosDelCaso(const Manifiesto& m, std::size_t i);

/// The seeds that case `i` gets (those kTextosSemilla that the manifest does not give), in kTextosSemilla's order.
std::vector<std::pair<std::string, std::uint64_t>> SemillasDelCaso(const Manifiesto& m, std::size_t i);

/// Runs case `i` and gives its line of JSON, without the newline: {"caso", "textos", "semillas", "estado",
/// "mensajes", "identificacion" (K, Tau, ajuste of the method), "indices" (each step as --indices --json gives
/// it)}. With `directorio`, the case's record and its description are written there, through the pair writer, as
/// caso-NNNNNN.txt and caso-NNNNNN.json. The same manifest and index give the same bytes, on any thread. Throws
/// std::out_of_range for an index beyond the cases.
std::string LineaDelCaso(const Manifiesto& m, std::size_t i, const std::optional<std::string>& directorio = {});

/// The record's name of case `i` in a directory: caso-000042.txt.
std::string NombreDelCaso(std::size_t i);

/// The cases of share `parte` (1 .. partes) of `total`: those whose index is parte - 1 modulo partes.
std::vector<std::size_t> CasosDeLaParte(std::size_t total, std::size_t parte, std::size_t partes);

/// Reads `barrido MANIFIESTO [--parte=I/N] [--hilos=N] [--salida=DIR]`. Throws std::invalid_argument in Spanish.
OpcionesLote LeerBarrido(const std::vector<std::string>& argumentos);

/// tanque-lote barrido MANIFIESTO [--parte=i/N] [--hilos=N] [--salida=DIR]: reads the manifest, runs the share's
/// cases on the threads, writes their lines in case order to the descriptor `salida`. Returns 0; 1 when a case
/// failed (its line says how) or the output could not be written; 2 when the manifest is refused.
int CorrerBarrido(const OpcionesLote& o, int salida, std::FILE* errores);
