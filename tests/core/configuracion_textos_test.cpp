// The set-up taken from the texts of now: every name once, in the file's order; an edit that the texts do not
// have is left out, a cell never; and what is taken is read back as it was.

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "core/configuracion.h"
#include "core/configuracion_textos.h"
#include "core/textos_mapa.h"
#include "core/textos_por_defecto.h"

namespace {

std::string Celda(int fila, int columna) {
    char n[32];
    std::snprintf(n, sizeof n, "Reglas_%d_%d", fila, columna);
    return n;
}

TEST(ConfiguracionTextos, LosNombresSonLaTablaYLuegoLasCeldasPorFilas) {
    const auto& nombres = NombresConfiguracion();
    const auto tabla = TextosPorDefecto();
    ASSERT_EQ(nombres.size(), tabla.size() + 25);
    for (std::size_t i = 0; i < tabla.size(); ++i) EXPECT_EQ(nombres[i], tabla[i].nombre) << i;
    std::size_t i = tabla.size();
    for (int fila = 1; fila <= 5; ++fila)
        for (int columna = 1; columna <= 5; ++columna) EXPECT_EQ(nombres[i++], Celda(fila, columna));
    EXPECT_EQ(std::set<std::string>(nombres.begin(), nombres.end()).size(), nombres.size()) << "a name twice";
    EXPECT_EQ(nombres.front(), "Resistencia");
}

TEST(ConfiguracionTextos, TomaCadaTextoQueExisteCadaCeldaYLaPosicion) {
    TextosMapa textos = TextosIniciales(',');
    textos.Poner("Kp", "1,5");
    textos.Poner("Td", "");
    textos.Poner("KU", "no es un número");
    textos.PonerCelda(2, 4, "7");  // column 2, row 4
    const Configuracion c = ConfiguracionDeTextos(textos, 9);
    EXPECT_EQ(c.posicion, 9);
    EXPECT_FALSE(c.programa.has_value());
    EXPECT_EQ(c.textos.size(), NombresConfiguracion().size());
    struct Caso {
        const char* nombre;
        const char* texto;
        const char* porque;
    };
    const Caso casos[] = {
        {"Kp", "1,5", "a comma kept as typed"},
        {"Td", "", "an empty edit is a text"},
        {"KU", "no es un número", "a text that does not convert"},
        {"Reglas_4_2", "7", "row 4, column 2"},
        {"Reglas_2_4", "2", "the default of row 2, column 4"},
        {"E_MN_Ancho", "2,5", "a default with the texts' separator"},
        {"Senal_Tipo", "Escalón", "the signal's type"},
    };
    for (const Caso& k : casos) {
        ASSERT_TRUE(c.textos.count(k.nombre)) << k.nombre;
        EXPECT_EQ(c.textos.at(k.nombre), k.texto) << k.porque;
    }
}

// Texts that have only some of the edits: those of a program without the indices window.
class TextosSinBanda : public TextosMapa {
public:
    bool Existe(std::string_view nombre) const override {
        return nombre != "Banda_Establecimiento" && TextosMapa::Existe(nombre);
    }
};

TEST(ConfiguracionTextos, UnEditQueNoExisteNoSeGuarda) {
    TextosSinBanda textos;
    for (const TextoPorDefecto& t : TextosPorDefecto()) textos.Poner(t.nombre, t.texto);
    for (int fila = 1; fila <= 5; ++fila)
        for (int columna = 1; columna <= 5; ++columna) textos.PonerCelda(columna, fila, "0");
    const Configuracion c = ConfiguracionDeTextos(textos, 2);
    EXPECT_EQ(c.textos.count("Banda_Establecimiento"), 0u);
    EXPECT_EQ(c.textos.size(), NombresConfiguracion().size() - 1);
}

TEST(ConfiguracionTextos, LoTomadoSeLeeComoEra) {
    TextosMapa textos = TextosIniciales('.');
    textos.Poner("Area", "ñandú ≥ 0");
    textos.Poner("HMax", "\t\"5\"\n");
    for (int fila = 1; fila <= 5; ++fila)
        for (int columna = 1; columna <= 5; ++columna)
            textos.PonerCelda(columna, fila, std::to_string(fila * 10 + columna));
    const Configuracion c = ConfiguracionDeTextos(textos, -3);
    const std::string archivo = EscribirConfiguracion(c, NombresConfiguracion());
    const ConfiguracionLeida leida = LeerConfiguracion(archivo, NombresConfiguracion());
    EXPECT_TRUE(leida.desconocidas.empty());
    EXPECT_EQ(leida.configuracion, c);
    // the file lists the texts in the order of the names: the plant's first, the last cell last
    EXPECT_LT(archivo.find("\"Resistencia\""), archivo.find("\"Kp\""));
    EXPECT_LT(archivo.find("\"Banda_Establecimiento\""), archivo.find("\"Reglas_1_1\""));
    EXPECT_LT(archivo.find("\"Reglas_4_5\""), archivo.find("\"Reglas_5_1\""));
}

}  // namespace
