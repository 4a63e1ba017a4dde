#pragma once
// A record in any of the formats of export/registros.h and its description, replaced as one thing, as
// ParRegistro does for the text record: both written beside their targets and flushed, then renamed together.

#include <functional>
#include <memory>
#include <string>

#include "export/par.h"
#include "export/registros.h"

class ParFormato {
public:
    /// Opens the record `registro` in `formato` (AbrirRegistro's errors). Its description `descripcion` is
    /// written only beside a record that is replaced (a regular or a new file).
    ParFormato(FormatoRegistro formato, const std::string& registro, const FormaRegistro& forma,
               std::string descripcion);

    EscritorRegistro& Registro() { return *registro_; }
    bool ConDescripcion() const { return !registro_->Archivo().Directo(); }
    const std::string& NombreDescripcion() const { return descripcion_; }

    /// Completes the record, with `describir(nullptr)` inside it for MAT and HDF5, writes the description that
    /// `describir` makes from the record's fingerprint beside it, and puts both in place. Throws as
    /// ParRegistro::Confirmar does.
    void Confirmar(const std::function<std::string(const ResumenArchivo*)>& describir);

    /// Removes the temporary files; both targets stay as they were.
    void Descartar() noexcept { registro_->Descartar(); }

private:
    std::unique_ptr<EscritorRegistro> registro_;
    std::string descripcion_;
};
