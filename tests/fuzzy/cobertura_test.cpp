#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "base/errores.h"
#include "fuzzy/cobertura.h"
#include "tests/fuzzy/comun.h"

namespace {

constexpr double kMax = std::numeric_limits<double>::max();

double Arriba(double x) { return std::nextafter(x, INFINITY); }
double Abajo(double x) { return std::nextafter(x, -INFINITY); }

FDP Conjunto(std::int32_t tipo, double ancho, double centro) {
    FDP f;
    f.Asignar(tipo, ancho, centro);
    return f;
}

std::vector<FDP> Grupo(const Definicion_Grupo& g) {
    std::vector<FDP> v;
    for (const Definicion_Conjunto& d : g) v.push_back(Conjunto(d.tipo, d.ancho, d.centro));
    return v;
}

// The oracle: FDP::Evaluar on a copy; a point where it throws has no degree.
bool PositivoSegunEvaluar(FDP f, double x) {
    try {
        f.Evaluar(x);
    } catch (const ErrorPuntoFlotante&) {
        return false;
    }
    return f.Leer_Grado() > 0;
}

bool AlgunoPositivo(const std::vector<FDP>& conjuntos, double x) {
    for (const FDP& f : conjuntos)
        if (PositivoSegunEvaluar(f, x)) return true;
    return false;
}

bool EnHueco(const std::vector<Hueco>& huecos, double x) {
    for (const Hueco& h : huecos)
        if (h.desde <= x && x <= h.hasta) return true;
    return false;
}

// The support's ends have a degree and the doubles just beyond them have none, as Evaluar decides.
void ComprobarBordes(const FDP& f, const Rango& s) {
    EXPECT_TRUE(PositivoSegunEvaluar(f, s.desde)) << s.desde;
    EXPECT_TRUE(PositivoSegunEvaluar(f, s.hasta)) << s.hasta;
    if (s.desde > -kMax) {
        EXPECT_FALSE(PositivoSegunEvaluar(f, Abajo(s.desde))) << s.desde;
    }
    if (s.hasta < kMax) {
        EXPECT_FALSE(PositivoSegunEvaluar(f, Arriba(s.hasta))) << s.hasta;
    }
}

}  // namespace

TEST(Cobertura, SoporteDeCadaFormaConSusBordesExactos) {
    struct Caso {
        FDP f;
        std::optional<Rango> soporte;
        const char* por_que;
    };
    const Caso casos[] = {
        {Conjunto(0, 1.25, 0.0), Rango{Arriba(-1.25), Abajo(1.25)}, "a triangle's feet have degree 1 - w/w = 0"},
        {Conjunto(1, 2.5, -3.75), Rango{-kMax, Abajo(-1.25)}, "left shoulder: flat to the far left"},
        {Conjunto(2, 2.5, 3.75), Rango{Arriba(1.25), kMax}, "right shoulder: flat to the far right"},
        {Conjunto(3, 0.0, 7.0), Rango{-kMax, kMax}, "constant one"},
        {Conjunto(0, 0.0, 1.0), std::nullopt, "width 0: Evaluar divides by zero (0 / 0 at the centre)"},
        {Conjunto(1, 0.0, 1.0), Rango{-kMax, Abajo(1.0)}, "width 0: only the flat side is left"},
        {Conjunto(2, 0.0, 1.0), Rango{1.0, kMax}, "width 0: the flat side starts at the centre itself"},
        {Conjunto(0, -1.0, 0.0), Rango{-kMax, kMax}, "negative width: 1 + d degrees everywhere"},
        {Conjunto(0, 1.0, kMax), Rango{kMax, kMax}, "the doubles next to the top one lie 2^971 away"},
        {Conjunto(7, 1.0, 0.0), std::nullopt, "unknown shape keeps its degree, 0"},
        {Conjunto(2, 1.0, std::nan("")), Rango{-kMax, kMax}, "x < NaN is false: the flat side everywhere"},
        {Conjunto(0, 1.0, INFINITY), std::nullopt, "an infinite distance: Evaluar overflows"},
        {Conjunto(1, 1.0, INFINITY), Rango{-kMax, kMax}, "every finite input lies left of +inf"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.por_que);
        const std::optional<Rango> s = Soporte(c.f);
        ASSERT_EQ(s.has_value(), c.soporte.has_value());
        if (!s) continue;
        EXPECT_EQ(s->desde, c.soporte->desde);
        EXPECT_EQ(s->hasta, c.soporte->hasta);
        ComprobarBordes(c.f, *s);
    }
}

