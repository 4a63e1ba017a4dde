// The exported controller read by the programs it is for: Debian's fuzzylite command evaluates the .fll, and
// Octave's fuzzy-logic-toolkit (readfis, evalfis) the .fis, on the control surface's 101 x 101 grid; both must
// give this program's Inferir within 1e-9, and fail (NaN) exactly where Inferir fails. The files read back give
// the dialog's texts. The figures go to the test's properties (--gtest_output=xml).
//
// Octave's evalfis takes about 15 ms a point (it checks every argument of every membership function it
// evaluates), so it evaluates every tenth row and column of the grid (121 points) unless
// TANQUE_OCTAVE_REJILLA_COMPLETA is set, which takes about five minutes.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "base/errores.h"
#include "core/textos_por_defecto.h"
#include "fuzzy/cobertura.h"
#include "fuzzy/formatos/formatos_fuzzy.h"
#include "fuzzy/superficie.h"
#include "tests/ayudas.h"
#include "tests/fuzzy/formatos_comun.h"
#include "tests/tools/proceso.h"

namespace {

constexpr double kCota = 1e-9;

// The dialog's default texts, from the program's own table.
TextosControlador TextosDelDialogo() {
    const TextosMapa mapa = TextosIniciales('.');
    TextosControlador t;
    for (const std::string& n : NombresControlador()) t.textos[n] = mapa.Texto(n);
    return t;
}

// A controller with constant input sets and gaps, where no rule fires.
TextosControlador ConHuecos() {
    std::mt19937_64 azar(2611);
    TextosControlador t = TextosControladorAlAzar(azar, 4);
    t.textos["E_Ze_Tipo"] = "3";
    t.textos["DE_MN_Tipo"] = "0";
    t.textos["DE_MP_Tipo"] = "0";
    return t;
}

void Escribir(const std::string& ruta, const std::string& texto) {
    std::ofstream(ruta, std::ios::binary) << texto;
}

std::string Leer(const std::string& ruta) {
    std::ostringstream s;
    s << std::ifstream(ruta, std::ios::binary).rdbuf();
    return s.str();
}

std::string Numero(double x) {
    char t[40];
    std::snprintf(t, sizeof t, "%.17g", x);
    return t;
}

// The surface of the texts, as the program's window computes it: Inferir over the sets' axes.
Superficie SuperficieDe(const TextosControlador& t) {
    const FIS f = SistemaDeTextos(t);
    return CalcularSuperficie(f, RangoEje(f.Conjuntos_E), RangoEje(f.Conjuntos_DE), 101, 101);
}

struct Cotejo {
    int comparados = 0, huecos = 0;
    double mayor = 0;
    std::string primera;  // the first disagreement
};

// One value of the other program against the surface's at (i, j).
void Cotejar(const Superficie& s, int i, int j, double otro, Cotejo& c) {
    const std::optional<double> nuestro = s.Valor(i, j);
    const bool coincide = nuestro ? std::abs(*nuestro - otro) <= kCota : std::isnan(otro) && *s.Fallo(i, j) == kOperacionInvalida;
    if (nuestro) c.mayor = std::max(c.mayor, std::abs(*nuestro - otro));
    ++(nuestro ? c.comparados : c.huecos);
    if (!coincide && c.primera.empty())
        c.primera = "e=" + Numero(s.E(i)) + " de=" + Numero(s.DE(j)) + " Inferir=" +
                    (nuestro ? Numero(*nuestro) : *s.Fallo(i, j)) + " otro=" + Numero(otro);
}

// The values of a file of numbers, one per line or per field, in order.
std::vector<double> Numeros(const std::string& texto) {
    std::vector<double> v;
    std::istringstream s(texto);
    for (std::string palabra; s >> palabra;) v.push_back(std::strtod(palabra.c_str(), nullptr));
    return v;
}

}  // namespace

