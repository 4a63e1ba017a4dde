#pragma once
// --grafico=ARCHIVO.svg: the run's chart drawn as SVG by hand, for a report, without Qt (the tool stays
// headless): the level, the control action and the reference against the sample number, with axis titles and a
// legend. Each line keeps the first, lowest, highest and last value of each of at most kColumnasGrafico columns
// of samples, so that memory does not grow with the run and every peak still shows.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr std::int64_t kColumnasGrafico = 1000;

class GraficoLote {
public:
    /// For a run of `muestras` samples: columns of ceil(muestras / kColumnasGrafico) samples.
    explicit GraficoLote(std::int64_t muestras);
    /// One sample; the reference is absent in the open-loop run.
    void Anadir(std::int32_t n, double accion, double nivel, std::optional<double> referencia);
    /// The SVG document (UTF-8): 800 x 450 pixels, the title `titulo`.
    std::string Svg(const std::string& titulo) const;

    /// What one column keeps of one line.
    struct Columna {
        double n0 = 0, n1 = 0;  // its first and last sample
        double primero = 0, menor = 0, mayor = 0, ultimo = 0;
        bool menorAntes = true;  // the lowest came before the highest: the line visits them in that order
    };
    const std::vector<Columna>& Linea(int i) const { return lineas_[i]; }

private:
    void Poner(int i, double n, double valor);
    std::int64_t porColumna_;
    std::vector<Columna> lineas_[3];  // level, action, reference
};
