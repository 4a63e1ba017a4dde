// The period of a record's input against the signals whose period is known: the PRBS's 2^n - 1 clocks of its
// generator, a sine of an integer period computed sample by sample; no period for a random binary, a step, a
// constant, a record of fewer than three periods.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "identificacion/periodo.h"
#include "senales/prbs.h"

namespace {

Registro De(std::vector<double> u) {
    Registro r;
    r.nivel.assign(u.size(), 0.0);
    r.accion = std::move(u);
    r.T = 0.5;
    return r;
}

}  // namespace

TEST(PeriodoEntrada, ElDeLaPrbsEsElDeSuGenerador) {
    for (const auto& [orden, reloj] : {std::pair{4, 1}, std::pair{6, 10}, std::pair{7, 3}, std::pair{9, 1}}) {
        const SecuenciaPRBS s(orden, (1u << orden) - 1);
        const std::int64_t P = s.Periodo() * reloj;
        std::vector<double> u(static_cast<std::size_t>(4 * P + 17));
        for (std::size_t k = 0; k < u.size(); ++k) u[k] = s.Bit(static_cast<std::int64_t>(k) / reloj) ? 2.5 : 0.5;
        EXPECT_EQ(PeriodoEntrada(De(u)), static_cast<std::size_t>(P)) << orden << " " << reloj;
        // two periods and a half are too few for three
        u.resize(static_cast<std::size_t>(5 * P / 2));
        EXPECT_EQ(PeriodoEntrada(De(u)), std::nullopt) << orden;
        EXPECT_EQ(PeriodoEntrada(De(u), 2), static_cast<std::size_t>(P)) << orden;
    }
}

TEST(PeriodoEntrada, UnSenoDePeriodoEnteroRedondeado) {
    std::vector<double> u(1000);
    for (std::size_t k = 0; k < u.size(); ++k)
        u[k] = std::round(1e4 * (1 + std::sin(2 * std::numbers::pi * static_cast<double>(k) / 50))) / 1e4;
    EXPECT_EQ(PeriodoEntrada(De(u)), 50u);
}

TEST(PeriodoEntrada, SinPeriodo) {
    std::mt19937 g(7);
    std::vector<double> binaria(3000);
    for (double& v : binaria) v = g() % 2 ? 1.0 : 0.0;
    std::vector<double> escalon(3000, 0.0);
    std::fill(escalon.begin() + 100, escalon.end(), 1.0);
    const std::vector<double> constante(3000, 1.0);
    for (const std::vector<double>* u :
         std::initializer_list<const std::vector<double>*>{&binaria, &escalon, &constante})
        EXPECT_EQ(PeriodoEntrada(De(*u)), std::nullopt);
}
