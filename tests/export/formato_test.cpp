#include "export/formato.h"

#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <string>

#include "base/errores.h"
#include "tests/export/utilidades.h"

extern char** environ;

namespace {

struct CasoCampo {
    double valor;
    int decimales;
    int ancho;
    const char* texto;
};

void Comprobar(std::initializer_list<CasoCampo> casos) {
    for (const auto& c : casos) {
        EXPECT_EQ(CampoFijo(c.valor, c.decimales, c.ancho), c.texto)
            << "valor=" << c.valor << " decimales=" << c.decimales << " ancho=" << c.ancho;
    }
}

const double kBajo003125 = std::nextafter(0.03125, 0.0);

}  // namespace

// Ties are odd multiples of 2^-(d+1): exactly half a unit of the last decimal, rounded away from zero.
TEST(CampoFijo, RedondeaLasMitadesExactasLejosDeCero) {
    Comprobar({
        {0.03125, 4, 9, "   0.0313"},  // "%.4f" gives 0.0312 (ties to even)
        {-0.03125, 4, 9, "  -0.0313"},
        {0.09375, 4, 0, "0.0938"},
        {1.96875, 4, 0, "1.9688"},
        {-2.40625, 4, 0, "-2.4063"},
        {2.5, 0, 5, "    3"},
        {0.5, 0, 5, "    1"},
        {1.5, 0, 0, "2"},
        {-2.5, 0, 5, "   -3"},
        {-0.5, 0, 0, "-1"},
        {0.25, 1, 0, "0.3"},
        {0.125, 2, 0, "0.13"},
        {999.96875, 4, 0, "999.9688"},
        {4503599627370495.5, 0, 0, "4503599627370496"},  // 2^52 - 0.5
    });
}

// The exact binary value decides, not its shortest decimal spelling.
TEST(CampoFijo, JuntoAUnaMitadDecideElValorBinario) {
    Comprobar({
        {kBajo003125, 4, 0, "0.0312"},
        {-kBajo003125, 4, 0, "-0.0312"},
        {std::nextafter(0.03125, 1.0), 4, 0, "0.0313"},
        {std::nextafter(2.5, 0.0), 0, 0, "2"},
        {std::nextafter(0.5, 0.0), 0, 0, "0"},
        {0.00005, 4, 0, "0.0001"},  // 5.0000000000000002396e-05
        {-0.00005, 4, 0, "-0.0001"},
        {0.00015, 4, 0, "0.0001"},       // 1.4999999999999998686e-04
        {1.00005, 4, 0, "1.0001"},       // 1.0000500000000001055
        {99.99995, 4, 0, "99.9999"},     // 99.999949999999998340
        {999.99995, 4, 0, "1000.0000"},  // 999.99995000000001255
        {0.123456, 4, 0, "0.1235"},
    });
}

// The sign belongs to the value before rounding; -0.0 is not negative.
TEST(CampoFijo, ElSignoEsElDelValorAntesDeRedondear) {
    Comprobar({
        {-0.00004, 4, 9, "  -0.0000"},
        {-1e-300, 4, 9, "  -0.0000"},
        {-std::numeric_limits<double>::denorm_min(), 4, 0, "-0.0000"},
        {-0.4, 0, 5, "   -0"},
        {-0.0, 4, 9, "   0.0000"},
        {-0.0, 0, 5, "    0"},
        {0.0, 4, 9, "   0.0000"},
        {-12.5, 4, 9, " -12.5000"},
        {-100.0, 4, 9, "-100.0000"},
    });
}

// A text longer than its width takes the characters it needs; huge values are written in full.
TEST(CampoFijo, UnTextoLargoOcupaLoQueNecesita) {
    Comprobar({
        {1000.0, 4, 9, "1000.0000"},
        {-12345.6789, 4, 9, "-12345.6789"},
        {123456.0, 0, 5, "123456"},
        {12345.0, 0, 5, "12345"},
        {7.0, 0, 1, "7"},
        {7.0, 0, 0, "7"},
        {7.0, 0, -3, "7"},
        {1e15, 4, 0, "1000000000000000.0000"},
        {1e36, 4, 0, "1000000000000000042420637374017961984.0000"},
        {-1180591620717411303424.0, 4, 0, "-1180591620717411303424.0000"},  // -2^70
        {1e23, 0, 0, "99999999999999991611392"},
        {18446744073709551616.0, 2, 0, "18446744073709551616.00"},  // 2^64
    });
}

TEST(CampoFijo, MasDecimales) {
    Comprobar({
        {0.1, 18, 0, "0.100000000000000006"},  // 0.1000000000000000055511151231257827...
        {0.1, 17, 0, "0.10000000000000001"},
        {1.0 / 3.0, 10, 0, "0.3333333333"},
        {2.0 / 3.0, 10, 0, "0.6666666667"},
        {9.5367431640625e-07, 18, 0, "0.000000953674316406"},  // 2^-20 = 0.00000095367431640625
        {1.9073486328125e-06, 18, 0, "0.000001907348632813"},  // 2^-19, a tie at 18 decimals
        {123.0, 18, 0, "123.000000000000000000"},
    });
}