TEST(FormatosFuera, FuzzyliteEvaluaElFllComoInferir) {
    const std::vector<TextosControlador> controladores = {TextosDelDialogo(), ConHuecos()};
    for (const TextosControlador& t : controladores) {
        const Superficie s = SuperficieDe(t);
        const std::string fll = ArchivoDeLaPrueba("controlador.fll"), datos = ArchivoDeLaPrueba("rejilla.fld"),
                          salida = ArchivoDeLaPrueba("salida.fld");
        const std::string archivo = ExportarControlador(FormatoFuzzy::Fll, t);
        Escribir(fll, archivo);
        std::string rejilla = "error derivada_error\n";
        for (int j = 0; j < 101; ++j)
            for (int i = 0; i < 101; ++i) rejilla += Numero(s.E(i)) + " " + Numero(s.DE(j)) + "\n";
        Escribir(datos, rejilla);
        const Final f = Correr(TANQUE_FUZZYLITE, {"-i", fll, "-of", "fld", "-d", datos, "-o", salida, "-decimals", "17",
                                                  "-dheader", "false", "-dinputs", "false"});
        ASSERT_TRUE(f.salio && f.estado == 0) << Describir(f);
        const std::vector<double> u = Numeros(Leer(salida));
        ASSERT_EQ(u.size(), 101u * 101u);
        Cotejo c;
        for (int j = 0; j < 101; ++j)
            for (int i = 0; i < 101; ++i) Cotejar(s, i, j, u[static_cast<std::size_t>(j * 101 + i)], c);
        EXPECT_EQ(c.primera, "") << archivo;
        EXPECT_EQ(c.comparados + c.huecos, 101 * 101);
        RecordProperty("fuzzylite" + std::to_string(&t - &controladores[0]), std::to_string(c.comparados) + " puntos, diferencia mayor " + Numero(c.mayor) +
                                        ", " + std::to_string(c.huecos) + " sin reglas");
        EXPECT_EQ(ImportarControlador(FormatoFuzzy::Fll, Leer(fll), fll, '.').textos, t.textos);
        for (const std::string& r : {fll, datos, salida}) std::remove(r.c_str());
    }
}

TEST(FormatosFuera, OctaveEvaluaElFisComoInferir) {
    const int paso = std::getenv("TANQUE_OCTAVE_REJILLA_COMPLETA") ? 1 : 10;
    const std::vector<TextosControlador> controladores = {TextosDelDialogo(), ConHuecos()};
    // one Octave for both files: its start and the toolkit's loading take a second or two
    std::string guion = "pkg load fuzzy-logic-toolkit;\n";
    std::vector<std::string> temporales;
    for (std::size_t n = 0; n < controladores.size(); ++n) {
        const Superficie s = SuperficieDe(controladores[n]);
        const std::string fis = ArchivoDeLaPrueba("controlador" + std::to_string(n) + ".fis"),
                          datos = ArchivoDeLaPrueba("rejilla" + std::to_string(n) + ".txt"),
                          salida = ArchivoDeLaPrueba("salida" + std::to_string(n) + ".txt");
        Escribir(fis, ExportarControlador(FormatoFuzzy::Fis, controladores[n]));
        std::string rejilla;
        for (int j = 0; j < 101; j += paso)
            for (int i = 0; i < 101; i += paso) rejilla += Numero(s.E(i)) + " " + Numero(s.DE(j)) + "\n";
        Escribir(datos, rejilla);
        // evalfis stops with an error where no rule fires: NaN there, point by point
        guion += "f = readfis('" + fis + "'); d = load('-ascii', '" + datos + "'); u = zeros(rows(d), 1);\n"
                 "for k = 1:rows(d) try u(k) = evalfis(d(k, :), f); catch u(k) = NaN; end end\n"
                 "h = fopen('" + salida + "', 'w'); fprintf(h, '%.17g\\n', u); fclose(h);\n";
        temporales.insert(temporales.end(), {fis, datos, salida});
    }
    const Final f = Correr(TANQUE_OCTAVE, {"--no-gui", "--norc", "--silent", "--eval", guion});
    ASSERT_TRUE(f.salio && f.estado == 0) << Describir(f) << f.salida;
    for (std::size_t n = 0; n < controladores.size(); ++n) {
        const Superficie s = SuperficieDe(controladores[n]);
        const std::vector<double> u = Numeros(Leer(temporales[3 * n + 2]));
        const int lado = (100 / paso) + 1;
        ASSERT_EQ(u.size(), static_cast<std::size_t>(lado * lado));
        Cotejo c;
        for (int j = 0, m = 0; j < 101; j += paso)
            for (int i = 0; i < 101; i += paso) Cotejar(s, i, j, u[static_cast<std::size_t>(m++)], c);
        EXPECT_EQ(c.primera, "") << Leer(temporales[3 * n]);
        RecordProperty("octave" + std::to_string(n), std::to_string(c.comparados) + " puntos, diferencia mayor " +
                                                        Numero(c.mayor) + ", " + std::to_string(c.huecos) + " sin reglas");
        EXPECT_EQ(ImportarControlador(FormatoFuzzy::Fis, Leer(temporales[3 * n]), "x.fis", '.').textos,
                  controladores[n].textos);
    }
    for (const std::string& r : temporales) std::remove(r.c_str());
}
