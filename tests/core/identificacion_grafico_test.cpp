// The chart's record for the identification: the very samples the export writes, the run and the plant behind
// them, the refusals of a chart that holds no single record, and the estimates against the plant's truth.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/identificacion_grafico.h"
#include "export/formato.h"
#include "core/planta/tanque.h"
#include "identificacion/rechazos.h"
#include "tests/core/banco.h"

namespace {

// The lines of a file written by ArchivoClick, each without its CR LF.
std::vector<std::string> LineasExportadas(Simulador& sim, bool completo, double xmin, double xmax) {
    const std::string ruta = ArchivoDeLaPrueba("exportado.txt");
    sim.ArchivoClick(ruta, completo, xmin, xmax);
    std::ifstream archivo(ruta, std::ios::binary);
    std::stringstream texto;
    texto << archivo.rdbuf();
    std::filesystem::remove(ruta);
    std::vector<std::string> lineas;
    const std::string t = texto.str();
    for (std::size_t desde = 0; desde < t.size();) {
        const std::size_t fin = t.find("\r\n", desde);
        lineas.push_back(t.substr(desde, fin - desde));
        desde = fin + 2;
    }
    return lineas;
}

// The samples as export lines, to compare with the file.
std::vector<std::string> ComoLineas(const MuestrasGrafico& m) {
    EXPECT_EQ(m.acciones.size(), m.muestras.size());
    EXPECT_EQ(m.niveles.size(), m.muestras.size());
    std::vector<std::string> lineas;
    for (std::size_t k = 0; k < m.muestras.size(); ++k) {
        std::string l = LineaExportacion(m.muestras[k], m.acciones[k], m.niveles[k]);
        l.resize(l.size() - 2);
        lineas.push_back(l);
    }
    return lineas;
}

void Ticks(Simulador& sim, Corrida c, int n) {
    for (int i = 0; i < n; ++i) sim.Tick(c);
}

::testing::AssertionResult Cerca(double obtenido, double verdad, double tolerancia) {
    if (std::abs(obtenido / verdad - 1) <= tolerancia) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << obtenido << " is " << 100 * (obtenido / verdad - 1) << " % from " << verdad;
}

}  // namespace

// MuestrasExportadas against the file that Archivo writes for the same range, line for line: the whole range,
// zoomed ranges, a PID chart that has scrolled, and series of different lengths (a step tick that failed in
// the plant after plotting its action).
TEST(MuestrasGrafico, SonLasQueEscribeArchivo) {
    Banco b;
    b.sim.ToolButton4Click();
    Ticks(b.sim, Corrida::Escalon, 40);
    b.sim.ToolButton4Click();
    const struct {
        bool completo;
        double xmin, xmax;
        std::size_t lineas;
    } rangos[] = {
        {true, 0, 0, 40},       // the whole range
        {false, 5, 12.5, 14},   // up to the first point at or beyond xmax, 13
        {false, 0, 39, 40},     // the last point exactly at xmax
        {false, 50, 60, 0},     // nothing at or beyond xmin: no line
        {false, -10, 100, 40},  // beyond the last point: up to the last
    };
    for (const auto& r : rangos) {
        SCOPED_TRACE(std::to_string(r.xmin) + " .. " + std::to_string(r.xmax));
        const std::vector<std::string> archivo = LineasExportadas(b.sim, r.completo, r.xmin, r.xmax);
        EXPECT_EQ(archivo.size(), r.lineas);
        EXPECT_EQ(ComoLineas(b.sim.MuestrasExportadas(r.completo, r.xmin, r.xmax)), archivo);
    }
    // the first values exactly: the step's action, the level of the first sample
    const MuestrasGrafico m = b.sim.MuestrasExportadas(true, 0, 0);
    EXPECT_EQ(m.muestras[7], 7.0);
    EXPECT_EQ(m.acciones[7], 2.0);
    EXPECT_EQ(m.niveles[0], b.sim.Series1().Y(0));

    // a PID chart keeps its last 101 samples
    b.sim.LimpiarClick();
    b.sim.ToolButton13Click();
    Ticks(b.sim, Corrida::PID, 150);
    b.sim.ToolButton13Click();
    const MuestrasGrafico pid = b.sim.MuestrasExportadas(true, 0, 0);
    ASSERT_EQ(pid.muestras.size(), 101u);
    EXPECT_EQ(pid.muestras.front(), 49.0);
    EXPECT_EQ(ComoLineas(pid), LineasExportadas(b.sim, true, 0, 0));

    // a tick that fails in the plant has plotted its action but not its level: only where both have points
    b.sim.LimpiarClick();
    b.sim.ToolButton4Click();
    Ticks(b.sim, Corrida::Escalon, 3);
    b.textos.Poner("Area", "0");
    b.sim.ToolButton4Click();
    b.sim.ToolButton4Click();
    EXPECT_THROW(b.sim.Tick(Corrida::Escalon), ErrorPuntoFlotante);
    EXPECT_EQ(b.sim.Series2().Cuenta(), b.sim.Series1().Cuenta() + 1);
    EXPECT_EQ(b.sim.MuestrasExportadas(true, 0, 0).muestras.size(), b.sim.Series1().Cuenta());
    b.sim.ToolButton4Click();
    EXPECT_EQ(ComoLineas(b.sim.MuestrasExportadas(true, 0, 0)), LineasExportadas(b.sim, true, 0, 0));
}

