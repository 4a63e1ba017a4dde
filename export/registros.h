#pragma once
// Records in the formats that other programs load, beside today's fixed-column text record (which stays as it
// is, and the default): CSV, MAT v5 (through libmatio) and HDF5 (through libhdf5).
//
// Every writer makes its file as ArchivoRegistro does: in a temporary file beside the target, renamed over it
// once complete and on the disk; a failure removes the temporary file and leaves the target as it was. The text
// record and the CSV also write through to a FIFO or a terminal; MAT and HDF5 need a file they can seek in, so
// they refuse anything but a regular file (or a new one). Memory stays flat however long the record: the text
// and CSV lines go out in blocks, HDF5 writes its columns in chunks, and MAT keeps its columns in unnamed
// temporary files beside the target until the end, when libmatio writes each from a mapping of its file.
//
//   .csv   a comment line with the sample time, a header of names and units, one line a sample, "." as the
//          point, each number in the shortest form that reads back as the same Double, CR LF.
//   .mat   variables muestra, t, u (the action, the plant's input), y (the level, its output), the columns
//          beyond those, each N x 1 double; Ts (s); unidades (a struct of the columns' units); descripcion
//          (the record's description as a struct, from its JSON).
//   .h5    datasets /muestra, /t, /u, /y and the columns beyond, each of N doubles with attributes unidad and
//          titulo; /Ts (s); /descripcion, the description's JSON as one UTF-8 string. HDF5 1.10's file format
//          (readers built on HDF5 1.10, of 2016, or later: h5py, Octave, MATLAB R2021b and later).

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export/huella.h"

class ArchivoRegistro;

enum class FormatoRegistro { Texto, Csv, Mat, Hdf5 };

/// A column of a record.
struct ColumnaRegistro {
    std::string variable;  // its name in .mat and .h5: an identifier (u, y, r)
    std::string titulo;    // its name in the CSV header (accion, nivel, referencia)
    std::string unidad;    // "" for none
};

/// The four columns that every record has: muestra, t (tiempo, s), u (accion, m^3/s), y (nivel, m). The program
/// has no unit of length of its own: metres are what the header assumes.
std::span<const ColumnaRegistro> ColumnasFijas();

/// The columns beyond those that a run may have, in this order: r (referencia, m) of the closed loops,
/// q (perturbacion, m^3/s) while a load disturbance is on, uc (accion_comandada, m^3/s) while a pump limit is.
const ColumnaRegistro& ColumnaReferencia();
const ColumnaRegistro& ColumnaPerturbacion();
const ColumnaRegistro& ColumnaComandada();

/// What a record holds beyond its samples.
struct FormaRegistro {
    double muestreo_s = 0;                     // the sample time Ts in seconds; t = muestra x Ts
    std::vector<ColumnaRegistro> adicionales;  // after the fixed four: reference, disturbance, commanded inflow...
    std::string descripcion;                   // the description's JSON (DescribirRegistro); "" for none
};

/// One writer of one record file.
class EscritorRegistro {
public:
    virtual ~EscritorRegistro() = default;
    /// One sample: its number, the action, the level and a value for each additional column, in their order.
    /// Throws ErrorPuntoFlotante for a value that is not finite and ErrorTanque for a count of values that is
    /// not that of the columns (nothing of the sample is added either way), ErrorArchivo when a write fails.
    virtual void Anadir(double muestra, double accion, double nivel, std::span<const double> adicionales = {}) = 0;
    /// Writes what is left and puts the file in the target's place. Throws ErrorArchivo: the temporary file is
    /// removed and the target left as it was.
    virtual void Confirmar() = 0;
    /// Removes the temporary file (closes a target written through); nothing once confirmed. The destructor
    /// does it for a writer that was not confirmed.
    virtual void Descartar() noexcept = 0;

    // For a record replaced together with its description (export/par_formato.h):
    /// The first half of Confirmar(): the file complete, on the disk and closed, still beside the target. Throws
    /// ErrorArchivo, as Confirmar() does.
    virtual void Cerrar() = 0;
    /// The size and SHA-256 of the whole file, once Cerrar() has returned. Throws ErrorArchivo.
    virtual ResumenArchivo Resumen() const = 0;
    /// The file under the writer: its target, the rename that puts it there.
    virtual ArchivoRegistro& Archivo() = 0;
    /// The description that MAT and HDF5 keep inside the file, instead of FormaRegistro's; before Cerrar().
    virtual void Describir(std::string descripcion) = 0;
    /// The sample time in seconds, instead of FormaRegistro's, for a record opened before its run set it;
    /// before the first sample.
    virtual void PonerMuestreo(double muestreo_s) = 0;
};

/// The format of a record by the extension of its name: .csv, .mat, .h5 or .hdf5 (in any case); the text record
/// for any other (.txt, .red, none).
FormatoRegistro FormatoRegistroDe(std::string_view nombre);

/// The format that an option names: "texto", "csv", "mat", "h5"; nothing for another.
std::optional<FormatoRegistro> FormatoRegistroPorNombre(std::string_view nombre);

/// A writer of the record `nombre` in `formato`. The text record writes the lines of LineaExportacion, byte for
/// byte those of ArchivoRegistro, and no additional column. Throws ErrorArchivo as ArchivoRegistro does, and
/// for MAT and HDF5 "El formato MAT necesita un archivo en el disco: «/dev/stdout» no lo es" for a target that
/// is not a regular file (and, at Confirmar, for a MAT record of more than 268 435 455 samples, which MAT v5
/// cannot hold); ErrorTanque for an additional column whose variable is not an identifier or repeats
/// another's.
std::unique_ptr<EscritorRegistro> AbrirRegistro(FormatoRegistro formato, const std::string& nombre,
                                                const FormaRegistro& forma);
