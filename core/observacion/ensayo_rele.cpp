#include "core/observacion/ensayo_rele.h"

#include <algorithm>

void EnsayoRele::Empezo(const InicioCorrida& inicio) {
    if (inicio.corrida != Corrida::Rele) return;
    accion_.clear();
    nivel_.clear();
    T_ = 0;
    referencia_ = 0;
}

void EnsayoRele::Muestra(const MuestraTick& m) {
    if (m.corrida != Corrida::Rele) return;
    if (nivel_.size() == kMaximoEnsayoRele) {
        // keep the last half: the oldest samples are the filling
        const auto mitad = static_cast<std::ptrdiff_t>(kMaximoEnsayoRele / 2);
        accion_.erase(accion_.begin(), accion_.begin() + mitad);
        nivel_.erase(nivel_.begin(), nivel_.begin() + mitad);
    }
    accion_.push_back(m.accion);
    nivel_.push_back(m.nivel);
    if (m.referencia) referencia_ = *m.referencia;
    T_ = m.T;
}