TEST(Cobertura, BordesQueNoSonDoblesYAnchosRarosSeDecidenComoEvaluar) {
    // ends c +- w that no double holds, a tiny negative width whose degree overflows far out, a grado kept
    for (const FDP& f :
         {Conjunto(0, 0.2, 0.1), Conjunto(0, 0.1, -1.25), Conjunto(1, 0.3, 1e-3), Conjunto(2, 1e-300, 1e300),
          Conjunto(0, -1e-300, 0.0), Conjunto(2, -1e-300, 5.0), Conjunto(0, 1e-300, 1e20), Conjunto(0, 3.0, -1e-310)}) {
        SCOPED_TRACE(testing::Message() << f.Tipo << " " << f.Ancho << " " << f.Centro);
        const std::optional<Rango> s = Soporte(f);
        ASSERT_TRUE(s.has_value());
        ComprobarBordes(f, *s);
    }
    FDP guardado = Conjunto(9, 0.0, 0.0);
    guardado.Grado = 0.25;
    EXPECT_EQ(Soporte(guardado), (Rango{-kMax, kMax}));
}

TEST(Cobertura, LosConjuntosPorDefectoNoDejanHuecos) {
    for (const Definicion_Grupo* g : {&kError, &kDerivada}) {
        const std::vector<FDP> v = Grupo(*g);
        EXPECT_TRUE(Huecos(v, {-kMax, kMax}).empty());
        EXPECT_TRUE(Huecos(v, RangoEje(v)).empty());
    }
}

TEST(Cobertura, AnchosNeUnoZeDosDecimosPoUnoDejanDosHuecosCerrados) {
    // E_Ne_Ancho=1, E_Ze_Ancho=0.2, E_Po_Ancho=1: Ne reaches (-2.25, -0.25), Ze (-0.2, 0.2), Po (0.25, 2.25).
    // At a foot the degree is exactly 0, so each gap holds both its ends.
    std::vector<FDP> v = Grupo(kError);
    v[1].Ancho = 1;
    v[2].Ancho = 0.2;
    v[3].Ancho = 1;
    const std::vector<Hueco> h = Huecos(v, {-kMax, kMax});
    ASSERT_EQ(h.size(), 2u);
    EXPECT_EQ(h[0], (Hueco{-0.25, -0.2}));
    EXPECT_EQ(h[1], (Hueco{0.2, 0.25}));
    for (const Hueco& g : h) {
        EXPECT_FALSE(AlgunoPositivo(v, g.desde));
        EXPECT_FALSE(AlgunoPositivo(v, g.hasta));
        EXPECT_TRUE(AlgunoPositivo(v, Abajo(g.desde)));
        EXPECT_TRUE(AlgunoPositivo(v, Arriba(g.hasta)));
    }
    // within a range that cuts the first gap, the gap ends at the range
    EXPECT_EQ(Huecos(v, {-0.22, 0.0}), (std::vector<Hueco>{{-0.22, -0.2}}));
    // the range's ends are taken in order
    EXPECT_EQ(Huecos(v, {1.0, -1.0}), h);
    EXPECT_TRUE(Huecos(v, {-0.1, 0.1}).empty());
}

TEST(Cobertura, SinConjuntosQueCubranTodoElRangoEsUnHueco) {
    const std::vector<FDP> nada = {Conjunto(0, 0.0, 0.0), Conjunto(5, 1.0, 0.0)};
    EXPECT_EQ(Huecos(nada, {-3.0, 2.0}), (std::vector<Hueco>{{-3.0, 2.0}}));
    EXPECT_EQ(Huecos({}, {-INFINITY, INFINITY}), (std::vector<Hueco>{{-kMax, kMax}}));
    // two shoulders whose feet meet at 0: the distance 1 - |x| is formed at extended precision, where it is
    // below 1 down to |x| = 2^-64; at 2^-65 it is the tie between 1 - 2^-64 and 1, which goes to 1, degree 0
    const std::vector<FDP> tocan = {Conjunto(1, 1.0, -1.0), Conjunto(2, 1.0, 1.0)};
    EXPECT_EQ(Huecos(tocan, {-5.0, 5.0}), (std::vector<Hueco>{{-0x1p-65, 0x1p-65}}));
    // two triangles that meet where the distance is exact: the one point 0.5
    const std::vector<FDP> exactos = {Conjunto(0, 0.5, 0.0), Conjunto(0, 0.5, 1.0)};
    EXPECT_EQ(Huecos(exactos, {0.0, 1.0}), (std::vector<Hueco>{{0.5, 0.5}}));
}

