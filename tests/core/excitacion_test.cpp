// The excitation in the runs: the step and a noise of 0 leave every tick as it was, bit for bit, with or
// without the new texts; another signal's inflow is the generator's value at the run's counter; the noise moves
// the measured level (chart, bar, record, controllers) and leaves the plant and the overflow stop alone; the
// texts are read at every tick and cost nothing while they do not change.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/aritmetica.h"
#include "core/planta/tanque.h"
#include "core/textos_senal.h"
#include "tests/core/banco.h"
#include "tests/core/foto.h"

namespace {

// A simulator on texts of the test's choice.
struct BancoCon {
    explicit BancoCon(const Textos& t) : sim(t, posicion, mensajes) {}
    PosicionFija posicion;
    Grabadora mensajes;
    Simulador sim;
};

// The default texts as they were before the signal existed: no Senal_* nor Ruido_* edit at all.
TextosMapa SinTextosDeSenal(char decimal = '.') {
    std::set<std::string> nuevos;
    for (const TextoPorDefecto& t : TextosSenal()) nuevos.insert(t.nombre);
    TextosMapa t(decimal);
    for (const TextoPorDefecto& d : TextosPorDefecto())
        if (!nuevos.count(d.nombre)) t.Poner(d.nombre, ConDecimal(d.texto, decimal));
    for (int f = 1; f <= 5; ++f)
        for (int c = 1; c <= 5; ++c) t.PonerCelda(c, f, std::to_string(kReglasPorDefecto[f - 1][c - 1]));
    return t;
}

// Texts that forward to others, counting the reads of the signal's and noise's texts; they may hide the count
// of changes, as texts that keep none do.
class TextosContados : public Textos {
public:
    TextosContados(const Textos& t, bool conVersion) : t_(t), conVersion_(conVersion) {}
    std::string Texto(std::string_view nombre) const override {
        if (nombre.starts_with("Senal_") || nombre.starts_with("Ruido_")) ++lecturas;
        return t_.Texto(nombre);
    }
    std::string Celda(int c, int f) const override { return t_.Celda(c, f); }
    char Decimal() const override { return t_.Decimal(); }
    bool Existe(std::string_view nombre) const override { return t_.Existe(nombre); }
    std::uint64_t Version() const override { return conVersion_ ? t_.Version() : 0; }
    mutable int lecturas = 0;

private:
    const Textos& t_;
    bool conVersion_;
};

void Empezar(Simulador& s, Corrida r) {
    if (r == Corrida::Fuzzy) s.ToolButton11Click();
    s.Alternar(r);
    ASSERT_TRUE(s.Timer(r).Enabled);
}

// The plant alone, fed the inflows u: its noiseless levels.
std::vector<float> PlantaAlimentada(const Textos& textos, const std::vector<float>& u) {
    Simulacion s;
    LeerParametrosPlanta(s, textos);
    std::vector<float> y;
    float x = 0;
    for (float un : u) {
        s.Accion_Control = un;
        x = RK(s, x);
        y.push_back(CalcularNivel(s, x));
    }
    return y;
}

// The bar of a level, as the bar's formula gives it: kBarraAltoMaximo pixels at the maximum level.
std::int32_t Altura(float y, float hmax) {
    return Redondear(aSingle(Dividir(static_cast<long double>(y) * kBarraAltoMaximo, hmax)));
}

ParametrosSenal Prbs() {
    ParametrosSenal p;
    p.tipo = TipoSenal::PRBS;
    p.minimo = 0.25;
    p.maximo = 1.75;
    p.periodo = 3;
    p.orden = 5;
    p.semilla = 9;
    return p;
}

void PonerPrbs(TextosMapa& t) {
    t.Poner("Senal_Tipo", "PRBS");
    t.Poner("Senal_Minimo", "0.25");
    t.Poner("Senal_Maximo", "1.75");
    t.Poner("Senal_Periodo", "3");
    t.Poner("Senal_Orden", "5");
    t.Poner("Senal_Semilla", "9");
}

}  // namespace

