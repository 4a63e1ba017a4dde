#include "export/registro_memoria.h"

#include <stdexcept>

#include "export/registros_internos.h"

// The rows of EscritorComun, the code every file's writer uses, with no file beneath.
class RegistroMemoria::Filas : public EscritorComun {
public:
    explicit Filas(const FormaRegistro& forma) : EscritorComun(forma) {}
    const std::vector<ColumnaRegistro>& Columnas() const { return columnas_; }
    std::span<const double> Fila(double muestra, double accion, double nivel, std::span<const double> adicionales) {
        return EscritorComun::Fila(muestra, accion, nivel, adicionales);
    }

    // the rest of a writer's duties belong to a file, which this record has not
    void Anadir(double, double, double, std::span<const double>) override {}
    void Confirmar() override {}
    void Descartar() noexcept override {}
    void Cerrar() override {}
    ResumenArchivo Resumen() const override { throw std::logic_error("un registro en memoria no tiene archivo"); }
    ArchivoRegistro& Archivo() override { throw std::logic_error("un registro en memoria no tiene archivo"); }
};

RegistroMemoria::RegistroMemoria(const FormaRegistro& forma)
    : filas_(std::make_unique<Filas>(forma)), valores_(filas_->Columnas().size()) {}
RegistroMemoria::~RegistroMemoria() = default;
RegistroMemoria::RegistroMemoria(RegistroMemoria&&) noexcept = default;
RegistroMemoria& RegistroMemoria::operator=(RegistroMemoria&&) noexcept = default;

void RegistroMemoria::PonerMuestreo(double muestreo_s) { filas_->PonerMuestreo(muestreo_s); }

void RegistroMemoria::Anadir(double muestra, double accion, double nivel, std::span<const double> adicionales) {
    const std::span<const double> fila = filas_->Fila(muestra, accion, nivel, adicionales);
    for (std::size_t k = 0; k < fila.size(); ++k) valores_[k].push_back(fila[k]);
}

const std::vector<ColumnaRegistro>& RegistroMemoria::Columnas() const { return filas_->Columnas(); }
