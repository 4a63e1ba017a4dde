#include "tests/identificacion/registros.h"

#include <cmath>
#include <numbers>
#include <random>

#include "core/planta/tanque.h"
#include "tests/core/banco.h"

std::string PlantaDeTextos::Nombre() const {
    return std::string("A ") + area + ", R " + resistencia + ", T " + t_ms + " ms";
}

namespace {

TextosMapa TextosPlanta(const PlantaDeTextos& p) {
    TextosMapa textos;
    textos.Poner("Area", p.area);
    textos.Poner("Resistencia", p.resistencia);
    textos.Poner("T_Sample", p.t_ms);
    textos.Poner("HMax", "1000");
    return textos;
}

}  // namespace

int SubpasosPorMuestra(const PlantaDeTextos& p) {
    Simulacion s;
    LeerParametrosPlanta(s, TextosPlanta(p));
    const float h = static_cast<float>(static_cast<long double>(s.T_Muestreo) / 10);
    int pasos = 0;
    for (float reloj = 0; s.T_Muestreo >= reloj; ++pasos) reloj = static_cast<float>(reloj + static_cast<double>(h));
    return pasos;
}

double TauDeLasMuestras(const PlantaDeTextos& p) {
    Simulacion s;
    LeerParametrosPlanta(s, TextosPlanta(p));
    const double h = static_cast<float>(static_cast<long double>(s.T_Muestreo) / 10);
    // the samples decay as e^(-m h / Tau); read with the period T they say Tau' = Tau T / (m h)
    return p.A * p.R * p.T / (SubpasosPorMuestra(p) * h);
}

Registro LazoAbierto(const PlantaDeTextos& p, const std::vector<float>& u) {
    Simulacion s;
    LeerParametrosPlanta(s, TextosPlanta(p));
    Registro r;
    r.T = p.T;
    float x = 0;
    for (float un : u) {
        s.Accion_Control = un;
        x = RK(s, x);
        r.accion.push_back(un);
        r.nivel.push_back(CalcularNivel(s, x));
    }
    return r;
}

std::vector<float> Escalon(std::size_t n, std::size_t inicio, float antes, float despues) {
    std::vector<float> u(n, despues);
    for (std::size_t k = 0; k < inicio && k < n; ++k) u[k] = antes;
    return u;
}

std::vector<float> Prbs(std::size_t n, int retencion, float bajo, float alto, std::uint16_t semilla) {
    std::vector<float> u;
    u.reserve(n);
    std::uint16_t lfsr = semilla;
    while (u.size() < n) {
        // Galois form of x^16 + x^14 + x^13 + x^11 + 1
        const bool bit = lfsr & 1u;
        lfsr = static_cast<std::uint16_t>(lfsr >> 1);
        if (bit) lfsr ^= 0xB400u;
        for (int i = 0; i < retencion && u.size() < n; ++i) u.push_back(bit ? alto : bajo);
    }
    return u;
}

std::vector<float> Multiseno(std::size_t n, float media, float amplitud, const std::vector<double>& periodos) {
    std::vector<float> u(n);
    const double m = static_cast<double>(periodos.size());
    for (std::size_t k = 0; k < n; ++k) {
        double v = media;
        for (std::size_t i = 0; i < periodos.size(); ++i) {
            // Schroeder's phases keep the peaks of the sum low
            const double fase = -std::numbers::pi * static_cast<double>(i) * static_cast<double>(i + 1) / m;
            v += amplitud * std::sin(2 * std::numbers::pi * static_cast<double>(k) / periodos[i] + fase);
        }
        u[k] = static_cast<float>(v);
    }
    return u;
}

namespace {

template <class Iniciar, class Tick>
Registro Correr(const PlantaDeTextos& p, std::size_t n, const std::vector<std::pair<std::size_t, int>>& cambios,
                Iniciar iniciar, Tick tick) {
    Banco b;
    b.textos.Poner("Area", p.area);
    b.textos.Poner("Resistencia", p.resistencia);
    b.textos.Poner("T_Sample", p.t_ms);
    b.textos.Poner("HMax", "1000");
    b.textos.Poner("Kp", p.kp);
    b.textos.Poner("KU", p.ku);
    iniciar(b.sim);
    Registro r;
    r.T = p.T;
    std::size_t siguiente = 0;
    for (std::size_t k = 0; k < n; ++k) {
        while (siguiente < cambios.size() && cambios[siguiente].first == k)
            b.posicion.valor = cambios[siguiente++].second;
        tick(b.sim);
        const MuestraGraficada& m = b.sim.UltimaMuestra();
        EXPECT_EQ(m.n, static_cast<std::int32_t>(k));
        r.accion.push_back(m.accion);
        r.nivel.push_back(m.nivel);
        if (k > 0) {
            EXPECT_GT(m.nivel, 0.0f) << p.Nombre() << ", tick " << k;
        }
    }
    EXPECT_TRUE(b.mensajes.mostrados.empty());
    return r;
}

}  // namespace

Registro CorridaPid(const PlantaDeTextos& p, std::size_t n, const std::vector<std::pair<std::size_t, int>>& cambios) {
    return Correr(
        p, n, cambios, [](Simulador& s) { s.ToolButton13Click(); }, [](Simulador& s) { s.Timer4Timer(); });
}

Registro CorridaFuzzy(const PlantaDeTextos& p, std::size_t n, const std::vector<std::pair<std::size_t, int>>& cambios) {
    return Correr(
        p, n, cambios,
        [](Simulador& s) {
            s.ToolButton11Click();
            s.ToolButton10Click();
        },
        [](Simulador& s) { s.Timer5Timer(); });
}

Registro ComoLazoCerrado(const Registro& r) {
    Registro c = r;
    // the level at the start of sample k is the one at the end of sample k-1, that of the empty tank at first
    c.nivel.insert(c.nivel.begin(), 0.0);
    c.nivel.pop_back();
    return c;
}

void AnadirRuido(Registro& r, double sigma, std::uint64_t semilla) {
    std::mt19937_64 generador(semilla);
    // a uniform in (0, 1]: 53 random bits, never 0, so that the logarithm is finite
    auto uniforme = [&] { return (static_cast<double>(generador() >> 11) + 1) * 0x1.0p-53; };
    for (std::size_t k = 0; k < r.nivel.size(); k += 2) {
        // Box-Muller: two independent standard normals from two uniforms
        const double radio = std::sqrt(-2 * std::log(uniforme()));
        const double angulo = 2 * std::numbers::pi * uniforme();
        r.nivel[k] += sigma * radio * std::cos(angulo);
        if (k + 1 < r.nivel.size()) r.nivel[k + 1] += sigma * radio * std::sin(angulo);
    }
}
