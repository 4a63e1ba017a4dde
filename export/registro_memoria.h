#pragma once
// A record kept in memory, column by column: the values that the writers of the files get, for a program that
// reads the run's samples without a file between (the Python module's arrays).

#include <span>
#include <vector>

#include "export/registros.h"

class RegistroMemoria {
public:
    /// Throws ErrorTanque as AbrirRegistro does for the additional columns.
    explicit RegistroMemoria(const FormaRegistro& forma);
    ~RegistroMemoria();
    RegistroMemoria(RegistroMemoria&&) noexcept;
    RegistroMemoria& operator=(RegistroMemoria&&) noexcept;

    /// The sample time in seconds; before the first sample.
    void PonerMuestreo(double muestreo_s);
    /// One sample, as EscritorRegistro::Anadir takes it (t = muestra x Ts, as every record has it). Throws as it.
    void Anadir(double muestra, double accion, double nivel, std::span<const double> adicionales = {});

    /// The fixed four columns, then the additional ones.
    const std::vector<ColumnaRegistro>& Columnas() const;
    /// The values of column `k`, one per sample.
    const std::vector<double>& Valores(std::size_t k) const { return valores_[k]; }

private:
    class Filas;
    std::unique_ptr<Filas> filas_;  // the checked rows, by the files' own code
    std::vector<std::vector<double>> valores_;
};
