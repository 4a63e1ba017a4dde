#include "senales/tipo_senal.h"

#include <string>

#include "base/errores.h"

namespace {

bool EsBlanco(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// The text in the form in which captions are compared: blanks around dropped, each run of blanks, '_'
// and '-' made one blank, ASCII letters in lower case, "ó" and "Ó" (UTF-8) made "o".
std::string Normalizado(std::string_view t) {
    std::string n;
    bool blanco = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        char c = t[i];
        if (EsBlanco(c) || c == '_' || c == '-') {
            blanco = !n.empty();
            continue;
        }
        if (blanco) n += ' ';
        blanco = false;
        if (c == '\xc3' && i + 1 < t.size() && (t[i + 1] == '\xb3' || t[i + 1] == '\x93')) {
            c = 'o';
            ++i;
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        n += c;
    }
    return n;
}

}  // namespace

TipoSenal TipoDeTexto(std::string_view texto) {
    const std::string buscado = Normalizado(texto);
    for (int t = 0; t < kTiposSenal; ++t)
        if (buscado == Normalizado(kNombresTipo[t])) return static_cast<TipoSenal>(t);
    std::string mensaje = "Tipo de señal desconocido: '" + std::string(texto) + "'. Los tipos válidos son: ";
    for (int t = 0; t < kTiposSenal; ++t) {
        if (t > 0) mensaje += ", ";
        mensaje += kNombresTipo[t];
    }
    throw ErrorTanque(mensaje);
}
