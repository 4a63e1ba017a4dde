#pragma once
// The main window: the tank drawing with its level bar, the reference slider, the chart, the tool bar,
// the menu and the status bar. Its handlers forward to the headless simulator.

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <optional>

#include "core/interfaces.h"
#include "core/simulador.h"
#include "ui/dialogos.h"
#include "ui/Senal_Excitacion.h"
#include "ui/ensayo_rele.h"
#include "ui/textos_ventanas.h"

class BarraNivel;
class Rectangulo;
class ConfiguracionesVentana;
class ControlVelocidad;
class GrabadorVentana;
class Grafico;
class QAction;
class QDialog;
class QLabel;
class QMenu;
class QPushButton;
class QSlider;
class QStatusBar;
class QTimer;
class QToolButton;
class QWidget;
class TFrm_Identificacion;
class TFrm_Sintonizar;
class TFrm_Senal_Excitacion;
class VistasControladores;

class TFrm_Ppal : public QMainWindow {
    Q_OBJECT
public:
    /// `dialogos` shows the message boxes and the save dialog; nullptr means the real ones.
    explicit TFrm_Ppal(std::unique_ptr<Dialogos> dialogos = nullptr);
    ~TFrm_Ppal() override;

    Simulador& Nucleo() { return *simulador_; }
    /// Brings the widgets in line with the core after it changed (Cambio bits).
    void Sincronizar(unsigned cambios);

    // The controls, by their names.
    QToolButton *ToolButton1, *ToolButton5, *ToolButton2, *ToolButton4, *ToolButton12, *ToolButton13, *ToolButton8,
        *ToolButton11, *ToolButton10;
    QToolButton* ToolButtonSenal;  ///< "Configurar Señal de Excitación", after the original buttons
    QPushButton *Limpiar, *Archivo;
    QSlider* Track_Referencia;
    QLabel *Image1, *Label1, *Ref_Label;
    BarraNivel* Nivel;
    Rectangulo* TanqueSuperior;  ///< the upper tank of "Dos Tanques", with its bar Nivel2
    BarraNivel* Nivel2;
    Grafico* Chart1;
    QStatusBar* StatusBar1;
    QLabel* PanelEstado[2];
    QAction *Salir1, *Parametros1, *ParametrosEscalon1, *ParametrosPID1, *AcercaDe1;
    /// "Configurar Control Fuzzy" and "Inicializar Control Fuzzy", after the original entries of "Opciones"
    QAction *ParametrosFuzzy1, *InicializarFuzzy1;
    QAction* SenalExcitacion1;  ///< "Señal de Excitación", after the original entries of "Opciones"
    QTimer *Timer1, *Timer4, *Timer5;
    // The relay experiment, after the original controls (PPal_rele.cpp): its run's entry in "Opciones" (also a
    // button of the tuning dialog), its dialog's entry and its timer.
    QAction *EnsayoRele1 = nullptr, *ParametrosRele1 = nullptr;
    QTimer* Timer6 = nullptr;
    // The plant's identification: its menu entry, its tool button and its dialog (made at its first use).
    QAction* Identificar1 = nullptr;
    QToolButton* ToolButtonIdentificar = nullptr;
    TFrm_Identificacion* Frm_Identificacion = nullptr;
    // The PID's tuning: its menu entry, its tool button and its dialog (made at its first use).
    QAction* Sintonizar1 = nullptr;
    QToolButton* ToolButtonSintonizar = nullptr;
    TFrm_Sintonizar* Frm_Sintonizar = nullptr;
    /// The entries of the menu after the original ones and the windows that they open.
    VistasControladores* Vistas;
    /// The set-up files: the entries of "Archivo" after "Salir", and the list of recent ones.
    ConfiguracionesVentana* Configuraciones;
    /// "Grabar", after the recent set-ups: what the user does, recorded as a set-up's schedule.
    GrabadorVentana* Grabador;
    /// The speed of the runs, at the right of the status bar (and under "Opciones").
    ControlVelocidad* Velocidad1;
    /// Above x1 the chart, the level bar and the views follow the ticks on this clock (kPeriodoRefresco).
    QTimer* Refresco;

public slots:
    void FormCreate();
    void Salir1Click();
    void ToolButton1Click();
    void ToolButton5Click();
    void Parametros1Click();
    void ToolButton2Click();
    void ParametrosEscalon1Click();
    void ToolButton12Click();
    void ParametrosPID1Click();
    void ToolButton8Click();
    void SenalExcitacionClick();  ///< the excitation signal dialog, from its tool button and its menu entry
    void Track_ReferenciaChange();
    void ToolButton4Click();
    void ToolButton13Click();
    void ToolButton10Click();
    void ToolButton11Click();
    void LimpiarClick();
    void ArchivoClick();
    void Timer1Timer();
    void Timer4Timer();
    void Timer5Timer();
    /// Identifies the plant from the chart's record and shows the dialog "Identificación de la Planta".
    void IdentificarClick();
    /// Opens "Sintonizar el PID" on the last identification's model, on the plant's truth and on the last relay
    /// experiment's model.
    void SintonizarClick();
    /// Starts the relay experiment, or stops it and reads Ku and Pu from it (PPal_rele.cpp).
    void EnsayoReleClick();
    void ParametrosReleClick();
    void Timer6Timer();
    /// The reading of the last relay experiment stopped, if any.
    const std::optional<ResultadoEnsayoRele>& UltimoEnsayoRele() const { return ultimoRele_; }
    /// Names the open-loop signal of `dialogo` in the tip of "Aplicar Escalón" and the status bar, and follows
    /// its texts (PPal_senal.cpp).
    void SeguirSenal(TFrm_Senal_Excitacion* dialogo);
    void NombrarSenal();
    /// The signal that the dialog's texts choose, "PRBS orden 7"; empty before SeguirSenal.
    QString SenalElegida() const;

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    // The core's slider and messages, answered by the window's widgets.
    class PosicionVentana : public Posicion {
    public:
        explicit PosicionVentana(const TFrm_Ppal& ppal) : ppal_(ppal) {}
        std::int32_t Leer() const override;

