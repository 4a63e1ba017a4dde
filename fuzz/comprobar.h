#pragma once
// What the fuzz targets do when an invariant does not hold: say which, and abort, so that libFuzzer keeps
// the input that broke it.

#include <cstdio>
#include <cstdlib>
#include <string>

inline void Exigir(bool condicion, const char* invariante, const std::string& detalle = {}) {
    if (condicion) return;
    std::fprintf(stderr, "invariant broken: %s\n", invariante);
    if (!detalle.empty()) std::fprintf(stderr, "  %s\n", detalle.c_str());
    std::abort();
}

/// The text as what() carries it: a C string ends at its first NUL.
inline std::string HastaNul(const std::string& texto) { return texto.substr(0, texto.find('\0')); }
