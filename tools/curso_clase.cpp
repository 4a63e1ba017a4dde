#include "tools/curso_clase.h"

#include <algorithm>
#include <fstream>

#include "base/errores.h"
#include "export/error_archivo.h"
#include "tools/curso_variante.h"

namespace {

// The first field of a line: up to the first comma, or a quoted field.
std::string PrimerCampo(std::string_view linea, std::size_t numero) {
    if (linea.empty() || linea.front() != '"') return std::string(linea.substr(0, linea.find(',')));
    std::string campo;
    for (std::size_t i = 1; i < linea.size(); ++i) {
        if (linea[i] != '"') {
            campo += linea[i];
        } else if (i + 1 < linea.size() && linea[i + 1] == '"') {
            campo += '"';
            ++i;
        } else {
            return campo;
        }
    }
    throw ErrorTanque("línea " + std::to_string(numero) + ": falta la comilla que cierra el identificador");
}

}  // namespace

std::vector<std::string> LeerClase(std::string_view texto) {
    std::vector<std::string> ids;
    std::size_t numero = 0;
    for (std::size_t desde = 0; desde < texto.size();) {
        std::size_t fin = texto.find('\n', desde);
        if (fin == std::string_view::npos) fin = texto.size();
        std::string_view linea = texto.substr(desde, fin - desde);
        desde = fin + 1;
        ++numero;
        if (!linea.empty() && linea.back() == '\r') linea.remove_suffix(1);
        if (linea.find_first_not_of(" \t") == std::string_view::npos) continue;
        const std::string id = PrimerCampo(linea, numero);
        if (ids.empty() && numero == 1 && (id == "alumno" || id == "id")) continue;
        if (const std::optional<std::string> razon = AlumnoInvalido(id))
            throw ErrorTanque("línea " + std::to_string(numero) + ": " + *razon);
        if (std::find(ids.begin(), ids.end(), id) != ids.end())
            throw ErrorTanque("línea " + std::to_string(numero) + ": el alumno " + id + " ya está en la clase");
        ids.push_back(id);
    }
    if (ids.empty()) throw ErrorTanque("la clase no tiene alumnos");
    return ids;
}

std::vector<std::string> LeerArchivoClase(const std::string& nombre) {
    std::ifstream f(nombre, std::ios::binary);
    if (!f) throw ErrorTanque("no se pudo leer la clase " + nombre + ": " + TextoErrorArchivo(errno));
    std::string bytes;
    char b[4096];
    while (f.read(b, sizeof b) || f.gcount() > 0) {
        bytes.append(b, static_cast<std::size_t>(f.gcount()));
        if (bytes.size() > (1u << 20)) throw ErrorTanque("la clase " + nombre + " pasa de 1 MiB");
    }
    try {
        return LeerClase(bytes);
    } catch (const ErrorTanque& e) {
        throw ErrorTanque(nombre + ", " + e.what());
    }
}

std::string CampoCsv(std::string_view campo) {
    const bool comillas = campo.find_first_of(",\"\r\n") != std::string_view::npos ||
                          (!campo.empty() && (campo.front() == ' ' || campo.back() == ' '));
    if (!comillas) return std::string(campo);
    std::string t = "\"";
    for (char c : campo) {
        if (c == '"') t += '"';
        t += c;
    }
    return t + "\"";
}
