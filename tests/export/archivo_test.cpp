#include "export/archivo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "tests/export/utilidades.h"

namespace {

const double kBajo003125 = std::nextafter(0.03125, 0.0);

}  // namespace

// Each golden file is the whole export of a record, CR LF included, compared byte for byte.
TEST(EscribirExportacion, CoincideConLosArchivosDorados) {
    struct Caso {
        const char* dorado;
        std::vector<MuestraExportada> puntos;
    };
    const Caso casos[] = {
        {"ejemplo.txt", {{7, 1.5, 0.123456}}},
        {"signos.txt", {{8, -12.5, -0.00004}, {9, -0.0, 0.0}, {10, -0.00005, 0.00005}, {11, -3.25, 4.75}}},
        {"empates.txt",
         {{0.5, 0.03125, -0.03125},
          {2.5, 0.09375, 1.96875},
          {1.5, -0.15625, 2.40625},
          {3.5, 0.00015, 99.99995},
          {std::nextafter(2.5, 0.0), kBajo003125, -kBajo003125},
          {std::nextafter(0.5, 0.0), 1.00005, 0.00005}}},
        {"grandes.txt",
         {{7, 1000, 71000},
          {12345, -100, -12345.6789},
          {123456, 999.99995, 99.9999},
          {99999, -99.99995, 999.9999},
          {100000, 1e36, -std::ldexp(1.0, 70)}}},
        {"vacio.txt", {}},
    };
    CarpetaTemporal carpeta;
    for (const auto& c : casos) {
        const std::string ruta = carpeta.Ruta(c.dorado);
        Exportar(ruta, c.puntos);
        EXPECT_EQ(LeerBytes(ruta), LeerDorado(c.dorado)) << c.dorado;
    }
}

// The first sample of a record is written too; the points are asked for once each, in ascending order.
TEST(EscribirExportacion, EscribeDesdeElIndiceCeroEnOrden) {
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta("orden.txt");
    std::vector<std::int64_t> pedidos;
    EscribirExportacion(ruta, 2, [&](std::int64_t i) {
        pedidos.push_back(i);
        return MuestraExportada{static_cast<double>(49 + i), 0.5 * static_cast<double>(i), 1.0};
    });
    EXPECT_EQ(pedidos, (std::vector<std::int64_t>{0, 1, 2}));
    EXPECT_EQ(LeerBytes(ruta),
              "   49   0.0000   1.0000\r\n"
              "   50   0.5000   1.0000\r\n"
              "   51   1.0000   1.0000\r\n");
}

// An empty record gives a file that exists and holds no byte; the points are never asked for.
TEST(EscribirExportacion, UnRegistroVacioCreaUnArchivoVacio) {
    CarpetaTemporal carpeta;
    for (std::int64_t ultimo : {-1, -2, -1000}) {
        const std::string ruta = carpeta.Ruta("vacio" + std::to_string(-ultimo) + ".txt");
        int pedidos = 0;
        EscribirExportacion(ruta, ultimo, [&](std::int64_t) {
            ++pedidos;
            return MuestraExportada{};
        });
        EXPECT_TRUE(std::filesystem::is_regular_file(ruta));
        EXPECT_EQ(std::filesystem::file_size(ruta), 0u);
        EXPECT_EQ(pedidos, 0);
    }
}

TEST(EscribirExportacion, ReemplazaUnArchivoExistenteSinPreguntar) {
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta("dos_veces.txt");
    Exportar(ruta, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    Exportar(ruta, {{7, 1.5, 0.123456}});
    EXPECT_EQ(LeerBytes(ruta), LeerDorado("ejemplo.txt"));
    Exportar(ruta, {});
    EXPECT_EQ(std::filesystem::file_size(ruta), 0u);
}

// Many blocks: every line, in order, whatever the block boundaries.
TEST(EscribirExportacion, UnRegistroLargoSaleCompleto) {
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta("largo.txt");
    const std::int64_t ultimo = 99999;
    EscribirExportacion(ruta, ultimo, [](std::int64_t i) {
        return MuestraExportada{static_cast<double>(i), -1.25, static_cast<double>(i % 4) * 0.5};
    });
    std::string esperado;
    for (std::int64_t i = 0; i <= ultimo; ++i) {
        char linea[64];
        std::snprintf(linea, sizeof linea, "%5lld  -1.2500   %d.%d000\r\n", static_cast<long long>(i),
                      static_cast<int>(i % 4) / 2, static_cast<int>(i % 2) * 5);
        esperado += linea;
    }
    EXPECT_TRUE(MismosBytes(LeerBytes(ruta), esperado));
}
