#pragma once
// A set-up saved to a file (".tanque"): the texts of the dialogs' edits and rule cells, the position of
// Track_Referencia, and optionally a recorded schedule of what the user did, to be replayed without windows.
//
// The file is JSON (UTF-8, at most kTamanoMaximoConfiguracion bytes):
//
//   {
//     "formato": "tanque-configuracion",
//     "version": 1,
//     "textos": {
//       "Kp": "2",
//       "Reglas_1_1": "0"
//     },
//     "Track_Referencia": 2,
//     "programa": [
//       {"evento": "alternar", "muestra": 0, "corrida": "pid"},
//       {"evento": "ticks", "muestra": 0, "corrida": "pid", "cuenta": 25}
//     ]
//   }
//
// Every key but "formato" and "version" may be missing: a missing text leaves the edit as it is.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/errores.h"
#include "core/controles.h"

class Simulador;

inline constexpr const char* kFormatoConfiguracion = "tanque-configuracion";
inline constexpr std::int64_t kVersionConfiguracion = 1;
/// Larger files are refused before they are read: room for a recorded schedule of about 100 000 events.
inline constexpr std::size_t kTamanoMaximoConfiguracion = 8u << 20;
/// Objects and arrays nest at most this deep (the file itself is 3 deep: top, programa, an event).
inline constexpr int kAnidamientoMaximoConfiguracion = 4;

// The events of a recorded schedule, one type per thing the user can do.

/// The user left the edit or rule cell `nombre` with `texto` in it.
struct EventoTexto {
    std::string nombre;
    std::string texto;
    bool operator==(const EventoTexto&) const = default;
};
/// Track_Referencia moved to `posicion`.
struct EventoPosicion {
    std::int32_t posicion = 0;
    bool operator==(const EventoPosicion&) const = default;
};
/// The start/stop button of a run was pressed (ToolButton4Click, ToolButton13Click, ToolButton10Click).
struct EventoAlternar {
    Corrida corrida = Corrida::Escalon;
    bool operator==(const EventoAlternar&) const = default;
};
/// "Limpiar" (LimpiarClick).
struct EventoLimpiar {
    bool operator==(const EventoLimpiar&) const = default;
};
/// "Inicializar Control Fuzzy" (ToolButton11Click).
struct EventoInicializarFuzzy {
    bool operator==(const EventoInicializarFuzzy&) const = default;
};
/// `cuenta` ticks of one run in a row, nothing else between them; 1 <= cuenta <= INT32_MAX.
struct EventoTicks {
    Corrida corrida = Corrida::Escalon;
    std::int32_t cuenta = 1;
    bool operator==(const EventoTicks&) const = default;
};

using AccionPrograma =
    std::variant<EventoTexto, EventoPosicion, EventoAlternar, EventoLimpiar, EventoInicializarFuzzy, EventoTicks>;

/// One recorded event and the sample number it happened at (MuestraDelEvento, taken just before it);
/// the replay checks it. Absent when no run was active.
struct EventoPrograma {
    AccionPrograma accion;
    std::optional<std::int32_t> muestra;
    bool operator==(const EventoPrograma&) const = default;
};

/// A set-up: what a file holds once read.
struct Configuracion {
    /// The texts by name, exactly as typed (any valid UTF-8, also empty or not a number).
    std::map<std::string, std::string, std::less<>> textos;
    /// The position of Track_Referencia, when saved.
    std::optional<std::int32_t> posicion;
    /// The recorded schedule, when there is one (an empty one is kept apart from none).
    std::optional<std::vector<EventoPrograma>> programa;
    /// The decimal separator of the numbers in the texts, that of the locale they were typed in: the file says it
    /// ("separador_decimal") when it is not '.', so that a set-up saved under a Spanish locale opens the same
    /// anywhere (AdaptarDecimal).
    char decimal = '.';
    bool operator==(const Configuracion&) const = default;
};

/// A file that is not a usable set-up, or that cannot be read. what() is the user's text; Motivo() is the
/// reason alone, without the file's name.
class ErrorConfiguracion : public ErrorTanque {
public:
    ErrorConfiguracion(const std::string& texto, std::string motivo) : ErrorTanque(texto), motivo_(std::move(motivo)) {}
    const std::string& Motivo() const { return motivo_; }

private:
    std::string motivo_;
};

/// A set-up read, and the keys it held that this program does not know, left out of `configuracion`: top-level
/// keys of no meaning here, then names of texts not among the known ones, then such names in the schedule's
/// text events; each once, in file order within each group.
struct ConfiguracionLeida {
    Configuracion configuracion;
    std::vector<std::string> desconocidas;
};

/// The file's text for `c`: 2-space indents, one text and one event per line, ending with a newline. The texts
/// come in the order of `orden`, then those not in it in byte order of their names. Throws ErrorConfiguracion
/// when a name or a text is not valid UTF-8.
std::string EscribirConfiguracion(const Configuracion& c, std::span<const std::string> orden = {});

/// Reads a set-up from the file's bytes. `conocidos` are the names of the texts that the caller has; a text
/// event of another name is dropped like the text (the edit does not exist here). Throws ErrorConfiguracion
/// ("El archivo no es una configuración válida: <motivo>.") and returns nothing when the bytes are not a
/// usable set-up.
ConfiguracionLeida LeerConfiguracion(std::string_view bytes, std::span<const std::string> conocidos);

/// Reads the file `nombre` (a refused size is found through the open file, before anything is read) and then
/// as LeerConfiguracion. Throws ErrorConfiguracion, whose text names the file.
ConfiguracionLeida LeerArchivoConfiguracion(const std::string& nombre, std::span<const std::string> conocidos);

/// The set-up `c` for a program whose decimal separator is `destino`: every text (and text event) that is a number
/// written with c.decimal is written with `destino` instead ("2,5" becomes "2.5"); other texts stay as they are.
/// Both programs open a set-up through it, so that the same file gives the same numbers under any locale.
void AdaptarDecimal(Configuracion& c, char destino);

/// The name of a run in the file: "escalon", "pid", "fuzzy".
const char* NombreCorrida(Corrida c);

/// The sample number to record with `accion` when it is about to happen: for a press or ticks the sample
/// counter (Tag) of that run; for the others the counter of the first active run in the order step, PID, fuzzy,
/// none when no run is active. Recording and replay both use it, so that they agree.
std::optional<std::int32_t> MuestraDelEvento(const Simulador& s, const AccionPrograma& accion);
