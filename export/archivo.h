#pragma once
// The export file writer: one line per point of a record. A regular file is written beside its target and renamed
// over it once complete, so that the target holds either what it held before or the whole record.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "export/destino.h"
#include "export/escritor.h"
#include "export/huella.h"

/// One exported point: the sample number, the control action (the plant's input) and the level (its output).
struct MuestraExportada {
    double muestra;
    double accion;
    double nivel;
};

/// A record on its way to a file. For a regular file (or a new one) the lines go to a temporary file in the
/// target's folder, made with the permissions a plain creation gives (or those of the file it replaces), and
/// Confirmar() writes, flushes to the disk, closes and renames it over the target (the file at the end of the
/// target's symbolic links). Anything else (a FIFO, a terminal, /dev/full) is written through. Until Confirmar()
/// succeeds the target is as it was; a record that is destroyed unconfirmed removes its temporary file.
class ArchivoRegistro {
public:
    /// Creates the temporary file, or opens the target that is written through (a FIFO waits for its reader
    /// here). Throws ErrorArchivo: the target may not be written, its folder takes no new file (a file that may
    /// be written in such a folder is refused too: it could not be replaced whole), or the creation fails.
    explicit ArchivoRegistro(const std::string& nombre);
    ~ArchivoRegistro();
    ArchivoRegistro(const ArchivoRegistro&) = delete;
    ArchivoRegistro& operator=(const ArchivoRegistro&) = delete;

    /// Appends the line of `m`; writes a block when one is full. Throws ErrorArchivo (the write failed) or
    /// ErrorPuntoFlotante (a value that is not finite: the line is not added).
    void Anadir(const MuestraExportada& m);
    /// Appends `texto` as it stands (a file that is not a record, such as its description). Throws ErrorArchivo.
    void AnadirTexto(std::string_view texto);
    /// Writes what is left, then completes the file as described above. Throws ErrorArchivo; the temporary file
    /// is removed and the target left as it was.
    void Confirmar();
    /// The first half of Confirmar(): writes what is left, flushes to the disk and closes, but leaves the
    /// temporary file in place (the target as it was), so that a second file can be made ready before either
    /// takes its name. Throws ErrorArchivo, as Confirmar() does.
    void Cerrar();
    /// The second half: renames the closed temporary file over the target. Returns 0, or the errno of the rename
    /// (the temporary file is then kept, for Descartar()). Nothing for a target written through.
    int Colocar() noexcept;
    /// The size and SHA-256 of all that was written so far (of the whole file once Cerrar() has returned).
    ResumenArchivo Resumen() const { return HuellaSha256(huella_).Resumen(); }
    /// True when a regular file was at the target before: a pair that cannot be completed puts it back.
    bool Existia() const { return destino_.existia; }
    /// Removes the temporary file (closes a target written through); nothing when already confirmed.
    void Descartar() noexcept;
    /// True when the target is written through rather than replaced.
    bool Directo() const { return !destino_.reemplazar; }
    /// The file that receives the record.
    const std::string& Ruta() const { return destino_.ruta; }
    /// The temporary file that Confirmar() renames over the target (empty when the target is written through):
    /// a library that writes a file by its name (HDF5, matio) writes it there, and closes it before Confirmar().
    const std::string& Temporal() const { return temporal_; }

private:
    [[noreturn]] void Fallar(int codigo);
    void Volcar();  // writes the buffer, adding it to the fingerprint

    DestinoRegistro destino_;
    std::string temporal_;  // the temporary file's name while it exists
    int ranura_ = -1;       // its slot for the signal handlers
    int fd_ = -1;
    std::string bufer_;  // lines not yet written
    HuellaSha256 huella_;      // of what was written
};

/// Flushes the folder of `ruta` to the disk, so that a rename in it survives a crash. Failures are not reported:
/// the files are complete by then and the rename is only left to the file system's own time.
void SincronizarCarpeta(const std::string& ruta) noexcept;

/// Writes the line of punto(i) for i = 0 .. ultimo in ascending order (none when ultimo < 0) to the file
/// `nombre`, through an ArchivoRegistro: an existing file is replaced without asking once the record is complete.
/// Throws ErrorArchivo at the first failing creation, write, flush or rename, and what `punto` throws; either way
/// the target keeps what it held.
void EscribirExportacion(const std::string& nombre, std::int64_t ultimo,
                         const std::function<MuestraExportada(std::int64_t)>& punto);
