#pragma once
// The system calls through which the file writer reaches the disk. Tests replace them to make a write or a
// close fail where no real device would.

#include <sys/types.h>

#include <cstddef>

struct LlamadasArchivo {
    ssize_t (*escribir)(int fd, const void* datos, std::size_t bytes);
    int (*cerrar)(int fd);
};

/// The calls in use: ::write and ::close unless a test has put others in their place.
LlamadasArchivo& Llamadas();
