// The inference compared with fuzzylite, an independent fuzzy-logic library: a Takagi-Sugeno engine with the
// same sets, minimum as AND, one rule per table entry and constant outputs at the centres, averaged by weight.
// fuzzylite computes in double, hence the bound of 1e-12 rather than equality.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "base/aritmetica.h"
#include "fuzzy/fis.h"
#include "tests/fuzzy/comun.h"
#include "tests/fuzzy/motor_fuzzylite.h"

namespace {

constexpr double kCota = 1e-12;

struct Recuento {
    int comparadas = 0, sin_reglas = 0, discrepancias = 0;
    std::string primera;
};

// Runs both at (e, de): equal to within the bound where a rule fires, and Inferir's invalid operation
// exactly where none does.
void Comparar(FIS& f, Motor_Fuzzylite& referencia, double e, double de, Recuento& r) {
    const double esperado = referencia.Procesar(e, de);
    std::ostringstream caso;
    caso.precision(17);
    caso << "e=" << e << " de=" << de << " fuzzylite=" << esperado;
    bool coincide;
    if (std::isnan(esperado)) {
        const std::string texto = TextoDelError<ErrorPuntoFlotante>([&] { f.Inferir(e, de); });
        coincide = texto == kOperacionInvalida;
        caso << " Inferir: " << texto;
        ++r.sin_reglas;
    } else {
        const double u = f.Inferir(e, de);
        coincide = std::abs(u - esperado) <= kCota;
        caso << " Inferir=" << u;
        ++r.comparadas;
    }
    if (!coincide && r.discrepancias++ == 0) r.primera = caso.str();
}

// The centre and the two ends of every input set: the inputs where the branches meet.
std::vector<double> Quiebres(const std::vector<FDP>& conjuntos) {
    std::vector<double> x;
    for (const FDP& c : conjuntos)
        for (const double d : {-c.Ancho, 0.0, c.Ancho}) x.push_back(c.Centro + d);
    return x;
}

Tabla Tabla_Al_Azar(std::mt19937_64& azar) {
    std::uniform_int_distribution<int> indice(0, 4);
    Tabla t;
    for (auto& fila : t)
        for (auto& entrada : fila) entrada = indice(azar);
    return t;
}

// Five sets of random shape, centre in [-alcance, alcance] and width in [alcance / 16, alcance]. Centres and
// widths are multiples of 1/256, so that c - w and c + w are exact and both libraries see a side end at the
// same input.
Definicion_Grupo Grupo_Al_Azar(std::mt19937_64& azar, int alcance) {
    std::uniform_int_distribution<int> tipo(0, 3), ancho(16 * alcance, 256 * alcance),
        centro(-256 * alcance, 256 * alcance);
    Definicion_Grupo g;
    for (auto& c : g) c = {tipo(azar), ancho(azar) / 256.0, centro(azar) / 256.0};
    return g;
}

}  // namespace

TEST(Fuzzylite, ConjuntosYReglasPorDefecto) {
    FIS f = Sistema_Por_Defecto();
    Motor_Fuzzylite referencia(f);
    Recuento r;
    for (const double e : Quiebres(f.Conjuntos_E))
        for (const double de : Quiebres(f.Conjuntos_DE)) Comparar(f, referencia, e, de, r);
    std::mt19937_64 azar(20240611);
    std::uniform_real_distribution<double> error(-6.0, 6.0), derivada(-1.2, 1.2);
    for (int n = 0; n < 10000; ++n) {
        const double e = error(azar);
        Comparar(f, referencia, e, derivada(azar), r);
    }
    EXPECT_EQ(r.discrepancias, 0) << r.primera;
    // The shoulders cover every input, so some rule always fires.
    EXPECT_EQ(r.sin_reglas, 0);
    EXPECT_EQ(r.comparadas, 10000 + 15 * 15);
}

TEST(Fuzzylite, ReglasAlAzar) {
    std::mt19937_64 azar(7);
    std::uniform_real_distribution<double> error(-6.0, 6.0), derivada(-1.2, 1.2);
    Recuento r;
    for (int sistema = 0; sistema < 100; ++sistema) {
        FIS f;
        Definir(f, kError, kDerivada, kControl, Tabla_Al_Azar(azar));
        Motor_Fuzzylite referencia(f);
        for (int n = 0; n < 100; ++n) {
            const double e = error(azar);
            Comparar(f, referencia, e, derivada(azar), r);
        }
    }
    EXPECT_EQ(r.discrepancias, 0) << r.primera;
    EXPECT_EQ(r.comparadas, 10000);
}

TEST(Fuzzylite, ConjuntosYReglasAlAzar) {
    std::mt19937_64 azar(1234);
    std::uniform_real_distribution<double> entrada(-5.0, 5.0);
    Recuento r;
    for (int sistema = 0; sistema < 200; ++sistema) {
        FIS f;
        Definir(f, Grupo_Al_Azar(azar, 4), Grupo_Al_Azar(azar, 4), Grupo_Al_Azar(azar, 1), Tabla_Al_Azar(azar));
        Motor_Fuzzylite referencia(f);
        for (int n = 0; n < 100; ++n) {
            const double e = entrada(azar);
            Comparar(f, referencia, e, entrada(azar), r);
        }
        const std::vector<double> quiebres_e = Quiebres(f.Conjuntos_E), quiebres_de = Quiebres(f.Conjuntos_DE);
        for (std::size_t k = 0; k < quiebres_e.size(); ++k) Comparar(f, referencia, quiebres_e[k], quiebres_de[k], r);
    }
    EXPECT_EQ(r.discrepancias, 0) << r.primera;
    EXPECT_GE(r.comparadas, 10000);
    EXPECT_GT(r.sin_reglas, 0) << "some inputs should lie outside every set";
}

// Debian's libfuzzylite exports the main() of its command-line tool, which the linker would take before
// GoogleTest's; this one keeps the tests in charge.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
