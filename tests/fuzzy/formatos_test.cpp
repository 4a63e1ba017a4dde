// The controller's files: exported and imported back into identical texts, what does not fit named with its
// line, what no format can hold refused with its text. The outside programs that read the files are in
// formatos_fuera_test.cpp.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/errores.h"
#include "fuzzy/formatos/decimal.h"
#include "fuzzy/formatos/formatos_fuzzy.h"
#include "tests/ayudas.h"
#include "tests/fuzzy/formatos_comun.h"

namespace {

constexpr FormatoFuzzy kFormatos[] = {FormatoFuzzy::Fis, FormatoFuzzy::Fll, FormatoFuzzy::Fcl};
const char* Extension(FormatoFuzzy f) { return f == FormatoFuzzy::Fis ? "fis" : f == FormatoFuzzy::Fll ? "fll" : "fcl"; }

std::string Decimal_(const char* a, const char* op, const char* b) {
    const Decimal x = *LeerDecimal(a, '.'), y = *LeerDecimal(b, '.');
    return TextoDecimal(*op == '+' ? Sumar(x, y) : Restar(x, y));
}

// The line (from 1) where `fragmento` first appears.
std::size_t LineaDe(const std::string& texto, const std::string& fragmento) {
    const auto i = texto.find(fragmento);
    return i == std::string::npos ? 0 : 1 + static_cast<std::size_t>(std::count(texto.begin(), texto.begin() + i, '\n'));
}

}  // namespace

TEST(Decimal, SumaRestaYEscribeExacto) {
    struct Caso {
        const char* a;
        const char* op;
        const char* b;
        const char* resultado;
    };
    const Caso casos[] = {
        {"0.1", "-", "0.3", "-0.2"},         // in Doubles 0.1 - 0.3 is -0.19999999999999998
        {"-1.25", "-", "1.25", "-2.5"},
        {"1.25", "+", "-1.25", "0"},         // zero has no sign
        {"1e-7", "+", "0", "1e-7"},          // beyond six zeros after the point: scientific
        {"0.000001", "+", "0", "0.000001"},
        {"2.5e21", "+", "0", "2.5e+21"},
        {"1e21", "-", "1", "999999999999999999999"},
        {"+.5", "+", "5.", "5.5"},           // the edits' grammar: sign, point without digits on one side
    };
    for (const Caso& c : casos) EXPECT_EQ(Decimal_(c.a, c.op, c.b), c.resultado) << c.a << c.op << c.b;
    // far apart, every digit in between is kept: "1." and 399 zeros before the last 1
    EXPECT_EQ(Decimal_("1", "+", "1e-400"), "1." + std::string(399, '0') + "1");
    for (const char* malo : {"", "-", "1..2", "1e", "1e+", "e5", "1,5", "inf", "nan", "1e100001"})
        EXPECT_FALSE(LeerDecimal(malo, '.')) << malo;
    EXPECT_EQ(TextoDecimal(*LeerDecimal(" -3,75 ", ','), ','), "-3,75");
    EXPECT_EQ(ADoble(*LeerDecimal("1e-400", '.')), 0.0);
    EXPECT_EQ(ADoble(*LeerDecimal("-1e400", '.')), -INFINITY);
}

// Export, import: the same 73 texts, with either decimal separator, for the defaults and for random
// controllers; and shapes that only some formats carry in their own terms travel as notes.
TEST(FormatosFuzzy, ExportadoEImportadoDaLosMismosTextos) {
    std::mt19937_64 azar(26);
    std::vector<TextosControlador> controladores = {TextosControladorPorDefecto(), TextosControladorPorDefecto(',')};
    for (int n = 0; n < 30; ++n) controladores.push_back(TextosControladorAlAzar(azar));
    TextosControlador raros = TextosControladorPorDefecto();
    raros.textos["E_Ze_Centro"] = "1e-7";  // numbers whose corners a Double would round
    raros.textos["E_Po_Centro"] = "0.3";
    raros.textos["E_Po_Ancho"] = "0.1";
    raros.textos["DE_MP_Centro"] = "2.5e+21";
    raros.textos["U_Ne_Tipo"] = "-4";  // a control set is never evaluated: any shape, any width
    raros.textos["U_Ne_Ancho"] = "-0.5";
    controladores.push_back(raros);
    for (const TextosControlador& t : controladores)
        for (const FormatoFuzzy f : kFormatos) {
            const std::string archivo = ExportarControlador(f, t);
            const TextosControlador vuelta = ImportarControlador(f, archivo, "x", t.decimal);
            EXPECT_EQ(vuelta.decimal, t.decimal);
            EXPECT_EQ(vuelta.textos, t.textos) << Extension(f) << ":\n" << archivo;
        }
}