// The stretches behind the chart: every press of a run's button empties the tank, so points from before and
// after a press are not one record; Limpiar forgets them all.
TEST(OrigenGrafico, CuentaTramosYCorridas) {
    Banco b;
    EXPECT_EQ(b.sim.Origen().Tramos(), 0);
    b.sim.ToolButton13Click();
    Ticks(b.sim, Corrida::PID, 5);
    EXPECT_EQ(b.sim.Origen().Tramos(), 1);
    EXPECT_EQ(b.sim.Origen().Ultima(), Corrida::PID);
    EXPECT_EQ(b.sim.Origen().Corridas(), 2u);
    EXPECT_EQ(b.sim.Origen().T_Muestreo(), 0.5f);
    ASSERT_TRUE(b.sim.Origen().Verdad());
    EXPECT_EQ(b.sim.Origen().Verdad()->K, 2.0);
    EXPECT_EQ(b.sim.Origen().Verdad()->Tau, 20.0);
    // the stop and a start that plots nothing add no stretch
    b.sim.ToolButton13Click();
    EXPECT_EQ(b.sim.Origen().Tramos(), 1);
    // the plant read at the next start is the one of the new stretch
    b.textos.Poner("T_Sample", "100");
    b.sim.ToolButton13Click();
    Ticks(b.sim, Corrida::PID, 1);
    EXPECT_EQ(b.sim.Origen().Tramos(), 2);
    EXPECT_EQ(b.sim.Origen().T_Muestreo(), 0.1f);
    b.sim.ToolButton13Click();
    // cleared: the same run again is one stretch
    b.sim.LimpiarClick();
    EXPECT_EQ(b.sim.Origen().Tramos(), 0);
    EXPECT_EQ(b.sim.Origen().Corridas(), 0u);
    b.sim.ToolButton4Click();
    Ticks(b.sim, Corrida::Escalon, 2);
    EXPECT_EQ(b.sim.Origen().Tramos(), 1);
    EXPECT_EQ(b.sim.Origen().Corridas(), 1u);
    EXPECT_FALSE(b.sim.Origen().Desbordo());
    // cleared in the middle of a run (the core allows it): the run's next point is one stretch
    b.sim.LimpiarClick();
    Ticks(b.sim, Corrida::Escalon, 2);
    EXPECT_EQ(b.sim.Origen().Tramos(), 1);
}

