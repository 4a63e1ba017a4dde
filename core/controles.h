#pragma once
// The twelve controls of the main window whose enabled state the runs decide, and the runs. The sets that each
// run's start and overflow stop disable and enable are rows of the runs' table (core/corridas/tabla.cpp).

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

/// The runs; what each is, is its row of the runs' table (core/corridas/corrida.h). The relay experiment comes
/// after the original three, and has no control of these: its entries are the window's (ui/PPal_rele.cpp).
enum class Corrida : std::size_t { Escalon, PID, Fuzzy, Rele };
inline constexpr std::size_t kNumCorridas = 4;
