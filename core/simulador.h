#pragma once
// The simulator without windows: what the main window owns, and its handlers. The window program and the
// batch tool both drive this one object, so that every rule lives here once.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/constantes.h"
#include "base/errores.h"
#include "core/controles.h"
#include "core/corridas/ley.h"
#include "core/descripcion.h"
#include "core/excitacion.h"
#include "core/interfaces.h"
#include "core/mensajes_corridas.h"
#include "core/observacion/observadores.h"
#include "core/planta/perturbacion.h"
#include "core/planta/planta.h"
#include "core/planta/sensor.h"
#include "core/serie.h"
#include "core/simulacion.h"
#include "core/textos.h"
#include "export/archivo.h"
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
    CambioFuzzy = 1u << 4,    ///< Controlador_Fuzzy built anew, or left incomplete
    CambioIndices = 1u << 5,  ///< a run's response indices fed or reset
};

/// The sample that a tick plotted last: its counter, action, level and (PID and fuzzy runs) reference.
struct MuestraGraficada {
    std::int32_t n = 0;
    float accion = 0;
    float nivel = 0;
    double referencia = 0;
    bool conReferencia = false;
};


/// Whether the simulator keeps the chart's series. Without them (the batch tool) every run computes the same
/// numbers, bit for bit, and UltimaMuestra() gives each sample; memory does not grow with the run.
enum class Series { Guardar, Descartar };

class Simulador {
public:
    Simulador(const Textos& textos, const Posicion& posicion, Mensajes& mensajes, Series series = Series::Guardar);

    // The handlers. Each does its work in order and throws ErrorTanque where it fails; what it did
    // before stays done.
    /// Starts or stops a run, as its tool button does.
    void Alternar(Corrida corrida);
    /// One sample of a run, as its timer's tick does: its law (core/corridas/), then the tick's end.
    void Tick(Corrida corrida);
    void ToolButton4Click() { Alternar(Corrida::Escalon); }
    void ToolButton13Click() { Alternar(Corrida::PID); }
    void ToolButton10Click() { Alternar(Corrida::Fuzzy); }
    void Timer1Timer() { Tick(Corrida::Escalon); }  ///< one sample of the step run
    void Timer4Timer() { Tick(Corrida::PID); }      ///< one sample of the PID run
    void Timer5Timer() { Tick(Corrida::Fuzzy); }    ///< one sample of the fuzzy run
    void LimpiarClick();       ///< clears the chart, the counters and the bar
    void ToolButton11Click();  ///< builds Controlador_Fuzzy from the fuzzy dialog's texts
    /// Writes the chart's samples up to the last level drawn for the shown range, one line per tick that plotted
    /// both its action and its level (parejas.h), and its description beside it (descripcion.h), the two as one
    /// (par.h). Throws ErrorArchivo; both files are then as they were, unless the message says otherwise.
    void ArchivoClick(const std::string& nombre, bool rangoCompleto, double xmin, double xmax);
    /// The samples that ArchivoClick writes for the shown range, in order, each handed to `muestra` with the index
    /// of its level in Series1: the one definition of the file's lines, for the file and for the identification.
    void RecorrerExportadas(bool rangoCompleto, double xmin, double xmax,
                            const std::function<void(const MuestraExportada&, std::size_t)>& muestra) const;
    /// The same samples as numbers: the chart's record.
    MuestrasGrafico MuestrasExportadas(bool rangoCompleto, double xmin, double xmax) const;

    // Event dispatch for the window: runs a handler, catches its error and shows it. Within one run (from a
    // press of its button to the next), a failure whose text was shown in a box already goes to
    // Mensajes::Repetido with its count, whether good ticks came between or not.
    void AtenderToggle(Corrida corrida);
    void AtenderTick(Corrida corrida);
    void Atender(const std::function<void()>& manejador);

    /// Called after the visible state changes (with the Cambio bits), and before every message.
    void AlCambiar(std::function<void(unsigned)> avisar) { avisar_ = std::move(avisar); }

