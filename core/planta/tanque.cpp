#include "core/planta/tanque.h"

#include "base/aritmetica.h"
#include "core/lectura.h"

void LeerParametrosPlanta(Simulacion& s, const Textos& textos) {
    // milliseconds as an integer, times the extended value nearest to 0.001: "500" gives exactly 0.5
    s.T_Muestreo = aSingle(static_cast<long double>(LeerEntero(textos, "T_Sample")) * 0.001L);
    s.R_Hidraulica = LeerSingle(textos, "Resistencia");
    // the area stays at extended precision; only the product A x R is kept
    s.Tau = ConNombre("Area",
                      [&] { return aSingle(LeerFlotante(textos, "Area") * static_cast<long double>(s.R_Hidraulica)); });
    s.Nivel_Max = LeerSingle(textos, "HMax");
}

float RK(const Simulacion& s, float x) {
    const float T = s.T_Muestreo;
    const float u = s.Accion_Control;
    // a = -1 / Tau, kept at extended precision
    const long double a = Dividir(-1.0L, static_cast<long double>(s.Tau));
    // f(X) = S(a X + u), the volume's rate of change
    auto f = [&](long double X) { return aSingle(a * X + u); };

    // The sub-step and the clock are Singles and the loop runs while T >= t: the roundings of h and of each
    // t decide whether a period takes 10 sub-steps or 11 (500 ms takes 10, 300 ms takes 11, where the clock
    // summed in Singles lands just under T). Counting the sub-steps in integers would change the records.
    const float h = aSingle(static_cast<long double>(T) / 10);
    if (T == 0) return x >= 0 ? x : 0.0f;  // a period of 0 advances nothing (the loop would never end)
    float t = 0;
    do {
        const float k1 = aSingle(h * static_cast<long double>(f(x)));
        const float k2 = aSingle(h * static_cast<long double>(f(x + k1 / 2.0L)));
        const float k3 = aSingle(h * static_cast<long double>(f(x + k2 / 2.0L)));
        const float k4 = aSingle(h * static_cast<long double>(f(static_cast<long double>(x) + k3)));
        // x + (k1 + 2 k2 + 2 k3 + k4) / 6, summed in this order at extended precision, rounded once
        const long double suma = (2.0L * k2 + k1) + 2.0L * k3 + k4;
        x = aSingle(suma * (1.0L / 6.0L) + x);
        const float antes = t;
        t = aSingle(static_cast<long double>(t) + h);
        if (t == antes) break;  // a sub-step too small to advance the clock would never end the loop
    } while (T >= t);
    return x >= 0 ? x : 0.0f;
}

float CalcularNivel(const Simulacion& s, float v) { return aSingle(Dividir(s.R_Hidraulica, s.Tau) * v); }

int SubpasosRK(float T) {
    if (T == 0) return 0;
    // RK's own clock, step by step: the same Singles, the same test, the same guard against a clock that stalls
    const float h = aSingle(static_cast<long double>(T) / 10);
    int pasos = 0;
    float t = 0;
    do {
        ++pasos;
        const float antes = t;
        t = aSingle(static_cast<long double>(t) + h);
        if (t == antes) break;
    } while (T >= t);
    return pasos;
}

double TiempoPorMuestra(float T) {
    const float h = aSingle(static_cast<long double>(T) / 10);
    // m h, exact at extended precision
    return aDouble(static_cast<long double>(SubpasosRK(T)) * h);
}

namespace {

constexpr const char* kTextos[] = {"T_Sample", "Resistencia", "Area", "HMax"};

class Tanque : public Planta {
public:
    std::span<const char* const> NombresTextos() const override { return kTextos; }
    void LeerParametros(Simulacion& s, const Textos& textos) const override {
        s.tanques = {};  // no longer the constants of a plant of core/planta/tanques.h that ran before
        LeerParametrosPlanta(s, textos);
    }
    void Vaciar(Simulacion& s) const override {
        s.Volumen = 0;
        s.Nivel_1 = s.Nivel_2 = s.Salido = s.Derramado = 0;
    }
    AvancePlanta Paso(const Simulacion& s) const override {
        AvancePlanta a{s, 0};
        a.estado.Volumen = RK(s, s.Volumen);
        a.nivel = CalcularNivel(s, a.estado.Volumen);
        return a;
    }
    void Guardar(const AvancePlanta& a, Simulacion& s) const override { s.Volumen = a.estado.Volumen; }
    RelojPlanta Reloj(float T) const override { return {SubpasosRK(T), TiempoPorMuestra(T)}; }
    // A dV/dt = u - V / R: with y = V R / (A R) the level obeys Tau dy/dt = -y + K u, K = R, Tau = A R
    std::optional<ModeloPrimerOrden> Verdad(const Simulacion& s) const override {
        return ModeloPrimerOrden{s.R_Hidraulica, s.Tau};
    }
    // a constant inflow u settles the level at K u = R u
    double Estacionario(const Textos& textos, double caudal) const override {
        return aDouble(static_cast<long double>(caudal) * LeerSingle(textos, "Resistencia"));
    }
};

}  // namespace

const Planta& TanqueLineal() {
    static const Tanque tanque;
    return tanque;
}
