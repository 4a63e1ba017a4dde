#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/grabacion.h"
#include "tests/core/guion_grabado.h"

namespace {

using Programa = std::vector<EventoPrograma>;

// Every point of the three series, bit for bit, as (x, y) pairs in order.
std::vector<std::pair<double, double>> Puntos(const Serie& s) {
    std::vector<std::pair<double, double>> p;
    for (std::size_t i = 0; i < s.Cuenta(); ++i) p.emplace_back(s.X(i), s.Y(i));
    return p;
}

// A second simulator that starts as the session started, the schedule replayed on it.
struct Reproduccion {
    Reproduccion() : textos(TextosIniciales('.')), sim(textos, posicion, mensajes) {}
    TextosMapa textos;
    PosicionValor posicion;
    Grabadora mensajes;
    Simulador sim;
};

void EsperarIguales(const Simulador& a, const Simulador& b) {
    EXPECT_EQ(Puntos(a.Series1()), Puntos(b.Series1()));
    EXPECT_EQ(Puntos(a.Series2()), Puntos(b.Series2()));
    EXPECT_EQ(Puntos(a.Series3()), Puntos(b.Series3()));
    const MuestrasGrafico ma = a.MuestrasExportadas(true, 0, 0), mb = b.MuestrasExportadas(true, 0, 0);
    EXPECT_EQ(ma.muestras, mb.muestras);
    EXPECT_EQ(ma.acciones, mb.acciones);
    EXPECT_EQ(ma.niveles, mb.niveles);
    for (std::size_t c = 0; c < kNumCorridas; ++c) {
        EXPECT_EQ(a.Timer(static_cast<Corrida>(c)).Tag, b.Timer(static_cast<Corrida>(c)).Tag) << c;
        EXPECT_EQ(a.Timer(static_cast<Corrida>(c)).Enabled, b.Timer(static_cast<Corrida>(c)).Enabled) << c;
    }
    EXPECT_EQ(Bits(a.Estado().Volumen), Bits(b.Estado().Volumen));
    EXPECT_EQ(Bits(a.Estado().Integral), Bits(b.Estado().Integral));
    EXPECT_EQ(a.Nivel().Top, b.Nivel().Top);
}

}  // namespace

TEST(Grabacion, AnotaCadaAccionConSuMuestraYJuntaLosTicksSeguidos) {
    SesionGrabada s;
    s.Texto("Kp", "3");        // no run: no sample
    s.Alternar(Corrida::PID);  // the counter of the run pressed
    s.Ticks(Corrida::PID, 3);  // one event, the sample of the first tick
    s.Mover(4);                // the first active run's counter
    s.Ticks(Corrida::PID, 2);  // the slider came between: another event
    s.InicializarFuzzy();
    s.Alternar(Corrida::Fuzzy);  // its own counter, 0, although PID is at 5
    s.Ticks(Corrida::Fuzzy, 1);
    s.Ticks(Corrida::PID, 1);  // another run: another event
    s.Limpiar();
    s.Ticks(Corrida::PID, 1);  // after Limpiar the counters are 0
    const Programa esperado{
        {EventoTexto{"Kp", "3"}, std::nullopt}, {EventoAlternar{Corrida::PID}, 0},
        {EventoTicks{Corrida::PID, 3}, 0},      {EventoPosicion{4}, 3},
        {EventoTicks{Corrida::PID, 2}, 3},      {EventoInicializarFuzzy{}, 5},
        {EventoAlternar{Corrida::Fuzzy}, 0},    {EventoTicks{Corrida::Fuzzy, 1}, 0},
        {EventoTicks{Corrida::PID, 1}, 5},      {EventoLimpiar{}, 6},
        {EventoTicks{Corrida::PID, 1}, 0},
    };
    EXPECT_EQ(s.g.Programa(), esperado);
    s.g.Vaciar();
    EXPECT_TRUE(s.g.Programa().empty());
}

TEST(Grabacion, UnTickAnotadoCuentaUnoAunqueDigaOtraCosa) {
    SesionGrabada s;
    s.g.Anotar(s.sim, EventoTicks{Corrida::Escalon, 40});
    s.g.Anotar(s.sim, EventoTicks{Corrida::Escalon, 7});
    EXPECT_EQ(s.g.Programa(), (Programa{{EventoTicks{Corrida::Escalon, 2}, 0}}));
}

// The oracle: the simulator that the script drove. Its replay, from the same start, makes the same chart.
TEST(Grabacion, LaReproduccionHaceElMismoGraficoQueLaSesion) {
    SesionGrabada s;
    s.Guion();
    Reproduccion r;
    Reproducir(r.sim, r.textos, r.posicion, s.g.Programa());
    EsperarIguales(s.sim, r.sim);
    EXPECT_GT(s.sim.Series1().Cuenta(), 50u);
    EXPECT_EQ(r.mensajes.mostrados, s.mensajes.mostrados);
    EXPECT_EQ(r.mensajes.repetidos, s.mensajes.repetidos);
    EXPECT_EQ(r.posicion.valor, 5);
}

TEST(Grabacion, LaReproduccionPasaPorElArchivoSinCambiar) {
    SesionGrabada s;
    s.Guion();
    Configuracion c;
    c.programa = s.g.Programa();
    const Configuracion leida =
        LeerConfiguracion(EscribirConfiguracion(c),
                          std::vector<std::string>{"Senal_Tipo", "Senal_Maximo", "Ruido_Desviacion", "Ruido_Semilla",
                                                   "Kp", "KU", "Alto_Escalon"})
            .configuracion;
    ASSERT_EQ(leida, c);
    Reproduccion r;
    Reproducir(r.sim, r.textos, r.posicion, *leida.programa);
    EsperarIguales(s.sim, r.sim);
}

