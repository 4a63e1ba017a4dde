// The open-loop run ("Aplicar Escalón"): the inflow of each sample, plotted, then the plant step and its level.

#include "core/corridas/leyes.h"

namespace {

class Escalon : public LeyCorrida {
public:
    // the press empties the tank and sets the action to 0; the open loop keeps no memory of its own
    void Reiniciar(Simulacion&) const override {}

    void Tick(PasoDeCorrida& paso) override {
        const std::int32_t n = paso.Muestra();
        // Alto_Escalon, or the excitation signal at n; then the noise's texts
        const float a = paso.Aplicar(paso.EntradaAbierta(n));
        // the inflow of this sample flows in during this same tick
        paso.Estado().Accion_Control = a;
        paso.GraficarAccion(n, a);
        // the level as measured, with the noise of sample n; a failure leaves the action plotted alone
        const float y = paso.PasoPlanta(n);
        paso.GraficarNivel(n, y, a);
        paso.MoverBarra(y);
    }
};

}  // namespace

std::unique_ptr<LeyCorrida> LeyEscalon() { return std::make_unique<Escalon>(); }
