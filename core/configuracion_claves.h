#pragma once
// The keys and words of the set-up file, shared by its writer and its reader, and how a message quotes.

#include <array>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>


namespace claves {

inline constexpr std::string_view kFormato = "formato";
inline constexpr std::string_view kVersion = "version";
inline constexpr std::string_view kTextos = "textos";
inline constexpr std::string_view kPosicion = "Track_Referencia";
inline constexpr std::string_view kPrograma = "programa";
/// the decimal separator of the numbers in the texts, when it is not "."
inline constexpr std::string_view kSeparador = "separador_decimal";

// the fields of an event
inline constexpr std::string_view kEvento = "evento";
inline constexpr std::string_view kMuestra = "muestra";
inline constexpr std::string_view kNombre = "nombre";
inline constexpr std::string_view kTexto = "texto";
inline constexpr std::string_view kPosicionEvento = "posicion";
inline constexpr std::string_view kCorrida = "corrida";
inline constexpr std::string_view kCuenta = "cuenta";

// the kinds of event, in the order of the alternatives of AccionPrograma
inline constexpr std::array<std::string_view, 6> kTipos{"texto",   "posicion",          "alternar",
                                                        "limpiar", "inicializar_fuzzy", "ticks"};

/// `texto` between « and » for a message: control characters as JSON escapes (a NUL would end what(), a line
/// break would split the message), and cut with "…" after `largo` bytes at a character's start.
inline std::string Citar(std::string_view texto, std::size_t largo = 60) {
    bool cortado = false;
    if (texto.size() > largo) {
        while (largo > 0 && (static_cast<unsigned char>(texto[largo]) & 0xC0) == 0x80) --largo;
        texto = texto.substr(0, largo);
        cortado = true;
    }
    std::string s = "«";
    for (const char c : texto) {
        if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            s += escape;
        } else {
            s += c;
        }
    }
    return s + (cortado ? "…»" : "»");
}

}  // namespace claves
