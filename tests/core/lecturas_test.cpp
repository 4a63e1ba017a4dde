// The table of texts that each run reads at every tick, against the reads a tick really makes; the name that a
// failed read carries, and the window's text that stays as it was.

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "core/lectura.h"
#include "core/lecturas_tick.h"
#include "core/textos_mapa.h"
#include "tests/core/banco.h"

namespace {

// Texts and a slider that note each read, by name.
class TextosAnotados : public Textos {
public:
    explicit TextosAnotados(const TextosMapa& base) : base_(base) {}
    std::string Texto(std::string_view nombre) const override {
        leidos.emplace_back(nombre);
        return base_.Texto(nombre);
    }
    std::string Celda(int columna, int fila) const override {
        leidos.push_back(NombreCelda(columna, fila));
        return base_.Celda(columna, fila);
    }
    char Decimal() const override { return base_.Decimal(); }
    mutable std::vector<std::string> leidos;

private:
    const TextosMapa& base_;
};

class PosicionAnotada : public Posicion {
public:
    explicit PosicionAnotada(std::vector<std::string>& leidos) : leidos_(leidos) {}
    std::int32_t Leer() const override {
        leidos_.emplace_back(kTrackReferencia);
        return 2;
    }

private:
    std::vector<std::string>& leidos_;
};

}  // namespace

TEST(LecturasPorTick, LaTablaEsLoQueCadaTickLee) {
    // every tick of each run, with the default texts and with a signal and noise that read every text there is
    struct Caso {
        Corrida corrida;
        std::vector<std::pair<std::string, std::string>> textos;
    };
    const std::vector<std::pair<std::string, std::string>> conRuido{{"Ruido_Desviacion", "0.01"}};
    const Caso casos[] = {
        {Corrida::Escalon, {}},
        {Corrida::Escalon, {{"Senal_Tipo", "PRBS"}, {"Ruido_Desviacion", "0.01"}}},
        {Corrida::Escalon, {{"Senal_Tipo", "Multiseno"}}},
        {Corrida::PID, {}},
        {Corrida::PID, conRuido},
        {Corrida::Fuzzy, {}},
        {Corrida::Fuzzy, conRuido},
    };
    std::array<std::set<std::string>, kNumCorridas> vistos;
    for (const Caso& c : casos) {
        TextosMapa base = TextosIniciales('.');
        for (const auto& [n, t] : c.textos) base.Poner(n, t);
        TextosAnotados textos(base);
        PosicionAnotada posicion(textos.leidos);
        MensajesMudos mensajes;
        Simulador sim(textos, posicion, mensajes);
        sim.ToolButton11Click();
        sim.Alternar(c.corrida);
        for (int tick = 0; tick < 3; ++tick) {
            textos.leidos.clear();
            sim.Tick(c.corrida);
            // no tick reads a text outside the table
            for (const std::string& n : textos.leidos) EXPECT_TRUE(SeLeeEnCadaTick(c.corrida, n)) << n;
            vistos[static_cast<std::size_t>(c.corrida)].insert(textos.leidos.begin(), textos.leidos.end());
        }
    }
    // and every text of the table is read by some tick
    for (Corrida corrida : {Corrida::Escalon, Corrida::PID, Corrida::Fuzzy}) {
        const auto tabla = LeidosEnCadaTick(corrida);
        EXPECT_EQ(vistos[static_cast<std::size_t>(corrida)], std::set<std::string>(tabla.begin(), tabla.end()))
            << static_cast<int>(corrida);
    }
    EXPECT_FALSE(SeLeeEnCadaTick(Corrida::Escalon, kTrackReferencia));
    EXPECT_TRUE(SeLeeEnCadaTick(Corrida::Escalon, "Senal_Orden"));
    EXPECT_TRUE(SeLeeEnCadaTick(Corrida::PID, "Ruido_Desviacion"));
    EXPECT_FALSE(SeLeeEnCadaTick(Corrida::PID, "Senal_Tipo"));
    EXPECT_FALSE(SeLeeEnCadaTick(Corrida::Fuzzy, "Reglas_3_3"));
    EXPECT_FALSE(SeLeeEnCadaTick(Corrida::PID, "Area"));
}

// A read that fails names its text; the window's message is the text alone, as it always was.
TEST(Lectura, UnaLecturaFallidaNombraSuTexto) {
    struct Caso {
        std::vector<std::pair<std::string, std::string>> textos;
        Corrida corrida;
        std::string campo;
        std::string mensaje;
    };
    const Caso casos[] = {
        {{{"Kp", "1,5"}}, Corrida::PID, "Kp", "'1,5' is not a valid floating point value"},
        {{{"KDE", ""}}, Corrida::Fuzzy, "KDE", "'' is not a valid floating point value"},
        {{{"T_Sample", "x"}}, Corrida::PID, "T_Sample", "'x' is not a valid integer value"},
        {{{"HMax", "1e39"}}, Corrida::Escalon, "HMax", kDesbordamiento},
        {{{"Resistencia", "1e30"}, {"Area", "1e30"}}, Corrida::Escalon, "Area", kDesbordamiento},
        {{{"Alto_Escalon", "1e39"}}, Corrida::Escalon, "Alto_Escalon", kDesbordamiento},
        {{{"E_Po_Centro", "-"}}, Corrida::Fuzzy, "E_Po_Centro", "'-' is not a valid floating point value"},
        {{{"DE_Ze_Tipo", "0.5"}}, Corrida::Fuzzy, "DE_Ze_Tipo", "'0.5' is not a valid integer value"},
        {{{"Reglas_2_4", "x"}}, Corrida::Fuzzy, "Reglas_2_4", "'x' is not a valid integer value"},
    };
    for (const Caso& c : casos) {
        Banco b;
        for (const auto& [nombre, texto] : c.textos) b.textos.Poner(nombre, texto);
        std::string campo, mensaje;
        try {
            if (c.corrida == Corrida::Fuzzy) b.sim.ToolButton11Click();
            b.sim.Alternar(c.corrida);
            b.sim.Tick(c.corrida);
        } catch (const ErrorTanque& e) {
            campo = e.Campo();
            mensaje = e.what();
        }
        EXPECT_EQ(campo, c.campo);
        EXPECT_EQ(mensaje, c.mensaje) << c.campo;

        // through the window's dispatch: the box shows the text alone
        Banco v;
        for (const auto& [nombre, texto] : c.textos) v.textos.Poner(nombre, texto);
        if (c.corrida == Corrida::Fuzzy) v.sim.Atender([&] { v.sim.ToolButton11Click(); });
        v.sim.AtenderToggle(c.corrida);
        v.sim.AtenderTick(c.corrida);
        ASSERT_FALSE(v.mensajes.mostrados.empty());
        EXPECT_EQ(v.mensajes.mostrados.front(), c.mensaje);
    }
}