TEST(FormatosFuzzy, SinNotasLasSalidasSonConstantesYNoHayGanancias) {
    for (const FormatoFuzzy f : kFormatos) {
        std::string archivo = ExportarControlador(f, TextosControladorPorDefecto());
        std::string sin_notas;
        PorLineas(archivo, [&](std::string_view l, std::size_t) {
            if (l.find("tanque:") == std::string_view::npos) (sin_notas += l) += "\n";
        });
        const TextosControlador t = ImportarControlador(f, sin_notas, "x", '.');
        for (const char* g : kGanancias) EXPECT_EQ(t.textos.count(g), 0u) << Extension(f);
        TextosControlador esperado = TextosControladorPorDefecto();
        for (const char* g : kGanancias) esperado.textos.erase(g);
        EXPECT_EQ(t.textos, esperado.textos) << Extension(f);  // the defaults' control sets are constant, width 0
    }
}

TEST(FormatosFuzzy, FormatoPorLaExtension) {
    EXPECT_EQ(FormatoFuzzyDe("a/b/reglas.FIS"), FormatoFuzzy::Fis);
    EXPECT_EQ(FormatoFuzzyDe("c.fll"), FormatoFuzzy::Fll);
    EXPECT_EQ(FormatoFuzzyDe("c.Fcl"), FormatoFuzzy::Fcl);
    EXPECT_EQ(FormatoFuzzyDe("c.txt"), std::nullopt);
    EXPECT_EQ(FormatoFuzzyDe("c.fis/d"), std::nullopt);
    EXPECT_EQ(FormatoFuzzyDe("fis"), std::nullopt);
}

// What no format can hold: the message and the text that holds it.
TEST(FormatosFuzzy, LoQueNingunFormatoExpresaSeRechazaConSuTexto) {
    struct Caso {
        const char* nombre;
        const char* texto;
        const char* mensaje;
        bool solo_fis = false;
    };
    const Caso casos[] = {
        {"E_Ze_Ancho", "0", "El conjunto Ze de Error tiene ancho 0"},
        {"E_Po_Ancho", "1e-400", "El conjunto Po de Error tiene ancho 0"},  // 0 as a Double, as the controller reads it
        {"DE_Po_Ancho", "-1", "El conjunto Po de Derivada Error tiene ancho negativo (-1): sus grados pasarían de 1, "
                              "y ningún otro programa los da"},
        {"E_MN_Tipo", "7", "El conjunto MN de Error es de tipo 7: solo los tipos 0 a 3 tienen forma en otros programas"},
        {"E_MN_Tipo", "1.5", "'1.5' is not a valid integer value"},
        {"KU", "x", "'x' is not a valid floating point value"},
        {"Reglas_3_4", "5", "La regla de la fila Ze y la columna Po nombra el conjunto 5; debe estar entre 0 y 4"},
        {"U_MP_Centro", "1e400", "Floating point overflow"},
        {"E_MP_Centro", "1e308",
         "El conjunto MP de Error tiene una esquina más allá de ±5e307, donde .fis pone el lado plano de un hombro", true},
        {"E_Ze_Centro", "1e20",
         "El conjunto Ze de Error es demasiado estrecho para su centro: sus esquinas no son tres números distintos de "
         "doble precisión",
         true},
    };
    for (const Caso& c : casos)
        for (const FormatoFuzzy f : kFormatos) {
            TextosControlador t = TextosControladorPorDefecto();
            t.textos[c.nombre] = c.texto;
            std::string campo;
            const std::string mensaje = TextoDelError<ErrorTanque>([&] {
                try {
                    ExportarControlador(f, t);
                } catch (const ErrorTanque& e) {
                    campo = e.Campo();
                    throw;
                }
            });
            if (c.solo_fis && f != FormatoFuzzy::Fis) {
                EXPECT_EQ(mensaje, "(sin error)") << c.nombre << " in ." << Extension(f);
                continue;
            }
            EXPECT_EQ(mensaje, c.mensaje) << c.nombre << " in ." << Extension(f);
            if (!c.solo_fis) {
                EXPECT_EQ(campo, c.nombre) << c.mensaje;
            }
        }
}

