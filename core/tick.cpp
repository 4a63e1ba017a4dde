// The frame of a run's tick: its law (core/corridas/) does the sample through Paso, what a tick may touch; the
// simulator does the plant step, the bar, the chart and the excitation's reads for it, and ends the tick.

#include <algorithm>
#include <cmath>

#include "base/aritmetica.h"
#include "core/corridas/corrida.h"
#include "core/lectura.h"
#include "core/limite_grafico.h"
#include "core/planta/bomba.h"
#include "core/simulador.h"

namespace {

// The counter goes on past the largest 32-bit value by wrapping, as a 32-bit tag does.
std::int32_t Siguiente(std::int32_t n) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(n) + 1u); }

}  // namespace

class Simulador::Paso final : public PasoDeCorrida {
public:
    Paso(Simulador& s, Corrida corrida) : s_(s), corrida_(corrida) {}

    const Textos& TextosDelTick() const override { return s_.textos_; }
    std::int32_t Muestra() const override { return s_.Timer(corrida_).Tag; }
    Simulacion& Estado() override { return s_.estado_; }
    std::int32_t LeerPosicion(std::int32_t n) override {
        const std::int32_t p = s_.posicion_.Leer();
        s_.observadores_.PosicionLeida(n, p);
        return p;
    }
    float EntradaAbierta(std::int32_t n) override { return s_.EntradaAbierta(corrida_, n); }
    void LeerRuido(std::int32_t n) override { s_.LeerRuido(corrida_, n); }
    float PasoPlanta(std::int32_t n) override {
        try {
            // the level as measured, with the noise of sample n
            return s_.Medido(s_.PasoPlanta(corrida_), n);
        } catch (...) {
            // an action plotted before this step stays, a point with no level beside it: the export leaves it out
            if (accionSola_ && s_.grafico_) s_.observadores_.NivelPerdido();
            throw;
        }
    }
    float Aplicar(float comandada) override {
        s_.estado_.Accion_Comandada = comandada;
        return Limitar(s_.estado_.bomba, comandada);
    }
    void MoverBarra(float y) override { s_.ActualizarBarra(y); }
    void GraficarAccion(std::int32_t n, float u) override {
        accionSola_ = true;
        if (!s_.grafico_) return;
        s_.observadores_.AccionGraficada(s_.series2_.Agregar(n, u));
        s_.pendientes_ |= CambioSeries;
    }
    void GraficarNivel(std::int32_t n, float y, float u) override {
        accionSola_ = false;
        s_.AgregarNivel(corrida_, n, y);
        s_.ultima_ = {n, u, y, 0, false};
    }
    void Graficar(std::int32_t n, float y, float u, double r) override { s_.AgregarDesplazando(corrida_, n, y, u, r); }
    FIS& Controlador_Fuzzy() override { return s_.fuzzy_; }
    bool FuzzyInicializado() const override { return s_.fuzzyInicializado_; }
    void EntradasDeInferencia(std::int32_t n, double error, double derivada) override {
        s_.observadores_.Inferencia(n, error, derivada);
    }
    bool OtraCorridaActiva() const override {
        for (std::size_t c = 0; c < kNumCorridas; ++c)
            if (static_cast<Corrida>(c) != corrida_ && s_.Timer(static_cast<Corrida>(c)).Enabled) return true;
        return false;
    }

private:
    Simulador& s_;
    const Corrida corrida_;
    bool accionSola_ = false;  // an action was plotted whose level has not come yet
};

const char* Simulador::Impedimento(Corrida corrida) { return LeyDe(corrida).Impedimento(Paso(*this, corrida)); }

void Simulador::Tick(Corrida corrida) {
    Paso paso(*this, corrida);
    LeyDe(corrida).Tick(paso);
    // the tick's sample for the watchers: the one plotted last
    const MuestraGraficada& m = ultima_;
    observadores_.Muestra({corrida, m.n, m.accion, m.nivel,
                           m.conReferencia ? std::optional<double>(m.referencia) : std::nullopt, estado_.T_Muestreo,
                           Saturada()});
    if (observadores_.indices.Alimentadas(corrida)) pendientes_ |= CambioIndices;
    Temporizador& timer = TimerDe(corrida);
    timer.Tag = Siguiente(timer.Tag);
    // the chart's bound: the run stops as at an overflow, its points kept for "Archivo"
    if (grafico_ && series1_.Cuenta() >= kMaximoPuntosGrafico && timer.Enabled) {
        timer.Enabled = false;
        Habilitar(Definicion(corrida).desborde, true);
        pendientes_ |= CambioTemporizadores;
        Mostrar(kGraficoLleno);
    }
    Avisar(0);
}

