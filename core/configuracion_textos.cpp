#include "core/configuracion_textos.h"

#include "base/errores.h"
#include "base/numeros.h"
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
    c.decimal = textos.Decimal();
    return c;
}

namespace {

// `texto` with `destino` for its separator when it is a number written with `desde`.
void Adaptar(std::string& texto, char desde, char destino) {
    if (texto.find(desde) == std::string::npos) return;
    try {
        static_cast<void>(TextoAFlotante(texto, desde));
    } catch (const ErrorTanque&) {
        return;  // not a number: left as typed
    }
    for (char& ch : texto)
        if (ch == desde) ch = destino;
}

}  // namespace

void AdaptarDecimal(Configuracion& c, char destino) {
    if (c.decimal == destino) return;
    for (auto& [nombre, texto] : c.textos) Adaptar(texto, c.decimal, destino);
    if (c.programa)
        for (EventoPrograma& e : *c.programa)
            if (auto* t = std::get_if<EventoTexto>(&e.accion)) Adaptar(t->texto, c.decimal, destino);
    c.decimal = destino;
}
