#pragma once
// The files a student receives: the set-up, the open-loop record and its description, and the statement. The
// plant's texts and its truth are in none of them: the set-up leaves them out, the description's plant block is
// replaced by a note, and the statement names only the signal and the target.

#include <string>
#include <string_view>

#include "tools/curso_variante.h"

inline constexpr const char* kArchivoConfiguracionAlumno = "configuracion.tanque";
inline constexpr const char* kArchivoRegistroAlumno = "registro.txt";  // its description: registro.json
inline constexpr const char* kArchivoEnunciado = "enunciado.txt";

/// Writes the four files of `v` into `carpeta`, which is made when it does not exist (its parent must). Throws
/// ErrorTanque (ErrorArchivo for a file, with the system's reason) in Spanish.
void EscribirEjercicio(const VarianteAlumno& v, std::string_view alumno, TipoEjercicio tipo,
                       const std::string& carpeta);

/// Makes the folder `carpeta` when it does not exist (its parent must). Throws ErrorTanque in Spanish.
void CrearCarpeta(const std::string& carpeta);

/// The statement, in Spanish: what to identify or tune, on which files, the answer's JSON and the tolerances.
std::string Enunciado(const VarianteAlumno& v, std::string_view alumno, TipoEjercicio tipo);

/// The record's description without the plant: each run's "planta" becomes a note, and the plant's texts leave
/// "textos_al_empezar". Same layout as DescribirRegistro.
std::string DescripcionSinPlanta(const std::string& descripcion);
