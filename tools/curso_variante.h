#pragma once
// A course's exercises: each student's plant, excitation and noise, derived from the course's seed and the
// student's id alone, the same on every machine: FNV-1a 64 of their bytes, then SplitMix64 draws. std::hash and
// the standard distributions are not used, since neither is the same from one library to the next.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/// What a student is asked: the plant's K and Tau, PID gains that meet a closed-loop target, or both.
enum class TipoEjercicio { Identificacion, Sintonia, Completo };

/// The word of --ejercicio: identificacion, pid, completo.
const char* NombreEjercicio(TipoEjercicio t);
std::optional<TipoEjercicio> EjercicioDeNombre(std::string_view nombre);

/// The relative tolerances of the identification's answers: |answer - truth| <= tolerance x truth.
inline constexpr double kToleranciaK = 0.05;
inline constexpr double kToleranciaTau = 0.05;

/// The PID item: a step of the reference from the empty tank, and what its response must meet.
struct ObjetivoLazo {
    std::int32_t posicion = 5;        ///< Track_Referencia; the reference is half of it, in metres
    double sobreimpulsoMaximo = 10;   ///< percent of the step
    double establecimientoMaximo = 60;  ///< s, into the band of Banda_Establecimiento (2 %) for good
    std::int32_t muestras = 240;      ///< samples of the closed-loop run that grades it: twice that time
};

/// One student's exercise. The plant's texts are its truth and never reach the student's files.
struct VarianteAlumno {
    std::string resistencia;  ///< text of Resistencia, m per m^3/s: K = R
    std::string area;         ///< text of Area, m^2: Tau = A R
    /// The texts of the open-loop record's run: T_Sample, the signal's and the noise's, in this order.
    std::vector<std::pair<std::string, std::string>> textos;
    std::int32_t muestras = 0;  ///< of the open-loop record
    ObjetivoLazo objetivo;
};

/// FNV-1a 64 of the course's bytes, a 0xFF byte (never in UTF-8, so that "ab"+"c" and "a"+"bc" differ), and the
/// student's bytes.
std::uint64_t HuellaAlumno(std::string_view curso, std::string_view alumno);

/// SplitMix64 (Steele, Lea and Flood 2014): the stream of draws from one seed.
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t semilla) : estado_(semilla) {}
    std::uint64_t Siguiente();
    /// A whole number from `desde` to `hasta`, both included (the modulo's bias is below 2^-50 here).
    std::int64_t Entre(std::int64_t desde, std::int64_t hasta);

private:
    std::uint64_t estado_;
};

/// The exercise of `alumno` in the course `curso`: R from 0.8 to 2.5, A from 5 to 16 (Tau from 4 to 40 s), at
/// T_Sample 500 ms, where the plant's clock covers the period exactly; a PRBS or a multisine of levels that keep
/// the tank below HMax; measurement noise of 0.005 to 0.03 m.
VarianteAlumno DerivarVariante(std::string_view curso, std::string_view alumno);

/// Why `id` cannot name a student, in Spanish, or nothing: it is empty, longer than 100 bytes, not UTF-8, holds a
/// control character (a newline...), a '/' or a '\', or is "." or "..", or begins with '.' (a hidden file), so that
/// DIR/ID never leaves DIR.
std::optional<std::string> AlumnoInvalido(std::string_view id);
