// The UTF-8 check against a slow oracle that decodes by the bit patterns alone and then asks whether the code
// point is one and whether it was written in its shortest form: every string of 1 to 3 bytes, and the 4-byte
// strings over the bytes where the ranges turn.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/utf8.h"

namespace {

// The length of the shortest encoding of `cp`.
int Largo(std::uint32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4; }

std::size_t Oraculo(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<std::uint8_t>(s[i]);
        int n;
        std::uint32_t cp;
        if (b >> 7 == 0)
            n = 1, cp = b;
        else if (b >> 5 == 0x6)
            n = 2, cp = b & 0x1F;
        else if (b >> 4 == 0xE)
            n = 3, cp = b & 0x0F;
        else if (b >> 3 == 0x1E)
            n = 4, cp = b & 0x07;
        else
            return i;
        if (s.size() - i < static_cast<std::size_t>(n)) return i;
        for (int k = 1; k < n; ++k) {
            const auto c = static_cast<std::uint8_t>(s[i + k]);
            if (c >> 6 != 0x2) return i;
            cp = cp << 6 | (c & 0x3F);
        }
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || Largo(cp) != n) return i;
        i += n;
    }
    return i;
}

TEST(Utf8, TodasLasCadenasDeHastaTresBytes) {
    std::string s;
    long long diferentes = 0;
    for (int a = 0; a < 256; ++a) {
        s.assign(1, static_cast<char>(a));
        diferentes += PrimerErrorUtf8(s) != Oraculo(s);
        for (int b = 0; b < 256; ++b) {
            s.assign({static_cast<char>(a), static_cast<char>(b)});
            diferentes += PrimerErrorUtf8(s) != Oraculo(s);
            for (int c = 0; c < 256; ++c) {
                s.assign({static_cast<char>(a), static_cast<char>(b), static_cast<char>(c)});
                diferentes += PrimerErrorUtf8(s) != Oraculo(s);
            }
        }
    }
    EXPECT_EQ(diferentes, 0);
}

TEST(Utf8, CadenasDeCuatroBytes) {
    const int bordes[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC2, 0xE0, 0xF0, 0xFF};
    long long diferentes = 0;
    for (int a = 0xC0; a < 256; ++a)
        for (int b = 0; b < 256; ++b)
            for (int c : bordes)
                for (int d : bordes) {
                    const std::string s{static_cast<char>(a), static_cast<char>(b), static_cast<char>(c),
                                        static_cast<char>(d)};
                    diferentes += PrimerErrorUtf8(s) != Oraculo(s);
                }
    EXPECT_EQ(diferentes, 0);
}

TEST(Utf8, CasosConNombre) {
    struct Caso {
        std::string s;
        std::size_t error;
    };
    const Caso casos[] = {
        {"", 0},
        {"Kp", 2},
        {"ñandú", 7},
        {"\xf4\x8f\xbf\xbf", 4},    // U+10FFFF, the last code point
        {"ab\xf4\x90\x80\x80", 2},  // U+110000
        {"\xed\x9f\xbf", 3},        // U+D7FF
        {"x\xed\xa0\x80", 1},       // U+D800, a surrogate
        {"\xe0\x9f\xbf", 0},        // U+07FF in three bytes: overlong
        {"\xf0\x8f\xbf\xbf", 0},    // U+FFFF in four bytes: overlong
        {"\xc1\xbf", 0},            // U+007F in two bytes
        {"\x80", 0},                // a continuation byte alone
        {"a\xc3", 1},               // cut short
        {std::string("\0", 1), 1},  // NUL is a character
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(PrimerErrorUtf8(c.s), c.error) << c.s;
        EXPECT_EQ(EsUtf8(c.s), c.error == c.s.size()) << c.s;
    }
}

}  // namespace