// A file of another program that does not fit: the exported defaults with one change, and the message. {L} is
// the line of the change, {L:text} the line where `text` first appears in the changed file.
TEST(FormatosFuzzy, LoQueNoEncajaSeNombraConSuLinea) {
    struct Caso {
        FormatoFuzzy formato;
        const char* buscar;
        const char* poner;
        const char* mensaje;
    };
    const Caso casos[] = {
        {FormatoFuzzy::Fis, "Type='sugeno'", "Type='mamdani'",
         "{L}: Type es 'mamdani'; este controlador es de tipo Sugeno, con salidas constantes"},
        {FormatoFuzzy::Fis, "AggMethod='sum'", "AggMethod='max'", "{L}: AggMethod es 'max'; cada regla cuenta por sí misma en la media"},
        {FormatoFuzzy::Fis, "NumInputs=2", "NumInputs=3", "{L}: NumInputs es '3'; este controlador tiene 2 entradas (error y derivada)"},
        {FormatoFuzzy::Fis, "[-2.5 -1.25 0]", "[-2.5 -1.25 0.5]",
         "{L}: el conjunto 2 de Error es un triángulo de lados distintos (1.25 y 1.75); los de este controlador son simétricos"},
        {FormatoFuzzy::Fis, "'trimf',[-2.5 -1.25 0]", "'gaussmf',[0.5 -1.25]",
         "{L}: el conjunto 2 de Error es 'gaussmf'; este controlador tiene 'trimf' y 'trapmf' con un lado hasta ±1e308"},
        {FormatoFuzzy::Fis, "[-1.25 0 1.25]", "[0 0 0]", "{L}: El conjunto Ze de Error tiene ancho 0"},
        {FormatoFuzzy::Fis, "[-1.25 0 1.25]", "[-1.25 0 1e999]",
         "{L}: el parámetro, «1e999», no cabe en un número de doble precisión"},
        {FormatoFuzzy::Fis, "'constant',[-0.75]", "'linear',[1 0 -0.75]",
         "{L}: el conjunto 1 de Control es 'linear'; las salidas de este controlador son 'constant'"},
        {FormatoFuzzy::Fis, "1 1, 1 (1) : 1", "1 1, 1 (0.5) : 1", "{L}: el peso es 0.5; en este controlador todas pesan 1"},
        {FormatoFuzzy::Fis, "1 1, 1 (1) : 1", "1 1, 1 (1) : 2",
         "{L}: la conexión no es 1 (AND): este controlador une sus dos entradas con el mínimo"},
        {FormatoFuzzy::Fis, "1 1, 1 (1) : 1", "1 0, 1 (1) : 1",
         "{L}: el conjunto de Derivada Error es 0; debe ser uno de los 5 (1 a 5), sin negación"},
        {FormatoFuzzy::Fis, "1 2, 1 (1) : 1", "1 1, 1 (1) : 1",
         "{L}: la regla de MN y MN (error y derivada) ya está en la línea {L:1 1, 1 (1) : 1}"},
        {FormatoFuzzy::Fis, "1 1, 1 (1) : 1\n", "",
         ": falta la regla de MN y MN (error y derivada): este controlador tiene una regla por cada par de conjuntos"},
        {FormatoFuzzy::Fis, "% tanque: KE = 1", "% tanque: KX = 1",
         "{L}: «KX» no es un texto del controlador que una nota pueda dar"},
        {FormatoFuzzy::Fis, "% tanque: KE = 1", "% tanque: E_Ze_Centro = 1",
         "{L}: E_Ze_Centro está en el archivo mismo (línea {L:MF3='Ze'}); una nota no lo cambia"},
        {FormatoFuzzy::Fis, "% tanque: U_MN_Tipo = 3", "% tanque: U_MN_Tipo = tres",
         "{L}: el tipo «tres» de U_MN_Tipo no es un número entero"},
        {FormatoFuzzy::Fll, "conjunction: Minimum", "conjunction: AlgebraicProduct",
         "{L}: conjunction: AlgebraicProduct; este controlador une sus entradas con Minimum"},
        {FormatoFuzzy::Fll, "activation: General", "activation: Highest 2",
         "{L}: activation: Highest 2; en este controlador todas las reglas cuentan (General)"},
        {FormatoFuzzy::Fll, "defuzzifier: WeightedAverage TakagiSugeno", "defuzzifier: Centroid 100",
         "{L}: defuzzifier: Centroid 100; este controlador da la media de los centros pesada por las fuerzas "
         "(WeightedAverage TakagiSugeno)"},
        {FormatoFuzzy::Fll, "term: Ne Triangle -2.5 -1.25 0", "term: Ne Gaussian -1.25 0.5",
         "{L}: el término Ne (Gaussian) no es una forma de este controlador: Triangle, Ramp o Constant 1"},
        {FormatoFuzzy::Fll, "term: Ne Triangle -2.5 -1.25 0", "term: Ne Triangle -2.5 -1.25 0 0.5",
         "{L}: el término Ne (Triangle) debe tener 3 parámetros y altura 1"},
        {FormatoFuzzy::Fll, "lock-range: false", "lock-range: true",
         "{L}: lock-range: true recorta la variable a su rango; este controlador no la recorta"},
        {FormatoFuzzy::Fll, "rule: if error is MN and derivada_error is MN", "rule: if error is MN or derivada_error is MN",
         "{L}: se esperaba «if entrada is término and entrada is término then salida is término»: este controlador no "
         "tiene otras reglas (ni or, ni not, ni very)"},
        {FormatoFuzzy::Fll, "rule: if error is MN and derivada_error is MN", "rule: if error is XX and derivada_error is MN",
         "{L}: «XX» no es un término de error"},
        {FormatoFuzzy::Fll, "  term: MP Ramp 1.25 3.75\n", "  term: MP Ramp 1.25 3.75\n  term: XX Constant 1\n",
         "{L:term: XX}: la variable error tiene más de 5 términos"},
        {FormatoFuzzy::Fll, "Engine: tanque", "Motor: tanque", "{L}: «Motor:» antes de Engine: este no es un archivo .fll"},
        {FormatoFuzzy::Fcl, "ACCU : NSUM;", "ACCU : MAX;",
         "{L}: ACCU : max; este controlador suma las reglas que nombran un mismo conjunto (NSUM)"},
        {FormatoFuzzy::Fcl, "METHOD : COGS;", "METHOD : COG;",
         "{L}: METHOD : cog; este controlador da el centro de sus singletons (COGS)"},
        {FormatoFuzzy::Fcl, "AND : MIN;", "AND : PROD;", "{L}: AND : prod; este controlador une sus entradas con el mínimo (MIN)"},
        {FormatoFuzzy::Fcl, "(-2.5, 0) (-1.25, 1) (0, 0)", "(-2.5, 0) (-1.25, 1) (0.5, 0)",
         "{L}: el término es un triángulo de lados distintos (1.25 y 1.75); los de este controlador son simétricos"},
        {FormatoFuzzy::Fcl, "(-2.5, 0) (-1.25, 1) (0, 0)", "(-2.5, 0.5) (-1.25, 1)",
         "{L}: los puntos no son una forma de este controlador: (a, 0) (c, 1) (b, 0) con c en medio, (c, 1) (b, 0), "
         "(a, 0) (c, 1), o (c, 1)"},
        {FormatoFuzzy::Fcl, "IF error IS MN AND derivada_error IS MN", "IF error IS MN OR derivada_error IS MN",
         "{L}: se esperaba AND: este controlador no tiene otras reglas (ni OR, ni NOT)"},
        {FormatoFuzzy::Fcl, "ACCU : NSUM;", "(* ACCU : NSUM;",
         "{L}: un comentario «(*» que no se cierra"},
    };
    for (const Caso& c : casos) {
        const std::string original = ExportarControlador(c.formato, TextosControladorPorDefecto());
        std::string archivo = original;
        const auto donde = archivo.find(c.buscar);
        ASSERT_NE(donde, std::string::npos) << c.buscar;
        archivo.replace(donde, std::string(c.buscar).size(), c.poner);
        // the expected message, its line numbers filled in
        std::string esperado = c.mensaje;
        for (std::size_t i; (i = esperado.find("{L")) != std::string::npos;) {
            const std::size_t fin = esperado.find('}', i);
            const std::string que = esperado.substr(i + 2, fin - i - 2);
            const std::size_t linea = que.empty() ? LineaDe(original, c.buscar) : LineaDe(archivo, que.substr(1));
            esperado.replace(i, fin - i + 1, std::to_string(linea));
        }
        const std::string nombre = std::string("x.") + Extension(c.formato);
        esperado = nombre + (esperado[0] == ':' ? "" : ", línea ") + esperado;
        EXPECT_EQ(TextoDelError<ErrorImportacion>([&] { ImportarControlador(c.formato, archivo, nombre, '.'); }), esperado)
            << c.buscar << " -> " << c.poner;
    }
}