float Simulador::PasoPlanta(Corrida corrida) {
    const Planta& planta = *planta_;  // a press inside the overflow's message may choose another
    AvancePlanta a;
    if (perturbacion_) {
        // the second outlet takes its demand from the pump's inflow over this period
        ultimaPerturbacion_ = perturbacion_->Valor(TimerDe(corrida).Tag);
        if (grafico_) {
            seriePerturbacion_.Agregar(TimerDe(corrida).Tag, ultimaPerturbacion_);
            pendientes_ |= CambioSeries;
        }
        Simulacion entrada = estado_;
        entrada.Accion_Control = aSingle(static_cast<long double>(estado_.Accion_Control) - ultimaPerturbacion_);
        a = planta.Paso(entrada);
        a.estado.Accion_Control = estado_.Accion_Control;
    } else {
        a = planta.Paso(estado_);
    }
    const float y = a.nivel;
    observadores_.PlantaAvanzo(corrida, estado_, planta);
    if (y > estado_.Nivel_Max) {
        observadores_.Desbordo(corrida);
        // the overflow stop: the tick itself goes on once the message is dismissed
        TimerDe(corrida).Enabled = false;
        Habilitar(Definicion(corrida).desborde, true);
        pendientes_ |= CambioTemporizadores;
        Mostrar(kNivelSuperado);
    }
    planta.Guardar(a, estado_);
    return y;
}

std::optional<bool> Simulador::Saturada() const {
    if (!estado_.bomba.Activos()) return std::nullopt;
    return EnLimite(estado_.bomba, estado_.Accion_Comandada);
}

float Simulador::Medido(float y, std::int32_t n) {
    if (!sensor_.Constantes().Activo()) return excitacion_.Medir(y, n);
    const float x = aSingle(sensor_.Filtrar(y));
    return sensor_.Cuantizar(excitacion_.Medir(x, n));
}

void Simulador::ActualizarBarra(float y) {
    // kBarraAltoMaximo pixels at the maximum level; the bar is not limited
    const float s = aSingle(Dividir(static_cast<long double>(y) * kBarraAltoMaximo, estado_.Nivel_Max));
    const std::int32_t p = Redondear(s);
    const std::int64_t top = std::int64_t{kBarraFondo} - p;
    if (top > INT32_MAX) throw ErrorPuntoFlotante(kOperacionInvalida);
    nivel_.Top = static_cast<std::int32_t>(top);
    nivel_.Height = p;
    pendientes_ |= CambioBarra;
}

std::optional<std::int32_t> Simulador::AltoSuperior() const {
    if (estado_.tanques.tanques != 2) return std::nullopt;
    if (!(estado_.tanques.HMax_2 > 0)) return 0;
    // the level never passes the rim: the bar never passes its tank
    const double f = std::min(1.0, estado_.Nivel_2 / estado_.tanques.HMax_2);
    return static_cast<std::int32_t>(std::lround(f * kBarraSuperiorAlto));
}

void Simulador::AgregarDesplazando(Corrida corrida, std::int32_t n, float y, float u, double r) {
    ultima_ = {n, u, y, r, true};
    if (!grafico_) return;
    // the counter decides, not the number of points: a run started on an empty chart keeps
    // kMuestrasVentana points
    if (n >= kMuestrasVentana) {
        observadores_.PrimerosABorrar();
        series1_.BorrarPrimero();
        series2_.BorrarPrimero();
        series3_.BorrarPrimero();
        // the disturbance keeps the same window as the level it acts on
        for (Serie* s : {&seriePerturbacion_, &serieComandada_})
            while (!s->Vacia() && !series1_.Vacia() && s->X(0) < series1_.X(0)) s->BorrarPrimero();
    }
    const std::size_t j = series1_.Agregar(n, y);
    const std::size_t i = series2_.Agregar(n, u);
    series3_.Agregar(n, r);
    AgregarComandada(n);
    observadores_.NivelGraficado(corrida, j, i);
    pendientes_ |= CambioSeries;
}

void Simulador::AgregarNivel(Corrida corrida, std::int32_t n, float y) {
    if (!grafico_) return;
    const std::size_t j = series1_.Agregar(n, y);
    AgregarComandada(n);
    observadores_.NivelGraficado(corrida, j, std::nullopt);
}

void Simulador::AgregarComandada(std::int32_t n) {
    if (estado_.bomba.Activos()) serieComandada_.Agregar(n, estado_.Accion_Comandada);
}

float Simulador::EntradaAbierta(Corrida corrida, std::int32_t n) {
    observadores_.AntesDelTick(corrida, n, textos_, posicion_);
    excitacion_.LeerSenal(textos_);
    // the step reads its amplitude as it always has; another signal gives its value at the run's counter
    const float a = excitacion_.EsEscalon() ? LeerSingle(textos_, "Alto_Escalon") : excitacion_.Entrada(n);
    excitacion_.LeerRuido(textos_);
    return a;
}

void Simulador::LeerRuido(Corrida corrida, std::int32_t n) {
    observadores_.AntesDelTick(corrida, n, textos_, posicion_);
    excitacion_.LeerRuido(textos_);
}
