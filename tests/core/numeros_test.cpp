#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/aritmetica.h"
#include "base/numeros.h"
#include "tests/ayudas.h"

namespace {

std::string ErrorEntero(const std::string& t) {
    return TextoDelError<ErrorConversion>([&] { TextoAEntero(t); });
}

std::string ErrorFlotante(const std::string& t, char decimal) {
    return TextoDelError<ErrorConversion>([&] { TextoAFlotante(t, decimal); });
}

}  // namespace

TEST(TextoAEntero, AceptaSignoDigitosYBlancos) {
    for (auto [t, n] : {std::pair{"500", 500},
                        {" 12 ", 12},
                        {"+5", 5},
                        {"-7", -7},
                        {"007", 7},
                        {"0", 0},
                        {"\t42\t", 42},
                        {"2147483647", 2147483647},
                        {"-2147483648", -2147483647 - 1},
                        {"-0", 0}}) {
        EXPECT_EQ(TextoAEntero(t), n) << t;
    }
}

TEST(TextoAEntero, RechazaTodoLoDemasConSuTexto) {
    for (const char* t : {"",      " ",          "abc",         "1.5",
                          "1,5",   "2.0",        "1e3",         "0x10",
                          "$10",   "2147483648", "-2147483649", "99999999999999999999",
                          "1 000", "+",          "-",           "- 5",
                          "5-",    "inf",        "nan",         "\xef\xbc\x91\xef\xbc\x92" /* full-width 12 */}) {
        EXPECT_EQ(ErrorEntero(t), "'" + std::string(t) + "' is not a valid integer value") << t;
    }
    const std::string millon(1000000, '7');
    EXPECT_EQ(ErrorEntero(millon), "'" + millon + "' is not a valid integer value");
}

TEST(TextoAFlotante, AceptaElSeparadorDelLocaleYExponente) {
    struct Caso {
        const char* texto;
        char decimal;
        long double valor;
    };
    for (const Caso& c : {Caso{"2.5", '.', 2.5L},
                          {"2,5", ',', 2.5L},
                          {"-3,75", ',', -3.75L},
                          {" 1 ", '.', 1.0L},
                          {".5", '.', 0.5L},
                          {"5.", '.', 5.0L},
                          {"1e3", '.', 1000.0L},
                          {"1E-2", '.', 0.01L},
                          {"+2.5e+1", '.', 25.0L},
                          {"-0", '.', 0.0L},
                          {"0.001", '.', 0.001L},
                          {"1.5", ',', -1},
                          {"1,5", '.', -1}}) {
        if (c.valor == -1) {
            EXPECT_EQ(ErrorFlotante(c.texto, c.decimal),
                      "'" + std::string(c.texto) + "' is not a valid floating point value")
                << c.texto;
        } else {
            EXPECT_EQ(TextoAFlotante(c.texto, c.decimal), c.valor) << c.texto;
        }
    }
    // correctly rounded to the extended format
    EXPECT_EQ(TextoAFlotante("0.1", '.'), 0.1L);
    EXPECT_EQ(TextoAFlotante("0,1", ','), 0.1L);
}

TEST(TextoAFlotante, RechazaTodoLoDemasConSuTexto) {
    for (const char* t : {"",
                          " ",
                          "abc",
                          "inf",
                          "-inf",
                          "nan",
                          "NaN",
                          "0x10",
                          "1 000",
                          "1.000,5",
                          "1..5",
                          "e5",
                          "1e",
                          "1e+",
                          ".",
                          "-.",
                          "+",
                          "1.5.",
                          "2,5",
                          "1e5000",
                          "-1e5000",
                          "1_0",
                          "\xef\xbc\x91\xef\xbc\x92"}) {
        EXPECT_EQ(ErrorFlotante(t, '.'), "'" + std::string(t) + "' is not a valid floating point value") << t;
    }
    // a million digits is beyond the extended range: an error, not an infinity
    const std::string millon = "1" + std::string(999999, '0');
    EXPECT_EQ(ErrorFlotante(millon, '.'), "'" + millon + "' is not a valid floating point value");
}

TEST(TextoAFlotante, FueraDelRangoDeSingleODoubleDesbordaAlGuardarse) {
    // 1e400 lies within the extended range: it converts and overflows only where it is stored
    const long double grande = TextoAFlotante("1e400", '.');
    EXPECT_TRUE(std::isfinite(grande));
    EXPECT_THROW(aDouble(grande), ErrorPuntoFlotante);
    EXPECT_THROW(aSingle(TextoAFlotante("-1e400", '.')), ErrorPuntoFlotante);
    EXPECT_THROW(aSingle(TextoAFlotante("1e39", '.')), ErrorPuntoFlotante);
    // 1e-400 underflows silently to 0 in a Double; far below the extended range it is 0 already
    EXPECT_EQ(aDouble(TextoAFlotante("1e-400", '.')), 0.0);
    EXPECT_EQ(TextoAFlotante("1e-99999", '.'), 0.0L);
    EXPECT_EQ(TextoAFlotante("0." + std::string(999990, '0') + "1", '.'), 0.0L);
}