TEST(Excitacion, ElEscalonYElRuidoCeroDejanCadaTickComoSinLosTextosNuevos) {
    for (Corrida r : {Corrida::Escalon, Corrida::PID, Corrida::Fuzzy}) {
        for (char decimal : {'.', ','}) {
            // today's texts; the default ones; the step with every text it does not read made unreadable and a
            // deviation of 0 written otherwise, with an unreadable seed, which is not read either
            const TextosMapa antiguos = SinTextosDeSenal(decimal);
            const TextosMapa nuevos = TextosIniciales(decimal);
            TextosMapa raros = TextosIniciales(decimal);
            for (const char* n : TextosSenalEnCadaTick())
                if (std::strcmp(n, "Senal_Tipo") != 0) raros.Poner(n, "x");
            raros.Poner("Senal_Tipo", " escalon ");
            raros.Poner("Ruido_Desviacion", decimal == ',' ? "0,0" : "-0");
            raros.Poner("Ruido_Semilla", "x");
            ASSERT_FALSE(antiguos.Existe("Senal_Tipo"));
            BancoCon a(antiguos), b(nuevos), c(raros);
            for (BancoCon* x : {&a, &b, &c}) ASSERT_NO_FATAL_FAILURE(Empezar(x->sim, r));
            for (int n = 0; n < 300; ++n) {
                if (n == 150) a.posicion.valor = b.posicion.valor = c.posicion.valor = 7;
                for (BancoCon* x : {&a, &b, &c}) x->sim.AtenderTick(r);
                const Foto f = Tomar(a.sim);
                ASSERT_TRUE(Iguales(f, Tomar(b.sim))) << "run " << static_cast<int>(r) << ", tick " << n;
                ASSERT_TRUE(Iguales(f, Tomar(c.sim))) << "run " << static_cast<int>(r) << ", tick " << n;
                for (BancoCon* x : {&b, &c}) {
                    EXPECT_EQ(Bits(x->sim.UltimaMuestra().nivel), Bits(a.sim.UltimaMuestra().nivel));
                    EXPECT_EQ(Bits(x->sim.UltimaMuestra().accion), Bits(a.sim.UltimaMuestra().accion));
                }
            }
            for (BancoCon* x : {&a, &b, &c}) EXPECT_TRUE(x->mensajes.mostrados.empty());
        }
    }
}

TEST(Excitacion, LaEntradaDeUnaPRBSEsElValorDelGeneradorEnElContadorDeLaCorrida) {
    Banco b;
    PonerPrbs(b.textos);
    b.sim.ToolButton4Click();
    constexpr int kTicks = 500;
    for (int n = 0; n < kTicks; ++n) b.sim.Timer1Timer();
    GeneradorSenal g(Prbs());
    std::vector<float> u;
    for (int n = 0; n < kTicks; ++n) u.push_back(aSingle(g.Valor(n)));
    const std::vector<float> y = PlantaAlimentada(b.textos, u);
    ASSERT_EQ(b.sim.Series2().Cuenta(), static_cast<std::size_t>(kTicks));
    std::set<float> niveles;
    for (int n = 0; n < kTicks; ++n) {
        const auto k = static_cast<std::size_t>(n);
        ASSERT_EQ(Bits(b.sim.Series2().Y(k)), Bits(static_cast<double>(u[k]))) << n;
        ASSERT_EQ(Bits(b.sim.Series1().Y(k)), Bits(static_cast<double>(y[k]))) << n;
        niveles.insert(u[k]);
    }
    EXPECT_EQ(niveles, (std::set<float>{0.25f, 1.75f}));
    EXPECT_EQ(Bits(b.sim.Estado().Accion_Control), Bits(u.back()));

    // stopped, cleared and started again from 0, the run replays the same signal
    b.sim.ToolButton4Click();
    b.sim.LimpiarClick();
    b.sim.ToolButton4Click();
    for (int n = 0; n < 100; ++n) b.sim.Timer1Timer();
    for (std::size_t k = 0; k < 100; ++k) {
        ASSERT_EQ(Bits(b.sim.Series2().Y(k)), Bits(static_cast<double>(u[k]))) << k;
        ASSERT_EQ(Bits(b.sim.Series1().Y(k)), Bits(static_cast<double>(y[k]))) << k;
    }
    EXPECT_EQ(b.mensajes.mostrados, std::vector<std::string>{kCicloParado});
}

