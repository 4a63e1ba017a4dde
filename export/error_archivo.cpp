#include "export/error_archivo.h"

#include <cerrno>

std::string TextoErrorArchivo(int codigo) {
    switch (codigo) {
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:  // a name that is a folder
            return "File access denied";
        case ENOENT:
        case ENOTDIR:
        case ENAMETOOLONG:
        case EINVAL: return "Invalid filename";
        case EMFILE:
        case ENFILE: return "Too many open files";
        case ENOSPC:
        case EDQUOT: return "Disk full";
        default: return "I/O error " + std::to_string(codigo);
    }
}

void LanzarErrorArchivo(int codigo) {
    // the classes add no member: the sanitizer's check of a member access needs descriptors that a test of
    // EMFILE has none of
    if (codigo == EPIPE) throw ErrorLectorAusente(TextoErrorArchivo(codigo));
    throw ErrorArchivo(TextoErrorArchivo(codigo));
}
