#pragma once
// Helpers of the file-writer tests: a private folder, whole-file reads, open descriptors.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "export/archivo.h"

/// A fresh folder under the temporary directory, removed with its contents at the end of the test.
class CarpetaTemporal {
public:
    CarpetaTemporal();
    ~CarpetaTemporal();
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;
    std::string Ruta(const std::string& nombre) const { return (ruta_ / nombre).string(); }
    const std::filesystem::path& ruta() const { return ruta_; }

private:
    std::filesystem::path ruta_;
};

/// Every byte of a file; fails the test when it cannot be read.
std::string LeerBytes(const std::string& ruta);

/// Every byte of a golden file of tests/data/export.
std::string LeerDorado(const std::string& nombre);

/// Equal bytes; otherwise the sizes and the first difference, not two long texts.
::testing::AssertionResult MismosBytes(const std::string& obtenido, const std::string& esperado);

/// The names in a folder, sorted.
std::vector<std::string> Nombres(const std::string& carpeta);

/// Number of descriptors open in this process.
int DescriptoresAbiertos();

/// Exports the points of `puntos`, index 0 first.
void Exportar(const std::string& ruta, const std::vector<MuestraExportada>& puntos);
