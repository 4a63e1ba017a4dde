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
