#include "core/serie.h"

#include <algorithm>

std::size_t Serie::Agregar(double x, double y) {
    if (puntos_.empty() || !(x < puntos_.back().x)) {
        puntos_.push_back({x, y});
        resumen_.Agregado(puntos_.size(), puntos_);
        return puntos_.size() - 1;
    }
    // after the last point whose x is not greater than the new one's
    const std::size_t i = PrimeroTras(x);
    puntos_.insert(puntos_.begin() + static_cast<std::ptrdiff_t>(i), {x, y});
    resumen_.Insertado(i);
    ++version_;
    return i;
}

void Serie::BorrarPrimero() {
    if (puntos_.empty()) return;
    puntos_.pop_front();
    resumen_.BorradoPrimero();
    // a window that scrolls for days would keep the summaries of every deleted point: start them afresh
    if (resumen_.Base() > 2 * puntos_.size() + 4096) {
        resumen_.Limpiar();
        ++version_;
    }
}

void Serie::Limpiar() {
    puntos_.clear();
    puntos_.shrink_to_fit();
    resumen_.Limpiar();
    ++version_;
}

std::size_t Serie::PrimeroDesde(double x) const {
    const auto i =
        std::lower_bound(puntos_.begin(), puntos_.end(), x, [](const Punto& p, double v) { return p.x < v; });
    return static_cast<std::size_t>(i - puntos_.begin());
}

std::size_t Serie::PrimeroTras(double x) const {
    const auto i =
        std::upper_bound(puntos_.begin(), puntos_.end(), x, [](double v, const Punto& p) { return v < p.x; });
    return static_cast<std::size_t>(i - puntos_.begin());
}

std::int64_t Serie::UltimoDibujado(bool rangoCompleto, double xmin, double xmax) const {
    const auto n = static_cast<std::int64_t>(puntos_.size());
    if (rangoCompleto || n == 0) return n - 1;
    // no point at or beyond the left end
    if (puntos_.back().x < xmin) return -1;
    const auto primero = static_cast<std::int64_t>(PrimeroDesde(xmax));
    return primero == n ? n - 1 : primero;
}
