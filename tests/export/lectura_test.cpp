#include "export/lectura.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/errores.h"
#include "export/formato.h"
#include "tests/export/utilidades.h"

namespace {

struct Muestra {
    double n, u, y;
};

std::vector<Muestra> Muestras(const RegistroLeido& r) {
    std::vector<Muestra> m;
    for (std::size_t i = 0; i < r.muestras.size(); ++i) m.push_back({r.muestras[i], r.acciones[i], r.niveles[i]});
    return m;
}

::testing::AssertionResult Iguales(const std::vector<Muestra>& a, const std::vector<Muestra>& b) {
    if (a.size() != b.size()) return ::testing::AssertionFailure() << a.size() << " samples instead of " << b.size();
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].n != b[i].n || a[i].u != b[i].u || a[i].y != b[i].y)
            return ::testing::AssertionFailure() << "sample " << i << ": " << a[i].n << " " << a[i].u << " " << a[i].y;
    return ::testing::AssertionSuccess();
}

std::string ErrorDe(const std::string& contenido) {
    try {
        InterpretarExportacion(contenido, "registro.txt");
    } catch (const ErrorLectura& e) {
        return e.what();
    }
    return "(no error)";
}

}  // namespace

// Whatever blanks and line ends a file has, the same numbers come out: each the Double nearest to its text.
TEST(LeerExportacion, ToleraBlancosYFinesDeLinea) {
    const std::vector<Muestra> dos = {{7, 1.5, 0.1235}, {8, -2.25, 10}};
    const struct {
        const char* texto;
        const char* razon;
    } casos[] = {
        {"    7   1.5000   0.1235\r\n    8  -2.2500  10.0000\r\n", "as the export writes it"},
        {"7 1.5 0.1235\n8 -2.25 10\n", "LF, single blanks"},
        {"7\t1.5\t0.1235\r\n8\t \t-2.25   10", "tabs, last line without its end"},
        {"  7 1.5 0.1235  \r\n8 -2.25 10\r\n\r\n  \n", "blank lines at the end"},
        {"7 +1.5 1.235e-1\n8.0 -225E-2 1e1\n", "a plus sign, exponents, a whole number with a point"},
        {"7 1.5 .1235\n8 -2.25 10.\n", "a point without digits on one side"},
    };
    for (const auto& c : casos) EXPECT_TRUE(Iguales(Muestras(InterpretarExportacion(c.texto, "r")), dos)) << c.razon;
}

TEST(LeerExportacion, NumerosRedondeadosAlDoubleMasCercano) {
    const RegistroLeido r = InterpretarExportacion("1 0.1 2.5e-400\n2 -0.0000 9007199254740993\n", "r");
    EXPECT_EQ(r.acciones[0], 0.1);
    EXPECT_EQ(r.niveles[0], 0.0);  // below the Double range: as near to 0 as a Double gets
    EXPECT_TRUE(std::signbit(r.acciones[1]));
    EXPECT_EQ(r.niveles[1], 9007199254740992.0);  // 2^53 + 1 ties to even
}

// Each fault names the file and the line, and says what is wrong.
TEST(LeerExportacion, FallosNombranArchivoYLinea) {
    std::string diecisiete;
    for (int i = 1; i <= 16; ++i) diecisiete += std::to_string(i) + " 1.0000 2.0000\r\n";
    const struct {
        std::string texto;
        const char* error;
    } casos[] = {
        {"", "registro.txt: el archivo está vacío"},
        {"\r\n  \t\r\n\n", "registro.txt: el archivo está vacío"},
        {"1 2\r\n", "registro.txt, línea 1: tiene 2 campos y debe tener 3 (muestra, acción y nivel)"},
        {"1 2 3\r\n2 3 4 5\r\n", "registro.txt, línea 2: tiene 4 campos y debe tener 3 (muestra, acción y nivel)"},
        {"1 2 3\r\n2\r\n", "registro.txt, línea 2: tiene 1 campo y debe tener 3 (muestra, acción y nivel)"},
        {"1 2 3\r\n\r\n2 3 4\r\n", "registro.txt, línea 2: está en blanco y la siguen más muestras"},
        {"1 2,5 3\n", "registro.txt, línea 1: el campo 2, '2,5', no es un número"},
        {"x 2 3\n", "registro.txt, línea 1: el campo 1, 'x', no es un número"},
        {"1 2 nan\n", "registro.txt, línea 1: el campo 3, 'nan', no es un número"},
        {"1 inf 3\n", "registro.txt, línea 1: el campo 2, 'inf', no es un número"},
        {"1 1e 3\n", "registro.txt, línea 1: el campo 2, '1e', no es un número"},
        {"1 . 3\n", "registro.txt, línea 1: el campo 2, '.', no es un número"},
        {"1 0x10 3\n", "registro.txt, línea 1: el campo 2, '0x10', no es un número"},
        {std::string("1 2\0 3\n", 7), "registro.txt, línea 1: el campo 2, '2?', no es un número"},
        {"1 2 333333333333333333333333333333x\n",
         "registro.txt, línea 1: el campo 3, '333333333333333333333333...', no es un número"},
        {"1 1e400 3\n",
         "registro.txt, línea 1: el campo 2, '1e400', es demasiado grande para un número de doble precisión"},
        {"1 2 -1e99999\n",
         "registro.txt, línea 1: el campo 3, '-1e99999', es demasiado grande para un número de doble precisión"},
        {"1.5 2 3\n", "registro.txt, línea 1: el número de muestra '1.5' no es entero"},
        {"5 2 3\n5 2 3\n",
         "registro.txt, línea 2: la muestra 5 no sigue a la 5 de la línea anterior: los números de muestra deben "
         "crecer"},
        {"5 2 3\n3 2 3\n",
         "registro.txt, línea 2: la muestra 3 no sigue a la 5 de la línea anterior: los números de muestra deben "
         "crecer"},
        {diecisiete + "17 1.0000\r\n",
         "registro.txt, línea 17: tiene 2 campos y debe tener 3 (muestra, acción y nivel)"},
    };
    for (const auto& c : casos) EXPECT_EQ(ErrorDe(c.texto), std::string(c.error)) << c.texto;
}

