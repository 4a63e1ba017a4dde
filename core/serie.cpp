#include "serie.h"

#include <algorithm>

std::size_t Serie::Agregar(double x, double y) {
    if (puntos_.empty() || !(x < puntos_.back().x)) {
        puntos_.push_back({x, y});
        return puntos_.size() - 1;
    }
    // after the last point whose x is not greater than the new one's
    auto donde = std::upper_bound(puntos_.begin(), puntos_.end(), x,
                                  [](double v, const Punto& p) { return v < p.x; });
    donde = puntos_.insert(donde, {x, y});
    return static_cast<std::size_t>(donde - puntos_.begin());
}

void Serie::BorrarPrimero() {
    if (!puntos_.empty()) puntos_.pop_front();
}

void Serie::Limpiar() {
    puntos_.clear();
    puntos_.shrink_to_fit();
}

std::int64_t Serie::UltimoDibujado(bool rangoCompleto, double xmin, double xmax) const {
    const auto n = static_cast<std::int64_t>(puntos_.size());
    if (rangoCompleto || n == 0) return n - 1;
    auto x_menor = [](const Punto& p, double v) { return p.x < v; };
    // no point at or beyond the left end
    if (puntos_.back().x < xmin) return -1;
    auto primero = std::lower_bound(puntos_.begin(), puntos_.end(), xmax, x_menor);
    if (primero == puntos_.end()) return n - 1;
    return primero - puntos_.begin();
}