TEST(Excitacion, CadaTipoDaSuValorEnCadaTick) {
    for (int t = 1; t < kTiposSenal; ++t) {
        Banco b;
        b.textos.Poner("Senal_Tipo", kNombresTipo[t]);
        b.textos.Poner("Senal_Periodo", "2");
        b.textos.Poner("Senal_Longitud", "100");
        b.sim.ToolButton4Click();
        for (int n = 0; n < 250; ++n) b.sim.Timer1Timer();
        ParametrosSenal p;
        p.tipo = static_cast<TipoSenal>(t);
        if (Usa(p.tipo, Campo::Periodo)) p.periodo = 2;
        if (Usa(p.tipo, Campo::Longitud)) p.longitud = 100;
        GeneradorSenal g(p);
        std::set<double> distintos;
        for (std::size_t k = 0; k < 250; ++k) {
            const double u = static_cast<double>(aSingle(g.Valor(static_cast<std::int64_t>(k))));
            ASSERT_EQ(Bits(b.sim.Series2().Y(k)), Bits(u)) << kNombresTipo[t] << " " << k;
            distintos.insert(u);
        }
        EXPECT_GE(distintos.size(), 2u) << kNombresTipo[t];
        EXPECT_EQ(b.sim.Excitaciones().Senal(), p) << kNombresTipo[t];
    }
}

TEST(Excitacion, UnCambioDeLosTextosActuaDesdeElTickSiguiente) {
    Banco b;
    PonerPrbs(b.textos);
    b.sim.ToolButton4Click();
    for (int n = 0; n < 50; ++n) b.sim.Timer1Timer();
    // the type changes between two ticks, as from the dialog or from a scheduled change
    b.textos.Poner("Senal_Tipo", "Multiseno");
    for (int n = 50; n < 120; ++n) b.sim.Timer1Timer();
    b.textos.Poner("Senal_Tipo", "Escalón");
    b.textos.Poner("Alto_Escalon", "1.5");
    for (int n = 120; n < 130; ++n) b.sim.Timer1Timer();

    GeneradorSenal prbs(Prbs());
    ParametrosSenal pm = Prbs();
    pm.tipo = TipoSenal::Multiseno;
    pm.periodo = ParametrosSenal{}.periodo;
    pm.orden = ParametrosSenal{}.orden;
    pm.semilla = ParametrosSenal{}.semilla;
    GeneradorSenal multiseno(pm);
    for (std::int64_t n = 0; n < 130; ++n) {
        const double u = n < 50    ? static_cast<double>(aSingle(prbs.Valor(n)))
                         : n < 120 ? static_cast<double>(aSingle(multiseno.Valor(n)))
                                   : 1.5;
        ASSERT_EQ(Bits(b.sim.Series2().Y(static_cast<std::size_t>(n))), Bits(u)) << n;
    }
    EXPECT_EQ(b.sim.Excitaciones().Construcciones(), 2u);
}

TEST(Excitacion, LosTextosSeLeenUnaVezMientrasNoCambian) {
    TextosMapa mapa = TextosIniciales('.');
    PonerPrbs(mapa);
    for (bool conVersion : {true, false}) {
        TextosContados textos(mapa, conVersion);
        BancoCon b(textos);
        b.sim.ToolButton4Click();
        textos.lecturas = 0;  // the start keeps the run's texts; the ticks' reads are counted from here
        b.sim.Timer1Timer();
        const int primera = textos.lecturas;
        EXPECT_GT(primera, 0);
        for (int n = 1; n < 1000; ++n) b.sim.Timer1Timer();
        if (conVersion) {
            EXPECT_EQ(textos.lecturas, primera) << "read again with no change";
        } else {
            // texts that keep no count are read at every tick, but the same parameters build no generator
            EXPECT_EQ(textos.lecturas, 1000 * primera);
        }
        EXPECT_EQ(b.sim.Excitaciones().Construcciones(), 1u);
        // a change of any text makes the next tick read again; the same parameters build nothing
        mapa.Poner("Kp", "3");
        b.sim.Timer1Timer();
        EXPECT_EQ(b.sim.Excitaciones().Construcciones(), 1u);
        mapa.Poner("Senal_Orden", "6");
        b.sim.Timer1Timer();
        EXPECT_EQ(b.sim.Excitaciones().Construcciones(), 2u);
        EXPECT_EQ(b.sim.Excitaciones().Senal().orden, 6);
        mapa.Poner("Senal_Orden", "5");
    }
}

