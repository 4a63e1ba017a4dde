#pragma once
// The command lines of tanque-lote variante and tanque-lote calificar.

#include <optional>
#include <string>
#include <vector>

#include "tools/curso_variante.h"

struct OpcionesLote;

/// `variante` and `calificar`: the course, one student or a class, and where the files are.
struct OpcionesCurso {
    std::string curso;                      ///< --curso=SEMILLA, any UTF-8 text
    std::optional<std::string> alumno;      ///< --alumno=ID
    std::optional<std::string> clase;       ///< --clase=ids.csv: one id a line, in its first column
    std::string carpeta = ".";              ///< variante's --dir=DIR
    std::optional<std::string> respuesta;   ///< calificar's RESPUESTA.json, with --alumno
    std::optional<std::string> respuestas;  ///< calificar's --respuestas=DIR, with --clase: DIR/ID.json each
    std::optional<std::string> salida;      ///< calificar's --salida=ARCHIVO: the report or the class CSV
    TipoEjercicio tipo = TipoEjercicio::Completo;  ///< --ejercicio=identificacion|pid|completo
};

/// Read by LeerOpciones when the first word is `variante` or `calificar`. Throw std::invalid_argument.
OpcionesLote LeerVariante(const std::vector<std::string>& argumentos);
OpcionesLote LeerCalificar(const std::vector<std::string>& argumentos);
