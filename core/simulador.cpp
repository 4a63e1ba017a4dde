#include "core/simulador.h"

#include "core/constantes.h"
#include "core/corridas/corrida.h"
#include "core/planta/bomba.h"
#include "core/planta/tanque.h"

Simulador::Simulador(const Textos& textos, const Posicion& posicion, Mensajes& mensajes, Series series)
    : textos_(textos),
      posicion_(posicion),
      mensajes_(mensajes),
      planta_(&TanqueLineal()),
      grafico_(series == Series::Guardar) {
    habilitado_.fill(true);
    for (const DefinicionCorrida& d : Corridas()) {
        leyes_[static_cast<std::size_t>(d.id)] = d.ley();
        // Timer1 comes with the tick interval; the other two carry another until their toggles set it
        TimerDe(d.id).Interval = d.intervaloInicial;
    }
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
    observadores_.Pulsado(corrida);  // the press empties the tank below: the chart's record breaks here
    timer.Interval = kIntervaloTick;
    planta_ = &PlantaDe(textos_);
    planta_->LeerParametros(estado_, textos_);
    estado_.bomba = LeerLimitesBomba(textos_);
    const std::optional<ParametrosPerturbacion> perturbacion = LeerPerturbacion(textos_);
    const ConstantesSensor sensor = LeerSensor(textos_);
    perturbacion_.reset();
    if (perturbacion) perturbacion_.emplace(*perturbacion);
    ultimaPerturbacion_ = 0;
    sensor_.Empezar(sensor, estado_.T_Muestreo);
    // the run's part of the state; a stop empties the tank as much as a start
    LeyDe(corrida).Reiniciar(estado_);
    LeyDe(corrida).Preparar(estado_, textos_);
    planta_->Vaciar(estado_);
    estado_.Accion_Control = 0;
    estado_.Accion_Comandada = 0;

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
    if (const char* impedimento = Impedimento(corrida)) {
        Mostrar(impedimento);
        return;
    }
    // a run without "Limpiar" before it draws its own line, not one zig-zagging through the last run's
    series1_.NuevoTramo();
    series2_.NuevoTramo();
    series3_.NuevoTramo();
    seriePerturbacion_.NuevoTramo();
    serieComandada_.NuevoTramo();
    timer.Enabled = true;
    Habilitar(inicio, false);
    observadores_.Empezo({corrida, textos_, posicion_, estado_, *planta_, fuzzy_});
    pendientes_ |= CambioIndices;
    Avisar(CambioTemporizadores);
}

void Simulador::LimpiarClick() {
    for (Temporizador& t : timers_) t.Tag = 0;
    series1_.Limpiar();
    series2_.Limpiar();
    series3_.Limpiar();
    seriePerturbacion_.Limpiar();
    serieComandada_.Limpiar();
    nivel_ = Barra{};
    observadores_.Limpiado();
    Avisar(CambioSeries | CambioBarra | CambioIndices);
}
