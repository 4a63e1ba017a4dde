#pragma once
// The tool run in the test's process, its outputs as bytes: the trace, the record, the messages.

#include <cstdio>
#include <string>
#include <vector>

#include "tests/ayudas.h"
#include "tests/export/utilidades.h"
#include "tools/lote.h"
#include "tools/reproducir_lote.h"

struct SalidasLote {
    int estado = -1;
    std::string traza;
    std::string registro;  ///< "(sin registro)" when the file was not written
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

/// Runs tanque-lote with `argumentos` and a record in a file of the test's own (--salida is added).
inline SalidasLote Ejecutar(std::vector<std::string> argumentos) {
    const std::string registro = ArchivoDeLaPrueba("registro.txt");
    std::remove(registro.c_str());
    argumentos.push_back("--salida=" + registro);
    argumentos.push_back("--traza");
    std::FILE* traza = std::tmpfile();
    std::FILE* errores = std::tmpfile();
    const OpcionesLote o = LeerOpciones(argumentos);
    SalidasLote s;
    s.estado = o.reproducir ? ReproducirLote(o, fileno(traza), errores) : CorrerLote(o, fileno(traza), errores);
    s.traza = LeerTodo(traza);
    s.errores = LeerTodo(errores);
    std::FILE* r = std::fopen(registro.c_str(), "rb");
    s.registro = r ? LeerTodo(r) : "(sin registro)";
    return s;
}

/// Writes the set-up to a file of the test's own and returns its name.
inline std::string GuardarConfiguracion(const Configuracion& c, const std::string& nombre = "config.tanque") {
    const std::string ruta = ArchivoDeLaPrueba(nombre);
    std::FILE* f = std::fopen(ruta.c_str(), "wb");
    const std::string texto = EscribirConfiguracion(c);
    std::fwrite(texto.data(), 1, texto.size(), f);
    std::fclose(f);
    return ruta;
}
