#include "core/utf8.h"

#include <cstdint>

std::size_t PrimerErrorUtf8(std::string_view texto) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(texto[i]); };
    std::size_t i = 0;
    while (i < texto.size()) {
        const std::uint8_t b = byte(i);
        if (b < 0x80) {
            ++i;
            continue;
        }
        // the length of the sequence, and the range of its second byte, which rules out overlong forms,
        // surrogates (U+D800..U+DFFF) and code points above U+10FFFF
        std::size_t largo = 0;
        std::uint8_t bajo = 0x80, alto = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            largo = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            largo = 3;
            if (b == 0xE0) bajo = 0xA0;
            if (b == 0xED) alto = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            largo = 4;
            if (b == 0xF0) bajo = 0x90;
            if (b == 0xF4) alto = 0x8F;
        } else {
            return i;  // a continuation byte, C0, C1 or F5..FF
        }
        if (texto.size() - i < largo) return i;
        if (byte(i + 1) < bajo || byte(i + 1) > alto) return i;
        for (std::size_t k = 2; k < largo; ++k)
            if ((byte(i + k) & 0xC0) != 0x80) return i;
        i += largo;
    }
    return i;
}