    private:
        const TFrm_Ppal& ppal_;
    };
    class MensajesVentana : public Mensajes {
    public:
        explicit MensajesVentana(TFrm_Ppal& ppal) : ppal_(ppal) {}
        void Mostrar(const std::string& texto) override;
        void Repetido(Corrida corrida, const std::string& texto, int veces) override;
        void FinRepetido(Corrida corrida) override;

    private:
        TFrm_Ppal& ppal_;
    };

    // the status bar's notice of a repeated failure
    void MostrarRepetido(Corrida corrida, const std::string& texto, int veces);
    void QuitarRepetido(Corrida corrida);
    // the hint of a number typed with the other decimal separator, in the first panel
    void PistaDecimalEnEstado(const QString& texto);
    bool pistaDecimal_ = false;

    void CrearControles();
    // the speed (PPal_velocidad.cpp)
    void CrearVelocidad();
    void AplicarVelocidad();
    /// Takes out of `cambios` what waits for the refresh clock, or puts back what waited; true when nothing is
    /// left to do now.
    bool Diferir(unsigned& cambios);
    void Refrescar();
    void AtenderTick(Corrida corrida);
    void Alternar(Corrida corrida);

    void CrearBarraHerramientas(QWidget* cliente);
    // the keyboard and the screen readers (PPal_teclado.cpp)
    void CrearTeclado();
    void AbrirMenu(int i);
    void CorridaElegida();
    QToolButton* BotonDe(Corrida corrida) const;
    void CrearMenu();
    void MostrarModal(QDialog* dialogo);
    QWidget* ControlDe(Control c) const;
    // the relay's entries in "Opciones", and its reading once its run stops
    void CrearEntradasRele(QMenu* opciones);
    void SincronizarRele();
    bool ReleDisponible() const;
    std::optional<ResultadoEnsayoRele> ultimoRele_;
    bool releActivo_ = false;
    // the tuning's predicted step drawn over a PID run that starts after "Aplicar" (PPal_sintonizar.cpp)
    void SeguirPrediccion();
    bool pidActivo_ = false;

    std::unique_ptr<Dialogos> dialogos_;
    TextosVentanas textos_;
    PosicionVentana posicion_{*this};
    MensajesVentana mensajes_{*this};
    std::unique_ptr<Simulador> simulador_;
    std::array<QTimer*, kNumCorridas> timers_{};
    int repetidoDe_ = -1;      // the run whose repeated failure the status bar shows
    unsigned pendientes_ = 0;  // changes of ticks not yet shown (above x1)
    bool enTick_ = false;      // a run's tick is being handled
    QMenu* menuVelocidad_ = nullptr;
    QPointer<TFrm_Senal_Excitacion> senal_;  // the dialog goes before the main window
    Corrida elegida_ = Corrida::Escalon;  // the run that F5 starts: the one whose button was pressed last
};

extern TFrm_Ppal* Frm_Ppal;
