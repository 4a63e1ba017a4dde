// The PID run: its reads, the plant step, the law, the plot.

#include "core/corridas/pid.h"

#include "base/aritmetica.h"
#include "core/corridas/lazo.h"
#include "core/corridas/leyes.h"

SalidaPID CalcularPID(const ParametrosPID& p, double r, float y, const Simulacion& s) {
    const double e = aDouble(static_cast<long double>(r) - y);
    // trapezoid of the error; Ti divides it only where it is used
    const double I = aDouble((static_cast<long double>(e) + s.Error_Ant) * (p.T / 2.0L) + s.Integral);
    // backward difference of the error
    const double D = aDouble(Dividir(1, p.T) * (static_cast<long double>(e) - s.Error_Ant));
    // u = Kp ((I / Ti + e) + D Td), in exactly this grouping
    const float u = aSingle(p.Kp * ((Dividir(I, p.Ti) + e) + static_cast<long double>(D) * p.Td));
    return {u, e, I};
}

namespace {

class PID : public LeyCorrida {
public:
    void Reiniciar(Simulacion& s) const override {
        s.Error_Ant = 0;
        s.Integral = 0;
    }

    void Tick(PasoDeCorrida& paso) override {
        const std::int32_t n = paso.Muestra();
        const LecturasLazo l = LeerLazo(paso, Definicion(Corrida::PID), n);
        const ParametrosPID p{l.T, l.ganancia[0], l.ganancia[1], l.ganancia[2]};
        paso.LeerRuido(n);

        // the plant receives the action of the previous tick; the controller sees the level as measured
        const float y = paso.PasoPlanta(n);
        paso.MoverBarra(y);

        Simulacion& s = paso.Estado();
        const SalidaPID salida = CalcularPID(p, l.referencia, y, s);
        s.Accion_Control = salida.accion;
        // at the counter as it stands: a press inside the overflow's message may have moved it
        paso.Graficar(paso.Muestra(), y, s.Accion_Control, l.referencia);
        s.Error_Ant = aSingle(salida.error);
        s.Integral = aSingle(salida.integral);
    }
};

}  // namespace

std::unique_ptr<LeyCorrida> LeyPID() { return std::make_unique<PID>(); }
