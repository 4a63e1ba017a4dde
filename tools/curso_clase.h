#pragma once
// A class: the ids of its students from a CSV file, and the class's grades as CSV.

#include <string>
#include <string_view>
#include <vector>

/// The ids of the text of a class file: one a line, the first field of each (a field may be quoted, "" for a
/// quote), blank lines and a first line "alumno" or "id" skipped, a CR before the newline dropped. Throws
/// ErrorTanque, in Spanish with the line's number, for an id that AlumnoInvalido refuses, one given twice, or a
/// class without students.
std::vector<std::string> LeerClase(std::string_view texto);
/// The same from the file `nombre` (at most 1 MiB).
std::vector<std::string> LeerArchivoClase(const std::string& nombre);

/// One field of a CSV line: quoted when it holds a comma, a quote, a line break or a blank at either end.
std::string CampoCsv(std::string_view campo);
