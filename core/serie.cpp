#include "core/serie.h"

#include <algorithm>

std::size_t Serie::Agregar(double x, double y) {
    if (puntos_.empty() || !(x < puntos_.back().x)) {
        puntos_.push_back({x, y});
        if (tramo_ > 0) tramos_.push_back(tramo_);
        return puntos_.size() - 1;
    }
    // after the last point whose x is not greater than the new one's
    const std::size_t i = PrimeroTras(x);
    puntos_.insert(puntos_.begin() + static_cast<std::ptrdiff_t>(i), {x, y});
    if (tramo_ > 0) tramos_.insert(tramos_.begin() + static_cast<std::ptrdiff_t>(i), tramo_);
    ++version_;
    return i;
}

void Serie::BorrarPrimero() {
    if (puntos_.empty()) return;
    puntos_.pop_front();
    if (!tramos_.empty()) tramos_.pop_front();
    ++base_;
    // positions count every point ever kept; a window that scrolls for days counts them afresh, so that
    // whatever a reader keeps per position does not grow with the run
    if (base_ > 2 * puntos_.size() + 4096) {
        base_ = 0;
        ++version_;
    }
}

void Serie::Limpiar() {
    puntos_.clear();
    puntos_.shrink_to_fit();
    tramos_.clear();
    tramos_.shrink_to_fit();
    tramo_ = 0;
    base_ = 0;
    ++version_;
}

void Serie::NuevoTramo() {
    if (puntos_.empty()) return;
    if (tramo_ == 0) tramos_.assign(puntos_.size(), 0);
    ++tramo_;
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
