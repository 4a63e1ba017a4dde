#pragma once
// UTF-8 as the standard defines it: no overlong forms, no surrogates, nothing above U+10FFFF.

#include <cstddef>
#include <string_view>

/// The offset of the first byte that does not begin a well-formed UTF-8 sequence, or texto.size() when all is
/// well-formed.
std::size_t PrimerErrorUtf8(std::string_view texto);

/// True when `texto` is well-formed UTF-8.
inline bool EsUtf8(std::string_view texto) { return PrimerErrorUtf8(texto) == texto.size(); }
