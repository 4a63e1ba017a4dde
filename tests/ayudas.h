#pragma once
// What many tests need: the text of the error that a call throws and the bits of a number.

#include <bit>
#include <cstdint>
#include <string>

/// The what() of the error of type E that f throws; "(sin error)" when it throws none.
template <typename E, typename F>
std::string TextoDelError(F&& f) {
    try {
        f();
    } catch (const E& error) {
        return error.what();
    }
    return "(sin error)";
}

inline std::uint32_t Bits(float f) { return std::bit_cast<std::uint32_t>(f); }
inline std::uint64_t Bits(double d) { return std::bit_cast<std::uint64_t>(d); }