// The refusals, each with its text: what the chart holds is not one record of one run.
TEST(IdentificarGrafico, RechazosDelGrafico) {
    auto rechazo = [](Banco& b) {
        return TextoDelError<ErrorIdentificacion>([&] { IdentificarGrafico(b.sim, true, 0, 0); });
    };
    {
        Banco b;  // nothing plotted yet
        EXPECT_EQ(rechazo(b), TextoGraficoVacio());
        b.sim.ToolButton4Click();
        Ticks(b.sim, Corrida::Escalon, 20);
        EXPECT_EQ(rechazo(b), TextoCorridaActiva());
        b.sim.ToolButton4Click();
        // zoomed to the right of every point: the export writes nothing, there is nothing to identify
        EXPECT_EQ(TextoDelError<ErrorIdentificacion>([&] { IdentificarGrafico(b.sim, false, 30, 40); }),
                  TextoGraficoVacio());
        // a PID run after the step run, without Limpiar
        b.sim.ToolButton13Click();
        Ticks(b.sim, Corrida::PID, 20);
        b.sim.ToolButton13Click();
        EXPECT_EQ(rechazo(b),
                  "El gráfico tiene muestras de las corridas Escalón y PID, que no forman un solo registro: pulse "
                  "Limpiar y haga una sola corrida antes de identificar la planta.");
    }
    {
        Banco b;  // the same run twice
        for (int i = 0; i < 2; ++i) {
            b.sim.ToolButton4Click();
            Ticks(b.sim, Corrida::Escalon, 20);
            b.sim.ToolButton4Click();
        }
        EXPECT_EQ(rechazo(b),
                  "El gráfico tiene muestras de 2 tramos de la corrida Escalón (cada pulsación de un botón de "
                  "corrida vacía el tanque), que no forman un solo registro: pulse Limpiar y haga una sola corrida "
                  "antes de identificar la planta.");
    }
    {
        Banco b;  // a step run that overflows at its first tick plots one sample
        b.textos.Poner("Alto_Escalon", "200");
        b.sim.ToolButton4Click();
        b.sim.Tick(Corrida::Escalon);
        EXPECT_FALSE(b.sim.Timer(Corrida::Escalon).Enabled);
        EXPECT_EQ(rechazo(b),
                  "La corrida Escalón se detuvo porque el nivel superó el máximo permitido tras 1 muestra: el "
                  "registro es demasiado corto para identificar la planta (hacen falta al menos 10). Baje la "
                  "entrada o la referencia, o suba el nivel máximo, pulse Limpiar y repita la corrida.");
    }
    {
        Banco b;  // too short, without an overflow
        b.sim.ToolButton4Click();
        Ticks(b.sim, Corrida::Escalon, 5);
        b.sim.ToolButton4Click();
        EXPECT_EQ(rechazo(b), TextoRegistroCorto(5, kMinimoMuestras));
    }
    {
        Banco b;  // a constant record: the PID run with the reference at 0 leaves the tank empty
        b.posicion.valor = 0;
        b.sim.ToolButton13Click();
        Ticks(b.sim, Corrida::PID, 30);
        b.sim.ToolButton13Click();
        EXPECT_EQ(rechazo(b), TextoEntradaNula());
    }
}

