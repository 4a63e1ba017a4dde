// The relay experiment's run: an on/off inflow around the slider's level, with hysteresis, and optionally a
// dead time between the pump and the tank (a pipe of Rele_Retardo samples), so that the experiment can be
// tried on a plant with a delay. Its record (the level read at each tick and the action decided there) is what
// sintonia/rele.h analyses; core/observacion/ensayo_rele.h keeps it.

#include <deque>

#include "base/errores.h"
#include "core/corridas/lazo.h"
#include "core/corridas/leyes.h"
#include "core/lectura.h"
#include "core/mensajes_corridas.h"

namespace {

constexpr std::int32_t kMaximoRetardoRele = 200;

class Rele : public LeyCorrida {
public:
    void Reiniciar(Simulacion&) const override { decididas_.clear(); }

    // the experiment is the plant's alone: no controller or open loop beside it
    const char* Impedimento(const PasoDeCorrida& paso) const override {
        return paso.OtraCorridaActiva() ? kReleConOtraCorrida : nullptr;
    }

    void Tick(PasoDeCorrida& paso) override {
        const std::int32_t n = paso.Muestra();
        // T_Sample, then Rele_Retardo, then the inflows, the hysteresis and the slider, as the table lists them
        const Textos& textos = paso.TextosDelTick();
        const LecturasLazo l = LeerLazo(paso, Definicion(Corrida::Rele), n);
        const std::int32_t retardo = LeerEntero(textos, "Rele_Retardo");
        const double alto = l.ganancia[0], bajo = l.ganancia[1], histeresis = l.ganancia[2];
        if (!(alto > bajo) || !(histeresis >= 0)) throw ErrorTanque(kReleCaudales);
        if (retardo < 0 || retardo > kMaximoRetardoRele) throw ErrorTanque(kReleRetardo);
        paso.LeerRuido(n);

        Simulacion& s = paso.Estado();
        // the hysteresis remembers the action decided, not what the pump's limits let through
        const float anterior = decididas_.empty() ? s.Accion_Control : decididas_.back();
        // through the pipe the tank receives the action decided `retardo` ticks before the previous one (an
        // empty pipe brings nothing)
        const auto d = static_cast<std::size_t>(retardo);
        if (d > 0) s.Accion_Control = paso.Aplicar(decididas_.size() > d ? decididas_[decididas_.size() - 1 - d] : 0.0f);
        const float y = paso.PasoPlanta(n);
        paso.MoverBarra(y);

        // on below the band, off above it, the last action inside it
        const double e = l.referencia - static_cast<double>(y);
        float u;
        if (e > histeresis)
            u = static_cast<float>(alto);
        else if (e < -histeresis)
            u = static_cast<float>(bajo);
        else
            u = static_cast<float>(anterior > (alto + bajo) / 2 ? alto : bajo);
        s.Accion_Control = paso.Aplicar(u);
        decididas_.push_back(u);
        if (decididas_.size() > static_cast<std::size_t>(kMaximoRetardoRele) + 1) decididas_.pop_front();
        paso.Graficar(paso.Muestra(), y, s.Accion_Control, l.referencia);
    }

private:
    // the actions decided, the newest last: the pipe's contents
    mutable std::deque<float> decididas_;
};

}  // namespace

std::unique_ptr<LeyCorrida> LeyRele() { return std::make_unique<Rele>(); }
