#pragma once
// The control surface: the crisp output of the fuzzy controller over a grid of scaled errors and scaled
// derivatives, each point either the value that Inferir gives there or the text of the error that it throws.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzzy/cobertura.h"
#include "fuzzy/fis.h"

class Superficie {
public:
    /// Points along the error axis (columns) and along the derivative axis (rows).
    int Columnas() const { return columnas_; }
    int Filas() const { return filas_; }
    const Rango& RangoE() const { return e_; }
    const Rango& RangoDE() const { return de_; }

    /// The error of column i: desde + (hasta - desde) i / (Columnas - 1), rounded once; the last is `hasta`.
    double E(int i) const;
    /// The derivative of row j, in the same way.
    double DE(int j) const;

    /// The crisp output at (E(i), DE(j)); nothing where the inference failed.
    std::optional<double> Valor(int i, int j) const;
    /// The what() of the error that the inference threw at (E(i), DE(j)); nullptr where it gave a value.
    const std::string* Fallo(int i, int j) const;
    /// Points where the inference failed.
    std::size_t Fallidos() const { return fallidos_; }

private:
    friend Superficie CalcularSuperficie(const FIS&, Rango, Rango, int, int);
    struct Punto {
        double valor;
        std::int32_t fallo;  // -1 for a value, else an index into fallos_
    };
    std::size_t Indice(int i, int j) const;

    Rango e_, de_;
    int columnas_ = 0, filas_ = 0;
    std::vector<Punto> puntos_;        // row after row
    std::vector<std::string> fallos_;  // the different texts, in order of first appearance
    std::size_t fallidos_ = 0;
};

/// The surface over `columnas` errors from e.desde to e.hasta and `filas` derivatives from de.desde to
/// de.hasta, inferred on a copy of `fis` (the controller, its strengths and degrees stay as they are). A
/// failure of the system's shape (kSistemaSinDimensionar, a rule outside the output sets) does not depend on
/// the inputs: it marks every point without inferring again. Throws ErrorTanque for fewer than one point
/// on an axis.
Superficie CalcularSuperficie(const FIS& fis, Rango e, Rango de, int columnas = 101, int filas = 101);
