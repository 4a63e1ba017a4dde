#pragma once
// Models that travel: a discrete model as the continuous-time transfer function whose discretisation with the
// input held over each sample (zero-order hold) it is exactly, at the plant time a sample holds, and back at
// another record's plant time. The plant time, not the period, is what the samples show: at T_Sample 100 ms
// the program integrates 11 sub-steps of 10 ms, 110 ms a sample (Registro::tiempoMuestra).
//
// How a record's lines line up with the held input: in the open-loop run the action of line k flows during
// sample k and the level of line k is taken at its end, y(k) = B/F u(k) with no delay (alignment 0); in the
// PID and fuzzy runs the level of line k is taken before action k is computed (alignment 1). So a model of
// delay nk on a record of alignment r has a dead time of nk - r samples, and its hold equivalent is
//   H(z) = z^-(1 + nk - r) (b1 + b2 z^-1 + ... + bn z^-(n-1)) / F(z^-1)    (n poles, at most n coefficients b)
// whose continuous form is G(s) e^(-s (nk - r) t), t the plant time a sample.

#include <complex>
#include <string>
#include <vector>

#include "identificacion/lineal.h"

/// G(s) e^(-retardo s): num and den in descending powers of s (as Octave's tf and scipy's TransferFunction
/// take them), den with constant term 1 when G has no pole at 0 (a first order is K / (Tau s + 1)).
struct FuncionTransferencia {
    std::vector<double> num, den;
    double retardo = 0;  ///< dead time, seconds
};

/// The continuous form of a discrete model. Throws ErrorIdentificacion: a model of more coefficients b than
/// poles, or with a real pole at or left of 0 (z <= 0: no continuous system gives it), or whose delay is
/// shorter than its run's alignment (it would answer before the plant).
FuncionTransferencia Continua(const ModeloLineal& m);

/// The hold discretisation of g for samples of plant time `tiempo` (seconds), period T, and alignment
/// `alineacion`: F, B and nk = alineacion + the dead time in samples (rounded to whole samples). Throws
/// ErrorIdentificacion for a g that is not strictly proper.
ModeloLineal Discreta(const FuncionTransferencia& g, double T, double tiempo, int alineacion);

/// The model for another record: Discreta at its plant time and period, with its alignment, the estructura
/// kept.
ModeloLineal Discreta(const FuncionTransferencia& g, const Registro& otro, int alineacion,
                      const std::string& estructura);

/// G(i w) e^(-i w retardo), w in rad/s.
std::complex<double> Evaluar(const FuncionTransferencia& g, double w);

/// The static gain G(0), when G has no pole at 0 (else infinite).
double Ganancia(const FuncionTransferencia& g);

/// The poles of G, in rad/s.
std::vector<std::complex<double>> Polos(const FuncionTransferencia& g);

/// The model as a line of Octave with its control package: G continuous, Gd its discretisation in the record's
/// samples (times z^-d for a dead time of d samples).
std::string LineaOctave(const ModeloLineal& m);

/// The same for Python with NumPy and SciPy: G a scipy.signal.TransferFunction, (numd, dend) its discretisation.
std::string LineaPython(const ModeloLineal& m);

/// G as a text: "2 / (20 s + 1)", 6 significant digits.
std::string TextoFuncion(const FuncionTransferencia& g);
