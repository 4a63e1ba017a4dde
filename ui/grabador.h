#pragma once
// "Grabar" in the "Archivo" menu: from its press the window records what the user does to the simulator (each
// text changed, each move of the slider, each start and stop of a run, "Limpiar", "Inicializar Control Fuzzy"
// and each tick) as the schedule of a set-up file, which "Guardar Configuración..." then saves with the texts and
// the slider as they were at the press. A replay (tanque-lote reproducir) starts from those and does the same.

#include <QObject>

#include <memory>
#include <optional>

#include "core/controles.h"

class Dialogos;
class QAction;
class QMenu;
class QSlider;
class QWidget;
class Simulador;
class TextosVentanas;
struct Configuracion;

class GrabadorVentana : public QObject {
    Q_OBJECT
public:
    /// Records what is done to `simulador` through the windows' named texts, the rule grid and `slider`; its
    /// messages go over `ventana`.
    GrabadorVentana(QWidget* ventana, Dialogos& dialogos, TextosVentanas& textos, const Simulador& simulador,
                    QSlider& slider);
    ~GrabadorVentana() override;

    /// Appends the checkable entry "Grabar" to the menu.
    void AgregarEntrada(QMenu* archivo);
    bool Grabando() const { return grabando_; }
    // Called just before each action of the user on the simulator: while recording, each notes the texts changed
    // since the last note, then the action.
    void AnotarAlternar(Corrida corrida);
    void AnotarTick(Corrida corrida);
    void AnotarLimpiar();
    void AnotarInicializarFuzzy();
    /// While recording: the texts and the slider of the press, and the schedule since, the texts changed so far
    /// noted first. Nothing when not recording.
    std::optional<Configuracion> Grabado();

    QAction* Grabar1 = nullptr;

public slots:
    /// Starts recording (refused while a run is active: a replay starts with none) or ends it.
    void Grabar1Click(bool marcado);

private:
    void Conectar();
    void AnotarTextos();
    void AlMoverReferencia(int posicion);

    // the recorder and what it started from; kept out of this header, whose core types would meet in the
    // moc's one translation unit with others of the same name
    struct Estado;

    QWidget* ventana_;
    Dialogos& dialogos_;
    TextosVentanas& textos_;
    const Simulador& simulador_;
    QSlider& slider_;
    std::unique_ptr<Estado> estado_;
    bool grabando_ = false;
    bool sucio_ = false;  // a text may have changed since the last note
    bool conectado_ = false;
};
