#pragma once
// Residual analysis: does the model leave anything in its residuals that it should have explained?
//
// Two tests, each at half the risk so that together they raise a false alarm with probability 1 - confianza:
// - whiteness: the autocorrelation of the residuals at lags 1 .. M, by Ljung and Box's
//   Q = N (N + 2) sum rho_e(tau)^2 / (N - tau), chi-square with M degrees of freedom for white residuals;
// - independence from the input: the cross-correlations r = (1/N) sum e(k) u(k - tau) at the M lags from the
//   run's alignment on (0 in open loop; from 1 in closed loop, where the action of a line answers to its own
//   level), S = N r' P^-1 r, P = sum over l of r_e(l) R_u(l) (Bartlett weights), chi-square with M degrees of
//   freedom for residuals independent of the input, white or not (Ljung, System Identification, 16.6).
// The plotted bands are the 99 % bands of one lag: z / sqrt(N) for the autocorrelation, z sqrt(sum rho_e rho_u
// / N) for the cross-correlation.

#include <optional>
#include <string>
#include <vector>

#include "identificacion/lineal.h"
#include "identificacion/modelo.h"
#include "identificacion/registro.h"

enum class Veredicto {
    Explica,              ///< "el modelo explica los datos"
    DinamicaSinExplicar,  ///< the residuals depend on the input
    Retardo,              ///< ... and another delay explains the record better
    RuidoNoBlanco,        ///< independent of the input, but not white: the noise is not the model's
};

struct OpcionesResiduos {
    int retrasos = 20;        ///< M, the lags of each test
    double confianza = 0.99;  ///< of the bands and of the verdict
    bool sugerirRetardo = true;  ///< scan the delays when the residuals depend on the input
};

struct AnalisisResiduos {
    std::size_t desde = 0;                     ///< the sample of the first residual
    std::vector<double> residuos;              ///< e(k), k = desde .. N-1
    std::vector<double> autocorrelacion;       ///< rho_e(tau), tau = 0 .. M
    double bandaAutocorrelacion = 0;           ///< the band of one lag, +-
    std::vector<int> retrasosCruzados;         ///< tau = -M .. M
    std::vector<double> correlacionCruzada;    ///< rho_eu(tau) = corr(e(k), u(k - tau))
    std::vector<double> bandaCruzada;          ///< the band of each lag, +-
    int primerRetrasoProbado = 0;              ///< the independence test takes tau from here
    double blancura = 0, umbralBlancura = 0;   ///< Q and its threshold
    double independencia = 0, umbralIndependencia = 0;  ///< S and its threshold
    int gradosIndependencia = 0;               ///< the degrees of freedom of S (fewer for an input of few lines)
    bool blanco = true, independiente = true;
    bool redondeo = false;  ///< the residuals are of the size of the record's rounding: nothing is left to test
    Veredicto veredicto = Veredicto::Explica;
    std::optional<int> retardoSugerido;  ///< the delay of smallest ARX loss with the model's orders, when it differs
    std::string texto;                   ///< the verdict in Spanish
};

/// The residuals of the model on the record (Residuos of lineal.h), their correlations, bands, tests and
/// verdict. When the residuals depend on the input, ARX of the model's orders over the delays from the record's
/// alignment to 10 finds the delay of least loss; if it differs and the model of that delay (same structure)
/// leaves residuals independent of the input, the verdict is "el retardo parece ser N", else the dynamics are
/// what is missing. Throws ErrorIdentificacion.
AnalisisResiduos AnalizarResiduos(const ModeloLineal& m, const Registro& r, const OpcionesResiduos& o = {});

/// The same for a first-order model (Lineal of lineal.h; OE's simulated from its estimated first level).
AnalisisResiduos AnalizarResiduos(const Identificacion& id, const Registro& r, const OpcionesResiduos& o = {});
AnalisisResiduos AnalizarResiduos(const IdentificacionOe& id, const Registro& r, const OpcionesResiduos& o = {});

/// The verdict's text: "el modelo explica los datos", "queda dinámica sin explicar", "el retardo parece ser 2",
/// "los residuos no son blancos: el ruido no es el que el modelo supone".
std::string TextoVeredicto(Veredicto v, std::optional<int> retardo = std::nullopt);
