#pragma once
// The bad-input table's shared part: the texts that no reader should take, with what an integer read and a
// floating-point read make of each, and the steps that every row of the table takes.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/core/banco.h"

// ---- The bad texts, and what each kind of read makes of them ----

/// What a floating-point read makes of a text, once the value is stored into a Single or a Double.
struct ComoFlotante {
    enum Efecto { NoConvierte, Cero, Convierte } efecto;
    std::string mensaje;  // NoConvierte: the message shown
};
inline ComoFlotante Falla(std::string mensaje) { return {ComoFlotante::NoConvierte, std::move(mensaje)}; }
inline const ComoFlotante kCero{ComoFlotante::Cero, ""};
inline const ComoFlotante kConvierte{ComoFlotante::Convierte, ""};

struct TextoMalo {
    const char* nombre;  // its part of a row's name
    std::string texto;
    char decimal;            // the separator it is typed under
    std::string comoEntero;  // the message of a 32-bit integer read: none of these texts is an integer
    ComoFlotante comoFlotante;
};

inline const std::string& UnMillonDeNueves() {
    static const std::string t(1000000, '9');
    return t;
}

inline const std::vector<TextoMalo>& TextosMalos() {
    // clang-format off
    static const std::vector<TextoMalo> t = {
        {"vacio", "", '.',
         "'' is not a valid integer value", Falla("'' is not a valid floating point value")},
        {"blanco", " ", '.',
         "' ' is not a valid integer value", Falla("' ' is not a valid floating point value")},
        {"abc", "abc", '.',
         "'abc' is not a valid integer value", Falla("'abc' is not a valid floating point value")},
        // a point typed where the separator is a comma
        {"1punto5_con_coma", "1.5", ',',
         "'1.5' is not a valid integer value", Falla("'1.5' is not a valid floating point value")},
        {"1coma5", "1,5", '.',
         "'1,5' is not a valid integer value", Falla("'1,5' is not a valid floating point value")},
        // inside the extended range, beyond a Single's and a Double's: the store overflows
        {"1e400", "1e400", '.',
         "'1e400' is not a valid integer value", Falla(kDesbordamiento)},
        {"menos1e400", "-1e400", '.',
         "'-1e400' is not a valid integer value", Falla(kDesbordamiento)},
        // inside the extended range, below a Double's smallest number: the store makes it 0 without a word
        {"1e_menos400", "1e-400", '.',
         "'1e-400' is not a valid integer value", kCero},
        {"nan", "nan", '.',
         "'nan' is not a valid integer value", Falla("'nan' is not a valid floating point value")},
        {"inf", "inf", '.',
         "'inf' is not a valid integer value", Falla("'inf' is not a valid floating point value")},
        {"0x10", "0x10", '.',
         "'0x10' is not a valid integer value", Falla("'0x10' is not a valid floating point value")},
        // one past the largest 32-bit integer: bad only where an integer is read
        {"2147483648", "2147483648", '.',
         "'2147483648' is not a valid integer value", kConvierte},
        // the full-width digits 1 and 2
        {"12_de_ancho_completo", "\xef\xbc\x91\xef\xbc\x92", '.',
         "'\xef\xbc\x91\xef\xbc\x92' is not a valid integer value",
         Falla("'\xef\xbc\x91\xef\xbc\x92' is not a valid floating point value")},
        {"1_000", "1 000", '.',
         "'1 000' is not a valid integer value", Falla("'1 000' is not a valid floating point value")},
        // beyond even the extended range
        {"un_millon_de_nueves", UnMillonDeNueves(), '.',
         "'" + UnMillonDeNueves() + "' is not a valid integer value",
         Falla("'" + UnMillonDeNueves() + "' is not a valid floating point value")},
    };
    // clang-format on
    return t;
}
// ---- What every section shares ----

/// A text short enough to print (the million nines are not).
inline std::string Corto(std::string_view t) {
    if (t.size() <= 64) return std::string(t);
    return std::string(t.substr(0, 40)) + "... (" + std::to_string(t.size()) + " characters)";
}

inline std::vector<std::string> Lista(std::initializer_list<std::string_view> mensajes) {
    return std::vector<std::string>(mensajes.begin(), mensajes.end());
}
inline std::vector<std::string> Lista(const std::vector<std::string_view>& mensajes) {
    return std::vector<std::string>(mensajes.begin(), mensajes.end());
}

/// The messages shown since the first `desde`.
inline std::vector<std::string> Desde(const Banco& b, std::size_t desde) {
    return std::vector<std::string>(b.mensajes.mostrados.begin() + static_cast<std::ptrdiff_t>(desde),
                                    b.mensajes.mostrados.end());
}

/// Names a test case by its row.
struct PorNombre {
    template <typename Fila>
    std::string operator()(const ::testing::TestParamInfo<Fila>& info) const {
        return Nombre(info.param);
    }
};

inline void Toggle(Banco& b, Corrida r) { b.sim.AtenderToggle(r); }
inline void Tick(Banco& b, Corrida r) { b.sim.AtenderTick(r); }

// A run started with the default texts and ticked three times.
inline void EnMarcha(Banco& b, Corrida r) {
    if (r == Corrida::Fuzzy) b.sim.ToolButton11Click();
    Toggle(b, r);
    for (int i = 0; i < 3; ++i) Tick(b, r);
    ASSERT_TRUE(b.sim.Timer(r).Enabled);
    ASSERT_TRUE(b.mensajes.mostrados.empty());
}

// One more tick works: no message, the counter goes on.
inline void SigueFuncionando(Banco& b, Corrida r) {
    ASSERT_TRUE(b.sim.Timer(r).Enabled);
    const std::size_t mensajes = b.mensajes.mostrados.size();
    const std::int32_t n = b.sim.Timer(r).Tag;
    Tick(b, r);
    EXPECT_EQ(b.mensajes.mostrados.size(), mensajes) << b.mensajes.mostrados.back();
    EXPECT_EQ(b.sim.Timer(r).Tag, n + 1);
}
