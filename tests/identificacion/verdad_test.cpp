// The identification against the truth: records made by the real plant code (the open-loop run driven
// sample by sample, the simulator's PID and fuzzy runs), whose K is R and whose Tau is A R, read with the
// period the plant really integrates (see TauDeLasMuestras).

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "identificacion/arx.h"
#include "identificacion/escalon.h"
#include "identificacion/oe.h"
#include "tests/identificacion/registros.h"

namespace {

struct Caso {
    std::string nombre;
    Registro r;
    int retardo;  // the delay that the run's alignment gives
};

// The five records of a plant, each long enough for its signal; the slider moves the reference between
// 1 and 3 in the closed loops.
std::vector<Caso> Registros(const PlantaDeTextos& p) {
    const double muestrasPorTau = TauDeLasMuestras(p) / p.T;
    const auto tau = [&](double veces) { return static_cast<std::size_t>(veces * muestrasPorTau); };
    const int retencion = std::max(1, static_cast<int>(std::lround(muestrasPorTau / 4)));
    const std::vector<double> periodos = {muestrasPorTau / 2, muestrasPorTau, 2 * muestrasPorTau, 5 * muestrasPorTau,
                                          10 * muestrasPorTau};
    const std::vector<std::pair<std::size_t, int>> referencias = {{0, 2}, {200, 6}, {400, 3}, {600, 5}};
    std::vector<Caso> casos;
    casos.push_back({"escalón", LazoAbierto(p, Escalon(20 + tau(12), 20, 0, 2)), 0});
    casos.push_back({"PRBS", LazoAbierto(p, Prbs(2000, retencion, 0.5f, 2.5f)), 0});
    casos.push_back({"multiseno", LazoAbierto(p, Multiseno(3000, 1.5f, 0.3f, periodos)), 0});
    casos.push_back({"PID", CorridaPid(p, 800, referencias), 1});
    casos.push_back({"fuzzy", CorridaFuzzy(p, 800, referencias), 1});
    return casos;
}

constexpr double kTolerancia = 0.005;  // 0.5 %

::testing::AssertionResult Cerca(double obtenido, double verdad, double tolerancia) {
    if (std::abs(obtenido / verdad - 1) <= tolerancia) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << obtenido << " is " << 100 * (obtenido / verdad - 1) << " % from " << verdad;
}

}  // namespace

// The plant integrates m sub-steps of h = T / 10 a sample, m by the Single clock: 10 at 500 and 2000 ms, 11 at
// 100 ms. The samples of the 100 ms plant therefore decay over 1.1 T and show Tau = A R / 1.1, 9.1 % short
// of A R, whatever reads them.
TEST(Verdad, SubpasosDeLasPlantas) {
    const int esperados[] = {10, 11, 10, 10};
    for (std::size_t i = 0; i < std::size(kPlantas); ++i) {
        EXPECT_EQ(SubpasosPorMuestra(kPlantas[i]), esperados[i]) << kPlantas[i].Nombre();
        const double factor = esperados[i] == 11 ? 1 / 1.1 : 1.0;
        EXPECT_TRUE(Cerca(TauDeLasMuestras(kPlantas[i]), kPlantas[i].A * kPlantas[i].R * factor, 1e-6));
    }
    const Registro r = LazoAbierto(kPlantas[1], Prbs(2000, 11, 0.5f, 2.5f));
    EXPECT_TRUE(Cerca(IdentificarOe(r, 0).Tau, 5 / 1.1, kTolerancia));
}

