#pragma once
// Orders and delays: ARX(na, nb, nk) and OE(nb, nf, nk) over a grid, ranked by a criterion, with the model of
// the fewest parameters that no larger one improves significantly.
//
// The grid: na = 1 .. ordenMaximo, nb = 1 .. na (a hold equivalent has at most as many zeros as poles), nk from
// the record's alignment (Registro::retardoCorrida, else 0) to retardoMaximo, every ARX over the same equations.
// OE(nf, nf) for nf <= ordenMaximo (a hold equivalent has as many coefficients b as poles), each at the delay of
// the smallest loss of ARX(nf, nf, .), started from that ARX. Without validation data the rows are ranked by
// AIC = N ln V + 2 p (or FPE = V (1 + p/N) / (1 - p/N)), V the mean squared residual; with it, by the mean
// squared error of the simulated output on it (its fit).
// The choice is parsimonious: for each number of parameters from the fewest, the row of best criterion, the first
// whose residuals are independent of the input (the test of residuos.h, on the validation record when there is
// one). The criterion alone, or a likelihood-ratio test, takes a larger OE in a few noisy records in a hundred:
// a pair of poles more grabs the largest peak of the noise's periodogram, which no chi-square describes. The OE
// orders above the choice, which cannot change it, are fitted with a few steps only (FilaBarrido::recortado).
// The first-order models of arx.h and oe.h stay what identificar shows by default; this is the scan beside them.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "identificacion/lineal.h"
#include "identificacion/registro.h"

enum class Criterio { AIC, FPE };

struct OpcionesBarrido {
    int ordenMaximo = 4;
    int retardoMaximo = 10;
    bool oe = true;                        ///< the OE rows too (the ARX grid is always scanned)
    const Registro* validacion = nullptr;  ///< rank on this record (models resampled to it, lineal.h Validar)
    Criterio criterio = Criterio::AIC;     ///< without validation data
    double confianza = 0.99;               ///< of the residual test that accepts a model
};

struct FilaBarrido {
    std::string estructura;  ///< "ARX" or "OE"
    int n = 0;               ///< na for ARX, nf for OE
    int nb = 0, nk = 0, parametros = 0;
    double perdida = 0;      ///< V on the record
    double aic = 0, fpe = 0;
    std::optional<double> errorValidacion;  ///< mean squared error of the simulated output on the validation record
    std::optional<double> ajusteValidacion;  ///< its fit, percent
    double criterio = 0;     ///< what the table is ranked by (smaller is better)
    /// An OE order above the choice, fitted with kIntentosSobreEleccion steps only: its loss a little above its
    /// least (a few parts in 10^5 on a record of a first-order plant), which the choice does not depend on.
    bool recortado = false;
    ModeloLineal modelo;
};

/// The steps of the OE fits of orders above the choice (oe_orden.h kIntentosOe for the others).
constexpr int kIntentosSobreEleccion = 5;

struct Barrido {
    std::vector<FilaBarrido> arx, oe;  ///< each ranked, best first; a model that could not be solved is left out
    std::size_t elegidoArx = 0, elegidoOe = 0;  ///< the parsimonious choice in each table (oe empty: none)
    std::size_t ecuaciones = 0;                 ///< the common equations of the grid
    bool conValidacion = false;
    Criterio criterio = Criterio::AIC;
    int retardoMinimo = 0;
};

/// Scans the grid. Throws ErrorIdentificacion: a record refused by ComprobarRegistro or ComprobarExcitacion,
/// too short for the grid, or no model of the grid solvable.
Barrido BarrerOrdenes(const Registro& r, const OpcionesBarrido& o = {});
