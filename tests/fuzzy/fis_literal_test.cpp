// Inferir against a plain transcription of the inference: both sets of every pair evaluated, every rule summed.
// Inferir spares work (each set evaluated once, rules of strength 0 skipped); this checks, bit for bit, that
// it returns, throws and leaves behind exactly what the plain algorithm does, odd systems included.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "base/aritmetica.h"
#include "fuzzy/fis.h"
#include "tests/fuzzy/comun.h"

namespace {

double Inferir_Literal(FIS& f, double e, double de) {
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) {
            f.Conjuntos_E[i].Evaluar(e);
            const double grado_e = f.Conjuntos_E[i].Leer_Grado();
            f.Conjuntos_DE[j].Evaluar(de);
            f.Fuerzas[i][j] = std::min(grado_e, f.Conjuntos_DE[j].Leer_Grado());
        }
    double numerador = 0.0, denominador = 0.0;
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) {
            const double fuerza = f.Fuerzas[i][j];
            numerador =
                aDouble(static_cast<long double>(fuerza) * f.Conjuntos_U[f.Tabla_Reglas[i][j]].Centro + numerador);
            denominador = aDouble(static_cast<long double>(denominador) + fuerza);
        }
    return aDouble(Dividir(numerador, denominador));
}

// The result's bits, or the error's text.
std::string Resultado(FIS& f, double e, double de, bool literal) {
    try {
        const double u = literal ? Inferir_Literal(f, e, de) : f.Inferir(e, de);
        return "= " + std::to_string(std::bit_cast<std::uint64_t>(u));
    } catch (const ErrorTanque& error) {
        return error.what();
    }
}

// The bits of everything that an inference may change.
std::vector<std::uint64_t> Bits(const FIS& f) {
    std::vector<std::uint64_t> b;
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) b.push_back(std::bit_cast<std::uint64_t>(f.Fuerzas[i][j]));
    for (const auto* grupo : {&f.Conjuntos_E, &f.Conjuntos_DE})
        for (const FDP& c : *grupo) b.push_back(std::bit_cast<std::uint64_t>(c.Grado));
    return b;
}

template <typename T>
T Uno_De(std::mt19937_64& azar, std::initializer_list<T> valores) {
    std::uniform_int_distribution<std::size_t> k(0, valores.size() - 1);
    return *(valores.begin() + k(azar));
}

// Input sets of every kind, widths of 0 and negative ones now and then, and unknown shapes whose stale
// degree may be negative.
void Conjunto_De_Entrada(std::mt19937_64& azar, FDP& c) {
    std::uniform_real_distribution<double> real(-4.0, 4.0);
    const std::int32_t tipo = Uno_De(azar, {0, 0, 1, 2, 3, 7});
    const double ancho = Uno_De(azar, {1, 1, 1, 1, 1, 1, 1, 0, -1}) * std::abs(real(azar));
    c.Asignar(tipo, ancho, real(azar));
    c.Grado = Uno_De(azar, {0.0, 0.0, -0.0, 0.25, -0.5});
}

// Output centres that are ordinary, zeros of either sign, the smallest subnormals (their products with a
// strength underflow to a signed zero), huge (their sums overflow) or not finite.
double Centro_De_Salida(std::mt19937_64& azar) {
    constexpr double kMinimo = std::numeric_limits<double>::denorm_min();
    std::uniform_real_distribution<double> real(-1.0, 1.0);
    return Uno_De(azar, {real(azar), real(azar), real(azar), real(azar), 0.0, -0.0, kMinimo, -kMinimo, -kMinimo, 1e308,
                         std::numeric_limits<double>::infinity()});
}

}  // namespace

TEST(FIS, InferirHaceLoMismoQueElAlgoritmoLlano) {
    std::mt19937_64 azar(99);
    std::uniform_real_distribution<double> entrada(-5.0, 5.0);
    std::uniform_int_distribution<int> indice(0, 4);
    int resultados = 0, errores = 0;
    for (int sistema = 0; sistema < 2000; ++sistema) {
        FIS f;
        f.Dimensionar(5, 5, 5);
        for (int k = 0; k < 5; ++k) {
            Conjunto_De_Entrada(azar, f.Conjuntos_E[k]);
            Conjunto_De_Entrada(azar, f.Conjuntos_DE[k]);
            f.Conjuntos_U[k].Asignar(3, 0.0, Centro_De_Salida(azar));
            for (int j = 0; j < 5; ++j) f.Tabla_Reglas[k][j] = indice(azar);
        }
        FIS llano = f;
        for (int n = 0; n < 20; ++n) {
            // Now and then an input right at a centre, where a width of 0 is an invalid operation.
            const double e = n % 5 == 0 ? f.Conjuntos_E[indice(azar)].Centro : entrada(azar);
            const double de = n % 7 == 0 ? f.Conjuntos_DE[indice(azar)].Centro : entrada(azar);
            const std::string r = Resultado(f, e, de, false);
            ASSERT_EQ(r, Resultado(llano, e, de, true)) << "sistema " << sistema << " e=" << e << " de=" << de;
            ASSERT_EQ(Bits(f), Bits(llano)) << "sistema " << sistema << " e=" << e << " de=" << de;
            ++(r.starts_with("= ") ? resultados : errores);
        }
    }
    // Both outcomes are well represented.
    EXPECT_GT(resultados, 5000);
    EXPECT_GT(errores, 5000);
}
