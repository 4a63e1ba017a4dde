// The rules' conventions: the PID form, the clocks, the delay that the rules read, the texts.
#include <gtest/gtest.h>

#include "sintonia/rechazos.h"
#include "sintonia/reglas.h"
#include "tests/ayudas.h"
#include "tests/sintonia/barrido.h"

namespace {

// The series PID Kc (1 + 1 / (tauI s)) (1 + tauD s) and its ideal conversion are the same function of s.
TEST(Reglas, SerieEIdealSonElMismoControlador) {
    for (auto [Kc, tauI, tauD] : {std::tuple{2.0, 10.0, 1.0}, {0.5, 3.0, 3.0}, {8.0, 1.0, 0.1}}) {
        const Pid p = SerieAIdeal(Kc, tauI, tauD);
        for (double w : {0.01, 0.3, 7.0}) {
            const std::complex<double> s(0, w);
            const std::complex<double> serie = Kc * (1.0 + 1.0 / (tauI * s)) * (1.0 + tauD * s);
            EXPECT_NEAR(std::abs(PidContinuo(p.Kp, p.Ti, p.Td, w) / serie - 1.0), 0, 1e-14);
        }
    }
}

// The rules count in the controller's seconds with the hold's half period in the delay: at 100 ms the plant
// advances 0.11 s per sample, so its 20 s are 18.18 of the controller's.
TEST(Reglas, ElModeloDeLasReglasCuentaEnElRelojDelControl) {
    const ModeloReglas a = ModeloParaReglas({2, 20, 0, 0}, {0.5, 0.5});
    EXPECT_DOUBLE_EQ(a.tau1, 20);
    EXPECT_DOUBLE_EQ(a.theta, 0.25);
    const ModeloReglas b = ModeloParaReglas({2, 20, 0, 1.1}, {0.1, 0.11});
    EXPECT_NEAR(b.tau1, 20 / 1.1, 1e-12);
    EXPECT_NEAR(b.theta, 1 + 0.05, 1e-12);
    // the larger constant first
    EXPECT_DOUBLE_EQ(ModeloParaReglas({1, 2, 7, 0}, {1, 1}).tau1, 7);
}

// A closed-loop record without dead time has nk = 1 and an open-loop one nk = 0: both are a plant with no
// delay of its own. Each sample more is one period of the record's plant time.
TEST(Reglas, ElRetardoDelRegistroCuentaDesdeElDeSuCorrida) {
    EXPECT_DOUBLE_EQ(PlantaDeRegistro(2, 20, 1, 1, 0.5, 0.5).theta, 0);
    EXPECT_DOUBLE_EQ(PlantaDeRegistro(2, 20, 0, 0, 0.5, 0.5).theta, 0);
    EXPECT_DOUBLE_EQ(PlantaDeRegistro(2, 20, 4, 1, 0.5, 0.5).theta, 1.5);
    const ModeloConRetardo p = PlantaDeRegistro(2, 18, 2, 0, 0.1, 0.11);
    EXPECT_NEAR(p.tau1, 19.8, 1e-12);
    EXPECT_NEAR(p.theta, 0.22, 1e-12);
    EXPECT_EQ(TextoDelError<ErrorSintonia>([] { PlantaDeRegistro(2, 20, 0, 1, 0.5, 0.5); }),
              "El retardo del modelo (0) no puede ser menor que el de la corrida que hizo el registro (1: 0 en lazo "
              "abierto, 1 en lazo cerrado).");
}

// Skogestad's half rule reads a second-order model for the PI rules.
TEST(Reglas, LaRegladeLaMitadPasaAlPrimerOrden) {
    const ModeloReglas m = MitadAlPrimerOrden({2, 10, 4, 1});
    EXPECT_DOUBLE_EQ(m.tau1, 12);
    EXPECT_DOUBLE_EQ(m.tau2, 0);
    EXPECT_DOUBLE_EQ(m.theta, 3);
    EXPECT_TRUE(Calcular(Regla::Simc, Accion::PID, {2, 10, 4, 1}).serie);
    EXPECT_FALSE(Calcular(Regla::Simc, Accion::PI, {2, 10, 4, 1}).serie);
}

// The gains as the dialog's texts: four digits, the locale's separator, and read back to what is analysed.
TEST(Reglas, LasGananciasComoTextos) {
    for (auto [v, texto] : {std::pair{20.0, "20"}, {2.25, "2,25"}, {0.123456, "0,1235"}, {123456.0, "1,235e+05"}})
        EXPECT_EQ(TextoGanancia(v, ','), texto);
    const Pid r = Redondeado({19.87654, 2.000004, 0.0123456});
    EXPECT_DOUBLE_EQ(r.Kp, 19.88);
    EXPECT_DOUBLE_EQ(r.Ti, 2);
    EXPECT_DOUBLE_EQ(r.Td, 0.01235);
}

TEST(Reglas, NombresYRechazos) {
    for (Regla r : {Regla::Simc, Regla::Imc, Regla::Amigo, Regla::ZieglerNichols})
        EXPECT_EQ(ReglaDeNombre(NombreRegla(r)), r);
    EXPECT_FALSE(ReglaDeNombre("pid"));
    EXPECT_EQ(ReglaUltimaDeNombre("tl"), ReglaUltima::TyreusLuyben);
    EXPECT_EQ(TextoDelError<ErrorSintonia>([] {
                  Calcular(Regla::Simc, Accion::PI, {2, 20, 0, 0.25}, -1);
              }),
              "La constante de tiempo del lazo cerrado (tc) debe ser un número no negativo, no -1.");
    EXPECT_EQ(TextoDelError<ErrorSintonia>([] {
                  Calcular(Regla::Amigo, Accion::PI, {0, 20, 0, 0.25});
              }),
              "La ganancia del modelo debe ser un número mayor que cero, no 0.");
    EXPECT_EQ(TextoDelError<ErrorSintonia>([] { CalcularUltima(ReglaUltima::ZieglerNichols, Accion::PI, 0, 5); }),
              "La ganancia última y el periodo último deben ser mayores que cero (Ku 0, Pu 5).");
}

}  // namespace