TEST(Excitacion, ElRuidoMueveElNivelMedidoYNoLaPlanta) {
    Banco b, gemela;
    b.textos.Poner("Ruido_Desviacion", "0.05");
    b.textos.Poner("Ruido_Semilla", "3");
    b.sim.ToolButton4Click();
    gemela.sim.ToolButton4Click();
    Ruido ruido({0.05, 3});
    int distintos = 0;
    for (int n = 0; n < 400; ++n) {
        b.sim.Timer1Timer();
        gemela.sim.Timer1Timer();
        const auto k = static_cast<std::size_t>(n);
        // the plant: the same volume, the same inflow
        ASSERT_EQ(Bits(b.sim.Estado().Volumen), Bits(gemela.sim.Estado().Volumen)) << n;
        ASSERT_EQ(Bits(b.sim.Series2().Y(k)), Bits(gemela.sim.Series2().Y(k))) << n;
        // the measured level: chart, last sample and bar
        const float verdadero = static_cast<float>(gemela.sim.Series1().Y(k));
        const float medido = aSingle(static_cast<long double>(verdadero) + ruido.Valor(n));
        ASSERT_EQ(Bits(b.sim.Series1().Y(k)), Bits(static_cast<double>(medido))) << n;
        ASSERT_EQ(Bits(b.sim.UltimaMuestra().nivel), Bits(medido)) << n;
        ASSERT_EQ(b.sim.Nivel().Height, Altura(medido, 5.0f)) << n;
        ASSERT_EQ(b.sim.Nivel().Top, kBarraFondo - b.sim.Nivel().Height) << n;
        distintos += medido != verdadero;
    }
    EXPECT_GT(distintos, 390);
    // the record holds the measured level
    const std::string archivo = ArchivoDeLaPrueba("registro.txt");
    b.sim.ArchivoClick(archivo, true, 0, 0);
    std::FILE* f = std::fopen(archivo.c_str(), "r");
    ASSERT_NE(f, nullptr);
    double muestra = 0, accion = 0, nivel = 0;
    for (std::size_t k = 0; k < 400; ++k) {
        ASSERT_EQ(std::fscanf(f, "%lf %lf %lf", &muestra, &accion, &nivel), 3);
        ASSERT_NEAR(nivel, b.sim.Series1().Y(k), 0.5e-4) << k;
    }
    std::fclose(f);
    std::remove(archivo.c_str());
    std::remove(ArchivoDeLaPrueba("registro.json").c_str());
}

TEST(Excitacion, ElDesbordeMiraElNivelSinRuido) {
    // a steady level of 4 under a maximum of 5: the measured level passes 5 often, the run goes on
    {
        Banco b;
        b.textos.Poner("Ruido_Desviacion", "2");
        b.sim.ToolButton4Click();
        int porEncima = 0;
        for (int n = 0; n < 400; ++n) {
            b.sim.AtenderTick(Corrida::Escalon);
            porEncima += b.sim.UltimaMuestra().nivel > 5.0f;
        }
        EXPECT_GT(porEncima, 20);
        EXPECT_TRUE(b.mensajes.mostrados.empty());
        EXPECT_TRUE(b.sim.Timer(Corrida::Escalon).Enabled);
    }
    // an amplitude of 3 overflows at sample 71 without noise; with noise at the same sample, once
    {
        Banco b, gemela;
        for (Banco* x : {&b, &gemela}) {
            x->textos.Poner("Alto_Escalon", "3");
            x->sim.ToolButton4Click();
        }
        b.textos.Poner("Ruido_Desviacion", "3");
        for (int n = 0; n < 100 && gemela.sim.Timer(Corrida::Escalon).Enabled; ++n) {
            b.sim.AtenderTick(Corrida::Escalon);
            gemela.sim.AtenderTick(Corrida::Escalon);
            ASSERT_EQ(b.sim.Timer(Corrida::Escalon).Enabled, gemela.sim.Timer(Corrida::Escalon).Enabled) << n;
        }
        EXPECT_EQ(gemela.sim.Timer(Corrida::Escalon).Tag, 72);
        EXPECT_EQ(b.sim.Timer(Corrida::Escalon).Tag, 72);
        EXPECT_EQ(b.mensajes.mostrados, std::vector<std::string>{kNivelSuperado});
        EXPECT_EQ(Bits(b.sim.Estado().Volumen), Bits(gemela.sim.Estado().Volumen));
    }
}

