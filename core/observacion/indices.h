#pragma once
// Response indices of each step of a run, fed at every tick. A step is the stretch between two changes of the
// reference (PID and fuzzy runs) or of the inflow (step run); its values are provisional until the next change
// closes it. Integral indices (sampled and held, as the controller sees the error):
//   IAE = sum |e| T,  ISE = sum e^2 T,  ITAE = sum t |e| T,  effort = sum |u - u_previous|
// with e = target - level and t the time of the sample since the step's origin. Time-domain indices, in terms
// of the step S = target - initial:
//   overshoot = max(0, max (y - initial) / S - 1) x 100 %
//   rise time = from the first crossing of initial + S/10 to the first crossing of initial + 9 S/10, each
//               crossing interpolated linearly between the sample before and the sample after it
//   settling time = the last entry into |y - target| <= band x |S| / 100, interpolated at the band's edge;
//               present while the level is inside the band
//   steady-state error = target - level at the last sample
// No value that is not finite ever leaves: what is not defined (a step of size 0 has no overshoot, rise or
// settling; a rise time before the level reaches 90 %) is absent.
//
// Reference steps: the origin (t = 0) is the sample at which the new reference is read, whose level the new
// action has not yet moved; the step starts from the level of that sample, where the tank stands when the
// reference changes (a step from 2 to 1.5 that lasts one sample, then to 1, starts at the level 2 and reaches
// for 1). A reference that stands for one sample only (a slider that passes a position on its way) is no step
// of its own: its sample joins the step that follows, which starts from its level and counts it in
// IndicesEscalon::unidos (up to kMaxUnidos in a row; a reference that changes at every sample makes steps of
// one sample again). Steps of inflow: the inflow of a sample flows during the period that ends at it,
// so the origin is one period before the step's first sample; the step starts from the level of the sample
// before (the first from AjustesIndices::nivelInicial), and its target is the final value of the level: the
// gain times the inflow when the caller gives the gain (the plant's R: the tank settles at R x inflow), or
// else an estimate (see IndicesRespuesta).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct AjustesIndices {
    double banda = 2;  ///< settling band, percent of the step
    /// Step run: the steady level per unit of inflow (R); without it the final value is estimated.
    std::optional<double> ganancia;
    double nivelInicial = 0;   ///< step run: the level when the run starts (every start empties the tank)
    double accionInicial = 0;  ///< the action before a run's first sample (every start sets it to 0)
};

/// What one tick fed in.
struct MuestraRespuesta {
    std::int32_t n = 0;       ///< sample number
    double T = 0;             ///< s, the period that ends at this sample
    std::optional<double> r;  ///< the reference; nothing in the step run
    double y = 0;             ///< level
    double u = 0;             ///< control action (the inflow in the step run)
    std::optional<bool> saturada = {};  ///< with the pump's limits on: the command at or beyond one of them
};

/// The indices of one step, in seconds and percent. Absent where not (yet) defined.
struct IndicesEscalon {
    bool conReferencia = true;  ///< a step of the reference, or of the inflow in the step run
    bool terminado = false;     ///< closed by the next change; otherwise every value is provisional
    std::int32_t primera = 0;   ///< sample number of the step's first sample
    std::int32_t ultima = 0;    ///< and of its last
    std::int64_t muestras = 0;
    int unidos = 0;                  ///< references of one sample that this step took in (see above)
    double duracion = 0;             ///< s, time of the last sample since the step's origin
    double inicial = 0;              ///< the reference or level the step starts from
    std::optional<double> objetivo;  ///< the reference, or the final value of the level once it is known
    std::optional<double> IAE, ISE, ITAE;
    std::optional<double> esfuerzo;
    std::optional<double> sobreimpulso;           ///< percent of the step
    std::optional<double> tiempoSubida;           ///< s, 10 % to 90 %
    std::optional<double> tiempoEstablecimiento;  ///< s
    std::optional<double> errorEstacionario;
    bool establecida = false;  ///< the last sample lies within the band
    /// s, the time of the step's samples whose command sat at a pump's limit; only with the limits on.
    std::optional<double> tiempoSaturado;
};

