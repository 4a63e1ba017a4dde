#pragma once
// The system calls through which the file writers reach the disk. Tests replace them to make a write, a flush
// to the disk, a close, a rename or a hard link fail where no real device would.

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>

struct LlamadasArchivo {
    ssize_t (*escribir)(int fd, const void* datos, std::size_t bytes) = ::write;
    int (*cerrar)(int fd) = ::close;
    int (*sincronizar)(int fd) = ::fsync;
    int (*renombrar)(const char* desde, const char* hacia) = ::rename;
    int (*enlazar)(const char* desde, const char* hacia) = ::link;
};

/// The calls in use: ::write, ::close, ::fsync, ::rename and ::link unless a test has put others in their place.
LlamadasArchivo& Llamadas();
