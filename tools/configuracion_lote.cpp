#include "tools/configuracion_lote.h"

#include "core/configuracion_claves.h"
#include "core/textos_por_defecto.h"

Configuracion LeerConfiguracionLote(const std::string& nombre, std::FILE* errores) {
    static const std::vector<std::string> conocidos = NombresDeTextos();
    ConfiguracionLeida leida = LeerArchivoConfiguracion(nombre, conocidos);
    if (!leida.desconocidas.empty()) {
        std::string lista;
        for (const std::string& d : leida.desconocidas) lista += (lista.empty() ? "" : ", ") + claves::Citar(d);
        std::fprintf(errores, "tanque-lote: %s: se ignora lo que este programa no conoce: %s\n", nombre.c_str(),
                     lista.c_str());
    }
    return std::move(leida.configuracion);
}
