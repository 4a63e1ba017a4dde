// The fuzzy run: its reads, the plant step, the inference of a rate of change of the action, the plot.

#include "base/aritmetica.h"
#include "base/errores.h"
#include "core/corridas/lazo.h"
#include "core/corridas/leyes.h"
#include "core/mensajes_corridas.h"
#include "fuzzy/fis.h"

namespace {

class Fuzzy : public LeyCorrida {
public:
    void Reiniciar(Simulacion& s) const override {
        s.Error_Ant = 0;
        s.Integral = 0;
        s.Salida_Fuzzy_Ant = 0;
    }

    const char* Impedimento(const PasoDeCorrida& paso) const override {
        return paso.FuzzyInicializado() ? nullptr : kFuzzySinInicializar;
    }

    void Tick(PasoDeCorrida& paso) override {
        // An initialisation that failed while the run was going left the controller half built (fresh sets
        // of width 0, or the rule table half read): the run does not go on with it.
        if (!paso.FuzzyInicializado()) throw ErrorTanque(kFuzzySinInicializar);
        const std::int32_t n = paso.Muestra();
        const LecturasLazo l = LeerLazo(paso, Definicion(Corrida::Fuzzy), n);
        const double Ts = l.T, KE = l.ganancia[0], KDE = l.ganancia[1], KU = l.ganancia[2], Referencia = l.referencia;
        paso.LeerRuido(n);

        const float nivel = paso.PasoPlanta(n);
        paso.MoverBarra(nivel);

        Simulacion& s = paso.Estado();
        const double Error = aDouble((static_cast<long double>(Referencia) - nivel) * KE);
        // (1 / Ts) (Error - Error_Ant) KDE: the reciprocal first, then the two products
        s.D_Error = aSingle(Dividir(1, Ts) * (static_cast<long double>(Error) - s.Error_Ant) * KDE);
        paso.EntradasDeInferencia(paso.Muestra(), Error, s.D_Error);
        s.Salida_Fuzzy = paso.Controlador_Fuzzy().Inferir(Error, s.D_Error);
        // the crisp output is a rate of change of the action: integrate it by the trapezoid rule
        const double Integral_Nueva =
            aDouble((static_cast<long double>(s.Salida_Fuzzy) + s.Salida_Fuzzy_Ant) * (Ts / 2.0L) + s.Integral);
        s.Accion_Control = paso.Aplicar(aSingle(Integral_Nueva * static_cast<long double>(KU)));
        s.Salida_Fuzzy_Ant = s.Salida_Fuzzy;
        s.Error_Ant = aSingle(Error);
        s.Integral = aSingle(Integral_Nueva);

        // at the counter as it stands: a press inside the overflow's message may have moved it
        paso.Graficar(paso.Muestra(), nivel, s.Accion_Control, Referencia);
    }
};

}  // namespace

std::unique_ptr<LeyCorrida> LeyFuzzy() { return std::make_unique<Fuzzy>(); }
