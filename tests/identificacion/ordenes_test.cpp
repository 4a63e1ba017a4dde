// ARX and OE of any order, and the scan of orders and delays, against plants simulated exactly: the orders and
// the delay that made a record are the truth the scan must find.

#include <gtest/gtest.h>

#include <cmath>

#include "identificacion/arx.h"
#include "identificacion/arx_orden.h"
#include "identificacion/oe_orden.h"
#include "identificacion/ordenes.h"
#include "tests/identificacion/registros.h"
#include "tests/identificacion/sistemas.h"

namespace {

// Two tanks of 20 s and 8 s, gain 2, sampled every 2 s: a second pole well inside the band of the input.
const PlantaExacta kDosTanques{2, 20, 8, 2};

}  // namespace

// Without noise the record is the hold equivalent itself: ARX(2, 2, 0) returns its F and B (derived by hand).
TEST(Ordenes, ArxExactoDeSegundoOrden) {
    const Registro r = RegistroDe(kDosTanques, Binaria(600, 5, 0.5, 2.5, 3), 0, 0);
    const ModeloLineal m = EstimarArxOrden(r, 2, 2, 0);
    ASSERT_EQ(m.F.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(m.F[i], kDosTanques.F()[i], 1e-10) << i;
    for (std::size_t j = 0; j < 2; ++j) EXPECT_NEAR(m.B[j], kDosTanques.B()[j], 1e-10) << j;
    EXPECT_LT(m.perdida, 1e-24);
    // the first order of any-order ARX is the first-order ARX
    const Registro tanque = LazoAbierto(kPlantas[0], Prbs(2000, 10, 0.5f, 2.5f));
    const ModeloLineal uno = EstimarArxOrden(tanque, 1, 1, 0);
    const EstimacionArx e = EstimarArx(tanque, 0);
    EXPECT_NEAR(-uno.F[1], e.modelo.a, 1e-12);
    EXPECT_NEAR(uno.B[0], e.modelo.b, 1e-12);
}

// OE(2, 2, 0) on the two tanks under measurement noise: unbiased, where ARX of the same orders is not. Over
// 20 seeds the truth lies within 3 of OE's standard errors in b1 + b2 (the static gain's numerator).
TEST(Ordenes, OeDeSegundoOrdenSinSesgo) {
    int dentro = 0;
    for (std::uint64_t semilla = 1; semilla <= 20; ++semilla) {
        const Registro r = RegistroDe(kDosTanques, Binaria(2000, 5, 0.5, 2.5, semilla), 0.02, semilla);
        const ModeloLineal oe = EstimarOeOrden(r, 2, 2, 0);
        const double ganancia = (oe.B[0] + oe.B[1]) / (oe.F[0] + oe.F[1] + oe.F[2]);
        EXPECT_NEAR(ganancia, kDosTanques.K, 0.02) << semilla;
        EXPECT_NEAR(oe.F[1], kDosTanques.F()[1], 0.05) << semilla;
        const double p1 = oe.F[1] - kDosTanques.F()[1];
        if (std::abs(p1) <= 3 * std::sqrt(oe.covarianza(0, 0))) ++dentro;
    }
    EXPECT_GE(dentro, 19);
}

// The scan on 100 seeded records of the two tanks: under measurement noise OE's choice has two poles; under
// noise in the equation, ARX's has na = 2. In at least 99 of them, with the delay 0 of the open loop.
TEST(Ordenes, BarridoHallaDosPolos) {
    int oe = 0, arx = 0;
    OpcionesBarrido o;
    o.retardoMaximo = 3;
    for (std::uint64_t semilla = 1; semilla <= 100; ++semilla) {
        const std::vector<double> u = Binaria(1500, 5, 0.5, 2.5, semilla);
        const Barrido b = BarrerOrdenes(RegistroDe(kDosTanques, u, 0.01, semilla), o);
        const FilaBarrido& e = b.oe[b.elegidoOe];
        oe += e.n == 2 && e.nk == 0;
        OpcionesBarrido solo = o;
        solo.oe = false;
        const Barrido a = BarrerOrdenes(SimularArx(kDosTanques.F(), kDosTanques.B(), 0, u, 0.01, semilla, 2), solo);
        arx += a.arx[a.elegidoArx].n == 2 && a.arx[a.elegidoArx].nk == 0;
    }
    EXPECT_GE(oe, 99);
    EXPECT_GE(arx, 99);
}

// The delay over 0 .. 10 on 100 seeded records of the first-order tank, noisy: 0 on open-loop records, 1 on the
// same lined up as the closed loops line theirs.
TEST(Ordenes, BarridoHallaElRetardo) {
    int abierto = 0, cerrado = 0;
    OpcionesBarrido o;
    o.oe = false;
    const PlantaExacta tanque{2, 20, 0, 0.5};
    for (std::uint64_t semilla = 1; semilla <= 100; ++semilla) {
        const Registro r = RegistroDe(tanque, Binaria(2000, 10, 0.5, 2.5, semilla), 0.02, semilla);
        const Barrido a = BarrerOrdenes(r, o), c = BarrerOrdenes(ComoLazoCerrado(r), o);
        abierto += a.arx[a.elegidoArx].nk == 0;
        cerrado += c.arx[c.elegidoArx].nk == 1;
    }
    EXPECT_GE(abierto, 99);
    EXPECT_GE(cerrado, 99);
}

// With a validation record the table is ranked by the fit on it, and the choice is the same plant.
TEST(Ordenes, BarridoConValidacion) {
    const Registro r = RegistroDe(kDosTanques, Binaria(1500, 5, 0.5, 2.5, 7), 0.01, 7);
    Registro v = RegistroDe(kDosTanques, Binaria(1500, 4, 0.5, 2.5, 8), 0.01, 8);
    OpcionesBarrido o;
    o.retardoMaximo = 2;
    o.validacion = &v;
    const Barrido b = BarrerOrdenes(r, o);
    EXPECT_TRUE(b.conValidacion);
    EXPECT_EQ(b.oe[b.elegidoOe].n, 2);
    for (std::size_t i = 1; i < b.oe.size(); ++i) EXPECT_LE(b.oe[i - 1].criterio, b.oe[i].criterio);
    // as good on it as the plant itself, up to the noise
    ModeloLineal verdad;
    verdad.F = kDosTanques.F();
    verdad.B = kDosTanques.B();
    verdad.T = 2;
    EXPECT_GT(*b.oe[b.elegidoOe].ajusteValidacion, Ajuste(verdad, v) - 0.1);
    // the table holds every structure of the grid: ARX na 1..4, nb <= na, nk 0..2; OE nb = nf, the orders above
    // the choice fitted with a few steps, their losses within 10^-3 of the least that all the steps reach
    EXPECT_EQ(b.arx.size(), 30u);
    EXPECT_EQ(b.oe.size(), 4u);
    for (const FilaBarrido& f : b.oe) {
        EXPECT_EQ(f.recortado, f.n > 2) << f.n;
        if (!f.recortado) continue;
        for (const FilaBarrido& a : b.arx) {
            if (a.n != f.n || a.nb != f.n || a.nk != f.nk) continue;
            const ModeloLineal completo = EstimarOeOrden(r, f.n, f.n, f.nk, PrimeraEcuacion(4, 2), a.modelo);
            EXPECT_NEAR(f.perdida / completo.perdida, 1, 1e-3) << f.n;
        }
    }
}