    const Simulacion& Estado() const { return estado_; }
    /// The plant of the last press of a run's button (the linear tank before the first).
    const Planta& PlantaActual() const { return *planta_; }
    const FIS& Controlador_Fuzzy() const { return fuzzy_; }
    bool FuzzyInicializado() const { return fuzzyInicializado_; }
    const Temporizador& Timer(Corrida c) const { return timers_[static_cast<std::size_t>(c)]; }
    const Serie& Series1() const { return series1_; }  ///< level, red
    const Serie& Series2() const { return series2_; }  ///< control action, green
    const Serie& Series3() const { return series3_; }  ///< reference, yellow
    /// The load disturbance's demand at each plant step; empty while no disturbance is on, so the chart
    /// draws it only then.
    const Serie& SeriePerturbacion() const { return seriePerturbacion_; }
    /// The inflow that the controller asked for at each plotted level, before the pump's limits; empty while no
    /// limit is on. Not drawn: "Archivo" writes it beside the applied inflow.
    const Serie& SerieComandada() const { return serieComandada_; }
    const Barra& Nivel() const { return nivel_; }
    /// The upper tank's bar of the plant "Dos Tanques": its height in pixels, kBarraSuperiorAlto at HMax_2, from
    /// the last stored state; none for a plant of one tank.
    std::optional<std::int32_t> AltoSuperior() const;
    bool Habilitado(Control c) const { return habilitado_[static_cast<std::size_t>(c)]; }
    const MuestraGraficada& UltimaMuestra() const { return ultima_; }
    /// What watches the samples (core/observacion/).
    const Observadores& Observacion() const { return observadores_; }
    /// The runs and the plant behind the chart's points.
    const OrigenGrafico& Origen() const { return observadores_.origen; }
    /// What each run's ticks have given since its start or the last Limpiar.
    const IndicesCorrida& Indices(Corrida c) const { return observadores_.indices.De(c); }
    /// The slider's positions that the PID and fuzzy ticks read since the last Limpiar.
    const std::vector<CambioReferencia>& CalendarioLeido() const { return observadores_.calendario.Cambios(); }
    const EntradaFuzzy& UltimaEntradaFuzzy() const { return observadores_.entradasFuzzy.Ultima(); }
    /// What the runs read, and which run made each point of the level series (for the record's description).
    const Bitacoras& Registro() const { return observadores_.bitacoras; }
    /// The load disturbance of the last press, if any, and its demand at the last plant step.
    const std::optional<Perturbacion>& PerturbacionActual() const { return perturbacion_; }
    double UltimaPerturbacion() const { return ultimaPerturbacion_; }
    /// With the pump's limits on, whether the last command sat at (or beyond) one of them; none without limits.
    std::optional<bool> Saturada() const;
    /// The sensor of the last press.
    const ConstantesSensor& SensorActual() const { return sensor_.Constantes(); }
    /// The signal and noise that the last tick read.
    const Excitacion& Excitaciones() const { return excitacion_; }

private:
    // What a run's law may touch during its tick (core/tick.cpp).
    class Paso;

    Temporizador& TimerDe(Corrida c) { return timers_[static_cast<std::size_t>(c)]; }
    LeyCorrida& LeyDe(Corrida c) { return *leyes_[static_cast<std::size_t>(c)]; }
    /// The message of the run's law that refuses its start now, or nullptr.
    const char* Impedimento(Corrida corrida);
    float PasoPlanta(Corrida corrida);
    void ActualizarBarra(float y);
    void AgregarDesplazando(Corrida corrida, std::int32_t n, float y, float u, double r);
    void Habilitar(Conjunto conjunto, bool habilitar);
    void Avisar(unsigned cambios);
    void Mostrar(const std::string& texto);
    void Fallo(Corrida corrida, const ErrorDeManejador& e);
    void OlvidarFallo(Corrida corrida);
    // The excitation: the run's texts of every tick watched, the signal and the noise read.
    float EntradaAbierta(Corrida corrida, std::int32_t n);
    void LeerRuido(Corrida corrida, std::int32_t n);
    // the level as the sensor gives it: delay and lag, the noise of sample n, the quantisation
    float Medido(float y, std::int32_t n);
    void AgregarNivel(Corrida corrida, std::int32_t n, float y);
    void AgregarComandada(std::int32_t n);  // the commanded inflow beside level n, while a pump limit is on

    const Textos& textos_;
    const Posicion& posicion_;
    Mensajes& mensajes_;
    std::function<void(unsigned)> avisar_;
    unsigned pendientes_ = 0;

    Simulacion estado_;
    const Planta* planta_;
    FIS fuzzy_;
    bool fuzzyInicializado_ = false;
    std::array<std::unique_ptr<LeyCorrida>, kNumCorridas> leyes_;
    std::array<Temporizador, kNumCorridas> timers_;
    const bool grafico_;
    Serie series1_, series2_, series3_;
    Serie seriePerturbacion_;  // never fed without a disturbance: nothing the default texts write reads it
    Serie serieComandada_;     // never fed without the pump's limits
    Barra nivel_;
    std::array<bool, kNumControles> habilitado_;
    MuestraGraficada ultima_;
    Excitacion excitacion_;
    // the load disturbance and the sensor of the last press (none, and the perfect sensor, by default)
    std::optional<Perturbacion> perturbacion_;
    double ultimaPerturbacion_ = 0;
    Sensor sensor_;
    // what only watches the samples, told of each event in a fixed order
    Observadores observadores_{series1_, series2_};

    // The failures that the run's ticks met since its button was last pressed: each text and how many times.
    struct FallosCorrida {
        std::map<std::string, int> veces;
        bool aviso = false;  // a notice is on show
    };
    std::array<FallosCorrida, kNumCorridas> fallos_;
};
