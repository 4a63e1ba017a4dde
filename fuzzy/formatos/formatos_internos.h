#pragma once
// The writer and the reader of each format, behind ExportarControlador and ImportarControlador.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "fuzzy/formatos/controlador.h"

std::string EscribirFis(const ControladorFuzzy& c);
std::string EscribirFll(const ControladorFuzzy& c);
std::string EscribirFcl(const ControladorFuzzy& c);
ControladorFuzzy LeerFis(std::string_view contenido, const std::string& archivo);
ControladorFuzzy LeerFll(std::string_view contenido, const std::string& archivo);
ControladorFuzzy LeerFcl(std::string_view contenido, const std::string& archivo);

/// Which texts (Portado bits) a format's shape gives of set `conjunto` of group `g`.
using PortadosPor = unsigned (*)(std::size_t g, const ConjuntoFuzzy& conjunto);

/// The comment lines at the head of a file (without the comment's marks): what the file holds, then the notes
/// of the gains and of the texts that the format's shapes leave out.
std::vector<std::string> LineasDeCabecera(const ControladorFuzzy& c, PortadosPor portados);

/// The names a file gives the three variables, and the name of the system.
inline constexpr const char* kVariablesArchivo[3] = {"error", "derivada_error", "control"};
inline constexpr const char* kNombreSistema = "tanque";
