#include "core/simulador.h"

#include "base/aritmetica.h"
#include "core/constantes.h"
#include "core/corridas/corrida.h"
#include "core/planta.h"

Simulador::Simulador(const Textos& textos, const Posicion& posicion, Mensajes& mensajes, Series series)
    : textos_(textos), posicion_(posicion), mensajes_(mensajes), grafico_(series == Series::Guardar) {
    habilitado_.fill(true);
    // Timer1 comes with the tick interval; the other two carry another until their toggles set it
    for (const DefinicionCorrida& d : Corridas()) TimerDe(d.id).Interval = d.intervaloInicial;
}

void Simulador::Avisar(unsigned cambios) {
    pendientes_ |= cambios;
    if (avisar_ && pendientes_ != 0) {
        const unsigned c = pendientes_;
        pendientes_ = 0;
        avisar_(c);
    }
}

void Simulador::Mostrar(const std::string& texto) {
    Avisar(0);  // the window shows the state as it is behind the message
    mensajes_.Mostrar(texto);
}

void Simulador::Habilitar(Conjunto conjunto, bool habilitar) {
    for (std::size_t i = 0; i < kNumControles; ++i)
        if (conjunto.Contiene(static_cast<Control>(i))) habilitado_[i] = habilitar;
    pendientes_ |= CambioControles;
}

void Simulador::Alternar(Corrida corrida) {
    Temporizador& timer = TimerDe(corrida);
    const Conjunto inicio = Definicion(corrida).inicio;
    OlvidarFallo(corrida);  // a press of the button shows the next failure in a box again
    origen_.NuevoTramo();   // the press empties the tank below: the chart's record breaks here
    timer.Interval = kIntervaloTick;
    LeerParametrosPlanta(estado_, textos_);
    // the run's part of the state, in this order; a stop empties the tank as much as a start
    if (corrida != Corrida::Escalon) {
        estado_.Error_Ant = 0;
        estado_.Integral = 0;
    }
    estado_.Volumen = 0;
    estado_.Accion_Control = 0;
    if (corrida == Corrida::Fuzzy) estado_.Salida_Fuzzy_Ant = 0;

    if (timer.Enabled) {
        timer.Enabled = false;
        Habilitar(inicio, true);
        timer.Tag = 0;
        pendientes_ |= CambioTemporizadores;
        Mostrar(kCicloParado);
        return;
    }
    // A period of 0 would never end the integrator, a negative one would run the plant backwards.
    if (!(estado_.T_Muestreo > 0)) {
        Mostrar(kMuestreoNoPositivo);
        return;
    }
    if (corrida == Corrida::Fuzzy && !fuzzyInicializado_) {
        Mostrar(kFuzzySinInicializar);
        return;
    }
    timer.Enabled = true;
    bitacoras_.Empezar(corrida, textos_, posicion_, estado_, fuzzy_);
    Habilitar(inicio, false);
    EmpezarIndices(corrida);
    Avisar(CambioTemporizadores);
}

float Simulador::PasoPlanta(Corrida corrida) {
    const float v = RK(estado_, estado_.Volumen);
    const float y = CalcularNivel(estado_, v);
    origen_.Anotar(corrida, estado_);
    if (y > estado_.Nivel_Max) {
        origen_.Desborde(corrida);
        // the overflow stop: the tick itself goes on once the message is dismissed
        TimerDe(corrida).Enabled = false;
        Habilitar(Definicion(corrida).desborde, true);
        pendientes_ |= CambioTemporizadores;
        Mostrar(kNivelSuperado);
    }
    estado_.Volumen = v;
    return y;
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

void Simulador::AgregarDesplazando(Corrida corrida, std::int32_t n, float y, float u, double r) {
    ultima_ = {n, u, y, r, true};
    if (!grafico_) return;
    // the counter decides, not the number of points: a run started on an empty chart keeps
    // kMuestrasVentana points
    if (n >= kMuestrasVentana) {
        parejas_.PrimerosABorrar();
        bitacoras_.PrimeroBorrado();
        series1_.BorrarPrimero();
        series2_.BorrarPrimero();
        series3_.BorrarPrimero();
    }
    const std::size_t j = series1_.Agregar(n, y);
    const std::size_t i = series2_.Agregar(n, u);
    series3_.Agregar(n, r);
    parejas_.Par(j, i);
    bitacoras_.Agregado(corrida, j);
    pendientes_ |= CambioSeries;
}

void Simulador::LimpiarClick() {
    for (Temporizador& t : timers_) t.Tag = 0;
    series1_.Limpiar();
    series2_.Limpiar();
    series3_.Limpiar();
    parejas_.Limpiar();
    bitacoras_.Limpiado();
    nivel_ = Barra{};
    origen_.Limpiar();
    for (IndicesCorrida& i : indices_) i.indices.Reiniciar();
    calendario_.Limpiar();
    Avisar(CambioSeries | CambioBarra | CambioIndices);
}
