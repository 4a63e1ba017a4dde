#include "export/par_formato.h"

#include <utility>

ParFormato::ParFormato(FormatoRegistro formato, const std::string& registro, const FormaRegistro& forma,
                       std::string descripcion)
    : registro_(AbrirRegistro(formato, registro, forma)), descripcion_(std::move(descripcion)) {}

void ParFormato::Confirmar(const std::function<std::string(const ResumenArchivo*)>& describir) {
    registro_->Describir(describir(nullptr));
    if (!ConDescripcion()) {
        registro_->Confirmar();
        return;
    }
    EscritorRegistro& r = *registro_;
    ConfirmarPar({r.Archivo(), [&r] { r.Cerrar(); }, [&r] { return r.Resumen(); }, [&r] { r.Descartar(); }},
                 descripcion_, [&describir](const ResumenArchivo& huella) { return describir(&huella); });
}
