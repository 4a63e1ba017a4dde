#include "tests/export/referencia.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "export/formato.h"

// The reference itself, against expansions computed elsewhere.
TEST(Referencia, ExpansionExactaDeValoresConocidos) {
    EXPECT_EQ(ExpansionExacta(0.1), "0.1000000000000000055511151231257827021181583404541015625");
    EXPECT_EQ(ExpansionExacta(-2.5), "2.5");
    EXPECT_EQ(ExpansionExacta(1e23), "99999999999999991611392.");
    EXPECT_EQ(ExpansionExacta(0.0), "0.");
    EXPECT_EQ(ExpansionExacta(std::ldexp(1.0, -20)), "0.00000095367431640625");
    const std::string minimo = ExpansionExacta(std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(minimo.size(), 1076u);
    EXPECT_EQ(minimo.substr(0, 2 + 323 + 11), "0." + std::string(323, '0') + "49406564584");
    EXPECT_EQ(minimo.substr(minimo.size() - 16), "8265533447265625");
    EXPECT_EQ(CampoReferencia(0.03125, 4, 9), "   0.0313");
    EXPECT_EQ(CampoReferencia(-0.00004, 4, 9), "  -0.0000");
    EXPECT_EQ(CampoReferencia(9.99995, 4, 0), "10.0000");  // 9.9999500000000001165...
    EXPECT_EQ(CampoReferencia(-9.5, 0, 0), "-10");
}

namespace {

class Generador {
public:
    double Bits() {  // any finite double, uniform over bit patterns
        for (;;) {
            const double v = std::bit_cast<double>(g_());
            if (std::isfinite(v)) return v;
        }
    }
    double Escalado() {  // uniform mantissa, decimal scale from 1e-10 to 1e40
        return Uniforme(-1.0, 1.0) * std::pow(10.0, Entero(-10, 40));
    }
    double Simple() {  // a float widened to double, as a Single of the simulation reaches the chart
        for (;;) {
            const float f = std::bit_cast<float>(static_cast<std::uint32_t>(g_()));
            if (std::isfinite(f)) return f;
        }
    }
    double Empate(int decimales) {  // (2j + 1) / 2^(d+1): exactly half a unit of the d-th decimal
        const std::uint64_t j = (g_() >> 12) >> Entero(0, 52);
        return Signo() * std::ldexp(static_cast<double>(2 * j + 1), -(decimales + 1));
    }
    double Diminuto() { return Signo() * std::ldexp(static_cast<double>(g_() >> 11), Entero(-1074 - 53, -40 - 53)); }
    double Exportado() {  // an action or a level as the runs produce them
        return static_cast<float>(Uniforme(-20.0, 20.0));
    }
    double Uniforme(double a, double b) { return std::uniform_real_distribution<double>(a, b)(g_); }
    int Entero(int a, int b) { return std::uniform_int_distribution<int>(a, b)(g_); }
    double Signo() { return (g_() & 1) != 0 ? -1.0 : 1.0; }

private:
    std::mt19937_64 g_{20240611};
};

class Contraste {
public:
    void Comprobar(double v, int decimales, int ancho) {
        ++casos_;
        const std::string esperado = CampoReferencia(v, decimales, ancho);
        const std::string obtenido = CampoFijo(v, decimales, ancho);
        if (obtenido != esperado && ++fallos_ <= 20) {
            ADD_FAILURE() << std::hexfloat << v << " decimales=" << decimales << " ancho=" << ancho << "\n  esperado ["
                          << esperado << "]\n  obtenido [" << obtenido << "]";
        }
    }
    // The export's two formats and one other number of decimals.
    void Formatos(double v, Generador& g) {
        Comprobar(v, 4, 9);
        Comprobar(v, 0, 5);
        Comprobar(v, g.Entero(0, kMaxDecimales), g.Entero(0, 30));
    }
    int casos() const { return casos_; }
    int fallos() const { return fallos_; }

private:
    int casos_ = 0;
    int fallos_ = 0;
};

}  // namespace

TEST(CampoFijo, CoincideConLaReferenciaExacta) {
    Generador g;
    Contraste c;
    for (int i = 0; i < 30000; ++i) c.Formatos(g.Bits(), g);
    for (int i = 0; i < 60000; ++i) c.Formatos(g.Escalado(), g);
    for (int i = 0; i < 30000; ++i) c.Formatos(g.Simple(), g);
    for (int i = 0; i < 30000; ++i) c.Formatos(g.Exportado(), g);
    for (int i = 0; i < 15000; ++i) c.Formatos(g.Diminuto(), g);
    for (int i = 0; i < 40000; ++i) {
        const int d = g.Entero(0, kMaxDecimales);
        const double empate = g.Empate(d);
        for (double v : {empate, std::nextafter(empate, 0.0), std::nextafter(empate, 2 * empate)}) {
            c.Comprobar(v, d, 0);
        }
    }
    // Around the limits of the 64- and 128-bit arithmetic inside, and far beyond.
    const double limites[] = {std::ldexp(1.0, 62) / 1e4,
                              1e15,
                              std::ldexp(1.0, 53),
                              std::ldexp(1.0, 63),
                              std::ldexp(1.0, 64),
                              std::ldexp(1.0, 75),
                              std::ldexp(1.0, 76),
                              std::ldexp(1.0, 113) / 1e4,
                              std::ldexp(1.0, 113) / 1e18,
                              std::ldexp(1.0, 127),
                              std::ldexp(1.0, 128),
                              1e36,
                              std::numeric_limits<double>::max()};
    for (double limite : limites) {
        double arriba = limite;
        double abajo = limite;
        for (int i = 0; i < 200; ++i) {
            c.Formatos(arriba, g);
            c.Formatos(-abajo, g);
            arriba = std::nextafter(arriba, std::numeric_limits<double>::max());
            abajo = std::nextafter(abajo, 0.0);
        }
        for (int i = 0; i < 1000; ++i) c.Formatos(limite * g.Uniforme(0.999, 1.0), g);
    }
    for (int e = -1074; e <= 1023; ++e) {
        const double p = std::ldexp(1.0, e);
        for (double v : {p, std::nextafter(p, 0.0), std::nextafter(p, 2 * p)}) c.Formatos(v, g);
    }
    EXPECT_EQ(c.fallos(), 0) << "of " << c.casos() << " cases";
    EXPECT_GT(c.casos(), 600000);
}
