// The model's physical reading, its errors, its simulation and its fit, against formulas and slow computations.

#include "identificacion/modelo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "identificacion/arx.h"
#include "identificacion/oe.h"
#include "identificacion/rechazos.h"
#include "tests/identificacion/registros.h"

TEST(Modelo, FisicosExactos) {
    const ParametrosFisicos f = Fisicos({0.5, 0.25, 0, 1.0});
    EXPECT_EQ(f.K, 0.5);  // 0.25 / 0.5
    EXPECT_DOUBLE_EQ(f.Tau, 1 / std::log(2.0));
    // a = e^(-T / Tau) read back
    const double a = std::exp(-0.5 / 20);
    EXPECT_NEAR(Fisicos({a, 2 * (1 - a), 0, 0.5}).Tau, 20, 1e-12);
    EXPECT_NEAR(Fisicos({a, 2 * (1 - a), 0, 0.5}).K, 2, 1e-13);
    for (double fuera : {0.0, 1.0, -0.3, 1.2, -0.0}) {
        try {
            Fisicos({fuera, 1, 0, 0.5});
            ADD_FAILURE() << fuera;
        } catch (const ErrorIdentificacion& e) {
            EXPECT_EQ(e.what(), TextoNoEstable(fuera));
        }
    }
    EXPECT_EQ(TextoNoEstable(1.02424),
              "El modelo estimado tiene a = 1.02424, fuera de (0, 1): no es un modelo de primer orden estable, y K y "
              "Tau no están definidos.");
}

TEST(Modelo, SimulacionConYSinRetardo) {
    const std::vector<double> u = {1, 1, 0, 4};
    EXPECT_EQ(Simular({0.5, 2, 0, 1}, u, 3), (std::vector<double>{3, 3.5, 1.75, 8.875}));
    EXPECT_EQ(Simular({0.5, 2, 1, 1}, u, 3), (std::vector<double>{3, 3.5, 3.75, 1.875}));
    EXPECT_TRUE(Simular({0.5, 2, 1, 1}, {}, 3).empty());
}

// The fit on a record whose simulation is known in closed form: y = (1, 0, ..., 0), the model yhat(k) = 0.5^k.
// ||y - yhat||^2 = sum of 0.25^k for k = 1 .. N-1, ||y - mean||^2 = (N - 1) / N.
TEST(Modelo, AjusteEnFormaCerrada) {
    for (std::size_t n : {10u, 11u, 200u}) {
        Registro r;
        r.T = 1;
        r.accion.assign(n, 7.0);  // b = 0: the action does not matter
        r.nivel.assign(n, 0.0);
        r.nivel[0] = 1;
        const double N = static_cast<double>(n);
        const double error = (1 - std::pow(0.25, N - 1)) / 3, dispersion = (N - 1) / N;
        EXPECT_NEAR(Ajuste({0.5, 0, 0, 1}, r), 100 * (1 - std::sqrt(error / dispersion)), 1e-12) << n;
    }
    // the model that made the record, in the same arithmetic, fits it exactly
    Registro r;
    r.T = 0.5;
    r.accion = {1, 3, 3, 1, 1, 3, 1, 1, 3, 3, 3, 1};
    r.nivel.assign(r.accion.size(), 0.25);
    for (std::size_t k = 1; k < r.nivel.size(); ++k) r.nivel[k] = 0.9 * r.nivel[k - 1] + 0.2 * r.accion[k];
    EXPECT_EQ(Ajuste({0.9, 0.2, 0, 0.5}, r), 100.0);
    // a level that does not change has nothing to fit
    r.nivel.assign(r.accion.size(), 2.0);
    try {
        Ajuste({0.9, 0.2, 0, 0.5}, r);
        ADD_FAILURE();
    } catch (const ErrorIdentificacion& e) {
        EXPECT_EQ(e.what(), TextoSalidaConstante());
    }
}

