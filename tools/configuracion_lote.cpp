#include "tools/configuracion_lote.h"

#include "core/configuracion_claves.h"
#include "core/textos_por_defecto.h"

Configuracion LeerConfiguracionLote(const std::string& nombre, std::FILE* errores, char decimal) {
    static const std::vector<std::string> conocidos = NombresDeTextos();
    ConfiguracionLeida leida = LeerArchivoConfiguracion(nombre, conocidos);
    if (!leida.desconocidas.empty()) {
        // bounded as the window's list is: a file of 200 000 unknown keys gives one short line
        constexpr std::size_t kNombradas = 10;
        const std::vector<std::string>& d = leida.desconocidas;
        std::string lista;
        for (std::size_t i = 0; i < d.size() && i < kNombradas; ++i)
            lista += (lista.empty() ? "" : ", ") + claves::Citar(d[i]);
        if (d.size() > kNombradas) lista += " y " + std::to_string(d.size() - kNombradas) + " más";
        std::fprintf(errores, "tanque-lote: %s: se ignora lo que este programa no conoce: %s\n", nombre.c_str(),
                     lista.c_str());
    }
    Configuracion& c = leida.configuracion;
    // the window's rule: the slider goes from 0 to 10
    const auto fuera = [](std::int32_t p) { return p < 0 || p > 10; };
    const auto rechazar = [&](const std::string& motivo) {
        throw ErrorConfiguracion("El archivo " + claves::Citar(nombre) + " no es una configuración válida: " + motivo +
                                     ".",
                                 motivo);
    };
    if (c.posicion && fuera(*c.posicion))
        rechazar("la posición de Track_Referencia (" + std::to_string(*c.posicion) + ") no está entre 0 y 10");
    if (c.programa)
        for (std::size_t i = 0; i < c.programa->size(); ++i)
            if (const auto* p = std::get_if<EventoPosicion>(&(*c.programa)[i].accion); p && fuera(p->posicion))
                rechazar("el evento " + std::to_string(i + 1) + " pone Track_Referencia en " +
                         std::to_string(p->posicion) + ", que no está entre 0 y 10");
    AdaptarDecimal(c, decimal);
    return std::move(c);
}
