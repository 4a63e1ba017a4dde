#include "base/fallo_sin_atender.h"

#include <cstdio>
#include <exception>
#include <new>

#include "base/errores.h"

int FalloSinAtender(const char* programa) noexcept {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s: no hay memoria suficiente para seguir\n", programa);
    } catch (const ErrorDeManejador& e) {
        std::fprintf(stderr, "%s: error inesperado: %s\n", programa, e.what());
    } catch (...) {
        std::fprintf(stderr, "%s: error inesperado\n", programa);
    }
    return 1;
}