TEST(Grabacion, ElSeguimientoVeCadaEventoYCadaMuestraHecha) {
    SesionGrabada s;
    s.Alternar(Corrida::Escalon);
    s.Ticks(Corrida::Escalon, 3);
    s.Texto("Alto_Escalon", "x");  // a tick that fails makes no sample
    s.Ticks(Corrida::Escalon, 1);
    s.Alternar(Corrida::Escalon);
    s.Ticks(Corrida::Escalon, 2);  // ticks of a stopped timer do nothing
    Reproduccion r;
    std::vector<std::size_t> numeros;
    int muestras = 0;
    Reproducir(r.sim, r.textos, r.posicion, s.g.Programa(),
               {[&](std::size_t n, const AccionPrograma&) { numeros.push_back(n); },
                [&](Corrida c) {
                    EXPECT_EQ(c, Corrida::Escalon);
                    ++muestras;
                }});
    EXPECT_EQ(numeros, (std::vector<std::size_t>{1, 2, 2, 2, 3, 4, 5, 6, 6}));
    EXPECT_EQ(muestras, 3);
}

TEST(Grabacion, TextosYDeslizadorSinCorridaActuanAlEmpezar) {
    // recorded while nothing runs, they are applied in order and the next start reads them
    const Programa p{
        {EventoTexto{"T_Sample", "250"}, std::nullopt},
        {EventoTexto{"Kp", "1,5"}, std::nullopt},
        {EventoTexto{"Kp", "4"}, std::nullopt},
        {EventoPosicion{7}, std::nullopt},
        {EventoAlternar{Corrida::PID}, 0},
        {EventoTicks{Corrida::PID, 20}, 0},
    };
    Reproduccion r;
    Reproducir(r.sim, r.textos, r.posicion, p);
    // the same run made by hand
    Banco b;
    b.textos.Poner("T_Sample", "250");
    b.textos.Poner("Kp", "4");
    b.posicion.valor = 7;
    b.sim.ToolButton13Click();
    for (int k = 0; k < 20; ++k) b.sim.Timer4Timer();
    EsperarIguales(b.sim, r.sim);
    EXPECT_EQ(r.textos.Texto("Kp"), "4");
    EXPECT_EQ(r.sim.Estado().T_Muestreo, 0.25);
}

TEST(Grabacion, UnaMuestraQueNoCoincideDetieneLaReproduccionNombrandoElEvento) {
    struct Caso {
        Programa programa;
        const char* texto;
    };
    const Caso casos[] = {
        // a tick recorded at a sample that the run has not reached
        {{{EventoAlternar{Corrida::PID}, 0}, {EventoTicks{Corrida::PID, 4}, 0}, {EventoTicks{Corrida::PID, 1}, 3}},
         "El programa no se puede reproducir: el evento 3 (1 tick de pid) se grabó en la muestra 3 y al "
         "reproducirlo llega en la muestra 4."},
        // a text recorded while no run went, replayed while one goes
        {{{EventoAlternar{Corrida::Escalon}, 0}, {EventoTexto{"Kp", "2"}, std::nullopt}},
         "El programa no se puede reproducir: el evento 2 (texto de Kp) se grabó sin corrida activa y al "
         "reproducirlo llega en la muestra 0."},
        // the other way round
        {{{EventoLimpiar{}, 0}},
         "El programa no se puede reproducir: el evento 1 (Limpiar) se grabó en la muestra 0 y al reproducirlo "
         "llega sin corrida activa."},
        {{{EventoAlternar{Corrida::Fuzzy}, 2}},
         "El programa no se puede reproducir: el evento 1 (botón de fuzzy) se grabó en la muestra 2 y al "
         "reproducirlo llega en la muestra 0."},
        {{{EventoPosicion{3}, 1}},
         "El programa no se puede reproducir: el evento 1 (posición 3 de Track_Referencia) se grabó en la muestra "
         "1 y al reproducirlo llega sin corrida activa."},
        {{{EventoInicializarFuzzy{}, -1}},
         "El programa no se puede reproducir: el evento 1 (Inicializar Control Fuzzy) se grabó en la muestra -1 y "
         "al reproducirlo llega sin corrida activa."},
    };
    for (const Caso& c : casos) {
        Reproduccion r;
        EXPECT_EQ(TextoDelError<ErrorConfiguracion>([&] { Reproducir(r.sim, r.textos, r.posicion, c.programa); }),
                  c.texto);
    }
    // what came before the event stays done
    Reproduccion r;
    EXPECT_THROW(Reproducir(r.sim, r.textos, r.posicion, casos[0].programa), ErrorConfiguracion);
    EXPECT_EQ(r.sim.Timer(Corrida::PID).Tag, 4);
    EXPECT_TRUE(r.sim.Timer(Corrida::PID).Enabled);
}

TEST(Grabacion, LaConfiguracionPoneTextosCeldasYPosicion) {
    TextosMapa t = TextosIniciales('.');
    PosicionValor p;
    EXPECT_EQ(p.Leer(), 2);
    Configuracion c;
    c.textos = {{"Kp", "7"}, {"Reglas_2_3", "4"}};
    AplicarConfiguracion(c, t, p);
    EXPECT_EQ(t.Texto("Kp"), "7");
    EXPECT_EQ(t.Celda(3, 2), "4");
    EXPECT_EQ(t.Texto("Ti"), "5");  // what the set-up does not name stays
    EXPECT_EQ(p.Leer(), 2);         // no position saved: the slider stays
    c.posicion = -9;
    AplicarConfiguracion(c, t, p);
    EXPECT_EQ(p.Leer(), -9);
}
