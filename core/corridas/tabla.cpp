// The table of the runs: the one place that knows their names, sets, delays and texts.

#include <array>
#include <vector>

#include "core/constantes.h"
#include "core/corridas/corrida.h"
#include "core/corridas/leyes.h"
#include "identificacion/registro.h"

namespace {

// The toolbar buttons, Limpiar and Archivo that every run keeps disabled while it is active.
constexpr Conjunto kInicioEscalon{Control::ToolButton1,  Control::ToolButton5,     Control::ToolButton2,
                                  Control::ToolButton12, Control::ToolButton13,    Control::Limpiar,
                                  Control::Archivo,      Control::Track_Referencia};
constexpr Conjunto kInicioPID{Control::ToolButton1, Control::ToolButton5, Control::ToolButton2,  Control::ToolButton12,
                              Control::ToolButton4, Control::ToolButton8, Control::ToolButton11, Control::ToolButton10,
                              Control::Limpiar,     Control::Archivo};
constexpr Conjunto kInicioFuzzy{
    Control::ToolButton1,  Control::ToolButton5, Control::ToolButton2,  Control::ToolButton12, Control::ToolButton4,
    Control::ToolButton13, Control::ToolButton8, Control::ToolButton11, Control::Limpiar,      Control::Archivo};
// the relay keeps every run's button and the dialogs it would change away, as the closed loops do (it starts only
// while no other run goes: its law's Impedimento); its overflow stop leaves them as the closed loops' does
constexpr Conjunto kInicioRele{
    Control::ToolButton1,  Control::ToolButton5, Control::ToolButton2,  Control::ToolButton12, Control::ToolButton4,
    Control::ToolButton13, Control::ToolButton8, Control::ToolButton11, Control::ToolButton10, Control::Limpiar,
    Control::Archivo};
// An overflow stop gives back less than a stop through the button: the PID and fuzzy runs leave the fuzzy
// dialog, its initialisation and the other closed-loop run disabled until their button stops them.
constexpr Conjunto kDesbordeLazo{Control::ToolButton1,  Control::ToolButton5, Control::ToolButton2,
                                 Control::ToolButton12, Control::ToolButton4, Control::Limpiar,
                                 Control::Archivo};

constexpr const char* kPropiosEscalon[] = {"Alto_Escalon"};
// the closed loops read the controller's sample time first
constexpr const char* kPropiosLazo[] = {"T_Sample"};
constexpr const char* kGananciasPID[] = {"Kp", "Ti", "Td"};
constexpr const char* kGananciasFuzzy[] = {"KE", "KDE", "KU"};
// the relay reads its dead time after the sample time, then its inflows and hysteresis in the gains' place
constexpr const char* kPropiosRele[] = {"T_Sample", "Rele_Retardo"};
constexpr const char* kGananciasRele[] = {"Rele_Alto", "Rele_Bajo", "Rele_Histeresis"};

// clang-format off
constexpr std::array<DefinicionCorrida, kNumCorridas> kCorridas{{
    {Corrida::Escalon, "escalon", "Escalón", "Lazo abierto (Aplicar Escalón)", kInicioEscalon, kInicioEscalon,
     kIntervaloTick, kRetardoLazoAbierto, true, false, kPropiosEscalon, {}, &LeyEscalon},
    {Corrida::PID, "pid", "PID", "Controlador PID", kInicioPID, kDesbordeLazo,
     kIntervaloInicialLazo, kRetardoLazoCerrado, false, true, kPropiosLazo, kGananciasPID, &LeyPID},
    {Corrida::Fuzzy, "fuzzy", "Fuzzy", "Control Fuzzy", kInicioFuzzy, kDesbordeLazo,
     kIntervaloInicialLazo, kRetardoLazoCerrado, false, true, kPropiosLazo, kGananciasFuzzy, &LeyFuzzy},
    {Corrida::Rele, "rele", "Relé", "Ensayo de relé", kInicioRele, kDesbordeLazo,
     kIntervaloInicialLazo, kRetardoLazoCerrado, false, true, kPropiosRele, kGananciasRele, &LeyRele, true},
}};
// clang-format on

constexpr bool EnOrden() {
    for (std::size_t i = 0; i < kCorridas.size(); ++i)
        if (kCorridas[i].id != static_cast<Corrida>(i)) return false;
    return true;
}
static_assert(EnOrden(), "the table is indexed by Corrida");

}  // namespace

const DefinicionCorrida& Definicion(Corrida c) { return kCorridas[static_cast<std::size_t>(c)]; }

std::span<const DefinicionCorrida> Corridas() { return kCorridas; }

std::optional<Corrida> CorridaDeClave(std::string_view clave) {
    for (const DefinicionCorrida& d : kCorridas)
        if (clave == d.clave) return d.id;
    return std::nullopt;
}

std::string ClavesCorridas(std::string_view separador, std::string_view ultimo) {
    std::vector<const char*> claves;
    for (const DefinicionCorrida& d : kCorridas)
        if (!d.experimento) claves.push_back(d.clave);
    std::string s;
    for (std::size_t i = 0; i < claves.size(); ++i) {
        if (i > 0) s += i + 1 == claves.size() ? ultimo : separador;
        s += claves[i];
    }
    return s;
}
