// The PID run: its reads, the plant step, the law, the plot.

#include "core/corridas/pid.h"

#include <cmath>

#include "base/aritmetica.h"
#include "base/errores.h"
#include "core/corridas/lazo.h"
#include "core/corridas/leyes.h"
#include "core/excitacion.h"
#include "core/lectura.h"
#include "core/planta/bomba.h"
#include "core/planta/tanques.h"

namespace {

float Accion(const ParametrosPID& p, double I, long double P, double D) {
    // u = Kp ((I / Ti + P) + D Td), in exactly this grouping
    return aSingle(p.Kp * ((Dividir(I, p.Ti) + P) + static_cast<long double>(D) * p.Td));
}

}  // namespace

SalidaPID CalcularPID(const ParametrosPID& p, double r, float y, const Simulacion& s) {
    const double e = aDouble(static_cast<long double>(r) - y);
    // trapezoid of the error; Ti divides it only where it is used
    double I = aDouble((static_cast<long double>(e) + s.Error_Ant) * (p.T / 2.0L) + s.Integral);
    // backward difference of the error, or of the measurement (no kick at a step of the reference)
    const long double dx = p.derivadaMedicion ? -(static_cast<long double>(y) - s.Medida_Ant)
                                              : static_cast<long double>(e) - s.Error_Ant;
    const double D = p.N ? aDouble(Dividir(static_cast<long double>(p.Td) * s.Derivada_Ant + *p.N * dx,
                                           p.Td + static_cast<long double>(*p.N) * p.T))
                         : aDouble(Dividir(1, p.T) * dx);
    const long double P = p.b == 1 ? static_cast<long double>(e) : static_cast<long double>(p.b) * r - y;
    float u = Accion(p, I, P, D);
    if (p.limites.Activos()) {
        const double sat = Limitar(p.limites, static_cast<double>(u));
        if (p.antisaturacion == Antisaturacion::Condicional && sat != u && (sat < u) == (e > 0) && e != 0) {
            // the error would drive the action further beyond the limit: the integral holds
            I = s.Integral;
            u = Accion(p, I, P, D);
        } else if (p.antisaturacion == Antisaturacion::Retrocalculo && p.Kp != 0) {
            // the integral term Kp I / Ti tracks the applied action with the time constant Tt
            I = aDouble(I + Dividir(static_cast<long double>(p.T) * p.Ti, static_cast<long double>(p.Kp) * p.Tt) *
                                (sat - static_cast<long double>(u)));
        }
    }
    return {u, e, I, D};
}

namespace {

bool Vacio(const std::string& t) { return t.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

OpcionesPID LeerOpcionesPID(const Textos& textos) {
    const TextosCompletos t(textos);
    OpcionesPID p;
    p.antisaturacion =
        static_cast<Antisaturacion>(OpcionDeTexto(kAntisaturacion, t.Texto(kAntisaturacion), kAntisaturaciones));
    if (!Vacio(t.Texto(kTt))) {
        p.Tt = LeerDouble(t, kTt);
        if (!(*p.Tt > 0)) {
            ErrorTanque e(kTtNoPositivo);
            e.PonerCampo(kTt);
            throw e;
        }
    }
    if (!Vacio(t.Texto(kFiltroN))) {
        p.N = LeerDouble(t, kFiltroN);
        if (!(*p.N > 0)) {
            ErrorTanque e(kNNoPositivo);
            e.PonerCampo(kFiltroN);
            throw e;
        }
    }
    p.derivadaMedicion = OpcionDeTexto(kDerivada, t.Texto(kDerivada), kDerivadas) == 1;
    p.b = LeerDouble(t, kPesoB);
    return p;
}

ParametrosPID ParametrosDelTick(double T, double Kp, double Ti, double Td, const Simulacion& s) {
    ParametrosPID p{T, Kp, Ti, Td};
    p.antisaturacion = s.pid.antisaturacion;
    p.Tt = s.pid.Tt ? *s.pid.Tt : Td > 0 ? std::sqrt(Ti * Td) : Ti;
    p.N = s.pid.N;
    p.derivadaMedicion = s.pid.derivadaMedicion;
    p.b = s.pid.b;
    p.limites = s.bomba;
    return p;
}

namespace {

class PID : public LeyCorrida {
public:
    void Reiniciar(Simulacion& s) const override {
        s.Error_Ant = 0;
        s.Integral = 0;
        s.Derivada_Ant = 0;
        s.Medida_Ant = 0;
    }

    void Preparar(Simulacion& s, const Textos& textos) const override { s.pid = LeerOpcionesPID(textos); }

    void Tick(PasoDeCorrida& paso) override {
        const std::int32_t n = paso.Muestra();
        const LecturasLazo l = LeerLazo(paso, Definicion(Corrida::PID), n);
        paso.LeerRuido(n);

        // the plant receives the action of the previous tick; the controller sees the level as measured
        const float y = paso.PasoPlanta(n);
        paso.MoverBarra(y);

        Simulacion& s = paso.Estado();
        const ParametrosPID p = ParametrosDelTick(l.T, l.ganancia[0], l.ganancia[1], l.ganancia[2], s);
        const SalidaPID salida = CalcularPID(p, l.referencia, y, s);
        s.Accion_Control = paso.Aplicar(salida.accion);
        // at the counter as it stands: a press inside the overflow's message may have moved it
        paso.Graficar(paso.Muestra(), y, s.Accion_Control, l.referencia);
        s.Error_Ant = aSingle(salida.error);
        s.Integral = aSingle(salida.integral);
        s.Derivada_Ant = salida.derivada;
        s.Medida_Ant = y;
    }
};

}  // namespace

std::unique_ptr<LeyCorrida> LeyPID() { return std::make_unique<PID>(); }