// Without noise, with the delay of the run: K and Tau within 0.5 %, the fit above 99 %, for both estimators.
TEST(Verdad, ArxYOeConElRetardoDeLaCorrida) {
    for (const PlantaDeTextos& p : kPlantas) {
        const double Tau = TauDeLasMuestras(p);
        for (const Caso& c : Registros(p)) {
            const Identificacion arx = IdentificarArx(c.r, c.retardo);
            const IdentificacionOe oe = IdentificarOe(c.r, c.retardo);
            for (const Identificacion* id : {&arx, static_cast<const Identificacion*>(&oe)}) {
                SCOPED_TRACE(p.Nombre() + ", " + c.nombre + ", " + id->metodo);
                EXPECT_TRUE(Cerca(id->K, p.R, kTolerancia));
                EXPECT_TRUE(Cerca(id->Tau, Tau, kTolerancia));
                EXPECT_GT(id->ajuste, 99.0);
                EXPECT_EQ(id->retardo, c.retardo);
                EXPECT_EQ(id->muestras, c.r.nivel.size());
                // the errors say the estimate is exact to the rounding of Singles
                EXPECT_LT(*id->error_K, 1e-3 * p.R);
                EXPECT_LT(*id->error_Tau, 1e-3 * Tau);
            }
        }
    }
}

// Without a delay given, each estimator finds the run's own: the other one explains the record worse.
TEST(Verdad, RetardoAutomatico) {
    for (const PlantaDeTextos& p : kPlantas) {
        for (const Caso& c : Registros(p)) {
            SCOPED_TRACE(p.Nombre() + ", " + c.nombre);
            EXPECT_EQ(IdentificarArx(c.r).retardo, c.retardo);
            EXPECT_EQ(IdentificarOe(c.r).retardo, c.retardo);
        }
    }
}

// A step from an empty tank at the first sample (the open-loop step run) gives the same equations under
// either delay but the first: the automatic choice ties and keeps 0, and the estimate is right either way.
TEST(Verdad, EscalonDesdeElReposoEnLaPrimeraMuestra) {
    for (const PlantaDeTextos& p : kPlantas) {
        SCOPED_TRACE(p.Nombre());
        const Registro r = LazoAbierto(p, Escalon(static_cast<std::size_t>(12 * TauDeLasMuestras(p) / p.T), 0, 0, 2));
        const Identificacion arx = IdentificarArx(r);
        EXPECT_EQ(arx.retardo, 0);
        EXPECT_TRUE(Cerca(arx.K, p.R, kTolerancia));
        EXPECT_TRUE(Cerca(arx.Tau, TauDeLasMuestras(p), kTolerancia));
        EXPECT_EQ(IdentificarArx(r, 1).Tau, arx.Tau);
        const IdentificacionOe oe = IdentificarOe(r);
        EXPECT_TRUE(Cerca(oe.K, p.R, kTolerancia));
        EXPECT_TRUE(Cerca(oe.Tau, TauDeLasMuestras(p), kTolerancia));
    }
}

// The trap of the wrong delay: read with delay 1, the open-loop PRBS record of the default plant (bits held
// 10 samples) gives a Tau about 9 % long, a K about 1 % short, and a fit near 89 %: a plausible model that is
// wrong. The factor measured is 1.087 (1.103 with bits held 9 samples: it depends on the signal).
TEST(Verdad, RetardoEquivocadoAlargaTau) {
    const PlantaDeTextos& p = kPlantas[0];
    const Registro r = LazoAbierto(p, Prbs(2000, 10, 0.5f, 2.5f));
    const Identificacion mala = IdentificarArx(r, 1);
    EXPECT_NEAR(mala.Tau / TauDeLasMuestras(p), 1.087, 0.01);
    EXPECT_NEAR(mala.K / p.R, 0.99, 0.005);
    EXPECT_LT(mala.ajuste, 92.0);
    EXPECT_GT(mala.ajuste, 85.0);
    EXPECT_GT(IdentificarArx(r, 0).ajuste, 99.9);
}

