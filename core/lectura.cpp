#include "core/lectura.h"

#include "base/aritmetica.h"
#include "base/numeros.h"
#include "core/textos_mapa.h"

long double LeerFlotante(const Textos& textos, std::string_view nombre) {
    return ConNombre(nombre, [&] { return TextoAFlotante(textos.Texto(nombre), textos.Decimal()); });
}

float LeerSingle(const Textos& textos, std::string_view nombre) {
    return ConNombre(nombre, [&] { return aSingle(TextoAFlotante(textos.Texto(nombre), textos.Decimal())); });
}

double LeerDouble(const Textos& textos, std::string_view nombre) {
    return ConNombre(nombre, [&] { return aDouble(TextoAFlotante(textos.Texto(nombre), textos.Decimal())); });
}

std::int32_t LeerEntero(const Textos& textos, std::string_view nombre) {
    return ConNombre(nombre, [&] { return TextoAEntero(textos.Texto(nombre)); });
}

std::int32_t LeerCelda(const Textos& textos, int columna, int fila) {
    return ConNombre(NombreCelda(columna, fila), [&] { return TextoAEntero(textos.Celda(columna, fila)); });
}