TEST(Cobertura, HuecosContraUnBarridoDensoConEvaluar) {
    std::mt19937_64 azar(20240611);
    std::uniform_int_distribution<int> tipo(0, 3);
    std::uniform_real_distribution<double> ancho(-0.2, 1.5), centro(-4.0, 4.0), uno(0.0, 1.0);
    const Rango rango{-5.0, 5.0};
    int con_huecos = 0;
    for (int sistema = 0; sistema < 150; ++sistema) {
        std::vector<FDP> v;
        for (int k = 0; k < 5; ++k) {
            // mostly sloped shapes, now and then a width of exactly 0
            const int t = uno(azar) < 0.9 ? tipo(azar) % 3 : tipo(azar);
            const double w = uno(azar) < 0.05 ? 0.0 : ancho(azar);
            v.push_back(Conjunto(t, w, centro(azar)));
        }
        const std::vector<Hueco> h = Huecos(v, rango);
        con_huecos += !h.empty();
        for (std::size_t k = 0; k + 1 < h.size(); ++k) EXPECT_LT(Arriba(h[k].hasta), h[k + 1].desde);
        // every 1/1024 (exact doubles) and every gap's ends with their neighbours
        std::vector<double> puntos;
        for (int i = -5 * 1024; i <= 5 * 1024; ++i) puntos.push_back(i / 1024.0);
        for (const Hueco& g : h)
            for (double x : {g.desde, g.hasta, Abajo(g.desde), Arriba(g.hasta)})
                if (x >= rango.desde && x <= rango.hasta) puntos.push_back(x);
        for (double x : puntos) ASSERT_EQ(EnHueco(h, x), !AlgunoPositivo(v, x)) << "sistema " << sistema << " x " << x;
    }
    EXPECT_GT(con_huecos, 20) << "the random systems should exercise gaps";
}

TEST(Cobertura, RangoEjeMuestraTodosLosConjuntosConUnMargen) {
    const std::vector<FDP> e = Grupo(kError), de = Grupo(kDerivada), u = Grupo(kControl);
    // error: -3.75 - 2.5 to 3.75 + 2.5, a tenth of 12.5 on each side
    EXPECT_EQ(RangoEje(e), (Rango{-7.5, 7.5}));
    // derivative: -0.75 - 0.5 to 0.75 + 0.5, a tenth of 2.5 on each side
    EXPECT_EQ(RangoEje(de), (Rango{-1.5, 1.5}));
    // output: constant sets add only their centres, -0.75 to 0.75
    EXPECT_DOUBLE_EQ(RangoEje(u).desde, -0.9);
    EXPECT_DOUBLE_EQ(RangoEje(u).hasta, 0.9);
    // all at one point: one unit on each side
    EXPECT_EQ(RangoEje(std::vector<FDP>{Conjunto(3, 0.0, 2.0), Conjunto(0, 0.0, 2.0)}), (Rango{1.0, 3.0}));
    // a negative width counts by its size; a centre that is not finite is left out
    EXPECT_EQ(RangoEje(std::vector<FDP>{Conjunto(0, -1.0, 0.0), Conjunto(0, 1.0, std::nan(""))}), (Rango{-1.2, 1.2}));
    EXPECT_EQ(RangoEje({}), (Rango{-1.0, 1.0}));
    // at the edge of the doubles the ends stay finite
    const Rango r = RangoEje(std::vector<FDP>{Conjunto(0, kMax, kMax), Conjunto(0, kMax, -kMax)});
    EXPECT_EQ(r, (Rango{-kMax, kMax}));
}
