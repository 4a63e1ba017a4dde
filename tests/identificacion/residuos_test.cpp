// The residual tests against their nominal rate (a correct model, white noise: false alarms about 1 % at 99 %)
// and against models known to be wrong (a delay, a missing pole).

#include "identificacion/residuos.h"

#include <gtest/gtest.h>

#include "identificacion/arx.h"
#include "identificacion/oe.h"
#include "tests/identificacion/registros.h"
#include "tests/identificacion/sistemas.h"

namespace {

const PlantaExacta kTanque{2, 20, 0, 0.5};

Registro Ruidoso(std::uint64_t semilla, int muerto = 0) {
    return RegistroDe(kTanque, Binaria(2000, 10, 0.5, 2.5, semilla), 0.02, semilla, muerto);
}

}  // namespace

// 200 seeds of the tank under white measurement noise, OE of the right structure: each test at half of 1 %, the
// verdict wrong in about 2 of 200. These seeds give 4 wrong verdicts (3 not white, 1 not independent), and the
// binomial bounds them: 7 or more wrong verdicts has probability 0.4 % (at 1 %), 5 or more failures of one test
// 0.4 % (at 0.5 %). No lower bound: none at all has probability 13 %. What can fail both ways is the statistic
// itself: Ljung-Box's Q on white residuals is chi-square with 20 degrees of freedom, so its mean over 200 seeds
// is 20 with a deviation of sqrt(40 / 200) = 0.45 (these give 20.4); 1.5 off is 3.4 deviations.
TEST(Residuos, FalsasAlarmasALaTasaNominal) {
    int alarmas = 0, blancas = 0, independientes = 0;
    double sumaQ = 0;
    for (std::uint64_t semilla = 1; semilla <= 200; ++semilla) {
        const Registro r = Ruidoso(semilla);
        const AnalisisResiduos a = AnalizarResiduos(IdentificarOe(r, 0), r);
        alarmas += a.veredicto != Veredicto::Explica;
        blancas += a.blanco;
        independientes += a.independiente;
        sumaQ += a.blancura;
        ASSERT_EQ(a.autocorrelacion.size(), 21u);
        ASSERT_EQ(a.correlacionCruzada.size(), 41u);
        EXPECT_EQ(a.autocorrelacion[0], 1.0);
    }
    EXPECT_LE(alarmas, 6);
    EXPECT_GE(blancas, 196);
    EXPECT_GE(independientes, 196);
    EXPECT_NEAR(sumaQ / 200, 20, 1.5);
}

// The wrong delay fails the independence test and the verdict names the right one: delay 1 on an open-loop
// record (0), delay 0 on a plant with two samples of dead time (2).
TEST(Residuos, RetardoEquivocado) {
    const Registro r = Ruidoso(5);
    const AnalisisResiduos a = AnalizarResiduos(IdentificarOe(r, 1), r);
    EXPECT_FALSE(a.independiente);
    EXPECT_EQ(a.veredicto, Veredicto::Retardo);
    EXPECT_EQ(a.texto, "el retardo parece ser 0");
    const Registro muerto = Ruidoso(6, 2);
    const AnalisisResiduos b = AnalizarResiduos(IdentificarOe(muerto, 0), muerto);
    EXPECT_EQ(b.veredicto, Veredicto::Retardo);
    EXPECT_EQ(b.retardoSugerido, 2);
    EXPECT_EQ(b.texto, "el retardo parece ser 2");
    EXPECT_EQ(TextoVeredicto(Veredicto::Explica), "el modelo explica los datos");
}

// A first order on the record of two tanks leaves their second pole in the residuals, in the lags of the input.
TEST(Residuos, DinamicaSinExplicar) {
    const Registro r = RegistroDe({2, 20, 8, 2}, Binaria(1500, 5, 0.5, 2.5, 3), 0.01, 3);
    const AnalisisResiduos a = AnalizarResiduos(IdentificarOe(r, 0), r);
    EXPECT_FALSE(a.independiente);
    EXPECT_EQ(a.veredicto, Veredicto::DinamicaSinExplicar);
    EXPECT_EQ(a.texto, "queda dinámica sin explicar");
    // the lag of largest cross-correlation is outside its band
    double mayor = 0, banda = 0;
    for (std::size_t i = 0; i < a.correlacionCruzada.size(); ++i)
        if (std::abs(a.correlacionCruzada[i]) > mayor) {
            mayor = std::abs(a.correlacionCruzada[i]);
            banda = a.bandaCruzada[i];
        }
    EXPECT_GT(mayor, banda);
}

// ARX under measurement noise: its equation errors e = A(q) v are coloured (rho(1) = -a / (1 + a^2), near -0.5),
// and the whiteness test sees it; the noise-free record of the program's own tank leaves only rounding.
TEST(Residuos, RuidoQueArxNoDescribe) {
    const Registro r = Ruidoso(9);
    const AnalisisResiduos a = AnalizarResiduos(IdentificarArx(r, 0), r);
    EXPECT_FALSE(a.blanco);
    EXPECT_NEAR(a.autocorrelacion[1], -0.975 / (1 + 0.975 * 0.975), 0.1);
    EXPECT_NE(a.veredicto, Veredicto::Explica);
    const Registro limpio = LazoAbierto(kPlantas[0], Prbs(2000, 10, 0.5f, 2.5f));
    const AnalisisResiduos b = AnalizarResiduos(IdentificarOe(limpio, 0), limpio);
    EXPECT_TRUE(b.redondeo);
    EXPECT_EQ(b.veredicto, Veredicto::Explica);
}
