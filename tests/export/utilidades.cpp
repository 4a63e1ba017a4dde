#include "tests/export/utilidades.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

CarpetaTemporal::CarpetaTemporal() {
    std::string plantilla = (std::filesystem::temp_directory_path() / "tanque_exportacion_XXXXXX").string();
    if (::mkdtemp(plantilla.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    ruta_ = plantilla;
}

CarpetaTemporal::~CarpetaTemporal() {
    std::error_code error;
    std::filesystem::permissions(ruta_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(ruta_, error);
}

std::string LeerBytes(const std::string& ruta) {
    std::ifstream archivo(ruta, std::ios::binary);
    EXPECT_TRUE(archivo.is_open()) << ruta;
    std::ostringstream contenido;
    contenido << archivo.rdbuf();
    return contenido.str();
}

std::string LeerDorado(const std::string& nombre) {
    return LeerBytes(std::string(TANQUE_DORADOS_EXPORTACION) + "/" + nombre);
}

::testing::AssertionResult MismosBytes(const std::string& obtenido, const std::string& esperado) {
    if (obtenido == esperado) return ::testing::AssertionSuccess();
    std::size_t i = 0;
    while (i < obtenido.size() && i < esperado.size() && obtenido[i] == esperado[i]) ++i;
    const std::size_t desde = i < 30 ? 0 : i - 30;
    return ::testing::AssertionFailure() << obtenido.size() << " bytes instead of " << esperado.size()
                                         << ", first difference at byte " << i << ":\n  obtenido ["
                                         << obtenido.substr(desde, 60) << "]\n  esperado ["
                                         << esperado.substr(desde, 60) << "]";
}

std::vector<std::string> Nombres(const std::string& carpeta) {
    std::vector<std::string> n;
    for (const auto& e : std::filesystem::directory_iterator(carpeta)) n.push_back(e.path().filename().string());
    std::sort(n.begin(), n.end());
    return n;
}

int DescriptoresAbiertos() {
    const std::filesystem::directory_iterator entradas("/proc/self/fd");
    return static_cast<int>(std::distance(std::filesystem::begin(entradas), std::filesystem::end(entradas)));
}

void Exportar(const std::string& ruta, const std::vector<MuestraExportada>& puntos) {
    EscribirExportacion(ruta, static_cast<std::int64_t>(puntos.size()) - 1,
                        [&](std::int64_t i) { return puntos.at(static_cast<std::size_t>(i)); });
}
