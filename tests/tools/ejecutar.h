#pragma once
// tanque-lote in the test's own process: the options parsed, run as main runs them, standard output and the
// messages caught in temporary files.

#include <cstdio>
#include <string>
#include <vector>

#include "tools/lote.h"

struct Ejecucion {
    int estado = -1;
    std::string salida;
    std::string errores;
};

inline std::string LeerTodo(std::FILE* f) {
    std::rewind(f);
    std::string s;
    char b[4096];
    for (std::size_t n; (n = std::fread(b, 1, sizeof b, f)) > 0;) s.append(b, n);
    std::fclose(f);
    return s;
}

/// Runs the command line `argumentos` (after the program's name) as the program does.
inline Ejecucion Ejecutar(const std::vector<std::string>& argumentos) {
    std::FILE* salida = std::tmpfile();
    std::FILE* errores = std::tmpfile();
    Ejecucion e;
    e.estado = EjecutarLote(LeerOpciones(argumentos), fileno(salida), errores);
    e.salida = LeerTodo(salida);
    e.errores = LeerTodo(errores);
    return e;
}
