// The bad-input table of the fuzzy initialisation: its 45 set edits and 25 rule cells against the texts
// that no reader should take, one test case per row. Each row states the field, the bad text with its
// decimal separator and the outcome it expects: the exact message and how far the controller was built, or
// a 0 stored as "0" would store it (compared with a twin initialised from "0").

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/core/entradas_malas.h"
#include "tests/core/foto.h"

namespace {

// The fifteen sets in reading order, and what the initialisation says when a set's width reads as 0: an
// input set (each default one has a sloped side) is refused; an output set is never evaluated and takes it.
struct ConjuntoFuzzy {
    const char* nombre;
    const char* anchoCero;  // nullptr: a width of 0 is stored
};
const ConjuntoFuzzy kConjuntosFuzzy[] = {
    {"E_MN", "El conjunto MN de Error tiene ancho 0"},
    {"E_Ne", "El conjunto Ne de Error tiene ancho 0"},
    {"E_Ze", "El conjunto Ze de Error tiene ancho 0"},
    {"E_Po", "El conjunto Po de Error tiene ancho 0"},
    {"E_MP", "El conjunto MP de Error tiene ancho 0"},
    {"DE_MN", "El conjunto MN de Derivada Error tiene ancho 0"},
    {"DE_Ne", "El conjunto Ne de Derivada Error tiene ancho 0"},
    {"DE_Ze", "El conjunto Ze de Derivada Error tiene ancho 0"},
    {"DE_Po", "El conjunto Po de Derivada Error tiene ancho 0"},
    {"DE_MP", "El conjunto MP de Derivada Error tiene ancho 0"},
    {"U_MN", nullptr},
    {"U_Ne", nullptr},
    {"U_Ze", nullptr},
    {"U_Po", nullptr},
    {"U_MP", nullptr},
};
constexpr int kNumConjuntos = 15;

struct CampoFuzzy {
    std::string nombre;
    bool entero;            // a set's type and a rule cell are integers
    int conjunto;           // the sets before this one are defined when the field fails (15 for a rule cell)
    int celda;              // the rules before this one are read when the field fails (-1 for a set's edit)
    const char* anchoCero;  // a set's width: what a 0 says
};

// In the order of the read: type, width and centre of each set, then the cells row by row.
const std::vector<CampoFuzzy>& CamposFuzzy() {
    static const std::vector<CampoFuzzy> campos = [] {
        std::vector<CampoFuzzy> c;
        for (int s = 0; s < kNumConjuntos; ++s) {
            const std::string n = kConjuntosFuzzy[s].nombre;
            c.push_back({n + "_Tipo", true, s, -1, nullptr});
            c.push_back({n + "_Ancho", false, s, -1, kConjuntosFuzzy[s].anchoCero});
            c.push_back({n + "_Centro", false, s, -1, nullptr});
        }
        for (int fila = 1; fila <= 5; ++fila)
            for (int columna = 1; columna <= 5; ++columna)
                c.push_back({NombreCelda(columna, fila), true, kNumConjuntos, (fila - 1) * 5 + columna - 1, nullptr});
        return c;
    }();
    return campos;
}

struct FilaFuzzy {
    const CampoFuzzy* campo;
    const TextoMalo* texto;
    // Expected: the initialisation's message; or, when there is none, a 0 stored as "0" would store it.
    std::string_view mensaje;
};

std::string Nombre(const FilaFuzzy& f) { return f.campo->nombre + "_" + f.texto->nombre; }

void PrintTo(const FilaFuzzy& f, std::ostream* os) {
    *os << f.campo->nombre << " = '" << Corto(f.texto->texto) << "' (decimal '" << f.texto->decimal << "'): ";
    if (f.mensaje.empty()) {
        *os << "0, a complete initialisation";
    } else {
        *os << "'" << Corto(f.mensaje) << "'";
    }
}

std::vector<FilaFuzzy> FilasFuzzy() {
    std::vector<FilaFuzzy> filas;
    for (const CampoFuzzy& c : CamposFuzzy())
        for (const TextoMalo& t : TextosMalos()) {
            if (c.entero) {
                filas.push_back({&c, &t, t.comoEntero});
            } else if (t.comoFlotante.efecto == ComoFlotante::NoConvierte) {
                filas.push_back({&c, &t, t.comoFlotante.mensaje});
            } else if (t.comoFlotante.efecto == ComoFlotante::Cero) {
                filas.push_back({&c, &t, c.anchoCero != nullptr ? c.anchoCero : std::string_view{}});
            }  // a text that converts is a good width or centre
        }
    return filas;
}

// A first initialisation whose rules all name set 4, to tell apart the rules that the next one reaches;
// the default texts are back afterwards.
FIS PrimeraInicializacion(Banco& b) {
    const TextosMapa porDefecto = b.textos;
    for (int i = 0; i < 25; ++i) b.textos.PonerCelda(i % 5 + 1, i / 5 + 1, "4");
    b.sim.ToolButton11Click();
    b.textos = porDefecto;
    return b.sim.Controlador_Fuzzy();
}

const std::vector<FDP>& Grupo(const FIS& f, int s) {
    return s < 5 ? f.Conjuntos_E : s < 10 ? f.Conjuntos_DE : f.Conjuntos_U;
}
const FDP& ConjuntoDe(const FIS& f, int s) { return Grupo(f, s)[static_cast<std::size_t>(s % 5)]; }

::testing::AssertionResult MismoConjunto(const FDP& a, const FDP& b) {
    if (a.Tipo != b.Tipo || Bits(a.Ancho) != Bits(b.Ancho) || Bits(a.Centro) != Bits(b.Centro))
        return ::testing::AssertionFailure() << "(" << a.Tipo << ", " << a.Ancho << ", " << a.Centro << ") vs ("
                                             << b.Tipo << ", " << b.Ancho << ", " << b.Centro << ")";
    return ::testing::AssertionSuccess();
}

class InicializacionFuzzy : public ::testing::TestWithParam<FilaFuzzy> {};

}  // namespace

