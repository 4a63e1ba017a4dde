#pragma once
// What many tests need: the text of the error that a call throws, the bits of a number, a file of one's own.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
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

/// A path in the temporary folder that no other test uses, even when ctest runs the tests of one file side by
/// side: the test's own name and the process number go into it.
inline std::string ArchivoDeLaPrueba(const std::string& nombre) {
    const auto* prueba = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string propio = std::string(prueba->test_suite_name()) + "." + prueba->name();
    std::replace(propio.begin(), propio.end(), '/', '_');
    return ::testing::TempDir() + propio + "." + std::to_string(::getpid()) + "." + nombre;
}
