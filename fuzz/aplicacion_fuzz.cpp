// The headless application driven by an arbitrary sequence of events through the window's dispatch
// (AtenderToggle, AtenderTick, Atender), with a message recorder that, like the toolkit's nested event loop,
// may deliver ticks while a message is open. After every event, nested ones included:
//
//  - the Simulation state holds finite numbers only, and so do the three series, each in ascending x;
//  - the level bar keeps its bottom edge: Top + Height = kBarraFondo;
//  - every message is one of the program's own (no exception of another kind reached the user);
//  - a run's timer changes only through its own events: its toggle starts or stops it, its tick may stop it
//    (the overflow stop), nothing else touches it;
//  - the enabled controls are exactly what the transitions seen so far make them. The model starts with all
//    twelve enabled and applies, for each change of a timer that it observes: a start disables the run's start
//    set, a stop through the toggle enables the start set, a stop during a tick enables the overflow set. It
//    is rebuilt from the observed timers alone, not from the core's own bookkeeping;
//  - history-free consequences of the sets, which hold whatever came before: while the step run is active
//    the slider is disabled (no other set contains it); while the PID run is active "Aplicar Control Fuzzy" is
//    disabled (only the PID stop enables it).
//
// When the events respect the enabled state (a user can press only an enabled control), also:
//  - at most two runs are active, and while two are, the third run's button is disabled.
// Without that gate (the batch tool or a test may call any handler) the robustness checks still hold.
//
// Input: byte 0: bit 0 the decimal separator, bit 1 set drops the gate. Then events, byte % 11:
// 0-2 toggle of the step, PID or fuzzy run; 3-5 a burst of ticks of that run (the next byte: below 128 one
// tick, otherwise 4 per unit above 127); 6 Limpiar; 7 Inicializar Control Fuzzy; 8 an edit ([name][text]:
// text byte below 224 picks a text of a list, otherwise a length and that many bytes); 9 a slider move;
// 10 Archivo to /dev/null. While a message is open the next byte may deliver a tick (bit 0) of a run (>> 1).

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/errores.h"
#include "core/corridas/corrida.h"
#include "core/corridas/pid.h"
#include "core/planta/bomba.h"
#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "fuzz/comprobar.h"
#include "fuzzy/fis.h"
#include "senales/parametros.h"
#include "senales/ruido.h"

namespace {

constexpr int kMaxTicks = 20000;  // per input, to keep executions short
constexpr int kMaxAnidados = 3;

// clang-format off
const char* const kTextos[] = {
    "", " ", "abc", "0", "-0", "1", "-1", "2", "3", "4", "5", "6", "10", "100", "500", "1000", "-500", "0.5", "0,5",
    "1.5", "1,5", "2.5", "-3.75", "0.25", "1e400", "-1e400", "1e-400", "1e38", "3.5e38", "1e308", "1e-30",
    "2147483647", "2147483648", "-2147483648", "nan", "inf", "0x10", "1 000", "\xef\xbc\x91\xef\xbc\x92", "7",
    "1e-45", "99999", "0.001", "-0.001", "1e5", "1e10", "1e20", "-1e20", "300", "5000", "1", "3", "0", "2",
};
// clang-format on
constexpr std::size_t kNumTextos = sizeof kTextos / sizeof kTextos[0];

enum class Tipo { Toggle, Tick, Limpiar, Inicializar, Editar, Deslizar, Archivo, Nada };
struct Evento {
    Tipo tipo;
    Corrida corrida;
};

// the original runs' buttons; the relay experiment has none and is not toggled here
constexpr std::array<Control, 3> kBoton{Control::ToolButton4, Control::ToolButton13, Control::ToolButton10};

bool Empieza(const std::string& s, const char* p) { return s.rfind(p, 0) == 0; }
bool Termina(const std::string& s, const char* p) {
    const std::size_t n = std::strlen(p);
    return s.size() >= n && s.compare(s.size() - n, n, p) == 0;
}

// A conversion message ends at a NUL of its text, where what() ends.
bool MensajeConocido(const std::string& m, bool conNul) {
    for (const char* fijo : {kCicloParado, kNivelSuperado, kMuestreoNoPositivo, kFuzzySinInicializar, kDivisionPorCero,
                             kOperacionInvalida, kDesbordamiento, kReleCaudales, kReleRetardo,
                             kReleConOtraCorrida})
        if (m == fijo) return true;
    // the excitation signal's and the noise's checks
    for (const char* fijo :
         {kMensajeNiveles, kMensajePeriodo, kMensajeOrden, kMensajeBanda, kMensajeBandaInvertida, kMensajeComponentes,
          kMensajeMuchasComponentes, kMensajeLongitudCorta, kMensajeLongitudLarga, kMensajeRuidoNegativo})
        if (m == fijo) return true;
    // the pump's limits, the PID's options, the disturbance and the sensor
    for (const char* fijo : {kLimitesInvertidos, kNNoPositivo, kTtNoPositivo, kInicioNegativo, kRetardoFuera,
                             kConstanteNegativa, kResolucionNegativa})
        if (m == fijo) return true;
    return (Empieza(m, "'") && (conNul || Termina(m, "' is not a valid integer value") ||
                                Termina(m, "' is not a valid floating point value"))) ||
           (Empieza(m, "Tipo de señal desconocido: '") && (conNul || Termina(m, "Multiseno, Barrido, Gaussiana"))) ||
           (Empieza(m, "La banda solo admite ") && (Termina(m, " componentes con esa longitud") || m == "La banda solo admite 1 componente con esa longitud")) ||
           (Empieza(m, "Opción desconocida de ") &&
            (conNul || m.find("'. Las opciones válidas son: ") != std::string::npos)) ||
           (Empieza(m, "El conjunto ") && Termina(m, " tiene ancho 0")) ||
           (Empieza(m, "La regla de la fila ") && Termina(m, "; debe estar entre 0 y 4"));
}

std::vector<std::string> NombresDeTextos() {
    std::vector<std::string> nombres;
    for (const TextoPorDefecto& t : TextosPorDefecto()) nombres.emplace_back(t.nombre);
    for (int fila = 1; fila <= 5; ++fila)
        for (int columna = 1; columna <= 5; ++columna) nombres.push_back(NombreCelda(columna, fila));
    return nombres;
}

class PosicionVariable : public Posicion {
public:
    std::int32_t Leer() const override { return valor; }
    std::int32_t valor = 2;
};

class Conductor : public Mensajes {
public:
    Conductor(const std::uint8_t* d, std::size_t n)
        : d_(d),
          n_(n),
          textos_(TextosIniciales((n > 0 && (d[0] & 1)) ? ',' : '.')),
          conCompuerta_(n > 0 && !(d[0] & 2)),
          sim_(textos_, posicion_, *this) {
        modelo_.fill(true);
        i_ = 1;
    }

