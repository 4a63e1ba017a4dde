#pragma once
// Helpers shared by the tests of the signals.

#include <string>

#include "base/errores.h"

// The what() of the error of type E that f throws; "(sin error)" when it throws none.
template <typename E, typename F>
std::string Texto_Del_Error(F&& f) {
    try {
        f();
    } catch (const E& error) {
        return error.what();
    }
    return "(sin error)";
}
