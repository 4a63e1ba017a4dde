#pragma once
// Where a record goes: a regular file is replaced whole, through a temporary file beside it that is renamed over
// it once complete; anything else (a FIFO, a terminal, a pipe behind /dev/stdout, /dev/full) is written through.

#include <sys/types.h>

#include <string>

struct DestinoRegistro {
    std::string ruta;         // the file written: the target, its symbolic links followed when it is replaced
    bool reemplazar = false;  // through a temporary file beside `ruta`, renamed over it once complete
    bool existia = false;     // a regular file was at `ruta`: its owner and permissions pass to the new one
    mode_t modo = 0;
    uid_t dueno = 0;
    gid_t grupo = 0;
};

/// How the record named `nombre` is written. Throws ErrorArchivo for a name that is empty or holds a NUL, a
/// folder, a broken path, and an existing file that may not be written (what an open for writing would refuse:
/// permissions, a read-only file system, a program that is running).
DestinoRegistro ElegirDestino(const std::string& nombre);

/// The name that a chain of symbolic links ends in (`nombre` itself when it is not a link); a link to a file
/// that does not exist yet ends in that file's name. Relative links are read from their own folder.
/// Throws ErrorArchivo (ELOOP after 40 links, or the error of reading one).
std::string SeguirEnlaces(const std::string& nombre);

/// The folder part of a name, with its final '/' ("" for a bare name).
std::string CarpetaDe(const std::string& ruta);
