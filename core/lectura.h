#pragma once
// Reading a text where the core uses it. An error of the conversion, or of storing the number it gives, carries
// the text's name (ErrorTanque::Campo), so that the batch tool can say which text failed; what() stays the text
// that the window shows.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/errores.h"
#include "core/textos.h"

/// Runs `leer` and names `nombre` in the ErrorTanque it throws (unless it names a text already).
template <typename F>
auto ConNombre(std::string_view nombre, F&& leer) -> decltype(leer()) {
    try {
        return leer();
    } catch (ErrorTanque& e) {
        if (e.Campo().empty()) e.PonerCampo(std::string(nombre));
        throw;
    }
}

/// The edit `nombre` as an extended number, with the texts' decimal separator. Throws ErrorConversion.
long double LeerFlotante(const Textos& textos, std::string_view nombre);
/// ... rounded once to Single. Throws ErrorConversion, or ErrorPuntoFlotante when it does not fit.
float LeerSingle(const Textos& textos, std::string_view nombre);
/// ... rounded once to Double. Throws as LeerSingle.
double LeerDouble(const Textos& textos, std::string_view nombre);
/// The edit `nombre` as a 32-bit integer. Throws ErrorConversion.
std::int32_t LeerEntero(const Textos& textos, std::string_view nombre);
/// The rule-grid cell at `columna` and `fila` (1 to 5) as an integer; its name is Reglas_F_C. Throws ErrorConversion.
std::int32_t LeerCelda(const Textos& textos, int columna, int fila);
