#pragma once
// The simulator without windows: what the main window owns, and its handlers. The window program and the
// batch tool both drive this one object, so that every rule lives here once.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/bitacora.h"
#include "core/constantes.h"
#include "core/controles.h"
#include "core/descripcion.h"
#include "core/excitacion.h"
#include "core/interfaces.h"
#include "core/serie.h"
#include "core/simulacion.h"
#include "core/textos.h"
#include "fuzzy/fis.h"

/// A run timer as state: the run is active exactly while its timer is enabled; the tag counts samples.
struct Temporizador {
    bool Enabled = false;
    int Interval = kIntervaloTick;  // milliseconds
    std::int32_t Tag = 0;           // the run's Sample counter
};

/// The level bar over the tank drawing: its bottom edge stays at kBarraFondo and it grows upwards.
struct Barra {
    std::int32_t Top = kBarraFondo;
    std::int32_t Height = 0;
};

/// What a handler changed, for the window to redraw.
enum Cambio : unsigned {
    CambioSeries = 1u << 0,
    CambioBarra = 1u << 1,
    CambioControles = 1u << 2,
    CambioTemporizadores = 1u << 3,
};

/// The sample that a tick plotted last: its counter, action, level and (PID and fuzzy runs) reference.
struct MuestraGraficada {
    std::int32_t n = 0;
    float accion = 0;
    float nivel = 0;
    double referencia = 0;
    bool conReferencia = false;
};

/// The messages that the runs show.
inline constexpr const char* kCicloParado = "El Ciclo de lectura se ha parado";
inline constexpr const char* kNivelSuperado = "El Nivel del Tanque ha Superado el Máximo Permitido";
inline constexpr const char* kMuestreoNoPositivo = "El Tiempo de Muestreo debe ser mayor que cero";
inline constexpr const char* kFuzzySinInicializar =
    "El Controlador Fuzzy no ha sido inicializado. Use Inicializar Control Fuzzy.";

class Simulador {
public:
    Simulador(const Textos& textos, const Posicion& posicion, Mensajes& mensajes);

    // The handlers. Each does its work in order and throws ErrorTanque where it fails; what it did
    // before stays done.
    /// Starts or stops a run, as its tool button does.
    void Alternar(Corrida corrida);
    /// One sample of a run, as its timer's tick does.
    void Tick(Corrida corrida);
    void ToolButton4Click() { Alternar(Corrida::Escalon); }
    void ToolButton13Click() { Alternar(Corrida::PID); }
    void ToolButton10Click() { Alternar(Corrida::Fuzzy); }
    void Timer1Timer();        ///< one sample of the step run
    void Timer4Timer();        ///< one sample of the PID run
    void Timer5Timer();        ///< one sample of the fuzzy run
    void LimpiarClick();       ///< clears the chart, the counters and the bar
    void ToolButton11Click();  ///< builds Controlador_Fuzzy from the fuzzy dialog's texts
    /// Writes the chart's samples up to the last one drawn for the shown range. Throws ErrorArchivo.
    void ArchivoClick(const std::string& nombre, bool rangoCompleto, double xmin, double xmax);

    // Event dispatch for the window: runs a handler, catches its error and shows it. A failure that
    // comes back at every tick of a run is shown in a box once, then handed to Mensajes::Repetido.
    void AtenderToggle(Corrida corrida);
    void AtenderTick(Corrida corrida);
    void Atender(const std::function<void()>& manejador);

    /// Called after the visible state changes (with the Cambio bits), and before every message.
    void AlCambiar(std::function<void(unsigned)> avisar) { avisar_ = std::move(avisar); }

    const Simulacion& Estado() const { return estado_; }
    const FIS& Controlador_Fuzzy() const { return fuzzy_; }
    bool FuzzyInicializado() const { return fuzzyInicializado_; }
    const Temporizador& Timer(Corrida c) const { return timers_[static_cast<std::size_t>(c)]; }
    const Serie& Series1() const { return series1_; }  ///< level, red
    const Serie& Series2() const { return series2_; }  ///< control action, green
    const Serie& Series3() const { return series3_; }  ///< reference, yellow
    const Barra& Nivel() const { return nivel_; }
    bool Habilitado(Control c) const { return habilitado_[static_cast<std::size_t>(c)]; }
    const MuestraGraficada& UltimaMuestra() const { return ultima_; }
    /// What the runs read, and which run made each point of the level series (for the record's description).
    const Bitacoras& Registro() const { return bitacoras_; }
    /// The signal and noise that the last tick read.
    const Excitacion& Excitaciones() const { return excitacion_; }

private:
    Temporizador& TimerDe(Corrida c) { return timers_[static_cast<std::size_t>(c)]; }
    float PasoPlanta(Corrida corrida);
    void ActualizarBarra(float y);
    void AgregarDesplazando(Corrida corrida, std::int32_t n, float y, float u, double r);
    void Habilitar(Conjunto conjunto, bool habilitar);
    void Avisar(unsigned cambios);
    void Mostrar(const std::string& texto);
    void Exito(Corrida corrida);
    void Fallo(Corrida corrida, const std::string& texto);
    void OlvidarFallo(Corrida corrida);
    // The excitation (core/excitacion_corridas.cpp): the run's texts of every tick watched, the signal and the
    // noise read.
    float EntradaAbierta(std::int32_t n);
    void LeerRuido(Corrida corrida, std::int32_t n);
    float Medido(float y, std::int32_t n) { return excitacion_.Medir(y, n); }
    void AgregarNivel(Corrida corrida, std::int32_t n, float y);
    void EscribirDescripcion(const std::string& registro, const ContenidoRegistro& contenido);

    const Textos& textos_;
    const Posicion& posicion_;
    Mensajes& mensajes_;
    std::function<void(unsigned)> avisar_;
    unsigned pendientes_ = 0;

    Simulacion estado_;
    FIS fuzzy_;
    bool fuzzyInicializado_ = false;
    std::array<Temporizador, kNumCorridas> timers_;
    Serie series1_, series2_, series3_;
    Barra nivel_;
    std::array<bool, kNumControles> habilitado_;
    MuestraGraficada ultima_;
    Excitacion excitacion_;
    Bitacoras bitacoras_;

    // The failure that the run's last tick met, and how many ticks in a row met it.
    struct FalloRepetido {
        std::string texto;
        int veces = 0;
    };
    std::array<FalloRepetido, kNumCorridas> fallos_;
};