// The truth beside the estimates: K = R, Tau = A R, and at 100 ms the samples' own time constant, A R / 1.1
// to the Singles' rounding, because the integrator takes 11 sub-steps of 10 ms a sample.
TEST(IdentificarGrafico, VerdadDeLaPlanta) {
    // the exact clock's 8 sub-steps of T / 8 integrate T itself: its samples show A R at every period
    const struct {
        const char* ms;
        const char* integrador;
        int subpasos;
        double tauMuestras;
    } casos[] = {{"500", "Programa", 10, 20.0},     {"100", "Programa", 11, 20.0 / 1.1},
                 {"2000", "Programa", 10, 20.0},    {"300", "Programa", 11, 20.0 / 1.1},
                 {"100", "Exacto", 8, 20.0},        {"300", "Exacto", 8, 20.0}};
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.ms) + " " + c.integrador);
        Banco b;
        b.textos.Poner("T_Sample", c.ms);
        b.textos.Poner("Integrador", c.integrador);
        b.sim.ToolButton4Click();
        b.sim.Tick(Corrida::Escalon);
        const VerdadPlanta v = VerdadDe(b.sim.Origen());
        EXPECT_EQ(v.K, 2.0);
        EXPECT_EQ(v.Tau, 20.0);
        EXPECT_EQ(v.subpasos, c.subpasos);
        EXPECT_TRUE(Cerca(v.TauMuestras, c.tauMuestras, 1e-6));
        EXPECT_EQ(v.Difieren(), c.tauMuestras != 20.0);
        EXPECT_EQ(v.Difieren(), std::abs(v.TauMuestras / v.Tau - 1) > 0.01);
    }
    // a plant that has no first-order reading gives the identification nothing to compare with
    struct SinVerdad : public Planta {
        std::span<const char* const> NombresTextos() const override { return TanqueLineal().NombresTextos(); }
        void LeerParametros(Simulacion& s, const Textos& t) const override { TanqueLineal().LeerParametros(s, t); }
        void Vaciar(Simulacion& s) const override { TanqueLineal().Vaciar(s); }
        AvancePlanta Paso(const Simulacion& s) const override { return TanqueLineal().Paso(s); }
        void Guardar(const AvancePlanta& a, Simulacion& s) const override { TanqueLineal().Guardar(a, s); }
        RelojPlanta Reloj(float T) const override { return TanqueLineal().Reloj(T); }
        std::optional<ModeloPrimerOrden> Verdad(const Simulacion&) const override { return std::nullopt; }
        double Estacionario(const Textos& t, double u) const override { return TanqueLineal().Estacionario(t, u); }
    } sinVerdad;
    OrigenGrafico origen;
    origen.Anotar(Corrida::Escalon, Banco().sim.Estado(), sinVerdad);
    EXPECT_EQ(TextoDelError<ErrorIdentificacion>([&] { VerdadDe(origen); }), TextoSinVerdad());
    EXPECT_EQ(ErrorRelativo(2.5, 2.0), 0.25);
    EXPECT_EQ(ErrorRelativo(1.5, 2.0), -0.25);
    EXPECT_THROW(ErrorRelativo(1, 0), ErrorPuntoFlotante);
}

// The step run at 100 ms and the PID and fuzzy runs at 500 ms, identified from the chart with the delay of
// their run: K and Tau within 0.5 % of R and of the samples' time constant, for every method that applies.
TEST(IdentificarGrafico, EstimacionesContraLaVerdad) {
    const struct {
        Corrida corrida;
        const char* ms;
        int ticks;
        int retardo;
        std::size_t metodos;
    } casos[] = {
        {Corrida::Escalon, "100", 2500, 0, 3},  // 13.75 time constants of the samples
        {Corrida::Escalon, "500", 400, 0, 3},
        {Corrida::PID, "500", 300, 1, 2},
        {Corrida::Fuzzy, "500", 300, 1, 2},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(TituloCorrida(c.corrida) + ", " + c.ms + " ms");
        Banco b;
        b.textos.Poner("T_Sample", c.ms);
        b.sim.ToolButton11Click();
        b.sim.Alternar(c.corrida);
        for (int i = 0; i < c.ticks; ++i) {
            // the reference moves within the closed loops' last 101 samples
            if (i == c.ticks - 80) b.posicion.valor = 5;
            b.sim.Tick(c.corrida);
        }
        b.sim.Alternar(c.corrida);
        const IdentificacionGrafico g = IdentificarGrafico(b.sim, true, 0, 0);
        EXPECT_EQ(g.corrida, c.corrida);
        EXPECT_EQ(g.retardo, c.retardo);
        EXPECT_EQ(g.registro.T, static_cast<double>(b.sim.Origen().T_Muestreo()));
        ASSERT_EQ(g.metodos.size(), c.metodos);
        EXPECT_EQ(g.elegido, 1u);  // OE
        for (const ResultadoMetodo& m : g.metodos) {
            SCOPED_TRACE(m.metodo);
            ASSERT_TRUE(m.estimacion) << m.motivo;
            EXPECT_TRUE(Cerca(m.estimacion->K, g.verdad.K, 0.005));
            EXPECT_TRUE(Cerca(m.estimacion->Tau, g.verdad.TauMuestras, 0.005));
            EXPECT_EQ(m.estimacion->retardo, c.retardo);
            EXPECT_GT(m.estimacion->ajuste, 99.0);
        }
    }
}