TEST(Excitacion, LosControladoresVenElNivelMedido) {
    for (Corrida r : {Corrida::PID, Corrida::Fuzzy}) {
        Banco b, gemela;
        b.textos.Poner("Ruido_Desviacion", "0.1");
        b.textos.Poner("Ruido_Semilla", "77");
        ASSERT_NO_FATAL_FAILURE(Empezar(b.sim, r));
        ASSERT_NO_FATAL_FAILURE(Empezar(gemela.sim, r));
        Ruido ruido({0.1, 77});
        bool accionDistinta = false;
        for (int n = 0; n < 300; ++n) {
            const float volumenAntes = b.sim.Estado().Volumen;
            const float accionAntes = b.sim.Estado().Accion_Control;
            b.sim.Tick(r);
            gemela.sim.Tick(r);
            const Simulacion& s = b.sim.Estado();
            // the plant took the previous action from the previous volume, untouched by the noise
            Simulacion planta = s;
            planta.Accion_Control = accionAntes;
            const float volumen = RK(planta, volumenAntes);
            ASSERT_EQ(Bits(s.Volumen), Bits(volumen)) << n;
            const float medido = aSingle(static_cast<long double>(CalcularNivel(s, volumen)) + ruido.Valor(n));
            ASSERT_EQ(Bits(b.sim.UltimaMuestra().nivel), Bits(medido)) << n;
            ASSERT_EQ(Bits(b.sim.Series1().Y(b.sim.Series1().Cuenta() - 1)), Bits(static_cast<double>(medido)));
            ASSERT_EQ(b.sim.Nivel().Height, Altura(medido, 5.0f)) << n;
            // the error is the reference (1, slider at 2) less the measured level; KE = 1
            ASSERT_EQ(Bits(s.Error_Ant), Bits(aSingle(1.0L - medido))) << n;
            accionDistinta = accionDistinta || Bits(s.Accion_Control) != Bits(gemela.sim.Estado().Accion_Control);
        }
        EXPECT_TRUE(accionDistinta);
        EXPECT_TRUE(b.mensajes.mostrados.empty());
    }
}

TEST(Excitacion, UnaDesviacionQueSeLeeComoCeroNoSumaNada) {
    for (const char* cero : {"0", "0.0", "-0", "1e-400", " +0 "}) {
        Banco b, gemela;
        b.textos.Poner("Ruido_Desviacion", cero);
        b.textos.Poner("Ruido_Semilla", "no se lee");
        for (Corrida r : {Corrida::Escalon, Corrida::PID}) {
            ASSERT_NO_FATAL_FAILURE(Empezar(b.sim, r));
            ASSERT_NO_FATAL_FAILURE(Empezar(gemela.sim, r));
            for (int n = 0; n < 100; ++n) {
                b.sim.Tick(r);
                gemela.sim.Tick(r);
            }
            b.sim.Alternar(r);
            gemela.sim.Alternar(r);
            ASSERT_TRUE(Iguales(Tomar(b.sim), Tomar(gemela.sim))) << cero;
            EXPECT_TRUE(b.sim.Excitaciones().RuidoLeido().desviacion == 0.0) << cero;
        }
    }
}
