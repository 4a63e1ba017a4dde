#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>
#include <utility>

#include "fuzzy/fuerzas.h"
#include "tests/fuzzy/comun.h"

namespace {

// The degree of a set at x, evaluated apart on a fresh copy.
double Grado(FDP f, double x) {
    f.Evaluar(x);
    return f.Leer_Grado();
}

}  // namespace

TEST(Fuerzas, CadaFuerzaEsElMenorDeLosDosGradosDeSuRegla) {
    FIS f = Sistema_Por_Defecto();
    EXPECT_EQ(FuerzasUltimaInferencia(f), TablaFuerzas{}) << "0 before the first inference";
    std::vector<std::pair<double, double>> entradas = {{0.0, 0.0},   {0.3, -0.1},    {-1.25, 0.25}, {2.0, 0.6},
                                                       {-5.0, -2.0}, {0.625, 0.125}, {1.3, -0.3}};
    std::mt19937_64 azar(5);
    std::uniform_real_distribution<double> e(-7.5, 7.5), de(-1.5, 1.5);
    for (int k = 0; k < 200; ++k) entradas.push_back({e(azar), de(azar)});
    for (const auto& [x, dx] : entradas) {
        f.Inferir(x, dx);
        const TablaFuerzas t = FuerzasUltimaInferencia(f);
        const GradosEntradas g = GradosUltimaInferencia(f);
        for (std::size_t i = 0; i < 5; ++i) {
            const double ge = Grado(f.Conjuntos_E[i], x);
            EXPECT_EQ(std::bit_cast<std::uint64_t>(g.E[i]), std::bit_cast<std::uint64_t>(ge));
            for (std::size_t j = 0; j < 5; ++j) {
                const double gde = Grado(f.Conjuntos_DE[j], dx);
                if (i == 0) {
                    EXPECT_EQ(std::bit_cast<std::uint64_t>(g.DE[j]), std::bit_cast<std::uint64_t>(gde));
                }
                EXPECT_EQ(std::bit_cast<std::uint64_t>(t[i][j]), std::bit_cast<std::uint64_t>(std::min(ge, gde)))
                    << "e " << x << " de " << dx << " regla " << i << "," << j;
            }
        }
    }
}

TEST(Fuerzas, UnSistemaSinDimensionarSeRechaza) {
    const FIS f;
    EXPECT_EQ(TextoDelError<ErrorTanque>([&] { FuerzasUltimaInferencia(f); }), kSistemaSinDimensionar);
    EXPECT_EQ(TextoDelError<ErrorTanque>([&] { GradosUltimaInferencia(f); }), kSistemaSinDimensionar);
}
