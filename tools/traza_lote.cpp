#include "tools/traza_lote.h"

#include <sys/stat.h>

#include <cstdio>

#include "core/simulador.h"

std::string CabeceraTraza(bool conComandada) {
    std::string c = kCabeceraTraza;
    if (conComandada) c.insert(c.size() - 1, ",accion_comandada");
    return c;
}

void AnadirTraza(std::string& destino, const Simulador& sim, Corrida c, bool conComandada) {
    const MuestraGraficada& m = sim.UltimaMuestra();
    const Simulacion& s = sim.Estado();
    // %a writes the exact binary value, so that two records compare bit for bit
    char linea[352];
    int n = std::snprintf(linea, sizeof linea, "%d,%a,%a,", m.n, static_cast<double>(m.accion),
                          static_cast<double>(m.nivel));
    if (c != Corrida::Escalon)
        n += std::snprintf(linea + n, sizeof linea - static_cast<std::size_t>(n), "%a", m.referencia);
    n += std::snprintf(linea + n, sizeof linea - static_cast<std::size_t>(n), ",%a,%a,%a,%a,%d,%d",
                       static_cast<double>(s.Volumen), static_cast<double>(s.Error_Ant),
                       static_cast<double>(s.Integral), s.Salida_Fuzzy_Ant, sim.Nivel().Top, sim.Nivel().Height);
    if (conComandada)
        n += std::snprintf(linea + n, sizeof linea - static_cast<std::size_t>(n), ",%a",
                           static_cast<double>(s.Accion_Comandada));
    linea[n++] = '\n';
    destino.append(linea, static_cast<std::size_t>(n));
}

bool MismoArchivo(const std::string& ruta, int fd) {
    struct stat nombrado {};
    struct stat abierto {};
    return fd >= 0 && ::stat(ruta.c_str(), &nombrado) == 0 && ::fstat(fd, &abierto) == 0 &&
           nombrado.st_dev == abierto.st_dev && nombrado.st_ino == abierto.st_ino;
}
