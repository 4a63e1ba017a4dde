#pragma once
// The names of the texts that the program has today: the edits of the table of default texts, then the rule
// cells row by row. The set-up file's reader is given them as its caller would.

#include <string>
#include <vector>

#include "core/textos_mapa.h"
#include "core/textos_por_defecto.h"

inline const std::vector<std::string>& NombresConocidos() {
    static const std::vector<std::string> nombres = [] {
        std::vector<std::string> n;
        for (const TextoPorDefecto& t : TextosPorDefecto()) n.emplace_back(t.nombre);
        for (int fila = 1; fila <= 5; ++fila)
            for (int columna = 1; columna <= 5; ++columna) n.push_back(NombreCelda(columna, fila));
        return n;
    }();
    return nombres;
}