    void Correr() {
        static const std::vector<std::string> nombres = NombresDeTextos();
        while (i_ < n_ && ticks_ < kMaxTicks) {
            const unsigned codigo = Byte() % 11;
            Evento e{Tipo::Nada, Corrida::Escalon};
            if (codigo <= 2) {
                e = {Tipo::Toggle, static_cast<Corrida>(codigo)};
                if (Puede(kBoton[codigo])) Dentro(e, [&] { sim_.AtenderToggle(e.corrida); });
            } else if (codigo <= 5) {
                e = {Tipo::Tick, static_cast<Corrida>(codigo - 3)};
                const unsigned b = Byte();
                const int veces = b < 128 ? 1 : static_cast<int>(b - 127) * 4;
                for (int k = 0; k < veces && ticks_ < kMaxTicks && sim_.Timer(e.corrida).Enabled; ++k) Tick(e);
            } else if (codigo == 6) {
                e.tipo = Tipo::Limpiar;
                if (Puede(Control::Limpiar)) Dentro(e, [&] { sim_.Atender([&] { sim_.LimpiarClick(); }); });
            } else if (codigo == 7) {
                e.tipo = Tipo::Inicializar;
                if (Puede(Control::ToolButton11)) Dentro(e, [&] { sim_.Atender([&] { sim_.ToolButton11Click(); }); });
            } else if (codigo == 8) {
                const std::string& nombre = nombres[Byte() % nombres.size()];
                std::string texto = Texto();
                conNul_ |= texto.find('\0') != std::string::npos;
                textos_.Poner(nombre, std::move(texto));
            } else if (codigo == 9) {
                e.tipo = Tipo::Deslizar;
                const unsigned b = Byte();
                if (Puede(Control::Track_Referencia))
                    posicion_.valor = conCompuerta_ ? static_cast<std::int32_t>(b % 11) : static_cast<std::int8_t>(b);
            } else {
                e.tipo = Tipo::Archivo;
                const double xmin = Byte(), xmax = xmin + Byte();
                const bool completo = Byte() & 1;
                if (Puede(Control::Archivo))
                    Dentro(e, [&] { sim_.Atender([&] { sim_.ArchivoClick("/dev/null", completo, xmin, xmax); }); });
            }
            Verificar(true);
        }
    }

    // Mensajes: a recorder that may let ticks run while the message is open.
    void Mostrar(const std::string& texto) override {
        Exigir(MensajeConocido(texto, conNul_), "a message of no known form", texto);
        Exigir(!pila_.empty(), "a message outside any event");
        Observar(pila_.back());  // what the event did before its message
        if (pila_.size() > kMaxAnidados) return;
        const unsigned b = Byte();
        if ((b & 1) && ticks_ < kMaxTicks) Tick({Tipo::Tick, static_cast<Corrida>((b >> 1) % 3)});
    }
    void Repetido(Corrida, const std::string& texto, int veces) override {
        Exigir(MensajeConocido(texto, conNul_), "a repeated failure of no known form", texto);
        Exigir(veces >= 2, "a repeated failure counted below 2");
    }
    void FinRepetido(Corrida) override {}

private:
    unsigned Byte() { return i_ < n_ ? d_[i_++] : 0; }