// Files that are not of their format at all.
TEST(FormatosFuzzy, UnArchivoQueNoEsDelFormatoLoDice) {
    const std::pair<FormatoFuzzy, const char*> casos[] = {
        {FormatoFuzzy::Fis, "x.fis, línea 1: una línea antes de [System]: este no es un archivo .fis"},
        {FormatoFuzzy::Fll, "x.fll, línea 1: se esperaba «clave: valor»"},
        {FormatoFuzzy::Fcl, "x.fcl, línea 1: se esperaba FUNCTION_BLOCK"},
    };
    for (const auto& [formato, mensaje] : casos) {
        const std::string nombre = std::string("x.") + Extension(formato);
        EXPECT_EQ(TextoDelError<ErrorImportacion>([&] { ImportarControlador(formato, "hola", nombre, '.'); }), mensaje);
        EXPECT_NE(TextoDelError<ErrorImportacion>([&] { ImportarControlador(formato, "", nombre, '.'); }), "(sin error)");
    }
}

// IEC 61131-7 reads a set's points as straight lines between them, the first and the last degree held beyond
// them. No program on Debian reads .fcl by the standard, so the standard's reading is done here, on the
// exported points of the defaults and of random controllers, against FDP::Evaluar.
TEST(FormatosFuzzy, LosPuntosDelFclDanLosGradosDeFdp) {
    std::mt19937_64 azar(61131);
    std::vector<TextosControlador> controladores = {TextosControladorPorDefecto()};
    for (int n = 0; n < 20; ++n) controladores.push_back(TextosControladorAlAzar(azar));
    std::uniform_real_distribution<double> entrada(-7.0, 7.0);
    for (const TextosControlador& t : controladores) {
        FIS f = SistemaDeTextos(t);
        std::vector<FDP*> conjuntos;
        for (FDP& c : f.Conjuntos_E) conjuntos.push_back(&c);
        for (FDP& c : f.Conjuntos_DE) conjuntos.push_back(&c);
        const std::string fcl = ExportarControlador(FormatoFuzzy::Fcl, t);
        std::size_t n = 0;
        PorLineas(fcl, [&](std::string_view linea, std::size_t) {
            if (linea.find("TERM") == std::string_view::npos || linea.find(":= (") == std::string_view::npos) return;
            std::vector<std::pair<double, double>> p;
            for (std::size_t i = linea.find('('); i != std::string_view::npos; i = linea.find('(', i + 1))
                p.emplace_back(std::strtod(std::string(linea.substr(i + 1)).c_str(), nullptr),
                               std::strtod(std::string(linea.substr(linea.find(',', i) + 1)).c_str(), nullptr));
            const auto grado = [&](double x) {
                if (x <= p.front().first) return p.front().second;
                if (x >= p.back().first) return p.back().second;
                std::size_t k = 0;
                while (x > p[k + 1].first) ++k;
                return p[k].second + (p[k + 1].second - p[k].second) * (x - p[k].first) / (p[k + 1].first - p[k].first);
            };
            FDP& conjunto = *conjuntos.at(n++);
            for (int m = 0; m < 200; ++m) {
                const double x = m < 3 ? p[static_cast<std::size_t>(m) % p.size()].first : entrada(azar);
                conjunto.Evaluar(x);
                EXPECT_NEAR(conjunto.Leer_Grado(), grado(x), 1e-12) << linea << " x=" << x;
            }
        });
        EXPECT_EQ(n, 10u);
    }
}
