#pragma once
// The grader of a course's exercise: the truth computed again from the course's seed and the student's id, K and
// Tau against it with the tolerances of tools/curso_variante.h, and the PID gains run in the PID loop of
// tanque-lote on the true plant against the exercise's target.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/curso_variante.h"

/// A student's answer, as its JSON gives it; what the exercise does not ask may be absent.
struct RespuestaAlumno {
    std::optional<double> K, Tau, Kp, Ti, Td;
};

/// Larger answers are refused before they are read.
inline constexpr std::size_t kTamanoMaximoRespuesta = 1u << 20;

/// Reads an answer: a JSON object whose fields that `tipo` asks (K and Tau; Kp, Ti and Td, Td 0 when absent) are
/// finite numbers, K, Tau and Ti above 0 and Td not below. Throws ErrorTanque with the reason in Spanish.
RespuestaAlumno LeerRespuesta(std::string_view bytes, TipoEjercicio tipo);
/// The same from the file `nombre`; its reason names the file when it cannot be read.
RespuestaAlumno LeerArchivoRespuesta(const std::string& nombre, TipoEjercicio tipo);

/// One graded item: K or Tau (answer against the truth), or PID (the gains' closed loop against the target).
struct ItemCalificado {
    std::string nombre;
    bool aprobado = false;
    // K, Tau
    double respuesta = 0, referencia = 0, errorRelativo = 0, tolerancia = 0;
    // PID
    double Kp = 0, Ti = 0, Td = 0;
    std::optional<double> sobreimpulso, establecimiento;  ///< percent, s: what the loop did
    std::string motivo;                                    ///< why it failed, in Spanish
};

struct Calificacion {
    std::vector<ItemCalificado> items;
    int aprobados = 0;
    double nota = 0;  ///< 0 to 10: ten times the share of items passed
};

/// Grades `r` on the exercise `v`. Throws ErrorTanque when the closed loop cannot be run at all.
Calificacion Calificar(const VarianteAlumno& v, TipoEjercicio tipo, const RespuestaAlumno& r);

/// The report as JSON text (2-space indents, a newline at the end): the student, the exercise, each item with its
/// answer, reference, relative error, tolerance and verdict, the count and the grade.
std::string InformeCalificacion(std::string_view alumno, TipoEjercicio tipo, const VarianteAlumno& v,
                                const Calificacion& c);