    std::string Texto() {
        const unsigned b = Byte();
        if (b < 224) return kTextos[b % kNumTextos];
        const std::size_t largo = std::min<std::size_t>(Byte(), n_ - i_);
        std::string t(reinterpret_cast<const char*>(d_ + i_), largo);
        i_ += largo;
        return t;
    }

    bool Puede(Control c) const { return !conCompuerta_ || sim_.Habilitado(c); }

    template <class F>
    void Dentro(const Evento& e, F&& f) {
        pila_.push_back(e);
        f();
        Observar(e);
        pila_.pop_back();
    }

    void Tick(const Evento& e) {
        ++ticks_;
        Dentro(e, [&] { sim_.AtenderTick(e.corrida); });
        Verificar(false);
    }

    // Applies to the model the timer changes since the last look; `causa` is the event that made them.
    void Observar(const Evento& causa) {
        for (std::size_t r = 0; r < kNumCorridas; ++r) {
            const bool ahora = sim_.Timer(static_cast<Corrida>(r)).Enabled;
            if (ahora == activo_[r]) continue;
            Exigir((causa.tipo == Tipo::Toggle || causa.tipo == Tipo::Tick) && causa.corrida == static_cast<Corrida>(r),
                   "a run's timer changed through another event");
            if (ahora) {
                Exigir(causa.tipo == Tipo::Toggle, "a tick started a run");
                Aplicar(Definicion(static_cast<Corrida>(r)).inicio, false);
            } else {
                const DefinicionCorrida& d = Definicion(static_cast<Corrida>(r));
                Aplicar(causa.tipo == Tipo::Toggle ? d.inicio : d.desborde, true);
            }
            activo_[r] = ahora;
        }
        Verificar(false);
    }

    void Aplicar(Conjunto conjunto, bool habilitar) {
        for (std::size_t c = 0; c < kNumControles; ++c)
            if (conjunto.Contiene(static_cast<Control>(c))) modelo_[c] = habilitar;
    }

    void Verificar(bool seriesEnteras) {
        const Simulacion& s = sim_.Estado();
        for (double v : {double{s.Volumen}, double{s.Accion_Control}, double{s.T_Muestreo}, double{s.R_Hidraulica},
                         double{s.Tau}, double{s.Nivel_Max}, double{s.Error_Ant}, double{s.Integral}, double{s.D_Error},
                         s.Salida_Fuzzy, s.Salida_Fuzzy_Ant})
            Exigir(std::isfinite(v), "a value that is not finite in the Simulation state");
        for (const Serie* serie : {&sim_.Series1(), &sim_.Series2(), &sim_.Series3()}) {
            const std::size_t n = serie->Cuenta();
            // the whole series after each event, the last points after each tick of a burst
            const std::size_t desde = seriesEnteras || n < 3 ? 0 : n - 3;
            for (std::size_t k = desde; k < n; ++k) {
                Exigir(std::isfinite(serie->X(k)) && std::isfinite(serie->Y(k)), "a point that is not finite");
                Exigir(k == 0 || serie->X(k - 1) <= serie->X(k), "a series out of ascending x");
            }
        }
        Exigir(std::int64_t{sim_.Nivel().Top} + sim_.Nivel().Height == kBarraFondo,
               "the level bar left its bottom edge");

        int activos = 0;
        for (std::size_t r = 0; r < kNumCorridas; ++r) activos += sim_.Timer(static_cast<Corrida>(r)).Enabled;
        for (std::size_t c = 0; c < kNumControles; ++c)
            Exigir(sim_.Habilitado(static_cast<Control>(c)) == modelo_[c],
                   "the enabled controls differ from the starts and stops seen");
        if (sim_.Timer(Corrida::Escalon).Enabled)
            Exigir(!sim_.Habilitado(Control::Track_Referencia), "the slider is enabled during the step run");
        if (sim_.Timer(Corrida::PID).Enabled)
            Exigir(!sim_.Habilitado(Control::ToolButton10), "the fuzzy button is enabled during the PID run");
        if (conCompuerta_) {
            Exigir(activos <= 2, "three runs active");
            if (activos == 2)
                for (std::size_t r = 0; r < kBoton.size(); ++r)
                    if (!sim_.Timer(static_cast<Corrida>(r)).Enabled)
                        Exigir(!sim_.Habilitado(kBoton[r]), "two runs active and the third one's button enabled");
        }
    }

    const std::uint8_t* d_;
    std::size_t n_;
    std::size_t i_ = 0;
    TextosMapa textos_;
    PosicionVariable posicion_;
    bool conCompuerta_;
    Simulador sim_;
    std::array<bool, kNumControles> modelo_{};
    std::array<bool, kNumCorridas> activo_{};
    std::vector<Evento> pila_;
    int ticks_ = 0;
    bool conNul_ = false;  // some text holds a NUL
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    Conductor conductor(datos, n);
    conductor.Correr();
    return 0;
}
