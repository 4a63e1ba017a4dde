#include "export/causa_archivo.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <climits>
#include <cstddef>

namespace {

std::string Citar(const std::string& s) { return "«" + s + "»"; }

// The folder that holds `nombre` ("." for a bare name).
std::string Carpeta(const std::string& nombre) {
    const std::size_t barra = nombre.find_last_of('/');
    if (barra == std::string::npos) return ".";
    return barra == 0 ? "/" : nombre.substr(0, barra);
}

// The first folder of the name that is missing or is not a folder, with its cause; empty when all are there.
std::string CausaDeCarpetas(const std::string& nombre) {
    for (std::size_t barra = nombre.find('/', 1); barra != std::string::npos; barra = nombre.find('/', barra + 1)) {
        const std::string prefijo = nombre.substr(0, barra);
        struct stat st {};
        if (::stat(prefijo.c_str(), &st) != 0) return "la carpeta " + Citar(prefijo) + " no existe";
        if (!S_ISDIR(st.st_mode)) return Citar(prefijo) + " no es una carpeta";
    }
    return {};
}

bool SoloLectura(const std::string& carpeta) {
    struct statvfs v {};
    return ::statvfs(carpeta.c_str(), &v) == 0 && (v.f_flag & ST_RDONLY) != 0;
}

}  // namespace

std::string CausaArchivo(const std::string& nombre, const std::string& texto) {
    if (texto == "Disk full") return "no queda espacio en el disco";
    if (texto == "Too many open files") return "hay demasiados archivos abiertos";
    if (texto == "I/O error 32") return "quien leía la tubería dejó de leer";
    if (texto == "I/O error 27") return "el archivo llega al tamaño máximo que permite el sistema, el de ulimit -f";
    if (texto != "Invalid filename" && texto != "File access denied") return {};
    if (nombre.empty()) return "el nombre está vacío";
    if (std::string c = CausaDeCarpetas(nombre); !c.empty()) return c;
    const std::size_t barra = nombre.find_last_of('/');
    const std::string hoja = barra == std::string::npos ? nombre : nombre.substr(barra + 1);
    if (hoja.size() > NAME_MAX) return "el nombre es demasiado largo";
    const std::string carpeta = Carpeta(nombre);
    struct stat st {};
    if (::stat(nombre.c_str(), &st) != 0) {
        if (texto == "Invalid filename") return "el archivo " + Citar(nombre) + " no existe";
        if (SoloLectura(carpeta)) return "el disco de " + Citar(carpeta) + " es de solo lectura";
        if (::access(carpeta.c_str(), W_OK | X_OK) != 0)
            return "no hay permiso para escribir en la carpeta " + Citar(carpeta);
        return {};
    }
    if (S_ISDIR(st.st_mode)) return Citar(nombre) + " es una carpeta";
    if (SoloLectura(carpeta)) return "el disco de " + Citar(carpeta) + " es de solo lectura";
    if (::access(nombre.c_str(), R_OK) != 0) return "no hay permiso para leer " + Citar(nombre);
    if (::access(nombre.c_str(), W_OK) != 0) return "no hay permiso para escribir en " + Citar(nombre);
    if (::access(carpeta.c_str(), W_OK | X_OK) != 0)
        return "no hay permiso para escribir en la carpeta " + Citar(carpeta);
    return {};
}

std::string ConCausa(const std::string& nombre, const std::string& texto) {
    const std::string causa = CausaArchivo(nombre, texto);
    return causa.empty() ? texto : texto + " (" + causa + ")";
}

std::string ConCausaAlFinal(const std::string& nombre, const std::string& mensaje) {
    const std::size_t dos = mensaje.rfind(": ");
    const std::string causa = CausaArchivo(nombre, dos == std::string::npos ? mensaje : mensaje.substr(dos + 2));
    return causa.empty() ? mensaje : mensaje + " (" + causa + ")";
}