// A step run too short for the step reading (under five time constants) is still identified by ARX and OE;
// the reading keeps its reason.
TEST(IdentificarGrafico, LecturaDelEscalonSinAsentar) {
    Banco b;
    b.sim.ToolButton4Click();
    Ticks(b.sim, Corrida::Escalon, 60);
    b.sim.ToolButton4Click();
    const IdentificacionGrafico g = IdentificarGrafico(b.sim, true, 0, 0);
    ASSERT_EQ(g.metodos.size(), 3u);
    EXPECT_TRUE(g.metodos[0].estimacion && g.metodos[1].estimacion);
    EXPECT_FALSE(g.metodos[2].estimacion);
    EXPECT_EQ(g.metodos[2].motivo.rfind("La respuesta no se ha asentado", 0), 0u) << g.metodos[2].motivo;
    EXPECT_TRUE(Cerca(g.metodos[1].estimacion->Tau, 20, 0.005));
}

// The plants without a first-order truth identified from the chart: the orifice against its linearisation at the
// record's mean level h0, the slope of its steady-state curve h = (u / k)^2 there (a central difference of the
// curve, not the plant's formula), Tau = A K; two tanks against their second-order constants A R and A_2 R_2, and
// the first-order estimate's Tau against T1 + T2.
TEST(IdentificarGrafico, VerdadDeLasPlantasNoLineales) {
    const struct {
        const char* modelo;
        TipoVerdad tipo;
    } casos[] = {{"Orificio", TipoVerdad::Orificio}, {"Dos Tanques", TipoVerdad::DosTanques}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.modelo);
        Banco b;
        b.textos.Poner("Modelo_Planta", c.modelo);
        b.textos.Poner("Area_2", "4");
        b.textos.Poner("Resistencia_2", "1.5");
        b.sim.ToolButton4Click();
        Ticks(b.sim, Corrida::Escalon, 400);
        b.sim.ToolButton4Click();
        const IdentificacionGrafico g = IdentificarGrafico(b.sim, true, 0, 0);
        double suma = 0;
        for (double y : g.registro.nivel) suma += y;
        const double h0 = suma / static_cast<double>(g.registro.nivel.size());
        const VerdadPlanta& v = g.verdad;
        EXPECT_EQ(v.tipo, c.tipo);
        EXPECT_EQ(v.nivelOperacion, h0);
        if (c.tipo == TipoVerdad::Orificio) {
            const double k = 1.58113883, u0 = k * std::sqrt(h0), d = 1e-4;
            const double pendiente = (std::pow((u0 + d) / k, 2) - std::pow((u0 - d) / k, 2)) / (2 * d);
            EXPECT_TRUE(Cerca(v.K, pendiente, 1e-6));
            EXPECT_TRUE(Cerca(v.Tau, 10 * pendiente, 1e-6));
            EXPECT_EQ(v.T2, 0.0);
        } else {
            EXPECT_EQ(v.K, 2.0);
            EXPECT_EQ(v.Tau, 20.0);
            EXPECT_EQ(v.T2, 6.0);
            EXPECT_FALSE(v.derrama);
            EXPECT_TRUE(Cerca(v.TauMuestras, 26.0, 1e-6));
        }
        // every method gives a first-order estimate beside that truth
        ASSERT_EQ(g.metodos.size(), 3u);
        ASSERT_TRUE(g.metodos[1].estimacion) << g.metodos[1].motivo;
        EXPECT_GT(g.metodos[1].estimacion->Tau, 0.0);
    }
    // a nonlinear plant without a level to linearise at has nothing to compare with
    Banco b;
    b.textos.Poner("Modelo_Planta", "Orificio");
    b.sim.ToolButton4Click();
    b.sim.Tick(Corrida::Escalon);
    EXPECT_EQ(TextoDelError<ErrorIdentificacion>([&] { VerdadDe(b.sim.Origen()); }), TextoSinVerdad());
}
