#pragma once
// The twelve controls of the main window whose enabled state the runs decide, and the sets that each
// run's start and overflow stop disable and enable.

#include <array>
#include <cstddef>
#include <initializer_list>

enum class Control : std::size_t {
    ToolButton1,   // "Salir"
    ToolButton5,   // "Configurar Parámetros de la Planta"
    ToolButton2,   // "Configurar Escalón de Entrada"
    ToolButton12,  // "Configurar Controlador PID"
    ToolButton4,   // "Aplicar Escalón"
    ToolButton13,  // "Aplicar Controlador PID"
    ToolButton8,   // "Configurar Control Fuzzy"
    ToolButton11,  // "Inicializar Control Fuzzy"
    ToolButton10,  // "Aplicar Control Fuzzy"
    Limpiar,
    Archivo,
    Track_Referencia,
};
inline constexpr std::size_t kNumControles = 12;

/// A set of controls, as a mask over Control.
class Conjunto {
public:
    constexpr Conjunto(std::initializer_list<Control> controles) {
        for (Control c : controles) bits_ |= 1u << static_cast<unsigned>(c);
    }
    constexpr bool Contiene(Control c) const { return (bits_ >> static_cast<unsigned>(c)) & 1u; }

private:
    unsigned bits_ = 0;
};

/// The three runs.
enum class Corrida : std::size_t { Escalon, PID, Fuzzy };
inline constexpr std::size_t kNumCorridas = 3;

// The toolbar buttons, Limpiar and Archivo that every run keeps disabled while it is active.
inline constexpr Conjunto kInicioEscalon{Control::ToolButton1,  Control::ToolButton5,     Control::ToolButton2,
                                         Control::ToolButton12, Control::ToolButton13,    Control::Limpiar,
                                         Control::Archivo,      Control::Track_Referencia};
inline constexpr Conjunto kInicioPID{
    Control::ToolButton1, Control::ToolButton5,  Control::ToolButton2,  Control::ToolButton12, Control::ToolButton4,
    Control::ToolButton8, Control::ToolButton11, Control::ToolButton10, Control::Limpiar,      Control::Archivo};
inline constexpr Conjunto kInicioFuzzy{
    Control::ToolButton1,  Control::ToolButton5, Control::ToolButton2,  Control::ToolButton12, Control::ToolButton4,
    Control::ToolButton13, Control::ToolButton8, Control::ToolButton11, Control::Limpiar,      Control::Archivo};
// An overflow stop gives back less than a stop through the button: the PID and fuzzy runs leave the fuzzy
// dialog, its initialisation and the other closed-loop run disabled until their button stops them.
inline constexpr Conjunto kDesbordeEscalon = kInicioEscalon;
inline constexpr Conjunto kDesbordePID{Control::ToolButton1,  Control::ToolButton5, Control::ToolButton2,
                                       Control::ToolButton12, Control::ToolButton4, Control::Limpiar,
                                       Control::Archivo};
inline constexpr Conjunto kDesbordeFuzzy = kDesbordePID;

inline constexpr std::array<Conjunto, kNumCorridas> kConjuntoInicio{kInicioEscalon, kInicioPID, kInicioFuzzy};
inline constexpr std::array<Conjunto, kNumCorridas> kConjuntoDesborde{kDesbordeEscalon, kDesbordePID, kDesbordeFuzzy};
