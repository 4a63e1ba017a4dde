#pragma once
// The batch tool's line for an error that ended a handler: the name of the text that failed, when the error
// carries one, before the text the window shows.

#include <exception>
#include <string>

#include "base/errores.h"

inline std::string TextoConCampo(const std::exception& e) {
    const auto* propio = dynamic_cast<const ErrorTanque*>(&e);
    return !propio || propio->Campo().empty() ? std::string(e.what()) : propio->Campo() + ": " + e.what();
}