// The classical reading of the step response, on steps at sample 20, from rest, and downwards from a settled
// level: K and Tau within 0.5 % (the straight line between samples errs by about (T / Tau)^2 / 8 of Tau).
TEST(Verdad, LecturaDelEscalon) {
    for (const PlantaDeTextos& p : kPlantas) {
        const double Tau = TauDeLasMuestras(p);
        const std::size_t n = static_cast<std::size_t>(12 * Tau / p.T);
        const struct {
            const char* nombre;
            Registro r;
            bool desde_reposo;
            double antes, despues;
        } casos[] = {
            {"a la muestra 20", LazoAbierto(p, Escalon(20 + n, 20, 0, 2)), false, 0, 2},
            {"desde el reposo", LazoAbierto(p, Escalon(n, 0, 0, 2)), true, 0, 2},
            {"hacia abajo", LazoAbierto(p, Escalon(2 * n, n, 2, 0.5f)), false, 2, 0.5},
        };
        for (const auto& c : casos) {
            SCOPED_TRACE(p.Nombre() + ", " + c.nombre);
            const IdentificacionEscalon e = LeerEscalon(c.r);
            EXPECT_TRUE(Cerca(e.K, p.R, kTolerancia));
            EXPECT_TRUE(Cerca(e.Tau, Tau, kTolerancia));
            EXPECT_EQ(e.desde_reposo, c.desde_reposo);
            EXPECT_EQ(e.accion_antes, c.antes);
            EXPECT_EQ(e.accion_despues, c.despues);
            EXPECT_GT(e.ajuste, 99.0);
            EXPECT_FALSE(e.error_K || e.error_Tau || e.error_a || e.error_b);
            // a and b are the discrete model of the reading
            EXPECT_NEAR(e.a, std::exp(-p.T / e.Tau), 1e-15);
            EXPECT_NEAR(e.b / (1 - e.a), e.K, 1e-12 * p.R);
            // the same record lined up as the closed loops line theirs, read with delay 1: the same times
            const IdentificacionEscalon d = LeerEscalon(ComoLazoCerrado(c.r), 1);
            EXPECT_EQ(d.desde_reposo, e.desde_reposo);
            EXPECT_EQ(d.inicio, e.inicio);
            // the final value's tail is one sample shorter, at ten time constants from the step
            EXPECT_TRUE(Cerca(d.Tau, e.Tau, 1e-4));
            EXPECT_TRUE(Cerca(d.K, e.K, 1e-4));
        }
    }
}

// Measurement noise (deviation 0.02) on the level of PRBS records between 1 and 1.5 of the default plant, 50
// seeds. OE is unbiased: its mean Tau within 2 %, and the spread of its estimates is what its standard errors
// say. ARX is not: the noise in the regressor y(k-1) pulls a towards 0, and Tau comes out short, 6 % in the
// mean here.
TEST(Verdad, RuidoDeMedida) {
    const PlantaDeTextos& p = kPlantas[0];
    const double Tau = TauDeLasMuestras(p);
    const Registro limpio = LazoAbierto(p, Prbs(2000, 10, 1.0f, 1.5f));
    constexpr int kSemillas = 50;
    double arx = 0, oe = 0, oe2 = 0, errores = 0, K = 0;
    for (int semilla = 1; semilla <= kSemillas; ++semilla) {
        Registro r = limpio;
        AnadirRuido(r, 0.02, static_cast<std::uint64_t>(semilla));
        arx += IdentificarArx(r, 0).Tau;
        const IdentificacionOe o = IdentificarOe(r, 0);
        oe += o.Tau;
        oe2 += o.Tau * o.Tau;
        errores += *o.error_Tau;
        K += o.K;
    }
    const double media_oe = oe / kSemillas, media_arx = arx / kSemillas;
    EXPECT_TRUE(Cerca(media_oe, Tau, 0.02));
    EXPECT_TRUE(Cerca(K / kSemillas, p.R, 0.01));
    EXPECT_LT(media_arx / Tau, 0.97);  // biased short
    EXPECT_GT(media_arx / Tau, 0.90);
    // the deviation of 50 estimates is known to about 10 %: a factor 1.5 either way is a failure
    const double desviacion = std::sqrt(oe2 / kSemillas - media_oe * media_oe);
    EXPECT_GT(desviacion / (errores / kSemillas), 1 / 1.5);
    EXPECT_LT(desviacion / (errores / kSemillas), 1.5);
}
