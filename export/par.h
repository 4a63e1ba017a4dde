#pragma once
// A record and its description replaced as one thing: both are written beside their targets and flushed to the
// disk, the description naming the record's size and SHA-256, and only then renamed, the folder locked meanwhile
// and the old record kept by a hard link until the description is in place, so that a failure puts the old one
// back. A reader never finds a new record beside an old description, nor the reverse, unless the failure that
// stopped the pair also stopped its repair: then the message says so, and the fingerprint shows it.

#include <functional>
#include <optional>
#include <string>

#include "base/errores.h"
#include "export/archivo.h"

/// A failure of the pair: the text says which file failed, why, and what was left of the two.
class ErrorPar : public ErrorArchivo {
public:
    using ErrorArchivo::ErrorArchivo;
};

class ParRegistro {
public:
    /// Opens the record `registro` as ArchivoRegistro does (the errors are its own, ErrorArchivo). Its
    /// description `descripcion` is written only beside a record that is replaced (a regular or a new file):
    /// a record sent to a device or a FIFO has none.
    ParRegistro(const std::string& registro, std::string descripcion);

    /// The record, to which the lines are added.
    ArchivoRegistro& Registro() { return registro_; }
    /// True when the record gets its description.
    bool ConDescripcion() const { return !registro_.Directo(); }
    const std::string& NombreDescripcion() const { return descripcion_; }

    /// Completes the record, writes the description that `describir` makes from the record's fingerprint, and
    /// puts both in place. Throws ErrorPar (and what `describir` throws): both files as they were, or, when even
    /// the repair failed, the text says which one is new. A record without a description throws the
    /// ErrorArchivo of ArchivoRegistro::Confirmar(), whose text the caller puts after the record's name.
    void Confirmar(const std::function<std::string(const ResumenArchivo&)>& describir);

    /// Removes the temporary files; both targets stay as they were.
    void Descartar() noexcept;

private:
    ArchivoRegistro registro_;
    std::string descripcion_;
};

/// The record's side of a pair, for a writer that is not ArchivoRegistro itself (export/par_formato.h).
struct LadoPar {
    ArchivoRegistro& archivo;                  // its target, and the rename that puts it there
    std::function<void()> cerrar;              // complete, on the disk, closed: ArchivoRegistro::Cerrar()
    std::function<ResumenArchivo()> resumen;   // of the closed file
    std::function<void()> descartar;           // noexcept
};

/// ParRegistro::Confirmar for a record that gets its description `descripcion`; throws as it does.
void ConfirmarPar(const LadoPar& registro, const std::string& descripcion,
                  const std::function<std::string(const ResumenArchivo&)>& describir);

/// Why `descripcion` may not be written beside a record ("es una carpeta"...), in Spanish, or nothing: the
/// description's name is never followed through a symbolic link (the user did not choose it), and what is not a
/// regular file there (a folder, a FIFO, a device) is not replaced.
std::optional<std::string> DescripcionNoEscribible(const std::string& descripcion);

/// The question to ask before a record `registro` and its description `descripcion` replace what is there, or
/// nothing when neither exists: a save dialog asks it for the pair, since the user named the record only.
std::optional<std::string> PreguntaReemplazo(const std::string& registro, const std::string& descripcion);
