#pragma once
// Inside the set-up file's reader: the pieces that its parts share. Not for use outside core.

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/configuracion.h"

namespace lectura {

using nlohmann::json;

/// Throws the refusal of the file for `motivo`.
[[noreturn]] void Rechazar(const std::string& motivo);

/// What a value is, as a message names it: "un objeto", "una lista", "un texto", "un número", ...
const char* Tipo(const json& v);

/// The value when it is an integer in [minimo, maximo].
std::optional<std::int64_t> Entero(const json& v, std::int64_t minimo, std::int64_t maximo);

/// The unknown names, each once, in the order first seen.
class Desconocidas {
public:
    void Anotar(const std::string& nombre) {
        if (vistas_.insert(nombre).second) lista.push_back(nombre);
    }
    std::vector<std::string> lista;

private:
    std::set<std::string> vistas_;
};

using Nombres = std::unordered_set<std::string_view>;

/// The event number `numero` (from 1) of the schedule; nullopt for a change of a text not in `conocidos`,
/// whose name goes to `desconocidas`. Throws the refusal when the event is malformed.
std::optional<EventoPrograma> LeerEvento(const json& e, std::size_t numero, const Nombres& conocidos,
                                         Desconocidas& desconocidas);

}  // namespace lectura
