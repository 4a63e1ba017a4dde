// The ticks of the three runs: one sample each, around the plant step.

#include "base/aritmetica.h"
#include "core/corridas/corrida.h"
#include "core/lectura.h"
#include "core/simulador.h"

namespace {

// The PID and fuzzy ticks begin alike: the controller's sample time, its three gains and the reference,
// read in this order before anything else happens, so that a text that does not convert changes nothing.
struct Lecturas {
    double T;
    double ganancia[3];
    double referencia;
    std::int32_t posicion;  // the slider's, as read
};

Lecturas Leer(const Textos& textos, const Posicion& posicion, Corrida corrida) {
    Lecturas l{};
    // T_Sample in milliseconds, converted as a floating-point number this time
    l.T = ConNombre("T_Sample", [&] { return aDouble(LeerFlotante(textos, "T_Sample") * 0.001L); });
    const auto nombres = Definicion(corrida).ganancias;
    for (int i = 0; i < 3; ++i) l.ganancia[i] = LeerDouble(textos, nombres[i]);
    // the slider's whole positions give the reference in steps of 0.5
    l.posicion = posicion.Leer();
    l.referencia = aDouble(l.posicion * 0.5L);
    return l;
}

// The counter goes on past the largest 32-bit value by wrapping, as a 32-bit tag does.
std::int32_t Siguiente(std::int32_t n) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(n) + 1u); }

}  // namespace

void Simulador::Tick(Corrida corrida) {
    switch (corrida) {
        case Corrida::Escalon: return Timer1Timer();
        case Corrida::PID: return Timer4Timer();
        case Corrida::Fuzzy: return Timer5Timer();
    }
}

void Simulador::Timer1Timer() {
    Temporizador& timer = TimerDe(Corrida::Escalon);
    const std::int32_t n = timer.Tag;
    // Alto_Escalon, or the excitation signal at n; then the noise's texts
    const float a = EntradaAbierta(n);
    // the inflow of this sample flows in during this same tick
    estado_.Accion_Control = a;
    if (grafico_) {
        parejas_.AccionAntesDelNivel(series2_.Agregar(n, a));
        pendientes_ |= CambioSeries;
    }
    float y;
    try {
        // the level as measured, with the noise of sample n
        y = Medido(PasoPlanta(Corrida::Escalon), n);
    } catch (...) {
        // the action stays plotted, a point with no level beside it: the export leaves it out
        if (grafico_) parejas_.NivelQueNoLlego();
        throw;
    }
    AgregarNivel(Corrida::Escalon, n, y);
    ultima_ = {n, a, y, 0, false};
    ActualizarBarra(y);
    AnotarIndices(Corrida::Escalon);
    timer.Tag = Siguiente(timer.Tag);
    Avisar(0);
}

void Simulador::Timer4Timer() {
    Temporizador& timer = TimerDe(Corrida::PID);
    const Lecturas l = Leer(textos_, posicion_, Corrida::PID);
    const double T = l.T, Kp = l.ganancia[0], Ti = l.ganancia[1], Td = l.ganancia[2], r = l.referencia;
    calendario_.Anotar(timer.Tag, l.posicion);
    LeerRuido(Corrida::PID, timer.Tag);

    // the plant receives the action of the previous tick; the controller sees the level as measured
    const float y = Medido(PasoPlanta(Corrida::PID), timer.Tag);
    ActualizarBarra(y);

    const Simulacion& s = estado_;
    const double e = aDouble(static_cast<long double>(r) - y);
    // trapezoid of the error; Ti divides it only where it is used
    const double I = aDouble((static_cast<long double>(e) + s.Error_Ant) * (T / 2.0L) + s.Integral);
    // backward difference of the error
    const double D = aDouble(Dividir(1, T) * (static_cast<long double>(e) - s.Error_Ant));
    // u = Kp ((I / Ti + e) + D Td), in exactly this grouping
    estado_.Accion_Control = aSingle(Kp * ((Dividir(I, Ti) + e) + static_cast<long double>(D) * Td));

    AgregarDesplazando(Corrida::PID, timer.Tag, y, estado_.Accion_Control, r);
    estado_.Error_Ant = aSingle(e);
    estado_.Integral = aSingle(I);
    AnotarIndices(Corrida::PID);
    timer.Tag = Siguiente(timer.Tag);
    Avisar(0);
}

void Simulador::Timer5Timer() {
    Temporizador& timer = TimerDe(Corrida::Fuzzy);
    // An initialisation that failed while the run was going left the controller half built (fresh sets
    // of width 0, or the rule table half read): the run does not go on with it.
    if (!fuzzyInicializado_) throw ErrorTanque(kFuzzySinInicializar);
    const Lecturas l = Leer(textos_, posicion_, Corrida::Fuzzy);
    const double Ts = l.T, KE = l.ganancia[0], KDE = l.ganancia[1], KU = l.ganancia[2], Referencia = l.referencia;
    calendario_.Anotar(timer.Tag, l.posicion);
    LeerRuido(Corrida::Fuzzy, timer.Tag);

    const float nivel = Medido(PasoPlanta(Corrida::Fuzzy), timer.Tag);
    ActualizarBarra(nivel);

    Simulacion& s = estado_;
    const double Error = aDouble((static_cast<long double>(Referencia) - nivel) * KE);
    // (1 / Ts) (Error - Error_Ant) KDE: the reciprocal first, then the two products
    s.D_Error = aSingle(Dividir(1, Ts) * (static_cast<long double>(Error) - s.Error_Ant) * KDE);
    entradaFuzzy_ = {entradaFuzzy_.cuenta + 1, timer.Tag, Error, s.D_Error};
    s.Salida_Fuzzy = fuzzy_.Inferir(Error, s.D_Error);
    // the crisp output is a rate of change of the action: integrate it by the trapezoid rule
    const double Integral_Nueva =
        aDouble((static_cast<long double>(s.Salida_Fuzzy) + s.Salida_Fuzzy_Ant) * (Ts / 2.0L) + s.Integral);
    s.Accion_Control = aSingle(Integral_Nueva * static_cast<long double>(KU));
    s.Salida_Fuzzy_Ant = s.Salida_Fuzzy;
    s.Error_Ant = aSingle(Error);
    s.Integral = aSingle(Integral_Nueva);

    AgregarDesplazando(Corrida::Fuzzy, timer.Tag, nivel, s.Accion_Control, Referencia);
    AnotarIndices(Corrida::Fuzzy);
    timer.Tag = Siguiente(timer.Tag);
    Avisar(0);
}