TEST(CampoFijo, RechazaValoresNoFinitosYDecimalesFueraDeRango) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Caso {
        double valor;
        const char* texto;
    };
    for (const auto& [valor, texto] :
         {Caso{nan, kOperacionInvalida}, {-nan, kOperacionInvalida}, {inf, kDesbordamiento}, {-inf, kDesbordamiento}}) {
        try {
            CampoFijo(valor, 4, 9);
            ADD_FAILURE() << "no error for " << valor;
        } catch (const ErrorPuntoFlotante& e) {
            EXPECT_STREQ(e.what(), texto);
        }
    }
    EXPECT_THROW(CampoFijo(1.0, -1, 9), std::invalid_argument);
    EXPECT_THROW(CampoFijo(1.0, kMaxDecimales + 1, 9), std::invalid_argument);
    EXPECT_THROW(LineaExportacion(1.0, nan, 0.0), ErrorPuntoFlotante);
}

namespace {

// Puts a locale with a decimal comma in force: an installed one, or one built by localedef into `carpeta`.
bool PonerLocaleConComa(const CarpetaTemporal& carpeta) {
    for (const char* nombre : {"de_DE.UTF-8", "es_ES.UTF-8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_ALL, nombre) != nullptr) return true;
    }
    const std::string destino = carpeta.Ruta("de_DE.UTF-8");
    const char* argumentos[] = {"localedef", "-i", "de_DE", "-f", "UTF-8", destino.c_str(), nullptr};
    pid_t hijo = 0;
    if (::posix_spawnp(&hijo, "localedef", nullptr, nullptr, const_cast<char**>(argumentos), environ) != 0) {
        return false;
    }
    int estado = 0;
    ::waitpid(hijo, &estado, 0);
    ::setenv("LOCPATH", carpeta.ruta().c_str(), 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

}  // namespace

// A Qt program runs with LC_NUMERIC of the user's locale; the point stays ".".
TEST(CampoFijo, NoDependeDelLocale) {
    CarpetaTemporal carpeta;
    const std::string previo = std::setlocale(LC_ALL, nullptr);
    const char* locpath = std::getenv("LOCPATH");
    const std::string locpathPrevio = locpath != nullptr ? locpath : "";
    const bool conComa = PonerLocaleConComa(carpeta);
    if (conComa) {
        EXPECT_STREQ(std::localeconv()->decimal_point, ",");
        EXPECT_EQ(CampoFijo(-12.5, 4, 9), " -12.5000");
        EXPECT_EQ(CampoFijo(1e36, 1, 0), "1000000000000000042420637374017961984.0");
        EXPECT_EQ(LineaExportacion(7, 1.5, 0.123456), "    7   1.5000   0.1235\r\n");
        const std::string ruta = carpeta.Ruta("coma.txt");
        Exportar(ruta, {{7, 1.5, 0.123456}});
        EXPECT_EQ(LeerBytes(ruta), LeerDorado("ejemplo.txt"));
    }
    std::setlocale(LC_ALL, previo.c_str());
    if (locpath != nullptr) {
        ::setenv("LOCPATH", locpathPrevio.c_str(), 1);
    } else {
        ::unsetenv("LOCPATH");
    }
    if (!conComa) GTEST_SKIP() << "no locale with a decimal comma, and localedef could not build one";
}

TEST(LineaExportacion, TresCamposAlineadosYCrLf) {
    struct Caso {
        double muestra, accion, nivel;
        const char* linea;
    };
    const Caso casos[] = {
        {7, 1.5, 0.123456, "    7   1.5000   0.1235\r\n"},
        {0, 0.0, 0.0, "    0   0.0000   0.0000\r\n"},
        {8, -12.5, -0.00004, "    8 -12.5000  -0.0000\r\n"},
        {149, -0.0, 4.99995, "  149   0.0000   5.0000\r\n"},  // 4.99995000000000011...
        {2.5, 0.03125, -0.03125, "    3   0.0313  -0.0313\r\n"},
        {12345, 999.9999, -99.99995, "12345 999.9999 -99.9999\r\n"},
        // a field that fills or overflows its width gets one blank before it
        {7, 1000.0, 71000.0, "    7 1000.0000 71000.0000\r\n"},
        {12345, -100.0, -12345.6789, "12345 -100.0000 -12345.6789\r\n"},
        {123456, 999.99995, 99.9999, "123456 1000.0000  99.9999\r\n"},
        {99999, -99.99995, 1e36, "99999 -99.9999 1000000000000000042420637374017961984.0000\r\n"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(LineaExportacion(c.muestra, c.accion, c.nivel), c.linea) << "muestra=" << c.muestra;
    }
}

TEST(LineaExportacion, AnadeDetrasDeLoQueYaHay) {
    std::string destino = "previo|";
    AnadirLineaExportacion(destino, 7, 1.5, 0.123456);
    AnadirLineaExportacion(destino, 8, -12.5, 1000);
    AnadirCampoFijo(destino, 0.03125, 4, 7);
    EXPECT_EQ(destino, "previo|    7   1.5000   0.1235\r\n    8 -12.5000 1000.0000\r\n 0.0313");
}