// Sample numbers may skip: a record cut from a chart is still a record. They may be negative too.
TEST(LeerExportacion, MuestrasQueSaltanONegativas) {
    EXPECT_TRUE(
        Iguales(Muestras(InterpretarExportacion("-3 1 2\n0 1 2\n40 1 2\n", "r")), {{-3, 1, 2}, {0, 1, 2}, {40, 1, 2}}));
}

// The export's own golden files: those with increasing sample numbers are read back to the values of their
// texts; the others are refused where the numbers stop growing.
TEST(LeerExportacion, ArchivosDoradosDeLaExportacion) {
    const std::string carpeta = TANQUE_DORADOS_EXPORTACION;
    EXPECT_TRUE(Iguales(Muestras(LeerExportacion(carpeta + "/ejemplo.txt")), {{7, 1.5, 0.1235}}));
    EXPECT_TRUE(Iguales(Muestras(LeerExportacion(carpeta + "/signos.txt")),
                        {{8, -12.5, -0.0}, {9, 0, 0}, {10, -0.0001, 0.0001}, {11, -3.25, 4.75}}));
    const struct {
        const char* archivo;
        const char* error;
    } rechazados[] = {
        {"empates.txt",
         ", línea 3: la muestra 2 no sigue a la 3 de la línea anterior: los números de muestra deben crecer"},
        {"grandes.txt",
         ", línea 4: la muestra 99999 no sigue a la 123456 de la línea anterior: los números de muestra deben crecer"},
        {"vacio.txt", ": el archivo está vacío"},
    };
    for (const auto& r : rechazados) {
        const std::string ruta = carpeta + "/" + r.archivo;
        try {
            LeerExportacion(ruta);
            ADD_FAILURE() << r.archivo;
        } catch (const ErrorLectura& e) {
            EXPECT_EQ(e.what(), ruta + r.error);
        }
    }
}

// What the writer writes, the reader reads: every value back as the Double of its 4-decimal text.
TEST(LeerExportacion, LeeLoQueEscribeLaExportacion) {
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta("ida_y_vuelta.txt");
    std::vector<MuestraExportada> puntos;
    for (int i = 0; i < 3000; ++i)
        puntos.push_back({static_cast<double>(i + 120), std::sin(i * 0.37) * 30, std::exp(std::cos(i * 0.11) * 9)});
    Exportar(ruta, puntos);
    const RegistroLeido r = LeerExportacion(ruta);
    ASSERT_EQ(r.muestras.size(), puntos.size());
    for (std::size_t i = 0; i < puntos.size(); ++i) {
        EXPECT_EQ(r.muestras[i], puntos[i].muestra);
        EXPECT_EQ(r.acciones[i], std::strtod(CampoFijo(puntos[i].accion, 4, 9).c_str(), nullptr)) << i;
        EXPECT_EQ(r.niveles[i], std::strtod(CampoFijo(puntos[i].nivel, 4, 9).c_str(), nullptr)) << i;
    }
}

// A file that cannot be read: the runtime's text with the file's name, and no descriptor left open.
TEST(LeerExportacion, ArchivoQueNoSePuedeLeer) {
    CarpetaTemporal carpeta;
    const int abiertos = DescriptoresAbiertos();
    const struct {
        std::string nombre;
        const char* texto;
    } casos[] = {
        {carpeta.Ruta("no_existe.txt"), "Invalid filename"},
        {carpeta.Ruta("no_existe/registro.txt"), "Invalid filename"},
        {carpeta.Ruta(""), "File access denied"},  // the folder itself
        {"", "Invalid filename"},
        {std::string("reg\0istro.txt", 13), "Invalid filename"},  // shown as reg?istro.txt
    };
    for (const auto& c : casos) {
        try {
            LeerExportacion(c.nombre);
            ADD_FAILURE() << c.nombre;
        } catch (const ErrorArchivo& e) {
            std::string visible = c.nombre;
            std::replace(visible.begin(), visible.end(), '\0', '?');
            EXPECT_EQ(e.what(), visible + ": " + c.texto);
        }
    }
    EXPECT_EQ(DescriptoresAbiertos(), abiertos);
}
