#include "tools/salidas_lote.h"

#include <sys/stat.h>

#include <utility>
#include <vector>

#include "core/descripcion.h"
#include "export/par.h"
#include "tools/traza_lote.h"

namespace {

bool MismosArchivos(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// A record that is replaced (a regular file, or none yet) gets a description beside it.
bool LlevaDescripcion(const std::string& registro) {
    struct stat st {};
    return ::stat(registro.c_str(), &st) != 0 || S_ISREG(st.st_mode);
}

}  // namespace

std::optional<std::string> ChoqueDeSalidas(const OpcionesLote& o, int salida, int errores) {
    if (!o.salida) return std::nullopt;
    const std::string& r = *o.salida;
    std::vector<std::pair<std::string, std::string>> entradas;  // the file, and what it is to this run
    if (o.configuracion) entradas.emplace_back(*o.configuracion, "la configuración de --config");
    if (o.reproducir) entradas.emplace_back(*o.reproducir, "el archivo que se reproduce");
    for (const auto& [archivo, que] : entradas)
        if (MismosArchivos(r, archivo)) return "--salida=" + r + " es " + que + ": el registro lo reemplazaría";
    if (!LlevaDescripcion(r)) return std::nullopt;
    const std::string d = NombreDescripcion(r);
    const std::string deLa = "la descripción " + d + " del registro --salida=" + r;
    struct stat st {};
    if (::lstat(d.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) return deLa + " " + *DescripcionNoEscribible(d);
    for (const auto& [archivo, que] : entradas)
        if (MismosArchivos(d, archivo)) return deLa + " es " + que + ": la reemplazaría";
    if (MismoArchivo(d, salida)) return deLa + " es el archivo de la salida estándar: lo reemplazaría";
    if (MismoArchivo(d, errores)) return deLa + " es el archivo de la salida de errores: lo reemplazaría";
    return std::nullopt;
}
