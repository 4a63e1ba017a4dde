#include "core/configuracion_textos.h"

#include "core/textos_mapa.h"
#include "core/textos_por_defecto.h"

const std::vector<std::string>& NombresConfiguracion() {
    static const std::vector<std::string> nombres = NombresDeTextos();
    return nombres;
}

Configuracion ConfiguracionDeTextos(const Textos& textos, std::int32_t posicion) {
    Configuracion c;
    for (const TextoPorDefecto& t : TextosPorDefecto())
        if (textos.Existe(t.nombre)) c.textos[t.nombre] = textos.Texto(t.nombre);
    // the grid always has its 25 cells
    for (int fila = 1; fila <= 5; ++fila)
        for (int columna = 1; columna <= 5; ++columna)
            c.textos[NombreCelda(columna, fila)] = textos.Celda(columna, fila);
    c.posicion = posicion;
    return c;
}
