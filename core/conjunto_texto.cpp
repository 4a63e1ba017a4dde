#include "core/conjunto_texto.h"

#include <string>

#include "base/errores.h"
#include "core/lectura.h"
#include "core/textos_por_defecto.h"
#include "fuzzy/reglas.h"

FDP LeerConjuntoFuzzy(const Textos& textos, std::size_t grupo, std::size_t k) {
    auto nombre = [&](const char* columna) { return NombreFuzzy(kPrefijosFuzzy[grupo], kEtiquetas[k], columna); };
    const std::int32_t tipo = LeerEntero(textos, nombre("Tipo"));
    const double ancho = LeerDouble(textos, nombre("Ancho"));
    const double centro = LeerDouble(textos, nombre("Centro"));
    // An input set with a sloped side and no width would fail at its first evaluation, in the middle of a
    // run; it is refused here instead. Output sets are never evaluated.
    if (grupo < 2 && tipo >= 0 && tipo <= 2 && ancho == 0)
        throw ErrorTanque(std::string("El conjunto ") + kEtiquetas[k] + " de " + kPanelesFuzzy[grupo] +
                          " tiene ancho 0");
    FDP f;
    f.Asignar(tipo, ancho, centro);
    return f;
}
