#pragma once
// How fast the runs go on screen: x1 (a tick every 100 ms, as the program always ran), x10, x100 and "Máxima"
// (a tick at every turn of the event loop). The speed changes only when the ticks come, never what they
// compute: each tick is the same handler on the same state.

#include <QWidget>

#include <array>

class QAction;
class QActionGroup;
class QMenu;
class QToolButton;

enum class Velocidad { x1, x10, x100, Maxima };

inline constexpr std::array<Velocidad, 4> kVelocidades{Velocidad::x1, Velocidad::x10, Velocidad::x100,
                                                       Velocidad::Maxima};

/// The interval of a run's timer, in milliseconds, at speed `v` for the run's own `intervalo`: as it is at x1,
/// divided by 10 or 100 (rounded to nearest, at least 1 ms), and 0 at Máxima.
int IntervaloConVelocidad(int intervalo, Velocidad v);

/// Below this many milliseconds between ticks the window redraws the chart, the level bar and the views on a
/// clock of their own instead of at every tick: at most 60 redraws a second.
inline constexpr int kPeriodoRefresco = 17;

/// The speed's buttons for the status bar, "Velocidad:" then x1, x10, x100 and Máxima, one of them pressed;
/// the same choices as checkable actions for a menu.
class ControlVelocidad : public QWidget {
    Q_OBJECT
public:
    explicit ControlVelocidad(QWidget* padre);

    Velocidad Actual() const { return actual_; }
    /// Chooses `v` as its button would.
    void Poner(Velocidad v);
    QToolButton* Boton(Velocidad v) const { return botones_[static_cast<std::size_t>(v)]; }
    QAction* Accion(Velocidad v) const { return acciones_[static_cast<std::size_t>(v)]; }
    /// Appends the four choices to `menu`.
    void AgregarEntradas(QMenu* menu) const;

signals:
    void Cambiada(Velocidad v);

private:
    Velocidad actual_ = Velocidad::x1;
    QActionGroup* grupo_;
    std::array<QAction*, 4> acciones_{};
    std::array<QToolButton*, 4> botones_{};
};