/// The indices of the current step and of the last finished one. Feeding costs O(1) per tick, except in the
/// step run without a gain, where the levels of a step are kept until its final value is known (at most
/// kMaxPendientes of them), then run through once.
///
/// Final value of a step of inflow without a gain: from the step's start level y0 and the levels y1 ... yK,
/// whenever K is even (K = 2m), Aitken's extrapolation over y0, ym, y2m: with rho = (y2m - ym) / (ym - y0) in
/// [0, 1), the rest still to come is (y2m - ym) rho / (1 - rho), and it is taken as y2m + rest once the rest
/// is at most 0.1 % of y2m - y0. A sampled first-order response under a constant inflow is geometric, and
/// for it the extrapolation is exact; a level that has stopped (rho = 0) is its own final value. It assumes a
/// constant T. Once taken, the final value stays for the step; a step whose level never settles in
/// kMaxPendientes samples keeps no final value and no index that needs it.
class IndicesRespuesta {
public:
    static constexpr std::size_t kMaxPendientes = std::size_t{1} << 16;
    static constexpr double kRestoAceptable = 1e-3;
    static constexpr int kMaxUnidos = 16;

    explicit IndicesRespuesta(AjustesIndices ajustes = {}) : ajustes_(ajustes) {}

    /// Forgets every step; the next sample starts a run.
    void Reiniciar();
    /// One tick. A change of the reference (or of the inflow) closes the step and starts the next; a sample
    /// number not above the last one, or a change between a run with and without reference, starts afresh
    /// as Reiniciar. A sample with a value that is not finite, or a negative T, is left out.
    void Agregar(const MuestraRespuesta& m);

    /// The step going on; nothing before the first sample.
    std::optional<IndicesEscalon> Actual() const;
    /// The last step that a change closed.
    const std::optional<IndicesEscalon>& Anterior() const { return anterior_; }
    /// Steps closed since the last Reiniciar.
    std::uint64_t Terminados() const { return terminados_; }
    const AjustesIndices& Ajustes() const { return ajustes_; }

private:
    struct Punto {
        long double t;  // since the step's origin
        double T;
        double y;
    };
    // What needs the step's target: the error sums and the time-domain indices.
    struct Seguimiento {
        double objetivo = 0;
        long double escalon = 0;  // objetivo - inicial
        long double iae = 0, ise = 0, itae = 0;
        long double progresoMaximo = 0;
        std::optional<long double> t10, t90;
        bool dentro = false;
        long double entrada = 0;  // time of the last entry into the band
        double ultimoY = 0;
        bool hayMuestras = false;
        std::optional<Punto> anterior;  // the point before, for the crossings
    };
    struct Paso {
        bool conReferencia = true;
        std::int32_t primera = 0, ultima = 0;
        std::int64_t muestras = 0;
        long double t = 0;
        double inicial = 0;
        double referencia = 0;  // reference run: the reference; step run: the inflow
        double accion = 0;      // the last action
        double accionAntes = 0;  // the action before the step's first sample
        int unidos = 0;
        std::int64_t deReferencia = 0;  // samples read at the step's own reference
        // the samples of a step whose references have each stood for one sample, to take them into the next
        std::vector<MuestraRespuesta> breves;
        bool breve = true;
        long double esfuerzo = 0;
        std::optional<Seguimiento> seguimiento;
        std::vector<Punto> pendientes;  // step run without gain: levels waiting for the final value
        bool sinValorFinal = false;
        bool conSaturacion = false;
        long double saturado = 0;
    };

    void Empezar(const MuestraRespuesta& m, double inicial, double accionAnterior);
    void Sumar(const MuestraRespuesta& m);
    Seguimiento Nuevo(double objetivo, const Paso& p) const;
    void Seguir(Paso& p, const Punto& punto) const;
    void EstimarValorFinal(Paso& p) const;
    IndicesEscalon Valores(const Paso& p) const;

    AjustesIndices ajustes_;
    std::optional<Paso> actual_;
    std::optional<IndicesEscalon> anterior_;
    std::uint64_t terminados_ = 0;
    double ultimoNivel_ = 0;
};