// The delta method against a gradient by central differences of Fisicos and the sum over the covariance's
// entries written out.
TEST(Modelo, ErroresPorElMetodoDelta) {
    Registro r;
    r.T = 0.5;
    r.accion = {1, 3, 3, 1, 1, 3, 1, 1, 3, 3, 3, 1};
    r.nivel = {0, 1, 2, 2.5, 2, 2.5, 2, 1.5, 2, 3, 3.5, 2.5};
    const ModeloDiscreto m{0.96, 0.08, 0, 0.5};
    Eigen::Matrix2d P;
    P << 4e-6, -1.5e-6, -1.5e-6, 9e-6;
    const Identificacion id = Completar("ARX", m, P, r);
    EXPECT_EQ(*id.error_a, 2e-3);
    EXPECT_EQ(*id.error_b, 3e-3);
    const double h[2] = {1e-6, 1e-6};
    double gK[2], gTau[2];
    for (int i = 0; i < 2; ++i) {
        ModeloDiscreto mas = m, menos = m;
        (i == 0 ? mas.a : mas.b) += h[i];
        (i == 0 ? menos.a : menos.b) -= h[i];
        gK[i] = (Fisicos(mas).K - Fisicos(menos).K) / (2 * h[i]);
        gTau[i] = (Fisicos(mas).Tau - Fisicos(menos).Tau) / (2 * h[i]);
    }
    double varK = 0, varTau = 0;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            varK += gK[i] * P(i, j) * gK[j];
            varTau += gTau[i] * P(i, j) * gTau[j];
        }
    EXPECT_NEAR(*id.error_K / std::sqrt(varK), 1, 1e-6);
    EXPECT_NEAR(*id.error_Tau / std::sqrt(varTau), 1, 1e-6);
    EXPECT_EQ(id.K, Fisicos(m).K);
    EXPECT_EQ(id.muestras, 12u);
    EXPECT_EQ(id.metodo, "ARX");
    EXPECT_FALSE(Completar("escalón", m, std::nullopt, r).error_K.has_value());
}

// ARX's covariance is s^2 (X'X)^-1 with s^2 = loss / (N - 1 - 2): against sums written out in extended
// precision and the 2 x 2 inverse by its formula.
TEST(Modelo, CovarianzaDeArx) {
    Registro r = LazoAbierto(kPlantas[0], Prbs(500, 10, 0.5f, 2.5f));
    AnadirRuido(r, 0.02, 11);
    const EstimacionArx e = EstimarArx(r, 0);
    long double s00 = 0, s01 = 0, s11 = 0, perdida = 0;
    for (std::size_t k = 1; k < r.nivel.size(); ++k) {
        const long double x0 = r.nivel[k - 1], x1 = r.accion[k];
        s00 += x0 * x0;
        s01 += x0 * x1;
        s11 += x1 * x1;
        const long double e_k = r.nivel[k] - e.modelo.a * x0 - e.modelo.b * x1;
        perdida += e_k * e_k;
    }
    const long double s2 = perdida / (r.nivel.size() - 3), det = s00 * s11 - s01 * s01;
    EXPECT_NEAR(static_cast<double>(e.perdida / perdida), 1, 1e-9);
    EXPECT_NEAR(e.covarianza(0, 0) / static_cast<double>(s2 * s11 / det), 1, 1e-7);
    EXPECT_NEAR(e.covarianza(1, 1) / static_cast<double>(s2 * s00 / det), 1, 1e-7);
    EXPECT_NEAR(e.covarianza(0, 1) / static_cast<double>(-s2 * s01 / det), 1, 1e-7);
    EXPECT_EQ(e.ecuaciones, 499u);
}

// A model is checked on a record it was not made from: the same plant in closed loop (read with that
// record's delay), at another sample period (the model resampled), and another plant (a poor fit).
TEST(Modelo, ValidacionEnOtroRegistro) {
    const PlantaDeTextos& p = kPlantas[0];
    const Registro prbs = LazoAbierto(p, Prbs(2000, 10, 0.5f, 2.5f));
    const Identificacion id = IdentificarOe(prbs, 0);
    EXPECT_EQ(Validar(id, prbs), id.ajuste);

    const Registro pid = CorridaPid(p, 800, {{0, 2}, {200, 6}, {400, 3}, {600, 5}});
    EXPECT_GT(Validar(id, pid, 1), 99.9);
    EXPECT_LT(Validar(id, pid), 99.0);  // its own delay 0 misreads the closed-loop record

    // the default tank sampled every 2 s: 10 sub-steps there too, so the samples show Tau = 20
    const PlantaDeTextos lenta{"10", "2", "2000", 10, 2, 2.0, "2", "3"};
    ASSERT_EQ(SubpasosPorMuestra(lenta), 10);
    const Registro cada2s = LazoAbierto(lenta, Prbs(500, 3, 0.5f, 2.5f));
    EXPECT_GT(Validar(id, cada2s), 99.9);
    // read as if it were sampled at 0.5 s, the same record fits poorly
    Registro mal_leido = cada2s;
    mal_leido.T = 0.5;
    EXPECT_LT(Validar(id, mal_leido), 80.0);

    const Registro otra = LazoAbierto(kPlantas[2], Prbs(2000, 10, 0.5f, 2.5f));
    EXPECT_LT(Validar(id, otra), 50.0);

    Registro corto = prbs;
    corto.accion.resize(5);
    corto.nivel.resize(5);
    try {
        Validar(id, corto);
        ADD_FAILURE();
    } catch (const ErrorIdentificacion& e) {
        EXPECT_EQ(e.what(), TextoRegistroCorto(5, 10));
    }
}
