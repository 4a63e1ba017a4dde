#pragma once
// What the writers of export/registros.h share: the checked row of every column, and the one refusal of a
// target that is not a file on the disk.

#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "export/archivo.h"
#include "export/registros.h"

class EscritorComun : public EscritorRegistro {
protected:
    /// Throws ErrorTanque for an additional column whose variable is not an identifier or repeats another's.
    explicit EscritorComun(const FormaRegistro& forma);

public:
    void Describir(std::string descripcion) override { descripcion_ = std::move(descripcion); }
    void PonerMuestreo(double muestreo_s) override { muestreo_s_ = muestreo_s; }

protected:

    /// Every column's value of one sample, fixed columns first (t = muestra x Ts, rounded once). Throws as
    /// EscritorRegistro::Anadir; the values are in the span until the next call.
    std::span<const double> Fila(double muestra, double accion, double nivel, std::span<const double> adicionales);

    std::vector<ColumnaRegistro> columnas_;  // the fixed four, then the additional ones
    double muestreo_s_;
    std::string descripcion_;

private:
    std::vector<double> fila_;
};

/// Throws ErrorArchivo "El formato NOMBRE necesita un archivo en el disco: «ruta» no lo es" when `archivo`
/// writes through to its target (a FIFO, a terminal, a device).
void ExigirArchivoEnDisco(const ArchivoRegistro& archivo, const char* formato);

/// The number in the shortest form that reads back as the same Double ("." as the point, "1e-05").
std::string TextoCorto(double x);

/// Asks libhdf5, before any call to it (libmatio's included, which uses it), not to run its termination at exit.
void SinTerminarHdf5() noexcept;

std::unique_ptr<EscritorRegistro> AbrirCsv(const std::string& nombre, const FormaRegistro& forma);
std::unique_ptr<EscritorRegistro> AbrirMat(const std::string& nombre, const FormaRegistro& forma);
std::unique_ptr<EscritorRegistro> AbrirHdf5(const std::string& nombre, const FormaRegistro& forma);
