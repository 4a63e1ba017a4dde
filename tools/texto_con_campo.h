#pragma once
// The batch tool's line for an error that ended a handler: the name of the text that failed, when the error
// carries one, before the text the window shows.

#include <exception>
#include <map>
#include <string>

#include "base/errores.h"

inline std::string TextoConCampo(const std::exception& e) {
    const auto* propio = dynamic_cast<const ErrorTanque*>(&e);
    return !propio || propio->Campo().empty() ? std::string(e.what()) : propio->Campo() + ": " + e.what();
}

/// The line of each failure shown, kept by its text: a tick's failure that repeats comes back with the text alone
/// (the window's notice counts it so), and its line names the field as the first did.
class CamposDeFallos {
public:
    /// The line of the error `e`, remembered for its repeats.
    std::string Mostrado(const std::exception& e) {
        if (lineas_.size() >= kRecordados) lineas_.clear();  // a few texts at a time: the memory stays small
        return lineas_[e.what()] = TextoConCampo(e);
    }
    /// The line of a repeat of the failure whose text is `texto`.
    std::string Repetido(const std::string& texto) const {
        const auto l = lineas_.find(texto);
        return l == lineas_.end() ? texto : l->second;
    }

private:
    static constexpr std::size_t kRecordados = 64;
    std::map<std::string, std::string> lineas_;
};