TEST_P(InicializacionFuzzy, EditsYCeldas) {
    const FilaFuzzy& f = GetParam();
    const CampoFuzzy& c = *f.campo;
    Banco b(f.texto->decimal);
    const TextosMapa porDefecto = b.textos;
    const FIS primera = PrimeraInicializacion(b);
    b.textos.Poner(c.nombre, f.texto->texto);
    const Foto antes = Tomar(b.sim);
    b.sim.Atender([&] { b.sim.ToolButton11Click(); });

    const FIS& fis = b.sim.Controlador_Fuzzy();
    if (!f.mensaje.empty()) {
        EXPECT_EQ(Desde(b, 0), Lista({f.mensaje}));
        EXPECT_FALSE(b.sim.FuzzyInicializado());
        // the sets before the failing one are defined, it and those after are as created; the rules before
        // the failing cell are read, the others keep what they named
        for (int s = 0; s < kNumConjuntos; ++s)
            EXPECT_TRUE(MismoConjunto(ConjuntoDe(fis, s), s < c.conjunto ? ConjuntoDe(primera, s) : FDP()))
                << "set " << kConjuntosFuzzy[s].nombre;
        for (int i = 0; i < 25; ++i)
            EXPECT_EQ(fis.Tabla_Reglas[i / 5][i % 5], i < c.celda ? kReglasPorDefecto[i / 5][i % 5] : 4)
                << "rule " << i;
    } else {
        EXPECT_EQ(Desde(b, 0), Lista({}));
        EXPECT_TRUE(b.sim.FuzzyInicializado());
        // the twin: the same initialisations, with "0" in the field
        Banco g(f.texto->decimal);
        PrimeraInicializacion(g);
        g.textos.Poner(c.nombre, "0");
        g.sim.Atender([&] { g.sim.ToolButton11Click(); });
        ASSERT_EQ(Desde(g, 0), Lista({}));
        const FIS& cero = g.sim.Controlador_Fuzzy();
        for (int s = 0; s < kNumConjuntos; ++s)
            EXPECT_TRUE(MismoConjunto(ConjuntoDe(fis, s), ConjuntoDe(cero, s))) << "set " << kConjuntosFuzzy[s].nombre;
        for (int i = 0; i < 25; ++i) EXPECT_EQ(fis.Tabla_Reglas[i / 5][i % 5], kReglasPorDefecto[i / 5][i % 5]);
    }
    EXPECT_TRUE(Iguales(Tomar(b.sim), antes));  // the runs' state is not the initialisation's

    // put right, the initialisation and the fuzzy run work
    b.textos = porDefecto;
    b.sim.Atender([&] { b.sim.ToolButton11Click(); });
    EXPECT_TRUE(b.sim.FuzzyInicializado());
    Toggle(b, Corrida::Fuzzy);
    SigueFuncionando(b, Corrida::Fuzzy);
}

INSTANTIATE_TEST_SUITE_P(Inicializar, InicializacionFuzzy, ::testing::ValuesIn(FilasFuzzy()), PorNombre());
