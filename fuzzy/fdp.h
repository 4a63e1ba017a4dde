#pragma once
// One fuzzy set: a membership function of one of four shapes over one real input, and the degree that it
// computed last.

#include <cstdint>

/// A fuzzy set. Tipo: 0 triangle, 1 left shoulder, 2 right shoulder, 3 constant one; any other value is kept
/// and makes Evaluar leave Grado as it is. Nothing is validated.
class FDP {
public:
    std::int32_t Tipo = 0;
    double Ancho = 0.0;   // distance from the centre at which a sloped side reaches 0
    double Centro = 0.0;  // apex of the triangle, knee of a shoulder; for an output set its crisp value
    double Grado = 0.0;   // degree computed by the last Evaluar

    FDP() = default;
    FDP(const FDP&) = default;
    FDP(FDP&&) = default;
    FDP& operator=(const FDP&) = default;
    FDP& operator=(FDP&&) = default;
    virtual ~FDP() = default;

    /// Stores shape, width and centre as given; Grado is not touched. Always returns 1, the status of the original
    /// interface, which no caller reads (as FIS::Dimensionar).
    std::int32_t Asignar(std::int32_t tipo, double ancho, double centro);

    /// Stores in Grado the degree of x. On a sloped branch with a width of 0 throws ErrorPuntoFlotante
    /// (division by zero, or invalid operation when x equals the centre) and leaves Grado unchanged.
    void Evaluar(double x);

    /// The degree computed by the last Evaluar; 0 before the first one.
    double Leer_Grado() const { return Grado; }
};
